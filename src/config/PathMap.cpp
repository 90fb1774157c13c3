#include "config/PathMap.h"

#include "config/NoCase.h"

#include <vector>

namespace quillet {

namespace {

bool IsDriveLetter(char c) {
    const char lower = LowerAscii(c);
    return lower >= 'a' && lower <= 'z';
}

std::string Slashes(std::string_view path) {
    std::string result(path);
    for (char& c : result) {
        c = c == '\\' ? '/' : c;
    }
    return result;
}

// The drive-relative part without ".", "..", or repeated separators; ".." stops at the root.
std::string Normalise(std::string_view rest) {
    std::vector<std::string_view> parts;
    while (!rest.empty()) {
        const std::size_t slash = rest.find('/');
        const std::string_view part = rest.substr(0, slash);
        rest = slash == std::string_view::npos ? std::string_view() : rest.substr(slash + 1);
        if (part == "..") {
            if (!parts.empty()) {
                parts.pop_back();
            }
        } else if (!part.empty() && part != ".") {
            parts.push_back(part);
        }
    }
    std::string joined;
    for (const std::string_view part : parts) {
        joined += '/';
        joined += part;
    }
    return joined;
}

std::string WithoutTrailingSlash(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    return folder;
}

} // namespace

PathMap::PathMap(std::optional<std::string> drivesRoot) : drivesRoot_(std::move(drivesRoot)) {}

bool PathMap::SetDrive(char letter, std::string nativeFolder) {
    if (!IsDriveLetter(letter)) {
        return false;
    }
    drives_[static_cast<std::size_t>(LowerAscii(letter) - 'a')] = std::move(nativeFolder);
    return true;
}

std::string PathMap::DriveFolder(char letter) const {
    const char lower = LowerAscii(letter);
    const std::optional<std::string>& mapped = drives_[static_cast<std::size_t>(lower - 'a')];
    if (mapped) {
        return WithoutTrailingSlash(Slashes(*mapped));
    }
    if (!drivesRoot_) {
        return std::string(1, letter) + ":/";
    }
    return WithoutTrailingSlash(*drivesRoot_) + "/" + std::string(1, lower);
}

std::string PathMap::ToNative(std::string_view path) const {
    const std::string slashed = Slashes(path);
    if (slashed.size() < 2 || slashed[1] != ':' || !IsDriveLetter(slashed[0])) {
        return slashed;
    }
    if (!drivesRoot_ && !drives_[static_cast<std::size_t>(LowerAscii(slashed[0]) - 'a')]) {
        return std::string(path);
    }
    const std::string folder = DriveFolder(slashed[0]);
    const std::string rest = Normalise(std::string_view(slashed).substr(2));
    const bool trailing = slashed.back() == '/' && !rest.empty();
    if (rest.empty()) {
        return folder;
    }
    return (folder == "/" ? std::string() : folder) + rest + (trailing ? "/" : "");
}

} // namespace quillet
