#include "config/IniStore.h"

#include "support/LockedEntry.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace quillet {
namespace {

// Permission bits and symbolic links: rules of POSIX file systems only.
class IniStorePosixTest : public ::testing::Test {
protected:
    testing::TempFolder dir;
    std::string path = dir / "ZOR.INI";
    IniStore ini{path};

    std::string Read(std::string_view section, std::string_view key,
                     std::string_view fallback = "dflt", std::size_t size = 128) const {
        return ini.ReadString(section, key, fallback, size);
    }
};

TEST_F(IniStorePosixTest, AtomicWriteLeavesNoTemporaryAndKeepsPermissions) {
    dir.Write("ZOR.INI", "[A]\r\nk=1\r\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(ini.WriteString("A", "k", std::string(100000, 'v')).ok());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"ZOR.INI"});
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u);
    EXPECT_EQ(Read("A", "k", "", 200000), std::string(100000, 'v'));
}

TEST_F(IniStorePosixTest, WriteThroughSymbolicLinkKeepsTheLink) {
    dir.Write("real.ini", "[A]\r\nk=1\r\n");
    ASSERT_EQ(::symlink((dir / "real.ini").c_str(), path.c_str()), 0);
    ASSERT_TRUE(ini.WriteString("A", "k", "2").ok());
    struct stat info {};
    ASSERT_EQ(::lstat(path.c_str(), &info), 0);
    EXPECT_TRUE(S_ISLNK(info.st_mode));
    EXPECT_EQ(dir.Read("real.ini"), "[A]\r\nk=2\r\n");
}

// The Windows folder for a standard user: ZOR.INI may be written, no file may be added.
TEST_F(IniStorePosixTest, FolderTakingNoNewFileGetsTheFileRewrittenInPlace) {
    const struct {
        const char* before;
        const char* value;
        const char* after;
    } cases[] = {
        {"[A]\r\nk=1\r\n; a long comment that the shorter text must not keep\r\n", "2",
         "[A]\r\nk=2\r\n; a long comment that the shorter text must not keep\r\n"},
        {"[A]\r\nk=longer value\r\n", "s", "[A]\r\nk=s\r\n"},
    };
    for (const auto& c : cases) {
        dir.Write("ZOR.INI", c.before);
        const testing::LockedEntry folder(dir.path());
        if (!folder.locked) {
            GTEST_SKIP() << "this file system cannot lock a folder";
        }
        EXPECT_TRUE(ini.WriteString("A", "k", c.value).ok()) << c.value;
        EXPECT_EQ(dir.Read("ZOR.INI"), c.after);
        EXPECT_EQ(dir.Names(), std::vector<std::string>{"ZOR.INI"});
    }
}

} // namespace
} // namespace quillet
