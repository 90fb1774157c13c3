#include "app/JournalFile.h"

namespace quillet {

// The XDG base directories: a relative $XDG_STATE_HOME is to be ignored.
std::string DefaultJournalFolder(const EnvironmentLookup& environment) {
    if (const auto state = environment("XDG_STATE_HOME"); state && state->starts_with('/')) {
        return *state + "/quillet/journal";
    }
    if (const auto home = environment("HOME"); home && !home->empty()) {
        return *home + "/.local/state/quillet/journal";
    }
    return {};
}

} // namespace quillet
