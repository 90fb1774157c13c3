#include "base/LabelReset.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(ResetLabelState, ResetsTheProgramAndKeepsTheVariables) {
    LabelState s;
    s.ProgramName = "P1.CNC";
    s.FieldCode = "R1/";
    s.Comment = "comment";
    s.DimX = "1";
    s.DimY = "2";
    s.DimZ = "3";
    s.HostValue164 = "7";
    s.HostValue165 = "8";
    s.HostValue280 = "a";
    s.HostValue282 = "b";
    s.HostValue283 = "c";
    s.VarV = "v";
    s.VarA = "A";
    s.VarD = "D";
    s.VarI = "I";
    s.CodeChosen = true;

    ResetLabelState(s);

    EXPECT_EQ(s.ProgramName, "");
    EXPECT_EQ(s.FieldCode, "N");
    EXPECT_EQ(s.DimX + s.DimY + s.DimZ, "");
    EXPECT_EQ(s.HostValue164, "1");
    EXPECT_EQ(s.HostValue165, "1");
    EXPECT_EQ(s.HostValue280 + s.HostValue282 + s.HostValue283 + s.VarV, "");
    // Left for the interpreter to manage.
    EXPECT_EQ(s.Comment, "comment");
    EXPECT_EQ(s.VarA + s.VarD + s.VarI, "ADI");
    EXPECT_TRUE(s.CodeChosen);
}

} // namespace
} // namespace quillet
