#include "app/InstanceLock.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(InstanceLockTest, SecondCopyIsRefusedUntilTheFirstLetsGo) {
    testing::TempFolder dir;
    const std::string path = dir / "windows/quillet.lock";
    InstanceLock first;
    ASSERT_EQ(first.Acquire(path), InstanceLock::Result::Acquired);
    EXPECT_TRUE(first.Held());

    InstanceLock second;
    EXPECT_EQ(second.Acquire(path), InstanceLock::Result::HeldElsewhere);
    EXPECT_FALSE(second.Held());

    first.Release();
    EXPECT_EQ(second.Acquire(path), InstanceLock::Result::Acquired);
}

// A crashed copy leaves its file behind but not its lock.
TEST(InstanceLockTest, LeftoverFileDoesNotBlock) {
    testing::TempFolder dir;
    dir.Write("quillet.lock", "12345\n");
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire(dir / "quillet.lock"), InstanceLock::Result::Acquired);
}

TEST(InstanceLockTest, UnusableFolderIsReportedAsUnavailable) {
    testing::TempFolder dir;
    dir.Write("file", "");
    InstanceLock lock;
    EXPECT_EQ(lock.Acquire(dir / "file/quillet.lock"), InstanceLock::Result::Unavailable);
    EXPECT_FALSE(lock.Held());
}

} // namespace
} // namespace quillet
