// Tests of opening the reminder file: creation, reopening, and files that must be left alone.
#include "database.h"
#include "reminder_statements.h"
#include "store_error.h"
#include "store_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>

namespace davrin {
namespace {

using test::execRaw;
using test::queryInt;
using test::readFile;
using test::TempFolder;
using test::writeFile;
using namespace std::chrono_literals;

std::string pathText(const std::filesystem::path& p) {
    const auto u8 = p.u8string();
    return std::string(u8.begin(), u8.end());
}

// Opening must fail with `kind`, name the file, and leave its bytes exactly as they were.
void expectRefusedAndUntouched(const std::filesystem::path& file, StoreErrorKind kind) {
    const std::string before = readFile(file);
    try {
        openDatabase(file, 50ms);
        ADD_FAILURE() << "opened " << pathText(file);
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), kind) << e.what();
        EXPECT_EQ(e.file(), file);
        EXPECT_NE(std::string(e.what()).find(pathText(file)), std::string::npos) << e.what();
    }
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(std::filesystem::exists(file.string() + "-journal"));
}

TEST(OpenDatabase, CreatesAMissingFileWithTablesAndEveryThought) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    const Connection conn = openDatabase(file);
    ASSERT_TRUE(std::filesystem::exists(file));

    for (const char* table : {"OTReminder", "RECReminder", "Param", "ThoughtMst"}) {
        EXPECT_EQ(queryInt(conn, std::string("SELECT count(*) FROM sqlite_schema WHERE type = "
                                             "'table' AND name = '") +
                                     table + "'"),
                  1)
            << table;
    }
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM OTReminder"), 0);
    EXPECT_FALSE(readSettings(conn));
    // The due query must be answered from the index, not by reading the whole table.
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM sqlite_schema WHERE type = 'index' AND "
                             "tbl_name = 'OTReminder' AND sql LIKE '%(remdate)'"),
              1);

    // One distinct thought for each day of a leap year, found by the key the scan builds.
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM ThoughtMst"), 366);
    EXPECT_EQ(queryInt(conn, "SELECT count(DISTINCT message) FROM ThoughtMst"), 366);
    std::set<std::string> seen;
    for (LocalDateTime day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
        const auto thought = thoughtOfDay(conn, toDayKey(day));
        ASSERT_TRUE(thought) << toDayKey(day);
        EXPECT_FALSE(thought->empty());
        EXPECT_LE(thought->size(), 80u) << *thought;
        for (const char c : *thought) {
            EXPECT_TRUE(c >= ' ' && c <= '~') << *thought;
        }
        seen.insert(*thought);
    }
    EXPECT_EQ(seen.size(), 366u);
    EXPECT_TRUE(thoughtOfDay(conn, "29-Feb"));
    EXPECT_FALSE(thoughtOfDay(conn, "30-Feb"));
    EXPECT_FALSE(thoughtOfDay(conn, "05-dec")); // keys compare exactly, as the scan builds them
}

TEST(OpenDatabase, ReopeningKeepsDataAndNeverRecreates) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    std::int64_t remid = 0;
    {
        const Connection conn = openDatabase(file);
        remid = insertOneTimeReminder(conn, "Keep me", LocalDateTime(2026, 12, 5, 9, 30), 1);
        saveSettings(conn, Settings{30, "0123456789", "news.example"});
        execRaw(conn, "DELETE FROM ThoughtMst WHERE month = '01-Jan'");
    }
    const Connection conn = openDatabase(file);
    const auto row = selectOccurrence(conn, remid);
    ASSERT_TRUE(row);
    EXPECT_EQ(row->remainder, "Keep me");
    EXPECT_EQ(readSettings(conn), (Settings{30, "0123456789", "news.example"}));
    // The thoughts are not put back either: an existing file is the user's, as it is.
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM ThoughtMst"), 365);
}

TEST(OpenDatabase, AnEmptyFileGetsTheTables) {
    // A zero-byte file holds nothing to lose, and SQLite treats it as an empty database.
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    writeFile(file, "");
    const Connection conn = openDatabase(file);
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM ThoughtMst"), 366);
}

TEST(OpenDatabase, ForeignAndBrokenFilesAreReportedAndLeftAlone) {
    TempFolder folder;
    const auto text = folder / "text.db";
    writeFile(text, "Shopping list\r\n- milk\r\n- bread\r\n");
    expectRefusedAndUntouched(text, StoreErrorKind::NotADatabase);

    const auto garbage = folder / "garbage.db";
    std::string bytes(8192, '\0');
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = static_cast<char>((i * 7919u + 13u) % 251u);
    }
    writeFile(garbage, bytes);
    expectRefusedAndUntouched(garbage, StoreErrorKind::NotADatabase);

    // A real reminder database cut short, as a failed copy leaves it.
    const auto whole = folder / "whole.db";
    {
        const Connection conn = openDatabase(whole);
        execRaw(conn, "BEGIN");
        for (int i = 0; i < 200; ++i) {
            insertOneTimeReminder(conn, std::string(200, 'x'), LocalDateTime(2026, 1, 1), 0);
        }
        execRaw(conn, "COMMIT");
    }
    const std::string full = readFile(whole);
    ASSERT_GT(full.size(), 16384u);
    const auto truncated = folder / "truncated.db";
    writeFile(truncated, std::string_view(full).substr(0, 8192));
    expectRefusedAndUntouched(truncated, StoreErrorKind::Damaged);

    // Another program's database: a database, but not ours, so nothing is added to it.
    const auto other = folder / "other.db";
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(pathText(other).c_str(), &raw), SQLITE_OK);
        SqliteConnection db(raw);
        ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE photos (name TEXT)", nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    expectRefusedAndUntouched(other, StoreErrorKind::NotADatabase);
}

TEST(OpenDatabase, AMissingFolderIsReported) {
    TempFolder folder;
    const auto file = folder / "no such folder" / "KELVOR.db";
    try {
        openDatabase(file);
        ADD_FAILURE() << "opened a file in a missing folder";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::CannotOpen) << e.what();
        EXPECT_NE(std::string(e.what()).find(pathText(file)), std::string::npos);
    }
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));
}

TEST(OpenDatabase, AReadOnlyFileIsReported) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    openDatabase(file);
    std::filesystem::permissions(file,
                                 std::filesystem::perms::owner_write |
                                     std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (std::FILE* probe = std::fopen(pathText(file).c_str(), "r+b")) {
        std::fclose(probe);
        GTEST_SKIP() << "this account may write read-only files (it is an administrator)";
    }
    expectRefusedAndUntouched(file, StoreErrorKind::ReadOnly);
}

TEST(OpenDatabase, AFileLockedByAnotherProgramIsReportedAfterTheBusyTimeout) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    const Connection other = openDatabase(file);
    const Connection conn = openDatabase(file, 50ms);
    const LocalDateTime when(2026, 12, 5, 9, 30);

    // Another writer's open transaction: reading still works, writing waits and then fails.
    execRaw(other, "BEGIN IMMEDIATE");
    execRaw(other, "INSERT INTO Param (snoozeinterval) VALUES (45)");
    EXPECT_TRUE(dueOccurrences(conn, when).empty());
    try {
        insertOneTimeReminder(conn, "Blocked", when, 0);
        ADD_FAILURE() << "wrote through another program's lock";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::Locked) << e.what();
        EXPECT_NE(std::string(e.what()).find(pathText(file)), std::string::npos);
    }
    // An exclusive lock keeps even a new connection from reading the file.
    execRaw(other, "COMMIT");
    execRaw(other, "BEGIN EXCLUSIVE");
    try {
        openDatabase(file, 50ms);
        ADD_FAILURE() << "opened a file another program holds exclusively";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::Locked) << e.what();
    }
    execRaw(other, "ROLLBACK");

    // Once released, the same connection works again and nothing was half written.
    const auto remid = insertOneTimeReminder(conn, "After", when, 0);
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM OTReminder"), 1);
    EXPECT_EQ(selectOccurrence(conn, remid)->remainder, "After");
    EXPECT_EQ(readSettings(conn)->snoozeinterval, 45);
}

TEST(ConnectDatabase, OpensTheFileBesideTheProgramAndReopensOnEachCall) {
    TempFolder folder;
    ConnectDatabase(folder.path());
    EXPECT_EQ(gDbPath, folder / "KELVOR.db");
    ASSERT_TRUE(gConn.isOpen());
    const auto remid = insertOneTimeReminder(gConn, "Hello", LocalDateTime(2026, 12, 5), 0);
    ConnectDatabase(folder.path());
    EXPECT_TRUE(selectOccurrence(gConn, remid));

    // A failed reconnect leaves gConn closed rather than on the previous file.
    TempFolder broken;
    writeFile(broken / "KELVOR.db", "not a database at all, just some words in a file");
    EXPECT_THROW(ConnectDatabase(broken.path()), StoreError);
    EXPECT_EQ(gDbPath, broken / "KELVOR.db");
    EXPECT_FALSE(gConn.isOpen());
    try {
        selectOccurrence(gConn, remid);
        ADD_FAILURE() << "a closed connection answered";
    } catch (const StoreError& e) {
        EXPECT_EQ(e.kind(), StoreErrorKind::CannotOpen);
    }
}

} // namespace
} // namespace davrin
