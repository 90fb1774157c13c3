#include "app/win32/Win32SerialPortCatalog.h"

#include "base/DeviceInstanceId.h"

#include <cfgmgr32.h>
#include <setupapi.h>

#include <algorithm>

namespace quillet {
namespace {

// GUID_DEVCLASS_PORTS.
constexpr GUID kPortsClass = {
    0x4D36E978, 0xE325, 0x11CE, {0xBF, 0xC1, 0x08, 0x00, 0x2B, 0xE1, 0x03, 0x18}};
constexpr DWORD kTextChars = 512;

std::string RegistryText(HKEY key, const char* name) {
    char text[kTextChars] = {};
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    if (::RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text), &size) !=
            ERROR_SUCCESS ||
        type != REG_SZ) {
        return {};
    }
    return text;
}

std::string PortNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    const HKEY key = ::SetupDiOpenDevRegKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string name = RegistryText(key, "PortName");
    ::RegCloseKey(key);
    return name;
}

std::string FriendlyNameOf(HDEVINFO set, SP_DEVINFO_DATA& device) {
    char text[kTextChars] = {};
    if (!::SetupDiGetDeviceRegistryPropertyA(set, &device, SPDRP_FRIENDLYNAME, nullptr,
                                             reinterpret_cast<BYTE*>(text), sizeof text - 1,
                                             nullptr)) {
        return {};
    }
    return text;
}

std::string InstanceIdOf(DEVINST instance) {
    char text[kTextChars] = {};
    return ::CM_Get_Device_IDA(instance, text, kTextChars - 1, 0) == CR_SUCCESS ? text : "";
}

// One interface of a composite device takes its serial number from the device above it,
// as long as that is the same device (same vendor and product).
std::optional<DeviceInstanceId> UsbIdOf(DEVINST instance) {
    std::optional<DeviceInstanceId> id = ParseDeviceInstanceId(InstanceIdOf(instance));
    while (id && id->isInterface) {
        DEVINST parent = 0;
        if (::CM_Get_Parent(&parent, instance, 0) != CR_SUCCESS) {
            break;
        }
        const std::optional<DeviceInstanceId> above = ParseDeviceInstanceId(InstanceIdOf(parent));
        if (!above || above->vendorId != id->vendorId || above->productId != id->productId) {
            break;
        }
        id = above;
        instance = parent;
    }
    return id;
}

SerialPortInfo PortOf(HDEVINFO set, SP_DEVINFO_DATA& device, const std::string& name) {
    SerialPortInfo port;
    port.number = ComPortNumber(name);
    port.name = name;
    port.description = FriendlyNameOf(set, device);
    if (const std::optional<DeviceInstanceId> id = UsbIdOf(device.DevInst)) {
        port.vendorId = id->vendorId;
        port.productId = id->productId;
        port.serialNumber = id->serialNumber;
        port.identity = DeviceIdentity(*id);
    }
    return port;
}

void AddSetupApiPorts(std::vector<SerialPortInfo>& ports) {
    const HDEVINFO set = ::SetupDiGetClassDevsA(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
    if (set == INVALID_HANDLE_VALUE) {
        return;
    }
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; ::SetupDiEnumDeviceInfo(set, i, &device); ++i) {
        const std::string name = PortNameOf(set, device);
        // The Ports class holds the printer ports too.
        if (ComPortNumber(name) != 0) {
            ports.push_back(PortOf(set, device, name));
        }
    }
    ::SetupDiDestroyDeviceInfoList(set);
}

bool Listed(const std::vector<SerialPortInfo>& ports, int number) {
    return std::any_of(ports.begin(), ports.end(),
                       [number](const SerialPortInfo& port) { return port.number == number; });
}

// Each value of SERIALCOMM is one port: the driver's device name, and "COMn" as its data.
void AddSerialCommPorts(std::vector<SerialPortInfo>& ports) {
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS) {
        return;
    }
    for (DWORD i = 0;; ++i) {
        char device[kTextChars] = {};
        char name[kTextChars] = {};
        DWORD deviceSize = sizeof device - 1;
        DWORD nameSize = sizeof name - 1;
        DWORD type = 0;
        if (::RegEnumValueA(key, i, device, &deviceSize, nullptr, &type,
                            reinterpret_cast<BYTE*>(name), &nameSize) != ERROR_SUCCESS) {
            break;
        }
        const int number = type == REG_SZ ? ComPortNumber(name) : 0;
        if (number != 0 && !Listed(ports, number)) {
            SerialPortInfo port;
            port.number = number;
            port.name = name;
            port.description = device;
            ports.push_back(std::move(port));
        }
    }
    ::RegCloseKey(key);
}

} // namespace

std::vector<SerialPortInfo> Win32SerialPortCatalog::Ports() const {
    std::vector<SerialPortInfo> ports;
    AddSetupApiPorts(ports);
    AddSerialCommPorts(ports);
    return ports;
}

} // namespace quillet
