#pragma once

#include "base/SerialPortCatalog.h"

#include <windows.h>

namespace quillet {

// The serial ports of a Windows system: SetupAPI's Ports class (present devices, printer
// ports left out), with the friendly name and, for a USB device, the identity read from
// its instance id; then the ports only the registry's SERIALCOMM map lists (Wine lists
// its ports only there).
class Win32SerialPortCatalog final : public SerialPortCatalog {
public:
    std::vector<SerialPortInfo> Ports() const override;
};

// The COM port device interface: arrivals of serial ports are announced for it.
inline constexpr GUID kComPortInterface = {
    0x86E0D1E0, 0x8089, 0x11D0, {0x9C, 0xE4, 0x08, 0x00, 0x3E, 0x30, 0x1F, 0x73}};

} // namespace quillet
