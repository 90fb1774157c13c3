#pragma once

#include "app/SerialDeviceMap.h"
#include "base/SerialPortCatalog.h"

namespace quillet {

// The serial ports of a Linux system: Qt's list (ttyS, ttyUSB, ttyACM) and the devices
// the by-id folder links to (pseudo-terminals included). A port's identity is the name of
// its link there; its number is the one the device map opens it under.
class QtSerialPortCatalog final : public SerialPortCatalog {
public:
    // `devices` is read at each look-up, so that a map changed later counts.
    explicit QtSerialPortCatalog(const SerialDeviceMap& devices) : devices_(devices) {}

    std::vector<SerialPortInfo> Ports() const override;
    // Only the by-id folder names identities: nothing else is asked.
    std::optional<SerialPortInfo> PortWithIdentity(const std::string& identity) const override;

private:
    const SerialDeviceMap& devices_;
};

} // namespace quillet
