#include "base/TemporaryFiles.h"

#include <cerrno>
#include <climits>
#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr std::string_view kTag = ".quillet-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kMaxPidDigits = 10;

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

std::string TemporaryName(std::string_view targetName, long pid) {
    return std::string(targetName) + std::string(kTag) + std::to_string(pid) + std::string(kSuffix);
}

std::optional<long> TemporaryOwner(std::string_view name) {
    if (!name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name.remove_suffix(kSuffix.size());
    const std::size_t tag = name.rfind(kTag);
    if (tag == std::string_view::npos || tag == 0) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(tag + kTag.size());
    if (digits.empty() || digits.size() > kMaxPidDigits || digits.front() == '0') {
        return std::nullopt;
    }
    long pid = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        pid = pid * 10 + (c - '0');
    }
    return pid <= INT_MAX ? std::optional<long>(pid) : std::nullopt;
}

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
