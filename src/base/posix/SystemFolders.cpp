#include "base/SystemFolders.h"

namespace quillet {

std::optional<std::string> SystemWindowsDir() {
    return std::nullopt;
}

std::filesystem::path LocalAppDataFolder() {
    return {};
}

bool NativeDriveLetters() {
    return false;
}

bool ComHostBuilt() {
    return false;
}

} // namespace quillet
