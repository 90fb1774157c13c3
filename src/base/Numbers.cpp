#include "base/Numbers.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace quillet {

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

double LeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Accumulate digits as text so that long inputs neither overflow nor lose precision
    // before the final conversion.
    std::string digits;
    bool seenPoint = false;
    bool seenDigit = false;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (IsDigit(c)) {
            seenDigit = true;
            // Leading zeros carry no value; kept out so they cannot fill the digit cap.
            if (c == '0' && !seenPoint && digits.empty()) {
                continue;
            }
            if (digits.size() < 400) {
                digits += c;
            } else if (!seenPoint) {
                return negative ? -std::numeric_limits<double>::max()
                                : std::numeric_limits<double>::max();
            }
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
            digits += '.';
        } else {
            break;
        }
    }
    if (!seenDigit) {
        return 0.0;
    }
    // from_chars ignores the C locale, so "." stays the decimal point under any locale.
    double value = 0.0;
    const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        // Leading zeros were skipped, so digits before the point mean a value of at least
        // one: too large. Otherwise it is too small and reads as nothing.
        const bool large = !digits.empty() && digits.front() != '.';
        value = large ? std::numeric_limits<double>::max() : 0.0;
    }
    return negative ? -value : value;
}

float LeadingSingle(std::string_view text) {
    const double value = LeadingNumber(text);
    if (value > std::numeric_limits<float>::max()) {
        return std::numeric_limits<float>::max();
    }
    if (value < -std::numeric_limits<float>::max()) {
        return -std::numeric_limits<float>::max();
    }
    return static_cast<float>(value);
}

std::optional<std::int16_t> RoundToInt16(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    const double rounded = std::nearbyint(value); // default rounding mode: halves to even
    if (rounded < std::numeric_limits<std::int16_t>::min() ||
        rounded > std::numeric_limits<std::int16_t>::max()) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(rounded);
}

std::optional<std::int16_t> LeadingInt16(std::string_view text) {
    return RoundToInt16(LeadingNumber(text));
}

std::string FormatNumber(double value) {
    if (!std::isfinite(value) || value == 0.0) {
        return "0";
    }
    // Seven significant digits, then drop what the printed form does not need. to_chars
    // ignores the locale, so "." stays the decimal point.
    char buffer[400];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 7);
    double rounded = 0.0;
    std::from_chars(buffer, written.ptr, rounded);
    const auto fixed =
        std::to_chars(buffer, buffer + sizeof buffer, rounded, std::chars_format::fixed);
    std::string text(buffer, fixed.ptr);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    const bool negative = text[0] == '-';
    const std::size_t first = negative ? 1 : 0;
    if (text.size() > first + 1 && text[first] == '0' && text[first + 1] == '.') {
        text.erase(first, 1);
    }
    if (text == "-0" || text.empty()) {
        return "0";
    }
    return text;
}

} // namespace quillet
