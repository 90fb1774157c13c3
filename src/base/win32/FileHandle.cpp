#include "base/win32/FileHandle.h"

#include <algorithm>

namespace quillet {

bool FileHandle::Close() {
    if (!open()) {
        return true;
    }
    const bool closed = ::CloseHandle(handle) != 0;
    handle = INVALID_HANDLE_VALUE;
    return closed;
}

bool WriteAll(HANDLE file, std::string_view data) {
    while (!data.empty()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(data.size(), 1u << 30));
        DWORD written = 0;
        if (::WriteFile(file, data.data(), chunk, &written, nullptr) == 0) {
            return false;
        }
        data.remove_prefix(written);
    }
    return true;
}

} // namespace quillet
