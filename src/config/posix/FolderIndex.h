#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unordered_map>
#include <vector>

namespace quillet {

// The entries of folders with their names folded to lower case, so that a name missing in
// its exact spelling is looked up again without regard to case at the cost of a hash look-up
// instead of a read of the whole folder. Only for file systems that tell letter cases apart.
//
// A folder is read again when its stamp (device, inode, size, modification and change time)
// differs from the one taken just before the last read. A stamp alone can miss a change made
// within the same tick of the file system's clock, so a read whose stamp was still recent is
// not trusted: after a change by someone else the folder is read at each look-up until its
// stamp has settled. The program's own writes go into the index as they are made; since
// another program could have changed the folder in the same tick, the folder is read once
// more at the first look-up after that tick has settled; in a run of writes no more often
// than keeps these reads to a few per cent of the time.
class FolderIndex {
public:
    // The entry of `folder` equal to `name` without regard to the case of A-Z; the smallest
    // such name when several differ only in case. Nothing when there is none or the folder
    // cannot be read.
    std::optional<std::string> Find(const std::string& folder, std::string_view name);

    // The entries of `folder` named as whole-or-nothing writes name their temporary files;
    // nothing when the folder cannot be read.
    std::optional<std::vector<std::string>> Temporaries(const std::string& folder);

    // Around a write the program makes in `folder`, which leaves the entry `name` there.
    void BeforeWrite(const std::string& folder);
    void AfterWrite(const std::string& folder, std::string_view name);

    // How many times a folder was read, for checking that look-ups stay cheap.
    long Reads() const { return reads_; }

private:
    struct Stamp {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        timespec changed{};
        bool operator==(const Stamp& other) const;
    };
    enum class Trust {
        Settled,  // the stamp was old enough when the folder was read
        Recent,   // changed by someone else moments ago: read again at each look-up
        OwnWrite, // our own recent write: read again once `verifyAfter` has passed
    };
    struct Folder {
        Stamp stamp;
        Trust trust = Trust::Recent;
        timespec verifyAfter{};
        long long readNanos = 0;                            // how long the last read took
        std::unordered_map<std::string, std::string> names; // folded -> entry
        std::vector<std::string> temporaries;
    };

    // The index of `folder`, read again first when it may be out of date.
    const Folder* Current(const std::string& folder);
    static std::optional<Stamp> StampOf(const std::string& folder);
    static timespec VerifyTime(const Folder& entry, const Stamp& stamp);
    static void DropRemoved(const std::string& folder, Folder& entry);
    static bool NeedsRead(const Folder& entry, const Stamp& stamp, const timespec& now);
    bool Read(const std::string& folder, const Stamp& stamp, const timespec& now, Folder& entry);

    std::unordered_map<std::string, Folder> folders_;
    long reads_ = 0;
};

} // namespace quillet
