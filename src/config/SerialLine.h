#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace quillet {

// The serial line parameters of a settings text such as "9600,N,8,1".
struct SerialLine {
    std::int32_t baud;
    char parity; // N, O, E, M or S
    int dataBits;
    double stopBits; // 1, 1.5 or 2
};

// Empty when the text has not exactly four fields or names something a port cannot take.
// Blanks around the fields are ignored, and the parity letter may be lower case.
std::optional<SerialLine> ParseSerialLine(std::string_view text);

} // namespace quillet
