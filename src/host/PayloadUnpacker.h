#pragma once

#include "base/FileSystem.h"
#include "base/WindowState.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// The work buffers of the in-memory route; larger texts go through the work files.
inline constexpr std::size_t kPayloadBufferSize = 23200;
inline constexpr std::size_t kMemoryExpandLimit = kPayloadBufferSize - 128;
inline constexpr int kMaxExpandedLength = 32767;
// Where the compressed label's payload starts (0-based) and its length field.
inline constexpr std::size_t kPayloadStart = 11;
inline constexpr std::size_t kLengthFieldStart = 3;
inline constexpr std::size_t kLengthFieldWidth = 5;

inline constexpr const char* kCompressedWorkFile = "C:\\Tormial\\Bin\\Temp.Cmp";
inline constexpr const char* kExpandedWorkFile = "C:\\Tormial\\Bin\\Temp.Dat";

// Undoes the barcode's backslash escaping: each pair of adjacent backslashes becomes one
// (a run of n gives n/2 rounded up); any other character passes unchanged.
std::string UnescapePayload(std::string_view escaped);

// The expanded text of a compressed label ("ñ", length at positions 4-8, payload from
// position 12). Empty when there is nothing to hand on; the status line then says why.
// Data that expands whole to fewer characters than the length field states is taken: in
// memory the text is padded with blanks to the stated length, through the work files it
// is the file's content. Data that expands to more, or not whole, is refused.
std::string UnpackPayload(std::string_view label, FileSystem& fs, WindowState& window);

} // namespace quillet
