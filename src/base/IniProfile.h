#pragma once

#include "base/FileSystem.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

struct IniEntry {
    std::string key;
    std::string value;
};

// One INI file read and written with the Windows profile semantics that ZOR.INI's other
// users expect. Section and key names compare without regard to letter case; values are
// single-byte text, never re-encoded.
class IniProfile {
public:
    virtual ~IniProfile() = default;

    // The value of the key, or `fallback` when the key (or the file) is missing; at most
    // `bufferSize` - 1 characters are returned, as a buffer of that size would hold.
    virtual std::string ReadString(std::string_view section, std::string_view key,
                                   std::string_view fallback, std::size_t bufferSize) const = 0;

    // Leading blanks skipped, decimal digits up to the first non-digit; a negative number
    // or a value without digits reads 0; a missing key reads `fallback`.
    virtual int ReadInt(std::string_view section, std::string_view key, int fallback) const = 0;

    // Rewrites those keys of one section (creating section or keys when missing) in one
    // write of the file and leaves every other byte as it was. Nothing is written when one
    // entry cannot be; the failure carries the system's words.
    virtual FileWrite WriteEntries(std::string_view section,
                                   const std::vector<IniEntry>& entries) = 0;

    FileWrite WriteString(std::string_view section, std::string_view key, std::string_view value) {
        return WriteEntries(section, {{std::string(key), std::string(value)}});
    }
};

} // namespace quillet
