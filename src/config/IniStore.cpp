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

FileWrite IniStore::WriteEntries(std::string_view section, const std::vector<IniEntry>& entries) {
    if (!IniDocument::Writable(section, entries)) {
        return {FsError::Other, IniDocument::kNotWritableText};
    }
    FileRead file = ReadNativeFile(path_);
    if (file.error != FsError::None && file.error != FsError::NotFound) {
        return {file.error, file.errorText};
    }
    IniDocument document(file.error == FsError::None ? std::move(file.data) : std::string());
    if (FileWrite edited = document.WriteEntries(section, entries); !edited.ok()) {
        return edited;
    }
    FileWrite written = WriteFileAtomic(path_, document.Text());
    if (!written.replaceRefused || file.error == FsError::NotFound) {
        return written;
    }
    FileWrite inPlace = RewriteFileInPlace(path_, document.Text());
    return inPlace.error == FsError::NotFound ? written : inPlace;
}

} // namespace quillet
