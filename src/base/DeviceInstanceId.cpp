#include "base/DeviceInstanceId.h"

#include <algorithm>
#include <cctype>

namespace quillet {
namespace {

std::string Upper(std::string_view text) {
    std::string upper(text);
    std::transform(upper.begin(), upper.end(), upper.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return upper;
}

// The four hex digits after `tag` ("VID_"), if there are four.
std::optional<std::string> HexAfter(std::string_view text, std::string_view tag) {
    const std::size_t at = text.find(tag);
    if (at == std::string_view::npos || at + tag.size() + 4 > text.size()) {
        return std::nullopt;
    }
    const std::string_view digits = text.substr(at + tag.size(), 4);
    if (!std::all_of(digits.begin(), digits.end(),
                     [](unsigned char c) { return std::isxdigit(c) != 0; })) {
        return std::nullopt;
    }
    return std::string(digits);
}

// FTDI's driver puts the serial number into the middle part: VID_0403+PID_6001+<serial>.
std::string FtdiSerial(std::string_view middle) {
    const std::size_t plus = middle.rfind('+');
    return plus == std::string_view::npos || middle.substr(plus + 1).starts_with("PID_")
               ? std::string()
               : std::string(middle.substr(plus + 1));
}

} // namespace

std::optional<DeviceInstanceId> ParseDeviceInstanceId(std::string_view id) {
    const std::size_t first = id.find('\\');
    if (first == std::string_view::npos) {
        return std::nullopt;
    }
    const std::size_t second = id.find('\\', first + 1);
    const std::string middle = Upper(id.substr(first + 1, second - first - 1));
    const std::string_view last =
        second == std::string_view::npos ? std::string_view() : id.substr(second + 1);
    const std::optional<std::string> vendor = HexAfter(middle, "VID_");
    const std::optional<std::string> product = HexAfter(middle, "PID_");
    if (!vendor || !product) {
        return std::nullopt;
    }
    DeviceInstanceId parsed{*vendor, *product, {}, middle.find("&MI_") != std::string::npos};
    if (Upper(id.substr(0, first)) == "FTDIBUS") {
        parsed.serialNumber = FtdiSerial(middle);
    } else if (!parsed.isInterface && last.find('&') == std::string_view::npos) {
        // A made-up last part ("7&310FBEA0&0&0000") is tied to the socket, not the device.
        parsed.serialNumber = std::string(last);
    }
    return parsed;
}

std::string DeviceIdentity(const DeviceInstanceId& id) {
    if (id.serialNumber.empty()) {
        return {};
    }
    return "USB\\VID_" + id.vendorId + "&PID_" + id.productId + "\\" + id.serialNumber;
}

} // namespace quillet
