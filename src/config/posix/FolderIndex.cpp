#include "config/posix/FolderIndex.h"

#include "base/TemporaryFiles.h"
#include "config/NoCase.h"

#include <dirent.h>
#include <sys/stat.h>

namespace quillet {

namespace {

// Beyond this many folders the index starts afresh rather than grow without bound.
constexpr std::size_t kMaxFolders = 64;
constexpr long kNanosPerSecond = 1000000000;
// The checks after our own writes wait this many times as long as the folder took to read,
// so that in a run of writes to a large folder they cost a few per cent at most.
constexpr long long kReadCostShare = 50;

std::string Fold(std::string_view name) {
    std::string folded(name);
    for (char& c : folded) {
        c = LowerAscii(c);
    }
    return folded;
}

bool Before(const timespec& a, const timespec& b) {
    return a.tv_sec != b.tv_sec ? a.tv_sec < b.tv_sec : a.tv_nsec < b.tv_nsec;
}

timespec Now() {
    timespec now{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    return now;
}

timespec Plus(timespec at, long long nanos) {
    const long long total = at.tv_nsec + nanos;
    at.tv_sec += static_cast<time_t>(total / kNanosPerSecond);
    at.tv_nsec = static_cast<long>(total % kNanosPerSecond);
    return at;
}

// The time after which no further change can carry the same stamp as one made at `at`.
// The kernel stamps folders from a clock that advances every few milliseconds; a file
// system that keeps whole seconds (FAT: two) shows no fraction at all.
timespec Settled(const timespec& at) {
    return Plus(at, at.tv_nsec == 0 ? 3 * kNanosPerSecond : kNanosPerSecond / 10);
}

long long NanosSince(const timespec& start) {
    timespec now{};
    ::clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - start.tv_sec) * static_cast<long long>(kNanosPerSecond) +
           (now.tv_nsec - start.tv_nsec);
}

bool Same(const timespec& a, const timespec& b) {
    return a.tv_sec == b.tv_sec && a.tv_nsec == b.tv_nsec;
}

timespec Latest(const timespec& a, const timespec& b) {
    return Before(a, b) ? b : a;
}

void Keep(std::unordered_map<std::string, std::string>& names, std::string_view name) {
    const auto [it, added] = names.try_emplace(Fold(name), name);
    if (!added && name < it->second) {
        it->second = std::string(name);
    }
}

} // namespace

timespec FolderIndex::VerifyTime(const Folder& entry, const Stamp& stamp) {
    const timespec settled = Settled(Latest(stamp.modified, stamp.changed));
    return Latest(settled, Plus(Now(), kReadCostShare * entry.readNanos));
}

bool FolderIndex::Stamp::operator==(const Stamp& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           Same(modified, other.modified) && Same(changed, other.changed);
}

std::optional<FolderIndex::Stamp> FolderIndex::StampOf(const std::string& folder) {
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return std::nullopt;
    }
    return Stamp{info.st_dev, info.st_ino, info.st_size, info.st_mtim, info.st_ctim};
}

std::optional<std::string> FolderIndex::Find(const std::string& folder, std::string_view name) {
    const Folder* entry = Current(folder);
    if (entry == nullptr) {
        return std::nullopt;
    }
    const auto found = entry->names.find(Fold(name));
    if (found == entry->names.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::optional<std::vector<std::string>> FolderIndex::Temporaries(const std::string& folder) {
    const Folder* entry = Current(folder);
    if (entry == nullptr) {
        return std::nullopt;
    }
    return entry->temporaries;
}

const FolderIndex::Folder* FolderIndex::Current(const std::string& folder) {
    // Taken before the stamp: a change the read below misses happens later than this.
    const timespec now = Now();
    const std::optional<Stamp> stamp = StampOf(folder);
    if (!stamp) {
        folders_.erase(folder);
        return nullptr;
    }
    auto it = folders_.find(folder);
    if (it == folders_.end()) {
        if (folders_.size() >= kMaxFolders) {
            folders_.clear();
        }
        it = folders_.emplace(folder, Folder{}).first;
        it->second.stamp.inode = ~ino_t{0}; // matches no folder: read it
    }
    Folder& entry = it->second;
    if (NeedsRead(entry, *stamp, now) && !Read(folder, *stamp, now, entry)) {
        folders_.erase(it);
        return nullptr;
    }
    return &entry;
}

bool FolderIndex::NeedsRead(const Folder& entry, const Stamp& stamp, const timespec& now) {
    if (!(entry.stamp == stamp)) {
        return true;
    }
    return entry.trust == Trust::Recent ||
           (entry.trust == Trust::OwnWrite && !Before(now, entry.verifyAfter));
}

bool FolderIndex::Read(const std::string& folder, const Stamp& stamp, const timespec& now,
                       Folder& entry) {
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) {
        return false;
    }
    ++reads_;
    entry.names.clear();
    entry.temporaries.clear();
    while (const dirent* item = ::readdir(dir)) {
        const std::string_view name = item->d_name;
        if (name != "." && name != "..") {
            Keep(entry.names, name);
        }
        if (TemporaryOwner(name)) {
            entry.temporaries.emplace_back(name);
        }
    }
    ::closedir(dir);
    entry.readNanos = NanosSince(start);

    // Unchanged since our own write: a same-tick change by someone else is now read, and
    // only one after this read remains possible.
    const bool ownChange = entry.trust == Trust::OwnWrite && entry.stamp == stamp;
    const timespec settled = Settled(Latest(stamp.modified, stamp.changed));
    entry.stamp = stamp;
    if (!Before(now, settled)) {
        entry.trust = Trust::Settled;
    } else if (ownChange) {
        entry.verifyAfter = VerifyTime(entry, stamp);
    } else {
        entry.trust = Trust::Recent;
    }
    return true;
}

// The write clears leftovers of ended runs; the few it did are dropped from the index.
void FolderIndex::DropRemoved(const std::string& folder, Folder& entry) {
    std::erase_if(entry.temporaries, [&](const std::string& name) {
        struct stat info {};
        if (::lstat((folder + "/" + name).c_str(), &info) == 0) {
            return false;
        }
        const auto indexed = entry.names.find(Fold(name));
        if (indexed != entry.names.end() && indexed->second == name) {
            entry.names.erase(indexed);
        }
        return true;
    });
}

void FolderIndex::BeforeWrite(const std::string& folder) {
    const auto it = folders_.find(folder);
    if (it == folders_.end()) {
        return;
    }
    const std::optional<Stamp> stamp = StampOf(folder);
    if (!stamp || !(it->second.stamp == *stamp)) {
        folders_.erase(it);
    }
}

void FolderIndex::AfterWrite(const std::string& folder, std::string_view name) {
    const auto it = folders_.find(folder);
    if (it == folders_.end()) {
        return;
    }
    const std::optional<Stamp> stamp = StampOf(folder);
    if (!stamp) {
        folders_.erase(it);
        return;
    }
    Folder& entry = it->second;
    DropRemoved(folder, entry);
    Keep(entry.names, name);
    if (entry.stamp == *stamp) {
        return;
    }
    // A pending check is kept, not postponed, so that a run of writes still reads the
    // folder once each settling time.
    if (entry.trust != Trust::OwnWrite) {
        entry.verifyAfter = VerifyTime(entry, *stamp);
    }
    entry.trust = Trust::OwnWrite;
    entry.stamp = *stamp;
}

} // namespace quillet
