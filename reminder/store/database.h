// The reminder database file: opening or creating it, and the program-wide connection.
#pragma once

#include "reminder/store/file_path.h"
#include "reminder/store/sqlite_handles.h"

#include <chrono>

namespace davrin::store {

// One open reminder database. Every statement function takes one of these.
class Connection {
public:
    Connection() = default; // closed
    bool isOpen() const { return db_ != nullptr; }
    void close() { db_.reset(); }
    // Throws StoreError (CannotOpen) when the connection is closed.
    sqlite3* handle() const;
    // The file, for error messages.
    const FilePath& path() const { return path_; }
    // How long one statement waits for another program to release the file.
    std::chrono::milliseconds busyTimeout() const { return busyTimeout_; }
    // True when the file existed but held nothing (zero bytes, or a database without tables),
    // and opening made a new reminder store in it: whatever it held before is gone.
    bool madeInEmptyFile() const { return madeInEmptyFile_; }

private:
    friend Connection openDatabase(const FilePath&, std::chrono::milliseconds);
    SqliteConnection db_;
    FilePath path_;
    std::chrono::milliseconds busyTimeout_{0};
    bool madeInEmptyFile_ = false;
};

// While it lives, the statements on `conn` wait for locks held by other programs at most `limit`
// all together; once that is used up, a locked file fails at once. Then the connection waits as
// it did before. For work that must not hold the window thread, such as a timer tick.
class LockWaitLimit {
public:
    LockWaitLimit(const Connection& conn, std::chrono::milliseconds limit);
    ~LockWaitLimit();
    LockWaitLimit(const LockWaitLimit&) = delete;
    LockWaitLimit& operator=(const LockWaitLimit&) = delete;

private:
    static int onBusy(void* self, int attempts);
    const Connection& conn_;
    std::chrono::steady_clock::duration left_;
};

// How long a statement waits for another program to release the file before it gives up.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{3000};

// Opens `file`, creating it with the reminder tables and the thoughts for the day when it does
// not exist or is empty. An existing file is never recreated: one that is not a reminder
// database, is damaged, locked or read-only is reported by a StoreError and left unchanged. A
// file made before some optional column existed gets that column with its default.
Connection openDatabase(const FilePath& file,
                        std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);

// The database file beside the program: programFolder / "KELVOR.db". Set by ConnectDatabase.
extern FilePath gDbPath;
// The program-wide connection; closed until ConnectDatabase succeeds.
extern Connection gConn;

// Sets gDbPath and (re)opens gConn on it. On failure gConn stays closed and a StoreError
// names the file and the cause.
void ConnectDatabase(const FilePath& programFolder);

} // namespace davrin::store
