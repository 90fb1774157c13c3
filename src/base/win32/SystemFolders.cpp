#include "base/SystemFolders.h"

#include "base/win32/AnsiText.h"

#include <windows.h>

#include <shlobj.h>

namespace quillet {

namespace {

const KNOWNFOLDERID kLocalAppData = {
    0xF1B32785, 0x6FBA, 0x4FCF, {0x9D, 0x55, 0x7B, 0x8E, 0x7F, 0x15, 0x70, 0x91}};

} // namespace

std::optional<std::string> SystemWindowsDir() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return std::nullopt;
    }
    return AnsiFromWide(std::wstring_view(folder, length));
}

// Asked of the shell, not of %LOCALAPPDATA%: the environment's single-byte copy would give a
// look-alike folder for a name outside the code page, and a redirected folder is honoured.
std::filesystem::path LocalAppDataFolder() {
    PWSTR folder = nullptr;
    std::filesystem::path path;
    if (SUCCEEDED(::SHGetKnownFolderPath(kLocalAppData, KF_FLAG_DEFAULT, nullptr, &folder)) &&
        folder != nullptr) {
        path = folder;
    }
    ::CoTaskMemFree(folder);
    return path;
}

bool NativeDriveLetters() {
    return true;
}

bool ComHostBuilt() {
    return true;
}

} // namespace quillet
