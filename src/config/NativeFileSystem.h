#pragma once

#include "base/FileSystem.h"
#include "config/PathMap.h"

namespace quillet {

// The file system of this machine, reached through a PathMap. When the exact name is
// missing, each component of the path is looked up without regard to letter case, so a
// program "PART1.CNC" finds part1.cnc and a write replaces an existing case variant rather
// than adding a second file. A plain missing file in an existing folder is a successful
// look-up that finds nothing (error None, isFile false).
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
};

} // namespace quillet
