#include "app/ReconnectingSerialPort.h"
#include "app/ScannerPortText.h"
#include "app/win32/Win32ScannerDevice.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(Win32ScannerDevice, PortNumbersNameCommunicationDevices) {
    SerialDeviceMap devices;
    EXPECT_EQ(Win32SerialDevice(devices, 1), "\\\\.\\COM1");
    EXPECT_EQ(Win32SerialDevice(devices, 12), "\\\\.\\COM12");
    EXPECT_EQ(Win32SerialDevice(devices, 0), "");
    ASSERT_TRUE(devices.AddMapping("2=\\\\.\\COM7"));
    EXPECT_EQ(Win32SerialDevice(devices, 2), "\\\\.\\COM7");
    EXPECT_EQ(Win32SerialDevice(devices, 1), "\\\\.\\COM1");
}

// A failed open says why and leaves the port closed, so nothing reads from a dead handle.
TEST(Win32ScannerDevice, FailedOpensAreReportedAndLeaveThePortClosed) {
    Win32ScannerDevice device{SerialDeviceMap{}};
    ReconnectingSerialPort port{device};
    const SerialOpenResult bad = port.Open(1, "9600,N,8");
    EXPECT_FALSE(bad.ok);
    EXPECT_EQ(bad.errorNumber, kBadSettingsError);

    const SerialOpenResult missing = port.Open(250, "9600,N,8,1");
    EXPECT_FALSE(missing.ok);
    EXPECT_NE(missing.errorText.find("\\\\.\\COM250"), std::string::npos) << missing.errorText;
    EXPECT_FALSE(port.IsOpen());
    EXPECT_EQ(port.BytesWaiting(), 0u);
    EXPECT_FALSE(port.Write("ACK\r"));
    EXPECT_FALSE(port.WaitingForDevice());
}

} // namespace
} // namespace quillet
