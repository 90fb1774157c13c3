#include "host/HostControl.h"

#include "support/HostRig.h"

#include <gtest/gtest.h>

#include <algorithm>
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
