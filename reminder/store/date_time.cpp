// The minute-precision local date-time: construction, validation and calendar arithmetic.
#include "reminder/store/date_time.h"

#include <stdexcept>

namespace davrin::store {

using namespace std::chrono;

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 9999;

bool inRange(const year_month_day& d) {
    return d.ok() && static_cast<int>(d.year()) >= kMinYear &&
           static_cast<int>(d.year()) <= kMaxYear;
}

// Minutes since 1970-01-01 00:00 of the naive local calendar; only used for arithmetic.
std::int64_t toEpochMinutes(const year_month_day& d, minutes t) {
    return (duration_cast<minutes>(sys_days{d}.time_since_epoch()) + t).count();
}

LocalDateTime fromEpochMinutes(std::int64_t total) {
    const minutes m{total};
    const days d = floor<days>(m);
    const year_month_day date{sys_days{d}};
    if (!inRange(date)) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return LocalDateTime(date, m - d);
}

} // namespace

LocalDateTime::LocalDateTime(int y, unsigned mo, unsigned d, int h, int mi) {
    const auto t = fromFields(y, mo, d, h, mi);
    if (!t) {
        throw std::invalid_argument("not a valid date and time");
    }
    *this = *t;
}

LocalDateTime::LocalDateTime(year_month_day date, minutes timeOfDay)
    : date_(date), time_(timeOfDay) {
    if (!inRange(date) || timeOfDay < minutes{0} || timeOfDay >= days{1}) {
        throw std::invalid_argument("not a valid date and time");
    }
}

std::optional<LocalDateTime> LocalDateTime::fromFields(int y, unsigned mo, unsigned d, int h,
                                                       int mi) {
    // Checked before building the calendar types, which keep only the low bits of each field.
    if (y < kMinYear || y > kMaxYear || mo < 1 || mo > 12 || d < 1 || d > 31 || h < 0 || h > 23 ||
        mi < 0 || mi > 59) {
        return std::nullopt;
    }
    const year_month_day date{std::chrono::year{y}, std::chrono::month{mo}, std::chrono::day{d}};
    if (!date.ok()) {
        return std::nullopt;
    }
    return LocalDateTime(date, hours{h} + minutes{mi});
}

int LocalDateTime::year() const {
    return static_cast<int>(date_.year());
}
unsigned LocalDateTime::month() const {
    return static_cast<unsigned>(date_.month());
}
unsigned LocalDateTime::day() const {
    return static_cast<unsigned>(date_.day());
}
int LocalDateTime::hour() const {
    return static_cast<int>(floor<hours>(time_).count());
}
int LocalDateTime::minute() const {
    return static_cast<int>((time_ % hours{1}).count());
}
weekday LocalDateTime::dayOfWeek() const {
    return weekday{sys_days{date_}};
}

LocalDateTime LocalDateTime::addMinutes(std::int64_t n) const {
    // Beyond this the result is out of range anyway; checking first keeps the sum from overflowing.
    constexpr std::int64_t kLimit = std::int64_t{10000} * 366 * 24 * 60;
    if (n > kLimit || n < -kLimit) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return fromEpochMinutes(toEpochMinutes(date_, time_) + n);
}

LocalDateTime LocalDateTime::addDays(std::int64_t n) const {
    constexpr std::int64_t kLimit = std::int64_t{10000} * 366;
    if (n > kLimit || n < -kLimit) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return addMinutes(n * 24 * 60);
}

LocalDateTime LocalDateTime::addMonths(std::int64_t n) const {
    constexpr std::int64_t kLimit = std::int64_t{10000} * 12;
    if (n > kLimit || n < -kLimit) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    const year_month target = date_.year() / date_.month() + months{static_cast<int>(n)};
    const std::chrono::day lastDay = (target / last).day();
    const year_month_day date = target / (date_.day() < lastDay ? date_.day() : lastDay);
    if (!inRange(date)) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return LocalDateTime(date, time_);
}

LocalDateTime LocalDateTime::addQuarters(std::int64_t n) const {
    constexpr std::int64_t kLimit = std::int64_t{10000} * 4;
    if (n > kLimit || n < -kLimit) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return addMonths(n * 3);
}

LocalDateTime LocalDateTime::addYears(std::int64_t n) const {
    constexpr std::int64_t kLimit = 10000;
    if (n > kLimit || n < -kLimit) {
        throw std::out_of_range("date-time arithmetic leaves the years 1 to 9999");
    }
    return addMonths(n * 12);
}

std::strong_ordering operator<=>(const LocalDateTime& a, const LocalDateTime& b) {
    if (const auto c = a.date_ <=> b.date_; c != 0) {
        return c;
    }
    return a.time_ <=> b.time_;
}

} // namespace davrin::store
