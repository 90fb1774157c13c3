#pragma once

#include "base/LabelState.h"
#include "base/ScanRecord.h"
#include "base/WindowState.h"
#include "config/Settings.h"
#include "host/CodeTable.h"
#include "host/HostControl.h"
#include "host/SimulatedHost.h"
#include "support/FakeEventPump.h"
#include "support/FakeFileSystem.h"
#include "support/FakeOperator.h"
#include "support/RecordingTrace.h"

#include <memory>

namespace quillet::testing {

// The world the host and label tests stand in: the shared label state, fakes of the ports,
// a simulated host and the host control that talks to it. A test derives from it and adds
// what its own floor needs after it.
struct HostRig {
    HostRig() { codes.InitCodeTable(); }

    // A fresh simulated host made with `options`, connected; the trace starts empty after.
    bool Connect(double timeoutSeconds = 30) {
        host = std::make_shared<SimulatedHost>(trace, options);
        const bool ok = control.Connect(host, timeoutSeconds);
        trace.lines.clear();
        return ok;
    }

    LabelState label;
    ScanRecord record;
    CodeTable codes;
    Settings settings;
    RecordingTrace trace;
    FakeEventPump pump;
    FakeOperator op;
    FakeFileSystem files;
    WindowState window;
    HostSimulationOptions options;
    std::shared_ptr<SimulatedHost> host;
    HostControl control{label, codes, pump, op, window, trace};
};

} // namespace quillet::testing
