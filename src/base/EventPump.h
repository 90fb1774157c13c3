#pragma once

#include <cstdint>

namespace quillet {

// What waiting needs from the platform: run pending window events, sleep, and the time
// that waits are counted on. Tests and the replay tool use a pump that does not sleep and
// whose clock moves only by the sleeps asked of it.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
    virtual void Sleep(int milliseconds) = 0;
    // Milliseconds from a fixed moment, never going back (the machine's steady clock).
    virtual std::int64_t Milliseconds();
};

} // namespace quillet
