#include "config/SerialLine.h"

#include <limits>
#include <vector>

namespace quillet {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> Fields(std::string_view text) {
    std::vector<std::string_view> fields;
    for (;;) {
        const std::size_t comma = text.find(',');
        fields.push_back(Trim(text.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return fields;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<std::int64_t> Digits(std::string_view text) {
    if (text.empty() || text.size() > 10) {
        return std::nullopt;
    }
    std::int64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        value = value * 10 + (c - '0');
    }
    return value;
}

std::optional<char> Parity(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    const char upper = text[0] >= 'a' && text[0] <= 'z' ? static_cast<char>(text[0] - 32) : text[0];
    if (std::string_view("NOEMS").find(upper) == std::string_view::npos) {
        return std::nullopt;
    }
    return upper;
}

std::optional<double> StopBits(std::string_view text) {
    if (text == "1") {
        return 1.0;
    }
    if (text == "1.5") {
        return 1.5;
    }
    if (text == "2") {
        return 2.0;
    }
    return std::nullopt;
}

} // namespace

std::optional<SerialLine> ParseSerialLine(std::string_view text) {
    const std::vector<std::string_view> fields = Fields(text);
    if (fields.size() != 4) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> baud = Digits(fields[0]);
    const std::optional<char> parity = Parity(fields[1]);
    const std::optional<std::int64_t> dataBits = Digits(fields[2]);
    const std::optional<double> stopBits = StopBits(fields[3]);
    if (!baud || *baud <= 0 || *baud > std::numeric_limits<std::int32_t>::max() || !parity ||
        !dataBits || *dataBits < 5 || *dataBits > 8 || !stopBits) {
        return std::nullopt;
    }
    return SerialLine{static_cast<std::int32_t>(*baud), *parity, static_cast<int>(*dataBits),
                      *stopBits};
}

} // namespace quillet
