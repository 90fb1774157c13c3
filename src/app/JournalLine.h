#pragma once

#include <functional>
#include <optional>
#include <string_view>

namespace quillet {

// One line of a journal day file, taken apart: "10:42:07.315 host AddLine #161=P1.CNC;..."
// gives the time "10:42:07.315", the kind "host" and the text "AddLine #161=P1.CNC;...",
// still escaped as the trace writes it.
struct JournalLineParts {
    std::string_view time;
    std::string_view kind;
    std::string_view text;
};

// Nothing for a line without the time in front (a line cut short, another file's text).
std::optional<JournalLineParts> ParseJournalLine(std::string_view line);

// Every well-formed line of a journal's text, in order (the last one with or without its
// line end).
void ForEachJournalLine(std::string_view journal,
                        const std::function<void(const JournalLineParts&)>& take);

} // namespace quillet
