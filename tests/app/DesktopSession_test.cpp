#include "app/DesktopSession.h"

#include "config/NativeFileSystem.h"
#include "host/SimulatedHost.h"
#include "support/FakeDesktop.h"
#include "support/FakeEventPump.h"
#include "support/FakeOperator.h"
#include "support/FakeSerialPortCatalog.h"
#include "support/RecordingTrace.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

// Records what the session asks of the toolkit, in order, in one log.
class FakeShell final : public DesktopShell, public SessionTimers {
public:
    Lines log;
    std::map<SessionTimer, int> running; // timer and its interval
    std::optional<SerialSettingsChoice> settingsAnswer;
    std::optional<std::string> flagsAnswer;
    std::size_t listed = 0; // ports the settings dialog was given

    void CenterWindow() override { log.push_back("center"); }
    void ShowWindow() override { log.push_back("show"); }
    void HideWindow() override { log.push_back("hide"); }
    std::optional<SerialSettingsChoice>
    AskSerialSettings(const Settings&, const std::vector<SerialPortInfo>& ports) override {
        log.push_back("ask settings");
        listed = ports.size();
        return settingsAnswer;
    }
    std::optional<std::string> AskExclusionFlags(const std::string& flags) override {
        log.push_back("ask flags " + flags);
        return flagsAnswer;
    }
    void ShowAbout() override { log.push_back("about"); }
    std::optional<ScannerSetup> AskScannerTest(ScannerTest& test) override {
        log.push_back("scanner test");
        return scannerTest ? scannerTest(test) : std::nullopt;
    }
    std::function<std::optional<ScannerSetup>(ScannerTest&)> scannerTest;
    void LoadFieldDialog(AutoSelEditor&, IniProfile&, LastProgram&) override {
        log.push_back("load fields");
    }
    void ShowFieldDialog() override { log.push_back("show fields"); }
    void UnloadFieldDialog() override { log.push_back("unload fields"); }
    void ShowLabelsWindow() override { log.push_back("labels"); }
    void EndLoop(int status) override { log.push_back("end " + std::to_string(status)); }
    void StartTimer(SessionTimer timer, int milliseconds) override {
        running[timer] = milliseconds;
    }
    void StopTimer(SessionTimer timer) override { running.erase(timer); }
};

// A scanner device whose bytes, failures and disappearance the test decides.
class FakeDevice final : public ScannerDevice {
public:
    bool present = true;
    bool open = false;
    std::string incoming;
    std::string written;
    std::vector<std::string> opened;

    std::string DeviceFor(int portNumber) const override {
        return "COM" + std::to_string(portNumber);
    }
    long NoDeviceError() const override { return 2; }
    SerialOpenResult Open(const std::string& device, const SerialLine&) override {
        opened.push_back(device);
        open = present;
        return present ? SerialOpenResult{} : SerialOpenResult{false, 2, "not there"};
    }
    bool IsOpen() const override { return open; }
    void Close(std::string& left) override {
        left += std::exchange(incoming, {});
        open = false;
    }
    bool Read(std::string& bytes, std::string& reason) override {
        bytes += std::exchange(incoming, {});
        if (!present) {
            reason = "pulled";
        }
        return present;
    }
    void ClearInput() override { incoming.clear(); }
    bool TakeLineError() override { return false; }
    bool Write(std::string_view bytes) override {
        written += bytes;
        return true;
    }
};

class FakeSingleCopy final : public SingleCopy {
public:
    bool first = true;
    bool Acquire() override { return first; }
};

class NullView final : public WindowStateObserver {
public:
    void StatusChanged(const std::string&) override {}
    void Changed() override {}
};

class DesktopSessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir.MakeFolder("bin");
        dir.MakeFolder("windows");
        dir.Write("bin/ZOR.INI", "[VORKSTAB]\r\nCommPollTime=250\r\n");
    }

    DesktopSession& Session(bool unattended = false, Journal* journal = nullptr,
                            std::optional<double> quitAfter = {}) {
        // The journal is what the program traces to, as the launch wires it.
        Trace& traced = journal != nullptr ? static_cast<Trace&>(*journal) : trace;
        session.emplace(
            DesktopSessionSetup{{dir / "bin", dir / "windows"},
                                std::make_shared<SimulatedHost>(traced, HostSimulationOptions{}),
                                1,
                                unattended,
                                journal,
                                quitAfter},
            DesktopPorts{files, boxes, device, catalog, pump, desktop, singleCopy, traced, view,
                         shell, shell});
        session->ViewAttached();
        return *session;
    }

    Lines TraceOf(const std::string& kind) const {
        Lines found;
        for (const std::string& line : trace.lines) {
            if (line.rfind(kind + " ", 0) == 0) {
                found.push_back(line);
            }
        }
        return found;
    }

    testing::TempFolder dir;
    NativeFileSystem files{PathMap(dir / "drives")};
    testing::FakeOperator boxes;
    FakeDevice device;
    testing::FakeSerialPortCatalog catalog;
    testing::FakeEventPump pump;
    testing::FakeDesktop desktop;
    FakeSingleCopy singleCopy;
    testing::RecordingTrace trace;
    NullView view;
    FakeShell shell;
    std::optional<DesktopSession> session;
};

TEST_F(DesktopSessionTest, StartsInOrderOrRefusesASecondCopy) {
    DesktopSession& first = Session();
    ASSERT_TRUE(first.Start());
    EXPECT_EQ(shell.log, (Lines{"center", "load fields", "show"}));
    EXPECT_EQ(shell.running, (std::map<SessionTimer, int>{{SessionTimer::Poll, 250}}));
    EXPECT_EQ(device.opened, (Lines{"COM1"}));

    shell.log.clear();
    singleCopy.first = false;
    DesktopSession& second = Session();
    EXPECT_FALSE(second.Start());
    EXPECT_EQ(second.ExitStatus(), DesktopSession::kExitAlreadyRunning);
    EXPECT_EQ(shell.log, (Lines{"end 1"}));
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].text, "the Program is already running!");
}

// Each menu command, with someone at the screen and without: unattended, no dialog opens
// (nor today's journal) and the trace names the one that would have.
TEST_F(DesktopSessionTest, CommandsOpenTheirDialogsOnlyWhenAttended) {
    DiskJournalFolder folder(dir / "journal");
    SystemClock clock;
    Journal journal(trace, folder, clock);
    struct Case {
        Command command;
        std::string shown;
        const char* notOpened;
    };
    const Case cases[] = {
        {Command::Settings, "ask settings", "dialog Settings not opened"},
        {Command::AutoFieldSelect, "show fields",
         "dialog Automatic Field Selection Setup not opened"},
        {Command::ExclusionInsertion, "ask flags ", "dialog Exclusion Insertion not opened"},
        {Command::About, "about", "dialog About Quillet not opened"},
        {Command::OpenJournal, "open " + journal.TodayPath(), "dialog Journal not opened"},
        {Command::ScannerTest, "scanner test", "dialog Scanner Test not opened"},
        {Command::TodaysLabels, "labels", "dialog Today's Labels not opened"},
    };
    for (const bool unattended : {false, true}) {
        DesktopSession& s = Session(unattended, &journal);
        ASSERT_TRUE(s.Start());
        for (const Case& c : cases) {
            SCOPED_TRACE(c.shown);
            shell.log.clear();
            desktop.calls.clear();
            trace.lines.clear();
            s.Run(c.command);
            Lines shown = shell.log;
            shown.insert(shown.end(), desktop.calls.begin(), desktop.calls.end());
            EXPECT_EQ(shown, unattended ? Lines{} : Lines{c.shown});
            EXPECT_EQ(TraceOf("dialog"), unattended ? Lines{c.notOpened} : Lines{});
        }
        session.reset();
    }
}

// The labels window's side: the day so far (an earlier run's rows included) and each
// label as it ends; a typed try and scans tried reach neither the host nor the scanner, and
// leave the real set as it was.
TEST_F(DesktopSessionTest, TodaysLabelsAndTriesBesideTheRealLabels) {
    DiskJournalFolder folder(dir / "journal");
    SystemClock clock;
    JournalLimits limits;
    {
        Journal earlier(trace, folder, clock, limits);
        earlier.Start();
        earlier.Note("scan", "%START%");
        earlier.Note("label", "command: %START%");
        earlier.Flush();
    }
    Journal journal(trace, folder, clock, limits);
    DesktopSession& s = Session(false, &journal);
    int changes = 0;
    s.Labels().OnChanged([&] { ++changes; });
    Lines reports;
    s.OnTryReport([&](const std::string& report) { reports.push_back(report); });
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(s.Labels().Count(), 1u);

    const auto poll = [&](const std::string& bytes) {
        device.incoming += bytes;
        for (int i = 0; i < 4; ++i) {
            s.TimerFired(SessionTimer::Poll);
        }
    };
    poll("%12PA S 5");
    EXPECT_EQ(s.Labels().Count(), 2u);
    EXPECT_EQ(s.Labels().Row(0).kind, "row 1 of 2, waiting");
    EXPECT_GE(changes, 1);

    const std::size_t hostLines = TraceOf("host").size();
    s.TryLabel("%22800 600 18");
    s.SetScansTried(true);
    poll("%START%");
    s.SetScansTried(false);
    EXPECT_EQ(reports.size(), 2u);
    reports.resize(2);
    EXPECT_NE(reports[0].find("  host AddLine #161=PA"), std::string::npos) << reports[0];
    EXPECT_NE(reports[1].find("  host Start"), std::string::npos) << reports[1];
    EXPECT_EQ(TraceOf("host").size(), hostLines);
    EXPECT_EQ(device.written, "");
    EXPECT_EQ(s.App().Record().RowsSeen, "1");
    EXPECT_EQ(s.Labels().Count(), 2u) << "a try is no label of the day";

    poll("%22800 600 18");
    EXPECT_EQ(s.Labels().Row(0).kind, "row set of 2");
    EXPECT_EQ(s.Labels().Row(0).outcome, "added and acknowledged");
    EXPECT_EQ(device.written, "ACK\r");
    session.reset();
}

TEST_F(DesktopSessionTest, DialogAnswersAreStored) {
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    shell.flagsAnswer = "10000001";
    s.Run(Command::ExclusionInsertion);
    shell.settingsAnswer = SerialSettingsChoice{2, "19200,E,7,1", ""};
    s.Run(Command::Settings);
    EXPECT_EQ(device.opened, (Lines{"COM1", "COM2"}));
    const std::string ini = dir.Read("bin/ZOR.INI");
    EXPECT_NE(ini.find("Exclusion=10000001"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Settings=19200,E,7,1"), std::string::npos) << ini;
    EXPECT_EQ(s.App().settings().ExclusionFlags, "10000001");
}

// While the test is open a scan reaches neither the host nor the scanner's "ACK"; what it
// found is stored in Quillet's own section and cleans the very next scan.
TEST_F(DesktopSessionTest, TheScannerTestTakesTheScansAndStoresWhatItFound) {
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    auto scan = [&](const std::string& bytes) {
        device.incoming = bytes;
        for (int tick = 0; tick < 3; ++tick) {
            s.TimerFired(SessionTimer::Poll);
        }
    };
    shell.scannerTest = [&](ScannerTest& test) {
        scan("#]C0Qc4L-7x\t");
        EXPECT_EQ(test.Scans(), Lines{"#]C0Qc4L-7x\\t"});
        return test.Found();
    };
    trace.lines.clear();
    s.Run(Command::ScannerTest);
    EXPECT_EQ(TraceOf("host"), Lines{});
    EXPECT_EQ(device.written, "");
    const std::string ini = dir.Read("bin/ZOR.INI");
    EXPECT_NE(ini.find("[Quillet]\r\nScannerPrefix=#\r\nScannerSuffix=\\t\r\nScannerSymbologyId=1"),
              std::string::npos)
        << ini;
    scan("#]C0PJ1\t");
    EXPECT_EQ(TraceOf("status"),
              (Lines{"status Settings stored.", "status Reading Barcode-Label.PJ1",
                     "status Run Field Not Selected"}));
}

// A close while a label is handled waits for it; then the release runs in order and the
// loop ends once.
TEST_F(DesktopSessionTest, CloseWaitsForTheLabelBeingHandled) {
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    int closesDuringLabel = 0;
    pump.onProcessEvents = [&] {
        if (s.App().Poller().Busy() && closesDuringLabel++ == 0) {
            s.Close();
        }
    };
    device.incoming = "%START%";
    for (int tick = 0; tick < 3; ++tick) {
        s.TimerFired(SessionTimer::Poll);
    }
    ASSERT_GE(closesDuringLabel, 1);
    EXPECT_FALSE(s.Closed());
    EXPECT_TRUE(shell.running.count(SessionTimer::CloseRetry) == 1);
    EXPECT_EQ(shell.running.count(SessionTimer::Poll), 0u);
    EXPECT_NE(std::find(trace.lines.begin(), trace.lines.end(), "host Start"), trace.lines.end());

    s.TimerFired(SessionTimer::CloseRetry);
    EXPECT_TRUE(s.Closed());
    EXPECT_TRUE(shell.running.empty());
    EXPECT_FALSE(device.IsOpen());
    EXPECT_EQ(s.App().Host().HostApp(), nullptr);
    EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "unload fields"), 1);
    EXPECT_EQ(shell.log.back(), "end 0");
    s.Close();
    EXPECT_EQ(std::count(shell.log.begin(), shell.log.end(), "end 0"), 1);
}

TEST_F(DesktopSessionTest, QuitAfterEndsTheRunAsACloseWould) {
    DesktopSession& s = Session(false, nullptr, 1.5);
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(shell.running[SessionTimer::CloseRetry], 1500);
    s.TimerFired(SessionTimer::CloseRetry);
    EXPECT_TRUE(s.Closed());
    EXPECT_EQ(shell.log.back(), "end 0");
}

// The user's session ends while a label is handled: the release runs at once, and no box
// is shown from then on, since nobody could answer it.
TEST_F(DesktopSessionTest, EndOfTheUsersSessionReleasesAtOnceAndSilently) {
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    bool ended = false;
    pump.onProcessEvents = [&] {
        if (s.App().Poller().Busy() && !ended) {
            ended = true;
            s.EndSession();
            EXPECT_TRUE(s.Closed());
            EXPECT_FALSE(device.IsOpen());
            s.Op().Message(MessageIcon::Critical, MessageButtons::Ok, "", "late");
        }
    };
    device.incoming = "%START%";
    for (int tick = 0; tick < 3; ++tick) {
        s.TimerFired(SessionTimer::Poll);
    }
    ASSERT_TRUE(ended);
    EXPECT_TRUE(boxes.shown.empty());
    EXPECT_EQ(shell.log.back(), "end 0");
    EXPECT_TRUE(shell.running.empty());
}

// A pulled scanner is reported once, tried again on the retry timer, and the bytes read
// before the loss are still delivered.
TEST_F(DesktopSessionTest, PulledScannerIsReportedOnceAndTriedAgain) {
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    device.incoming = "%ST";
    device.present = false;
    s.TimerFired(SessionTimer::Poll);
    s.TimerFired(SessionTimer::Poll);
    EXPECT_EQ(TraceOf("status"), (Lines{"status Scanner port COM1 lost: pulled"}));
    EXPECT_EQ(shell.running[SessionTimer::PortRetry], DesktopSession::kPortRetryMs);

    s.TimerFired(SessionTimer::PortRetry);
    EXPECT_EQ(TraceOf("status").size(), 1u);
    device.present = true;
    s.TimerFired(SessionTimer::PortRetry);
    EXPECT_EQ(TraceOf("status").back(), "status Scanner port COM1 is back.");
    EXPECT_EQ(shell.running.count(SessionTimer::PortRetry), 0u);
    EXPECT_EQ(s.Port().ReadAll(), "%ST");
}

// The scanner remembered by identity: found under another number at start-up and again
// after it went away, opened there, its number stored, one status line each time.
TEST_F(DesktopSessionTest, ScannerFoundAgainByIdentityUnderAnotherNumber) {
    const std::string identity = "USB\\VID_067B&PID_2303\\1234";
    dir.Write("bin/ZOR.INI",
              "[VORKSTAB]\r\nCommPort=7\r\n[Quillet]\r\nScannerPort=" + identity + "\r\n");
    SerialPortInfo scanner;
    scanner.number = 9;
    scanner.identity = identity;
    catalog.ports = {scanner};
    DesktopSession& s = Session();
    ASSERT_TRUE(s.Start());
    EXPECT_EQ(device.opened, (Lines{"COM9"}));
    EXPECT_EQ(TraceOf("status").front(), "status Scanner found on COM9");
    EXPECT_NE(dir.Read("bin/ZOR.INI").find("CommPort=9\r\n"), std::string::npos);

    device.present = false;
    s.TimerFired(SessionTimer::Poll);
    EXPECT_EQ(s.App().Window().PortSettingsCaption(), "COM9: retrying");
    catalog.ports[0].number = 12;
    device.present = true;
    trace.lines.clear();
    s.TimerFired(SessionTimer::PortRetry);
    EXPECT_EQ(device.opened, (Lines{"COM9", "COM12"}));
    EXPECT_EQ(TraceOf("status"), (Lines{"status Scanner found on COM12"}));
    EXPECT_EQ(s.App().Window().PortSettingsCaption(), "COM12:9600,N,8,1");
    EXPECT_EQ(shell.running.count(SessionTimer::PortRetry), 0u);
    EXPECT_EQ(dir.Read("bin/ZOR.INI"), "[VORKSTAB]\r\nCommPort=12\r\nSettings=9600,N,8,1\r\n"
                                       "[Quillet]\r\nScannerPort=" +
                                           identity + "\r\n");
    s.Run(Command::Settings);
    EXPECT_EQ(shell.listed, 1u);
}

TEST(MainMenu, EntriesAsTheWindowShowsThem) {
    Lines shown;
    for (const MenuDescription& menu : MainMenus()) {
        shown.push_back(std::string(menu.name) + " " + menu.caption);
        for (const MenuEntry& entry : menu.entries) {
            shown.push_back("  " + std::string(entry.name) + " " + entry.caption + " " +
                            std::to_string(static_cast<int>(entry.command)));
        }
    }
    EXPECT_EQ(shown, (Lines{"mnuFile &File", "  mnuJournal Open Today's &Journal 5",
                            "  mnuExit E&xit 0", "mnuOptions &Options",
                            "  mnuSetttings &Settings 1", "  MnuAutoFld &Auto Field Select 2",
                            "  ExIns &Exclusion Insertion 3", "  mnuScannerTest Scanner &Test... 6",
                            "mnuView &View", "  mnuLabels Today's &Labels 7", "mnuHelp &?",
                            "  mnuAbout &About Quillet ... 4"}));
}

TEST(SessionOperator, TracesEveryBoxAndAnswersUnattendedOnes) {
    struct Case {
        MessageButtons buttons;
        MessageAnswer unattended;
    };
    const Case cases[] = {{MessageButtons::Ok, MessageAnswer::Ok},
                          {MessageButtons::OkCancel, MessageAnswer::Cancel},
                          {MessageButtons::RetryCancel, MessageAnswer::Cancel}};
    for (const bool unattended : {false, true}) {
        testing::FakeOperator boxes;
        boxes.defaultAnswer = MessageAnswer::Retry;
        testing::RecordingTrace trace;
        Lines ended;
        SessionOperator op(boxes, trace, unattended,
                           [&](int status) { ended.push_back(std::to_string(status)); });
        for (const Case& c : cases) {
            EXPECT_EQ(op.Message(MessageIcon::Question, c.buttons, "", "Insert Disk"),
                      unattended ? c.unattended : MessageAnswer::Retry);
        }
        EXPECT_EQ(trace.lines, Lines(3, "message question|Quillet|Insert Disk"));
        EXPECT_EQ(boxes.shown.size(), unattended ? 0u : 3u);
        op.RequestExit(3);
        op.RequestExit(4);
        EXPECT_EQ(op.ExitStatus(), 3);
        EXPECT_EQ(ended, Lines{"3"});
    }
}

} // namespace
} // namespace quillet
