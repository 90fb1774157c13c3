#include "host/EditorLauncher.h"

#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "base/WindowState.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"
#include "support/RecordingTrace.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class EditorLauncherTest : public ::testing::Test {
protected:
    void SetUp() override { label.ProgramName = "P1.CNC"; }

    LabelState label;
    ScanRecord record;
    CodeTable codes;
    WindowState window;
    testing::FakeDesktop desktop;
    testing::FakeFileSystem files;
    testing::FakeEventPump pump;
    testing::FakeOperator op;
    testing::RecordingTrace trace;
    HostControl host{label, codes, pump, op, window, trace};
    EditorLauncher launcher{label, record, desktop, files, host, op, trace};
    const std::string path = "c:\\tormial\\bin\\Pentrax.exe";
};

TEST_F(EditorLauncherTest, FirstLaunchStartsTheEditorAndOpensTheProgram) {
    launcher.LaunchEditor();
    EXPECT_EQ(desktop.calls, (Lines{"start " + path, "activate 8", "top 42", "activate 8",
                                    "keys \x0f", "keys P1.CNC", "keys \r", "keys \r"}));
    EXPECT_EQ(trace.lines, (Lines{"editor start " + path, "pause 0.5", "editor activate",
                                  "editor top", "editor activate", "editor keys \x0f", "pause 0.5",
                                  "editor keys P1.CNC", "editor keys \r", "editor keys \r"}));
    EXPECT_EQ(record.EditorTask, 8);
    EXPECT_EQ(record.EditorWindow, 42);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(EditorLauncherTest, ARunningEditorIsOnlyBroughtToTheFront) {
    launcher.LaunchEditor();
    desktop.calls.clear();
    label.ProgramName = "P2.CNC";
    launcher.LaunchEditor();
    EXPECT_EQ(desktop.calls,
              (Lines{"top 42", "activate 8", "keys \x0f", "keys P2.CNC", "keys \r", "keys \r"}));
}

TEST_F(EditorLauncherTest, AClosedEditorIsStartedAgain) {
    launcher.LaunchEditor();
    desktop.Close();
    desktop.calls.clear();
    launcher.LaunchEditor();
    ASSERT_FALSE(desktop.calls.empty());
    EXPECT_EQ(desktop.calls[0], "start " + path);
    EXPECT_EQ(record.EditorTask, 9);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(EditorLauncherTest, FailuresTellTheOperatorOnceAndSendNothingMore) {
    struct Case {
        bool startFails;
        bool keysFail;
        bool foregroundElsewhere;
        Lines calls;
    };
    const Case cases[] = {
        {true, false, false, {"start " + path}},
        {false, true, false, {"start " + path, "activate 8", "top 42", "activate 8", "keys \x0f"}},
        {false, false, true, {"start " + path, "activate 8", "top 42", "activate 8"}},
    };
    for (const Case& c : cases) {
        desktop = testing::FakeDesktop{};
        desktop.startFails = c.startFails;
        desktop.keysFail = c.keysFail;
        desktop.foregroundElsewhere = c.foregroundElsewhere;
        record = ScanRecord{};
        op.shown.clear();
        launcher.LaunchEditor();
        EXPECT_EQ(desktop.calls, c.calls);
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.shown[0].title, "Error:  Unable to launch Editor");
        EXPECT_EQ(op.shown[0].text, "Probably c:\\tormial\\bin\\Pentrax.exe could not be found");
        EXPECT_EQ(op.shown[0].buttons, MessageButtons::Ok);
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Exclamation);
    }
}

} // namespace
} // namespace quillet
