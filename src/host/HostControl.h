#pragma once

#include "host/HostObjects.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace quillet {

class CodeTable;
class EventPump;
struct LabelState;
class Operator;
class Trace;
class WindowState;

// Quillet's side of the host: the three references and the wrappers around every host
// call. A failed call is reported to the operator here and returns false, so the caller
// only has to stop. When the host's objects have gone (the host was ended or restarted),
// the host is connected again as at start-up and the call made once more; a call that may
// have run is never repeated. Within one label, once an entry has been added, no call goes
// to any host but the one that took it: a host gone after that loses the label.
class HostControl {
public:
    static constexpr const char* kExeListProgId = "Tormial.ExeList";
    static constexpr const char* kAddProgStatus = "DRAVINESK.MAIN.AddProg";
    static constexpr const char* kSetPointStatus = "DRAVINESK.MAIN.CmdSetP";
    // The status line while an entry goes to the list.
    static constexpr const char* kAddingStatus = "Adding to Barcode data to List.";
    // The status line while the host is connected again after it went away.
    static constexpr const char* kReconnectingStatus = "Connecting to Tormial again...";
    static constexpr const char* kConnectionFailed = "Tormial Connection Failed!";
    static constexpr const char* kConnectionFailedTitle = "ERROR";
    static constexpr const char* kEndedAfterEntry =
        "Tormial ended after the entry was added: check its execution list and scan the label "
        "again.";
    // One round of the connection wait: a GetExeList, pending events, then this sleep.
    static constexpr int kConnectRoundMs = 50;
    // Fresh list objects tried after AddLine failed before the entry is given up.
    static constexpr int kAddLineRecoveryRounds = 3;
    // The number shown for a failed automation call.
    static constexpr long kAutomationError = 440;

    HostControl(LabelState& label, const CodeTable& codes, EventPump& pump, Operator& op,
                WindowState& window, Trace& trace)
        : label_(label), codes_(codes), pump_(pump), operator_(op), window_(window), trace_(trace) {
    }

    // Attaches to `app` and waits, at most `timeoutSeconds`, for its execution list. On
    // success the list and the device-status object (when handed out) are held and
    // FirstScanPending is set. On failure "Tormial Connection Failed!" is shown, nothing
    // is held, and false comes back: the program cannot go on.
    bool Connect(std::shared_ptr<HostApplication> app, double timeoutSeconds);

    // A new label: its calls may connect again until its first entry has been added.
    void BeginLabel();
    // The host that took an entry of this label has gone: the entry went with it.
    bool EntryLost() const { return entryLost_; }

    bool FirstScanPending() const { return firstScanPending_; }
    void SetFirstScanPending(bool pending) { firstScanPending_ = pending; }

    // Before the first label after start-up: list visible, list cleared, flag cleared.
    // The flag stays set when a call fails, so the next label tries again.
    bool FirstLabelStep();

    // Adds the label's field string to the execution list, replacing a list object that
    // refuses it by a fresh one (at most kAddLineRecoveryRounds times). A host that is
    // busy, or gone for good, gets no fresh lists.
    bool HostAddLine();
    bool HostClearList();
    // For callers that go on whatever the list did (row 0 of a label set).
    void HostClearListIgnoringFailure();
    bool HostStart();
    bool HostStop();
    bool HostEnd();
    // Skipped (true) while no device-status object is held.
    bool SetDeviceStatus(const std::string& name, std::int16_t value);

    // Lets pending window events run, sleeps, lets them run again.
    void Pause(double seconds);
    // Pause(0.6), then "Ready." in the status line.
    void ShowReady();

    // Drops the list, the device-status object and the application, in this order.
    void Release();

    const std::shared_ptr<HostApplication>& HostApp() const { return hostApp_; }
    const std::shared_ptr<HostExeList>& HostList() const { return hostList_; }
    const std::shared_ptr<HostDeviceStatus>& DeviceStatus() const { return deviceStatus_; }

private:
    enum class FreshList { Added, Failed, NotCreated };

    bool WaitForList(double timeoutSeconds);
    // Makes `call`; when the host's objects are gone, connects again and makes it once
    // more. A connection found broken before is renewed first.
    bool Attempt(const std::function<bool()>& call);
    bool Reconnect();
    // A call of this label would have to go to another host than the one holding its entry.
    bool LoseEntry();
    HostFailureKind LastKind() const;
    // The host answered the call with an error of its own: a fresh list may help.
    bool RefusedByHost() const;
    bool RecoverAddLine();
    FreshList TryFreshList();
    bool Run(const std::function<bool()>& call, std::string_view name);
    void ReportFailure(std::string_view call);
    // " Tormial said: ..." when the host gave a reason for its last failure, else empty.
    std::string FailureSuffix() const;

    LabelState& label_;
    const CodeTable& codes_;
    EventPump& pump_;
    Operator& operator_;
    WindowState& window_;
    Trace& trace_;
    std::shared_ptr<HostApplication> hostApp_;
    std::shared_ptr<HostExeList> hostList_;
    std::shared_ptr<HostDeviceStatus> deviceStatus_;
    bool firstScanPending_ = false;
    double connectTimeoutSeconds_ = 0;
    bool reconnectPending_ = false; // the connection broke off: renew it before the next call
    bool reconnectFailed_ = false;  // the last call found no host to connect to again
    bool entryTaken_ = false;       // an entry of this label is in the host's list
    bool labelStopped_ = false;     // this label makes no more calls (the operator was told)
    bool entryLost_ = false;        // ... because the host holding its entry has gone
};

// A host failure for the operator: its description and its number in hexadecimal.
std::string HostFailureText(const HostFailure& failure);

// Seconds as the pause trace writes them: "0.6", "0.5", "1".
std::string PauseSecondsText(double seconds);

} // namespace quillet
