#pragma once

#include "base/Text.h"

#include <cstddef>
#include <optional>
#include <string_view>

namespace quillet {

// Walks the lines of a text; a line ends at CR LF, LF or a lone CR.
class LineReader {
public:
    explicit LineReader(std::string_view data) : data_(data) {}

    std::optional<std::string_view> Next() {
        if (pos_ >= data_.size()) {
            return std::nullopt;
        }
        const std::size_t end = data_.find_first_of("\r\n", pos_);
        if (end == std::string_view::npos) {
            const std::string_view line = data_.substr(pos_);
            pos_ = data_.size();
            return line;
        }
        const std::string_view line = data_.substr(pos_, end - pos_);
        pos_ = end + 1;
        if (data_[end] == '\r' && pos_ < data_.size() && data_[pos_] == '\n') {
            ++pos_;
        }
        return line;
    }

    std::optional<std::string_view> NextNonBlank() {
        for (auto line = Next(); line; line = Next()) {
            if (!TrimBlanks(*line).empty()) {
                return line;
            }
        }
        return std::nullopt;
    }

    std::string_view Rest() const { return data_.substr(pos_); }

private:
    std::string_view data_;
    std::size_t pos_ = 0;
};

} // namespace quillet
