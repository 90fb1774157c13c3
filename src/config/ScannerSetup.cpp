#include "config/ScannerSetup.h"

#include "base/Trace.h"
#include "config/SettingsKeys.h"

#include <optional>

namespace quillet {

namespace {

constexpr std::size_t kTextBuffer = 128;
constexpr const char* kEscapedBlank = "\\x20";

std::string ReadScannerText(const IniProfile& ini, const SettingKey& key) {
    const std::string text = ini.ReadString(key.section, key.name, key.fallback, kTextBuffer);
    const std::optional<std::string> bytes = UnescapeTraceText(text);
    return bytes ? *bytes : text;
}

} // namespace

ScannerSetup ReadScannerSetup(const IniProfile& ini) {
    using namespace setting_keys;
    ScannerSetup setup;
    setup.prefix = ReadScannerText(ini, kScannerPrefix);
    setup.suffix = ReadScannerText(ini, kScannerSuffix);
    setup.symbologyId = ini.ReadInt(kScannerSymbologyId.section, kScannerSymbologyId.name,
                                    kScannerSymbologyId.number) != 0;
    return setup;
}

FileWrite SaveScannerSetup(IniProfile& ini, const ScannerSetup& setup) {
    using namespace setting_keys;
    return ini.WriteEntries(kQuilletSection,
                            {{kScannerPrefix.name, ScannerTextForIni(setup.prefix)},
                             {kScannerSuffix.name, ScannerTextForIni(setup.suffix)},
                             {kScannerSymbologyId.name, setup.symbologyId ? "1" : "0"}});
}

std::string ScannerTextForIni(const std::string& bytes) {
    std::string text = EscapeTraceText(bytes);
    std::size_t lead = 0;
    while (lead < text.size() && text[lead] == ' ') {
        ++lead;
    }
    std::size_t trail = 0;
    while (trail < text.size() - lead && text[text.size() - 1 - trail] == ' ') {
        ++trail;
    }
    std::string out;
    for (std::size_t i = 0; i < lead; ++i) {
        out += kEscapedBlank;
    }
    out += text.substr(lead, text.size() - lead - trail);
    for (std::size_t i = 0; i < trail; ++i) {
        out += kEscapedBlank;
    }
    return out;
}

} // namespace quillet
