#include "host/ProgramReader.h"

#include "base/LabelState.h"
#include "config/Settings.h"
#include "host/TextSplitter.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

constexpr const char* kPath = "C:\\MIRT\\PRODUCT\\PART1.CNC";

class ProgramReaderTest : public ::testing::Test {
protected:
    void SetUp() override {
        label.ProgramName = "PART1.CNC";
        label.Comment = "earlier";
    }

    void Read(const std::string& content) {
        files.files[kPath] = content;
        reader.ReadProgramDimensions(x, y, z);
    }

    LabelState label;
    Settings settings;
    testing::FakeFileSystem files;
    testing::FakeOperator op;
    Parser parser;
    ProgramReader reader{label, settings, files, op, parser};
    float x = -1, y = -2, z = -3;
};

TEST_F(ProgramReaderTest, ZorFormatReadsUnLineAfterLineTwoAndTheComment) {
    // Line 2 holds "UN" too; only a later line counts.
    Read("ZOR 2.1\r\n; Shelf UNIT\r\nG0 X0\r\nDIMUN X=800 Y=600 Z=18\r\nmore\r\n");
    EXPECT_EQ(x, 800.0f);
    EXPECT_EQ(y, 600.0f);
    EXPECT_EQ(z, 18.0f);
    EXPECT_EQ(label.Comment, "Shelf UNIT");
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ProgramReaderTest, LineEndingsAndBlankLinesAreAllAccepted) {
    for (const char* content : {
             "\n  \nzor\n\n   \nXXcomment\nun X=1.5 Y=2 Z=3",
             "\rzor\r\rXXcomment\r \rUn X=1.5 Y=2 Z=3\r",
             "zor\r\n\r\nXXcomment\n\rUN X=1.5 Y=2 Z=3\r\n",
         }) {
        x = y = z = -1;
        Read(content);
        EXPECT_EQ(x, 1.5f) << content;
        EXPECT_EQ(y, 2.0f) << content;
        EXPECT_EQ(z, 3.0f) << content;
        EXPECT_EQ(label.Comment, "comment") << content;
    }
}

TEST_F(ProgramReaderTest, ZorValuesFollowTheLeadingNumberRule) {
    Read("ZOR\nAB\nUN X=800mm Y=abc Z=\n");
    EXPECT_EQ(x, 800.0f);
    EXPECT_EQ(y, 0.0f);
    EXPECT_EQ(z, 0.0f);
    EXPECT_EQ(label.Comment, "");
}

TEST_F(ProgramReaderTest, GCodeFirstLineGivesDimensionsAndSecondTheComment) {
    Read("\r\n  g71 X800 Y600 Z18 T1\r\n\r\n  (SHELF) N10\r\n");
    EXPECT_EQ(x, 800.0f);
    EXPECT_EQ(y, 600.0f);
    EXPECT_EQ(z, 18.0f);
    EXPECT_EQ(label.Comment, "SHELF");

    Read("G70 X1 Y2 Z3\nno parentheses\n");
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(label.Comment, "");
}

TEST_F(ProgramReaderTest, GCodeFieldThatIsNotANumberEndsTheReading) {
    struct Case {
        const char* line1;
        float x, y, z;
    };
    for (const Case& c :
         {Case{"G71 X800 Yabc Z18", 800, -2, -3}, Case{"G71 X800 Y600", 800, 600, -3},
          Case{"G71 X8O0 Y600 Z18", -1, -2, -3}, Case{"G71 X1e40 Y600 Z18", -1, -2, -3},
          Case{"G71 Xinf Y600 Z18", -1, -2, -3}, Case{"G71 X- Y600 Z18", -1, -2, -3},
          Case{"G71 X 1 2 Y600 Z18", -1, -2, -3}}) {
        x = -1, y = -2, z = -3;
        Read(std::string(c.line1) + "\n(KEPT)\n");
        EXPECT_EQ(x, c.x) << c.line1;
        EXPECT_EQ(y, c.y) << c.line1;
        EXPECT_EQ(z, c.z) << c.line1;
        EXPECT_EQ(label.Comment, "") << c.line1;
    }
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ProgramReaderTest, GCodeNumbersMayCarryBlanksSignPointAndExponent) {
    Read("G71 X 12.5 Y-.5 Z+1e2 T1\n(C)\n");
    EXPECT_EQ(x, 12.5f);
    EXPECT_EQ(y, -0.5f);
    EXPECT_EQ(z, 100.0f);
}

TEST_F(ProgramReaderTest, OtherFormatIsReportedAndChangesNothing) {
    Read("G90 X800 Y600 Z18\n(SHELF)\n");
    EXPECT_EQ(x, -1.0f);
    EXPECT_EQ(y, -2.0f);
    EXPECT_EQ(z, -3.0f);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::None);
    EXPECT_EQ(op.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(op.shown[0].title, "Quillet");
    EXPECT_EQ(op.shown[0].text, std::string(kPath) + " Not a proper program file");
}

TEST_F(ProgramReaderTest, MissingUnreadableOrShortFilesFailSilently) {
    reader.ReadProgramDimensions(x, y, z); // no file at all
    EXPECT_EQ(label.Comment, "");
    files.readErrors[kPath] = FsError::AccessDenied;
    Read("G71 X1 Y2 Z3\n(C)\n");
    files.readErrors.clear();
    for (const char* content : {"", "\r\n \r\n", "G71 X1 Y2 Z3", "G90\n\n  \n", "ZOR\n; c\nG0\n"}) {
        Read(content);
    }
    EXPECT_EQ(x, -1.0f);
    EXPECT_EQ(y, -2.0f);
    EXPECT_EQ(z, -3.0f);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ProgramReaderTest, BinaryAndHugeFilesDoNotBreakTheReader) {
    std::string binary;
    for (int i = 0; i < 70000; ++i) {
        binary += static_cast<char>((i * 7) % 256);
    }
    Read(binary);
    EXPECT_LE(op.shown.size(), 1u);

    Read("G71 X5 Y6 Z7 " + std::string(8 << 20, 'A')); // one line, no line ending
    EXPECT_EQ(x, -1.0f);

    Read("ZOR\nXXbig\n" + std::string(1 << 18, '\n') + "UN a=1 b=2 c=3");
    EXPECT_EQ(x, 1.0f);
    EXPECT_EQ(z, 3.0f);
}

TEST_F(ProgramReaderTest, FileNameIsPathAndProgramTrimmed) {
    settings.GCodePath = "  D:\\CNC\\";
    label.ProgramName = "A B.CNC  ";
    EXPECT_EQ(reader.ProgramPath(), "D:\\CNC\\A B.CNC");
    files.files["D:\\CNC\\A B.CNC"] = "G71 X4 Y5 Z6\n(Q)\n";
    reader.ReadProgramDimensions(x, y, z);
    EXPECT_EQ(x, 4.0f);
    EXPECT_EQ(label.Comment, "Q");
}

} // namespace
} // namespace quillet
