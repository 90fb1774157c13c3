#include "app/SerialDeviceMap.h"

#include <charconv>

namespace quillet {

std::optional<std::string> SerialDeviceMap::Named(int portNumber) const {
    if (!override_.empty()) {
        return override_;
    }
    if (const auto it = byNumber_.find(portNumber); it != byNumber_.end()) {
        return it->second;
    }
    return std::nullopt;
}

std::string SerialDeviceMap::DeviceFor(int portNumber) const {
    if (!override_.empty()) {
        return override_;
    }
    if (const auto it = byNumber_.find(portNumber); it != byNumber_.end()) {
        return it->second;
    }
    // COM1 is the first serial line; a number below 1 names no device at all.
    if (portNumber < 1) {
        return {};
    }
    return "/dev/ttyS" + std::to_string(portNumber - 1);
}

bool SerialDeviceMap::AddMapping(std::string_view argument) {
    const auto equals = argument.find('=');
    if (equals == std::string_view::npos || equals == 0 || equals + 1 == argument.size()) {
        return false;
    }
    int number = 0;
    const char* first = argument.data();
    const char* last = first + equals;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc{} || end != last || number < 1) {
        return false;
    }
    Map(number, std::string(argument.substr(equals + 1)));
    return true;
}

} // namespace quillet
