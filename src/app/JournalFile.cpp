#include "app/JournalFile.h"

#include <cstdlib>

namespace quillet {

std::string DefaultJournalFolder() {
    return DefaultJournalFolder([](const char* name) {
        const char* value = std::getenv(name);
        return value == nullptr ? std::nullopt : std::optional<std::string>(value);
    });
}

std::optional<std::string> JournalFolderFor(const CommonOptions& options,
                                            const std::string& defaultFolder) {
    if (options.journal) {
        return *options.journal == "off" ? std::nullopt : options.journal;
    }
    if (defaultFolder.empty()) {
        return std::nullopt;
    }
    return defaultFolder;
}

JournalFile::JournalFile(Trace& next, const std::optional<std::string>& folder, int keepDays)
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
