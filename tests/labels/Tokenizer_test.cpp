#include "labels/Tokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quillet {
namespace {

std::vector<std::string> Tokens(ScanRecord& record, const std::string& s, std::size_t calls) {
    std::vector<std::string> out;
    for (std::size_t i = 0; i < calls; ++i) {
        out.push_back(NextToken(record, s));
    }
    return out;
}

TEST(NextToken, SplitsAtEveryBlank) {
    using V = std::vector<std::string>;
    const struct {
        std::string text;
        V tokens; // then empty for ever
    } cases[] = {
        {"AB CD", {"AB", "CD"}},
        {"AB  CD", {"AB", "", "CD"}},
        {"AB", {"AB"}},
        {"A", {"A"}},
        {" AB", {"", "AB"}},
        {"AB ", {"AB"}},
        {"12.5 30 4$", {"12.5", "30", "4$"}},
        {"\xF1"
         "A B",
         {"\xF1"
          "A",
          "B"}},
    };
    for (const auto& c : cases) {
        ScanRecord record;
        V expected = c.tokens;
        expected.insert(expected.end(), {"", ""});
        EXPECT_EQ(Tokens(record, c.text, expected.size()), expected) << '"' << c.text << '"';
    }
}

TEST(NextToken, EmptyTextResets) {
    ScanRecord record;
    NextToken(record, "AB CD");
    EXPECT_EQ(NextToken(record, ""), "");
    EXPECT_EQ(record.TokenSource, "");
    EXPECT_EQ(record.TokenPos, 0u);
    EXPECT_EQ(NextToken(record, "AB CD"), "AB");
}

TEST(NextToken, ShorterNewTextYieldsNothingUntilReset) {
    ScanRecord record;
    EXPECT_EQ(NextToken(record, "ABCDEF GH"), "ABCDEF");
    EXPECT_EQ(NextToken(record, "XY Z"), "");
    EXPECT_EQ(NextToken(record, "XY Z"), "");
    NextToken(record, "");
    EXPECT_EQ(Tokens(record, "XY Z", 3), (std::vector<std::string>{"XY", "Z", ""}));
}

TEST(NextToken, LongerNewTextStartsFromItsBeginning) {
    ScanRecord record;
    EXPECT_EQ(NextToken(record, "AB CD"), "AB");
    EXPECT_EQ(NextToken(record, "WXYZ Q"), "WXYZ");
    EXPECT_EQ(NextToken(record, "WXYZ Q"), "Q");
}

TEST(NextToken, TextsBeyondSixteenBitPositions) {
    ScanRecord record;
    const std::string first(40000, 'a');
    const std::string text = first + " b " + std::string(30000, 'c');
    EXPECT_EQ(NextToken(record, text), first);
    EXPECT_EQ(NextToken(record, text), "b");
    EXPECT_EQ(NextToken(record, text).size(), 30000u);
    EXPECT_EQ(NextToken(record, text), "");
}

} // namespace
} // namespace quillet
