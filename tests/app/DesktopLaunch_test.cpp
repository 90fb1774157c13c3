#include "app/DesktopLaunch.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace quillet {
namespace {

using Args = std::vector<std::string>;

// The common options are read first: their error wins over a desktop option's.
TEST(DesktopLaunchTest, ParseNamesTheFirstBadOption) {
    const struct {
        Args args;
        const char* error;
    } cases[] = {
        {{"--unattended", "--quit-after", "2"}, ""},
        {{"--quit-after", "x", "--trace"},
         "Option --trace needs a file name, or - for standard output"},
        {{"--bogus"}, "unknown option --bogus"},
    };
    for (const auto& c : cases) {
        DesktopLaunch launch;
        EXPECT_EQ(launch.Parse(c.args), c.error) << c.args.front();
    }
}

TEST(DesktopLaunchTest, SetupCarriesTheOptionsAndTheJournal) {
    const std::string dir = testing::TempDir();
    DesktopLaunch kept;
    ASSERT_EQ(
        kept.Parse({"--program-dir", dir, "--journal", dir, "--unattended", "--quit-after", "1.5"}),
        "");
    ASSERT_EQ(kept.Open(dir), "");
    const DesktopProgramSetup setup = kept.Setup();
    EXPECT_EQ(setup.locations.programDir, dir);
    EXPECT_TRUE(setup.unattended);
    EXPECT_EQ(setup.quitAfterSeconds, 1.5);
    EXPECT_NE(setup.journal, nullptr);
    EXPECT_EQ(&kept.trace(), setup.journal);

    DesktopLaunch without;
    ASSERT_EQ(without.Parse({"--journal", "off", "--trace", dir + "/no/such/trace.txt"}), "");
    EXPECT_NE(without.Open(dir).find("cannot write"), std::string::npos);
    EXPECT_EQ(without.Setup().journal, nullptr);
}

} // namespace
} // namespace quillet
