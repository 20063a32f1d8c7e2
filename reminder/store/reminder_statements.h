// Every statement the program issues against the reminder database, one function each.
#pragma once

#include "reminder/store/database.h"
#include "reminder/store/date_time.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace davrin::store {

// The longest reminder message the store accepts, in Unicode characters.
inline constexpr std::size_t kMaxMessageLength = 255;
// The longest mobile number the store accepts, in characters.
inline constexpr std::size_t kMaxMobileNumberLength = 12;

// One row of OTReminder: a one-time reminder, or one dated occurrence of a recurring one.
struct Occurrence {
    std::int64_t remid = 0;
    std::int64_t recurrid = 0; // 0 for a one-time reminder, else the series' recurrID
    std::string remainder;     // the message, UTF-8
    LocalDateTime remdate;     // meaningless when unreadableRemdate is set
    int remdel = 0;
    int remsms = 0;    // non-zero: send by SMS
    int SMSStatus = 0; // 1 once handed to the SMS gateway
    // The stored remdate text when it is not a date and time the store can read (a row written by
    // another tool: "06/12/2026 10:00 AM", "24:00"). Such a row is never due and never sent.
    std::optional<std::string> unreadableRemdate;

    friend bool operator==(const Occurrence&, const Occurrence&) = default;
};

// The settings row of Param.
struct Settings {
    int snoozeinterval = 0; // minutes
    std::string mobileno;   // digits, at most kMaxMobileNumberLength
    std::string newsserver; // host (and optional port) of the news line server; empty = none

    friend bool operator==(const Settings&, const Settings&) = default;
};

enum class RepeatKind { Daily, Weekly, Monthly, Quarterly, HalfYearly, Yearly };

// One row of RECReminder: how a recurring reminder was defined.
struct RecurringDefinition {
    std::string remainder;
    LocalDateTime remdate;                    // the first occurrence
    RepeatKind remrepeat = RepeatKind::Daily; // stored as "D", "W", "M", "Q", "H" or "Y"
    int remrectimes = 0; // number of occurrences; 0 when the series ends on a date
    std::optional<std::chrono::year_month_day> remenddate; // last date, when it ends on a date
    int remsms = 0;
};

// Thought for the day with the given "dd-MMM" key (see toDayKey); empty when there is none.
std::optional<std::string> thoughtOfDay(const Connection& conn, std::string_view dayKey);

// Occurrences with remdate at or before `now` (the equal minute is due), earliest first, ties by
// remid; at most `maxRows` of them (the scan needs only the first two). Rows with an unreadable
// remdate that the query meets on the way come along where their text sorts, uncounted, so the
// caller can report them; they never stop the rows after them.
std::vector<Occurrence>
dueOccurrences(const Connection& conn, const LocalDateTime& now,
               std::size_t maxRows = std::numeric_limits<std::size_t>::max());

// Deletes one occurrence; false when there was no such row.
bool deleteOccurrence(const Connection& conn, std::int64_t remid);
// Deletes every occurrence of a series (its RECReminder row stays); returns how many went.
std::int64_t deleteSeries(const Connection& conn, std::int64_t recurrid);

// Moves an occurrence to a new due time, keeping everything else; false when there was no row.
bool moveOccurrence(const Connection& conn, std::int64_t remid, const LocalDateTime& newTime);

// The first row of Param; empty when the table has no row.
std::optional<Settings> readSettings(const Connection& conn);
// Updates the first row of Param, or adds it when the table has none.
void saveSettings(const Connection& conn, const Settings& settings);

// Inserts a one-time reminder (recurrid 0, remdel 0, SMSStatus 0); returns its new remid.
std::int64_t insertOneTimeReminder(const Connection& conn, std::string_view message,
                                   const LocalDateTime& remdate, int remsms);
// Rewrites an occurrence's message, time and SMS flag and sets remdel to 0; its recurrid and
// SMSStatus stay. False when there was no such row.
bool updateOccurrence(const Connection& conn, std::int64_t remid, std::string_view message,
                      const LocalDateTime& remdate, int remsms);
// The occurrence with this remid, if it exists.
std::optional<Occurrence> selectOccurrence(const Connection& conn, std::int64_t remid);

// Stores a recurring definition and all its occurrences (message and SMS flag taken from the
// definition) in one transaction: all of it or nothing. Returns the new recurrID, which every
// occurrence carries as its recurrid.
std::int64_t insertRecurringReminder(const Connection& conn, const RecurringDefinition& definition,
                                     std::span<const LocalDateTime> occurrences);

// Which rows the list window shows, and how they are sorted.
enum class ListKind { OneTime, Recurring };   // recurrid = 0, recurrid <> 0
enum class ListSortKey { DateTime, Message }; // remdate, remainder (case-insensitive for ASCII)
enum class SortDirection { Ascending, Descending };
// Rows of one kind in the chosen order; rows that tie are in remid order (reversed when
// descending). Rows with an unreadable remdate are listed where their text sorts.
std::vector<Occurrence> listOccurrences(const Connection& conn, ListKind kind, ListSortKey key,
                                        SortDirection direction);

// Occurrences to hand to the SMS gateway: remsms <> 0, SMSStatus = 0 and remdate at or before
// `limit`, earliest first, ties by remid. Rows with an unreadable remdate are left out.
std::vector<Occurrence> smsOccurrences(const Connection& conn, const LocalDateTime& limit);
// Records that the gateway accepted an occurrence (SMSStatus = 1); false when there was no row.
bool markSmsHandedOver(const Connection& conn, std::int64_t remid);

} // namespace davrin::store
