#pragma once

#include "config/IniProfile.h"

#include <optional>
#include <string>

namespace quillet {

// The text of an INI file, read and edited in memory with the Windows profile semantics.
// A leading UTF-8 byte-order mark is not part of the first line and stays first on writes.
class IniDocument final : public IniProfile {
public:
    explicit IniDocument(std::string text = {});

    const std::string& Text() const { return text_; }

    // The value as stored, one pair of wrapping quotes removed; empty when the key (or its
    // "=") is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override;
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
    bool WriteString(std::string_view section, std::string_view key,
                     std::string_view value) override;

    // False for a write that could inject lines or not be read back as its key: a line
    // break or NUL anywhere, an empty name, "]" in the section, "=" in the key, or a key
    // that starts a comment or a section.
    static bool Writable(std::string_view section, std::string_view key, std::string_view value);

private:
    std::string_view Body() const;

    std::string text_;
};

} // namespace quillet
