#pragma once

#include "base/IniProfile.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The text of an INI file, read and edited in memory with the Windows profile semantics.
// A leading UTF-8 byte-order mark is not part of the first line and stays first on writes.
class IniDocument final : public IniProfile {
public:
    explicit IniDocument(std::string text = {});
    // The parsed lines point into the text.
    IniDocument(const IniDocument&) = delete;
    IniDocument& operator=(const IniDocument&) = delete;

    const std::string& Text() const { return text_; }

    // The value as stored, one pair of wrapping quotes removed; empty when the key (or its
    // "=") is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key,
                           std::string_view fallback, std::size_t bufferSize) const override;
    int ReadInt(std::string_view section, std::string_view key, int fallback) const override;
    // Edits one key in memory; false (text unchanged) when it is not Writable.
    bool Set(std::string_view section, std::string_view key, std::string_view value);
    // Every entry or none.
    FileWrite WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) override;

    // False for a write that could inject lines or not be read back as its key: a line
    // break or NUL anywhere, an empty name, "]" in the section, "=" in the key, or a key
    // that starts a comment or a section.
    static bool Writable(std::string_view section, std::string_view key, std::string_view value);
    static bool Writable(std::string_view section, const std::vector<IniEntry>& entries);
    // Why an entry that is not Writable is refused.
    static constexpr const char* kNotWritableText =
        "A name or value holds a character the file cannot keep (such as a line break)";

    enum class LineKind { Blank, Comment, Section, Entry };

    // One line of the text: [begin, end) is its text, [end, next) its line break.
    struct Line {
        std::size_t begin = 0;
        std::size_t end = 0;
        std::size_t next = 0;
        LineKind kind = LineKind::Blank;
        std::string_view name;  // section or key name, blanks removed
        std::string_view value; // entry value, blanks removed, quotes kept
        bool hasValue = false;  // the entry has an "="
    };

private:
    std::string_view Body() const;

    std::string text_;
    std::vector<Line> lines_; // of the text after the byte-order mark
};

} // namespace quillet
