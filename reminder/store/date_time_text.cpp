// The text forms of a date-time: storage, schedule, captions, keys and the general form.
#include "reminder/store/date_time.h"

#include <array>

namespace davrin::store {

using namespace std::chrono;

namespace {

constexpr std::array<std::string_view, 7> kWeekdays{"Sunday",   "Monday", "Tuesday", "Wednesday",
                                                    "Thursday", "Friday", "Saturday"};
constexpr std::array<std::string_view, 12> kMonths{"January",   "February", "March",    "April",
                                                   "May",       "June",     "July",     "August",
                                                   "September", "October",  "November", "December"};

// Appends `value` as exactly `width` decimal digits, zero-padded.
void appendDigits(std::string& out, long value, int width) {
    std::array<char, 8> buf{};
    for (int i = width - 1; i >= 0; --i) {
        buf[static_cast<std::size_t>(i)] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(buf.data(), static_cast<std::size_t>(width));
}

int hour12(const LocalDateTime& t) {
    const int h = t.hour() % 12;
    return h == 0 ? 12 : h;
}

std::string_view halfOfDay(const LocalDateTime& t) {
    return t.hour() < 12 ? "AM" : "PM";
}

// Reads `width` digits at `pos`; -1 when any of them is not a digit.
int readDigits(std::string_view text, std::size_t pos, std::size_t width) {
    int value = 0;
    for (std::size_t i = pos; i < pos + width; ++i) {
        if (text[i] < '0' || text[i] > '9') {
            return -1;
        }
        value = value * 10 + (text[i] - '0');
    }
    return value;
}

void appendDdMmYyyy(std::string& out, const LocalDateTime& t) {
    appendDigits(out, t.day(), 2);
    out += '/';
    appendDigits(out, t.month(), 2);
    out += '/';
    appendDigits(out, t.year(), 4);
}

void appendTime12(std::string& out, const LocalDateTime& t) {
    appendDigits(out, hour12(t), 2);
    out += ':';
    appendDigits(out, t.minute(), 2);
    out += ' ';
    out += halfOfDay(t);
}

void appendTime24(std::string& out, const LocalDateTime& t) {
    appendDigits(out, t.hour(), 2);
    out += ':';
    appendDigits(out, t.minute(), 2);
}

} // namespace

std::string_view englishWeekdayName(weekday wd) {
    return kWeekdays.at(wd.c_encoding());
}
std::string_view englishMonthName(month m) {
    return kMonths.at(static_cast<unsigned>(m) - 1);
}
std::string_view englishMonthAbbreviation(month m) {
    return englishMonthName(m).substr(0, 3);
}

std::string toStorageText(const LocalDateTime& t) {
    std::string out;
    appendDigits(out, t.year(), 4);
    out += '-';
    appendDigits(out, t.month(), 2);
    out += '-';
    appendDigits(out, t.day(), 2);
    out += ' ';
    appendTime24(out, t);
    return out;
}

std::optional<LocalDateTime> parseStorageText(std::string_view text) {
    // "YYYY-MM-DD HH:MM"
    if (text.size() != 16 || text[4] != '-' || text[7] != '-' || text[10] != ' ' ||
        text[13] != ':') {
        return std::nullopt;
    }
    const int y = readDigits(text, 0, 4);
    const int mo = readDigits(text, 5, 2);
    const int d = readDigits(text, 8, 2);
    const int h = readDigits(text, 11, 2);
    const int mi = readDigits(text, 14, 2);
    if (y < 0 || mo < 0 || d < 0 || h < 0 || mi < 0) {
        return std::nullopt;
    }
    return LocalDateTime::fromFields(y, static_cast<unsigned>(mo), static_cast<unsigned>(d), h, mi);
}

std::string toScheduleText(const LocalDateTime& t) {
    std::string out;
    appendDdMmYyyy(out, t);
    out += ' ';
    appendTime12(out, t);
    return out;
}

std::string toIsoDateText(const LocalDateTime& t) {
    return toStorageText(t).substr(0, 10);
}

std::string toDayKey(const LocalDateTime& t) {
    std::string out;
    appendDigits(out, t.day(), 2);
    out += '-';
    out += englishMonthAbbreviation(t.date().month());
    return out;
}

std::string toCaptionDateText(const LocalDateTime& t) {
    std::string out{englishWeekdayName(t.dayOfWeek())};
    out += ' ';
    appendDigits(out, t.day(), 2);
    out += ",  ";
    out += englishMonthName(t.date().month());
    out += ' ';
    appendDigits(out, t.year(), 4);
    return out;
}

std::string toLongDateText(const LocalDateTime& t) {
    std::string out{englishWeekdayName(t.dayOfWeek())};
    out += ' ';
    appendDigits(out, t.day(), 2);
    out += ' ';
    out += englishMonthName(t.date().month());
    out += ' ';
    appendDigits(out, t.year(), 4);
    return out;
}

std::string toAlertTimeText(const LocalDateTime& t) {
    std::string out{englishWeekdayName(t.dayOfWeek())};
    out += ' ';
    appendDigits(out, t.day(), 2);
    out += ' ';
    out += englishMonthAbbreviation(t.date().month());
    out += ' ';
    appendDigits(out, t.year(), 4);
    out += ' ';
    appendTime12(out, t);
    return out;
}

std::string toGeneralText(const LocalDateTime& t) {
    std::string out;
    appendDdMmYyyy(out, t);
    out += ' ';
    appendTime24(out, t);
    out += ":00";
    return out;
}

} // namespace davrin::store
