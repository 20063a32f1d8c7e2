// Minute-precision local date-time: calendar arithmetic and the program's text forms.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace davrin::store {

// A wall-clock moment in local time, to the minute. Reminders never carry seconds or a zone:
// they fall due at a local minute, whatever the offset is then.
class LocalDateTime {
public:
    // Midnight, 1 January 2000; only so the type can live in structs and containers.
    LocalDateTime() = default;
    // Throws std::invalid_argument unless the fields name a real minute in years 1 to 9999.
    LocalDateTime(int year, unsigned month, unsigned day, int hour = 0, int minute = 0);
    // Throws std::invalid_argument unless the date is valid (years 1 to 9999) and 0 <= time < 24 h.
    LocalDateTime(std::chrono::year_month_day date, std::chrono::minutes timeOfDay);
    // Empty when the fields do not name a real minute (for parsing user input without throwing).
    static std::optional<LocalDateTime> fromFields(int year, unsigned month, unsigned day, int hour,
                                                   int minute);

    std::chrono::year_month_day date() const { return date_; }
    std::chrono::minutes timeOfDay() const { return time_; }
    int year() const;
    unsigned month() const;
    unsigned day() const;
    int hour() const;   // 0 to 23
    int minute() const; // 0 to 59
    std::chrono::weekday dayOfWeek() const;
    // The same calendar day at midnight.

    // Arithmetic throws std::out_of_range when the result leaves years 1 to 9999.
    LocalDateTime addMinutes(std::int64_t minutes) const;
    LocalDateTime addDays(std::int64_t days) const;
    // Months, quarters and years keep the time and clamp the day to the end of the target month
    // (31 January + 1 month = 28 or 29 February).
    LocalDateTime addMonths(std::int64_t months) const;
    LocalDateTime addQuarters(std::int64_t quarters) const;
    LocalDateTime addYears(std::int64_t years) const;

    friend bool operator==(const LocalDateTime&, const LocalDateTime&) = default;
    friend std::strong_ordering operator<=>(const LocalDateTime& a, const LocalDateTime& b);

private:
    std::chrono::year_month_day date_{std::chrono::year{2000}, std::chrono::January,
                                      std::chrono::day{1}};
    std::chrono::minutes time_{0};
};

// English names, whatever the user's regional settings: the thought keys depend on them.
std::string_view englishWeekdayName(std::chrono::weekday wd);    // "Saturday"
std::string_view englishMonthName(std::chrono::month m);         // "December"
std::string_view englishMonthAbbreviation(std::chrono::month m); // "Dec"

// Storage form "YYYY-MM-DD HH:MM" (24-hour); sorts and compares like the moments it names.
std::string toStorageText(const LocalDateTime& t);
// Strict inverse of toStorageText: exactly 16 characters, digits where digits belong, real date.
std::optional<LocalDateTime> parseStorageText(std::string_view text);

// Schedule form "dd/MM/yyyy hh:mm AM/PM", 12-hour clock: "05/12/2026 03:07 PM".
std::string toScheduleText(const LocalDateTime& t);
// "yyyy-MM-dd": "2026-12-05".
std::string toIsoDateText(const LocalDateTime& t);
// Key of the thought for the day, "dd-MMM": "05-Dec".
std::string toDayKey(const LocalDateTime& t);
// Editor captions, "dddd dd,  MMMM yyyy" (two blanks after the comma): "Saturday 05,  December
// 2026".
std::string toCaptionDateText(const LocalDateTime& t);
// List window date line, "dddd dd MMMM yyyy": "Saturday 05 December 2026".
std::string toLongDateText(const LocalDateTime& t);
// Alert heading time, "dddd dd mmm yyyy hh:mm AM/PM": "Saturday 05 Dec 2026 03:07 PM".
std::string toAlertTimeText(const LocalDateTime& t);
// General date-and-time text, day first and 24-hour with seconds: "05/12/2026 15:07:00".
std::string toGeneralText(const LocalDateTime& t);

} // namespace davrin::store
