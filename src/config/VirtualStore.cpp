#include "config/VirtualStore.h"

#include "base/FsPath.h"

#include <algorithm>
#include <cctype>
#include <string_view>

namespace quillet {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

std::optional<std::filesystem::path> VirtualStoreCopy(const std::filesystem::path& store,
                                                      const std::string& nativePath) {
    std::string_view rest = nativePath;
    if (rest.size() >= 2 && rest[1] == ':' &&
        std::isalpha(static_cast<unsigned char>(rest[0])) != 0) {
        rest.remove_prefix(2);
    }
    const bool share = rest.size() >= 2 && IsSeparator(rest[0]) && IsSeparator(rest[1]);
    if (store.empty() || rest.empty() || !IsSeparator(rest[0]) || share) {
        return std::nullopt;
    }
    std::filesystem::path copy = store;
    while (!rest.empty()) {
        const std::size_t end = std::min(rest.size(), rest.find_first_of("\\/"));
        if (end > 0) {
            copy /= FsPath(std::string(rest.substr(0, end)));
        }
        rest.remove_prefix(end == rest.size() ? end : end + 1);
    }
    return copy;
}

std::string VirtualStoreText(const std::string& settingsFile, const std::string& copy) {
    return "A VirtualStore copy of the settings exists, which a host without administrator "
           "rights reads instead: " +
           copy + " (Quillet reads " + settingsFile + ")";
}

} // namespace quillet
