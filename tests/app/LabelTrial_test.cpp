#include "app/LabelTrial.h"

#include "config/NativeFileSystem.h"
#include "host/PayloadPacker.h"
#include "host/SimulatedHost.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeOperator.h"
#include "support/FakeSerialPort.h"
#include "support/RecordingTrace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

// Every file under the folder with its bytes.
std::map<std::string, std::string> Snapshot(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            std::ifstream in(entry.path(), std::ios::binary);
            files[entry.path().string()] = std::string(std::istreambuf_iterator<char>(in), {});
        }
    }
    return files;
}

Lines HostLines(const Lines& lines, std::size_t from = 0) {
    Lines host;
    for (std::size_t i = from; i < lines.size(); ++i) {
        if (lines[i].starts_with("host ")) {
            host.push_back(lines[i]);
        }
    }
    return host;
}

// Each kind of label, tried and then sent: one scan after another.
struct Case {
    const char* name;
    Lines scans;
    Lines files; // what the try says it would write
};

const Case kCases[] = {
    {"a row set", {"%12P1 P V7$", "%22800 600 18$"}, {"file append C:\\\\CSV\\\\ALL.CSV 6 bytes"}},
    {"a plain name after a field code",
     {"%N%", "P1"},
     {"file append C:\\\\CSV\\\\ALL.CSV 6 bytes"}},
    {"commands", {"%START%%STOP%", "%SETP%"}, {}},
    {"a 2D program",
     {"P10^X800^Y600^Z18^Q5!G71 X800 Y600 Z18 T1\r\n(DOOR)\r\n"},
     {"file write C:\\\\PROD\\\\P10 32 bytes"}},
    {"a compressed 2D program",
     {PackPayload("P11^X500^Y400^Z19!G71 X500 Y400 Z19 T1\r\n").label},
     {"file write C:\\\\PROD\\\\P11 24 bytes"}},
    {"a list file", {"%00JOBS"}, {}},
    {"a refused label", {"%9"}, {}},
};

class LabelTrialTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.MakeFolder("bin");
        dir.MakeFolder("windows");
        dir.MakeFolder("drives/c/prod");
        dir.MakeFolder("drives/c/csv");
        dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\nGCodePath=C:\\PROD\\\r\nCSVInPath=C:\\CSV\\\r\n"
                                 "CSVOutPath=C:\\CSV\\ALL.CSV\r\nHalfLimitX=1220\r\n"
                                 "HalfLimitY=610\r\nFieldCode_FFS=S\r\nFieldFlag_FFS=1\r\n");
        dir.Write("drives/c/prod/P1.CNC", "G71 X800 Y600 Z18 T1\r\n(PANEL)\r\n");
        dir.Write("drives/c/prod/JOBS.LST",
                  "JOBS\r\n\r\nA1.CNC;1;S;1;800;600;18\r\nB2.CNC;2;M1\r\n");
        dir.Write("drives/c/csv/P1.CSV", "P1;x\r\n");
        host = std::make_shared<SimulatedHost>(trace, HostSimulationOptions{});
        ASSERT_TRUE(app.Start({locations, host, 1, {}, {}}));
    }

    void Send(const std::string& bytes) {
        serial.incoming += bytes;
        app.Tick();
        for (int i = 0; i < 100 && !app.Poller().ScanBuffer().empty(); ++i) {
            app.Tick();
        }
    }

    testing::TempFolder dir;
    SettingsLocations locations{dir / "bin", dir / "windows"};
    NativeFileSystem files{PathMap(dir / "drives")};
    testing::FakeOperator op;
    testing::FakeSerialPort serial;
    testing::FakeEventPump pump;
    testing::FakeDesktop desktop;
    testing::RecordingTrace trace;
    testing::RecordingTrace journal;
    std::shared_ptr<SimulatedHost> host;
    Application app{{files, op, serial, pump, desktop, trace}};
};

TEST_F(LabelTrialTest, ATriedLabelCallsTheHostAsTheSentOneAndWritesNothing) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.name);
        LabelTrial trial(files, locations, &journal);
        std::vector<TryReport> reports;
        trial.OnReport([&](const TryReport& report) { reports.push_back(report); });
        const auto before = Snapshot(dir.path());
        const std::size_t entries = host->Entries().size();
        Lines tried;
        Lines written;
        for (const std::string& scan : c.scans) {
            ASSERT_TRUE(trial.Prepare(&app.Window(), &app));
            trial.Scan(scan);
        }
        for (const TryReport& report : reports) {
            for (const std::string& line : report.lines) {
                (line.starts_with("file ") ? written : tried).push_back(line);
            }
        }
        EXPECT_EQ(Snapshot(dir.path()), before);
        EXPECT_EQ(host->Entries().size(), entries);
        EXPECT_TRUE(serial.written.empty());
        const std::size_t from = trace.lines.size();
        for (const std::string& scan : c.scans) {
            Send(scan);
        }
        EXPECT_EQ(HostLines(tried), HostLines(trace.lines, from));
        // The 2D program and its work files are written as the real label writes them.
        EXPECT_EQ(written, c.files);
        serial.written.clear();
    }
    for (const std::string& line : journal.lines) {
        EXPECT_TRUE(line.starts_with("try ")) << line;
    }
}

TEST_F(LabelTrialTest, ATriedRowLeavesTheRealSetAsItWas) {
    Send("%12P1 P V7$");
    LabelTrial trial(files, locations, nullptr);
    ASSERT_TRUE(trial.Prepare(&app.Window(), &app));
    trial.Scan("%12P1 S1$");
    trial.Scan("%2250 125 19$");
    EXPECT_EQ(app.Record().RowsSeen, "1");
    EXPECT_EQ(app.Label().DimX, "");
    const std::size_t from = trace.lines.size();
    Send("%22800 600 18$");
    EXPECT_EQ(HostLines(trace.lines, from).size(), 3u) << "ClearList, AddLine, Start";
}

} // namespace
} // namespace quillet
