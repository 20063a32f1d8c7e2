// Test support: a reminder database in a temporary folder, raw SQL, and fake editing services.
#pragma once

#include "clock.h"
#include "database.h"
#include "editor_services.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

namespace davrin::test {

class TempDatabase {
public:
    TempDatabase() {
        std::random_device rd;
        folder_ = std::filesystem::temp_directory_path() /
                  ("davrin-editing-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(folder_);
        conn = openDatabase(folder_ / "KELVOR.db");
    }
    ~TempDatabase() {
        conn.close();
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    TempDatabase(const TempDatabase&) = delete;
    TempDatabase& operator=(const TempDatabase&) = delete;

    // For arranging what no store function does, and for breaking things on purpose.
    void exec(const std::string& sql) const {
        char* error = nullptr;
        const int rc = sqlite3_exec(conn.handle(), sql.c_str(), nullptr, nullptr, &error);
        const std::string message = error ? error : "";
        sqlite3_free(error);
        ASSERT_EQ(rc, SQLITE_OK) << sql << ": " << message;
    }

    std::int64_t count(const std::string& sqlFromWhere) const {
        sqlite3_stmt* stmt = nullptr;
        const std::string sql = "SELECT count(*) " + sqlFromWhere;
        EXPECT_EQ(sqlite3_prepare_v2(conn.handle(), sql.c_str(), -1, &stmt, nullptr), SQLITE_OK)
            << sql;
        std::int64_t n = -1;
        if (sqlite3_step(stmt) == SQLITE_ROW)
            n = sqlite3_column_int64(stmt, 0);
        sqlite3_finalize(stmt);
        return n;
    }

    // Makes every further insert into `table` fail, as a full disk would.
    void failInsertsInto(const std::string& table, int afterRows = 0) const {
        exec("CREATE TRIGGER fail_" + table + " BEFORE INSERT ON " + table +
             " WHEN (SELECT count(*) FROM " + table + ") >= " + std::to_string(afterRows) +
             " BEGIN SELECT RAISE(ABORT, 'database or disk is full'); END");
    }

    Connection conn;

private:
    std::filesystem::path folder_;
};

// Saturday 5 December 2026, 09:30 PM.
inline LocalDateTime testNow() {
    return LocalDateTime(2026, 12, 5, 21, 30);
}

} // namespace davrin::test
