#include "base/TemporaryFiles.h"

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
    int removed = 0;
    while (const dirent* entry = ::readdir(dir)) {
        const std::optional<long> owner = TemporaryOwner(entry->d_name);
        if (!owner || !ProcessGone(*owner)) {
            continue;
        }
        const std::string path = folder + "/" + entry->d_name;
        if (IsRegularFile(path) && ::unlink(path.c_str()) == 0) {
            ++removed;
        }
    }
    ::closedir(dir);
    return removed;
}

} // namespace quillet
