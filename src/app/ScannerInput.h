#pragma once

#include "config/ScannerSetup.h"

#include <string>
#include <string_view>

namespace quillet {

// One framed piece with the scanner's additions taken off.
struct CleanedInput {
    // The label as the scanner read it; empty when the piece was no label.
    std::string label;
    // What came off its end (configured suffix or terminator, ETX), in the order it came.
    std::string tail;
    // False when the piece held only the scanner's own characters and blanks: nothing is
    // handed on for it.
    bool isLabel = true;
    // For the journal: what came off or was expected and missing; empty when nothing.
    std::string what;
};

// The scanner's additions around a code, removed in one place before framing decides what
// a label is. Always: one terminator (CR, LF, CR LF or TAB) at the end, and STX with ETX
// around the whole. Configured (`ScannerSetup`, read live): a fixed prefix and suffix and an
// AIM symbology identifier. A label's own bytes are never touched: a compressed label keeps
// every byte but a configured suffix (its last bytes are a checksum), and a two-dimensional
// program keeps its last line end, only what follows it is the scanner's.
class ScannerInput {
public:
    static constexpr char kStx = '\x02';
    static constexpr char kEtx = '\x03';
    static constexpr char kCompressedMark = '\xF1'; // "ñ"
    static constexpr char kProgramMark = '^';
    static constexpr std::size_t kSymbologyIdLength = 3;

    ScannerInput() = default;
    explicit ScannerInput(const ScannerSetup& setup) : setup_(&setup) {}

    CleanedInput Clean(std::string_view piece) const;

    // How many bytes at the start of `rest`, cut from a burst after a label, are that
    // label's end: `tail` as the burst's last label ended, else one terminator.
    static std::size_t EndingAt(std::string_view rest, std::string_view tail);

    // One journal line's text: the piece as it came and what it became.
    static std::string JournalText(std::string_view piece, const CleanedInput& cleaned);

private:
    void TakeHead(std::string& text, CleanedInput& out) const;
    void TakeTail(std::string& text, CleanedInput& out) const;

    const ScannerSetup* setup_ = nullptr;
};

// True when `text` begins with an AIM symbology identifier: "]", a letter, a modifier.
bool StartsWithSymbologyId(std::string_view text);

// The name of the symbology an AIM identifier's letter stands for ("Code 128" for 'C').
std::string SymbologyName(char letter);

} // namespace quillet
