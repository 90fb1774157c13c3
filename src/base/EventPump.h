#pragma once

namespace quillet {

// What waiting needs from the platform: run pending window events, and sleep. Tests and
// the replay tool use a pump that does not sleep.
class EventPump {
public:
    virtual ~EventPump() = default;
    virtual void ProcessEvents() = 0;
    virtual void Sleep(int milliseconds) = 0;
};

} // namespace quillet
