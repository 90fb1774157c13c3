#include "host/ProgramFileName.h"

#include <gtest/gtest.h>

#include <string>

namespace quillet {
namespace {

TEST(ProgramFileNameFault, NamesInsideTheFolderPass) {
    for (const std::string name :
         {"P1.CNC", "  P1.CNC  ", "SUB\\P1.CNC", "sub/p1", "A.B.C", "NI\xD1O", "CONSOLE.CNC",
          "COM0", "LPT10", ".hidden", "a..b", "x\\.\\y"}) {
        EXPECT_EQ(ProgramFileNameFault(name), "") << name;
    }
}

TEST(ProgramFileNameFault, NamesThatLeaveTheFolderOrNameNoFile) {
    const struct {
        std::string name;
        const char* fault;
    } cases[] = {
        {"", "is empty"},
        {"   ", "is empty"},
        {"..\\P1", "leaves the program folder"},
        {"../P1", "leaves the program folder"},
        {"SUB\\..\\..\\P1", "leaves the program folder"},
        {"SUB\\..", "leaves the program folder"},
        {"...\\P1", "leaves the program folder"},
        {".. \\P1", "leaves the program folder"},
        {"\\WINDOWS\\P1", "leaves the program folder"},
        {"/etc/passwd", "leaves the program folder"},
        {" \\P1", "leaves the program folder"},
        {"C:\\P1", "leaves the program folder"},
        {"C:P1", "leaves the program folder"},
        {"P1:stream", "leaves the program folder"},
        {"P1*", "holds characters no file name may hold"},
        {"P<1>", "holds characters no file name may hold"},
        {"P\"1", "holds characters no file name may hold"},
        {std::string("P\0"
                     "1",
                     3),
         "holds control characters"},
        {"P\x01", "holds control characters"},
        {"P\r\n", "holds control characters"},
        {"P\x7F", "holds control characters"},
        {"SUB\\", "names a folder"},
        {"CON", "names a device"},
        {"nul.cnc", "names a device"},
        {"SUB\\com1", "names a device"},
        {"Lpt9.txt", "names a device"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ProgramFileNameFault(c.name), c.fault) << PrintableName(c.name);
    }
}

TEST(PrintableName, ControlBytesShownAsQuestionMarks) {
    EXPECT_EQ(PrintableName(std::string("a\0b\r\x7F\xF1", 6)), "a?b??\xF1");
}

} // namespace
} // namespace quillet
