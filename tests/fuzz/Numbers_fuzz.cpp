// The leading-number rule on arbitrary text, and numbers written back as text: a written
// number has no blanks, at most seven significant digits and reads back as itself.

#include "base/Numbers.h"
#include "fuzz/FuzzCheck.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

std::size_t SignificantDigits(const std::string& text) {
    const std::size_t first = text.find_first_of("123456789");
    if (first == std::string::npos) {
        return 0;
    }
    std::string digits;
    for (std::size_t i = first; i < text.size(); ++i) {
        if (text[i] >= '0' && text[i] <= '9') {
            digits += text[i];
        }
    }
    // Zeros before the point of a whole number are not significant.
    if (text.find('.') == std::string::npos) {
        while (!digits.empty() && digits.back() == '0') {
            digits.pop_back();
        }
    }
    return digits.size();
}

void CheckWritten(double value) {
    const std::string text = quillet::FormatNumber(value);
    FUZZ_CHECK(!text.empty());
    FUZZ_CHECK(text.find_first_not_of("-.0123456789") == std::string::npos);
    FUZZ_CHECK(SignificantDigits(text) <= 7);
    FUZZ_CHECK(text != "-0" && !text.ends_with('.'));
    const double back = quillet::LeadingNumber(text);
    FUZZ_CHECK(quillet::FormatNumber(back) == text);
    if (std::isfinite(value) && value != 0) {
        FUZZ_CHECK(std::fabs(back - value) <= std::fabs(value) * 1e-6 || text == "0");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const double number = quillet::LeadingNumber(text);
    FUZZ_CHECK(!std::isnan(number));
    FUZZ_CHECK(quillet::LeadingNumber(" \t" + text) == number);
    FUZZ_CHECK(quillet::LeadingInt16(text) == quillet::RoundToInt16(number));
    const float single = quillet::LeadingSingle(text);
    FUZZ_CHECK(std::isfinite(single));
    CheckWritten(number);
    CheckWritten(single);
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        CheckWritten(raw);
        quillet::RoundToInt16(raw);
    }
    return 0;
}
