#include "app/Application.h"

#include "base/FsPath.h"
#include "config/NativeFileSystem.h"
#include "config/VirtualStore.h"
#include "host/SimulatedHost.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeOperator.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingTrace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <system_error>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class ApplicationTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.MakeFolder("bin");
        dir.MakeFolder("windows");
    }

    bool Start(const std::string& section) {
        dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\n" + section);
        return Start();
    }
    bool Start() {
        host = std::make_shared<SimulatedHost>(trace, hostOptions);
        StartOptions options{{dir / "bin", dir / "windows"},
                             host,
                             1,
                             [this] { ++commApplied; },
                             [this] { ++centred; }};
        return app.Start(options);
    }

    testing::TempFolder dir;
    NativeFileSystem files{PathMap(dir / "drives")};
    testing::FakeOperator op;
    testing::FakeSerialPort serial;
    testing::FakeEventPump pump;
    testing::FakeDesktop desktop;
    testing::RecordingTrace trace;
    HostSimulationOptions hostOptions;
    std::shared_ptr<SimulatedHost> host;
    int commApplied = 0;
    int centred = 0;
    Application app{{files, op, serial, pump, desktop, trace}};
};

TEST_F(ApplicationTest, StartsInOrderWithDefaultOptions) {
    ASSERT_TRUE(Start("CommPort=2\r\n"));
    EXPECT_TRUE(app.Started());
    EXPECT_EQ(commApplied, 1);
    EXPECT_TRUE(app.Codes().IsFilled());
    EXPECT_EQ(trace.lines, (Lines{"pause 1", "host Attach true", "host GetExeList"}));
    EXPECT_TRUE(app.Host().FirstScanPending());
    EXPECT_TRUE(app.Window().overwrite());
    EXPECT_TRUE(app.Window().autoClear());
    EXPECT_TRUE(app.Window().autoStart());
    EXPECT_FALSE(app.Window().showEditor());
    EXPECT_FALSE(app.Window().ExclusionNoticeVisible());
    EXPECT_EQ(app.settings().CommPortNumber, 2);
    ASSERT_NE(app.Ini(), nullptr);
    EXPECT_TRUE(op.shown.empty());
    EXPECT_EQ(op.exitRequests, 0);
}

TEST_F(ApplicationTest, ReadsOptionsExclusionsAndMachineFields) {
    ASSERT_TRUE(Start("Overwrite=0\r\nAutoClear=0\r\nExclusion=10000001\r\nFieldCode_SFN=Q\r\n"));
    EXPECT_FALSE(app.Window().overwrite());
    EXPECT_FALSE(app.Window().autoClear());
    EXPECT_TRUE(app.Window().ExclusionNoticeVisible());
    EXPECT_EQ(app.Window().ExclusionNotice(), " Exclusion Number 18  for insertion.");
    EXPECT_EQ(app.settings().ExclusionFlags, "10000001");
}

TEST_F(ApplicationTest, MissingSettingsOrHostEndTheProgram) {
    EXPECT_FALSE(Start());
    EXPECT_EQ(op.exitRequests, 1);
    EXPECT_EQ(commApplied, 0);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].text, "File ZOR.INI Not Found");

    op.shown.clear();
    hostOptions.withholdListForever = true;
    EXPECT_FALSE(Start("CommPort=1\r\n"));
    EXPECT_FALSE(app.Started());
    EXPECT_EQ(op.exitRequests, 2);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].text, "Tormial Connection Failed!");
}

// Defaults shown for a file that could not be read are never saved over it.
TEST_F(ApplicationTest, UnreadableSettingsFileIsNotOverwritten) {
    const std::string unicode("\xFF\xFE[\0V\0", 6);
    dir.Write("bin/ZOR.INI", unicode);
    ASSERT_TRUE(Start());
    ASSERT_EQ(op.shown.size(), 1u);
    ASSERT_NE(app.Ini(), nullptr);
    EXPECT_FALSE(app.Ini()->WriteString("VORKSTAB", "CommPort", "1").ok());
    app.ClickOverwrite(false);
    EXPECT_EQ(dir.Read("bin/ZOR.INI"), unicode);
    ASSERT_EQ(op.shown.size(), 3u);
    EXPECT_TRUE(op.shown[2].text.starts_with("The settings could not be saved in "))
        << op.shown[2].text;
}

// A host that Windows virtualizes reads a copy of ZOR.INI of its own: both paths are told.
TEST_F(ApplicationTest, VirtualStoreCopyOfTheSettingsIsTold) {
    dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\nCommPort=1\r\n");
    const std::string file = files.NativePath(dir / "bin" + "\\ZOR.INI");
    const std::filesystem::path store = FsPath(dir / "store");
    const std::filesystem::path copy = VirtualStoreCopy(store, file).value();
    std::filesystem::create_directories(copy.parent_path());
    std::ofstream(copy) << "[VORKSTAB]\r\nCommPort=2\r\n";
    host = std::make_shared<SimulatedHost>(trace, hostOptions);
    ASSERT_TRUE(app.Start({{dir / "bin", dir / "windows", store}, host, 1, {}, {}}));
    const std::string text = VirtualStoreText(file, FsText(copy));
    EXPECT_EQ(app.Window().Status(), text);
    EXPECT_NE(std::find(trace.notes.begin(), trace.notes.end(), "settings " + text),
              trace.notes.end());
}

TEST_F(ApplicationTest, EditorOptionHiddenAndWindowCentredAfterConnecting) {
    ASSERT_TRUE(Start("CommPort=1\r\n"));
    EXPECT_TRUE(app.Window().EditorOptionHidden());
    EXPECT_EQ(centred, 1);
}

// A step that fails unexpectedly is reported with its number and text, and start-up goes
// on with the next step.
TEST_F(ApplicationTest, FailingStepIsReportedAndStartUpGoesOn) {
    dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\nAutoClear=0\r\n");
    host = std::make_shared<SimulatedHost>(trace, hostOptions);
    StartOptions options{{dir / "bin", dir / "windows"},
                         host,
                         1,
                         [] { throw std::system_error(5, std::generic_category(), "port"); },
                         [] { throw std::runtime_error("no screen"); }};
    ASSERT_TRUE(app.Start(options));
    ASSERT_EQ(op.shown.size(), 2u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.shown[0].text.rfind("Unexpected error # 5 occured: port", 0), 0u);
    EXPECT_EQ(op.shown[1].text, "Unexpected error # 51 occured: no screen");
    EXPECT_TRUE(app.Codes().IsFilled());
    EXPECT_FALSE(app.Window().autoClear());
    EXPECT_EQ(op.exitRequests, 0);
}

TEST_F(ApplicationTest, OptionClicksWriteTheSettingsFile) {
    ASSERT_TRUE(Start("AutoClear=1\r\n"));
    app.ClickAutoClear(false);
    app.ClickOverwrite(true);
    EXPECT_FALSE(app.Window().autoClear());
    EXPECT_EQ(dir.Read("bin/ZOR.INI"), "[VORKSTAB]\r\nAutoClear= 0\r\nOverwrite= 1\r\n");
    app.ClickAutoClear(true);
    EXPECT_EQ(app.Ini()->ReadInt(kSection, "AutoClear", 7), 1);
    EXPECT_TRUE(op.shown.empty());
}

bool Traced(const Lines& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST_F(ApplicationTest, TicksReachTheInterpreterOnlyAfterStartUp) {
    serial.incoming = "%START%";
    for (int i = 0; i < 3; ++i) {
        app.Tick();
    }
    EXPECT_TRUE(trace.lines.empty());
    EXPECT_EQ(serial.incoming, "%START%");
    ASSERT_TRUE(Start("CommPort=1\r\n"));
    for (int i = 0; i < 3; ++i) {
        app.Tick();
    }
    EXPECT_TRUE(Traced(trace.lines, "host Start"));
}

TEST_F(ApplicationTest, TypedLabelsAndScannedLabelsNeverOverlap) {
    ASSERT_TRUE(Start("CommPort=1\r\n"));
    bool typedDuringScan = false;
    pump.onProcessEvents = [&] {
        // A pause of the interpreter: the operator presses "OK" meanwhile.
        if (!typedDuringScan && Traced(trace.lines, "host Start")) {
            typedDuringScan = true;
            app.Manual().Edit();
            app.Manual().Ok("%stop%");
        }
    };
    serial.incoming = "%START%";
    for (int i = 0; i < 3; ++i) {
        app.Tick();
    }
    pump.onProcessEvents = nullptr;
    ASSERT_TRUE(typedDuringScan);
    EXPECT_FALSE(Traced(trace.lines, "host Stop"));
    EXPECT_TRUE(app.Manual().Typing()); // refused, the text stays in the box
    EXPECT_EQ(op.beeps, 1);
    app.Manual().Ok("%stop%");
    EXPECT_TRUE(Traced(trace.lines, "host Stop"));
    EXPECT_FALSE(app.Manual().Typing());
}

TEST_F(ApplicationTest, ShowEditorLaunchesTheEditorAfterAnEntry) {
    ASSERT_TRUE(Start("CommPort=1\r\n"));
    app.ClickShowEditor(true);
    app.Label().ProgramName = "P1.CNC";
    app.Label().FieldCode = "N";
    ASSERT_TRUE(app.Sender().SendEntries(0, 0, {}));
    ASSERT_FALSE(desktop.calls.empty());
    EXPECT_TRUE(desktop.calls[0].starts_with("start "));
    EXPECT_EQ(desktop.calls.end()[-3], "keys P1.CNC");
}

} // namespace
} // namespace quillet
