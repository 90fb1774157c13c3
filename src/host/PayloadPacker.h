#pragma once

#include <string>
#include <string_view>

namespace quillet {

struct PackResult {
    std::string label; // the compressed label, empty on error
    std::string error; // why nothing was packed
    bool ok() const { return error.empty(); }
};

// Doubles every backslash, which UnescapePayload turns back into one.
std::string EscapePayload(std::string_view bytes);

// Builds the compressed label that UnpackPayload expands back into `text`: byte 0xF1, two
// blanks, the expanded length as five digits, three blanks, the escaped zlib stream.
PackResult PackPayload(std::string_view text);

} // namespace quillet
