#pragma once

#include "app/CommandLine.h"
#include "app/DesktopSession.h"
#include "app/SerialDeviceMap.h"

#include <memory>
#include <optional>
#include <utility>

namespace quillet {

// What a desktop program is given to run, whatever draws it.
struct DesktopProgramSetup {
    SettingsLocations locations;
    PathMap paths;
    HostSimulationOptions host;
    HostKind hostKind = HostKind::Default; // Windows: Default is the real host over COM
    SerialDeviceMap devices;
    bool unattended = false;
    Journal* journal = nullptr; // the trace given beside it, when the run keeps a journal
    std::optional<double> quitAfterSeconds{};
    std::string testLabels{}; // the scanner test's printable page
};

// The session's part of it, with the host the program made.
inline DesktopSessionSetup SessionSetupOf(const DesktopProgramSetup& setup,
                                          std::shared_ptr<HostApplication> host) {
    return {setup.locations,  std::move(host), setup.host.connectTimeoutSeconds,
            setup.unattended, setup.journal,   setup.quitAfterSeconds,
            setup.testLabels};
}

} // namespace quillet
