#include "config/IniStore.h"

#include "base/NativeFiles.h"
#include "config/IniDocument.h"

namespace quillet {

namespace {

// The file's text; empty when it is missing or cannot be read.
IniDocument Load(const std::string& path) {
    FileRead file = ReadNativeFile(path);
    return IniDocument(file.error == FsError::None ? std::move(file.data) : std::string());
}

} // namespace

IniStore::IniStore(std::string nativePath) : path_(std::move(nativePath)) {}

std::string IniStore::ReadString(std::string_view section, std::string_view key,
                                 std::string_view fallback, std::size_t bufferSize) const {
    return Load(path_).ReadString(section, key, fallback, bufferSize);
}

int IniStore::ReadInt(std::string_view section, std::string_view key, int fallback) const {
    return Load(path_).ReadInt(section, key, fallback);
}

bool IniStore::WriteString(std::string_view section, std::string_view key, std::string_view value) {
    if (!IniDocument::Writable(section, key, value)) {
        return false;
    }
    FileRead file = ReadNativeFile(path_);
    if (file.error != FsError::None && file.error != FsError::NotFound) {
        return false;
    }
    IniDocument document(file.error == FsError::None ? std::move(file.data) : std::string());
    return document.WriteString(section, key, value) &&
           WriteFileAtomic(path_, document.Text()).ok();
}

} // namespace quillet
