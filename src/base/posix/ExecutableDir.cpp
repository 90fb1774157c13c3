#include "base/ExecutableDir.h"

#include <filesystem>

namespace quillet {

std::string ExecutableDir(const char* argv0) {
    std::error_code error;
    const auto self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        return self.parent_path().string();
    }
    return std::filesystem::absolute(argv0).parent_path().string();
}

} // namespace quillet
