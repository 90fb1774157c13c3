#include "app/JournalFile.h"

#include "base/SystemFolders.h"

namespace quillet {

// The user's local application data: writable without administrator rights, and not
// carried between machines with a roaming profile.
std::filesystem::path DefaultJournalFolder() {
    const std::filesystem::path data = LocalAppDataFolder();
    if (data.empty()) {
        return {};
    }
    return data / L"Quillet" / L"Journal";
}

} // namespace quillet
