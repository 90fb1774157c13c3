#pragma once

#include <optional>

namespace quillet {

// The driver's running count of receive errors (framing, parity, overrun, full buffer) on
// an open serial device; nothing where the driver keeps no such count (a pseudo-terminal).
std::optional<long long> LineErrorCount(int descriptor);

} // namespace quillet
