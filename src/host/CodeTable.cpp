#include "host/CodeTable.h"

namespace quillet {

void CodeTable::InitCodeTable() {
    static constexpr std::array<std::string_view, 6> kLetters = {"N", "M", "S", "A", "T", "R"};
    static constexpr std::array<std::string_view, 6> kSuffixes = {"", "1", "/", "1/", "/0", "/1"};
    std::size_t i = 0;
    for (const auto suffix : kSuffixes) {
        for (const auto letter : kLetters) {
            codes_[i++] = std::string(letter) + std::string(suffix);
        }
    }
    filled_ = true;
}

int CodeTable::NumberOf(std::string_view code) const {
    for (std::size_t i = 0; i < codes_.size(); ++i) {
        if (filled_ && codes_[i] == code) {
            return static_cast<int>(i) + 1;
        }
    }
    return kNotInTable;
}

} // namespace quillet
