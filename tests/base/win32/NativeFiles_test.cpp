#include "base/ExecutableDir.h"
#include "base/NativeFiles.h"
#include "base/SystemFolders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <thread>

namespace quillet {
namespace {

using testing::TempFolder;

// rename() would refuse the existing target; the bytes must stay exactly as written, and a
// name holding 0xF1 is the one the system spells "ñ".
TEST(WindowsNativeFiles, WholeWriteReplacesExistingFileInBinaryMode) {
    const TempFolder dir;
    dir.Write("PART1.CNC", "old program, longer than the new one\r\n");
    ASSERT_TRUE(WriteFileAtomic(dir / "PART1.CNC", "G0\nX1\r\n\x1a\r").ok());
    EXPECT_EQ(dir.Read("PART1.CNC"), "G0\nX1\r\n\x1a\r");
    EXPECT_EQ(ReadNativeFile(dir / "PART1.CNC").data, "G0\nX1\r\n\x1a\r");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"PART1.CNC"});

    ASSERT_TRUE(WriteFileAtomic(dir / "\xf1.ini", "[A]\r\n").ok());
    EXPECT_TRUE(
        std::filesystem::is_regular_file(std::filesystem::path(dir.path()) / L"\u00F1.ini"));
}

// A virus scanner holding the file for a moment: the replace waits it out.
TEST(WindowsNativeFiles, WholeWriteWaitsOutABriefHold) {
    const TempFolder dir;
    dir.Write("ZOR.INI", "old");
    const HANDLE held =
        ::CreateFileW(std::filesystem::path(dir / "ZOR.INI").wstring().c_str(), GENERIC_READ,
                      FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    std::thread scanner([held] {
        ::Sleep(200);
        ::CloseHandle(held);
    });
    const FileWrite written = WriteFileAtomic(dir / "ZOR.INI", "new");
    scanner.join();
    EXPECT_TRUE(written.ok()) << written.errorText;
    EXPECT_EQ(dir.Read("ZOR.INI"), "new");
}

TEST(WindowsNativeFiles, ParentFolderKeepsDriveRoots) {
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
    EXPECT_TRUE(std::filesystem::exists(self / "quillet_base_tests.exe")) << self;
    const std::optional<std::string> windows = SystemWindowsDir();
    ASSERT_TRUE(windows.has_value());
    EXPECT_TRUE(std::filesystem::is_directory(*windows)) << *windows;
    EXPECT_TRUE(NativeDriveLetters());
}

} // namespace
} // namespace quillet
