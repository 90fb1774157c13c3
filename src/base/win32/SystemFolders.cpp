#include "base/SystemFolders.h"

#include "base/win32/AnsiText.h"

#include <windows.h>

namespace quillet {

std::optional<std::string> SystemWindowsDir() {
    wchar_t folder[MAX_PATH + 1] = {};
    const UINT length = ::GetWindowsDirectoryW(folder, MAX_PATH + 1);
    if (length == 0 || length > MAX_PATH) {
        return std::nullopt;
    }
    return AnsiFromWide(std::wstring_view(folder, length));
}

bool NativeDriveLetters() {
    return true;
}

bool ComHostBuilt() {
    return true;
}

} // namespace quillet
