#include "config/PathMap.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(PathMap, MapsDriveLettersAndKeepsOtherPaths) {
    PathMap map("/cfg/drives");
    ASSERT_TRUE(map.SetDrive('c', "/srv/cdrive/"));
    ASSERT_TRUE(map.SetDrive('R', "/"));
    EXPECT_FALSE(map.SetDrive('1', "/x"));
    const struct {
        const char* path;
        const char* native;
    } cases[] = {
        {"C:\\Tormial\\Bin\\Temp.Cmp", "/srv/cdrive/Tormial/Bin/Temp.Cmp"},
        {"c:\\tormial\\bin\\", "/srv/cdrive/tormial/bin/"},
        {"c:rel\\x", "/srv/cdrive/rel/x"},
        {"C:", "/srv/cdrive"},
        {"D:\\", "/cfg/drives/d"},
        {"d:\\out\\file.csv", "/cfg/drives/d/out/file.csv"},
        {"C:\\a\\\\b\\.\\c", "/srv/cdrive/a/b/c"},
        {"C:\\a\\..\\b", "/srv/cdrive/b"},
        {"C:\\..\\..\\etc\\passwd", "/srv/cdrive/etc/passwd"},
        {"R:\\etc", "/etc"},
        {"/home/op/ZOR.INI", "/home/op/ZOR.INI"},
        {"/opt/quillet\\ZOR.INI", "/opt/quillet/ZOR.INI"},
        {"rel\\PART1.CNC", "rel/PART1.CNC"},
        {"PART1.CNC", "PART1.CNC"},
        {"", ""},
        {"1:\\x", "1:/x"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(map.ToNative(c.path), c.native) << c.path;
    }
}

TEST(PathMap, LaterDriveSettingWins) {
    PathMap map("/root");
    map.SetDrive('E', "/first");
    map.SetDrive('e', "/second");
    EXPECT_EQ(map.DriveFolder('E'), "/second");
    EXPECT_EQ(map.DriveFolder('f'), "/root/f");
}

// Where drive letters are the system's own, only the drives given a folder are mapped.
TEST(PathMap, NativeDrivesPassThroughUnlessMapped) {
    PathMap map(std::nullopt);
    map.SetDrive('C', "/tmp/c");
    EXPECT_EQ(map.ToNative("C:\\PROD\\A.CNC"), "/tmp/c/PROD/A.CNC");
    EXPECT_EQ(map.ToNative("d:\\Out\\x.csv"), "d:\\Out\\x.csv");
    EXPECT_EQ(map.ToNative("rel\\x"), "rel/x");
}

} // namespace
} // namespace quillet
