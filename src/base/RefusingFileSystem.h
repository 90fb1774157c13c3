#pragma once

#include "base/FileSystem.h"
#include "base/Trace.h"

#include <map>
#include <string>
#include <vector>

namespace quillet {

// The file system of a label that is only tried: reads pass through to `files`, every
// write is refused to the disk and kept instead, so that what the label reads back (an
// imported program, a work file) is what it would have written. Each write is told to
// `record` as "file <how> <path> <bytes> bytes".
class RefusingFileSystem final : public FileSystem {
public:
    struct Write {
        std::string how; // "write", "append" or "overwrite"
        std::string path;
        std::string data; // the bytes given
    };

    RefusingFileSystem(FileSystem& files, Trace& record) : files_(files), record_(record) {}

    FileLookup Lookup(std::string_view path) override;
    FileRead ReadAll(std::string_view path) override;
    FileWrite WriteAtomic(std::string_view path, std::string_view data) override;
    FileWrite Append(std::string_view path, std::string_view data) override;
    FileWrite Overwrite(std::string_view path, std::string_view data) override;
    std::string NativePath(std::string_view path) override { return files_.NativePath(path); }

    // Every write asked for, in order.
    const std::vector<Write>& Writes() const { return writes_; }
    // Forgets what was kept: the next label sees the disk as it is.
    void Forget() { kept_.clear(); }

private:
    // `whole`: the file as it would then be; `data`: the bytes this write gives.
    FileWrite Keep(const char* how, std::string_view path, std::string whole,
                   std::string_view data);

    FileSystem& files_;
    Trace& record_;
    std::map<std::string, std::string> kept_; // by native path
    std::vector<Write> writes_;
};

} // namespace quillet
