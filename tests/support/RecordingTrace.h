#pragma once

#include "base/Trace.h"

#include <string>
#include <vector>

namespace quillet::testing {

// Keeps trace lines as "<kind> <text>" without escaping, for direct comparison.
class RecordingTrace : public Trace {
public:
    std::vector<std::string> lines;
    void Event(std::string_view kind, std::string_view text) override {
        std::string line(kind);
        if (!text.empty()) {
            line += ' ';
            line += text;
        }
        lines.push_back(line);
    }
};

} // namespace quillet::testing
