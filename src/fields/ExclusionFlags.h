#pragma once

#include <array>
#include <string>

namespace quillet {

class IniProfile;
class WindowState;
struct Settings;

// One tick per exclusion number 1 to 8.
inline constexpr int kExclusionCount = 8;
using ExclusionTicks = std::array<bool, kExclusionCount>;

// The numbers 1 to 8 whose character in the flags is "1", as digits without separators
// ("10100000" gives "13"); characters after the eighth are ignored.
std::string ExclusionNumbers(const std::string& flags);

// Shown when the flags, read as a decimal number, are non-zero and name at least one number.
bool ExclusionNoticeVisible(const std::string& flags);

// " Exclusion Number 13  for insertion."
std::string ExclusionNoticeText(const std::string& flags);

// Ticks from a stored string: a shorter one leaves the rest clear.
ExclusionTicks ExclusionTicksFrom(const std::string& flags);

// The eight-character flag string, "1" for a ticked number, "0" otherwise.
std::string ExclusionFlagsFrom(const ExclusionTicks& ticks);

// Sets the main window's notice from the flags (shown with its text, or hidden).
void ShowExclusionNotice(const std::string& flags, WindowState& window);

// Stores an accepted choice: key Exclusion of the settings section, the process-wide value
// and the notice.
void ApplyExclusionFlags(const std::string& flags, IniProfile& ini, Settings& settings,
                         WindowState& window);

} // namespace quillet
