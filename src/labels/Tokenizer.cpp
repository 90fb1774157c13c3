#include "labels/Tokenizer.h"

#include "base/Text.h"

namespace quillet {

std::string NextToken(ScanRecord& record, std::string_view s) {
    if (s.empty()) {
        record.TokenSource.clear();
        record.TokenPos = 0;
        return {};
    }
    // Checked before the change of text on purpose: see the header.
    if (record.TokenPos >= s.size()) {
        return {};
    }
    if (record.TokenSource != s) {
        record.TokenPos = 0;
    }
    // TokenPos counts characters consumed; the value starts right after them.
    const std::size_t start = record.TokenPos;
    const std::size_t blank = s.find(' ', start);
    const std::size_t end = blank == std::string_view::npos ? s.size() : blank + 1;
    std::string token = TrimBlanks(s.substr(start, end - start));
    // Past the blank that ended the value, or one past the end when no blank is left.
    record.TokenPos = blank == std::string_view::npos ? s.size() + 1 : blank + 1;
    record.TokenSource = std::string(s);
    return token;
}

} // namespace quillet
