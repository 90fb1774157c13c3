#include "config/Numbers.h"

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
    const double value = std::strtod(digits.c_str(), nullptr);
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
    // Seven significant digits, then drop what the printed form does not need.
    char buffer[64];
    const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(value))));
    const int decimals = exponent >= 6 ? 0 : 6 - exponent;
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') {
            text.pop_back();
        }
        if (text.back() == '.') {
            text.pop_back();
        }
    }
    if (exponent >= 7) {
        // Keep seven significant digits for large values as well.
        std::snprintf(buffer, sizeof buffer, "%.7g", value);
        const double kept = std::strtod(buffer, nullptr);
        std::snprintf(buffer, sizeof buffer, "%.0f", kept);
        text = buffer;
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
