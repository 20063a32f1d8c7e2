// The reminder tables: created once in a new file, checked in an existing one.
#include "schema.h"

#include "statement.h"
#include "store_error.h"
#include "thoughts.h"

#include <array>

namespace davrin {

namespace {

constexpr std::array<std::string_view, 4> kTables{"OTReminder", "RECReminder", "Param",
                                                  "ThoughtMst"};

// AUTOINCREMENT so that an id is never handed out twice, even after the newest row is deleted:
// a stale id held by an open window must not start pointing at someone else's reminder.
constexpr std::array<std::string_view, 9> kSchema{
    "CREATE TABLE OTReminder ("
    " remid INTEGER PRIMARY KEY AUTOINCREMENT,"
    " recurrid INTEGER NOT NULL DEFAULT 0,"
    " remainder TEXT NOT NULL DEFAULT '' CHECK (length(remainder) <= 255),"
    " remdate TEXT NOT NULL,"
    " remdel INTEGER NOT NULL DEFAULT 0,"
    " remsms INTEGER NOT NULL DEFAULT 0,"
    " SMSStatus INTEGER NOT NULL DEFAULT 0)",
    "CREATE INDEX OTReminder_remdate ON OTReminder (remdate)",
    "CREATE INDEX OTReminder_recurrid ON OTReminder (recurrid, remdate)",
    "CREATE INDEX OTReminder_sms_pending ON OTReminder (remdate)"
    " WHERE remsms <> 0 AND SMSStatus = 0",
    "CREATE TABLE RECReminder ("
    " recurrID INTEGER PRIMARY KEY AUTOINCREMENT,"
    " remainder TEXT NOT NULL DEFAULT '' CHECK (length(remainder) <= 255),"
    " remdate TEXT NOT NULL,"
    " remrepeat TEXT NOT NULL,"
    " remrectimes INTEGER NOT NULL DEFAULT 0,"
    " remenddate TEXT,"
    " remsms INTEGER NOT NULL DEFAULT 0)",
    "CREATE TABLE Param ("
    " snoozeinterval INTEGER NOT NULL DEFAULT 0,"
    " mobileno TEXT NOT NULL DEFAULT '' CHECK (length(mobileno) <= 12),"
    " newsserver TEXT NOT NULL DEFAULT '')",
    "CREATE TABLE ThoughtMst (month TEXT NOT NULL PRIMARY KEY, message TEXT NOT NULL)",
    // 0x4476726E, "Dvrn": marks the file as ours for tools that read the header.
    "PRAGMA application_id = 1148613230",
    "PRAGMA user_version = 1",
};

void fillThoughts(const Connection& conn) {
    Statement insert(conn, "INSERT INTO ThoughtMst (month, message) VALUES (?1, ?2)");
    // Walk a leap year so that 29 February gets its thought too.
    LocalDateTime day(2024, 1, 1);
    for (const std::string_view thought : thoughtsForTheDay()) {
        insert.bind(1, std::string_view{toDayKey(day)}).bind(2, thought).run();
        insert.reset();
        day = day.addDays(1);
    }
}

} // namespace

void createSchema(const Connection& conn) {
    Transaction transaction(conn);
    for (const std::string_view sql : kSchema) {
        Statement(conn, sql).run();
    }
    fillThoughts(conn);
    transaction.commit();
}

bool isEmptyDatabase(const Connection& conn) {
    Statement count(conn, "SELECT count(*) FROM sqlite_schema");
    count.step();
    return count.columnInt64(0) == 0;
}

void checkSchema(const Connection& conn) {
    Statement find(conn, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 "
                         "COLLATE NOCASE");
    for (const std::string_view table : kTables) {
        find.bind(1, table);
        const bool found = find.step();
        find.reset();
        if (!found) {
            const auto u8 = conn.path().u8string();
            throw StoreError(StoreErrorKind::NotADatabase, conn.path(),
                             "The file \"" + std::string(u8.begin(), u8.end()) +
                                 "\" is a database, but not a reminder database (it has no " +
                                 std::string(table) + " table). It was left unchanged.");
        }
    }
}

} // namespace davrin
