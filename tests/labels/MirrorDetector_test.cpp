#include "labels/MirrorDetector.h"

#include <gtest/gtest.h>

#include <climits>

namespace quillet {
namespace {

constexpr bool kLeft = true;
constexpr bool kRight = false;
constexpr bool kNormAndMirror = true;
constexpr bool kMirrorOnly = false;

struct Case {
    const char* what;
    AutoSelTarget target;
    bool nmSel;
    bool fromLeft;
    const char* marker;
    int value;
    int max;
    const char* source; // program name or comment, as the target says
    bool result;
    const char* fieldCode; // "N" is untouched
};

MachineFieldModel Fields(const Case& c) {
    MachineFieldModel f;
    f.target = c.target;
    f.mirrorSelected = !c.nmSel;
    f.OptAlnL = c.fromLeft;
    f.MSpec = c.marker;
    f.PosScrollValue = c.value;
    f.PosScrollMax = c.max;
    return f;
}

LabelState Label(const Case& c) {
    LabelState s;
    s.FieldCode = "N";
    const char* other = "OTHERTEXTMXMXMX";
    s.ProgramName = c.target == AutoSelTarget::Comment ? other : c.source;
    s.Comment = c.target == AutoSelTarget::Comment ? c.source : other;
    return s;
}

constexpr auto kName = AutoSelTarget::ProgramName;
constexpr auto kComment = AutoSelTarget::Comment;
constexpr auto kBarcode = AutoSelTarget::Barcode;

TEST(DetectMirror, MarkerPositionsAndOutcomes) {
    const Case cases[] = {
        // From the left: the marker at Value, 1-based.
        {"left hit", kName, kNormAndMirror, kLeft, "MX", 5, 11, "AB12MX34", true, "W"},
        {"left hit, mirror only", kName, kMirrorOnly, kLeft, "MX", 5, 11, "AB12MX34", false, "W"},
        {"left miss", kName, kNormAndMirror, kLeft, "MX", 4, 11, "AB12MX34", false, "P"},
        {"case and blanks ignored", kName, kNormAndMirror, kLeft, "mx", 5, 11, "  ab12mx34 ", true,
         "W"},
        {"single-byte letters", kName, kNormAndMirror, kLeft, "\xF1", 3, 11, "NI\xD1O", true, "W"},
        {"left marker runs past the end", kName, kNormAndMirror, kLeft, "34X", 7, 11, "AB12MX34",
         false, "P"},
        {"left position 0", kName, kNormAndMirror, kLeft, "AB", 0, 11, "AB12MX34", false, "P"},
        {"left beyond the text", kName, kNormAndMirror, kLeft, "A", 100, 11, "AB12MX34", false,
         "P"},
        {"left at INT_MIN", kName, kNormAndMirror, kLeft, "A", INT_MIN, 11, "AB12MX34", false, "P"},
        // From the right: start n - (Max - Value).
        {"right hit", kName, kNormAndMirror, kRight, "MX", 9, 12, "AB12MX34", true, "W"},
        {"right miss", kName, kNormAndMirror, kRight, "MX", 8, 12, "AB12MX34", false, "P"},
        {"right at Max starts at n: excluded", kName, kNormAndMirror, kRight, "4", 12, 12,
         "AB12MX34", false, "P"},
        {"right one before Max", kName, kNormAndMirror, kRight, "34", 11, 12, "AB12MX34", true,
         "W"},
        {"right start below 0", kName, kNormAndMirror, kRight, "AB", 1, 25, "AB12MX34", false, "P"},
        {"right fewer than m left", kName, kNormAndMirror, kRight, "34X", 11, 12, "AB12MX34", false,
         "P"},
        {"right extreme bounds", kName, kNormAndMirror, kRight, "A", INT_MAX, INT_MIN, "AB12MX34",
         false, "P"},
        // The star matches anywhere, but never a marker longer than the text.
        {"star left", kName, kNormAndMirror, kLeft, "*", 0, 11, "AB", true, "W"},
        {"star right at Max", kName, kMirrorOnly, kRight, "*Q", 12, 12, "AB", false, "W"},
        {"star longer than source", kName, kNormAndMirror, kLeft, "*ABC", 1, 11, "AB", false, "N"},
        {"marker longer than source", kName, kNormAndMirror, kLeft, "AB12MX345", 1, 11, "AB12MX34",
         false, "N"},
        {"empty marker", kName, kNormAndMirror, kLeft, "", 1, 11, "AB12MX34", false, "N"},
        {"empty source", kName, kNormAndMirror, kLeft, "*", 1, 11, "   ", false, "N"},
        // The comment is read for the comment target; barcode reads nothing.
        {"comment hit", kComment, kNormAndMirror, kLeft, "MIR", 3, 23, "A MIRROR PART", true, "W"},
        {"barcode", kBarcode, kNormAndMirror, kLeft, "*", 1, 25, "AB12MX34", false, "N"},
    };
    for (const auto& c : cases) {
        const MachineFieldModel fields = Fields(c);
        LabelState state = Label(c);
        EXPECT_EQ(DetectMirror(fields, state), c.result) << c.what;
        EXPECT_EQ(state.FieldCode, c.fieldCode) << c.what;
    }
}

TEST(ExplainMirror, SaysWhatTheTriggerReadAndWhetherItMatched) {
    struct Explained {
        Case c;
        const char* line;
    };
    const Explained cases[] = {
        {{"barcode", kBarcode, kNormAndMirror, kLeft, "MX", 5, 11, "AB12MX34", false, ""},
         "mirror trigger not used (the barcode chooses)"},
        {{"left hit", kName, kNormAndMirror, kLeft, "mx", 5, 11, " ab12mx34", true, ""},
         "mirror trigger \"MX\" at position 5 found in name \"AB12MX34\" (norm and mirror: twice)"},
        {{"left miss", kName, kMirrorOnly, kLeft, "MX", 4, 11, "P1", false, ""},
         "mirror trigger \"MX\" at position 4 not in name \"P1\""},
        {{"right hit", kComment, kMirrorOnly, kRight, "MX", 8, 11, "AB12MX34", true, ""},
         "mirror trigger \"MX\" 3 from the right found in comment \"AB12MX34\""},
    };
    for (const Explained& e : cases) {
        EXPECT_EQ(ExplainMirror(Fields(e.c), Label(e.c)), e.line) << e.c.what;
    }
}

} // namespace
} // namespace quillet
