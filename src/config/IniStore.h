#pragma once

#include "base/IniProfile.h"

#include <string>

namespace quillet {

// An INI file on this machine, read and written with the Windows profile semantics.
// The file is read afresh for every call; nothing stays open between calls.
//
// A write never injects lines: a section, key or value holding a line break (or a NUL),
// an empty name, a section name with "]" or a key with "=" is refused (file untouched). A
// file that exists but cannot be read, or is larger than kMaxFileBytes, is never
// overwritten.
//
// A write replaces the file whole or not at all. Where the folder refuses that (the Windows
// folder takes no new file from a standard user) but the file itself may be written, the
// file is rewritten in place instead, as the system's own profile functions do; a crash during
// such a write can tear the file, which is why it is only the fallback.
class IniStore final : public IniProfile {
public:
    explicit IniStore(std::string nativePath);

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override;
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
    FileWrite WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) override;

    const std::string& NativePath() const { return path_; }

private:
    std::string path_;
};

} // namespace quillet
