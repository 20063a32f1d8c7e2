// Inside the store: a prepared statement with typed binding, and a transaction guard.
#pragma once

#include "reminder/store/database.h"
#include "reminder/store/date_time.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace davrin::store {

// Throws the StoreError that matches SQLite's result code `rc`, naming the connection's file.
[[noreturn]] void throwStoreError(const Connection& conn, int rc, std::string_view doing);

// One statement, prepared on a connection and finalized when it goes out of scope.
// Parameters are numbered from 1, columns from 0, as SQLite numbers them.
class Statement {
public:
    Statement(const Connection& conn, std::string_view sql);

    Statement& bind(int index, std::int64_t value);
    Statement& bind(int index, std::string_view utf8);
    Statement& bind(int index, const LocalDateTime& value); // as storage text
    Statement& bindNull(int index);

    // Advances to the next row; false when there is none left.
    bool step();
    // Runs a statement that returns no rows; returns how many rows it changed.
    std::int64_t run();
    // Makes the statement ready to run again with new values.
    void reset();

    std::int64_t columnInt64(int column) const;
    int columnInt(int column) const;
    std::string columnText(int column) const;

private:
    const Connection& conn_;
    SqliteStatement stmt_;
};

// Begins an immediate transaction; rolls it back on destruction unless commit() was called.
class Transaction {
public:
    explicit Transaction(const Connection& conn);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;
    void commit();

private:
    const Connection& conn_;
    bool open_ = true;
};

} // namespace davrin::store
