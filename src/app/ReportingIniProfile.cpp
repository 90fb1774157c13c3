#include "app/ReportingIniProfile.h"

namespace quillet {

std::string SettingsNotSavedText(const std::string& file, const std::string& reason) {
    return "The settings could not be saved in " + file + ": " + reason + ".";
}

FileWrite ReportingIniProfile::WriteEntries(std::string_view section,
                                            const std::vector<IniEntry>& entries) {
    FileWrite written = readFault_.empty()
                            ? ini_.WriteEntries(section, entries)
                            : FileWrite{FsError::AccessDenied,
                                        "it could not be read at start-up (" + readFault_ +
                                            "), and its own values would be replaced by defaults"};
    if (!written.ok()) {
        op_.Message(MessageIcon::Exclamation, MessageButtons::Ok, kProgramName,
                    SettingsNotSavedText(shownPath_, written.errorText));
    }
    return written;
}

} // namespace quillet
