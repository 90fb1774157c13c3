#include "replay/JournalScript.h"

namespace quillet {

namespace {

struct Mapping {
    std::string_view kind;   // the journal's
    std::string_view prefix; // the script's
};

constexpr Mapping kMappings[] = {
    {"scan ", "scan "},
    {"typed ", "type "},
    {"click ", "set "},
    {"journal opened", "# a run started at "},
};

// "10:42:07.315 " in front of every journal line.
constexpr std::size_t kTimeWidth = 13;

bool HasTime(std::string_view line) {
    if (line.size() < kTimeWidth || line[kTimeWidth - 1] != ' ') {
        return false;
    }
    for (std::size_t i = 0; i + 1 < kTimeWidth; ++i) {
        const bool separator = i == 2 || i == 5 || i == 8;
        const char expected = i == 8 ? '.' : ':';
        if (separator ? line[i] != expected : (line[i] < '0' || line[i] > '9')) {
            return false;
        }
    }
    return true;
}

} // namespace

std::string ScriptFromJournal(std::string_view journal) {
    std::string script;
    std::size_t pos = 0;
    while (pos < journal.size()) {
        std::size_t end = journal.find('\n', pos);
        if (end == std::string_view::npos) {
            end = journal.size();
        }
        const std::string_view line = journal.substr(pos, end - pos);
        pos = end + 1;
        if (!HasTime(line)) {
            continue;
        }
        const std::string_view time = line.substr(0, kTimeWidth - 1);
        const std::string_view event = line.substr(kTimeWidth);
        for (const Mapping& m : kMappings) {
            if (event == m.kind || event.starts_with(m.kind)) {
                script += m.prefix;
                script += m.kind.ends_with(' ') ? event.substr(m.kind.size()) : time;
                script += '\n';
                break;
            }
        }
    }
    return script;
}

} // namespace quillet
