// Opening the reminder database file, creating it when missing, and the program-wide connection.
#include "reminder/store/database.h"

#include "reminder/store/file_access.h"
#include "reminder/store/schema.h"
#include "reminder/store/statement.h"
#include "reminder/store/store_error.h"

#include <algorithm>
#include <thread>

namespace davrin::store {

FilePath gDbPath;
Connection gConn;

sqlite3* Connection::handle() const {
    if (!db_) {
        throw StoreError(StoreErrorKind::CannotOpen, path_,
                         "The reminder file \"" + path_.utf8() + "\" is not open.");
    }
    return db_.get();
}

LockWaitLimit::LockWaitLimit(const Connection& conn, std::chrono::milliseconds limit)
    : conn_(conn), left_(limit) {
    // A closed connection is reported by the first statement, where the caller expects it.
    if (conn_.isOpen())
        sqlite3_busy_handler(conn_.handle(), &LockWaitLimit::onBusy, this);
}

LockWaitLimit::~LockWaitLimit() {
    if (conn_.isOpen())
        sqlite3_busy_timeout(conn_.handle(), static_cast<int>(conn_.busyTimeout().count()));
}

// Counts only the time spent waiting, so slow work between statements uses up nothing.
int LockWaitLimit::onBusy(void* self, int) {
    auto& limit = *static_cast<LockWaitLimit*>(self);
    if (limit.left_ <= limit.left_.zero())
        return 0;
    const auto start = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(
        std::min<std::chrono::steady_clock::duration>(limit.left_, std::chrono::milliseconds(10)));
    limit.left_ -= std::chrono::steady_clock::now() - start;
    return 1;
}

Connection openDatabase(const FilePath& file, std::chrono::milliseconds busyTimeout) {
    Connection conn;
    conn.path_ = file;
    conn.busyTimeout_ = busyTimeout;

    const FileLookup found = lookUp(file);
    if (found.error != 0) {
        throwStoreError(conn, SQLITE_CANTOPEN, "looking for the file");
    }
    const bool exists = found.kind != FileKind::Missing;
    // Without SQLITE_OPEN_CREATE for an existing file, so that a file that vanishes meanwhile is
    // reported instead of silently replaced by an empty one.
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX | SQLITE_OPEN_EXRESCODE |
                      (exists ? 0 : SQLITE_OPEN_CREATE);
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(file.utf8().c_str(), &raw, flags, nullptr);
    conn.db_.reset(raw);
    if (rc != SQLITE_OK) {
        throwStoreError(conn, rc, "opening the file");
    }
    sqlite3_busy_timeout(raw, static_cast<int>(busyTimeout.count()));

    // Opening reads nothing; this first read is where a foreign or damaged file shows itself.
    const bool empty = isEmptyDatabase(conn);
    if (sqlite3_db_readonly(raw, "main") == 1) {
        throwStoreError(conn, SQLITE_READONLY, "opening the file");
    }
    if (empty) {
        createSchema(conn);
        conn.madeInEmptyFile_ = exists;
    } else {
        checkSchema(conn);
    }
    return conn;
}

void ConnectDatabase(const FilePath& programFolder) {
    gDbPath = programFolder / "KELVOR.db";
    gConn.close();
    gConn = openDatabase(gDbPath);
}

} // namespace davrin::store
