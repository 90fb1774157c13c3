#include "app/JournalFile.h"

#include <cstdlib>
#include <string_view>

namespace quillet {

// The XDG base directories: a relative $XDG_STATE_HOME is to be ignored.
std::filesystem::path DefaultJournalFolder() {
    const char* state = std::getenv("XDG_STATE_HOME");
    if (state != nullptr && std::string_view(state).starts_with('/')) {
        return std::filesystem::path(state) / "quillet/journal";
    }
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') {
        return std::filesystem::path(home) / ".local/state/quillet/journal";
    }
    return {};
}

} // namespace quillet
