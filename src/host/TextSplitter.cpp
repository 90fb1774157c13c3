#include "host/TextSplitter.h"

namespace quillet {

std::string Parser::Field(int n) const {
    if (n < 1) {
        return {};
    }
    int field = 1;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text_.size(); ++i) {
        if (!IsSeparator(text_[i])) {
            continue;
        }
        if (field == n) {
            return text_.substr(start, i - start);
        }
        ++field;
        start = i + 1;
    }
    return field == n ? text_.substr(start) : std::string();
}

} // namespace quillet
