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
    // Seven significant digits in scientific form ("-1.234500e+02"), then the point moved
    // into place: a plain fixed form would print every digit of a large double.
    // to_chars ignores the locale, so "." stays the decimal point.
    char buffer[32];
    const auto written =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, 6);
    const std::string_view text(buffer, static_cast<std::size_t>(written.ptr - buffer));
    const bool negative = text.front() == '-';
    const std::size_t e = text.find('e');
    std::string digits(text.substr(negative ? 1 : 0, 1));
    digits += text.substr(negative ? 3 : 2, e - (negative ? 3 : 2));
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
    }
    int exponent = 0;
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    exponent);
    const int count = static_cast<int>(digits.size());
    std::string result = negative ? "-" : "";
    if (exponent < 0) {
        result += "." + std::string(static_cast<std::size_t>(-exponent - 1), '0') + digits;
    } else if (exponent >= count - 1) {
        result += digits + std::string(static_cast<std::size_t>(exponent - (count - 1)), '0');
    } else {
        const auto point = static_cast<std::size_t>(exponent + 1);
        result += digits.substr(0, point) + "." + digits.substr(point);
    }
    return result;
}

} // namespace quillet
