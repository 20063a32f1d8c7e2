// The two editors against a real database file: the one-time editor's load, validation order,
// insert, update and failures; the series editor's count box, range interplay, validation and
// all-or-nothing save; and the series expansion behind it (every repeat kind, month ends, both
// ways a series ends).
#include "reminder/editing/ot_reminder.h"
#include "reminder/editing/rec_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_fakes_test.h"
#include "reminder/editing/series_expansion.h"
#include "reminder/store/reminder_statements.h"

#include <gmock/gmock.h>

#include <functional>
#include <stdexcept>
#include <tuple>

namespace davrin::editing {
namespace {

using std::chrono::year_month_day;
using test::testNow;
using testing::AllOf;
using testing::EndsWith;
using testing::HasSubstr;
using testing::StartsWith;

class OTReminderTest : public ::testing::Test {
protected:
    OTReminder form(test::FakeOTReminderView& v) {
        return OTReminder(v, {db.conn, clock, [this] { return mobile; }});
    }
    // Loads a form on `view` and saves what `arrange` typed.
    void save(const std::function<void()>& arrange) {
        auto f = form(view);
        f.Form_Load();
        arrange();
        f.CmdOk_Click();
    }
    store::Occurrence occurrence(std::int64_t remid) {
        return store::selectOccurrence(db.conn, remid).value_or(store::Occurrence{});
    }

    test::TempDatabase db;
    store::FixedClock clock{testNow()};
    std::string mobile;
    test::FakeOTReminderView view;
};

TEST_F(OTReminderTest, RefusalsAndFailuresAreShownAndTheWindowKeepsWhatWasTyped) {
    const std::tuple<const char*, store::LocalDateTime, bool, const char*> cases[] = {
        // The empty message is reported first, even with a schedule in the past.
        {" \t\r\n ", testNow().addMinutes(-60), false,
         "info: Reminder Message is Empty cannot Save!\nopen"},
        {"Call home", testNow().addMinutes(-1), false, "info: Reminder Schedule is Invalid\nopen"},
        {"Renew passport", testNow(), true, "error: "}, // the disk is full
    };
    gEditMode = EditModeNew;
    for (const auto& [message, schedule, diskFull, expected] : cases) {
        SCOPED_TRACE(expected);
        if (diskFull)
            db.failInsertsInto("OTReminder");
        view = {};
        save([&] {
            view.message = message;
            view.setSchedule(schedule);
        });
        EXPECT_THAT(view.outcome(), AllOf(StartsWith(expected), HasSubstr(diskFull ? "full" : ""),
                                          EndsWith("\nopen")));
        EXPECT_EQ(view.message, message);
    }
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

// Without a number the SMS box is off: the edit test's.
TEST_F(OTReminderTest, InsertStoresTrimmedMessageInTheCurrentMinuteAndOffersSmsWithANumber) {
    gEditMode = EditModeNew;
    mobile = "0712345678";
    save([&] {
        EXPECT_TRUE(view.smsEnabled);
        view.message = "  Pay the shop's rent\r\n";
        view.sms = true;
    });
    EXPECT_EQ(view.outcome(), "closed");
    const auto remid = test::queryInt(db.conn, "SELECT max(remid) FROM OTReminder");
    EXPECT_EQ(occurrence(remid),
              (store::Occurrence{remid, 0, "Pay the shop's rent", testNow(), 0, 1, 0, {}}));
}

TEST_F(OTReminderTest, EditOfASeriesOccurrenceKeepsItsSeriesAndResetsRemdel) {
    const std::int64_t series = store::insertRecurringReminder(
        db.conn, {"Water plants", testNow(), store::RepeatKind::Weekly, 2, std::nullopt, 1},
        std::vector<store::LocalDateTime>{testNow().addDays(1), testNow().addDays(8)});
    gRemId = test::queryInt(db.conn, "SELECT min(remid) FROM OTReminder");
    const auto other = occurrence(gRemId + 1);
    db.exec("UPDATE OTReminder SET remdel = 5, SMSStatus = 1 WHERE remid = " +
            std::to_string(gRemId));
    gEditMode = EditModeEdit;
    gRecurrId = 0;
    // No number: the box is disabled but still shows the stored flag.
    save([&] {
        EXPECT_EQ(gRecurrId, series);
        EXPECT_EQ(view.message, "Water plants");
        EXPECT_EQ(store::LocalDateTime(view.date, view.time), testNow().addDays(1));
        EXPECT_TRUE(view.sms);
        EXPECT_FALSE(view.smsEnabled);
        view.message = "Water the ferns";
        view.setSchedule(testNow().addDays(2).addMinutes(15));
        view.sms = false;
    });
    EXPECT_EQ(view.outcome(), "closed");
    EXPECT_EQ(occurrence(gRemId),
              (store::Occurrence{gRemId, series, "Water the ferns",
                                 testNow().addDays(2).addMinutes(15), 0, 0, 1, std::nullopt}));
    EXPECT_EQ(occurrence(gRemId + 1), other); // the rest untouched
}

TEST_F(OTReminderTest, AnOccurrenceDeletedMeanwhileIsReportedAndTheEditorCloses) {
    gEditMode = EditModeEdit;
    gRemId = store::insertOneTimeReminder(db.conn, "Dentist", testNow().addDays(3), 0);
    // An alert dismisses it while the editor is open.
    save([&] { store::deleteOccurrence(db.conn, gRemId); });
    EXPECT_EQ(view.outcome(), std::string("info: ") + kReminderGoneText + "\nclosed");
    EXPECT_EQ(db.count("FROM OTReminder"), 0); // nothing re-created

    // Gone before the editor opened: said at once.
    test::FakeOTReminderView late;
    form(late).Form_Load();
    EXPECT_EQ(late.outcome(), std::string("info: ") + kReminderGoneText + "\nclosed");
}

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
            {"Gym", store::RepeatKind::Daily, "0", "Reminder Schdedule is Invalid"}, // no end date
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
    // The definition row, as a later reader of the file would find it.
    EXPECT_EQ(db.count("FROM RECReminder WHERE recurrID = " + id +
                       " AND remainder = 'Team call' AND remdate = '2026-12-07 09:00' AND "
                       "remrepeat = 'W' AND remrectimes = 3 AND remenddate IS NULL AND remsms = 1"),
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
                       " AND remenddate = '2026-12-03' AND remsms = 0"),
              1);
}

TEST_F(RecReminderTest, AFailurePartWaySavesNothingAndKeepsTheWindow) {
    db.failInsertsInto("OTReminder", 2); // the third occurrence fails
    view.message = "Pay rent";
    view.repeat = store::RepeatKind::Monthly;
    view.count = "12";
    form.CmdOk_Click();
    EXPECT_THAT(view.outcome(),
                AllOf(StartsWith("error: "), HasSubstr("full"), EndsWith("\nopen")));
    EXPECT_EQ(view.count, "12");
    EXPECT_EQ(db.count("FROM RECReminder"), 0);
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
    // Nothing was left half open: once the disk has room, the same window saves.
    db.exec("DROP TRIGGER fail_OTReminder");
    form.CmdOk_Click();
    EXPECT_EQ(db.count("FROM OTReminder"), 12);
}

// The days of a series, each followed by the time of the start (which every occurrence keeps).
std::vector<std::string> days(const std::vector<store::LocalDateTime>& moments) {
    std::vector<std::string> out;
    for (const auto& m : moments)
        out.push_back(store::toScheduleText(m).substr(0, 10));
    for (const auto& m : moments)
        EXPECT_EQ(m.timeOfDay(), moments.front().timeOfDay());
    return out;
}

using enum store::RepeatKind;

TEST(SeriesExpansion, CountedSeriesStepFromTheStartAndClampToMonthEnd) {
    struct Case {
        store::LocalDateTime start;
        store::RepeatKind kind;
        std::vector<std::string> expected; // as many as counted
    };
    const Case cases[] = {
        {{2026, 12, 7, 9, 0}, Weekly, {"07/12/2026", "14/12/2026", "21/12/2026"}},
        {{2026, 12, 30, 23, 59}, Daily, {"30/12/2026", "31/12/2026", "01/01/2027"}},
        {{2028, 1, 31, 8, 15},
         Monthly,
         {"31/01/2028", "29/02/2028", "31/03/2028", "30/04/2028", "31/05/2028"}},
        {{2026, 8, 31, 12, 0}, Quarterly, {"31/08/2026", "30/11/2026", "28/02/2027"}},
        {{2026, 11, 30, 0, 0}, HalfYearly, {"30/11/2026", "28/05/2027", "30/11/2027"}},
        {{2028, 2, 29, 18, 0},
         Yearly,
         {"29/02/2028", "28/02/2029", "28/02/2030", "28/02/2031", "29/02/2032"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(store::toScheduleText(c.start));
        const int count = static_cast<int>(c.expected.size());
        const auto series = expandSeries(c.start, c.kind, count, std::nullopt);
        EXPECT_EQ(days(series), c.expected);
        EXPECT_EQ(series.at(0), c.start);
    }
    // The count wins over an end date; an end date before the start leaves nothing.
    EXPECT_EQ(expandSeries({2026, 12, 1, 10, 0}, Daily, 2, ymd(2026, 12, 31)).size(), 2u);
    EXPECT_TRUE(expandSeries({2026, 12, 1, 22, 0}, Weekly, 0, ymd(2026, 11, 30)).empty());
}

TEST(SeriesExpansion, TenYearsDailyAndTheLimitsOfTheCalendar) {
    // An end date at the edge of the calendar ends the series instead of failing.
    EXPECT_EQ(expandSeries({9998, 6, 1, 0, 0}, Yearly, 0, ymd(9999, 12, 31)).size(), 2u);
    // A counted series past the year 9999 cannot be stored and says so.
    EXPECT_THROW(expandSeries({9998, 6, 1, 0, 0}, Yearly, 3, std::nullopt), std::out_of_range);
    EXPECT_THROW(expandSeries({2026, 6, 1, 0, 0}, Daily, 0, std::nullopt), std::invalid_argument);
}

} // namespace
} // namespace davrin::editing
