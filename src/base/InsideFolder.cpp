#include "base/InsideFolder.h"

#include "base/Text.h"

#include <algorithm>
#include <string>

namespace quillet {

namespace {

constexpr std::string_view kSeparators = "\\/";

} // namespace

bool IsParentStep(std::string_view component) {
    return component.find_first_not_of(". ") == std::string_view::npos &&
           std::count(component.begin(), component.end(), '.') >= 2;
}

bool StaysInFolder(std::string_view name) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.find(':') != std::string::npos ||
        (!trimmed.empty() && kSeparators.find(trimmed.front()) != std::string_view::npos)) {
        return false;
    }
    const std::string_view rest(trimmed);
    std::size_t start = 0;
    while (start <= rest.size()) {
        const std::size_t end = rest.find_first_of(kSeparators, start);
        const std::size_t stop = end == std::string_view::npos ? rest.size() : end;
        if (IsParentStep(rest.substr(start, stop - start))) {
            return false;
        }
        start = stop + 1;
    }
    return true;
}

} // namespace quillet
