#include "base/TemporaryFiles.h"

#include <climits>

namespace quillet {

namespace {

constexpr std::string_view kTag = ".quillet-";
constexpr std::string_view kSuffix = ".tmp";
constexpr std::size_t kMaxPidDigits = 10;

} // namespace

std::string TemporaryName(std::string_view targetName, long pid) {
    return std::string(targetName) + std::string(kTag) + std::to_string(pid) + std::string(kSuffix);
}

std::optional<long> TemporaryOwner(std::string_view name) {
    if (!name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    name.remove_suffix(kSuffix.size());
    const std::size_t tag = name.rfind(kTag);
    if (tag == std::string_view::npos || tag == 0) {
        return std::nullopt;
    }
    const std::string_view digits = name.substr(tag + kTag.size());
    if (digits.empty() || digits.size() > kMaxPidDigits || digits.front() == '0') {
        return std::nullopt;
    }
    long pid = 0;
    for (const char c : digits) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        pid = pid * 10 + (c - '0');
    }
    return pid <= INT_MAX ? std::optional<long>(pid) : std::nullopt;
}

} // namespace quillet
