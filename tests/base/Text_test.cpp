#include "base/Text.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(LabelText, TrimsOnlyBlanks) {
    EXPECT_EQ(TrimBlanks("  ab c  "), "ab c");
    EXPECT_EQ(TrimBlanks("   "), "");
    EXPECT_EQ(TrimBlanks(""), "");
    EXPECT_EQ(TrimBlanks("\tab\t"), "\tab\t");
}

TEST(LabelText, UpperCasesSingleByteLetters) {
    const struct {
        const char* text;
        const char* upper;
    } cases[] = {
        {"abc.cnc", "ABC.CNC"},
        {"ni\xF1o", "NI\xD1O"},
        {"\xE0\xFE\xF7", "\xC0\xDE\xF7"}, // the division sign has no capital
        {"\x9A\x9C\x9E\xFF", "\x8A\x8C\x8E\x9F"},
        {"\xDF\xB5 1/", "\xDF\xB5 1/"}, // sharp s and micro stay
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UpperCase(c.text), c.upper) << c.text;
    }
}

} // namespace
} // namespace quillet
