#include "host/SimulatedHost.h"

#include <cstdint>
#include <utility>

namespace quillet {

struct SimulatedHost::Shared {
    Shared(Trace& t, const HostSimulationOptions& o) : trace(t), options(o) {}

    void Event(std::string_view call) { trace.Event("host", call); }
    // Whether a call on an object of host `generation` reaches a host; it fails as gone
    // once that host has ended.
    bool Reaches(int of) {
        gone = of != generation;
        return !gone;
    }
    void EndIfDue() {
        if (options.endAfterEntries > 0 && ++taken == options.endAfterEntries) {
            ++generation; // objects handed out so far belong to the host that ended
        }
    }
    void Changed() const {
        if (observer) {
            observer();
        }
    }

    Trace& trace;
    HostSimulationOptions options;
    std::vector<Entry> entries;
    RunState state = RunState::Idle;
    bool visible = false;
    bool attached = false;
    int exeListCalls = 0;
    std::vector<std::pair<std::string, int>> deviceStatusCalls;
    std::function<void()> observer;
    int generation = 0; // the running host; objects keep the one that handed them out
    int attachedTo = 0; // the host the application object reaches
    int taken = 0;      // entries taken, counted for endAfterEntries
    bool gone = false;  // the last call failed because its host had ended
};

namespace {

using Shared = SimulatedHost::Shared;

class SimulatedExeList final : public HostExeList {
public:
    explicit SimulatedExeList(std::shared_ptr<Shared> shared)
        : shared_(std::move(shared)), host_(shared_->generation) {}

    bool AddLine(const std::string& fieldString) override {
        if (!shared_->Reaches(host_)) {
            return false;
        }
        shared_->Event("AddLine " + fieldString);
        if (shared_->options.failAddLine > 0) {
            --shared_->options.failAddLine;
            return false;
        }
        shared_->entries.push_back({fieldString, ParseFieldString(fieldString)});
        shared_->EndIfDue();
        shared_->Changed();
        return true;
    }
    bool SetVisible(bool visible) override {
        if (!shared_->Reaches(host_)) {
            return false;
        }
        shared_->Event(visible ? "Visible true" : "Visible false");
        shared_->visible = visible;
        shared_->Changed();
        return true;
    }
    bool ClearList() override {
        if (!shared_->Reaches(host_)) {
            return false;
        }
        shared_->Event("ClearList");
        shared_->entries.clear();
        shared_->Changed();
        return true;
    }
    // Resets this object only; the host's list keeps its entries.
    bool Clear() override {
        if (!shared_->Reaches(host_)) {
            return false;
        }
        shared_->Event("Clear");
        return true;
    }

private:
    std::shared_ptr<Shared> shared_;
    int host_;
};

class SimulatedDeviceStatus final : public HostDeviceStatus {
public:
    explicit SimulatedDeviceStatus(std::shared_ptr<Shared> shared)
        : shared_(std::move(shared)), host_(shared_->generation) {}

    bool SetDeviceStatus(const std::string& name, std::int16_t value) override {
        if (!shared_->Reaches(host_)) {
            return false;
        }
        shared_->Event("SetDeviceStatus " + name + " " + std::to_string(value));
        shared_->deviceStatusCalls.emplace_back(name, value);
        return true;
    }

private:
    std::shared_ptr<Shared> shared_;
    int host_;
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether an item "#<digits>=" starts at `pos`.
bool ItemStartsAt(std::string_view text, std::size_t pos) {
    if (pos >= text.size() || text[pos] != '#') {
        return false;
    }
    std::size_t i = pos + 1;
    while (i < text.size() && IsDigit(text[i])) {
        ++i;
    }
    return i > pos + 1 && i < text.size() && text[i] == '=';
}

} // namespace

std::map<int, std::string> ParseFieldString(std::string_view text) {
    std::map<int, std::string> fields;
    std::size_t pos = 0;
    while (ItemStartsAt(text, pos)) {
        const std::size_t equals = text.find('=', pos);
        const std::string_view digits = text.substr(pos + 1, equals - pos - 1);
        std::size_t end = text.find(';', equals);
        while (end != std::string_view::npos && end + 1 < text.size() &&
               !ItemStartsAt(text, end + 1)) {
            end = text.find(';', end + 1);
        }
        const std::size_t valueEnd = end == std::string_view::npos ? text.size() : end;
        if (digits.size() <= 9) {
            fields.emplace(std::stoi(std::string(digits)),
                           std::string(text.substr(equals + 1, valueEnd - equals - 1)));
        }
        if (end == std::string_view::npos) {
            break;
        }
        pos = end + 1;
    }
    return fields;
}

SimulatedHost::SimulatedHost(Trace& trace, const HostSimulationOptions& options)
    : shared_(std::make_shared<Shared>(trace, options)) {}

bool SimulatedHost::Attach(bool attach) {
    shared_->Event(attach ? "Attach true" : "Attach false");
    if (shared_->attachedTo != shared_->generation) {
        // The host that took the place of the one that ended.
        shared_->attachedTo = shared_->generation;
        shared_->entries.clear();
        shared_->state = RunState::Idle;
        shared_->visible = false;
    }
    shared_->gone = false;
    shared_->attached = attach;
    return true;
}

std::shared_ptr<HostExeList> SimulatedHost::GetExeList() {
    if (!shared_->Reaches(shared_->attachedTo)) {
        return nullptr;
    }
    shared_->Event("GetExeList");
    ++shared_->exeListCalls;
    if (shared_->options.withholdListForever ||
        shared_->exeListCalls <= shared_->options.withholdList) {
        return nullptr;
    }
    return std::make_shared<SimulatedExeList>(shared_);
}

bool SimulatedHost::Start() {
    if (!shared_->Reaches(shared_->attachedTo)) {
        return false;
    }
    shared_->Event("Start");
    if (shared_->options.failStart > 0) {
        --shared_->options.failStart;
        return false;
    }
    shared_->state = RunState::Started;
    shared_->Changed();
    return true;
}

bool SimulatedHost::Stop() {
    if (!shared_->Reaches(shared_->attachedTo)) {
        return false;
    }
    shared_->Event("Stop");
    shared_->state = RunState::Stopped;
    shared_->Changed();
    return true;
}

bool SimulatedHost::End() {
    if (!shared_->Reaches(shared_->attachedTo)) {
        return false;
    }
    shared_->Event("End");
    shared_->state = RunState::Ended;
    shared_->Changed();
    return true;
}

std::shared_ptr<HostExeList> SimulatedHost::CreateExeList(const std::string& progId) {
    if (!shared_->Reaches(shared_->attachedTo)) {
        return nullptr;
    }
    shared_->Event("CreateExeList");
    if (progId != "Tormial.ExeList") {
        return nullptr;
    }
    return std::make_shared<SimulatedExeList>(shared_);
}

std::shared_ptr<HostDeviceStatus> SimulatedHost::DeviceStatus() {
    if (shared_->options.noDeviceStatus) {
        return nullptr;
    }
    return std::make_shared<SimulatedDeviceStatus>(shared_);
}

std::optional<HostFailure> SimulatedHost::LastFailure() const {
    if (!shared_->gone) {
        return std::nullopt;
    }
    // As the system reports a call on an object whose server has ended.
    return HostFailure{static_cast<long>(static_cast<std::int32_t>(0x80010108)),
                       "The object invoked has disconnected from its clients.",
                       HostFailureKind::Gone};
}

int SimulatedHost::Restarts() const {
    return shared_->generation;
}

const std::vector<SimulatedHost::Entry>& SimulatedHost::Entries() const {
    return shared_->entries;
}

SimulatedHost::RunState SimulatedHost::State() const {
    return shared_->state;
}

bool SimulatedHost::ListVisible() const {
    return shared_->visible;
}

bool SimulatedHost::Attached() const {
    return shared_->attached;
}

const std::vector<std::pair<std::string, int>>& SimulatedHost::DeviceStatusCalls() const {
    return shared_->deviceStatusCalls;
}

void SimulatedHost::SetObserver(std::function<void()> observer) {
    shared_->observer = std::move(observer);
}

} // namespace quillet
