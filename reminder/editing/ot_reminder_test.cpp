// OTReminder against a real database file: load, validation order, insert, update, failures.
#include "reminder/editing/ot_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_fakes_test.h"
#include "reminder/store/reminder_statements.h"

#include <gmock/gmock.h>

#include <functional>
#include <tuple>

namespace davrin::editing {
namespace {

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

TEST_F(OTReminderTest, ARowWithAnUnreadableDateGetsOneFromTheEditor) {
    db.exec("INSERT INTO OTReminder (remainder, remdate) VALUES ('From a phone', '24:00')");
    gEditMode = EditModeEdit;
    gRemId = test::queryInt(db.conn, "SELECT max(remid) FROM OTReminder");
    save([&] {
        EXPECT_EQ(view.message, "From a phone");
        EXPECT_EQ(store::LocalDateTime(view.date, view.time), testNow());
        view.setSchedule(testNow().addDays(1));
    });
    EXPECT_EQ(view.outcome(), "closed");
    EXPECT_EQ(occurrence(gRemId).remdate, testNow().addDays(1));
    EXPECT_FALSE(occurrence(gRemId).unreadableRemdate);
}

} // namespace
} // namespace davrin::editing
