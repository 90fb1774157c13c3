#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(WindowsLocations, SystemWindowsDirectoryUnlessGiven) {
    EXPECT_EQ(ResolveLocations(CommonOptions{}, "/p").windowsDir, SystemWindowsDir().value());
    const CommonOptions given = ParseCommonOptions({"--windows-dir", "/w"});
    EXPECT_EQ(ResolveLocations(given, "/p").windowsDir, "/w");
}

} // namespace
} // namespace quillet
