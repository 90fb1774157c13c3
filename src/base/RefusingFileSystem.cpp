#include "base/RefusingFileSystem.h"

#include <algorithm>

namespace quillet {

FileLookup RefusingFileSystem::Lookup(std::string_view path) {
    FileLookup found = files_.Lookup(path);
    if (kept_.contains(files_.NativePath(path))) {
        found.error = FsError::None;
        found.isFile = true;
        found.errorText.clear();
        found.errorNumber = 0;
    }
    return found;
}

FileRead RefusingFileSystem::ReadAll(std::string_view path) {
    if (const auto kept = kept_.find(files_.NativePath(path)); kept != kept_.end()) {
        return {FsError::None, kept->second, {}};
    }
    return files_.ReadAll(path);
}

FileWrite RefusingFileSystem::WriteAtomic(std::string_view path, std::string_view data) {
    return Keep("write", path, std::string(data), data);
}

FileWrite RefusingFileSystem::Append(std::string_view path, std::string_view data) {
    return Keep("append", path, ReadAll(path).data + std::string(data), data);
}

// Writing over the start keeps what lay beyond the new bytes.
FileWrite RefusingFileSystem::Overwrite(std::string_view path, std::string_view data) {
    std::string whole = ReadAll(path).data;
    whole.replace(0, std::min(whole.size(), data.size()), data);
    return Keep("overwrite", path, std::move(whole), data);
}

FileWrite RefusingFileSystem::Keep(const char* how, std::string_view path, std::string whole,
                                   std::string_view data) {
    record_.Event("file", std::string(how) + " " + std::string(path) + " " +
                              std::to_string(data.size()) + " bytes");
    writes_.push_back({how, std::string(path), std::string(data)});
    kept_[files_.NativePath(path)] = std::move(whole);
    return {};
}

} // namespace quillet
