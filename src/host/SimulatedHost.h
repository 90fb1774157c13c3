#pragma once

#include "base/Trace.h"
#include "host/HostObjects.h"
#include "host/HostSimulationOptions.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace quillet {

// Stands in for the host: records every call it receives as a "host <call>" trace line,
// keeps one execution list and its run state, and misbehaves as the options ask. Every
// list object it hands out, including those created by name, works on that one list.
class SimulatedHost final : public HostApplication {
public:
    enum class RunState { Idle, Started, Stopped, Ended };

    struct Entry {
        std::string fieldString;
        std::map<int, std::string> fields; // host field number -> value
    };

    SimulatedHost(Trace& trace, const HostSimulationOptions& options);

    bool Attach(bool attach) override;
    std::shared_ptr<HostExeList> GetExeList() override;
    bool Start() override;
    bool Stop() override;
    bool End() override;
    std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) override;
    std::shared_ptr<HostDeviceStatus> DeviceStatus() override;
    std::optional<HostFailure> LastFailure() const override;

    const std::vector<Entry>& Entries() const;
    RunState State() const;
    bool ListVisible() const;
    bool Attached() const;
    // How many times the host ended and another took its place.
    int Restarts() const;
    // Device-status calls received, in order: name and value.
    const std::vector<std::pair<std::string, int>>& DeviceStatusCalls() const;

    // Called after every change of the list, its visibility or the run state.
    void SetObserver(std::function<void()> observer);

    struct Shared; // state shared with the list and device-status objects

private:
    std::shared_ptr<Shared> shared_;
};

// The host fields of a field string: items "#<number>=<value>;". A value runs to the ";"
// that ends the text or is followed by the next "#<number>=".
std::map<int, std::string> ParseFieldString(std::string_view fieldString);

} // namespace quillet
