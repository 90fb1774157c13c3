#include "host/PayloadPacker.h"

#include "host/PayloadUnpacker.h"

#include <zlib.h>

#include <cstdio>

namespace quillet {

std::string EscapePayload(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 64);
    for (const char c : bytes) {
        out += c;
        if (c == '\\') {
            out += c;
        }
    }
    return out;
}

PackResult PackPayload(std::string_view text) {
    if (text.empty()) {
        return {{}, "nothing to pack: the text is empty"};
    }
    if (text.size() > static_cast<std::size_t>(kMaxExpandedLength)) {
        return {{},
                "the text has " + std::to_string(text.size()) +
                    " characters; a compressed label holds at most 32767"};
    }
    uLongf size = compressBound(static_cast<uLong>(text.size()));
    std::string stream(size, '\0');
    const int rc = compress2(reinterpret_cast<Bytef*>(stream.data()), &size,
                             reinterpret_cast<const Bytef*>(text.data()),
                             static_cast<uLong>(text.size()), Z_BEST_COMPRESSION);
    if (rc != Z_OK) {
        return {{}, "compression failed"};
    }
    stream.resize(size);

    char length[8];
    std::snprintf(length, sizeof length, "%05zu", text.size());
    std::string label = "\xF1  ";
    label += length;
    label += "   ";
    label += EscapePayload(stream);
    return {std::move(label), {}};
}

} // namespace quillet
