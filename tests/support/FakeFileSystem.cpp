#include "support/FakeFileSystem.h"

namespace quillet::testing {

FileLookup FakeFileSystem::Lookup(std::string_view path) {
    ++lookups;
    const std::string key(path);
    if (auto it = lookupErrors.find(key); it != lookupErrors.end()) {
        return {it->second, false, key, "fake look-up failure"};
    }
    return {FsError::None, files.count(key) != 0, key, {}};
}

FileRead FakeFileSystem::ReadAll(std::string_view path) {
    const std::string key(path);
    if (auto it = readErrors.find(key); it != readErrors.end()) {
        return {it->second, {}, "fake read failure"};
    }
    auto it = files.find(key);
    if (it == files.end()) {
        return {FsError::NotFound, {}, "not found"};
    }
    return {FsError::None, it->second, {}};
}

FileWrite FakeFileSystem::WriteAtomic(std::string_view path, std::string_view data) {
    const std::string key(path);
    if (auto it = writeErrors.find(key); it != writeErrors.end()) {
        return {it->second, "fake write failure"};
    }
    files[key] = std::string(data);
    return {};
}

FileWrite FakeFileSystem::Append(std::string_view path, std::string_view data) {
    const std::string key(path);
    if (auto it = writeErrors.find(key); it != writeErrors.end()) {
        return {it->second, "fake write failure"};
    }
    files[key] += std::string(data);
    return {};
}

FileWrite FakeFileSystem::Overwrite(std::string_view path, std::string_view data) {
    const std::string key(path);
    if (auto it = writeErrors.find(key); it != writeErrors.end()) {
        return {it->second, "fake write failure"};
    }
    std::string& file = files[key];
    if (file.size() < data.size()) {
        file.resize(data.size());
    }
    file.replace(0, data.size(), data);
    return {};
}

} // namespace quillet::testing
