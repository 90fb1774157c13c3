#include "base/FsPath.h"

namespace quillet {

std::filesystem::path FsPath(const std::string& nativePath) {
    return nativePath;
}

std::string FsText(const std::filesystem::path& path) {
    return path.native();
}

std::FILE* OpenForAppend(const std::filesystem::path& path) {
    return std::fopen(path.c_str(), "abe");
}

} // namespace quillet
