// The reminder database file: opening or creating it, and the program-wide connection.
#pragma once

#include "sqlite_handles.h"

#include <chrono>
#include <filesystem>

namespace davrin {

// One open reminder database. Every statement function takes one of these.
class Connection {
public:
    Connection() = default; // closed
    bool isOpen() const { return db_ != nullptr; }
    void close() { db_.reset(); }
    // Throws StoreError (CannotOpen) when the connection is closed.
    sqlite3* handle() const;
    // The file, for error messages.
    const std::filesystem::path& path() const { return path_; }

private:
    friend Connection openDatabase(const std::filesystem::path&, std::chrono::milliseconds);
    SqliteConnection db_;
    std::filesystem::path path_;
};

// How long a statement waits for another program to release the file before it gives up.
inline constexpr std::chrono::milliseconds kDefaultBusyTimeout{3000};

// Opens `file`, creating it with the reminder tables and the thoughts for the day when it does
// not exist. An existing file is never recreated or changed by opening: one that is not a
// reminder database, is damaged, locked or read-only is reported by a StoreError.
Connection openDatabase(const std::filesystem::path& file,
                        std::chrono::milliseconds busyTimeout = kDefaultBusyTimeout);

// The database file beside the program: programFolder / "KELVOR.db". Set by ConnectDatabase.
extern std::filesystem::path gDbPath;
// The program-wide connection; closed until ConnectDatabase succeeds.
extern Connection gConn;

// Sets gDbPath and (re)opens gConn on it. On failure gConn stays closed and a StoreError
// names the file and the cause.
void ConnectDatabase(const std::filesystem::path& programFolder);

} // namespace davrin
