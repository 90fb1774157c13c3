#include "base/DeviceInstanceId.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

struct IdCase {
    const char* name;
    const char* id;
    const char* vendor;
    const char* product;
    const char* serial;
    bool isInterface;
    const char* identity;
};

class DeviceInstanceIdParse : public ::testing::TestWithParam<IdCase> {};

TEST_P(DeviceInstanceIdParse, FindsIdsAndAStableIdentity) {
    const IdCase& c = GetParam();
    const std::optional<DeviceInstanceId> parsed = ParseDeviceInstanceId(c.id);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->vendorId, c.vendor);
    EXPECT_EQ(parsed->productId, c.product);
    EXPECT_EQ(parsed->serialNumber, c.serial);
    EXPECT_EQ(parsed->isInterface, c.isInterface);
    EXPECT_EQ(DeviceIdentity(*parsed), c.identity);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, DeviceInstanceIdParse,
    ::testing::Values(IdCase{"RealSerial", "USB\\VID_067B&PID_2303\\12345678", "067B", "2303",
                             "12345678", false, "USB\\VID_067B&PID_2303\\12345678"},
                      IdCase{"SerialMadeUpFromTheSocket",
                             "USB\\VID_1A86&PID_7523\\7&310FBEA0&0&0000", "1A86", "7523", "", false,
                             ""},
                      IdCase{"InterfaceOfCompositeDevice",
                             "USB\\VID_2341&PID_8036&MI_00\\8&2F6E8B1&0&0000", "2341", "8036", "",
                             true, ""},
                      IdCase{"Ftdi", "FTDIBUS\\VID_0403+PID_6001+A50285BIA\\0000", "0403", "6001",
                             "A50285BIA", false, "USB\\VID_0403&PID_6001\\A50285BIA"},
                      IdCase{"SerialWithHyphen", "USB\\VID_0C2E&PID_0B61\\AB12-CD34", "0C2E",
                             "0B61", "AB12-CD34", false, "USB\\VID_0C2E&PID_0B61\\AB12-CD34"}),
    [](const ::testing::TestParamInfo<IdCase>& info) { return info.param.name; });

TEST(DeviceInstanceId, NoUsbIdsIsNoUsbDevice) {
    EXPECT_FALSE(ParseDeviceInstanceId("ACPI\\PNP0501\\1"));
    EXPECT_FALSE(ParseDeviceInstanceId("ROOT\\PORTS\\0000"));
    EXPECT_FALSE(ParseDeviceInstanceId("USB\\VID_06&PID_2303\\1"));
}

} // namespace
} // namespace quillet
