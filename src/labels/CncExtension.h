#pragma once

#include <string_view>

namespace quillet {

inline constexpr std::string_view kCncExtension = ".CNC";

// True when the name's last four characters, upper-cased, are ".CNC".
bool EndsWithCnc(std::string_view name);

} // namespace quillet
