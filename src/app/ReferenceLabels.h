#pragma once

#include <array>
#include <string_view>

namespace quillet {

// The labels of the printed test page, whose texts the scanner test knows: mixed case so
// that a case conversion shows, and the two-dimensional one (printed as Data Matrix and as
// QR Code) with a line break and a GS (group separator) inside, which some scanners drop or
// change. The page is made from packaging/test-labels/<file>.txt, which holds these bytes.
struct ReferenceLabel {
    const char* symbology;
    std::string_view text;
    const char* file;
};

inline constexpr char kGroupSeparator = '\x1D';

inline constexpr std::array<ReferenceLabel, 2> kReferenceLabels{{
    {"Code 128", "Qc4L-7x", "code128"},
    {"two-dimensional",
     "Dx7q\r\nMp\x1D"
     "2Kz",
     "twod"},
}};

} // namespace quillet
