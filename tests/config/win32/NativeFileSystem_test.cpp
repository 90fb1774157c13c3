#include "config/NativeFileSystem.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace quillet {
namespace {

using testing::TempFolder;

class WindowsFileSystemTest : public ::testing::Test {
protected:
    TempFolder dir;
    NativeFileSystem fs{MakeMap()};

    PathMap MakeMap() const {
        PathMap map(std::nullopt);
        map.SetDrive('C', dir.path());
        return map;
    }
};

// Names are single-byte text in the ANSI code page: 0xF1 is the file the system calls "ñ".
TEST_F(WindowsFileSystemTest, NamesAreAnsiCodePageText) {
    std::ofstream(std::filesystem::path(dir.path()) / L"PI\u00D1A.CNC", std::ios::binary)
        << "G0\r\n";
    const FileLookup lookup = fs.Lookup("C:\\pi\361a.cnc");
    EXPECT_EQ(lookup.error, FsError::None);
    EXPECT_TRUE(lookup.isFile);
    EXPECT_EQ(fs.ReadAll("C:\\PI\321A.CNC").data, "G0\r\n");
}

TEST_F(WindowsFileSystemTest, MissingFoldersAndInvalidNamesAreNotFound) {
    EXPECT_EQ(fs.Lookup(dir.path() + "\\missing\\x").error, FsError::PathNotFound);
    EXPECT_EQ(fs.Lookup("C:\\bad|name?.cnc").error, FsError::PathNotFound);
}

} // namespace
} // namespace quillet
