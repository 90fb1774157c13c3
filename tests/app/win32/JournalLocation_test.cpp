#include "app/JournalFile.h"
#include "base/FsPath.h"
#include "base/SystemFolders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>
#include <string>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points the user's local application data elsewhere, as a folder redirection does, and
// puts back what was there.
class LocalAppDataOverride {
public:
    explicit LocalAppDataOverride(const fs::path& folder) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                          &key_, nullptr);
        DWORD size = sizeof old_ - sizeof(wchar_t);
        had_ = ::RegQueryValueExW(key_, kName, nullptr, &type_, reinterpret_cast<BYTE*>(old_),
                                  &size) == ERROR_SUCCESS;
        Set(REG_EXPAND_SZ, folder.c_str());
    }
    ~LocalAppDataOverride() {
        if (had_) {
            Set(type_, old_);
        } else {
            ::RegDeleteValueW(key_, kName);
        }
        ::RegCloseKey(key_);
    }

private:
    static constexpr const wchar_t* kName = L"Local AppData";
    void Set(DWORD type, const wchar_t* value) {
        ::RegSetValueExW(key_, kName, 0, type, reinterpret_cast<const BYTE*>(value),
                         static_cast<DWORD>((::wcslen(value) + 1) * sizeof(wchar_t)));
    }

    HKEY key_ = nullptr;
    bool had_ = false;
    DWORD type_ = REG_EXPAND_SZ;
    wchar_t old_[MAX_PATH * 2] = {};
};

// A user whose name the code page cannot spell ("ł" is not in 1252): the journal goes to
// the user's own folder, not to the look-alike the environment's single-byte copy names.
TEST(WindowsJournalLocation, UserFolderOutsideTheCodePage) {
    const TempFolder dir;
    const fs::path base = fs::absolute(FsPath(dir.path()));
    const fs::path user = base / L"Micha\u0142";
    fs::create_directories(user);
    const LocalAppDataOverride local(user);
    // The environment names the same folder, as Windows sets it at logon.
    const wchar_t* before = ::_wgetenv(L"LOCALAPPDATA");
    const std::wstring environment = before != nullptr ? before : L"";
    ::_wputenv_s(L"LOCALAPPDATA", user.c_str());

    EXPECT_EQ(LocalAppDataFolder(), user);
    DiskJournalFolder folder(DefaultJournalFolder());
    ASSERT_TRUE(folder.Open("2026-12-09.txt"));
    EXPECT_TRUE(folder.Write("10:42:07.315 journal opened\r\n"));
    folder.Close();
    EXPECT_TRUE(fs::is_regular_file(user / L"Quillet" / L"Journal" / L"2026-12-09.txt"));
    EXPECT_FALSE(fs::exists(base / L"Michal"));
    ::_wputenv_s(L"LOCALAPPDATA", environment.c_str());
}

} // namespace
} // namespace quillet
