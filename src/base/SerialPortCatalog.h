#pragma once

#include <cctype>
#include <optional>
#include <string>
#include <string_view>
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

// Which serial ports the system has, and what each one is. Asked afresh each time: ports
// come and go while the program runs.
class SerialPortCatalog {
public:
    virtual ~SerialPortCatalog() = default;
    virtual std::vector<SerialPortInfo> Ports() const = 0;
    // The port with that identity, if the system has it now. Asked on every retry of a
    // lost scanner, so a system may answer it more cheaply than by listing every port.
    virtual std::optional<SerialPortInfo> PortWithIdentity(const std::string& identity) const {
        const std::vector<SerialPortInfo> ports = Ports();
        const SerialPortInfo* found = FindPortByIdentity(ports, identity);
        return found != nullptr ? std::optional<SerialPortInfo>(*found) : std::nullopt;
    }
};

// n of a port named "COMn" (any letter case); 0 for any other name ("LPT1", "COM", "COM0").
inline int ComPortNumber(std::string_view name) {
    if (name.size() < 4 || name.size() > 7 ||
        std::toupper(static_cast<unsigned char>(name[0])) != 'C' ||
        std::toupper(static_cast<unsigned char>(name[1])) != 'O' ||
        std::toupper(static_cast<unsigned char>(name[2])) != 'M') {
        return 0;
    }
    int number = 0;
    for (const char c : name.substr(3)) {
        if (std::isdigit(static_cast<unsigned char>(c)) == 0) {
            return 0;
        }
        number = number * 10 + (c - '0');
    }
    return number;
}

} // namespace quillet
