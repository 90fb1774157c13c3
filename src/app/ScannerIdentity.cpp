#include "app/ScannerIdentity.h"

#include "config/SerialSettingsForm.h"

namespace quillet {

std::optional<std::int16_t> MovedScannerPort(const Settings& settings,
                                             const SerialPortCatalog& catalog) {
    if (settings.ScannerPort.empty()) {
        return std::nullopt;
    }
    const std::optional<SerialPortInfo> found = catalog.PortWithIdentity(settings.ScannerPort);
    if (!found || found->number < 1 || found->number > kMaxPortNumber ||
        found->number == settings.CommPortNumber) {
        return std::nullopt;
    }
    return static_cast<std::int16_t>(found->number);
}

} // namespace quillet
