#pragma once

#include "base/FileSystem.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// Outcome of one expansion.
enum class ExpandStatus {
    Ok,
    Damaged,   // not a whole zlib stream within the expected length with nothing after it
    BadHandle, // a file handle that is not open in the right mode
};

// What a file expansion needs; the handles come from OpenFile.
struct ExpandBlock {
    std::int16_t inputHandle = -1;
    std::int16_t outputHandle = -1;
    std::uint32_t compressedLength = 0;
    std::uint32_t expandedLength = 0;
};

// The expansion steps of compressed labels, on zlib streams (RFC 1950), whose check value
// catches a damaged scan. Files go through the FileSystem port: an open file is a buffer
// read whole on opening, or written whole on closing.
class ZlibExpander {
public:
    enum class OpenMode { Read, Create };

    explicit ZlibExpander(FileSystem& fs) : fs_(fs) {}

    void Init();
    void Cleanup();

    // Expands the first `compressedLength` bytes of `source` into the start of
    // `destination`; the rest of it stays as it was. Nothing is written past destination's
    // end; a destination too small for the expected length counts as damaged input.
    ExpandStatus BufferToBuffer(std::string_view source, std::string& destination,
                                std::size_t expandedLength, std::size_t compressedLength);

    // A handle of 0 or more, or -1 when the file cannot be read or created; the reason is
    // in LastError().
    std::int16_t OpenFile(std::string_view path, OpenMode mode);
    ExpandStatus ExpandFile(const ExpandBlock& block);
    // Writes a created file; an error leaves LastError() set.
    FileWrite CloseFile(std::int16_t handle);

    const std::string& LastError() const { return lastError_; }

private:
    struct OpenBuffer {
        std::string path;
        OpenMode mode = OpenMode::Read;
        std::string data;
        bool open = false;
    };

    OpenBuffer* Find(std::int16_t handle, OpenMode mode);

    FileSystem& fs_;
    std::vector<OpenBuffer> files_;
    std::string lastError_;
};

// Expands a whole zlib stream whose text is at most `expandedLength` bytes long; false when
// the stream is damaged, truncated, followed by other bytes, or expands to more.
bool InflateWithin(std::string_view stream, std::size_t expandedLength, std::string& out);

} // namespace quillet
