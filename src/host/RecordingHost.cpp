#include "host/RecordingHost.h"

namespace quillet {

namespace {

void Record(Trace& record, const std::string& call) {
    record.Event("host", call);
}

class RecordingList final : public HostExeList {
public:
    explicit RecordingList(Trace& record) : record_(record) {}
    bool AddLine(const std::string& fieldString) override {
        Record(record_, "AddLine " + fieldString);
        return true;
    }
    bool SetVisible(bool visible) override {
        Record(record_, visible ? "Visible true" : "Visible false");
        return true;
    }
    bool ClearList() override {
        Record(record_, "ClearList");
        return true;
    }
    bool Clear() override {
        Record(record_, "Clear");
        return true;
    }

private:
    Trace& record_;
};

class RecordingDeviceStatus final : public HostDeviceStatus {
public:
    explicit RecordingDeviceStatus(Trace& record) : record_(record) {}
    bool SetDeviceStatus(const std::string& name, std::int16_t value) override {
        Record(record_, "SetDeviceStatus " + name + " " + std::to_string(value));
        return true;
    }

private:
    Trace& record_;
};

} // namespace

bool RecordingHost::Attach(bool attach) {
    return Record(attach ? "Attach true" : "Attach false");
}

std::shared_ptr<HostExeList> RecordingHost::GetExeList() {
    Record("GetExeList");
    return std::make_shared<RecordingList>(record_);
}

std::shared_ptr<HostExeList> RecordingHost::CreateExeList(const std::string&) {
    Record("CreateExeList");
    return std::make_shared<RecordingList>(record_);
}

std::shared_ptr<HostDeviceStatus> RecordingHost::DeviceStatus() {
    return std::make_shared<RecordingDeviceStatus>(record_);
}

bool RecordingHost::Record(const std::string& call) {
    quillet::Record(record_, call);
    return true;
}

} // namespace quillet
