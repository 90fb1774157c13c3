#pragma once

#include <cstdio>
#include <filesystem>
#include <string>

namespace quillet {

// Between the program's single-byte text and the standard library's paths, which on
// Windows are UTF-16.
std::filesystem::path FsPath(const std::string& nativePath);
std::string FsText(const std::filesystem::path& path);
// Opens a file for appending in binary mode; null when it cannot be opened.
std::FILE* OpenForAppend(const std::filesystem::path& path);

} // namespace quillet
