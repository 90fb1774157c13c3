#include "host/ProgramFileName.h"

#include "base/InsideFolder.h"
#include "base/Text.h"

#include <algorithm>
#include <array>

namespace quillet {

namespace {

constexpr std::string_view kSeparators = "\\/";
constexpr std::string_view kNotInFileNames = "<>:\"|?*";

bool IsControl(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte < 0x20 || byte == 0x7F;
}

// CON, PRN, AUX, NUL, COM1-9 and LPT1-9 name devices whatever extension follows.
bool IsDeviceName(std::string_view component) {
    const std::string base = UpperCase(TrimBlanks(component.substr(0, component.find('.'))));
    static constexpr std::array<std::string_view, 4> kPlain = {"CON", "PRN", "AUX", "NUL"};
    if (std::find(kPlain.begin(), kPlain.end(), base) != kPlain.end()) {
        return true;
    }
    return base.size() == 4 && (base.starts_with("COM") || base.starts_with("LPT")) &&
           base[3] >= '1' && base[3] <= '9';
}

bool IsSeparator(char c) {
    return kSeparators.find(c) != std::string_view::npos;
}

// The fault of one path component between separators.
std::string ComponentFault(std::string_view component) {
    if (IsDeviceName(component)) {
        return "names a device";
    }
    return {};
}

} // namespace

std::string ProgramFileNameFault(std::string_view name) {
    const std::string trimmed = TrimBlanks(name);
    if (trimmed.empty()) {
        return "is empty";
    }
    if (std::any_of(trimmed.begin(), trimmed.end(), IsControl)) {
        return "holds control characters";
    }
    if (!StaysInFolder(trimmed)) {
        return "leaves the program folder";
    }
    if (trimmed.find_first_of(kNotInFileNames) != std::string::npos) {
        return "holds characters no file name may hold";
    }
    if (IsSeparator(trimmed.back())) {
        return "names a folder";
    }
    std::size_t start = 0;
    while (start <= trimmed.size()) {
        const std::size_t end = trimmed.find_first_of(kSeparators, start);
        const std::size_t stop = end == std::string::npos ? trimmed.size() : end;
        if (std::string fault =
                ComponentFault(std::string_view(trimmed).substr(start, stop - start));
            !fault.empty()) {
            return fault;
        }
        start = stop + 1;
    }
    return {};
}

std::string PrintableName(std::string_view name) {
    std::string out(name);
    std::replace_if(out.begin(), out.end(), IsControl, '?');
    return out;
}

} // namespace quillet
