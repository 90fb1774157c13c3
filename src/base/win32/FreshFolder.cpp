#include "base/FreshFolder.h"

#include "base/win32/AnsiText.h"

#include <random>

#include <windows.h>

namespace quillet {

// Creating the folder fails when the name is taken, so a name that works is ours alone.
std::string MakeFreshFolder(const std::string& parent, const std::string& prefix) {
    std::random_device seed;
    std::mt19937 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::string folder = parent + "/" + prefix + std::to_string(random() % 1000000);
        if (::CreateDirectoryW(WideFromAnsi(folder).c_str(), nullptr) != 0) {
            return folder;
        }
        if (::GetLastError() != ERROR_ALREADY_EXISTS) {
            return {};
        }
    }
    return {};
}

} // namespace quillet
