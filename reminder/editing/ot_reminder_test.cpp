// OTReminder against a real database file: load, validation order, insert, update, failures.
#include "reminder/editing/ot_reminder.h"

#include "reminder/editing/edit_context.h"
#include "reminder/editing/editing_test_support.h"
#include "reminder/editing/editor_fakes_test.h"
#include "reminder/store/reminder_statements.h"

#include <functional>
#include <tuple>

namespace davrin::editing {
namespace {

using test::queryInt;
using test::testNow;

class OTReminderTest : public ::testing::Test {
protected:
    OTReminder form(test::FakeOTReminderView& v) {
        return OTReminder(v, {db.conn, clock, [this] { return mobile; }});
    }
    // Loads a new form on `view` and saves what `arrange` typed.
    void save(const std::function<void()>& arrange) {
        auto f = form(view);
        f.Form_Load();
        arrange();
        f.CmdOk_Click();
    }

    test::TempDatabase db;
    store::FixedClock clock{testNow()};
    std::string mobile;
    test::FakeOTReminderView view;
};

TEST_F(OTReminderTest, NewReminderLoadsTodayAndOffersSmsOnlyWithANumber) {
    gEditMode = EditModeNew;
    form(view).Form_Load();
    EXPECT_EQ(view.caption, "Reminder - Saturday 05,  December 2026");
    EXPECT_EQ(store::LocalDateTime(view.date, view.time), testNow());
    EXPECT_FALSE(view.sms);
    EXPECT_FALSE(view.smsEnabled);

    mobile = "0712345678";
    test::FakeOTReminderView second;
    form(second).Form_Load();
    EXPECT_TRUE(second.smsEnabled);
}

TEST_F(OTReminderTest, ValidationRefusesInOrderAndWritesNothing) {
    const std::tuple<const char*, store::LocalDateTime, const char*> cases[] = {
        // The empty message is reported first, even with a schedule in the past.
        {" \t\r\n ", testNow().addMinutes(-60), "Reminder Message is Empty cannot Save!"},
        {"Call home", testNow().addMinutes(-1), "Reminder Schedule is Invalid"},
    };
    gEditMode = EditModeNew;
    for (const auto& [message, schedule, expected] : cases) {
        SCOPED_TRACE(expected);
        view = {};
        save([&] {
            view.message = message;
            view.setSchedule(schedule);
        });
        ASSERT_EQ(view.messages.size(), 1u);
        EXPECT_EQ(view.messages[0].text, expected);
        EXPECT_EQ(view.messages[0].icon, ui::MessageIcon::Information);
        EXPECT_FALSE(view.unloaded);
        EXPECT_EQ(view.message, message); // the window keeps what was typed
    }
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

TEST_F(OTReminderTest, InsertStoresTrimmedMessageInTheCurrentMinute) {
    gEditMode = EditModeNew;
    save([&] {
        view.message = "  Pay the shop's rent\r\n";
        view.sms = true;
    });
    EXPECT_TRUE(view.messages.empty()) << view.lastMessage();
    EXPECT_TRUE(view.unloaded);
    const auto rows =
        store::listOccurrences(db.conn, store::ListKind::OneTime, store::ListSortKey::DateTime,
                               store::SortDirection::Ascending);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0], (store::Occurrence{rows[0].remid, 0, "Pay the shop's rent", testNow(), 0, 1,
                                          0, std::nullopt}));
}

TEST_F(OTReminderTest, EditOfASeriesOccurrenceKeepsItsSeriesAndResetsRemdel) {
    const std::int64_t series = store::insertRecurringReminder(
        db.conn, {"Water plants", testNow(), store::RepeatKind::Weekly, 2, std::nullopt, 1},
        std::vector<store::LocalDateTime>{testNow().addDays(1), testNow().addDays(8)});
    const auto before =
        store::listOccurrences(db.conn, store::ListKind::Recurring, store::ListSortKey::DateTime,
                               store::SortDirection::Ascending);
    ASSERT_EQ(before.size(), 2u);
    db.exec("UPDATE OTReminder SET remdel = 5, SMSStatus = 1 WHERE remid = " +
            std::to_string(before[0].remid));

    gEditMode = EditModeEdit;
    gRemId = before[0].remid;
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
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(store::selectOccurrence(db.conn, before[0].remid),
              (store::Occurrence{before[0].remid, series, "Water the ferns",
                                 testNow().addDays(2).addMinutes(15), 0, 0, 1, std::nullopt}));
    EXPECT_EQ(store::selectOccurrence(db.conn, before[1].remid), before[1]); // the rest untouched
}

TEST_F(OTReminderTest, AnOccurrenceDeletedMeanwhileIsReportedAndTheEditorCloses) {
    gEditMode = EditModeEdit;
    gRemId = store::insertOneTimeReminder(db.conn, "Dentist", testNow().addDays(3), 0);
    // An alert dismisses it while the editor is open.
    save([&] {
        EXPECT_FALSE(view.unloaded);
        store::deleteOccurrence(db.conn, gRemId);
    });
    EXPECT_EQ(view.lastMessage(), kReminderGoneText);
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(db.count("FROM OTReminder"), 0); // nothing re-created

    // Gone before the editor opened: said at once.
    test::FakeOTReminderView late;
    form(late).Form_Load();
    EXPECT_EQ(late.lastMessage(), kReminderGoneText);
    EXPECT_TRUE(late.unloaded);
}

TEST_F(OTReminderTest, ARowWithAnUnreadableDateGetsOneFromTheEditor) {
    db.exec("INSERT INTO OTReminder (remainder, remdate) VALUES ('From a phone', '24:00')");
    gEditMode = EditModeEdit;
    gRemId = queryInt(db.conn, "SELECT max(remid) FROM OTReminder");
    save([&] {
        EXPECT_EQ(view.message, "From a phone");
        EXPECT_EQ(store::LocalDateTime(view.date, view.time), testNow());
        view.setSchedule(testNow().addDays(1));
    });
    EXPECT_TRUE(view.messages.empty()) << view.lastMessage();
    const auto row = store::selectOccurrence(db.conn, gRemId);
    EXPECT_EQ(row->remdate, testNow().addDays(1));
    EXPECT_FALSE(row->unreadableRemdate);
}

TEST_F(OTReminderTest, AFailingStatementIsReportedAndTheWindowStaysOpen) {
    db.failInsertsInto("OTReminder");
    gEditMode = EditModeNew;
    save([&] { view.message = "Renew passport"; });
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("full"), std::string::npos) << view.messages[0].text;
    EXPECT_EQ(view.messages[0].icon, ui::MessageIcon::Error);
    EXPECT_FALSE(view.unloaded);
    EXPECT_EQ(view.message, "Renew passport");
}

} // namespace
} // namespace davrin::editing
