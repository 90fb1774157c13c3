#include "base/TemporaryFiles.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

TEST(TemporaryFilesTest, OnlyTheTaggedFormCarriesAnOwner) {
    EXPECT_EQ(TemporaryOwner(TemporaryName("ZOR.INI", 4321)), 4321);
    EXPECT_EQ(TemporaryOwner("a.quillet-7.quillet-12.tmp"), 12);
    for (const char* other :
         {"ZOR.INI", "ZOR.INI.tmp123", ".quillet-12.tmp", "a.quillet-.tmp", "a.quillet-012.tmp",
          "a.quillet-0.tmp", "a.quillet-12x.tmp", "a.quillet-12.tmpx", "a.quillet-99999999999.tmp",
          "a.QUILLET-1.TMP"}) {
        EXPECT_FALSE(TemporaryOwner(other).has_value()) << other;
    }
}

} // namespace
} // namespace quillet
