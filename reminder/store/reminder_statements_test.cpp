// Tests of the store statements against a real database file. Inserting, reading and updating one
// occurrence, the due query and a series that fails half way are the editors' and the scan's tests.
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace davrin::store {
namespace {

using test::execRaw;
using test::queryInt;
using test::storeErrorOf;
using test::TempFolder;
using V = std::vector<std::int64_t>;

class Statements : public ::testing::Test {
protected:
    TempFolder folder;
    Connection conn = openDatabase(folder / "KELVOR.db");

    std::int64_t add(const std::string& message, LocalDateTime when, int sms = 0) {
        return insertOneTimeReminder(conn, message, when, sms);
    }
    std::int64_t count(const std::string& where = "1") {
        return queryInt(conn, "SELECT count(*) FROM OTReminder WHERE " + where);
    }
    // Expects `call` to be refused as an invalid value whose text names the file.
    template <class F> void expectInvalid(F call) {
        const auto e = storeErrorOf(call);
        EXPECT_EQ(e.kind, StoreErrorKind::InvalidValue) << e.message;
        EXPECT_THAT(e.message, testing::HasSubstr("KELVOR.db"));
    }
};

V ids(const std::vector<Occurrence>& rows) {
    V out;
    for (const auto& r : rows) {
        out.push_back(r.remid);
    }
    return out;
}

TEST_F(Statements, MessagesRoundTripUnchanged) {
    const std::string nasty[] = {
        "'); DELETE FROM OTReminder; --",
        "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC \xE4\xBC\x9A\xE8\xAD\xB0 \xF0\x9F\x94\x94 "
        "\xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D",
        "   padded   ", "", std::string("nul\0inside", 10)};
    const LocalDateTime when(2026, 12, 5, 9, 0);
    for (const auto& message : nasty) {
        const auto remid = add(message, when);
        EXPECT_EQ(selectOccurrence(conn, remid)->remainder, message);
        EXPECT_TRUE(updateOccurrence(conn, remid, message + "!", when, 0));
        EXPECT_EQ(selectOccurrence(conn, remid)->remainder, message + "!");
    }
}

TEST_F(Statements, MessagesOverTwoHundredFiftyFiveCharactersAreRefused) {
    const LocalDateTime when(2026, 12, 5, 9, 0);
    std::string bells;
    for (int i = 0; i < 255; ++i) {
        bells += "\xF0\x9F\x94\x94"; // four bytes, one character
    }
    // Characters count, not bytes.
    EXPECT_NO_THROW(add(std::string(255, 'a'), when));
    const auto remid = add(bells, when);
    EXPECT_EQ(selectOccurrence(conn, remid)->remainder, bells);

    expectInvalid([&] { add(std::string(256, 'a'), when); });
    expectInvalid([&] { updateOccurrence(conn, remid, bells + "\xC3\xA9", when, 0); });
    expectInvalid([&] {
        insertRecurringReminder(conn, {std::string(256, 'a'), when, RepeatKind::Daily, 1, {}, 0},
                                {&when, 1});
    });
    // Not text at all: a stray continuation byte, a cut-off sequence, an encoded surrogate, an
    // overlong slash.
    for (const char* broken : {"a\x80z", "cut \xE2\x82", "\xED\xA0\x80", "\xC0\xAF"}) {
        expectInvalid([&] { add(broken, when); });
    }
    EXPECT_EQ(count(), 2);
    EXPECT_EQ(selectOccurrence(conn, remid)->remainder, bells);
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM RECReminder"), 0);
}

// Which row a move or a delete touches is the due scan's test; here what a move keeps.
TEST_F(Statements, AMoveKeepsEverythingButTheTime) {
    const LocalDateTime now(2026, 12, 5, 10, 7);
    const auto a = add("a", now, 1);
    execRaw(conn, "UPDATE OTReminder SET SMSStatus = 1, recurrid = 4");
    moveOccurrence(conn, a, now.addMinutes(30));
    EXPECT_EQ(selectOccurrence(conn, a),
              (Occurrence{a, 4, "a", now.addMinutes(30), 0, 1, 1, std::nullopt}));
}

TEST_F(Statements, IdsAreNeverReusedAfterADelete) {
    const LocalDateTime when(2026, 12, 5, 9, 0);
    add("first", when);
    const auto newest = add("second", when);
    deleteOccurrence(conn, newest);
    EXPECT_GT(add("third", when), newest);
}

TEST_F(Statements, RecurringReminderIsStoredWithAllItsOccurrences) {
    const LocalDateTime start(2026, 1, 31, 21, 30);
    const std::vector<LocalDateTime> dates{start, start.addMonths(1), start.addMonths(2)};
    const auto first = insertRecurringReminder(
        conn, {"Pay rent", start, RepeatKind::Monthly, 0, std::chrono::year{2026} / 3 / 31, 1},
        dates);
    const auto second =
        insertRecurringReminder(conn, {"Water plants", start, RepeatKind::Weekly, 2, {}, 0},
                                std::vector{start, start.addDays(7)});
    const std::string ofFirst = "recurrid = " + std::to_string(first);
    EXPECT_EQ(count(ofFirst + " AND remainder = 'Pay rent' AND remsms = 1 AND remdel = 0 AND "
                              "SMSStatus = 0 AND remdate IN ('2026-01-31 21:30', "
                              "'2026-02-28 21:30', '2026-03-31 21:30')"),
              3);
    // The definition rows are read back by the series editor's tests.

    // A series may have no occurrence left to store (its dates all passed).
    const auto empty =
        insertRecurringReminder(conn, {"Gone", start, RepeatKind::Yearly, 1, {}, 0}, {});
    EXPECT_GT(empty, second);
    EXPECT_EQ(count("recurrid = " + std::to_string(empty)), 0);

    const auto unknown = static_cast<RepeatKind>(99);
    expectInvalid([&] { insertRecurringReminder(conn, {"x", start, unknown, 1, {}, 0}, dates); });

    // Deleting a series removes its occurrences only; the definitions stay.
    add("single", start);
    EXPECT_EQ(deleteSeries(conn, first), 3);
    EXPECT_EQ(count("recurrid = " + std::to_string(second)), 2);
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM RECReminder"), 3);
    // 0 is the mark of one-time reminders, not a series: they are never swept away with it.
    EXPECT_EQ(deleteSeries(conn, 0), 0);
    EXPECT_EQ(count(), 3);
}

TEST_F(Statements, ListsSeparateTheKindsAndSortEachWay) {
    const LocalDateTime d1(2026, 5, 1, 9, 0), d2(2026, 5, 2, 9, 0), d3(2026, 5, 3, 9, 0);
    const auto banana = add("banana", d1);
    const auto apple = add("Apple", d3);
    const auto cherry = add("cherry", d2);
    const auto apple2 = add("apple", d2); // ties "Apple" by message
    // Stored in the order given, so the later date gets the smaller remid.
    insertRecurringReminder(conn, {"Zebra", d1, RepeatKind::Daily, 2, {}, 0}, std::vector{d3, d1});
    const auto late = apple2 + 1, early = apple2 + 2;

    using enum ListKind;
    using enum ListSortKey;
    using enum SortDirection;
    const std::tuple<ListKind, ListSortKey, SortDirection, V> cases[] = {
        {OneTime, DateTime, Ascending, {banana, cherry, apple2, apple}},
        {OneTime, DateTime, Descending, {apple, apple2, cherry, banana}},
        {OneTime, Message, Ascending, {apple, apple2, banana, cherry}},
        {OneTime, Message, Descending, {cherry, banana, apple2, apple}},
        {Recurring, DateTime, Ascending, {early, late}},
        {Recurring, DateTime, Descending, {late, early}},
    };
    for (const auto& [kind, key, direction, expected] : cases) {
        EXPECT_EQ(ids(listOccurrences(conn, kind, key, direction)), expected)
            << static_cast<int>(kind) << static_cast<int>(key) << static_cast<int>(direction);
    }
}

// Adding and updating the row is the settings window's test.
TEST_F(Statements, MobileNumbersOverTwelveDigitsAreRefused) {
    saveSettings(conn, {15, "123456789012", ""});
    expectInvalid([&] { saveSettings(conn, {15, "1234567890123", ""}); });
    EXPECT_EQ(readSettings(conn)->mobileno, "123456789012");
}

// Rows whose date other tools wrote in a form of their own: the due and list queries pass them
// along (the due scan's and the list's tests); the SMS query leaves them out.
TEST_F(Statements, TheSmsQuerySkipsRowsWithAnUnreadableDate) {
    const LocalDateTime now(2026, 12, 5, 10, 7);
    const auto due = add("due", now.addMinutes(-5), 1);
    execRaw(conn, "INSERT INTO OTReminder (remainder, remdate, remsms) VALUES ('foreign', "
                  "'06/12/2026 10:00 AM', 1), ('x', '24:00', 1)");
    const auto alsoDue = add("also due", now, 1);
    EXPECT_EQ(ids(smsOccurrences(conn, now.addDays(30))), (V{due, alsoDue}));
}

} // namespace
} // namespace davrin::store
