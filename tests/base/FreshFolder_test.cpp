#include "base/FreshFolder.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillet {
namespace {

TEST(MakeFreshFolder, EachCallMakesItsOwnEmptyFolder) {
    const testing::TempFolder parent;
    const std::string first = MakeFreshFolder(parent.path(), "run-");
    const std::string second = MakeFreshFolder(parent.path(), "run-");
    ASSERT_FALSE(first.empty());
    EXPECT_NE(first, second);
    EXPECT_EQ(first.rfind(parent / "run-", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_empty(first));
}

TEST(MakeFreshFolder, MissingParentGivesNothing) {
    const testing::TempFolder parent;
    EXPECT_EQ(MakeFreshFolder(parent / "missing", "run-"), "");
}

} // namespace
} // namespace quillet
