#include "config/ReadIniString.h"

namespace quillet {

namespace {
constexpr std::string_view kMissing = "END.-";
constexpr std::size_t kBufferSize = 80;
} // namespace

std::string ReadIniString(const IniProfile& ini, std::string_view section, std::string_view key) {
    std::string value = ini.ReadString(section, key, kMissing, kBufferSize);
    // A value holding a NUL ends at it, as the buffer's terminator would end it.
    value.resize(value.find('\0') == std::string::npos ? value.size() : value.find('\0'));
    if (value == kMissing) {
        return {};
    }
    return value;
}

} // namespace quillet
