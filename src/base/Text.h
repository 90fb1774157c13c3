#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The text without blanks at either end (only the blank; tabs and other bytes stay).
std::string TrimBlanks(std::string_view text);

// The text upper-cased byte by byte as the Windows-1252 code page does it, so "ñ" (0xF1)
// becomes "Ñ" (0xD1); bytes without a capital stay as they are.
std::string UpperCase(std::string_view text);

} // namespace quillet
