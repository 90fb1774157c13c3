#pragma once

#include <array>
#include <string>
#include <string_view>

namespace quillet {

// The 36 field codes, numbered from 1; the even numbers are the mirrored fields.
class CodeTable {
public:
    static constexpr int kSize = 36;
    static constexpr int kNotInTable = 37;

    // Fills the table (start-up).
    void InitCodeTable();
    bool IsFilled() const { return filled_; }

    // The code numbered `number` (1 to 36).
    const std::string& Code(int number) const {
        return codes_[static_cast<std::size_t>(number - 1)];
    }

    // Number of the first entry equal to `code` (exact, letter case included), or 37.
    int NumberOf(std::string_view code) const;

private:
    std::array<std::string, kSize> codes_;
    bool filled_ = false;
};

} // namespace quillet
