#pragma once

#include "base/IniProfile.h"

#include <string>
#include <string_view>

namespace quillet {

// The value of a key, or an empty text when the key is missing, empty or holds exactly
// the sentinel "END.-"; at most 79 characters.
std::string ReadIniString(const IniProfile& ini, std::string_view section, std::string_view key);

} // namespace quillet
