#pragma once

#include "base/IniProfile.h"
#include "base/Operator.h"

#include <string>

namespace quillet {

// "The settings could not be saved in /srv/cnc/bin/ZOR.INI: Permission denied."
std::string SettingsNotSavedText(const std::string& file, const std::string& reason);

// ZOR.INI as every settings writer reaches it: each write that fails is told to the
// operator once, naming the file as this system spells its path and giving the system's
// words, so no change is lost without a word whichever dialog or option made it. A file
// that could not be read at start-up (`readFault`) takes no writes: the values shown are
// defaults, and saving them would replace the file's own.
class ReportingIniProfile final : public IniProfile {
public:
    ReportingIniProfile(IniProfile& ini, Operator& op, std::string shownPath,
                        std::string readFault = {})
        : ini_(ini), op_(op), shownPath_(std::move(shownPath)), readFault_(std::move(readFault)) {}

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override {
        return ini_.ReadString(section, key, fallback, bufferSize);
    }
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override {
        return ini_.ReadInt(section, key, fallback);
    }
    FileWrite WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) override;

private:
    IniProfile& ini_;
    Operator& op_;
    std::string shownPath_;
    std::string readFault_;
};

} // namespace quillet
