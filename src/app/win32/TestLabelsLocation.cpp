#include "app/TestLabelsLocation.h"

namespace quillet {

std::string TestLabelsPage(const std::string& executableDir) {
    return executableDir + "\\Test Labels\\quillet-test-labels.svg";
}

} // namespace quillet
