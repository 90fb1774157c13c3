#include "base/TemporaryFiles.h"

#include "base/win32/AnsiText.h"

#include <windows.h>

namespace quillet {

namespace {

bool ProcessGone(long pid) {
    if (pid == static_cast<long>(::GetCurrentProcessId())) {
        return true;
    }
    const HANDLE process =
        ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, static_cast<DWORD>(pid));
    if (process == nullptr) {
        // No such process; a process we may not look at is taken to be alive.
        return ::GetLastError() == ERROR_INVALID_PARAMETER;
    }
    DWORD code = 0;
    const bool ended = ::GetExitCodeProcess(process, &code) != 0 && code != STILL_ACTIVE;
    ::CloseHandle(process);
    return ended;
}

bool IsRegularFile(const WIN32_FIND_DATAW& entry) {
    return (entry.dwFileAttributes &
            (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DEVICE)) == 0;
}

} // namespace

int RemoveStrayTemporaries(const std::string& folder) {
    const bool separated = !folder.empty() && (folder.back() == '\\' || folder.back() == '/');
    const std::string prefix = separated ? folder : folder + "\\";
    WIN32_FIND_DATAW entry{};
    const HANDLE find = ::FindFirstFileW(WideFromAnsi(prefix + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE) {
        return 0;
    }
    int removed = 0;
    do {
        const std::string name = AnsiFromWide(entry.cFileName);
        const std::optional<long> owner = TemporaryOwner(name);
        if (!owner || !IsRegularFile(entry) || !ProcessGone(*owner)) {
            continue;
        }
        if (::DeleteFileW(WideFromAnsi(prefix + name).c_str()) != 0) {
            ++removed;
        }
    } while (::FindNextFileW(find, &entry) != 0);
    ::FindClose(find);
    return removed;
}

} // namespace quillet
