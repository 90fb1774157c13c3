#pragma once

#include "base/Trace.h"
#include "host/HostObjects.h"

#include <memory>

namespace quillet {

// The real host, reached through its automation objects over COM, each call traced as the
// simulated host traces it. Only the Windows build has it; elsewhere nothing comes back.
// The host application object is created by the first Attach, so a host that cannot be
// reached makes Attach fail with the reason in LastFailure.
std::shared_ptr<HostApplication> MakeComHost(Trace& trace);

} // namespace quillet
