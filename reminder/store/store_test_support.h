// Test helpers for code that uses the store: a throw-away folder and raw looks at the file.
#pragma once

#include "reminder/store/database.h"
#include "reminder/store/date_time.h"
#include "reminder/store/store_error.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <ostream>
#include <random>
#include <string>
#include <string_view>

namespace davrin::store {

// Lets test failures show date-times as text.
inline void PrintTo(const store::LocalDateTime& t, std::ostream* out) {
    *out << store::toStorageText(t);
}

} // namespace davrin::store

namespace davrin::test {

// A new empty folder under the system's temporary folder, removed with everything in it.
class TempFolder {
public:
    TempFolder() {
        static std::atomic<unsigned> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        path_ = std::filesystem::temp_directory_path() /
                ("davrin-" + std::to_string(stamp) + "-" + std::to_string(std::random_device{}()) +
                 "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(std::string_view name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeFile(const std::filesystem::path& file, std::string_view bytes) {
    std::ofstream(file, std::ios::binary) << bytes;
}

// What `call` threw as a StoreError; no kind when it threw none.
struct Thrown {
    std::optional<store::StoreErrorKind> kind;
    std::string message;
    store::FilePath file;
};
template <class F> Thrown storeErrorOf(F call) {
    try {
        call();
    } catch (const store::StoreError& e) {
        return {e.kind(), e.what(), e.file()};
    }
    return {};
}

// Runs SQL straight on the connection, for setting up situations the store never creates.
inline void execRaw(const store::Connection& conn, const std::string& sql) {
    if (sqlite3_exec(conn.handle(), sql.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        throw std::runtime_error(std::string(sqlite3_errmsg(conn.handle())) + " in: " + sql);
    }
}

// The first column of the first row of a query, as an integer.
inline std::int64_t queryInt(const store::Connection& conn, const std::string& sql) {
    sqlite3_stmt* raw = nullptr;
    sqlite3_prepare_v2(conn.handle(), sql.c_str(), -1, &raw, nullptr);
    store::SqliteStatement stmt(raw);
    if (sqlite3_step(raw) != SQLITE_ROW) {
        throw std::runtime_error(std::string(sqlite3_errmsg(conn.handle())) + " in: " + sql);
    }
    return sqlite3_column_int64(raw, 0);
}

} // namespace davrin::test
