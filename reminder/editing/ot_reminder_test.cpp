// OTReminder against a real database file: load, validation order, insert, update, failures.
#include "ot_reminder.h"

#include "edit_context.h"
#include "editing_test_support.h"
#include "editor_fakes_test.h"
#include "reminder_statements.h"

namespace davrin {
namespace {

using test::testNow;

class OTReminderTest : public ::testing::Test {
protected:
    OTReminder form() {
        return OTReminder(view, {db.conn, clock, [this] { return mobile; }});
    }
    std::vector<Occurrence> oneTimeRows() const {
        return listOccurrences(db.conn, ListKind::OneTime, ListSortKey::DateTime,
                               SortDirection::Ascending);
    }

    test::TempDatabase db;
    FixedClock clock{testNow()};
    std::string mobile;
    test::FakeOTReminderView view;
};

TEST_F(OTReminderTest, NewReminderLoadsTodayAndOffersSmsOnlyWithANumber) {
    gEditMode = EditModeNew;
    form().Form_Load();
    EXPECT_EQ(view.caption, "Reminder - Saturday 05,  December 2026");
    EXPECT_EQ(LocalDateTime(view.date, view.time), testNow());
    EXPECT_FALSE(view.sms);
    EXPECT_FALSE(view.smsEnabled);

    mobile = "0712345678";
    test::FakeOTReminderView second;
    OTReminder(second, {db.conn, clock, [this] { return mobile; }}).Form_Load();
    EXPECT_TRUE(second.smsEnabled);
}

TEST_F(OTReminderTest, ValidationRefusesInOrderAndWritesNothing) {
    struct Case {
        const char* message;
        LocalDateTime schedule;
        const char* expected;
    };
    const Case cases[] = {
        // The empty message is reported first, even with a schedule in the past.
        {" \t\r\n ", testNow().addMinutes(-60), "Reminder Message is Empty cannot Save!"},
        {"", testNow(), "Reminder Message is Empty cannot Save!"},
        {"Call home", testNow().addMinutes(-1), "Reminder Schedule is Invalid"},
    };
    gEditMode = EditModeNew;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        test::FakeOTReminderView v;
        OTReminder f(v, {db.conn, clock, [] { return std::string(); }});
        f.Form_Load();
        v.message = c.message;
        v.setSchedule(c.schedule);
        f.CmdOk_Click();
        ASSERT_EQ(v.messages.size(), 1u);
        EXPECT_EQ(v.messages[0].text, c.expected);
        EXPECT_EQ(v.messages[0].icon, EditingIcon::Information);
        EXPECT_FALSE(v.unloaded);
        EXPECT_EQ(v.message, c.message); // the window keeps what was typed
    }
    EXPECT_EQ(db.count("FROM OTReminder"), 0);
}

TEST_F(OTReminderTest, InsertStoresTrimmedMessageInTheCurrentMinute) {
    gEditMode = EditModeNew;
    auto f = form();
    f.Form_Load();
    view.message = "  Pay Bob's rent\r\n";
    view.sms = true;
    f.CmdOk_Click(); // the current minute is accepted
    EXPECT_TRUE(view.messages.empty()) << view.lastMessage();
    EXPECT_TRUE(view.unloaded);

    const auto rows = oneTimeRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].remainder, "Pay Bob's rent");
    EXPECT_EQ(rows[0].remdate, testNow());
    EXPECT_EQ(rows[0].recurrid, 0);
    EXPECT_EQ(rows[0].remdel, 0);
    EXPECT_EQ(rows[0].remsms, 1);
    EXPECT_EQ(rows[0].SMSStatus, 0);
}

TEST_F(OTReminderTest, EditOfASeriesOccurrenceKeepsItsSeriesAndResetsRemdel) {
    const std::int64_t series = insertRecurringReminder(
        db.conn, {"Water plants", testNow(), "W", 2, std::nullopt, 1},
        std::vector<LocalDateTime>{testNow().addDays(1), testNow().addDays(8)});
    const auto before = listOccurrences(db.conn, ListKind::Recurring, ListSortKey::DateTime,
                                        SortDirection::Ascending);
    ASSERT_EQ(before.size(), 2u);
    db.exec("UPDATE OTReminder SET remdel = 5, SMSStatus = 1 WHERE remid = " +
            std::to_string(before[0].remid));

    gEditMode = EditModeEdit;
    gRemId = before[0].remid;
    gRecurrId = 0;
    mobile = ""; // no number: the box is disabled but still shows the stored flag
    auto f = form();
    f.Form_Load();
    EXPECT_EQ(gRecurrId, series);
    EXPECT_EQ(view.message, "Water plants");
    EXPECT_EQ(LocalDateTime(view.date, view.time), testNow().addDays(1));
    EXPECT_TRUE(view.sms);
    EXPECT_FALSE(view.smsEnabled);

    view.message = "Water the ferns";
    view.setSchedule(testNow().addDays(2).addMinutes(15));
    view.sms = false;
    f.CmdOk_Click();
    EXPECT_TRUE(view.unloaded);

    const auto edited = selectOccurrence(db.conn, before[0].remid);
    ASSERT_TRUE(edited);
    EXPECT_EQ(edited->recurrid, series);
    EXPECT_EQ(edited->remainder, "Water the ferns");
    EXPECT_EQ(edited->remdate, testNow().addDays(2).addMinutes(15));
    EXPECT_EQ(edited->remdel, 0);
    EXPECT_EQ(edited->remsms, 0);
    EXPECT_EQ(edited->SMSStatus, 1);
    EXPECT_EQ(selectOccurrence(db.conn, before[1].remid), before[1]); // the rest untouched
}

TEST_F(OTReminderTest, AnOccurrenceDeletedMeanwhileIsReportedAndTheEditorCloses) {
    const auto remid = insertOneTimeReminder(db.conn, "Dentist", testNow().addDays(3), 0);
    gEditMode = EditModeEdit;
    gRemId = remid;
    auto f = form();
    f.Form_Load();
    EXPECT_FALSE(view.unloaded);
    deleteOccurrence(db.conn, remid); // an alert dismissed it while the editor was open
    f.CmdOk_Click();
    EXPECT_EQ(view.lastMessage(), kReminderGoneText);
    EXPECT_TRUE(view.unloaded);
    EXPECT_EQ(db.count("FROM OTReminder"), 0); // nothing re-created

    // Gone before the editor opened: said at once.
    test::FakeOTReminderView late;
    OTReminder(late, {db.conn, clock, [] { return std::string(); }}).Form_Load();
    EXPECT_EQ(late.lastMessage(), kReminderGoneText);
    EXPECT_TRUE(late.unloaded);
}

TEST_F(OTReminderTest, AFailingStatementIsReportedAndTheWindowStaysOpen) {
    db.failInsertsInto("OTReminder");
    gEditMode = EditModeNew;
    auto f = form();
    f.Form_Load();
    view.message = "Renew passport";
    f.CmdOk_Click();
    ASSERT_EQ(view.messages.size(), 1u);
    EXPECT_NE(view.messages[0].text.find("full"), std::string::npos) << view.messages[0].text;
    EXPECT_EQ(view.messages[0].icon, EditingIcon::Error);
    EXPECT_FALSE(view.unloaded);
    EXPECT_EQ(view.message, "Renew passport");
}

} // namespace
} // namespace davrin
