#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// The leading-number rule used for every text-to-number reading of label, file and
// settings values: leading blanks skipped, an optional sign, "." as decimal point, the
// longest leading number taken, 0 when there is none ("800$" reads 800, "abc" reads 0).
double LeadingNumber(std::string_view text);

// The same, in single precision, as the dimension and limit comparisons use it.
float LeadingSingle(std::string_view text);

// The leading number rounded to the nearest integer, halves to even (2.5 -> 2, 1.5 -> 2);
// empty when the rounded value does not fit a signed 16-bit integer.
std::optional<std::int16_t> LeadingInt16(std::string_view text);

// Rounds to the nearest integer, halves to even; empty outside the signed 16-bit range.
std::optional<std::int16_t> RoundToInt16(double value);

// A number as text: at most 7 significant digits, "." as decimal point, no blanks and no
// zero before the point (800, 12.5, .5, -.25, 0).
std::string FormatNumber(double value);

} // namespace quillet
