#include "base/TemporaryFiles.h"

#include "base/posix/PosixFiles.h"

#include <cerrno>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

bool ProcessGone(long pid) {
    if (pid == static_cast<long>(::getpid())) {
        return true;
    }
    return ::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH;
}

bool IsRegularFile(const std::string& path) {
    struct stat info {};
    return ::lstat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

} // namespace

int RemoveStrayTemporaries(const std::string& folder) {
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return 0;
    }
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir)) {
        if (TemporaryOwner(entry->d_name)) {
            names.emplace_back(entry->d_name);
        }
    }
    ::closedir(dir);
    return RemoveStrayTemporaries(folder, names);
}

int RemoveStrayTemporaries(const std::string& folder, const std::vector<std::string>& names) {
    int removed = 0;
    for (const std::string& name : names) {
        const std::optional<long> owner = TemporaryOwner(name);
        if (!owner || !ProcessGone(*owner)) {
            continue;
        }
        const std::string path = folder + "/" + name;
        if (IsRegularFile(path) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    return removed;
}

} // namespace quillet
