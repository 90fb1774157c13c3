#include "app/ScannerInput.h"

#include <cctype>

namespace quillet {

namespace {

constexpr std::string_view kCrLf = "\r\n";

struct Symbology {
    char letter;
    const char* name;
};

constexpr Symbology kSymbologies[] = {
    {'A', "Code 39"},
    {'C', "Code 128"},
    {'E', "EAN/UPC"},
    {'F', "Codabar"},
    {'G', "Code 93"},
    {'H', "Code 11"},
    {'I', "Interleaved 2 of 5"},
    {'L', "PDF417"},
    {'M', "MSI"},
    {'Q', "QR Code"},
    {'U', "MaxiCode"},
    {'X', "other"},
    {'d', "Data Matrix"},
    {'e', "GS1 DataBar"},
    {'z', "Aztec"},
};

bool IsTerminator(char c) {
    return c == '\r' || c == '\n' || c == '\t';
}

// Only the scanner's own characters and blanks: no label.
bool NothingButScannerBytes(std::string_view text) {
    for (const char c : text) {
        if (!IsTerminator(c) && c != ScannerInput::kStx && c != ScannerInput::kEtx && c != ' ') {
            return false;
        }
    }
    return true;
}

// One terminator at the end of a label: CR LF, CR, LF or TAB.
std::size_t TerminatorLength(std::string_view text) {
    if (text.ends_with(kCrLf)) {
        return kCrLf.size();
    }
    return !text.empty() && IsTerminator(text.back()) ? 1 : 0;
}

// A program's lines end in CR LF, so its text may end in one: only what follows the last
// line end is the scanner's (a lone CR, LF or TAB, or a second CR LF).
std::size_t ProgramTerminatorLength(std::string_view text) {
    if (text.ends_with(kCrLf)) {
        const std::string_view before = text.substr(0, text.size() - kCrLf.size());
        return before.ends_with(kCrLf) ? kCrLf.size() : 0;
    }
    return !text.empty() && IsTerminator(text.back()) ? 1 : 0;
}

void Add(std::string& what, const std::string& item) {
    what += what.empty() ? item : ", " + item;
}

} // namespace

CleanedInput ScannerInput::Clean(std::string_view piece) const {
    CleanedInput out;
    std::string text(piece);
    if (text.size() >= 2 && text.front() == kStx && text.back() == kEtx) {
        text = text.substr(1, text.size() - 2);
        out.tail = std::string(1, kEtx);
        Add(out.what, "STX/ETX");
    }
    TakeHead(text, out);
    TakeTail(text, out);
    if (NothingButScannerBytes(text)) {
        out.isLabel = false;
        return out;
    }
    out.label = std::move(text);
    return out;
}

void ScannerInput::TakeHead(std::string& text, CleanedInput& out) const {
    if (setup_ == nullptr) {
        return;
    }
    if (const std::string& prefix = setup_->prefix; !prefix.empty()) {
        if (text.starts_with(prefix)) {
            text.erase(0, prefix.size());
            Add(out.what, "prefix " + prefix);
        } else {
            Add(out.what, "no prefix " + prefix + ", taken as it came");
        }
    }
    if (setup_->symbologyId) {
        if (StartsWithSymbologyId(text)) {
            Add(out.what,
                "symbology " + SymbologyName(text[1]) + " " + text.substr(0, kSymbologyIdLength));
            text.erase(0, kSymbologyIdLength);
        } else {
            Add(out.what, "no symbology identifier, taken as it came");
        }
    }
}

void ScannerInput::TakeTail(std::string& text, CleanedInput& out) const {
    if (setup_ != nullptr && !setup_->suffix.empty()) {
        const std::string& suffix = setup_->suffix;
        if (text.ends_with(suffix)) {
            text.resize(text.size() - suffix.size());
            out.tail = suffix + out.tail;
            Add(out.what, "suffix " + suffix);
            return;
        }
        Add(out.what, "no suffix " + suffix + ", taken as it came");
    }
    if (!text.empty() && text.front() == kCompressedMark) {
        return;
    }
    const std::size_t length = text.find(kProgramMark) != std::string::npos
                                   ? ProgramTerminatorLength(text)
                                   : TerminatorLength(text);
    if (length == 0) {
        return;
    }
    const std::string terminator = text.substr(text.size() - length);
    text.resize(text.size() - length);
    out.tail = terminator + out.tail;
    Add(out.what, "terminator " + terminator);
}

std::size_t ScannerInput::EndingAt(std::string_view rest, std::string_view tail) {
    if (!tail.empty() && rest.starts_with(tail)) {
        return tail.size();
    }
    if (rest.starts_with(kCrLf)) {
        return kCrLf.size();
    }
    return !rest.empty() && IsTerminator(rest.front()) ? 1 : 0;
}

std::string ScannerInput::JournalText(std::string_view piece, const CleanedInput& cleaned) {
    std::string text(piece);
    text += cleaned.isLabel ? " -> " + cleaned.label : " -> not a label";
    if (!cleaned.what.empty()) {
        text += " (" + cleaned.what + ")";
    }
    return text;
}

bool StartsWithSymbologyId(std::string_view text) {
    return text.size() >= ScannerInput::kSymbologyIdLength && text[0] == ']' &&
           std::isalpha(static_cast<unsigned char>(text[1])) != 0 &&
           std::isalnum(static_cast<unsigned char>(text[2])) != 0;
}

std::string SymbologyName(char letter) {
    for (const Symbology& s : kSymbologies) {
        if (s.letter == letter) {
            return s.name;
        }
    }
    return std::string("unknown (") + letter + ")";
}

} // namespace quillet
