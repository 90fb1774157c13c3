#include "app/ScannerCheck.h"

#include "app/ScannerInput.h"
#include "base/Trace.h"

#include <gtest/gtest.h>

#include <cctype>
#include <random>

namespace quillet {
namespace {

// A scanner's set-up: what it sends around a code and how it reads the code.
struct Scanner {
    const char* name;
    std::size_t reference;
    bool stxEtx;
    std::string prefix;
    std::string id;
    std::string suffix;
    CaseChange caseChange = CaseChange::None;
    GsChange gs = GsChange::Kept;
    char gsAs = 0;
};

std::string Read(std::string_view text, const Scanner& s) {
    std::string out;
    for (const char c : text) {
        if (c == kGroupSeparator && s.gs != GsChange::Kept) {
            if (s.gs == GsChange::Changed) {
                out += s.gsAs;
            }
            continue;
        }
        const auto u = static_cast<unsigned char>(c);
        out += s.caseChange == CaseChange::Upper   ? static_cast<char>(std::toupper(u))
               : s.caseChange == CaseChange::Lower ? static_cast<char>(std::tolower(u))
                                                   : c;
    }
    return out;
}

std::string Sends(std::string_view label, const Scanner& s) {
    const std::string sent = s.prefix + s.id + std::string(label) + s.suffix;
    return s.stxEtx ? ScannerInput::kStx + sent + ScannerInput::kEtx : sent;
}

std::string RandomLabel(std::mt19937& random) {
    static constexpr std::string_view kChars =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-./$% ";
    std::uniform_int_distribution<std::size_t> length(1, 40);
    std::uniform_int_distribution<std::size_t> pick(0, kChars.size() - 1);
    std::string label = "P";
    for (std::size_t n = length(random); n > 0; --n) {
        label += kChars[pick(random)];
    }
    return label + "9";
}

TEST(ScannerCheck, EachSetUpIsInferredFromAReferenceLabelAndItsSettingsRoundTrip) {
    const Scanner scanners[] = {
        {"none", 0, false, "", "", ""},
        {"CR", 0, false, "", "", "\r"},
        {"CR LF", 0, false, "", "", "\r\n"},
        {"TAB", 1, false, "", "", "\t"},
        {"LF", 0, false, "", "", "\n"},
        {"]C0 and CR", 0, false, "", "]C0", "\r"},
        {"]d2 and CR LF, GS kept", 1, false, "", "]d2", "\r\n"},
        {"]d1, GS dropped", 1, false, "", "]d1", "", CaseChange::None, GsChange::Dropped},
        {"GS changed", 1, false, "", "", "\r", CaseChange::None, GsChange::Changed, '~'},
        {"# and ]Q1 and TAB", 1, false, "#", "]Q1", "\t"},
        {"STX/ETX", 0, true, "", "", ""},
        {"upper case", 0, false, "", "", "\r", CaseChange::Upper},
        {"lower case", 1, false, "", "", "", CaseChange::Lower},
    };
    std::mt19937 random(31);
    for (const Scanner& s : scanners) {
        const ReferenceLabel& reference = kReferenceLabels[s.reference];
        const ScannerFinding f = CheckScan(Sends(Read(reference.text, s), s), {});
        ASSERT_EQ(f.reference, &reference) << s.name;
        EXPECT_EQ(f.setup, (ScannerSetup{s.prefix, s.suffix, !s.id.empty()})) << s.name;
        EXPECT_EQ(f.symbologyId, s.id) << s.name;
        EXPECT_EQ(f.stxEtx, s.stxEtx) << s.name;
        EXPECT_EQ(f.caseChange, s.caseChange) << s.name;
        EXPECT_EQ(f.gs, s.gs) << s.name;
        EXPECT_EQ(f.gsAs, s.gsAs) << s.name;
        const ScannerInput input(f.setup);
        for (int i = 0; i < 50; ++i) {
            const std::string label = RandomLabel(random);
            const CleanedInput cleaned = input.Clean(Sends(label, s));
            EXPECT_TRUE(cleaned.isLabel && cleaned.label == label)
                << s.name << ": " << EscapeTraceText(label);
        }
    }
}

TEST(ScannerCheck, AScanThatIsNoReferenceLabelShowsWhatTheSettingsMakeOfIt) {
    const ScannerSetup aim{"", "", true};
    struct Case {
        std::string scan;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"]C0PJ1\r", {"Not a reference label.", "The current settings make of it: PJ1"}},
        {"\r", {"Not a reference label.", "The current settings make of it: no label."}},
        {"]C0QC4L-7X\r",
         {"The Code 128 test label.", "Prefix: none", "Symbology identifier: ]C0 (Code 128)",
          "Suffix: \\r", "Upper case converted: switch the scanner's case conversion off."}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DescribeFinding(CheckScan(c.scan, aim)), c.lines) << EscapeTraceText(c.scan);
    }
}

} // namespace
} // namespace quillet
