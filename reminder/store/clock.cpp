// The system clock in local time; the only place that asks the C library for the time zone.
#include "reminder/store/clock.h"

#include <ctime>

namespace davrin::store {

LocalDateTime SystemClock::now() const {
    const std::time_t t = std::time(nullptr);
    std::tm local{};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return LocalDateTime(local.tm_year + 1900, static_cast<unsigned>(local.tm_mon + 1),
                         static_cast<unsigned>(local.tm_mday), local.tm_hour, local.tm_min);
}

} // namespace davrin::store
