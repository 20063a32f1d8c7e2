// Tests of opening the reminder file: creation, reopening, and files that must be left alone.
#include "reminder/store/database.h"
#include "reminder/store/reminder_statements.h"
#include "reminder/store/store_test_support.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>

#ifdef __linux__
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>
#endif

namespace davrin::store {
namespace {

using test::execRaw;
using test::queryInt;
using test::readFile;
using test::storeErrorOf;
using test::TempFolder;
using test::writeFile;
using testing::HasSubstr;
using namespace std::chrono_literals;

bool writable(const std::filesystem::path& file) {
    std::FILE* probe = std::fopen(file.string().c_str(), "r+b");
    if (probe)
        std::fclose(probe);
    return probe != nullptr;
}

// Takes the write permissions away; an account that writes regardless (root, which CI runs as)
// gets the file marked immutable, which stops root too. Both are undone at the end.
class WriteProtection {
public:
    explicit WriteProtection(const std::filesystem::path& file) : file_(file) {
        std::filesystem::permissions(file,
                                     std::filesystem::perms::owner_write |
                                         std::filesystem::perms::group_write |
                                         std::filesystem::perms::others_write,
                                     std::filesystem::perm_options::remove);
#ifdef __linux__
        if (writable(file))
            immutable_ = setImmutable(true);
#endif
    }
    ~WriteProtection() {
#ifdef __linux__
        if (immutable_)
            setImmutable(false);
#endif
    }
    WriteProtection(const WriteProtection&) = delete;
    WriteProtection& operator=(const WriteProtection&) = delete;

private:
#ifdef __linux__
    bool setImmutable(bool on) const {
        const int fd = ::open(file_.c_str(), O_RDONLY);
        if (fd < 0)
            return false;
        int flags = 0;
        bool done = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        done = done && ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }
#endif

    std::filesystem::path file_;
    bool immutable_ = false;
};

// Opening must fail with `kind`, name the file, and leave its bytes exactly as they were.
void expectRefusedAndUntouched(const std::filesystem::path& file, StoreErrorKind kind) {
    const std::string before = readFile(file);
    const auto e = storeErrorOf([&] { openDatabase(file, 50ms); });
    EXPECT_EQ(e.kind, kind) << e.message;
    EXPECT_EQ(e.file, file);
    EXPECT_THAT(e.message, HasSubstr(file.string()));
    EXPECT_EQ(readFile(file), before);
    EXPECT_FALSE(std::filesystem::exists(file.string() + "-journal"));
}

TEST(OpenDatabase, CreatesAMissingFileOnceAndKeepsItOnReopening) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    {
        const Connection conn = openDatabase(file);
        // A line for each day of a leap year, found by the scan's key.
        for (LocalDateTime day(2024, 1, 1); day.year() == 2024; day = day.addDays(1)) {
            EXPECT_TRUE(thoughtOfDay(conn, toDayKey(day))) << toDayKey(day);
        }

        execRaw(conn, "DELETE FROM ThoughtMst WHERE month = '01-Jan'");
    }
    // Reading rows back from a reopened file is the older file's test. Nothing is put back
    // either: an existing file is the user's, as it is.
    const Connection conn = openDatabase(file);
    EXPECT_EQ(queryInt(conn, "SELECT count(*) FROM ThoughtMst"), 365);
    EXPECT_FALSE(conn.madeInEmptyFile());
}

TEST(OpenDatabase, AnOlderFileGetsTheMissingColumnsAndKeepsItsRows) {
    TempFolder folder;
    // Made before newsserver and remdel existed, with a settings row and a reminder.
    const auto older = folder / "older.db";
    const LocalDateTime when(2026, 12, 5, 9, 30);
    std::int64_t remid = 0;
    {
        const Connection conn = openDatabase(older);
        remid = insertOneTimeReminder(conn, "Keep me", when, 1);
        execRaw(conn, "INSERT INTO Param (snoozeinterval, mobileno) VALUES (30, '0123')");
        execRaw(conn, "ALTER TABLE Param DROP COLUMN newsserver");
        execRaw(conn, "ALTER TABLE OTReminder DROP COLUMN remdel");
    }
    {
        // Another program writing it: the file cannot be brought up now, and stays as it is.
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(older.string().c_str(), &raw), SQLITE_OK);
        SqliteConnection other(raw);
        ASSERT_EQ(sqlite3_exec(raw, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr), SQLITE_OK);
        expectRefusedAndUntouched(older, StoreErrorKind::Locked);
    }
    const Connection conn = openDatabase(older);
    EXPECT_EQ(readSettings(conn), (Settings{30, "0123", ""}));
    EXPECT_EQ(selectOccurrence(conn, remid),
              (Occurrence{remid, 0, "Keep me", when, 0, 1, 0, std::nullopt}));

    // A column nothing can stand in for: not a reminder database.
    const auto foreign = folder / "foreign.db";
    execRaw(openDatabase(foreign), "ALTER TABLE ThoughtMst DROP COLUMN message");
    expectRefusedAndUntouched(foreign, StoreErrorKind::NotADatabase);
}

TEST(OpenDatabase, ForeignAndBrokenFilesAreReportedAndLeftAlone) {
    TempFolder folder;
    const auto text = folder / "text.db";
    writeFile(text, "Shopping list\r\n- milk\r\n- bread\r\n");
    expectRefusedAndUntouched(text, StoreErrorKind::NotADatabase);

    // A real reminder database cut short, as a failed copy leaves it.
    const auto whole = folder / "whole.db";
    openDatabase(whole);
    const std::string full = readFile(whole);
    ASSERT_GT(full.size(), 16384u);
    const auto truncated = folder / "truncated.db";
    writeFile(truncated, std::string_view(full).substr(0, 8192));
    expectRefusedAndUntouched(truncated, StoreErrorKind::Damaged);

    // Another program's database: a database, but not ours, so nothing is added to it.
    const auto other = folder / "other.db";
    {
        sqlite3* raw = nullptr;
        ASSERT_EQ(sqlite3_open(other.string().c_str(), &raw), SQLITE_OK);
        SqliteConnection db(raw);
        ASSERT_EQ(sqlite3_exec(raw, "CREATE TABLE photos (name TEXT)", nullptr, nullptr, nullptr),
                  SQLITE_OK);
    }
    expectRefusedAndUntouched(other, StoreErrorKind::NotADatabase);
}

TEST(OpenDatabase, AMissingFolderOrAReadOnlyFileIsReported) {
    TempFolder folder;
    const auto lost = folder / "no such folder" / "KELVOR.db";
    const auto e = storeErrorOf([&] { openDatabase(lost); });
    EXPECT_EQ(e.kind, StoreErrorKind::CannotOpen) << e.message;
    EXPECT_THAT(e.message, HasSubstr(lost.string()));
    EXPECT_FALSE(std::filesystem::exists(folder / "no such folder"));

    const auto file = folder / "KELVOR.db";
    openDatabase(file);
    const WriteProtection protection(file);
    if (writable(file))
        GTEST_SKIP() << "this account may write read-only files and cannot mark them immutable";
    expectRefusedAndUntouched(file, StoreErrorKind::ReadOnly);
}

// Opening against a lock is the older file's test; the due scan's tells a locked read. Here
// another writer's open transaction: reading still works, writing waits and then fails.
TEST(OpenDatabase, AnotherWritersTransactionLetsReadsThroughAndWritesFailAfterTheBusyTimeout) {
    TempFolder folder;
    const auto file = folder / "KELVOR.db";
    const Connection other = openDatabase(file);
    const Connection conn = openDatabase(file, 50ms);
    execRaw(other, "BEGIN IMMEDIATE");
    EXPECT_TRUE(dueOccurrences(conn, LocalDateTime(2026, 12, 5, 9, 30)).empty());
    const auto blocked = storeErrorOf([&] { saveSettings(conn, Settings{45, "", ""}); });
    EXPECT_EQ(blocked.kind, StoreErrorKind::Locked) << blocked.message;
    EXPECT_THAT(blocked.message, HasSubstr(file.string()));
}

// Every other test opens its file through ConnectDatabase; here a folder only the wide calls
// reach, and a failed reconnect.
TEST(ConnectDatabase, OpensAWideNamedFolderAndAFailedReconnectLeavesNoConnection) {
    TempFolder temp;
    const auto folder = temp.path() / u8"Programs \u00C4 \u4E2D";
    std::filesystem::create_directory(folder);
    ConnectDatabase(folder);
    EXPECT_EQ(gDbPath, folder / "KELVOR.db");
    EXPECT_TRUE(std::filesystem::is_regular_file(folder / "KELVOR.db"));
    TempFolder broken;
    writeFile(broken / "KELVOR.db", "not a database at all, just some words in a file");
    EXPECT_THROW(ConnectDatabase(broken.path()), StoreError);
    EXPECT_EQ(gDbPath, broken / "KELVOR.db");
    EXPECT_FALSE(gConn.isOpen());
    EXPECT_EQ(storeErrorOf([&] { selectOccurrence(gConn, 1); }).kind, StoreErrorKind::CannotOpen);
}

} // namespace
} // namespace davrin::store
