#include "app/DesktopOptions.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using Args = std::vector<std::string>;

TEST(DesktopOptionsTest, FlagsAndDevices) {
    const DesktopOptions options = ParseDesktopOptions(
        {"--unattended", "--virtual-scanner", "--com", "2=/dev/ttyUSB0", "--quit-after=1.5"});
    EXPECT_EQ(options.error, "");
    EXPECT_TRUE(options.unattended);
    EXPECT_TRUE(options.virtualScanner);
    EXPECT_FALSE(options.demo);
    EXPECT_EQ(options.devices.DeviceFor(2), "/dev/ttyUSB0");
    EXPECT_EQ(options.devices.DeviceFor(1), "/dev/ttyS0");
    ASSERT_TRUE(options.quitAfterSeconds.has_value());
    EXPECT_DOUBLE_EQ(*options.quitAfterSeconds, 1.5);
}

TEST(DesktopOptionsTest, SerialDeviceReplacesEveryPort) {
    const DesktopOptions options =
        ParseDesktopOptions({"--com=1=/dev/a", "--serial-device", "/tmp/port"});
    EXPECT_EQ(options.devices.DeviceFor(1), "/tmp/port");
    EXPECT_EQ(options.devices.DeviceFor(7), "/tmp/port");
}

TEST(DesktopOptionsTest, DemoBringsTheVirtualScanner) {
    EXPECT_TRUE(ParseDesktopOptions({"--demo"}).virtualScanner);
    const DesktopOptions scripted = ParseDesktopOptions({"--demo-script"});
    EXPECT_TRUE(scripted.demo);
    EXPECT_TRUE(scripted.demoScript);
    EXPECT_TRUE(scripted.virtualScanner);
}

TEST(DesktopOptionsTest, BadOptionsAreNamed) {
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"--bogus"}, "unknown option --bogus"},
        {{"SCRIPT"}, "unknown option SCRIPT"},
        {{"--com"}, "Option --com needs a value"},
        {{"--com", "0=/dev/x"}, "Option --com needs N=DEVICE, not \"0=/dev/x\""},
        {{"--com", "/dev/x"}, "Option --com needs N=DEVICE, not \"/dev/x\""},
        {{"--serial-device="}, "Option --serial-device needs a value"},
        {{"--quit-after", "-1"}, "Option --quit-after needs a number of seconds, not \"-1\""},
        {{"--quit-after", "9999999"},
         "Option --quit-after needs a number of seconds, not \"9999999\""},
        {{"--unattended=1"}, "unknown option --unattended=1"},
    };
    for (const auto& c : cases) {
        const DesktopOptions options = ParseDesktopOptions(c.args);
        EXPECT_EQ(options.error, c.error) << c.args.front();
    }
}

} // namespace
} // namespace quillet
