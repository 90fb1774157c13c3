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
    connectTimeoutSeconds_ = timeoutSeconds;
    const std::shared_ptr<HostApplication> attached = hostApp_;
    if (attached && attached->Attach(true) && WaitForList(timeoutSeconds)) {
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
    // Counted on the clock, not in rounds: a host whose calls are slow would stretch rounds
    // far beyond the bound.
    const double boundMs = timeoutSeconds > 0 ? timeoutSeconds * 1000.0 : 0.0;
    const std::shared_ptr<HostApplication> app = hostApp_;
    const std::int64_t start = pump_.Milliseconds();
    for (;;) {
        if (auto list = app->GetExeList()) {
            hostList_ = std::move(list);
            return true;
        }
        pump_.ProcessEvents();
        // The session ended meanwhile (the events held its end) and let go of the host.
        if (hostApp_ != app) {
            return false;
        }
        if (static_cast<double>(pump_.Milliseconds() - start) >= boundMs) {
            return false;
        }
        pump_.Sleep(kConnectRoundMs);
    }
}

void HostControl::BeginLabel() {
    entryTaken_ = false;
    labelStopped_ = false;
    entryLost_ = false;
}

bool HostControl::Attempt(const std::function<bool()>& call) {
    reconnectFailed_ = false;
    if (labelStopped_) {
        return false;
    }
    if (reconnectPending_) {
        // Broken off after this label's entry: that was reported; a new host would only
        // take the rest of the label without its entry.
        if (entryTaken_) {
            labelStopped_ = true;
            return false;
        }
        if (!Reconnect()) {
            return false;
        }
    }
    if (call()) {
        return true;
    }
    switch (LastKind()) {
    case HostFailureKind::Gone:
        if (entryTaken_) {
            return LoseEntry();
        }
        // The call never reached the host: making it again on the new host is safe.
        return Reconnect() && call();
    case HostFailureKind::MayHaveRun:
        reconnectPending_ = hostApp_ != nullptr;
        return false;
    default:
        return false;
    }
}

bool HostControl::Reconnect() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    if (!app) {
        return false;
    }
    const std::string shown = window_.Status();
    window_.SetStatus(kReconnectingStatus);
    hostList_.reset();
    deviceStatus_.reset();
    app->Disconnect();
    // As at start-up, except that the new host's list keeps what it holds.
    const bool ok = app->Attach(true) && WaitForList(connectTimeoutSeconds_) && hostApp_ == app &&
                    hostList_->SetVisible(true);
    reconnectPending_ = !ok;
    reconnectFailed_ = !ok;
    if (ok) {
        deviceStatus_ = app->DeviceStatus();
    }
    window_.SetStatus(shown);
    return ok;
}

bool HostControl::LoseEntry() {
    labelStopped_ = true;
    entryLost_ = true;
    reconnectPending_ = hostApp_ != nullptr;
    trace_.Note("host",
                "entry of " + label_.ProgramName + " lost: " + kEndedAfterEntry + FailureSuffix());
    operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName, kEndedAfterEntry);
    return false;
}

HostFailureKind HostControl::LastKind() const {
    const std::optional<HostFailure> failure = hostApp_ ? hostApp_->LastFailure() : std::nullopt;
    return failure ? failure->kind : HostFailureKind::Refused;
}

bool HostControl::RefusedByHost() const {
    return !reconnectFailed_ && LastKind() == HostFailureKind::Refused;
}

bool HostControl::Run(const std::function<bool()>& call, std::string_view name) {
    if (Attempt(call)) {
        return true;
    }
    ReportFailure(name);
    return false;
}

bool HostControl::FirstLabelStep() {
    if (!firstScanPending_) {
        return true;
    }
    const bool visible = Run(
        [this] {
            const std::shared_ptr<HostExeList> list = hostList_;
            return list && list->SetVisible(true);
        },
        "Visible");
    if (!visible || !HostClearList()) {
        return false;
    }
    firstScanPending_ = false;
    return true;
}

bool HostControl::HostAddLine() {
    const bool added = Attempt([this] {
        const std::shared_ptr<HostExeList> list = hostList_;
        return list && list->AddLine(BuildFieldString(label_, codes_));
    });
    if (added) {
        entryTaken_ = true;
        return true;
    }
    if (labelStopped_) {
        return false;
    }
    if (!RefusedByHost()) {
        ReportFailure("AddLine");
        return false;
    }
    return RecoverAddLine();
}

bool HostControl::RecoverAddLine() {
    bool created = false;
    for (int round = 0; round < kAddLineRecoveryRounds; ++round) {
        const FreshList result = TryFreshList();
        if (result == FreshList::Added) {
            entryTaken_ = true;
            return true;
        }
        created = created || result == FreshList::Failed;
        if (result == FreshList::Failed && !RefusedByHost()) {
            // The connection broke during the recovery: the next call connects again first.
            const HostFailureKind kind = LastKind();
            if (kind == HostFailureKind::Gone && entryTaken_) {
                return LoseEntry();
            }
            reconnectPending_ = hostApp_ != nullptr && (kind == HostFailureKind::Gone ||
                                                        kind == HostFailureKind::MayHaveRun);
            ReportFailure("AddLine");
            return false;
        }
    }
    const std::string tried =
        created ? ", also on " + std::to_string(kAddLineRecoveryRounds) + " new lists."
                : ", and no new list could be created.";
    operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName,
                      "Tormial did not accept the program " + label_.ProgramName +
                          ": adding it to the execution list failed" + tried +
                          " The program was not added." + FailureSuffix());
    return false;
}

HostControl::FreshList HostControl::TryFreshList() {
    const std::shared_ptr<HostApplication> app = hostApp_;
    std::shared_ptr<HostExeList> list = app ? app->CreateExeList(kExeListProgId) : nullptr;
    if (!list) {
        return FreshList::NotCreated;
    }
    hostList_ = list;
    const bool added =
        list->SetVisible(true) && list->Clear() && list->AddLine(BuildFieldString(label_, codes_));
    return added ? FreshList::Added : FreshList::Failed;
}

bool HostControl::HostClearList() {
    return Run(
        [this] {
            const std::shared_ptr<HostExeList> list = hostList_;
            return list && list->ClearList();
        },
        "ClearList");
}

void HostControl::HostClearListIgnoringFailure() {
    Attempt([this] {
        const std::shared_ptr<HostExeList> list = hostList_;
        return list && list->ClearList();
    });
}

bool HostControl::HostStart() {
    return Run(
        [this] {
            const std::shared_ptr<HostApplication> app = hostApp_;
            return app && app->Start();
        },
        "Start");
}

bool HostControl::HostStop() {
    return Run(
        [this] {
            const std::shared_ptr<HostApplication> app = hostApp_;
            return app && app->Stop();
        },
        "Stop");
}

bool HostControl::HostEnd() {
    return Run(
        [this] {
            const std::shared_ptr<HostApplication> app = hostApp_;
            return app && app->End();
        },
        "End");
}

bool HostControl::SetDeviceStatus(const std::string& name, std::int16_t value) {
    if (!deviceStatus_) {
        return true;
    }
    return Run(
        [&] {
            // Connecting again may have brought none.
            const std::shared_ptr<HostDeviceStatus> status = deviceStatus_;
            return !status || status->SetDeviceStatus(name, value);
        },
        "SetDeviceStatus");
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
    reconnectPending_ = false;
    BeginLabel(); // no label holds an entry on a host connected afresh
}

void HostControl::ReportFailure(std::string_view call) {
    if (labelStopped_) {
        return; // told once for the label
    }
    const std::optional<HostFailure> failure = hostApp_ ? hostApp_->LastFailure() : std::nullopt;
    const std::string name(call);
    std::string text;
    if (reconnectFailed_ || LastKind() == HostFailureKind::Gone) {
        text = "Tormial cannot be reached: the call " + name + " was not made. Is Tormial running?";
    } else if (LastKind() == HostFailureKind::Busy) {
        text = "Tormial is busy (an open dialog?) and turned the call " + name +
               " away: it was not made.";
    } else if (LastKind() == HostFailureKind::MayHaveRun) {
        text = "The connection to Tormial broke off during the call " + name +
               ", which may have been carried out. Look at Tormial's execution list before "
               "scanning again.";
    } else {
        const std::string what = "Automation error: the Tormial call " + name + " failed";
        operator_.Message(
            MessageIcon::Critical, MessageButtons::Ok, kProgramName,
            failure ? UnexpectedErrorText(failure->number, what + ": " + HostFailureText(*failure))
                    : UnexpectedErrorText(kAutomationError, what));
        return;
    }
    if (failure) {
        text += " Reason: " + HostFailureText(*failure);
    }
    operator_.Message(MessageIcon::Critical, MessageButtons::Ok, kProgramName, text);
}

std::string HostControl::FailureSuffix() const {
    const std::optional<HostFailure> failure = hostApp_ ? hostApp_->LastFailure() : std::nullopt;
    return failure ? " Tormial said: " + HostFailureText(*failure) : std::string();
}

} // namespace quillet
