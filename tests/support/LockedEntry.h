#pragma once

#include <cstdlib>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet::testing {

// Makes a file or folder take no change of its entries (read-only; immutable for root, who
// ignores permission bits) or undoes that; false when it cannot.
inline bool LockEntry(const std::string& path, bool on) {
    if (::geteuid() != 0) {
        return ::chmod(path.c_str(), on ? 0555 : 0755) == 0;
    }
    return std::system(("chattr " + std::string(on ? "+i '" : "-i '") + path + "'").c_str()) == 0;
}

struct LockedEntry {
    explicit LockedEntry(std::string entry)
        : path(std::move(entry)), locked(LockEntry(path, true)) {}
    ~LockedEntry() { LockEntry(path, false); }
    std::string path;
    bool locked;
};

} // namespace quillet::testing
