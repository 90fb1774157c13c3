#include "app/JournalFile.h"

#include "base/FsPath.h"

namespace quillet {

std::optional<std::filesystem::path> JournalFolderFor(const CommonOptions& options,
                                                      const std::filesystem::path& defaultFolder) {
    if (options.journal) {
        if (*options.journal == "off") {
            return std::nullopt;
        }
        return FsPath(*options.journal);
    }
    if (defaultFolder.empty()) {
        return std::nullopt;
    }
    return defaultFolder;
}

JournalFile::JournalFile(Trace& next, const std::optional<std::filesystem::path>& folder,
                         int keepDays)
    : next_(next) {
    if (!folder) {
        return;
    }
    folder_ = std::make_unique<DiskJournalFolder>(*folder);
    JournalLimits limits;
    limits.keepDays = keepDays;
    journal_ = std::make_unique<Journal>(next, *folder_, clock_, limits);
}

} // namespace quillet
