#pragma once

#include "base/SerialPortCatalog.h"
#include "config/Settings.h"

#include <cstdint>
#include <optional>

namespace quillet {

// The scanner remembered by its identity: the number the system gives it now, when that
// is not the stored one. Nothing when it has no identity, is absent, or is where it was.
std::optional<std::int16_t> MovedScannerPort(const Settings& settings,
                                             const SerialPortCatalog& catalog);

} // namespace quillet
