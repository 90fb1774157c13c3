#include "host/TextSplitter.h"

#include <gtest/gtest.h>

#include <vector>

namespace quillet {
namespace {

std::vector<std::string> Fields(Parser& parser, int count) {
    std::vector<std::string> out;
    for (int n = 1; n <= count; ++n) {
        out.push_back(parser.Field(n));
    }
    return out;
}

TEST(Parser, SplitsAtEverySeparatorCharacter) {
    struct Case {
        const char* separators;
        const char* text;
        std::vector<std::string> fields;
    };
    const std::vector<Case> cases = {
        {"XYZT", "G71 X800 Y600 Z18 T1", {"G71 ", "800 ", "600 ", "18 ", "1", ""}},
        {"\r =", "DIMUN X=800 Y=600 Z=18", {"DIMUN", "X", "800", "Y", "600", "Z", "18", ""}},
        {"()", "(SHELF)", {"", "SHELF", "", ""}},
        {";", "a;;b;", {"a", "", "b", "", ""}},
        {"^", "^lead", {"", "lead", ""}},
        {";", "", {"", ""}},
        {"", "no separators", {"no separators", ""}},
        {";", "\xf1;\t x ;", {"\xf1", "\t x ", ""}},
    };
    for (const Case& c : cases) {
        Parser parser;
        parser.Separators(c.separators);
        parser.Text(c.text);
        EXPECT_EQ(Fields(parser, static_cast<int>(c.fields.size())), c.fields) << c.text;
    }
}

TEST(Parser, FieldNumbersOutsideTheTextAreEmpty) {
    Parser parser;
    parser.Separators(";");
    parser.Text("a;b");
    EXPECT_EQ(parser.Field(0), "");
    EXPECT_EQ(parser.Field(-3), "");
    EXPECT_EQ(parser.Field(19), "");
    EXPECT_EQ(parser.Field(2), "b");
}

TEST(Parser, NewTextReplacesTheOldAndSeparatorsStay) {
    Parser parser;
    parser.Separators("^");
    parser.Text("a^b^c");
    parser.Text("x^y");
    EXPECT_EQ(parser.Field(2), "y");
    EXPECT_EQ(parser.Field(3), "");
    parser.Separators("y");
    EXPECT_EQ(parser.Field(1), "x^");
}

} // namespace
} // namespace quillet
