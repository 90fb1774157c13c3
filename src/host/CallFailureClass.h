#pragma once

#include "host/HostObjects.h"

namespace quillet {

// What the system's number for a failed automation call (one the host did not raise
// itself) says about the call: the host's objects gone and the call never made, the
// connection broken off while it may have run, the host turning it away, or an answer of
// the host's own.
HostFailureKind ClassifyCallFailure(long number);

} // namespace quillet
