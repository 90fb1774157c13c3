#include "app/JournalLine.h"

#include <algorithm>

namespace quillet {

namespace {

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

std::optional<JournalLineParts> ParseJournalLine(std::string_view line) {
    if (!line.empty() && line.back() == '\n') {
        line.remove_suffix(1);
    }
    if (!HasTime(line) || line.size() == kTimeWidth) {
        return std::nullopt;
    }
    const std::string_view event = line.substr(kTimeWidth);
    const std::size_t blank = event.find(' ');
    JournalLineParts parts{line.substr(0, kTimeWidth - 1), event.substr(0, blank), {}};
    if (blank != std::string_view::npos) {
        parts.text = event.substr(blank + 1);
    }
    return parts;
}

void ForEachJournalLine(std::string_view journal,
                        const std::function<void(const JournalLineParts&)>& take) {
    while (!journal.empty()) {
        const std::size_t end = std::min(journal.find('\n'), journal.size());
        if (const std::optional<JournalLineParts> parts =
                ParseJournalLine(journal.substr(0, end))) {
            take(*parts);
        }
        journal.remove_prefix(std::min(end + 1, journal.size()));
    }
}

} // namespace quillet
