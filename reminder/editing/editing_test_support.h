// Test support shared with the shell's tests: gConn on a reminder database in a folder of its own.
#pragma once

#include "reminder/store/clock.h"
#include "reminder/store/store_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace davrin::test {

class TempDatabase : public TempFolder {
public:
    TempDatabase() { store::ConnectDatabase(path()); }
    ~TempDatabase() { store::gConn.close(); }

    // For arranging what no store function does, and for breaking things on purpose.
    void exec(const std::string& sql) const { execRaw(conn, sql); }
    std::int64_t count(const std::string& fromWhere) const {
        return queryInt(conn, "SELECT count(*) " + fromWhere);
    }
    // Makes every further insert into `table` fail, as a full disk would.
    void failInsertsInto(const std::string& table, int afterRows = 0) const {
        exec("CREATE TRIGGER fail_" + table + " BEFORE INSERT ON " + table +
             " WHEN (SELECT count(*) FROM " + table + ") >= " + std::to_string(afterRows) +
             " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
    }

    store::Connection& conn = store::gConn;
};

// Saturday 5 December 2026, 09:30 PM.
inline store::LocalDateTime testNow() {
    return store::LocalDateTime(2026, 12, 5, 21, 30);
}

} // namespace davrin::test
