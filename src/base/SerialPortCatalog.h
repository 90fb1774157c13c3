#pragma once

#include <string>
#include <vector>

namespace quillet {

// One serial port the system has now, as the settings dialog lists it.
struct SerialPortInfo {
    int number = 0;          // n of COMn; 0 when no number opens it
    std::string name;        // the system's own name: "COM7", "/dev/ttyUSB0"
    std::string description; // the friendly name, when the system gives one
    // A USB device's ids and serial number as the system spells them; empty otherwise.
    std::string vendorId;
    std::string productId;
    std::string serialNumber;
    // What finds the same device again in another socket or under another number; empty
    // when the port has none (a built-in port, a USB device without a real serial number).
    std::string identity;
};

// Which serial ports the system has, and what each one is. Asked afresh each time: ports
// come and go while the program runs.
class SerialPortCatalog {
public:
    virtual ~SerialPortCatalog() = default;
    virtual std::vector<SerialPortInfo> Ports() const = 0;
};

// The port whose identity is `identity`; null when none is, or `identity` is empty.
inline const SerialPortInfo* FindPortByIdentity(const std::vector<SerialPortInfo>& ports,
                                                const std::string& identity) {
    if (identity.empty()) {
        return nullptr;
    }
    for (const SerialPortInfo& port : ports) {
        if (port.identity == identity) {
            return &port;
        }
    }
    return nullptr;
}

} // namespace quillet
