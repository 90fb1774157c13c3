#include "host/HostControl.h"

#include "base/EventPump.h"
#include "base/LabelState.h"
#include "base/Numbers.h"
#include "base/Operator.h"
#include "base/Trace.h"
#include "base/WindowState.h"
#include "host/CodeTable.h"
#include "host/FieldString.h"

#include <climits>
#include <cmath>
#include <cstdio>

namespace quillet {

namespace {

int Milliseconds(double seconds) {
    if (!(seconds > 0)) {
        return 0;
    }
    const double ms = seconds * 1000.0;
    return ms >= static_cast<double>(INT_MAX) ? INT_MAX : static_cast<int>(std::lround(ms));
}

} // namespace

std::string HostFailureText(const HostFailure& failure) {
    char number[16];
    std::snprintf(number, sizeof number, "0x%08lX",
                  static_cast<unsigned long>(failure.number) & 0xFFFFFFFFUL);
    return (failure.description.empty() ? std::string("no description") : failure.description) +
           " (" + number + ")";
}

std::string PauseSecondsText(double seconds) {
    const std::string text = FormatNumber(seconds);
    if (text.starts_with('.')) {
        return "0" + text;
    }
    if (text.starts_with("-.")) {
        return "-0" + text.substr(1);
    }
    return text;
}

bool HostControl::Connect(std::shared_ptr<HostApplication> app, double timeoutSeconds) {
    Release();
    hostApp_ = std::move(app);
    if (hostApp_ && hostApp_->Attach(true) && WaitForList(timeoutSeconds)) {
        deviceStatus_ = hostApp_->DeviceStatus();
        firstScanPending_ = true;
        return true;
    }
    // Why the host could not be reached (not installed, not running), before the message
    // every failed connection ends with.
    if (const std::optional<HostFailure> failure =
            hostApp_ ? hostApp_->LastFailure() : std::nullopt) {
        operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                          HostFailureText(*failure));
    }
    Release();
    operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kConnectionFailedTitle,
                      kConnectionFailed);
    return false;
}

bool HostControl::WaitForList(double timeoutSeconds) {
    // Time is counted in pump rounds rather than read from a clock, so a test pump that
    // never sleeps still ends the wait.
    const double boundMs = timeoutSeconds > 0 ? timeoutSeconds * 1000.0 : 0.0;
    const std::shared_ptr<HostApplication> app = hostApp_;
    for (double waitedMs = 0;; waitedMs += kConnectRoundMs) {
        if (auto list = app->GetExeList()) {
            hostList_ = std::move(list);
            return true;
        }
        pump_.ProcessEvents();
        if (waitedMs >= boundMs) {
            return false;
        }
        pump_.Sleep(kConnectRoundMs);
    }
}

bool HostControl::FirstLabelStep() {
    if (!firstScanPending_) {
        return true;
    }
    const std::shared_ptr<HostExeList> list = hostList_;
    if (!Checked(list && list->SetVisible(true), "Visible") || !HostClearList()) {
        return false;
    }
    firstScanPending_ = false;
    return true;
}

bool HostControl::HostAddLine() {
    const std::shared_ptr<HostExeList> list = hostList_;
    if (list && list->AddLine(BuildFieldString(label_, codes_))) {
        return true;
    }
    return RecoverAddLine();
}

bool HostControl::RecoverAddLine() {
    for (int round = 0; round < kAddLineRecoveryRounds; ++round) {
        if (TryFreshList()) {
            return true;
        }
    }
    operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                      "Tormial did not accept the program " + label_.ProgramName +
                          ": adding it to the execution list failed, also on " +
                          std::to_string(kAddLineRecoveryRounds) +
                          " new lists. The program was not added." + FailureSuffix());
    return false;
}

bool HostControl::TryFreshList() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    if (!app) {
        return false;
    }
    std::shared_ptr<HostExeList> list = app->CreateExeList(kExeListProgId);
    if (!list) {
        return false;
    }
    hostList_ = list;
    return list->SetVisible(true) && list->Clear() &&
           list->AddLine(BuildFieldString(label_, codes_));
}

bool HostControl::HostClearList() {
    const std::shared_ptr<HostExeList> list = hostList_;
    return Checked(list && list->ClearList(), "ClearList");
}

void HostControl::HostClearListIgnoringFailure() {
    if (const std::shared_ptr<HostExeList> list = hostList_) {
        list->ClearList();
    }
}

bool HostControl::HostStart() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    return Checked(app && app->Start(), "Start");
}

bool HostControl::HostStop() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    return Checked(app && app->Stop(), "Stop");
}

bool HostControl::HostEnd() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    return Checked(app && app->End(), "End");
}

bool HostControl::SetDeviceStatus(const std::string& name, std::int16_t value) {
    const std::shared_ptr<HostDeviceStatus> status = deviceStatus_;
    if (!status) {
        return true;
    }
    return Checked(status->SetDeviceStatus(name, value), "SetDeviceStatus");
}

void HostControl::Pause(double seconds) {
    trace_.Event("pause", PauseSecondsText(seconds));
    pump_.ProcessEvents();
    pump_.Sleep(Milliseconds(seconds));
    pump_.ProcessEvents();
}

void HostControl::ShowReady() {
    Pause(0.6);
    window_.SetStatus(WindowState::kReady);
}

void HostControl::Release() {
    hostList_.reset();
    deviceStatus_.reset();
    hostApp_.reset();
}

bool HostControl::Checked(bool ok, std::string_view call) {
    if (!ok) {
        ReportFailure(call);
    }
    return ok;
}

void HostControl::ReportFailure(std::string_view call) {
    const std::optional<HostFailure> failure = hostApp_ ? hostApp_->LastFailure() : std::nullopt;
    const std::string text = "Automation error: the Tormial call " + std::string(call) + " failed";
    if (!failure) {
        operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                          UnexpectedErrorText(kAutomationError, text));
        return;
    }
    operator_.Message(
        MessageIcon::Critical, MessageButtons::Ok, kProgramName,
        UnexpectedErrorText(failure->number, text + ": " + HostFailureText(*failure)));
}

std::string HostControl::FailureSuffix() const {
    const std::optional<HostFailure> failure = hostApp_ ? hostApp_->LastFailure() : std::nullopt;
    return failure ? " Tormial said: " + HostFailureText(*failure) : std::string();
}

} // namespace quillet
