// RecReminder: count box filter, range interplay, validation, and the all-or-nothing save.
#include "reminder/editing/rec_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_fakes_test.h"
#include "reminder/store/reminder_statements.h"

#include <gmock/gmock.h>

#include <tuple>

namespace davrin::editing {
namespace {

using std::chrono::year_month_day;
using test::testNow;

year_month_day ymd(int y, unsigned m, unsigned d) {
    return store::LocalDateTime(y, m, d).date();
}

class RecReminderTest : public ::testing::Test {
protected:
    void SetUp() override { form.Form_Load(); }

    test::TempDatabase db;
    store::FixedClock clock{testNow()};
    test::FakeRecReminderView view;
    RecReminder form{view, {db.conn, clock, [] { return std::string("0712345678"); }}};
};

TEST_F(RecReminderTest, CountBoxTakesDigitsAndBackspaceOnly) {
    for (char32_t key : {U'0', U'5', U'9', char32_t{8}})
        EXPECT_TRUE(form.Text5_KeyPress(key)) << static_cast<unsigned>(key);
    for (char32_t key :
         {U'a', U'-', U'+', U' ', U'.', U'\r', char32_t{0x0663}}) // other scripts' digits too
        EXPECT_FALSE(form.Text5_KeyPress(key)) << static_cast<unsigned>(key);
}

TEST_F(RecReminderTest, RangeInterplaySteersToOneWayOfEnding) {
    // Focusing the count with no end date keeps the count usable and the picker empty.
    form.Text5_GotFocus();
    EXPECT_TRUE(view.countEnabled);
    EXPECT_FALSE(view.endDate);

    // Setting an end date with a zero count clears the count; focusing the count then locks it.
    view.count = "0";
    view.endDate = ymd(2027, 1, 10);
    form.DTPicker3_Change();
    EXPECT_EQ(view.count, "");
    EXPECT_TRUE(view.countEnabled);
    EXPECT_TRUE(view.endDateTabStop);
    form.Text5_GotFocus();
    EXPECT_FALSE(view.countEnabled);
    EXPECT_EQ(view.endDate, ymd(2027, 1, 10)); // the date itself is left alone

    // Clearing the end date opens the count again; a typed count survives a change of date.
    view.endDate.reset();
    form.DTPicker3_Change();
    EXPECT_TRUE(view.countEnabled);
    view.count = "12";
    view.endDate = ymd(2027, 2, 1);
    form.DTPicker3_Change();
    EXPECT_EQ(view.count, "12");
    EXPECT_FALSE(view.endDateTabStop);
}

TEST_F(RecReminderTest, ValidationRefusesInOrderAndWritesNothing) {
    const std::tuple<const char*, std::optional<store::RepeatKind>, const char*, const char*>
        cases[] = {
            {"   ", std::nullopt, "", "Reminder Message is Empty cannot Save!"},
            {"Gym", std::nullopt, "3", "Reminder Schdedule is Invalid"}, // no repeat kind
            {"Gym", store::RepeatKind::Daily, "0", "Reminder Schdedule is Invalid"},
            {"Gym", store::RepeatKind::Weekly, "",
             "Reminder Schdedule is Invalid"}, // and no end date
        };
    for (const auto& [message, repeat, count, expected] : cases) {
        SCOPED_TRACE(std::string(expected) + " " + count);
        view.messages.clear();
        view.message = message;
        view.repeat = repeat;
        view.count = count;
        form.CmdOk_Click();
        EXPECT_EQ(view.outcome(), std::string("info: ") + expected + "\nopen");
    }
    EXPECT_EQ(db.count("FROM RECReminder"), 0);
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

TEST_F(RecReminderTest, WeeklyCountedSeriesIsStoredWithItsDefinition) {
    view.message = "  Team call ";
    view.setSchedule(store::LocalDateTime(2026, 12, 7, 9, 0));
    view.repeat = store::RepeatKind::Weekly;
    view.count = "3";
    view.endDate = ymd(2027, 6, 1); // the count governs
    view.sms = true;
    gRecurrId = 0;
    form.CmdOk_Click();
    EXPECT_EQ(view.outcome(), "closed");
    const std::string id = std::to_string(gRecurrId);
    EXPECT_EQ(db.count("FROM OTReminder WHERE recurrid = " + id +
                       " AND remainder = 'Team call' AND remsms = 1 AND remdate IN "
                       "('2026-12-07 09:00', '2026-12-14 09:00', '2026-12-21 09:00')"),
              3);
    EXPECT_EQ(db.count("FROM RECReminder WHERE recurrID = " + id +
                       " AND remainder = 'Team call' AND remrepeat = 'W' AND remrectimes = 3"
                       " AND remenddate IS NULL AND remsms = 1"),
              1);
}

TEST_F(RecReminderTest, EndDateSeriesStoresTheDateAndNoCount) {
    view.message = "Night shift";
    view.setSchedule(store::LocalDateTime(2026, 12, 1, 22, 0)); // in the past: stored all the same
    view.repeat = store::RepeatKind::Daily;
    view.endDate = ymd(2026, 12, 3);
    form.CmdOk_Click();
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(db.count("FROM OTReminder WHERE remdate > '2026-12-03'"), 1);
    EXPECT_EQ(db.count("FROM OTReminder"), 3);
    EXPECT_EQ(db.count("FROM RECReminder WHERE remrepeat = 'D' AND remrectimes = 0"
                       " AND remenddate IS NOT NULL AND remsms = 0"),
              1);
}

TEST_F(RecReminderTest, AFailurePartWaySavesNothingAndKeepsTheWindow) {
    db.failInsertsInto("OTReminder", 2); // the third occurrence fails
    view.message = "Pay rent";
    view.repeat = store::RepeatKind::Monthly;
    view.count = "12";
    form.CmdOk_Click();
    EXPECT_THAT(view.outcome(),
                testing::AllOf(testing::StartsWith("error: "), testing::HasSubstr("full"),
                               testing::EndsWith("\nopen")));
    EXPECT_EQ(view.count, "12");
    EXPECT_EQ(db.count("FROM RECReminder"), 0); // the store test checks the rest is rolled back
}

} // namespace
} // namespace davrin::editing
