#include "labels/CompanionCsv.h"

#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

constexpr const char* kOut = "C:\\OUT\\ALL.CSV";

class CompanionCsvTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.CSVInPath = "C:\\CSV";
        settings.CSVOutPath = kOut;
    }
    CsvAppend Append(std::string_view name) {
        return AppendCompanionCsv(name, settings, files, op);
    }
    Settings settings;
    testing::FakeFileSystem files;
    testing::FakeOperator op;
};

TEST_F(CompanionCsvTest, CompanionNameDropsCncInAnyCaseAndKeepsOtherExtensions) {
    struct Case {
        const char* program;
        const char* companion;
    };
    for (const Case& c :
         {Case{"PART1.CNC", "C:\\CSV\\PART1.CSV"}, Case{"part1.cNc", "C:\\CSV\\part1.CSV"},
          Case{"PART1", "C:\\CSV\\PART1.CSV"}, Case{"PART1.NC", "C:\\CSV\\PART1.NC.CSV"},
          Case{".CNC", "C:\\CSV\\.CSV"}, Case{"CNC", "C:\\CSV\\CNC.CSV"}}) {
        EXPECT_EQ(CompanionCsvPath(c.program, settings), c.companion) << c.program;
    }
    settings.CSVInPath = "  C:\\CSV";
    EXPECT_EQ(CompanionCsvPath("P ", settings), "C:\\CSV\\P .CSV");
}

TEST_F(CompanionCsvTest, RecordIsCopiedByteForByteWithOneLineBreakReplaced) {
    struct Case {
        std::string content;
        std::string written;
    };
    const std::string bytes("a;\xF1;\x00;\xFF", 7);
    for (const Case& c :
         {Case{"1;2\r\n", "1;2\r\n"}, Case{"1;2", "1;2\r\n"}, Case{"1;2\n", "1;2\r\n"},
          Case{"1;2\r", "1;2\r\n"}, Case{"1;2\n\r", "1;2\n\r\n"},
          Case{"1;2\r\n\r\n", "1;2\r\n\r\n"}, Case{"a\r\nb\r\nc\r\n", "a\r\nb\r\nc\r\n"},
          Case{bytes, bytes + "\r\n"}}) {
        files.files = {{"C:\\CSV\\P.CSV", c.content}};
        EXPECT_EQ(Append("P.CNC"), CsvAppend::Appended);
        EXPECT_EQ(files.files[kOut], c.written);
    }
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(CompanionCsvTest, RecordsAccumulateOnePerCall) {
    files.files = {{"C:\\CSV\\P.CSV", "x"}, {kOut, "old\r\n"}};
    Append("P");
    Append("P.CNC");
    EXPECT_EQ(files.files[kOut], "old\r\nx\r\nx\r\n");
}

TEST_F(CompanionCsvTest, MissingOrEmptyCompanionWritesNothingSilently) {
    EXPECT_EQ(Append("NONE"), CsvAppend::NoCompanion);
    for (const char* empty : {"", "\r\n", "\n", "\r"}) {
        files.files = {{"C:\\CSV\\E.CSV", empty}};
        EXPECT_EQ(Append("E"), CsvAppend::Empty);
        EXPECT_EQ(files.files.count(kOut), 0u);
    }
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(CompanionCsvTest, NamesLeavingTheCsvFolderAreNeverReadAndSaySo) {
    files.files = {{"C:\\CSV\\..\\SECRET.CSV", "s"},
                   {"C:\\CSV\\D:\\X.CSV", "s"},
                   {"C:\\CSV\\SUB\\P.CSV", "sub"}};
    for (const char* name : {"..\\SECRET", "D:\\X", "SUB\\..\\..\\X", "\\X"}) {
        op.shown.clear();
        EXPECT_EQ(Append(name), CsvAppend::OutsideFolder) << name;
        ASSERT_EQ(op.shown.size(), 1u) << name;
        EXPECT_NE(op.shown[0].text.find("outside the CSV folder"), std::string::npos);
    }
    EXPECT_EQ(Append(std::string("P\0x", 3)), CsvAppend::NoCompanion);
    EXPECT_EQ(files.files.count(kOut), 0u);
    EXPECT_EQ(Append("SUB\\P.CNC"), CsvAppend::Appended);
    EXPECT_EQ(files.files[kOut], "sub\r\n");
}

TEST_F(CompanionCsvTest, UnreadableCompanionOrUnwritableOutputIsReportedNamingTheFile) {
    files.files = {{"C:\\CSV\\P.CSV", "rec"}};
    files.readErrors["C:\\CSV\\P.CSV"] = FsError::AccessDenied;
    EXPECT_EQ(Append("P"), CsvAppend::ReadFailed);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_NE(op.shown[0].text.find("C:\\CSV\\P.CSV"), std::string::npos);

    files.readErrors.clear();
    files.writeErrors[kOut] = FsError::NoSpace;
    EXPECT_EQ(Append("P"), CsvAppend::WriteFailed);
    ASSERT_EQ(op.shown.size(), 2u);
    EXPECT_EQ(op.shown[1].icon, MessageIcon::Exclamation);
    EXPECT_NE(op.shown[1].text.find(kOut), std::string::npos);
    EXPECT_NE(op.shown[1].text.find("C:\\CSV\\P.CSV"), std::string::npos);
}

TEST_F(CompanionCsvTest, DriveErrorAnsweredWithCancelCountsAsMissing) {
    files.files = {{"C:\\CSV\\P.CSV", "rec"}};
    files.lookupErrors["C:\\CSV\\P.CSV"] = FsError::NotReady;
    op.defaultAnswer = MessageAnswer::Cancel;
    EXPECT_EQ(Append("P"), CsvAppend::NoCompanion);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].text, "Insert Disk");
}

} // namespace
} // namespace quillet
