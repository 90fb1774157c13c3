#include "config/IniDocument.h"

#include "config/NoCase.h"

#include <algorithm>
#include <climits>
#include <optional>
#include <vector>

namespace quillet {

namespace {

constexpr std::string_view kNewLine = "\r\n";

using Line = IniDocument::Line;
using LineKind = IniDocument::LineKind;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

void Classify(std::string_view text, Line& line) {
    const std::string_view content = Trim(text);
    if (content.empty()) {
        line.kind = LineKind::Blank;
    } else if (content.front() == ';') {
        line.kind = LineKind::Comment;
    } else if (content.front() == '[') {
        line.kind = LineKind::Section;
        const std::string_view inside = content.substr(1);
        line.name = Trim(inside.substr(0, inside.find(']')));
    } else {
        line.kind = LineKind::Entry;
        const std::size_t equals = content.find('=');
        line.hasValue = equals != std::string_view::npos;
        line.name = Trim(content.substr(0, equals));
        line.value = line.hasValue ? Trim(content.substr(equals + 1)) : std::string_view();
    }
}

// Splits on CRLF, lone LF and lone CR.
std::vector<Line> ParseLines(std::string_view text) {
    std::vector<Line> lines;
    // At most one line per break and one after the last: the vector grows once.
    lines.reserve(static_cast<std::size_t>(std::count_if(
                      text.begin(), text.end(), [](char c) { return c == '\n' || c == '\r'; })) +
                  1);
    std::size_t pos = 0;
    while (pos < text.size()) {
        Line line;
        line.begin = pos;
        std::size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        line.end = end;
        line.next = end;
        if (end < text.size()) {
            line.next = end + 1;
            if (text[end] == '\r' && line.next < text.size() && text[line.next] == '\n') {
                ++line.next;
            }
        }
        Classify(text.substr(line.begin, line.end - line.begin), line);
        lines.push_back(line);
        pos = line.next;
    }
    return lines;
}

// Where a section is in the file: its header line and the line after its last line.
struct SectionSpan {
    std::size_t header = 0;
    std::size_t stop = 0;
};

// Only the first of a repeated section counts.
std::optional<SectionSpan> FindSection(const std::vector<Line>& lines, std::string_view name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Section || !EqualsNoCase(lines[i].name, name)) {
            continue;
        }
        std::size_t stop = i + 1;
        while (stop < lines.size() && lines[stop].kind != LineKind::Section) {
            ++stop;
        }
        return SectionSpan{i, stop};
    }
    return std::nullopt;
}

// The first entry of the key wins.
std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionSpan& span,
                                   std::string_view key) {
    for (std::size_t i = span.header + 1; i < span.stop; ++i) {
        if (lines[i].kind == LineKind::Entry && EqualsNoCase(lines[i].name, key)) {
            return i;
        }
    }
    return std::nullopt;
}

std::string_view StripQuotes(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

std::string Cut(std::string_view text, std::size_t bufferSize) {
    const std::size_t room = bufferSize == 0 ? 0 : bufferSize - 1;
    return std::string(text.substr(0, room));
}

bool Injects(std::string_view text) {
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

bool EndsWithLineBreak(std::string_view text) {
    return !text.empty() && (text.back() == '\n' || text.back() == '\r');
}

std::string WithKey(std::string_view text, const std::vector<Line>& lines, std::string_view section,
                    std::string_view key, std::string_view value) {
    section = Trim(section);
    key = Trim(key);
    const std::optional<SectionSpan> span = FindSection(lines, section);
    std::string result(text);
    if (!span) {
        if (!text.empty() && !EndsWithLineBreak(text)) {
            result += kNewLine;
        }
        result += "[" + std::string(section) + "]" + std::string(kNewLine);
        result += std::string(key) + "=" + std::string(value) + std::string(kNewLine);
        return result;
    }
    if (const std::optional<std::size_t> at = FindKey(lines, *span, key)) {
        const Line& line = lines[*at];
        return result.replace(line.begin, line.end - line.begin,
                              std::string(line.name) + "=" + std::string(value));
    }
    std::size_t after = span->header;
    for (std::size_t i = span->header + 1; i < span->stop; ++i) {
        after = lines[i].kind == LineKind::Entry ? i : after;
    }
    const Line& line = lines[after];
    std::string inserted = std::string(key) + "=" + std::string(value);
    inserted =
        line.next == line.end ? std::string(kNewLine) + inserted : inserted + std::string(kNewLine);
    return result.insert(line.next, inserted);
}

// Editors that save UTF-8 put this mark first; the profile functions would read it as part
// of the first line and so lose the first section.
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

} // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)), lines_(ParseLines(Body())) {}

std::string_view IniDocument::Body() const {
    const std::string_view text(text_);
    return text.starts_with(kByteOrderMark) ? text.substr(kByteOrderMark.size()) : text;
}

std::optional<std::string> IniDocument::Value(std::string_view section,
                                              std::string_view key) const {
    const std::vector<Line>& lines = lines_;
    const std::optional<SectionSpan> span = FindSection(lines, Trim(section));
    if (!span) {
        return std::nullopt;
    }
    const std::optional<std::size_t> at = FindKey(lines, *span, Trim(key));
    if (!at || !lines[*at].hasValue) {
        return std::nullopt;
    }
    return std::string(StripQuotes(lines[*at].value));
}

std::string IniDocument::ReadString(std::string_view section, std::string_view key,
                                    std::string_view fallback, std::size_t bufferSize) const {
    if (const std::optional<std::string> value = Value(section, key)) {
        return Cut(*value, bufferSize);
    }
    while (!fallback.empty() && IsBlank(fallback.back())) {
        fallback.remove_suffix(1);
    }
    return Cut(fallback, bufferSize);
}

int IniDocument::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    const std::optional<std::string> value = Value(section, key);
    if (!value || value->empty()) {
        return fallback;
    }
    // A value that does not start with a digit, a sign included, reads as 0.
    const std::string_view text = Trim(*value);
    long long number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        number = std::min<long long>(number * 10 + (c - '0'), INT_MAX);
    }
    return static_cast<int>(number);
}

bool IniDocument::Writable(std::string_view section, std::string_view key, std::string_view value) {
    const std::string_view name = Trim(section);
    const std::string_view keyName = Trim(key);
    if (name.empty() || keyName.empty() || Injects(section) || Injects(key) || Injects(value)) {
        return false;
    }
    return name.find(']') == std::string_view::npos &&
           keyName.find('=') == std::string_view::npos && keyName.front() != ';' &&
           keyName.front() != '[';
}

bool IniDocument::Writable(std::string_view section, const std::vector<IniEntry>& entries) {
    return std::all_of(entries.begin(), entries.end(), [section](const IniEntry& entry) {
        return Writable(section, entry.key, entry.value);
    });
}

FileWrite IniDocument::WriteEntries(std::string_view section,
                                    const std::vector<IniEntry>& entries) {
    if (!Writable(section, entries)) {
        return {FsError::Other, kNotWritableText};
    }
    for (const IniEntry& entry : entries) {
        Set(section, entry.key, entry.value);
    }
    return {};
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
    if (!Writable(section, key, value)) {
        return false;
    }
    const std::size_t mark = text_.size() - Body().size();
    text_ = text_.substr(0, mark) + WithKey(Body(), lines_, section, key, value);
    lines_ = ParseLines(Body());
    return true;
}

} // namespace quillet
