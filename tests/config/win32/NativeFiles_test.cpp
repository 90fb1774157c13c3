#include "config/CommandLine.h"
#include "config/ExecutableDir.h"
#include "config/NativeFileSystem.h"
#include "config/NativeFiles.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quillet {
namespace {

using testing::TempFolder;

class WindowsFilesTest : public ::testing::Test {
protected:
    TempFolder dir;
    NativeFileSystem fs{MakeMap()};

    PathMap MakeMap() const {
        PathMap map(std::nullopt);
        map.SetDrive('C', dir.path());
        return map;
    }
    std::filesystem::path Wide(const wchar_t* name) const {
        return std::filesystem::path(dir.path()) / name;
    }
};

// Names are single-byte text in the ANSI code page: 0xF1 is the file the system calls "ñ".
TEST_F(WindowsFilesTest, NamesAreAnsiCodePageText) {
    std::ofstream(Wide(L"PI\u00D1A.CNC"), std::ios::binary) << "G0\r\n";
    const FileLookup lookup = fs.Lookup("C:\\pi\xf1"
                                        "a.cnc");
    EXPECT_EQ(lookup.error, FsError::None);
    EXPECT_TRUE(lookup.isFile);
    EXPECT_EQ(fs.ReadAll("C:\\PI\xd1"
                         "A.CNC")
                  .data,
              "G0\r\n");

    ASSERT_TRUE(fs.WriteAtomic("C:\\\xf1.ini", "[A]\r\n").ok());
    EXPECT_TRUE(std::filesystem::is_regular_file(Wide(L"\u00F1.ini")));
}

// rename() would refuse the existing target; the bytes must stay exactly as written.
TEST_F(WindowsFilesTest, WholeWriteReplacesExistingFileInBinaryMode) {
    dir.Write("PART1.CNC", "old program, longer than the new one\r\n");
    ASSERT_TRUE(fs.WriteAtomic("C:\\PART1.CNC", "G0\nX1\r\n\x1a\r").ok());
    EXPECT_EQ(dir.Read("PART1.CNC"), "G0\nX1\r\n\x1a\r");
    EXPECT_EQ(fs.ReadAll("C:\\PART1.CNC").data, "G0\nX1\r\n\x1a\r");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"PART1.CNC"});
}

TEST_F(WindowsFilesTest, MissingFoldersAndInvalidNamesAreNotFound) {
    EXPECT_EQ(fs.Lookup(dir.path() + "\\missing\\x").error, FsError::PathNotFound);
    EXPECT_EQ(fs.Lookup("C:\\bad|name?.cnc").error, FsError::PathNotFound);
}

TEST(WindowsParentFolder, KeepsDriveRoots) {
    EXPECT_EQ(ParentFolder("C:\\a\\b.txt"), "C:\\a");
    EXPECT_EQ(ParentFolder("C:\\a"), "C:\\");
    EXPECT_EQ(ParentFolder("C:\\"), "C:\\");
    EXPECT_EQ(ParentFolder("C:x"), "C:");
    EXPECT_EQ(ParentFolder("/tmp/x/"), "/tmp");
    EXPECT_EQ(ParentFolder("x"), ".");
}

// The executable's folder comes from the system, not from what argv[0] claims.
TEST(WindowsSystemFolders, ComeFromTheSystem) {
    const std::filesystem::path self = ExecutableDir("nowhere\\fake.exe");
    EXPECT_TRUE(std::filesystem::exists(self / "quillet_core_tests.exe")) << self;
    const SettingsLocations locations = ResolveLocations(CommonOptions{}, "/p");
    EXPECT_TRUE(std::filesystem::is_directory(locations.windowsDir)) << locations.windowsDir;
    EXPECT_EQ(ResolveLocations(ParseCommonOptions({"--windows-dir", "/w"}), "/p").windowsDir, "/w");
}

} // namespace
} // namespace quillet
