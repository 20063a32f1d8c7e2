// The alert window's logic with a fake dialog: what it shows and what each button answers.
#include "new_rem_screen.h"

#include "alert_values.h"
#include "shell_fakes_test.h"

#include <gtest/gtest.h>

#include <map>

namespace davrin {
namespace {

using namespace std::chrono;

class FakeAlertView : public NewRemScreenView {
public:
    void setLabel(AlertLabel label, const std::string& text) override { labels[label] = text; }
    void setTopMost() override { topMost = true; }
    void setDTPicker1(year_month_day d) override { date = d; }
    void setDTPicker2(minutes t) override { time = t; }
    year_month_day DTPicker1() const override { return date; }
    minutes DTPicker2() const override { return time; }
    void showMessage(const std::string& text, const std::string& title, MessageIcon) override {
        messages.push_back(title + ": " + text);
    }
    void unload() override { unloaded = true; }

    std::map<AlertLabel, std::string> labels;
    bool topMost = false;
    year_month_day date{};
    minutes time{};
    std::vector<std::string> messages;
    bool unloaded = false;
};

class NewRemScreenTest : public ::testing::Test {
protected:
    NewRemScreenTest() {
        test::clearAlertValues();
        form.Form_Load(
            {"Reminder of Saturday 05 Dec 2026 09:00 AM", "Pay rent", "Be kind", "Markets up"});
    }
    FixedClock clock{LocalDateTime(2026, 12, 5, 22, 41)};
    FakeAlertView view;
    NewRemScreen form{view, clock};
};

TEST_F(NewRemScreenTest, LoadShowsTheTextsTodayAndTheCurrentMinuteOnTop) {
    EXPECT_EQ(view.labels[AlertLabel::Label7], "Reminder of Saturday 05 Dec 2026 09:00 AM");
    EXPECT_EQ(view.labels[AlertLabel::Label1], "Pay rent");
    EXPECT_EQ(view.labels[AlertLabel::Label2], "Be kind");
    EXPECT_EQ(view.labels[AlertLabel::Label3], "Markets up");
    EXPECT_EQ(view.labels[AlertLabel::Label9], "05-12-2026");
    EXPECT_TRUE(view.topMost);
    EXPECT_EQ(view.date, year_month_day(year(2026), December, day(5)));
    EXPECT_EQ(view.time, hours(22) + minutes(41));
    EXPECT_FALSE(view.unloaded);
}

TEST_F(NewRemScreenTest, DismissAndSnoozeAnswerAndClose) {
    form.btnDismiss_Click();
    EXPECT_EQ(gAlertResult, "Dismiss");
    EXPECT_TRUE(view.unloaded);

    view.unloaded = false;
    form.btnSnooze_Click();
    EXPECT_EQ(gAlertResult, "Snooze");
    EXPECT_TRUE(view.unloaded);
}

TEST_F(NewRemScreenTest, ModifyAcceptsTheCurrentMinuteAndLaterTimes) {
    struct Case {
        const char* name;
        year_month_day date;
        minutes time;
        LocalDateTime expected;
    };
    const Case cases[] = {
        {"pickers untouched",
         {year(2026), December, day(5)},
         hours(22) + minutes(41),
         LocalDateTime(2026, 12, 5, 22, 41)},
        {"later day keeps the picked time",
         {year(2027), January, day(2)},
         hours(7),
         LocalDateTime(2027, 1, 2, 7, 0)},
        {"earlier time on a later day",
         {year(2026), December, day(6)},
         minutes(5),
         LocalDateTime(2026, 12, 6, 0, 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.unloaded = false;
        gAlertResult.clear();
        view.date = c.date;
        view.time = c.time;
        form.btnModify_Click();
        EXPECT_EQ(gAlertResult, "Modify");
        EXPECT_EQ(gNewTime, c.expected);
        EXPECT_TRUE(view.unloaded);
    }
    EXPECT_TRUE(view.messages.empty());
}

TEST_F(NewRemScreenTest, ModifyIntoThePastIsRefusedAndTheWindowStays) {
    const std::pair<year_month_day, minutes> past[] = {
        {{year(2026), December, day(5)}, hours(22) + minutes(40)},
        {{year(2026), December, day(4)}, hours(23) + minutes(59)},
    };
    for (const auto& [date, time] : past) {
        view.date = date;
        view.time = time;
        form.btnModify_Click();
    }
    EXPECT_EQ(view.messages, std::vector<std::string>(2, "Reminder: Reminder Schedule is Invalid"));
    EXPECT_FALSE(view.unloaded);
    EXPECT_TRUE(gAlertResult.empty());

    form.btnSnooze_Click(); // the other answers still work
    EXPECT_EQ(gAlertResult, "Snooze");
}

} // namespace
} // namespace davrin
