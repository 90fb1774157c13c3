#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace quillet {

// ExInsForm: the operator ticks the exclusion numbers to insert. OK hands back the new
// eight-character flag string; the caller stores it (ApplyExclusionFlags).
std::optional<std::string> AskWin32ExclusionFlags(const std::string& flags, HWND owner);

} // namespace quillet
