#include "config/SettingsLoader.h"

#include "base/Text.h"
#include "config/FileExists.h"
#include "config/IniStore.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>

namespace quillet {

namespace {

constexpr std::size_t kPathBuffer = 128;
constexpr int kMinPollIntervalMs = 100;

// A buffer's text ends at its terminator.
std::string UpToNul(std::string text) {
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::string ReadText(const IniProfile& ini, const SettingKey& key) {
    return UpToNul(ini.ReadString(key.section, key.name, key.fallback, kPathBuffer));
}

int ReadNumber(const IniProfile& ini, const SettingKey& key) {
    return ini.ReadInt(key.section, key.name, key.number);
}

std::string ReadFolderPath(const IniProfile& ini, const SettingKey& key) {
    std::string path = TrimBlanks(ReadText(ini, key));
    if (!path.empty() && path.back() == '\\') {
        path.pop_back();
    }
    return path;
}

// ZOR.INI in the program's folder, else in the Windows directory; empty when neither.
std::optional<std::string> FindIniFile(const SettingsLocations& locations, FileSystem& fs,
                                       Operator& op) {
    for (const std::string* folder : {&locations.programDir, &locations.windowsDir}) {
        const std::string candidate = *folder + "\\" + kIniFileName;
        const FileCheck check = CheckFile(candidate, fs, op);
        if (check == FileCheck::Found) {
            return candidate;
        }
        if (check == FileCheck::Fatal) {
            return std::nullopt;
        }
    }
    op.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName, "File ZOR.INI Not Found");
    return std::nullopt;
}

} // namespace

bool LoadSettings(Settings& settings, const SettingsLocations& locations, FileSystem& fs,
                  Operator& op) {
    const std::optional<std::string> iniFile = FindIniFile(locations, fs, op);
    if (!iniFile) {
        return false;
    }
    settings.IniFile = *iniFile;
    settings.ForceCncExtension = true;

    const IniStore ini(fs.NativePath(settings.IniFile));
    settings.CommSettings = ReadText(ini, setting_keys::kCommSettings);
    settings.GCodePath = TrimBlanks(ReadText(ini, setting_keys::kGCodePath));
    const int port = ReadNumber(ini, setting_keys::kCommPort);
    settings.CommPortNumber =
        static_cast<std::int16_t>(std::min(port, int{std::numeric_limits<std::int16_t>::max()}));
    const int poll = ReadNumber(ini, setting_keys::kCommPollTime);
    settings.PollIntervalMs = poll >= kMinPollIntervalMs ? std::min(poll, kMaxPollIntervalMs)
                                                         : setting_keys::kCommPollTime.number;
    settings.CSVInPath = ReadFolderPath(ini, setting_keys::kCSVInPath);
    settings.CSVOutPath = ReadFolderPath(ini, setting_keys::kCSVOutPath);
    settings.ScannerPort = TrimBlanks(ReadText(ini, setting_keys::kScannerPort));
    return true;
}

void SaveCommSettings(IniProfile& ini, const Settings& settings) {
    using namespace setting_keys;
    ini.WriteEntries(kSection, {{kCommSettings.name, settings.CommSettings},
                                {kCommPort.name, std::to_string(settings.CommPortNumber)}});
    // A file that never had an identity gets no section of ours for an empty one.
    if (!settings.ScannerPort.empty() || !ReadText(ini, kScannerPort).empty()) {
        ini.WriteString(kScannerPort.section, kScannerPort.name, settings.ScannerPort);
    }
}

} // namespace quillet
