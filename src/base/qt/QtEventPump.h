#pragma once

#include "base/EventPump.h"

namespace quillet {

// Waiting on the user-interface thread: window events keep running while it sleeps, so
// the window repaints and the poll timer ticks.
class QtEventPump final : public EventPump {
public:
    void ProcessEvents() override;
    void Sleep(int milliseconds) override;
};

} // namespace quillet
