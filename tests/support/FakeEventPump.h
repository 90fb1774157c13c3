#pragma once

#include "base/EventPump.h"

#include <functional>
#include <vector>

namespace quillet::testing {

// Never sleeps; records the sleeps and can run a hook at each event pump, as pending
// timer ticks would run during a pause. Its clock moves by the sleeps asked for, and by
// whatever a test adds to `now` (a slow call, say).
class FakeEventPump : public EventPump {
public:
    std::vector<int> sleeps;
    int pumps = 0;
    std::int64_t now = 0;
    std::function<void()> onProcessEvents;

    void ProcessEvents() override {
        ++pumps;
        if (onProcessEvents) {
            onProcessEvents();
        }
    }
    void Sleep(int milliseconds) override {
        sleeps.push_back(milliseconds);
        now += milliseconds;
    }
    std::int64_t Milliseconds() override { return now; }
};

} // namespace quillet::testing
