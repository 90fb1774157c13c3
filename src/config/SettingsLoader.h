#pragma once

#include "base/FileSystem.h"
#include "base/IniProfile.h"
#include "base/Operator.h"
#include "config/Settings.h"

#include <filesystem>
#include <string>

namespace quillet {

// Where ZOR.INI is looked for: the program's own folder first, then the folder that
// stands for the Windows directory.
struct SettingsLocations {
    std::string programDir;
    std::string windowsDir;
    // The user's VirtualStore folder, where Windows puts its own copies of files that old
    // programs wrote without the rights to; empty where there is none.
    std::filesystem::path virtualStore{};
};

inline constexpr const char* kIniFileName = "ZOR.INI";
inline constexpr int kMaxPollIntervalMs = 65535; // the most the poll timer can take

// Finds ZOR.INI and reads the serial and path settings into `settings`. False (after
// telling the operator) when no settings file was found; the program then ends. A file
// found but not readable as single-byte text (locked, no permission, UTF-16) is told to
// the operator and leaves the defaults, with the reason in Settings::IniReadFault.
bool LoadSettings(Settings& settings, const SettingsLocations& locations, FileSystem& fs,
                  Operator& op);

// "The settings file ... could not be read: ...": what the operator is told at start-up.
std::string SettingsUnreadableText(const std::string& file, const std::string& fault);

// The serial settings chosen in the dialog: key Settings, then CommPort without blanks,
// then the port's identity in Quillet's own section.
void SaveCommSettings(IniProfile& ini, const Settings& settings);

} // namespace quillet
