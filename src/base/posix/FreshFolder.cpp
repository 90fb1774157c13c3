#include "base/FreshFolder.h"

#include <cstdlib>

namespace quillet {

std::string MakeFreshFolder(const std::string& parent, const std::string& prefix) {
    std::string pattern = parent + "/" + prefix + "XXXXXX";
    if (::mkdtemp(pattern.data()) == nullptr) {
        return {};
    }
    return pattern;
}

} // namespace quillet
