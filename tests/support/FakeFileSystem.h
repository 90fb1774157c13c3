#pragma once

#include "base/FileSystem.h"

#include <map>
#include <string>

namespace quillet::testing {

// An in-memory file system keyed by the path exactly as the program gives it. Failure
// switches make a path fail its look-up, read or write with a chosen error.
class FakeFileSystem : public FileSystem {
public:
    std::map<std::string, std::string> files;
    std::map<std::string, FsError> lookupErrors; // consumed one per look-up when `once`
    std::map<std::string, FsError> readErrors;
    std::map<std::string, FsError> writeErrors;
    int lookups = 0;

    FileLookup Lookup(std::string_view path) override;
    FileRead ReadAll(std::string_view path) override;
    FileWrite WriteAtomic(std::string_view path, std::string_view data) override;
    FileWrite Append(std::string_view path, std::string_view data) override;
    FileWrite Overwrite(std::string_view path, std::string_view data) override;
    std::string NativePath(std::string_view path) override { return std::string(path); }
};

} // namespace quillet::testing
