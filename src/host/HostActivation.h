#pragma once

#include "host/HostObjects.h"

#include <functional>
#include <optional>
#include <string>

namespace quillet {

// The host's own program as found among the running processes, before its application
// object is asked for.
enum class HostProcess {
    NotRunning,  // none runs, or the host's program is not known
    SameRights,  // one runs as the same user with the same elevation as this program
    OtherRights, // only ones of another user or elevation (or whose rights cannot be read)
};

// What asking for the host's application object came to: the system's number of the last
// activation (0 when it succeeded), how many were made, and, when this rule itself stopped
// it, the operator's text and what the failure means.
struct ActivationResult {
    long number = 0;
    int activations = 0;
    std::optional<HostFailure> failure;
};

// Asks for the host's application object through `activate` (one activation: the system's
// number for its result). A host whose program runs with other rights cannot be
// reached from here, and an activation would start a second host beside it: none is made.
// A registration left behind by a host that ended answers as a server that is gone: it
// is tried once more, then the failure is the caller's to report.
ActivationResult ActivateHost(HostProcess process, const std::function<long()>& activate);

} // namespace quillet
