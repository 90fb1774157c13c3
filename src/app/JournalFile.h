#pragma once

#include "app/CommandLine.h"
#include "app/Journal.h"

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace quillet {

// Where the desktop program keeps its journal unless told otherwise: the user's own
// application data (Windows) or state folder (Linux); empty when there is none.
std::filesystem::path DefaultJournalFolder();

// The folder the options ask for: none for "--journal off", the one given, else
// `defaultFolder` (empty: none, as the tools keep it).
std::optional<std::filesystem::path> JournalFolderFor(const CommonOptions& options,
                                                      const std::filesystem::path& defaultFolder);

// The journal of a run as the options ask for it, in front of the trace `next`.
class JournalFile {
public:
    JournalFile(Trace& next, const std::optional<std::filesystem::path>& folder, int keepDays);
    JournalFile(const JournalFile&) = delete;
    JournalFile& operator=(const JournalFile&) = delete;

    // What the program records to: the journal, or `next` alone when there is none.
    Trace& trace() { return journal_ ? static_cast<Trace&>(*journal_) : next_; }
    // Null when the run keeps no journal.
    Journal* journal() { return journal_.get(); }

private:
    Trace& next_;
    SystemClock clock_;
    std::unique_ptr<DiskJournalFolder> folder_;
    std::unique_ptr<Journal> journal_;
};

} // namespace quillet
