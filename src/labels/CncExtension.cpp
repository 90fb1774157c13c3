#include "labels/CncExtension.h"

#include "base/Text.h"

namespace quillet {

bool EndsWithCnc(std::string_view name) {
    return name.size() >= kCncExtension.size() &&
           UpperCase(name.substr(name.size() - kCncExtension.size())) == kCncExtension;
}

} // namespace quillet
