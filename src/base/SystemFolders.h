#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace quillet {

// The system's Windows directory; empty where the system has none and a folder of the
// user's stands for it.
std::optional<std::string> SystemWindowsDir();

// The user's own application data on this machine (not carried with a roaming profile), as
// the system names it, in the system's own characters (a user's name need not fit the code
// page); empty where the system names none.
std::filesystem::path LocalAppDataFolder();

// True where drive letters are the system's own, so a drive without a --drive folder is
// used as it stands instead of mapped under the Windows directory.
bool NativeDriveLetters();
// Whether this build can reach the real host over COM (only the Windows build can).
bool ComHostBuilt();

} // namespace quillet
