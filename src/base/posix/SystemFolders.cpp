#include "base/SystemFolders.h"

namespace quillet {

std::optional<std::string> SystemWindowsDir() {
    return std::nullopt;
}

bool NativeDriveLetters() {
    return false;
}

bool ComHostBuilt() {
    return false;
}

} // namespace quillet
