#include "base/Clock.h"

#include <windows.h>

namespace quillet {

LocalTime SystemClock::Now() {
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    return {now.wYear,   now.wMonth,  now.wDay,         now.wHour,
            now.wMinute, now.wSecond, now.wMilliseconds};
}

} // namespace quillet
