#pragma once

#include "base/EventPump.h"

#include <functional>
#include <vector>

namespace quillet::testing {

// Never sleeps; records the sleeps and can run a hook at each event pump, as pending
// timer ticks would run during a pause.
class FakeEventPump : public EventPump {
public:
    std::vector<int> sleeps;
    int pumps = 0;
    std::function<void()> onProcessEvents;

    void ProcessEvents() override {
        ++pumps;
        if (onProcessEvents) {
            onProcessEvents();
        }
    }
    void Sleep(int milliseconds) override { sleeps.push_back(milliseconds); }
};

} // namespace quillet::testing
