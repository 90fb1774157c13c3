#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

// The host's automation objects, as small interfaces. Every call returns false when it
// failed (the automation call raised an error).

// The host's execution list ("ExeList").
class HostExeList {
public:
    virtual ~HostExeList() = default;
    virtual bool AddLine(const std::string& fieldString) = 0;
    virtual bool SetVisible(bool visible) = 0;
    virtual bool ClearList() = 0;
    virtual bool Clear() = 0;
};

// The host's device-status object.
class HostDeviceStatus {
public:
    virtual ~HostDeviceStatus() = default;
    virtual bool SetDeviceStatus(const std::string& name, std::int16_t value) = 0;
};

// What a failed call means for the entry it carried.
enum class HostFailureKind {
    Refused,    // the host answered with an error of its own
    Gone,       // the host's objects are gone (host ended or restarted): the call did not run
    MayHaveRun, // the connection broke off during the call: it may have run
    Busy,       // the host turned the call away, also after waiting: it did not run
};

// Why the last host call failed, when the host said: its error number and description.
struct HostFailure {
    long number = 0;
    std::string description;
    HostFailureKind kind = HostFailureKind::Refused;
};

// The host's application object, and what the platform offers around it: creating a new
// list object by name, and the device-status object when the host hands one out.
class HostApplication {
public:
    virtual ~HostApplication() = default;
    virtual bool Attach(bool attach) = 0;
    // How long a call may go unanswered before it is given up (and counts as one that may
    // have run); platforms whose calls cannot hang ignore it.
    virtual void SetCallTimeLimit(int /*milliseconds*/) {}
    // Lets go of the host's objects, so that the next Attach reaches the host anew (a host
    // that was restarted). Objects handed out before stay unusable.
    virtual void Disconnect() {}
    // The execution list, or nothing while the host is not ready.
    virtual std::shared_ptr<HostExeList> GetExeList() = 0;
    virtual bool Start() = 0;
    virtual bool Stop() = 0;
    virtual bool End() = 0;
    // A new list object created by its name ("Tormial.ExeList"); nothing when that fails.
    virtual std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) = 0;
    // The device-status object, or nothing when none is handed out.
    virtual std::shared_ptr<HostDeviceStatus> DeviceStatus() = 0;
    // The reason for the last failed call of this object or the objects it handed out, or
    // for failing to reach the host at all; nothing when the host gives no reason.
    virtual std::optional<HostFailure> LastFailure() const { return std::nullopt; }
};

} // namespace quillet
