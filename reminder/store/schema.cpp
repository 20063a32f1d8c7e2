// The reminder tables: made in a new file, checked and brought up to date in an existing one.
#include "reminder/store/schema.h"

#include "reminder/store/statement.h"
#include "reminder/store/store_error.h"
#include "reminder/store/thoughts.h"

#include <array>
#include <string>
#include <vector>

namespace davrin::store {

namespace {

constexpr std::array<std::string_view, 4> kTables{"OTReminder", "RECReminder", "Param",
                                                  "ThoughtMst"};

// Every column the program uses. A file made before a column existed, or by another tool, gets
// the columns that have a default; one without a column that has none is not ours.
struct Column {
    std::string_view table;
    std::string_view name;
    std::string_view addWithDefault; // empty: the column cannot be made up
};
constexpr std::array<Column, 19> kColumns{{
    {"OTReminder", "remid", ""},
    {"OTReminder", "recurrid",
     "ALTER TABLE OTReminder ADD COLUMN recurrid INTEGER NOT NULL DEFAULT 0"},
    {"OTReminder", "remainder", ""},
    {"OTReminder", "remdate", ""},
    {"OTReminder", "remdel", "ALTER TABLE OTReminder ADD COLUMN remdel INTEGER NOT NULL DEFAULT 0"},
    {"OTReminder", "remsms", "ALTER TABLE OTReminder ADD COLUMN remsms INTEGER NOT NULL DEFAULT 0"},
    {"OTReminder", "SMSStatus",
     "ALTER TABLE OTReminder ADD COLUMN SMSStatus INTEGER NOT NULL DEFAULT 0"},
    {"RECReminder", "recurrID", ""},
    {"RECReminder", "remainder", ""},
    {"RECReminder", "remdate", ""},
    {"RECReminder", "remrepeat", ""},
    {"RECReminder", "remrectimes",
     "ALTER TABLE RECReminder ADD COLUMN remrectimes INTEGER NOT NULL DEFAULT 0"},
    {"RECReminder", "remenddate", "ALTER TABLE RECReminder ADD COLUMN remenddate TEXT"},
    {"RECReminder", "remsms",
     "ALTER TABLE RECReminder ADD COLUMN remsms INTEGER NOT NULL DEFAULT 0"},
    {"Param", "snoozeinterval",
     "ALTER TABLE Param ADD COLUMN snoozeinterval INTEGER NOT NULL DEFAULT 0"},
    {"Param", "mobileno",
     "ALTER TABLE Param ADD COLUMN mobileno TEXT NOT NULL DEFAULT ''"
     " CHECK (length(mobileno) <= 12)"},
    {"Param", "newsserver", "ALTER TABLE Param ADD COLUMN newsserver TEXT NOT NULL DEFAULT ''"},
    {"ThoughtMst", "month", ""},
    {"ThoughtMst", "message", ""},
}};

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

[[noreturn]] void throwNotOurs(const Connection& conn, const std::string& missing) {
    throw StoreError(StoreErrorKind::NotADatabase, conn.path(),
                     "The file \"" + conn.path().utf8() +
                         "\" is a database, but not a reminder database (it has no " + missing +
                         "). It was left unchanged.");
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
    Statement findTable(conn, "SELECT 1 FROM sqlite_schema WHERE type = 'table' AND name = ?1 "
                              "COLLATE NOCASE");
    for (const std::string_view table : kTables) {
        findTable.bind(1, table);
        const bool found = findTable.step();
        findTable.reset();
        if (!found)
            throwNotOurs(conn, std::string(table) + " table");
    }
    Statement findColumn(conn, "SELECT 1 FROM pragma_table_info(?1) WHERE name = ?2 "
                               "COLLATE NOCASE");
    std::vector<std::string_view> additions;
    for (const Column& column : kColumns) {
        findColumn.bind(1, column.table).bind(2, column.name);
        const bool found = findColumn.step();
        findColumn.reset();
        if (found)
            continue;
        if (column.addWithDefault.empty())
            throwNotOurs(conn, std::string(column.name) + " column in its " +
                                   std::string(column.table) + " table");
        additions.push_back(column.addWithDefault);
    }
    if (additions.empty())
        return;
    // All or nothing: a file that cannot be written (locked, read-only) stays as it was.
    Transaction transaction(conn);
    for (const std::string_view sql : additions)
        Statement(conn, sql).run();
    transaction.commit();
}

} // namespace davrin::store
