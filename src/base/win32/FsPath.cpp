#include "base/FsPath.h"

#include "base/win32/AnsiText.h"

namespace quillet {

std::filesystem::path FsPath(const std::string& nativePath) {
    return WideFromAnsi(nativePath);
}

std::string FsText(const std::filesystem::path& path) {
    return AnsiFromWide(path.native());
}

std::FILE* OpenForAppend(const std::filesystem::path& path) {
    return ::_wfopen(path.c_str(), L"ab");
}

} // namespace quillet
