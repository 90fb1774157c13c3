#include "config/SettingsLoader.h"

#include "base/Text.h"
#include "config/FileExists.h"
#include "config/IniDocument.h"

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

// Why the file's bytes are no settings this program can read; empty when they are.
std::string ReadFault(const FileRead& read) {
    if (read.error != FsError::None) {
        return read.errorText.empty() ? "it cannot be opened" : read.errorText;
    }
    const std::string_view data = read.data;
    if (data.starts_with("\xFF\xFE") || data.starts_with("\xFE\xFF") ||
        data.find('\0') != std::string_view::npos) {
        return "it is not single-byte text (saved as Unicode?)";
    }
    return {};
}

} // namespace

std::string SettingsUnreadableText(const std::string& file, const std::string& fault) {
    return "The settings file " + file + " could not be read: " + fault +
           ". Quillet runs with its default settings and saves nothing over the file.";
}

bool LoadSettings(Settings& settings, const SettingsLocations& locations, FileSystem& fs,
                  Operator& op) {
    const std::optional<std::string> iniFile = FindIniFile(locations, fs, op);
    if (!iniFile) {
        return false;
    }
    settings.IniFile = *iniFile;
    settings.ForceCncExtension = true;

    const FileRead read = fs.ReadAll(settings.IniFile);
    settings.IniReadFault = ReadFault(read);
    if (!settings.IniReadFault.empty()) {
        op.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                   SettingsUnreadableText(fs.NativePath(settings.IniFile), settings.IniReadFault));
    }
    const IniDocument ini(settings.IniReadFault.empty() ? read.data : std::string());
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
    const int callTimeout = ReadNumber(ini, setting_keys::kHostCallTimeout);
    settings.HostCallTimeoutSeconds =
        callTimeout >= 1 ? callTimeout : setting_keys::kHostCallTimeout.number;
    settings.Scanner = ReadScannerSetup(ini);
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
