#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Splits a text into numbered fields at a set of separator characters. Every separator
// ends a field: adjacent separators give empty fields between them, and a separator at
// the start gives an empty field 1. Fields are returned untrimmed and never include a
// separator. The separators stay until set again; setting a text replaces the previous one.
class Parser {
public:
    // Every character (byte) of `separators` is a separator.
    void Separators(std::string_view separators) { separators_ = separators; }
    void Text(std::string_view text) { text_ = text; }

    // Field `n`, counted from 1; empty for n < 1 or beyond the last field.
    std::string Field(int n) const;

private:
    bool IsSeparator(char c) const { return separators_.find(c) != std::string::npos; }

    std::string separators_;
    std::string text_;
};

} // namespace quillet
