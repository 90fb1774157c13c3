#include "app/JournalFile.h"
#include "base/FsPath.h"
#include "base/SystemFolders.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

namespace quillet {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr const wchar_t* kShellFolders =
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";

// Points one of the user's folders elsewhere for this process, as a folder redirection
// does, and puts back what was there.
class UserFolderOverride {
public:
    UserFolderOverride(const wchar_t* name, const fs::path& folder) : name_(name) {
        ::RegCreateKeyExW(HKEY_CURRENT_USER, kShellFolders, 0, nullptr, 0, KEY_READ | KEY_WRITE,
                          nullptr, &key_, nullptr);
        wchar_t old[MAX_PATH * 2] = {};
        DWORD size = sizeof old;
        DWORD type = 0;
        if (::RegQueryValueExW(key_, name, nullptr, &type, reinterpret_cast<BYTE*>(old), &size) ==
            ERROR_SUCCESS) {
            old_ = std::wstring(old);
            oldType_ = type;
        }
        Set(REG_EXPAND_SZ, folder.wstring());
    }
    ~UserFolderOverride() {
        if (old_) {
            Set(oldType_, *old_);
        } else {
            ::RegDeleteValueW(key_, name_);
        }
        ::RegCloseKey(key_);
    }
    UserFolderOverride(const UserFolderOverride&) = delete;
    UserFolderOverride& operator=(const UserFolderOverride&) = delete;

private:
    void Set(DWORD type, const std::wstring& value) {
        ::RegSetValueExW(key_, name_, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                         static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    }

    const wchar_t* name_;
    HKEY key_ = nullptr;
    std::optional<std::wstring> old_;
    DWORD oldType_ = REG_EXPAND_SZ;
};

// A user whose name the code page cannot spell ("ł" is not in 1252): the journal goes to
// the user's own folder, not to the look-alike the environment's single-byte copy names.
TEST(WindowsJournalLocation, UserFolderOutsideTheCodePage) {
    const TempFolder dir;
    const fs::path base = fs::absolute(FsPath(dir.path()));
    const fs::path user = base / L"Micha\u0142";
    fs::create_directories(user);
    const UserFolderOverride local(L"Local AppData", user);
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
