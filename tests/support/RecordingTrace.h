#pragma once

#include "base/Trace.h"

#include <string>
#include <vector>

namespace quillet::testing {

// Keeps trace lines as "<kind> <text>" without escaping, for direct comparison; the
// journal's own lines apart in `notes`.
class RecordingTrace : public Trace {
public:
    std::vector<std::string> lines;
    std::vector<std::string> notes;
    void Event(std::string_view kind, std::string_view text) override {
        lines.push_back(Joined(kind, text));
    }
    void Note(std::string_view kind, std::string_view text) override {
        notes.push_back(Joined(kind, text));
    }

private:
    static std::string Joined(std::string_view kind, std::string_view text) {
        std::string line(kind);
        if (!text.empty()) {
            line += ' ';
            line += text;
        }
        return line;
    }
};

} // namespace quillet::testing
