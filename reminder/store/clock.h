// Where "now" comes from: the system's local time to the minute, or a fixed time for tests.
#pragma once

#include "reminder/store/date_time.h"

namespace davrin::store {

class Clock {
public:
    virtual ~Clock() = default;
    // The current local time, seconds dropped.
    virtual LocalDateTime now() const = 0;
};

// Local time from the system clock and the system's time-zone rules.
class SystemClock final : public Clock {
public:
    LocalDateTime now() const override;
};

// A clock that says what it is told; tests move it by hand.
class FixedClock final : public Clock {
public:
    explicit FixedClock(LocalDateTime t) : now_(t) {}
    LocalDateTime now() const override { return now_; }
    void set(LocalDateTime t) { now_ = t; }

private:
    LocalDateTime now_;
};

} // namespace davrin::store
