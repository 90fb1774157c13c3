#include "config/NativeFileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace quillet {
namespace {

using testing::TempFolder;

class NativeFileSystemTest : public ::testing::Test {
protected:
    TempFolder dir;
    NativeFileSystem fs{MakeMap()};

    PathMap MakeMap() const {
        PathMap map(dir / "drives");
        map.SetDrive('C', dir.path());
        return map;
    }
};

TEST_F(NativeFileSystemTest, LooksUpFilesWithoutRegardToCase) {
    ASSERT_TRUE(dir.MakeFolder("Prog"));
    dir.Write("Prog/part1.cnc", "G0");
    const FileLookup lookup = fs.Lookup("C:\\PROG\\PART1.CNC");
    EXPECT_EQ(lookup.error, FsError::None);
    EXPECT_TRUE(lookup.isFile);
#ifndef _WIN32 // Windows resolves letter case itself and keeps the name as asked for.
    EXPECT_EQ(lookup.nativePath, dir / "Prog/part1.cnc");
#endif
    EXPECT_EQ(fs.ReadAll("c:\\prog\\Part1.Cnc").data, "G0");
}

TEST_F(NativeFileSystemTest, WriteReplacesExistingCaseVariant) {
    dir.Write("zor.ini", "old");
    ASSERT_TRUE(fs.WriteAtomic("C:\\ZOR.INI", "new").ok());
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"zor.ini"});
    EXPECT_EQ(dir.Read("zor.ini"), "new");
}

TEST_F(NativeFileSystemTest, LookupFailures) {
    dir.Write("file", "x");
    ASSERT_TRUE(dir.MakeFolder("folder"));
    const struct {
        std::string path;
        FsError error;
        bool isFile;
    } cases[] = {
        {"C:\\missing.txt", FsError::None, false},
        {"C:\\folder", FsError::None, false},
        {"C:\\no\\such\\x.txt", FsError::PathNotFound, false},
        {"C:\\file\\below", FsError::PathNotFound, false},
        {"C:\\file", FsError::None, true},
    };
    for (const auto& c : cases) {
        const FileLookup lookup = fs.Lookup(c.path);
        EXPECT_EQ(lookup.error, c.error) << c.path;
        EXPECT_EQ(lookup.isFile, c.isFile) << c.path;
    }
}

TEST_F(NativeFileSystemTest, ReadFailures) {
    ASSERT_TRUE(dir.MakeFolder("folder"));
    EXPECT_EQ(fs.ReadAll("C:\\nothing").error, FsError::NotFound);
    EXPECT_EQ(fs.ReadAll("C:\\none\\nothing").error, FsError::PathNotFound);
    EXPECT_EQ(fs.ReadAll("C:\\folder").error, FsError::AccessDenied);
}

TEST_F(NativeFileSystemTest, AppendCreatesAndOverwriteKeepsTail) {
    ASSERT_TRUE(fs.Append("C:\\out.csv", "a;b\r\n").ok());
    ASSERT_TRUE(fs.Append("C:\\OUT.CSV", "c;d\r\n").ok());
    EXPECT_EQ(dir.Read("out.csv"), "a;b\r\nc;d\r\n");
    ASSERT_TRUE(fs.Overwrite("C:\\out.csv", "XY").ok());
    EXPECT_EQ(dir.Read("out.csv"), "XYb\r\nc;d\r\n");
    ASSERT_TRUE(fs.Overwrite("C:\\new.dat", "fresh").ok());
    EXPECT_EQ(dir.Read("new.dat"), "fresh");
    EXPECT_EQ(fs.Append("C:\\none\\x", "y").error, FsError::PathNotFound);
}

TEST_F(NativeFileSystemTest, WriteAtomicRefusesFolderAndMissingPath) {
    ASSERT_TRUE(dir.MakeFolder("folder"));
    EXPECT_EQ(fs.WriteAtomic("C:\\folder", "x").error, FsError::AccessDenied);
    EXPECT_EQ(fs.WriteAtomic("C:\\none\\x", "x").error, FsError::PathNotFound);
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"folder"});
}

} // namespace
} // namespace quillet
