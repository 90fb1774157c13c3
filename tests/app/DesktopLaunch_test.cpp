#include "app/DesktopLaunch.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

// The common options are read first: their error wins over a desktop option's. A launch
// keeps the journal it opened; with none, or a trace it cannot write, the setup has none.
TEST(DesktopLaunchTest, SetupCarriesTheOptionsAndTheJournal) {
    const std::string dir = testing::TempDir();
    DesktopLaunch bad;
    EXPECT_EQ(bad.Parse({"--quit-after", "x", "--trace"}),
              "Option --trace needs a file name, or - for standard output");

    DesktopLaunch kept;
    ASSERT_EQ(kept.Parse({"--journal", dir, "--unattended", "--quit-after", "1.5"}), "");
    ASSERT_EQ(kept.Open(dir), "");
    const DesktopProgramSetup setup = kept.Setup();
    EXPECT_TRUE(setup.unattended);
    EXPECT_EQ(setup.quitAfterSeconds, 1.5);
    EXPECT_EQ(&kept.trace(), setup.journal);

    DesktopLaunch without;
    ASSERT_EQ(without.Parse({"--journal", "off", "--trace", dir + "/no/such/trace.txt"}), "");
    EXPECT_NE(without.Open(dir).find("cannot write"), std::string::npos);
    EXPECT_EQ(without.Setup().journal, nullptr);
}

} // namespace
} // namespace quillet
