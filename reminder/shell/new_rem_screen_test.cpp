// The alert window's logic with a fake dialog: what it shows and what each button answers.
#include "reminder/shell/new_rem_screen.h"

#include "reminder/shell/alert_values.h"
#include "reminder/shell/shell_fakes_test.h"

#include <map>

namespace davrin::shell {
namespace {

using namespace std::chrono;

class FakeAlertView : public NewRemScreenView {
public:
    void setLabel(AlertLabel label, const std::string& text) override { labels[label] = text; }
    void setTopMost() override { topMost = true; }
    void setDTPicker1(year_month_day d) override {
        picked = store::LocalDateTime(d, picked.timeOfDay());
    }
    void setDTPicker2(minutes t) override { picked = store::LocalDateTime(picked.date(), t); }
    year_month_day DTPicker1() const override { return picked.date(); }
    minutes DTPicker2() const override { return picked.timeOfDay(); }
    void showMessage(const std::string& text, const std::string& title, ui::MessageIcon) override {
        messages.push_back(title + ": " + text);
    }
    void unload() override { unloaded = true; }

    std::map<AlertLabel, std::string> labels;
    bool topMost = false;
    store::LocalDateTime picked{2000, 1, 1};
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
    store::FixedClock clock{store::LocalDateTime(2026, 12, 5, 22, 41)};
    FakeAlertView view;
    NewRemScreen form{view, clock};
};

TEST_F(NewRemScreenTest, LoadShowsTheTextsTodayAndTheCurrentMinuteOnTop) {
    EXPECT_EQ(view.labels, (std::map<AlertLabel, std::string>{
                               {AlertLabel::Label7, "Reminder of Saturday 05 Dec 2026 09:00 AM"},
                               {AlertLabel::Label1, "Pay rent"},
                               {AlertLabel::Label2, "Be kind"},
                               {AlertLabel::Label3, "Markets up"},
                               {AlertLabel::Label9, "05-12-2026"}}));
    EXPECT_TRUE(view.topMost);
    EXPECT_EQ(view.picked, clock.now());
}

// Modify answers with the picked minute if it is not in the past; the other buttons always answer.
TEST_F(NewRemScreenTest, EachButtonAnswersAndClosesButModifyRefusesThePast) {
    using Click = void (NewRemScreen::*)();
    const struct {
        store::LocalDateTime picked;
        Click click;
        std::optional<AlertAnswer> answer; // none: refused, the window stays
    } cases[] = {
        {{2026, 12, 5, 22, 40}, &NewRemScreen::btnModify_Click, std::nullopt},
        {{2026, 12, 5, 22, 41}, &NewRemScreen::btnModify_Click, AlertAnswer::Modify}, // untouched
        {{2026, 12, 6, 0, 5}, &NewRemScreen::btnModify_Click, AlertAnswer::Modify}, // earlier hour
        {{2026, 12, 4, 0, 0}, &NewRemScreen::btnDismiss_Click, AlertAnswer::Dismiss},
        {{2026, 12, 4, 0, 0}, &NewRemScreen::btnSnooze_Click, AlertAnswer::Snooze},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(store::toStorageText(c.picked));
        view.picked = c.picked;
        (form.*c.click)();
        EXPECT_EQ(view.unloaded, c.answer.has_value());
        if (c.answer == AlertAnswer::Modify) {
            EXPECT_EQ(form.answer()->newTime, c.picked);
        }
        EXPECT_EQ(form.answer().has_value() ? std::optional(form.answer()->answer) : std::nullopt,
                  c.answer);
        view.unloaded = false;
    }
    EXPECT_EQ(view.messages, std::vector<std::string>{"Reminder: Reminder Schedule is Invalid"});
}

} // namespace
} // namespace davrin::shell
