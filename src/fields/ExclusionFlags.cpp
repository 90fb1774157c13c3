#include "fields/ExclusionFlags.h"

#include "base/IniProfile.h"
#include "base/Numbers.h"
#include "base/WindowState.h"
#include "config/Settings.h"

#include <cstddef>

namespace quillet {

std::string ExclusionNumbers(const std::string& flags) {
    std::string numbers;
    for (std::size_t i = 0; i < flags.size() && i < kExclusionCount; ++i) {
        if (flags[i] == '1') {
            numbers += static_cast<char>('1' + i);
        }
    }
    return numbers;
}

bool ExclusionNoticeVisible(const std::string& flags) {
    // A hand-edited value such as "00000000011" is non-zero yet names no number; a notice
    // listing nothing would only mislead.
    return LeadingNumber(flags) != 0.0 && !ExclusionNumbers(flags).empty();
}

std::string ExclusionNoticeText(const std::string& flags) {
    return " Exclusion Number " + ExclusionNumbers(flags) + "  for insertion.";
}

ExclusionTicks ExclusionTicksFrom(const std::string& flags) {
    ExclusionTicks ticks{};
    for (std::size_t i = 0; i < flags.size() && i < ticks.size(); ++i) {
        ticks[i] = flags[i] == '1';
    }
    return ticks;
}

std::string ExclusionFlagsFrom(const ExclusionTicks& ticks) {
    std::string flags;
    for (const bool ticked : ticks) {
        flags += ticked ? '1' : '0';
    }
    return flags;
}

void ShowExclusionNotice(const std::string& flags, WindowState& window) {
    if (!ExclusionNoticeVisible(flags)) {
        window.SetExclusionNotice(false, window.ExclusionNotice());
        return;
    }
    window.SetExclusionNotice(true, ExclusionNoticeText(flags));
}

void ApplyExclusionFlags(const std::string& flags, IniProfile& ini, Settings& settings,
                         WindowState& window) {
    ini.WriteString(setting_keys::kExclusion.section, setting_keys::kExclusion.name, flags);
    settings.ExclusionFlags = flags;
    ShowExclusionNotice(flags, window);
}

} // namespace quillet
