#include "replay/JournalScript.h"

#include "app/JournalLine.h"

namespace quillet {

namespace {

struct Mapping {
    std::string_view kind;   // the journal's
    std::string_view prefix; // the script's
};

constexpr Mapping kMappings[] = {
    {"scan", "scan "},
    {"typed", "type "},
    {"click", "set "},
};

} // namespace

std::string ScriptFromJournal(std::string_view journal) {
    std::string script;
    ForEachJournalLine(journal, [&](const JournalLineParts& line) {
        if (line.kind == "journal" && line.text == "opened") {
            script += "# a run started at " + std::string(line.time) + "\n";
            return;
        }
        for (const Mapping& m : kMappings) {
            if (line.kind == m.kind) {
                script += std::string(m.prefix) + std::string(line.text) + "\n";
                return;
            }
        }
    });
    return script;
}

} // namespace quillet
