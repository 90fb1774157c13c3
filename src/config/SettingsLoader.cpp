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
constexpr int kDesignedPollIntervalMs = 1000;

// A buffer's text ends at its terminator.
std::string UpToNul(std::string text) {
    text.resize(std::min(text.size(), text.find('\0')));
    return text;
}

std::string ReadText(const IniProfile& ini, const char* key, const char* fallback) {
    return UpToNul(ini.ReadString(kSection, key, fallback, kPathBuffer));
}

std::string ReadFolderPath(const IniProfile& ini, const char* key, const char* fallback) {
    std::string path = TrimBlanks(ReadText(ini, key, fallback));
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
    settings.CommSettings = ReadText(ini, "Settings", "9600,N,8,1");
    settings.GCodePath = TrimBlanks(ReadText(ini, "GCodePath", "C:\\MIRT\\PRODUCT\\"));
    const int port = ini.ReadInt(kSection, "CommPort", 1);
    settings.CommPortNumber =
        static_cast<std::int16_t>(std::min(port, int{std::numeric_limits<std::int16_t>::max()}));
    const int poll = ini.ReadInt(kSection, "CommPollTime", kDesignedPollIntervalMs);
    settings.PollIntervalMs =
        poll >= kMinPollIntervalMs ? std::min(poll, kMaxPollIntervalMs) : kDesignedPollIntervalMs;
    settings.CSVInPath = ReadFolderPath(ini, "CSVInPath", "C:\\");
    settings.CSVOutPath = ReadFolderPath(ini, "CSVOutPath", "C:\\Quillet.csv");
    return true;
}

void SaveCommSettings(IniProfile& ini, const Settings& settings) {
    ini.WriteEntries(kSection, {{"Settings", settings.CommSettings},
                                {"CommPort", std::to_string(settings.CommPortNumber)}});
}

} // namespace quillet
