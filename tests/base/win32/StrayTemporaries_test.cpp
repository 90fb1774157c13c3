#include "base/NativeFiles.h"
#include "base/TemporaryFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <windows.h>

namespace quillet {
namespace {

// Our own id on a leftover is an earlier process's; a live process's file, other names
// and folders stay.
TEST(WindowsStrayTemporaries, WriteClearsLeftoversAndNothingElse) {
    const testing::TempFolder dir;
    const long self = static_cast<long>(::GetCurrentProcessId());
    dir.Write("ZOR.INI", "old");
    dir.Write(TemporaryName("ZOR.INI", self), "half");
    dir.Write(TemporaryName("P1.CNC", self), "half");
    std::vector<std::string> kept = {"ZOR.INI.tmp123", "notes.txt"};
    for (const std::string& name : kept) {
        dir.Write(name, "keep");
    }
    ASSERT_TRUE(dir.MakeFolder(TemporaryName("D", self)));

    ASSERT_TRUE(WriteFileAtomic(dir / "ZOR.INI", "new").ok());

    kept.push_back(TemporaryName("D", self));
    kept.push_back("ZOR.INI");
    std::sort(kept.begin(), kept.end());
    EXPECT_EQ(dir.Names(), kept);
    EXPECT_EQ(dir.Read("ZOR.INI"), "new");
}

} // namespace
} // namespace quillet
