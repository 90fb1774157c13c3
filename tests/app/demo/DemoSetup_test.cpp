#include "app/demo/DemoSetup.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

class DemoSetupTest : public ::testing::Test {
protected:
    void SetUp() override {
        source.MakeFolder("programs");
        source.Write("ZOR.INI",
                     "[VORKSTAB]\r\nGCodePath=@DEMO@/programs/\r\nCSVOutPath=@DEMO@/q.csv\r\n");
        source.Write("labels.txt", "# comment\n%12A N\trow one\n\xff%\\xf1\tbytes\nno tab\n");
        source.Write("programs/A.CNC", "ZOR\r\n");
    }

    testing::TempFolder source;
    testing::TempFolder target;
};

TEST_F(DemoSetupTest, CopiesDataAndPointsZorIniAtTheCopy) {
    const DemoSetup setup = MakeDemoSetup(source.path(), target.path());
    ASSERT_EQ(setup.error, "");
    EXPECT_EQ(setup.folder.rfind(target.path() + "/quillet-demo-", 0), 0u);
    EXPECT_EQ(setup.programDir, setup.folder + "/bin");
    EXPECT_EQ(setup.windowsDir, setup.folder + "/windows");
    const std::string relative = setup.folder.substr(target.path().size() + 1);
    EXPECT_EQ(target.Read(relative + "/bin/ZOR.INI"),
              "[VORKSTAB]\r\nGCodePath=" + setup.folder +
                  "/programs/\r\nCSVOutPath=" + setup.folder + "/q.csv\r\n");
    EXPECT_EQ(target.Read(relative + "/programs/A.CNC"), "ZOR\r\n");
    ASSERT_EQ(setup.labels.size(), 2u);
    EXPECT_EQ(setup.labels[0].bytes, "%12A N");
    EXPECT_EQ(setup.labels[0].description, "row one");
    EXPECT_EQ(setup.labels[1].bytes, "\xff%\xf1");

    const DemoSetup second = MakeDemoSetup(source.path(), target.path());
    EXPECT_NE(second.folder, setup.folder);
}

TEST_F(DemoSetupTest, MissingSourceIsReported) {
    const DemoSetup setup = MakeDemoSetup(source / "none", target.path());
    EXPECT_EQ(setup.error, "no demo set-up in " + source / "none");
}

TEST(PrintfCommandTest, QuotesForTheShell) {
    EXPECT_EQ(PrintfCommand("%12DEMO1 N 5", "/tmp/s"), "printf '%%12DEMO1 N 5' > '/tmp/s'");
    EXPECT_EQ(PrintfCommand("%START%", "/tmp/s"), "printf '%%START%%' > '/tmp/s'");
    EXPECT_EQ(PrintfCommand("'A\\\xf1\r", "/x y/it's"),
              "printf ''\\''A\\\\\\361\\015' > '/x y/it'\\''s'");
}

} // namespace
} // namespace quillet
