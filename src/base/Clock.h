#pragma once

namespace quillet {

// A moment on the wall clock of the machine, in its local time zone.
struct LocalTime {
    int year = 1970;
    int month = 1; // 1..12
    int day = 1;   // 1..31
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalTime Now() = 0;
};

// The machine's own clock.
class SystemClock final : public Clock {
public:
    LocalTime Now() override;
};

} // namespace quillet
