#pragma once

#include "base/Trace.h"
#include "host/HostObjects.h"

#include <memory>
#include <string>

namespace quillet {

// A host that only records: every call goes to `record` in the words the simulated host
// traces it with ("host AddLine <field string>", "host Start", ...) and is answered as
// done, so a label runs as it would against the real host and nothing reaches it.
class RecordingHost final : public HostApplication {
public:
    explicit RecordingHost(Trace& record) : record_(record) {}

    bool Attach(bool attach) override;
    std::shared_ptr<HostExeList> GetExeList() override;
    bool Start() override { return Record("Start"); }
    bool Stop() override { return Record("Stop"); }
    bool End() override { return Record("End"); }
    std::shared_ptr<HostExeList> CreateExeList(const std::string& progId) override;
    std::shared_ptr<HostDeviceStatus> DeviceStatus() override;

private:
    bool Record(const std::string& call);

    Trace& record_;
};

} // namespace quillet
