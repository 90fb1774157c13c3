#include "app/TestLabelsLocation.h"

#include <filesystem>

namespace quillet {

std::string TestLabelsPage(const std::string& executableDir) {
    const std::filesystem::path dir(executableDir);
    const std::filesystem::path installed =
        dir.parent_path() / "share/quillet/test-labels/quillet-test-labels.svg";
    std::error_code error;
    if (std::filesystem::exists(installed, error)) {
        return installed.string();
    }
    return (dir.parent_path() / "test-labels/quillet-test-labels.svg").string();
}

} // namespace quillet
