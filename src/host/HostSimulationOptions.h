#pragma once

namespace quillet {

// How the simulated host misbehaves on request, so that the connection wait, the
// recovery of AddLine, a failed start and the skipped device-status calls can be exercised.
struct HostSimulationOptions {
    int withholdList = 0;              // the first N GetExeList calls yield nothing
    bool withholdListForever = false;  // GetExeList never yields
    double connectTimeoutSeconds = 30; // bound of the connection wait
    int failAddLine = 0;               // the next N AddLine calls fail
    int failStart = 0;                 // the next N Start calls fail
    bool noDeviceStatus = false;       // no DeviceStatus object is handed out
    // The host ends right after taking this many entries (0: never): calls on its objects
    // fail as gone until Attach reaches the host started in its place, with an empty list.
    int endAfterEntries = 0;
};

} // namespace quillet
