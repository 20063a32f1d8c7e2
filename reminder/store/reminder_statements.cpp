// The program's statements on the reminder tables, each with bound values and typed rows.
#include "reminder/store/reminder_statements.h"

#include "reminder/store/statement.h"
#include "reminder/store/store_error.h"

#include <array>
#include <limits>

namespace davrin::store {

namespace {

constexpr std::string_view kOccurrenceColumns =
    "remid, recurrid, remainder, remdate, remdel, remsms, SMSStatus";

// One row at a time, so that a row another tool wrote cannot take the others down with it.
Occurrence readOccurrence(const Statement& row) {
    Occurrence o{row.columnInt64(0), row.columnInt64(1), row.columnText(2), {},
                 row.columnInt(4),   row.columnInt(5),   row.columnInt(6),  std::nullopt};
    std::string remdate = row.columnText(3);
    if (const auto t = parseStorageText(remdate))
        o.remdate = *t;
    else
        o.unreadableRemdate = std::move(remdate);
    return o;
}

enum class Unreadable { Keep, Skip };

// Up to `maxReadable` rows with a readable remdate; rows without one are kept or skipped.
std::vector<Occurrence>
readOccurrences(Statement& query, Unreadable unreadable,
                std::size_t maxReadable = std::numeric_limits<std::size_t>::max()) {
    std::vector<Occurrence> rows;
    std::size_t readable = 0;
    while (readable < maxReadable && query.step()) {
        Occurrence o = readOccurrence(query);
        if (!o.unreadableRemdate)
            ++readable;
        else if (unreadable == Unreadable::Skip)
            continue;
        rows.push_back(std::move(o));
    }
    return rows;
}

std::string select(std::string_view rest) {
    std::string sql = "SELECT ";
    sql += kOccurrenceColumns;
    sql += " FROM OTReminder ";
    sql += rest;
    return sql;
}

// Number of Unicode characters in `text`, or empty when it is not well-formed UTF-8.
std::optional<std::size_t> countCharacters(std::string_view text) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < text.size(); ++count) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = 0;
        char32_t cp = 0;
        if (lead < 0x80) {
            length = 1;
            cp = lead;
        } else if (lead >= 0xc2 && lead <= 0xdf) {
            length = 2;
            cp = lead & 0x1fu;
        } else if (lead >= 0xe0 && lead <= 0xef) {
            length = 3;
            cp = lead & 0x0fu;
        } else if (lead >= 0xf0 && lead <= 0xf4) {
            length = 4;
            cp = lead & 0x07u;
        } else {
            return std::nullopt;
        }
        if (text.size() - i < length) {
            return std::nullopt;
        }
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            if ((next & 0xc0u) != 0x80u) {
                return std::nullopt;
            }
            cp = (cp << 6) | (next & 0x3fu);
        }
        // Overlong forms, surrogates and code points past U+10FFFF are not text.
        constexpr std::array<char32_t, 5> kSmallest{0, 0, 0x80, 0x800, 0x10000};
        if (cp < kSmallest[length] || (cp >= 0xd800 && cp <= 0xdfff) || cp > 0x10ffff) {
            return std::nullopt;
        }
        i += length;
    }
    return count;
}

[[noreturn]] void throwInvalid(const Connection& conn, const std::string& cause) {
    throw StoreError(StoreErrorKind::InvalidValue, conn.path(),
                     cause + " Nothing was saved to \"" + conn.path().utf8() + "\".");
}

void checkText(const Connection& conn, std::string_view text, std::size_t maxCharacters,
               std::string_view what) {
    const auto count = countCharacters(text);
    if (!count) {
        throwInvalid(conn, "The " + std::string(what) + " is not valid Unicode text.");
    }
    if (*count > maxCharacters) {
        throwInvalid(conn, "The " + std::string(what) + " has " + std::to_string(*count) +
                               " characters; at most " + std::to_string(maxCharacters) +
                               " are allowed.");
    }
}

void checkMessage(const Connection& conn, std::string_view message) {
    checkText(conn, message, kMaxMessageLength, "reminder message");
}

} // namespace

std::optional<std::string> thoughtOfDay(const Connection& conn, std::string_view dayKey) {
    Statement query(conn, "SELECT message FROM ThoughtMst WHERE month = ?1");
    query.bind(1, dayKey);
    if (!query.step()) {
        return std::nullopt;
    }
    return query.columnText(0);
}

std::vector<Occurrence> dueOccurrences(const Connection& conn, const LocalDateTime& now,
                                       std::size_t maxRows) {
    // No LIMIT: unreadable rows must not use up the rows asked for. The index hands the rows out
    // in order, so stopping early still reads only as far as needed.
    Statement query(conn, select("WHERE remdate <= ?1 ORDER BY remdate, remid"));
    query.bind(1, now);
    return readOccurrences(query, Unreadable::Keep, maxRows);
}

bool deleteOccurrence(const Connection& conn, std::int64_t remid) {
    return Statement(conn, "DELETE FROM OTReminder WHERE remid = ?1").bind(1, remid).run() > 0;
}

std::int64_t deleteSeries(const Connection& conn, std::int64_t recurrid) {
    // recurrid 0 marks the one-time reminders; they are not a series.
    if (recurrid == 0) {
        return 0;
    }
    return Statement(conn, "DELETE FROM OTReminder WHERE recurrid = ?1").bind(1, recurrid).run();
}

bool moveOccurrence(const Connection& conn, std::int64_t remid, const LocalDateTime& newTime) {
    return Statement(conn, "UPDATE OTReminder SET remdate = ?1 WHERE remid = ?2")
               .bind(1, newTime)
               .bind(2, remid)
               .run() > 0;
}

std::optional<Settings> readSettings(const Connection& conn) {
    Statement query(conn, "SELECT snoozeinterval, mobileno, newsserver FROM Param "
                          "ORDER BY rowid LIMIT 1");
    if (!query.step()) {
        return std::nullopt;
    }
    return Settings{query.columnInt(0), query.columnText(1), query.columnText(2)};
}

void saveSettings(const Connection& conn, const Settings& settings) {
    checkText(conn, settings.mobileno, kMaxMobileNumberLength, "mobile number");
    checkText(conn, settings.newsserver, std::numeric_limits<std::size_t>::max(),
              "news server address");
    Transaction transaction(conn);
    const std::int64_t changed =
        Statement(conn, "UPDATE Param SET snoozeinterval = ?1, mobileno = ?2, newsserver = ?3 "
                        "WHERE rowid = (SELECT min(rowid) FROM Param)")
            .bind(1, std::int64_t{settings.snoozeinterval})
            .bind(2, settings.mobileno)
            .bind(3, settings.newsserver)
            .run();
    if (changed == 0) {
        Statement(conn, "INSERT INTO Param (snoozeinterval, mobileno, newsserver) "
                        "VALUES (?1, ?2, ?3)")
            .bind(1, std::int64_t{settings.snoozeinterval})
            .bind(2, settings.mobileno)
            .bind(3, settings.newsserver)
            .run();
    }
    transaction.commit();
}

std::int64_t insertOneTimeReminder(const Connection& conn, std::string_view message,
                                   const LocalDateTime& remdate, int remsms) {
    checkMessage(conn, message);
    Statement(conn, "INSERT INTO OTReminder (recurrid, remainder, remdate, remdel, remsms) "
                    "VALUES (0, ?1, ?2, 0, ?3)")
        .bind(1, message)
        .bind(2, remdate)
        .bind(3, std::int64_t{remsms})
        .run();
    return sqlite3_last_insert_rowid(conn.handle());
}

bool updateOccurrence(const Connection& conn, std::int64_t remid, std::string_view message,
                      const LocalDateTime& remdate, int remsms) {
    checkMessage(conn, message);
    return Statement(conn, "UPDATE OTReminder SET remainder = ?1, remdate = ?2, remdel = 0, "
                           "remsms = ?3 WHERE remid = ?4")
               .bind(1, message)
               .bind(2, remdate)
               .bind(3, std::int64_t{remsms})
               .bind(4, remid)
               .run() > 0;
}

std::optional<Occurrence> selectOccurrence(const Connection& conn, std::int64_t remid) {
    Statement query(conn, select("WHERE remid = ?1"));
    query.bind(1, remid);
    if (!query.step()) {
        return std::nullopt;
    }
    return readOccurrence(query);
}

namespace {

// The letter stored in remrepeat.
std::string_view repeatCode(const Connection& conn, RepeatKind kind) {
    switch (kind) {
    case RepeatKind::Daily:
        return "D";
    case RepeatKind::Weekly:
        return "W";
    case RepeatKind::Monthly:
        return "M";
    case RepeatKind::Quarterly:
        return "Q";
    case RepeatKind::HalfYearly:
        return "H";
    case RepeatKind::Yearly:
        return "Y";
    }
    throwInvalid(conn, "The repeat kind is unknown.");
}

} // namespace

std::int64_t insertRecurringReminder(const Connection& conn, const RecurringDefinition& definition,
                                     std::span<const LocalDateTime> occurrences) {
    checkMessage(conn, definition.remainder);
    const std::string_view code = repeatCode(conn, definition.remrepeat);
    Transaction transaction(conn);
    Statement insertDefinition(conn, "INSERT INTO RECReminder (remainder, remdate, remrepeat, "
                                     "remrectimes, remenddate, remsms) "
                                     "VALUES (?1, ?2, ?3, ?4, ?5, ?6)");
    insertDefinition.bind(1, definition.remainder)
        .bind(2, definition.remdate)
        .bind(3, code)
        .bind(4, std::int64_t{definition.remrectimes})
        .bind(6, std::int64_t{definition.remsms});
    if (definition.remenddate) {
        const LocalDateTime end(*definition.remenddate, std::chrono::minutes{0});
        insertDefinition.bind(5, std::string_view{toIsoDateText(end)});
    } else {
        insertDefinition.bindNull(5);
    }
    insertDefinition.run();
    // The id of the row just inserted, not the largest id: another writer cannot confuse it.
    const std::int64_t recurrID = sqlite3_last_insert_rowid(conn.handle());

    Statement insertOccurrence(conn, "INSERT INTO OTReminder (recurrid, remainder, remdate, "
                                     "remdel, remsms) VALUES (?1, ?2, ?3, 0, ?4)");
    for (const LocalDateTime& when : occurrences) {
        insertOccurrence.bind(1, recurrID)
            .bind(2, definition.remainder)
            .bind(3, when)
            .bind(4, std::int64_t{definition.remsms})
            .run();
        insertOccurrence.reset();
    }
    transaction.commit();
    return recurrID;
}

std::vector<Occurrence> listOccurrences(const Connection& conn, ListKind kind, ListSortKey key,
                                        SortDirection direction) {
    // Eight fixed texts rather than one composed at run time: nothing is ever pasted into SQL.
    static constexpr std::array<std::string_view, 8> kQueries{
        "WHERE recurrid = 0 ORDER BY remdate ASC, remid ASC",
        "WHERE recurrid = 0 ORDER BY remdate DESC, remid DESC",
        "WHERE recurrid = 0 ORDER BY remainder COLLATE NOCASE ASC, remid ASC",
        "WHERE recurrid = 0 ORDER BY remainder COLLATE NOCASE DESC, remid DESC",
        "WHERE recurrid <> 0 ORDER BY remdate ASC, remid ASC",
        "WHERE recurrid <> 0 ORDER BY remdate DESC, remid DESC",
        "WHERE recurrid <> 0 ORDER BY remainder COLLATE NOCASE ASC, remid ASC",
        "WHERE recurrid <> 0 ORDER BY remainder COLLATE NOCASE DESC, remid DESC",
    };
    const std::size_t index = (kind == ListKind::Recurring ? 4u : 0u) +
                              (key == ListSortKey::Message ? 2u : 0u) +
                              (direction == SortDirection::Descending ? 1u : 0u);
    Statement query(conn, select(kQueries[index]));
    return readOccurrences(query, Unreadable::Keep);
}

std::vector<Occurrence> smsOccurrences(const Connection& conn, const LocalDateTime& limit) {
    Statement query(conn, select("WHERE remdate <= ?1 AND remsms <> 0 AND SMSStatus = 0 "
                                 "ORDER BY remdate, remid"));
    query.bind(1, limit);
    return readOccurrences(query, Unreadable::Skip);
}

bool markSmsHandedOver(const Connection& conn, std::int64_t remid) {
    return Statement(conn, "UPDATE OTReminder SET SMSStatus = 1 WHERE remid = ?1")
               .bind(1, remid)
               .run() > 0;
}

} // namespace davrin::store
