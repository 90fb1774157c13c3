#include "app/SerialDeviceMap.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(SerialDeviceMap, NumberedPortsMapToSerialLines) {
    SerialDeviceMap map;
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    EXPECT_EQ(map.DeviceFor(4), "/dev/ttyS3");
    EXPECT_EQ(map.DeviceFor(0), "");
    EXPECT_EQ(map.DeviceFor(-2), "");

    EXPECT_TRUE(map.AddMapping("2=/dev/ttyUSB0"));
    EXPECT_EQ(map.DeviceFor(2), "/dev/ttyUSB0");
    EXPECT_EQ(map.DeviceFor(1), "/dev/ttyS0");
    for (const char* bad : {"", "=x", "2=", "x=/dev/a", "0=/dev/a", "-1=/dev/a", "2x=/dev/a"}) {
        EXPECT_FALSE(map.AddMapping(bad)) << bad;
    }
    EXPECT_EQ(map.DeviceFor(2), "/dev/ttyUSB0");

    EXPECT_EQ(map.Named(2), "/dev/ttyUSB0");
    EXPECT_EQ(map.Named(1), std::nullopt);

    map.SetOverride("/tmp/scanner");
    EXPECT_EQ(map.DeviceFor(1), "/tmp/scanner");
    EXPECT_EQ(map.DeviceFor(2), "/tmp/scanner");
    EXPECT_EQ(map.Named(1), "/tmp/scanner");
}

} // namespace
} // namespace quillet
