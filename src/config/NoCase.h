#pragma once

#include <string_view>

namespace quillet {

// Compares names without regard to the letter case of A-Z; other bytes compare exactly.
bool EqualsNoCase(std::string_view a, std::string_view b);

char LowerAscii(char c);

} // namespace quillet
