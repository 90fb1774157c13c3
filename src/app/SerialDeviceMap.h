#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace quillet {

// Which device of this system stands for the numbered port COMn: /dev/ttyS(n-1) unless
// "--com N=DEVICE" named another device for n; "--serial-device DEVICE" replaces every
// port outright.
class SerialDeviceMap {
public:
    std::string DeviceFor(int portNumber) const;
    // The device an option named for the port number, if any.
    std::optional<std::string> Named(int portNumber) const;

    void Map(int portNumber, std::string device) { byNumber_[portNumber] = std::move(device); }
    void SetOverride(std::string device) { override_ = std::move(device); }
    // Every number opens one device: numbers tell no devices apart.
    bool Overridden() const { return !override_.empty(); }

    // The folder of links named after each device's identity (Linux; "--serial-by-id"
    // points at another for tests).
    const std::string& ByIdFolder() const { return byIdFolder_; }
    void SetByIdFolder(std::string folder) { byIdFolder_ = std::move(folder); }

    // Takes "N=DEVICE" (N from 1 on, DEVICE not empty); false leaves the map unchanged.
    bool AddMapping(std::string_view argument);

private:
    std::map<int, std::string> byNumber_;
    std::string override_;
    std::string byIdFolder_ = "/dev/serial/by-id";
};

} // namespace quillet
