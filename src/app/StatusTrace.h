#pragma once

#include "base/Trace.h"
#include "base/WindowState.h"

#include <string>

namespace quillet {

// Records the status line as "status <text>" and passes every change on to `next` (the
// window drawing the same state), when there is one.
class StatusTrace final : public WindowStateObserver {
public:
    explicit StatusTrace(Trace& trace, WindowStateObserver* next = nullptr)
        : trace_(trace), next_(next) {}
    void StatusChanged(const std::string& text) override {
        trace_.Event("status", text);
        if (next_ != nullptr) {
            next_->StatusChanged(text);
        }
    }
    void Changed() override {
        if (next_ != nullptr) {
            next_->Changed();
        }
    }

private:
    Trace& trace_;
    WindowStateObserver* next_;
};

} // namespace quillet
