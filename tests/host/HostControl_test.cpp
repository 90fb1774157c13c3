#include "host/HostControl.h"

#include "host/BusyHostPolicy.h"
#include "host/CallFailureClass.h"
#include "support/HostRig.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <optional>
#include <utility>

namespace quillet {
namespace {

using Lines = std::vector<std::string>;

class HostControlTest : public ::testing::Test, protected testing::HostRig {
protected:
    void SetUp() override {
        label.ProgramName = "P1.CNC";
        label.FieldCode = "M";
        label.DimX = "800";
    }

    long Count(const std::string& line) const {
        return std::count(trace.lines.begin(), trace.lines.end(), line);
    }

    const std::string fieldString = "#161=P1.CNC;#164=1;#171=2;#284=1;#280=;#165=1;"
                                    "#168=800;#169=;#170=;#282=;#283=;";
};

TEST_F(HostControlTest, ConnectAttachesAndHoldsListAndDeviceStatus) {
    host = std::make_shared<SimulatedHost>(trace, options);
    ASSERT_TRUE(control.Connect(host, 30));
    EXPECT_EQ(trace.lines, (Lines{"host Attach true", "host GetExeList"}));
    EXPECT_TRUE(control.FirstScanPending());
    EXPECT_NE(control.HostList(), nullptr);
    EXPECT_NE(control.DeviceStatus(), nullptr);
    EXPECT_TRUE(pump.sleeps.empty());
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(HostControlTest, ConnectWaitsWhileTheListIsWithheld) {
    options.withholdList = 3;
    ASSERT_TRUE(Connect());
    EXPECT_EQ(host->Entries().size(), 0u);
    EXPECT_EQ(pump.sleeps, (std::vector<int>{50, 50, 50}));
    EXPECT_EQ(pump.pumps, 3);
}

TEST_F(HostControlTest, ConnectGivesUpAfterTheBoundWithTheMessage) {
    struct Case {
        double timeout;
        long calls;
    };
    for (const Case& c : {Case{1.0, 21}, Case{0.0, 1}, Case{-5, 1}, Case{0.12, 4}}) {
        options.withholdListForever = true;
        op.shown.clear();
        trace.lines.clear();
        pump.sleeps.clear();
        host = std::make_shared<SimulatedHost>(trace, options);
        EXPECT_FALSE(control.Connect(host, c.timeout));
        EXPECT_EQ(Count("host GetExeList"), c.calls) << c.timeout;
        EXPECT_EQ(static_cast<long>(pump.sleeps.size()), c.calls - 1);
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(op.shown[0].title, "ERROR");
        EXPECT_EQ(op.shown[0].text, "Tormial Connection Failed!");
        EXPECT_EQ(control.HostApp(), nullptr);
        EXPECT_EQ(control.HostList(), nullptr);
    }
}

// A host that takes ten seconds to answer each call: the bound is time, not rounds.
TEST_F(HostControlTest, ConnectWaitIsCountedOnTheClock) {
    options.withholdListForever = true;
    pump.onProcessEvents = [this] { pump.now += 10000; };
    host = std::make_shared<SimulatedHost>(trace, options);
    EXPECT_FALSE(control.Connect(host, 30));
    EXPECT_EQ(Count("host GetExeList"), 3);
}

// The session ending while the wait lets events run (the end of a Windows session).
TEST_F(HostControlTest, ReleaseDuringTheConnectWaitEndsItCleanly) {
    options.withholdList = 2;
    pump.onProcessEvents = [this] { control.Release(); };
    host = std::make_shared<SimulatedHost>(trace, options);
    EXPECT_FALSE(control.Connect(host, 30));
    EXPECT_EQ(Count("host GetExeList"), 1);
    EXPECT_EQ(control.HostApp(), nullptr);
    EXPECT_EQ(control.DeviceStatus(), nullptr);
}

TEST_F(HostControlTest, FirstLabelStepRunsOnce) {
    ASSERT_TRUE(Connect());
    EXPECT_TRUE(control.FirstLabelStep());
    EXPECT_TRUE(control.FirstLabelStep());
    EXPECT_EQ(trace.lines, (Lines{"host Visible true", "host ClearList"}));
    EXPECT_FALSE(control.FirstScanPending());
    EXPECT_TRUE(host->ListVisible());
}

TEST_F(HostControlTest, AddLineSendsTheFieldString) {
    ASSERT_TRUE(Connect());
    EXPECT_TRUE(control.HostAddLine());
    EXPECT_EQ(trace.lines, (Lines{"host AddLine " + fieldString}));
    ASSERT_EQ(host->Entries().size(), 1u);
    EXPECT_EQ(host->Entries()[0].fields.at(171), "2");
}

TEST_F(HostControlTest, RefusedAddLineIsRetriedOnAFreshList) {
    options.failAddLine = 1;
    ASSERT_TRUE(Connect());
    const auto first = control.HostList();
    EXPECT_TRUE(control.HostAddLine());
    EXPECT_EQ(trace.lines,
              (Lines{"host AddLine " + fieldString, "host CreateExeList", "host Visible true",
                     "host Clear", "host AddLine " + fieldString}));
    EXPECT_NE(control.HostList(), first);
    EXPECT_EQ(host->Entries().size(), 1u);
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(HostControlTest, RetryIsBoundedAndTheFinalFailureIsShown) {
    options.failAddLine = 100;
    ASSERT_TRUE(Connect());
    EXPECT_FALSE(control.HostAddLine());
    EXPECT_EQ(Count("host AddLine " + fieldString), 1 + HostControl::kAddLineRecoveryRounds);
    EXPECT_EQ(Count("host CreateExeList"), HostControl::kAddLineRecoveryRounds);
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
    EXPECT_EQ(op.shown[0].title, "Quillet");
    EXPECT_NE(op.shown[0].text.find("P1.CNC"), std::string::npos);
    EXPECT_TRUE(host->Entries().empty());
}

TEST_F(HostControlTest, CommandsMakeOneCallEach) {
    ASSERT_TRUE(Connect());
    EXPECT_TRUE(control.HostStart());
    EXPECT_TRUE(control.HostStop());
    EXPECT_TRUE(control.HostEnd());
    EXPECT_TRUE(control.HostClearList());
    EXPECT_TRUE(control.SetDeviceStatus(HostControl::kSetPointStatus, 1));
    EXPECT_EQ(trace.lines, (Lines{"host Start", "host Stop", "host End", "host ClearList",
                                  "host SetDeviceStatus DRAVINESK.MAIN.CmdSetP 1"}));
    EXPECT_EQ(host->State(), SimulatedHost::RunState::Ended);
}

TEST_F(HostControlTest, DeviceStatusCallsAreSkippedWhenNoneIsHeld) {
    options.noDeviceStatus = true;
    ASSERT_TRUE(Connect());
    EXPECT_EQ(control.DeviceStatus(), nullptr);
    EXPECT_TRUE(control.SetDeviceStatus(HostControl::kAddProgStatus, 1));
    EXPECT_TRUE(trace.lines.empty());
    EXPECT_TRUE(op.shown.empty());
}

TEST_F(HostControlTest, FailedCallsAreReportedNamingTheCall) {
    // Nothing connected: every call fails.
    struct Case {
        bool (HostControl::*call)();
        const char* name;
    };
    for (const Case& c :
         {Case{&HostControl::HostStart, "Start"}, Case{&HostControl::HostStop, "Stop"},
          Case{&HostControl::HostEnd, "End"}, Case{&HostControl::HostClearList, "ClearList"}}) {
        op.shown.clear();
        EXPECT_FALSE((control.*c.call)());
        ASSERT_EQ(op.shown.size(), 1u) << c.name;
        EXPECT_EQ(op.shown[0].icon, MessageIcon::Critical);
        EXPECT_EQ(op.shown[0].text, "Unexpected error # 440 occured: Automation error: the "
                                    "Tormial call " +
                                        std::string(c.name) + " failed");
    }
    op.shown.clear();
    control.SetFirstScanPending(true);
    EXPECT_FALSE(control.FirstLabelStep());
    EXPECT_TRUE(control.FirstScanPending());
    control.HostClearListIgnoringFailure();
    EXPECT_EQ(op.shown.size(), 1u); // only the first-label step's report
}

TEST_F(HostControlTest, PauseLetsEventsRunAroundTheSleepAndIsTraced) {
    std::vector<std::size_t> sleepsAtPump;
    pump.onProcessEvents = [&] { sleepsAtPump.push_back(pump.sleeps.size()); };
    control.Pause(0.6);
    control.Pause(0.5);
    control.Pause(1);
    EXPECT_EQ(trace.lines, (Lines{"pause 0.6", "pause 0.5", "pause 1"}));
    EXPECT_EQ(pump.sleeps, (std::vector<int>{600, 500, 1000}));
    EXPECT_EQ(sleepsAtPump, (std::vector<std::size_t>{0, 1, 1, 2, 2, 3}));
    EXPECT_EQ(PauseSecondsText(0.25), "0.25");
    EXPECT_EQ(PauseSecondsText(-0.5), "-0.5");
    control.Pause(-1);
    EXPECT_EQ(pump.sleeps.back(), 0);
}

TEST_F(HostControlTest, ShowReadyPausesThenSetsTheStatus) {
    window.SetStatus("busy");
    pump.onProcessEvents = [&] { EXPECT_EQ(window.Status(), "busy"); };
    control.ShowReady();
    EXPECT_EQ(trace.lines, (Lines{"pause 0.6"}));
    EXPECT_EQ(window.Status(), "Ready.");
}

} // namespace
} // namespace quillet

namespace quillet {
namespace {

// The simulated host, except that it can be unreachable, its Start always fails, and it
// gives a reason for its failures, as the host over COM does.
class ReasonGivingHost final : public HostApplication {
public:
    ReasonGivingHost(std::shared_ptr<SimulatedHost> inner, HostFailure failure, bool reachable)
        : inner_(std::move(inner)), failure_(std::move(failure)), reachable_(reachable) {}

    bool Attach(bool attach) override { return reachable_ && inner_->Attach(attach); }
    std::shared_ptr<HostExeList> GetExeList() override { return inner_->GetExeList(); }
    bool Start() override { return false; }
    bool Stop() override { return inner_->Stop(); }
    bool End() override { return inner_->End(); }
    std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) override {
        return inner_->CreateExeList(progId);
    }
    std::shared_ptr<HostDeviceStatus> DeviceStatus() override { return inner_->DeviceStatus(); }
    std::optional<HostFailure> LastFailure() const override { return failure_; }

private:
    std::shared_ptr<SimulatedHost> inner_;
    HostFailure failure_;
    bool reachable_;
};

class HostFailureTest : public ::testing::Test, protected testing::HostRig {
protected:
    bool ConnectTo(bool reachable) {
        auto inner = std::make_shared<SimulatedHost>(trace, options);
        return control.Connect(std::make_shared<ReasonGivingHost>(inner, refused, reachable), 1);
    }

    // Negative as a 32-bit HRESULT is.
    const HostFailure refused{-2147220991L, "The execution list refused the line"};
};

TEST(HostFailureText, DescriptionAndHexNumber) {
    EXPECT_EQ(HostFailureText({-2147221164L, "Class not registered"}),
              "Class not registered (0x80040154)");
    EXPECT_EQ(HostFailureText({5, ""}), "no description (0x00000005)");
}

TEST_F(HostFailureTest, UnreachableHostSaysWhyThenFailsTheConnection) {
    EXPECT_FALSE(ConnectTo(false));
    ASSERT_EQ(op.shown.size(), 2u);
    EXPECT_EQ(op.shown[0].title, "Quillet");
    EXPECT_EQ(op.shown[0].text, "The execution list refused the line (0x80040201)");
    EXPECT_EQ(op.shown[1].text, "Tormial Connection Failed!");
    EXPECT_EQ(control.HostApp(), nullptr);
}

TEST_F(HostFailureTest, FailedCallShowsTheHostsNumberAndDescription) {
    ASSERT_TRUE(ConnectTo(true));
    EXPECT_FALSE(control.HostStart());
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_EQ(op.shown[0].text,
              "Unexpected error #-2147220991 occured: Automation error: the Tormial call Start "
              "failed: The execution list refused the line (0x80040201)");
}

TEST_F(HostFailureTest, AddLineGivenUpNamesTheHostsReason) {
    options.failAddLine = 100;
    ASSERT_TRUE(ConnectTo(true));
    label.ProgramName = "P1.CNC";
    EXPECT_FALSE(control.HostAddLine());
    ASSERT_EQ(op.shown.size(), 1u);
    const std::string suffix = " Tormial said: The execution list refused the line (0x80040201)";
    EXPECT_TRUE(op.shown[0].text.ends_with(suffix)) << op.shown[0].text;
}

} // namespace
} // namespace quillet

namespace quillet {
namespace {

// The simulated host, whose next calls of a name fail, unseen by it, with the kinds queued.
class FlakyHost final : public HostApplication {
public:
    FlakyHost(Trace& trace, const HostSimulationOptions& options)
        : inner_(std::make_shared<SimulatedHost>(trace, options)) {}

    bool Ok(const std::string& call) {
        std::deque<HostFailureKind>& queued = failures[call];
        if (queued.empty()) {
            return true;
        }
        failure_ = HostFailure{-2147023174L, "call " + call, queued.front()};
        queued.pop_front();
        return false;
    }
    bool Attach(bool attach) override { return Ok("Attach") && inner_->Attach(attach); }
    void Disconnect() override { ++disconnects; }
    std::shared_ptr<HostExeList> GetExeList() override { return Wrap(inner_->GetExeList()); }
    bool Start() override { return Ok("Start") && inner_->Start(); }
    bool Stop() override { return inner_->Stop(); }
    bool End() override { return inner_->End(); }
    std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) override {
        return Ok("CreateExeList") ? Wrap(inner_->CreateExeList(progId)) : nullptr;
    }
    std::shared_ptr<HostDeviceStatus> DeviceStatus() override { return nullptr; }
    std::optional<HostFailure> LastFailure() const override { return failure_; }

    std::map<std::string, std::deque<HostFailureKind>> failures;
    int disconnects = 0;

private:
    struct List final : HostExeList {
        List(FlakyHost& h, std::shared_ptr<HostExeList> l) : host(h), inner(std::move(l)) {}
        bool AddLine(const std::string& s) override {
            return host.Ok("AddLine") && inner->AddLine(s);
        }
        bool SetVisible(bool v) override { return inner->SetVisible(v); }
        bool ClearList() override { return host.Ok("ClearList") && inner->ClearList(); }
        bool Clear() override { return inner->Clear(); }
        FlakyHost& host;
        std::shared_ptr<HostExeList> inner;
    };
    std::shared_ptr<HostExeList> Wrap(std::shared_ptr<HostExeList> list) {
        return list ? std::make_shared<List>(*this, std::move(list)) : nullptr;
    }

    std::shared_ptr<SimulatedHost> inner_;
    std::optional<HostFailure> failure_;
};

struct StatusLog final : WindowStateObserver {
    void StatusChanged(const std::string& text) override { shown.push_back(text); }
    std::vector<std::string> shown;
};

class HostFaultTest : public ::testing::Test, protected testing::HostRig {
protected:
    void ConnectFlaky() {
        label.ProgramName = "P1.CNC";
        window.SetObserver(&statuses);
        flaky = std::make_shared<FlakyHost>(trace, options);
        ASSERT_TRUE(control.Connect(flaky, 1));
        trace.lines.clear();
        op.shown.clear();
        statuses.shown.clear();
    }

    StatusLog statuses;
    std::shared_ptr<FlakyHost> flaky;
};

TEST_F(HostFaultTest, CallToAGoneHostIsMadeOnceMoreAfterConnectingAgain) {
    for (const char* name : {"AddLine", "Start"}) {
        ConnectFlaky();
        window.SetStatus("before");
        flaky->failures[name] = {HostFailureKind::Gone};
        EXPECT_TRUE(name == std::string("Start") ? control.HostStart() : control.HostAddLine());
        EXPECT_EQ(flaky->disconnects, 1);
        // As at start-up, but the new host's list is made visible and not cleared.
        EXPECT_EQ(Lines(trace.lines.begin(), trace.lines.begin() + 3),
                  (Lines{"host Attach true", "host GetExeList", "host Visible true"}));
        EXPECT_EQ(trace.lines.size(), 4u) << name;
        EXPECT_EQ(statuses.shown, (Lines{"before", HostControl::kReconnectingStatus, "before"}));
        EXPECT_TRUE(op.shown.empty());
    }
}

TEST_F(HostFaultTest, CallThatDidNotRunOrMayHaveRunIsNeitherRepeatedNorRecovered) {
    struct Case {
        std::vector<HostFailureKind> kinds; // AddLine's, then the new connection's Attach
        const char* said;
        int reconnects; // up to the next call's success
    };
    using enum HostFailureKind;
    for (const Case& c :
         {Case{{Busy},
               "Tormial is busy (an open dialog?) and turned the call AddLine away: it "
               "was not made. Reason: call AddLine",
               0},
          Case{{MayHaveRun},
               "The connection to Tormial broke off during the call AddLine, which "
               "may have been carried out. Look at Tormial's execution list",
               1},
          Case{{Gone, Gone}, "Tormial cannot be reached: the call AddLine was not made.", 2}}) {
        ConnectFlaky();
        flaky->failures["AddLine"] = {c.kinds[0]};
        flaky->failures["Attach"].assign(c.kinds.begin() + 1, c.kinds.end());
        EXPECT_FALSE(control.HostAddLine());
        EXPECT_TRUE(trace.lines.empty()); // no fresh lists: failed calls go unseen here
        ASSERT_EQ(op.shown.size(), 1u);
        EXPECT_TRUE(op.shown[0].text.starts_with(c.said)) << op.shown[0].text;
        // A connection found broken is renewed before the next call.
        EXPECT_TRUE(control.HostAddLine());
        EXPECT_EQ(flaky->disconnects, c.reconnects);
    }
}

TEST_F(HostFaultTest, NoFreshListIsNotCalledTriedOnNewLists) {
    ConnectFlaky();
    flaky->failures["AddLine"] = {HostFailureKind::Refused};
    flaky->failures["CreateExeList"].assign(3, HostFailureKind::Refused);
    EXPECT_FALSE(control.HostAddLine());
    ASSERT_EQ(op.shown.size(), 1u);
    EXPECT_NE(op.shown[0].text.find("failed, and no new list could be created."),
              std::string::npos);
}

TEST(CallFailureClass, SystemNumbersSayWhetherTheCallRan) {
    using enum HostFailureKind;
    const std::pair<std::uint32_t, HostFailureKind> cases[] = {
        {0x80010108, Gone},
        {0x800401FD, Gone},
        {0x80010012, Gone},
        {0x80080008, Gone},
        {0x800706BA, Gone},
        {0x800706BF, Gone},
        {0x800706B5, Gone},
        {0x80010001, Busy},
        {0x8001010A, Busy},
        {0x800706BB, Busy},
        {0x80010007, MayHaveRun},
        {0x80010006, MayHaveRun},
        {0x80010002, MayHaveRun},
        {0x8007071A, MayHaveRun},
        {0x800706BE, MayHaveRun},
        // Unlisted transport failures: the RPC facility and the RPC run time's errors.
        {0x80010105, MayHaveRun},
        {0x80010100, MayHaveRun},
        {0x80010009, MayHaveRun},
        {0x8007071C, MayHaveRun},
        {0x800706C6, MayHaveRun},
        {0x8001FFFF, MayHaveRun},
        {0x800706A4, MayHaveRun},
        {0x800707CF, MayHaveRun},
        // The host's own answers, and failures that are no transport's.
        {0x80020009, Refused},
        {0x8002000E, Refused},
        {0x80040201, Refused},
        {0x80004005, Refused},
        {0x800706A3, Refused},
        {0x800707D0, Refused},
        {0x00010001, Refused}};
    for (const auto& [number, kind] : cases) {
        // As a 32-bit HRESULT arrives in a long on either platform.
        EXPECT_EQ(ClassifyCallFailure(static_cast<std::int32_t>(number)), kind)
            << std::hex << number;
    }
}

TEST(BusyHostPolicy, RetryLaterIsWaitedOutForThirtySecondsARejectionNot) {
    using enum BusyHostPolicy::Answer;
    EXPECT_EQ(BusyHostPolicy::RetryAfter(RetryLater, 0), 250);
    EXPECT_EQ(BusyHostPolicy::RetryAfter(RetryLater, 29999), 250);
    EXPECT_EQ(BusyHostPolicy::RetryAfter(RetryLater, 30000), std::nullopt);
    EXPECT_EQ(BusyHostPolicy::RetryAfter(Rejected, 0), std::nullopt);
    using enum BusyHostPolicy::Pending;
    EXPECT_EQ(BusyHostPolicy::OnMessagePending(59999, 60000), KeepWaiting);
    EXPECT_EQ(BusyHostPolicy::OnMessagePending(60000, 60000), GiveUp);
}

} // namespace
} // namespace quillet
