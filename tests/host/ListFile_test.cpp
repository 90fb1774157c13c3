#include "host/ListFile.h"

#include "host/TextSplitter.h"
#include "support/HostRig.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class ListFileTest : public ::testing::Test, protected testing::HostRig {
protected:
    void SetUp() override {
        settings.GCodePath = "C:\\PROD\\";
        ASSERT_TRUE(Connect(1));
        window.ShowRowIndicator(0);
        window.ShowRowIndicator(3);
    }

    long Count(std::string_view prefix) const {
        return std::count_if(trace.lines.begin(), trace.lines.end(),
                             [&](const std::string& l) { return l.starts_with(prefix); });
    }

    bool NoIndicators() const {
        for (int i = 0; i < WindowState::kRowIndicators; ++i) {
            if (window.RowIndicatorVisible(i)) {
                return false;
            }
        }
        return true;
    }

    const std::string path = "C:\\PROD\\JOB.LST";
    Parser parser;
    ListFile list{label, settings, files, op, parser, control, window};
};

TEST(RetainedListLines, KeepsLinesLongerThanFiveAfterTrimmingInAnyLineEnding) {
    struct Case {
        std::string data;
        Lines expected;
    };
    const Case cases[] = {
        {"", {}},
        {"12345\r\n123456\r\n", {"123456"}},
        {"  12345  \n 123456", {" 123456"}},
        {"HEADER\rAB;1;N\rPROG;1;N\r\n\r\n", {"HEADER", "AB;1;N", "PROG;1;N"}},
        {std::string("AB\0CDEF\n", 8), {std::string("AB\0CDEF", 7)}},
        {"      \n\n\n", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RetainedListLines(c.data), c.expected) << c.data;
    }
}

TEST(StoreListLine, MapsNineteenFieldsAndClearsMissingOnes) {
    Parser parser;
    LabelState label;
    label.VarI = "old";
    label.VarA = "old";
    StoreListLine("P1.CNC;2;M;3;800;600;19;x;282v;vv;y;a;b;c;d;e;f;g;i;extra", parser, label);
    EXPECT_EQ(label.ProgramName, "P1.CNC");
    EXPECT_EQ(label.HostValue164, "2");
    EXPECT_EQ(label.FieldCode, "M");
    EXPECT_EQ(label.HostValue165, "3");
    EXPECT_EQ(label.DimX, "800");
    EXPECT_EQ(label.DimY, "600");
    EXPECT_EQ(label.DimZ, "19");
    EXPECT_EQ(label.HostValue282, "282v");
    EXPECT_EQ(label.VarV, "vv");
    EXPECT_EQ(label.VarA + label.VarB + label.VarC + label.VarD, "abcd");
    EXPECT_EQ(label.VarE + label.VarF + label.VarG + label.VarI, "efgi");

    StoreListLine(" P2 ;;sa", parser, label);
    EXPECT_EQ(label.ProgramName, " P2 ");
    EXPECT_EQ(label.HostValue164, "");
    EXPECT_EQ(label.FieldCode, "sa");
    EXPECT_EQ(label.DimX, "");
    EXPECT_EQ(label.VarA, "");
    EXPECT_EQ(label.VarI, "");
}

TEST_F(ListFileTest, AddsEveryLineAfterTheFirstAndStartsOnceAfterTheLast) {
    files.files[path] = "HEADER LINE\r\nP1.CNC;1;S;1;800;600\r\nshort\r\nP2.CNC;1;M;1;10;20\r\n";
    ASSERT_TRUE(list.LoadListFile("JOB"));
    ASSERT_EQ(host->Entries().size(), 2u);
    EXPECT_EQ(host->Entries()[0].fields.at(161), "P1.CNC");
    EXPECT_EQ(host->Entries()[1].fields.at(161), "P2.CNC");
    EXPECT_EQ(Count("host SetDeviceStatus DRAVINESK.MAIN.AddProg 1"), 2);
    EXPECT_EQ(Count("host Start"), 1);
    EXPECT_EQ(trace.lines.end()[-3], "host Start");
    EXPECT_EQ(trace.lines.end()[-2], "pause 0.6");
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_TRUE(NoIndicators());
    EXPECT_EQ(label.ProgramName, "");
    EXPECT_EQ(label.FieldCode, "N");
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(ListFileTest, WithoutAutoStartTheHostIsNotStarted) {
    window.SetAutoStart(false);
    files.files[path] = "HEADER\nP1.CNC;1;S\n";
    ASSERT_TRUE(list.LoadListFile("JOB"));
    EXPECT_EQ(Count("host Start"), 0);
    EXPECT_EQ(host->Entries().size(), 1u);
}

TEST_F(ListFileTest, FewerThanTwoRetainedLinesReportEmpty) {
    for (const std::string data : {"", "ONLY ONE LINE\r\n12345\r\n", "\x01\x02\xff\r\n"}) {
        files.files[path] = data;
        op.shown.clear();
        EXPECT_FALSE(list.LoadListFile("JOB"));
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.shown[0].text, "List File C:\\PROD\\JOB.LST Empty");
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Exclamation);
        EXPECT_EQ(op.shown[0].buttons, MessageButtons::Ok);
    }
    EXPECT_TRUE(host->Entries().empty());
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_TRUE(NoIndicators());
}

TEST_F(ListFileTest, SubfoldersLoadAndNamesOutsideTheFolderAreNeverLookedFor) {
    // Files that a name outside the folder would reach exist too: none may be read.
    const std::string data = "HEADER\nP1.CNC;1;S\n";
    files.files = {{"C:\\PROD\\SUB\\JOBS.LST", data},
                   {"C:\\PROD\\a/b.LST", data},
                   {"C:\\PROD\\..\\X.LST", data},
                   {"C:\\PROD\\C:\\X.LST", data},
                   {"C:\\PROD\\\\X.LST", data}};
    const struct {
        std::string name;
        const char* message; // empty: loaded
    } cases[] = {
        {"SUB\\JOBS", ""},
        {"a/b", ""},
        {"NOPE", " Not Found"},
        {"..\\X", " lies outside the program folder"},
        {"..", " lies outside the program folder"},
        {"SUB\\..\\..\\X", " lies outside the program folder"},
        {"C:\\X", " lies outside the program folder"},
        {"\\X", " lies outside the program folder"},
    };
    for (const auto& c : cases) {
        op.shown.clear();
        EXPECT_EQ(list.LoadListFile(c.name), *c.message == '\0') << c.name;
        if (*c.message == '\0') {
            EXPECT_TRUE(op.shown.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(op.shown.size(), 1u) << c.name;
        EXPECT_EQ(op.shown[0].text, "List File C:\\PROD\\" + c.name + ".LST" + c.message);
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Exclamation);
    }
    EXPECT_EQ(host->Entries().size(), 2u);
    EXPECT_TRUE(NoIndicators());
}

TEST_F(ListFileTest, OtherReadFailuresAreSilent) {
    files.readErrors[path] = FsError::DeviceIo;
    EXPECT_FALSE(list.LoadListFile("JOB"));
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_TRUE(NoIndicators());
}

TEST_F(ListFileTest, AHostFailureEndsTheListWithoutStartingTheHost) {
    files.files[path] = "HEADER\nP1.CNC;1;S\nP2.CNC;1;S\n";
    options.failAddLine = 100;
    host = std::make_shared<SimulatedHost>(trace, options);
    ASSERT_TRUE(control.Connect(host, 1));
    trace.lines.clear();
    EXPECT_FALSE(list.LoadListFile("JOB"));
    EXPECT_TRUE(host->Entries().empty());
    ASSERT_EQ(op.shown.size(), 1u); // the host wrapper's report only
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(Count("host Start"), 0);
    EXPECT_EQ(Count("host SetDeviceStatus"), 0);
    EXPECT_EQ(window.Status(), "Ready.");
    EXPECT_TRUE(NoIndicators());
}

} // namespace
} // namespace quillet
