#include "app/DesktopLaunch.h"

#include "app/TestLabelsLocation.h"

namespace quillet {

std::string DesktopLaunch::Parse(const std::vector<std::string>& args) {
    common_ = ParseCommonOptions(args);
    if (!common_.error.empty()) {
        return common_.error;
    }
    desktop_ = ParseDesktopOptions(common_.rest);
    return desktop_.error;
}

std::string DesktopLaunch::Open(const std::string& executableDir) {
    locations_ = ResolveLocations(common_, executableDir);
    testLabels_ = TestLabelsPage(executableDir);
    if (std::string error = traceFile_.Open(common_.traceFile); !error.empty()) {
        return error;
    }
    journal_.emplace(traceFile_.trace(), JournalFolderFor(common_, DefaultJournalFolder()),
                     common_.journalDays);
    return {};
}

DesktopProgramSetup DesktopLaunch::Setup() {
    return {locations_,
            MakePathMap(common_, locations_),
            common_.host,
            common_.hostKind,
            desktop_.devices,
            desktop_.unattended,
            journal_ ? journal_->journal() : nullptr,
            desktop_.quitAfterSeconds,
            testLabels_};
}

} // namespace quillet
