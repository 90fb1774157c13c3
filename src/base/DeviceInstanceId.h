#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// What a Windows device instance id says about a USB serial device:
// "USB\VID_067B&PID_2303\12345678", FTDI's "FTDIBUS\VID_0403+PID_6001+A50285BI\0000", or
// one interface of a composite device, "USB\VID_2341&PID_8036&MI_00\7&2A4F5E1&0&0000".
struct DeviceInstanceId {
    std::string vendorId;  // "067B"
    std::string productId; // "2303"
    // The device's own serial number; empty when the system made the last part up from
    // the USB socket (it holds "&" then) or the id belongs to one interface.
    std::string serialNumber;
    // The id is one interface ("&MI_xx") of a composite device: the serial number, if
    // any, is its parent's.
    bool isInterface = false;
};

// Nothing for an id that names no USB vendor and product (ACPI, a PCI card, Wine's own).
std::optional<DeviceInstanceId> ParseDeviceInstanceId(std::string_view id);

// "USB\VID_067B&PID_2303\12345678": the same text for the device in any socket and through
// either driver family; empty when the device has no serial number of its own.
std::string DeviceIdentity(const DeviceInstanceId& id);

} // namespace quillet
