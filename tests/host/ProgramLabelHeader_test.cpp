#include "host/ProgramLabelHeader.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quillet {
namespace {

using Value = std::optional<std::string>;

TEST(ParseProgramLabelHeader, NameAndLetterFields) {
    const ProgramLabelHeader h = ParseProgramLabelHeader("P1.CNC^X800^Y600^Z18^Q5");
    EXPECT_EQ(h.ProgramName, "P1.CNC");
    EXPECT_EQ(h.DimX, Value("800"));
    EXPECT_EQ(h.DimY, Value("600"));
    EXPECT_EQ(h.DimZ, Value("18"));
    EXPECT_TRUE(h.HasDimensions());
    EXPECT_FALSE(h.HasVarsAToD());
    EXPECT_FALSE(h.HasVarsEToI());
    EXPECT_FALSE(h.FieldCode);
}

TEST(ParseProgramLabelHeader, EveryLetterReachesItsValue) {
    const ProgramLabelHeader h =
        ParseProgramLabelHeader(" P ^Uu^Vv^Aa^Bb^Cc^Dd^Ee^Ff^Gg^Ii^Xx^Yy^Zz");
    EXPECT_EQ(h.ProgramName, " P "); // as printed; trimming is the caller's business
    const std::pair<const Value&, const char*> expected[] = {
        {h.FieldCode, "u"}, {h.VarV, "v"}, {h.VarA, "a"}, {h.VarB, "b"}, {h.VarC, "c"},
        {h.VarD, "d"},      {h.VarE, "e"}, {h.VarF, "f"}, {h.VarG, "g"}, {h.VarI, "i"},
        {h.DimX, "x"},      {h.DimY, "y"}, {h.DimZ, "z"},
    };
    for (const auto& [value, text] : expected) {
        EXPECT_EQ(value, Value(text)) << text;
    }
}

TEST(ParseProgramLabelHeader, FieldRules) {
    const struct {
        const char* what;
        std::string header;
        Value x;
    } cases[] = {
        {"later field overrides", "P^X1^Y2^X3", "3"},
        {"value trimmed of blanks", "P^X  800  ", "800"},
        {"tabs are not blanks", "P^X\t8", "\t8"},
        {"letter alone gives an empty value", "P^X", ""},
        {"lower-case letter ignored", "P^x800", std::nullopt},
        {"leading blank ignored", "P^ X800", std::nullopt},
        {"empty fields skipped", "P^^^X7^^", "7"},
        {"field 14 read", "P" + std::string(12, '^') + "^X14", "14"},
        {"field 15 ignored", "P" + std::string(13, '^') + "^X15", std::nullopt},
        {"hundreds of separators", "P" + std::string(500, '^') + "X1", std::nullopt},
        {"name only", "P", std::nullopt},
    };
    for (const auto& c : cases) {
        const ProgramLabelHeader h = ParseProgramLabelHeader(c.header);
        EXPECT_EQ(h.DimX, c.x) << c.what;
        EXPECT_EQ(h.ProgramName, "P") << c.what;
    }
}

TEST(ParseProgramLabelHeader, EmptyHeaderHasNoName) {
    EXPECT_EQ(ParseProgramLabelHeader("").ProgramName, "");
    EXPECT_EQ(ParseProgramLabelHeader("^X800").ProgramName, "");
    EXPECT_EQ(ParseProgramLabelHeader("^X800").DimX, Value("800"));
}

TEST(ApplyHeaderValues, FieldCodeOnlyIntoAnEmptyOrBlankCode) {
    const struct {
        const char* before;
        const char* header;
        const char* after;
    } cases[] = {
        {"", "P^UT", "T"},    {"  ", "P^UT", "T"}, {"M", "P^UT", "M"},   {"&", "P^UT", "&"},
        {"", "P^UA^US", "S"}, {"", "P^U", ""},     {"N1", "P^X5", "N1"},
    };
    for (const auto& c : cases) {
        LabelState label;
        label.FieldCode = c.before;
        ApplyHeaderValues(ParseProgramLabelHeader(c.header), label);
        EXPECT_EQ(label.FieldCode, c.after) << c.before << " " << c.header;
    }
}

TEST(ApplyHeaderValues, AbsentLettersKeepWhatTheLabelHeld) {
    LabelState label;
    label.DimX = "1";
    label.DimY = "2";
    label.VarA = "old";
    label.ProgramName = "KEEP";
    ApplyHeaderValues(ParseProgramLabelHeader("NEW^Y20^B5"), label);
    EXPECT_EQ(label.ProgramName, "KEEP");
    EXPECT_EQ(label.DimX, "1");
    EXPECT_EQ(label.DimY, "20");
    EXPECT_EQ(label.VarA, "old");
    EXPECT_EQ(label.VarB, "5");
}

} // namespace
} // namespace quillet
