// The due-reminder scan against a real database file, with a scripted alert window.
#include "reminder/shell/due_scan.h"

#include "reminder/shell/shell_fakes_test.h"
#include "reminder/store/reminder_statements.h"

namespace davrin::shell {
namespace {

using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::StartsWith;

class DueScanTest : public ::testing::Test {
protected:
    DueScanTest() { test::clearAlertValues(); }

    // On the test's day, Saturday 5 December 2026, unless another day is given.
    static store::LocalDateTime at(int hour, int minute, unsigned day = 5) {
        return store::LocalDateTime(2026, 12, day, hour, minute);
    }
    std::int64_t add(const std::string& message, const store::LocalDateTime& when, int sms = 0) {
        return store::insertOneTimeReminder(store::gConn, message, when, sms);
    }
    std::optional<store::Occurrence> row(std::int64_t remid) {
        return store::selectOccurrence(store::gConn, remid);
    }
    void setSettings(int snooze, const std::string& server = "") {
        store::saveSettings(store::gConn, store::Settings{snooze, "0123456789", server});
    }

    test::TempDatabase db;
    store::FixedClock clock{at(10, 7)};
    PauseItem Prem;
    test::ScriptedAlert alert;
    test::FakeList list;
    test::FakeHttp http;
    test::RecordingBoxes boxes;
    DueReminderScan scan{{store::gConn, clock, Prem, alert, list, http, boxes}};
};

TEST_F(DueScanTest, AlertsEveryDueOccurrenceOnceInOneTickAndDismissDeletesOnlyThatOne) {
    const std::vector<store::LocalDateTime> dates{at(9, 0), at(9, 0, 6)};
    store::insertRecurringReminder(
        store::gConn, {"  second  ", dates[0], store::RepeatKind::Daily, 2, {}, 0}, dates);
    add("first", at(23, 59, 4));
    add("third, due this very minute", at(10, 7));
    add("not yet", at(10, 8));
    alert.answerAll(3, AlertAnswer::Dismiss);
    list.visible = true;
    alert.during = [&] { scan.Timer1_Timer(); }; // the timer keeps ticking under the modal alert

    scan.Timer1_Timer();

    EXPECT_THAT(alert.messages(), ElementsAre("first", "second", "third, due this very minute"));
    EXPECT_EQ(list.refreshes, 3);
    EXPECT_EQ(alert.shown[0].Label7, "Reminder of Friday 04 Dec 2026 11:59 PM");
    EXPECT_FALSE(alert.shown[0].Label2.empty()); // the thought of the day
    // Left: the one not yet due and the series' next occurrence.
    EXPECT_EQ(db.count("FROM OTReminder WHERE remdate IN ('2026-12-05 10:08', '2026-12-06 09:00')"),
              2);
    EXPECT_EQ(db.count("FROM OTReminder"), 2);
}

// Without a settings row the default holds as well: the unsaved answer's test.
TEST_F(DueScanTest, SnoozeTakesTheStoredIntervalAndZeroMeansTheDefaultFifteenMinutes) {
    for (const auto& [stored, expected] : {std::pair{45, at(10, 52)}, std::pair{0, at(10, 22)}}) {
        setSettings(stored);
        const auto id = add("call back", at(9, 30, 1));
        alert.answerAll(1, AlertAnswer::Snooze);
        scan.Timer1_Timer();
        EXPECT_EQ(row(id)->remdate, expected) << stored;
    }
}

TEST_F(DueScanTest, ModifyConfirmsTheNewTimeAndAMoveToNowComesBackNextTick) {
    const auto dentist = add("dentist", at(9, 0));
    const auto still = add("still due", at(9, 1));
    alert.replies = {AlertResult{AlertAnswer::Modify, at(18, 30, 24)},
                     AlertResult{AlertAnswer::Modify, clock.now()}};
    scan.Timer1_Timer();
    EXPECT_EQ(row(dentist)->remdate, at(18, 30, 24));
    EXPECT_EQ(row(still)->remdate, clock.now());
    EXPECT_THAT(boxes.shown,
                ElementsAre("KELVOR: 24/12/2026 18:30:00", "KELVOR: 05/12/2026 10:07:00"));

    alert.answerAll(1, AlertAnswer::Dismiss);
    scan.Timer1_Timer();
    EXPECT_THAT(alert.messages(), ElementsAre("dentist", "still due", "still due"));
    EXPECT_FALSE(row(still));
}

TEST_F(DueScanTest, UnansweredAlertChangesNothingAndEndsTheRun) {
    // Closed without an answer, or Modify whose confirmation went away as the program ended.
    for (const bool modifyUnconfirmed : {false, true}) {
        SCOPED_TRACE(modifyUnconfirmed);
        db.exec("DELETE FROM OTReminder");
        const auto id = add("closed by other means", at(9, 0));
        add("next", at(9, 1));
        alert.shown.clear();
        if (modifyUnconfirmed)
            alert.replies.push_back(AlertResult{AlertAnswer::Modify, clock.now().addDays(1)});
        else
            alert.replies.push_back(std::nullopt);
        boxes.closedByUser = false;
        scan.Timer1_Timer();
        EXPECT_EQ(row(id)->remdate, at(9, 0));
        EXPECT_EQ(alert.shown.size(), 1u);
    }
}

TEST_F(DueScanTest, NewsLineComesFromTheConfiguredServerAndFailsQuietly) {
    struct Case {
        std::string server;
        std::optional<std::string> body;
        bool throws;
        std::string expectedUrl; // empty: no request at all
        std::string expectedLine;
    };
    const Case cases[] = {
        {"", "unused", false, "", ""},
        {"127.0.0.1:8080", "\r\n  Markets up  \r\n", false, "http://127.0.0.1:8080/reminder.txt",
         "Markets up"},
        {"http://news.example/", "x", false, "http://news.example/reminder.txt", "x"},
        {"127.0.0.1:9", "ignored", true, "http://127.0.0.1:9/reminder.txt", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.server + (c.throws ? " throws" : ""));
        setSettings(15, c.server);
        http = test::FakeHttp{};
        http.body = c.body;
        http.throws = c.throws;
        add("news", at(9, 0));
        alert.answerAll(1, AlertAnswer::Dismiss);

        scan.Timer1_Timer();

        ASSERT_EQ(http.requested.size(), c.expectedUrl.empty() ? 0u : 1u);
        if (!c.expectedUrl.empty()) {
            EXPECT_EQ(http.requested[0], c.expectedUrl);
            EXPECT_LE(http.lastTimeout, std::chrono::milliseconds(3000));
        }
        EXPECT_EQ(alert.shown.back().Label3, c.expectedLine);
    }
    EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(DueScanTest, AnAnswerThatCannotBeSavedIsKeptAndSavedLater) {
    const auto id = add("keep me", at(9, 0));
    const auto later = add("later one", at(9, 5));
    alert.during = [&] { db.exec("PRAGMA query_only = 1"); };
    alert.answerAll(1, AlertAnswer::Snooze);
    scan.Timer1_Timer();
    EXPECT_THAT(boxes.shown,
                ElementsAre(AllOf(StartsWith("Reminder: "), HasSubstr("could not be saved"))));
    EXPECT_EQ(alert.shown.size(), 1u); // no second alert after a failure
    EXPECT_EQ(row(id)->remdate, at(9, 0));

    // Still failing: the answered one is not asked again, the other one is, and nobody is told
    // twice.
    alert.during = nullptr;
    alert.answerAll(1, AlertAnswer::Dismiss);
    scan.Timer1_Timer();
    EXPECT_THAT(alert.messages(), ElementsAre("keep me", "later one"));
    EXPECT_EQ(boxes.shown.size(), 1u);

    db.exec("PRAGMA query_only = 0");
    clock.set(at(10, 10));
    scan.Timer1_Timer();
    EXPECT_EQ(row(id)->remdate, at(10, 22)); // 15 minutes from the answer at 10:07
    EXPECT_FALSE(row(later));
    EXPECT_EQ(alert.shown.size(), 2u);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(DueScanTest, ALockedFileIsToldOnceAndAgainOnlyAfterATickWorked) {
    add("due", at(9, 0));
    const store::Connection other = store::openDatabase(db.path() / "KELVOR.db");
    test::execRaw(other, "BEGIN EXCLUSIVE");
    // The timer keeps ticking while the box is open, and the box must not hold the scan up.
    boxes.during = [&] {
        scan.Timer1_Timer();
        test::execRaw(other, "ROLLBACK");
        alert.answerAll(1, AlertAnswer::Snooze);
        scan.Timer1_Timer();
    };
    scan.Timer1_Timer();
    boxes.during = nullptr;
    EXPECT_EQ(alert.shown.size(), 1u);
    EXPECT_THAT(boxes.shown,
                ElementsAre(AllOf(HasSubstr("KELVOR.db"), HasSubstr("in use by another program"))));

    // Ticks worked in between, so a new failure is told again, once.
    test::execRaw(other, "BEGIN EXCLUSIVE");
    for (int tick = 0; tick < 3; ++tick)
        scan.Timer1_Timer();
    EXPECT_EQ(boxes.shown.size(), 2u);
    test::execRaw(other, "ROLLBACK");
}

TEST_F(DueScanTest, RowsWithAnUnreadableDateAreToldOnceAndBlockNoOther) {
    db.exec("INSERT INTO OTReminder (remainder, remdate) VALUES ('from a phone', "
            "'06/12/2026 10:00 AM'), ('x', '2026-02-29 10:00')");
    add("first", at(9, 0));
    add("second", at(9, 1));
    alert.answerAll(2, AlertAnswer::Dismiss);
    scan.Timer1_Timer();
    EXPECT_THAT(alert.messages(), ElementsAre("first", "second"));
    EXPECT_THAT(boxes.shown,
                ElementsAre(AllOf(HasSubstr("\"06/12/2026 10:00 AM\": from a phone"),
                                  HasSubstr("\"2026-02-29 10:00\""), HasSubstr("KELVOR.db"))));

    add("third", at(9, 2));
    alert.answerAll(1, AlertAnswer::Dismiss);
    scan.Timer1_Timer();
    EXPECT_EQ(alert.shown.size(), 3u);
    EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(DueScanTest, UnreadableDatabaseIsReportedAndTheNextTickTriesAgain) {
    add("x", at(9, 0));
    store::gConn.close();
    scan.Timer1_Timer();
    EXPECT_THAT(boxes.shown, ElementsAre(AllOf(StartsWith("Reminder: "), HasSubstr("KELVOR.db"))));

    store::ConnectDatabase(db.path());
    alert.answerAll(1, AlertAnswer::Dismiss);
    scan.Timer1_Timer();
    EXPECT_EQ(alert.shown.size(), 1u);
}

} // namespace
} // namespace davrin::shell
