#include "host/FieldString.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

class FieldStringTest : public ::testing::Test {
protected:
    void SetUp() override { codes.InitCodeTable(); }
    CodeTable codes;
    LabelState label;
};

TEST_F(FieldStringTest, JoinsTheElevenItemsInHostOrder) {
    label.ProgramName = "PART1.CNC";
    label.FieldCode = "M";
    label.HostValue164 = "999";
    label.HostValue165 = "2";
    label.HostValue280 = "a";
    label.DimX = "800";
    label.DimY = "600.5";
    label.DimZ = "18";
    label.HostValue282 = "b";
    label.HostValue283 = "c";
    EXPECT_EQ(BuildFieldString(label, codes), "#161=PART1.CNC;#164=999;#171=2;#284=1;#280=a;#165=2;"
                                              "#168=800;#169=600.5;#170=18;#282=b;#283=c;");
}

TEST_F(FieldStringTest, FieldNumberAndMirrorFlagFollowTheCodeTable) {
    struct Case {
        const char* code;
        const char* items;
    };
    for (const Case& c :
         {Case{"N", "#171=1;#284=0;"}, Case{"M", "#171=2;#284=1;"}, Case{"N1/", "#171=19;#284=0;"},
          Case{"R/1", "#171=36;#284=1;"}, Case{"T1", "#171=11;#284=0;"},
          Case{"", "#171=37;#284=0;"}, Case{"n", "#171=37;#284=0;"}, Case{"P", "#171=37;#284=0;"},
          Case{"M ", "#171=37;#284=0;"}}) {
        label.FieldCode = c.code;
        EXPECT_NE(BuildFieldString(label, codes).find(c.items), std::string::npos) << c.code;
    }
}

TEST_F(FieldStringTest, ZeroDimensionsAreSentEmptyAndStayEmpty) {
    struct Case {
        const char* text;
        const char* sent;
    };
    for (const Case& c :
         {Case{"0", ""}, Case{"0.0", ""}, Case{"abc", ""}, Case{"", ""}, Case{" 0", ""},
          Case{"-0", ""}, Case{".5", ".5"}, Case{" 12x", " 12x"}, Case{"0.001", "0.001"}}) {
        label.DimX = c.text;
        label.DimY = c.text;
        label.DimZ = c.text;
        const std::string fs = BuildFieldString(label, codes);
        const std::string sent = c.sent;
        EXPECT_NE(fs.find("#168=" + sent + ";#169=" + sent + ";#170=" + sent + ";"),
                  std::string::npos)
            << c.text;
        EXPECT_EQ(label.DimX, sent);
        EXPECT_EQ(label.DimY, sent);
        EXPECT_EQ(label.DimZ, sent);
    }
}

TEST_F(FieldStringTest, AllValuesEmptyGivesElevenEmptyItems) {
    label = LabelState{};
    label.FieldCode.clear();
    label.HostValue164.clear();
    label.HostValue165.clear();
    EXPECT_EQ(BuildFieldString(label, codes),
              "#161=;#164=;#171=37;#284=0;#280=;#165=;#168=;#169=;#170=;#282=;#283=;");
}

TEST_F(FieldStringTest, ValuesAreNotEscaped) {
    label.ProgramName = "A;B#1=\xf1";
    EXPECT_EQ(BuildFieldString(label, codes).substr(0, 13), "#161=A;B#1=\xf1;");
}

} // namespace
} // namespace quillet
