// Prepared statements and transactions, with SQLite's failures turned into StoreErrors.
#include "reminder/store/statement.h"

#include "reminder/store/store_error.h"

#include <limits>

namespace davrin::store {

void throwStoreError(const Connection& conn, int rc, std::string_view doing) {
    const std::string file = conn.path().utf8();
    const std::string engine = conn.isOpen() ? sqlite3_errmsg(conn.handle()) : sqlite3_errstr(rc);
    std::string what = "The reminder file \"" + file + "\" ";
    StoreErrorKind kind = StoreErrorKind::Other;
    switch (rc & 0xff) {
    case SQLITE_NOTADB:
        kind = StoreErrorKind::NotADatabase;
        what += "is not a reminder database. It was left unchanged.";
        break;
    case SQLITE_CORRUPT:
        kind = StoreErrorKind::Damaged;
        what += "is damaged and cannot be read. It was left unchanged; restore it from a copy.";
        break;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        kind = StoreErrorKind::Locked;
        what += "is in use by another program. Close that program and try again.";
        break;
    case SQLITE_READONLY:
    case SQLITE_PERM:
        kind = StoreErrorKind::ReadOnly;
        what += "cannot be written: the file or its folder is read-only.";
        break;
    case SQLITE_CANTOPEN:
        kind = StoreErrorKind::CannotOpen;
        what += "cannot be opened: the file or its folder is missing, read-only or not accessible.";
        break;
    case SQLITE_FULL:
        what += "cannot grow: the disk is full.";
        break;
    case SQLITE_IOERR:
        what += "could not be read or written (a disk error).";
        break;
    case SQLITE_CONSTRAINT:
    case SQLITE_TOOBIG:
    case SQLITE_MISMATCH:
    case SQLITE_RANGE:
        kind = StoreErrorKind::InvalidValue;
        what += "refused a value";
        what += ": ";
        what += engine;
        what += '.';
        break;
    default:
        what += "reported an error: ";
        what += engine;
        what += '.';
        break;
    }
    if (!doing.empty()) {
        what += " (while ";
        what += doing;
        what += ')';
    }
    throw StoreError(kind, conn.path(), what);
}

Statement::Statement(const Connection& conn, std::string_view sql) : conn_(conn) {
    sqlite3_stmt* raw = nullptr;
    const int rc =
        sqlite3_prepare_v2(conn.handle(), sql.data(), static_cast<int>(sql.size()), &raw, nullptr);
    stmt_.reset(raw);
    if (rc != SQLITE_OK) {
        throwStoreError(conn_, rc, "reading the file");
    }
}

Statement& Statement::bind(int index, std::int64_t value) {
    if (const int rc = sqlite3_bind_int64(stmt_.get(), index, value); rc != SQLITE_OK) {
        throwStoreError(conn_, rc, "saving a value");
    }
    return *this;
}

Statement& Statement::bind(int index, std::string_view utf8) {
    if (utf8.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) {
        throwStoreError(conn_, SQLITE_TOOBIG, "saving a text");
    }
    // SQLITE_TRANSIENT: SQLite copies the text, so the caller's buffer may go away.
    const int rc = sqlite3_bind_text(stmt_.get(), index, utf8.empty() ? "" : utf8.data(),
                                     static_cast<int>(utf8.size()), SQLITE_TRANSIENT);
    if (rc != SQLITE_OK) {
        throwStoreError(conn_, rc, "saving a text");
    }
    return *this;
}

Statement& Statement::bind(int index, const LocalDateTime& value) {
    return bind(index, std::string_view{toStorageText(value)});
}

Statement& Statement::bindNull(int index) {
    if (const int rc = sqlite3_bind_null(stmt_.get(), index); rc != SQLITE_OK) {
        throwStoreError(conn_, rc, "saving a value");
    }
    return *this;
}

bool Statement::step() {
    const int rc = sqlite3_step(stmt_.get());
    if (rc == SQLITE_ROW) {
        return true;
    }
    if (rc == SQLITE_DONE) {
        return false;
    }
    throwStoreError(conn_, rc, "reading or saving reminders");
}

std::int64_t Statement::run() {
    while (step()) {
    }
    return sqlite3_changes64(conn_.handle());
}

void Statement::reset() {
    // The result code repeats the last step's error, which step() has already reported.
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
}

std::int64_t Statement::columnInt64(int column) const {
    return sqlite3_column_int64(stmt_.get(), column);
}

int Statement::columnInt(int column) const {
    return sqlite3_column_int(stmt_.get(), column);
}

std::string Statement::columnText(int column) const {
    const auto* text = sqlite3_column_text(stmt_.get(), column);
    const int bytes = sqlite3_column_bytes(stmt_.get(), column);
    return text ? std::string(reinterpret_cast<const char*>(text), static_cast<std::size_t>(bytes))
                : std::string{};
}

Transaction::Transaction(const Connection& conn) : conn_(conn) {
    Statement(conn_, "BEGIN IMMEDIATE").run();
}

Transaction::~Transaction() {
    if (open_) {
        // Nothing sensible to do if the rollback fails: the engine rolls back on close anyway.
        sqlite3_exec(conn_.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
    }
}

void Transaction::commit() {
    Statement(conn_, "COMMIT").run();
    open_ = false;
}

} // namespace davrin::store
