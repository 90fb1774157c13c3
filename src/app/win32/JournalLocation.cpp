#include "app/JournalFile.h"

namespace quillet {

// The user's local application data: writable without administrator rights, and not
// carried between machines with a roaming profile.
std::string DefaultJournalFolder(const EnvironmentLookup& environment) {
    if (const auto data = environment("LOCALAPPDATA"); data && !data->empty()) {
        return *data + "\\Quillet\\Journal";
    }
    return {};
}

} // namespace quillet
