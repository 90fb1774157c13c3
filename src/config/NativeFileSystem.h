#pragma once

#include "base/FileSystem.h"
#include "config/PathMap.h"

#include <functional>
#ifndef _WIN32
#include "config/posix/FolderIndex.h"
#endif

namespace quillet {

// The file system of this machine, reached through a PathMap. When the exact name is
// missing, each component of the path is looked up without regard to letter case, so a
// program "PART1.CNC" finds part1.cnc and a write replaces an existing case variant rather
// than adding a second file. A plain missing file in an existing folder is a successful
// look-up that finds nothing (error None, isFile false). Case variants are found through a
// FolderIndex, which the writes made here keep up to date.
class NativeFileSystem final : public FileSystem {
public:
    explicit NativeFileSystem(PathMap map);

    FileLookup Lookup(std::string_view path) override;
    FileRead ReadAll(std::string_view path) override;
    FileWrite WriteAtomic(std::string_view path, std::string_view data) override;
    FileWrite Append(std::string_view path, std::string_view data) override;
    FileWrite Overwrite(std::string_view path, std::string_view data) override;
    std::string NativePath(std::string_view path) override;

private:
    PathMap map_;

#ifndef _WIN32
    // Windows ignores letter case itself; elsewhere case variants come from this index.
public:
    const FolderIndex& Index() const {
        return index_;
    }

private:
    // Runs `write` to `nativePath` and tells the index about it.
    FileWrite Written(const std::string& nativePath, const std::function<FileWrite()>& write);

    FolderIndex index_;
#endif
};

} // namespace quillet
