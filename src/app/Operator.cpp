#include "app/Operator.h"

namespace quillet {

std::string UnexpectedErrorText(long number, const std::string& text) {
    const std::string digits = std::to_string(number);
    return "Unexpected error #" + (number < 0 ? digits : " " + digits) + " occured: " + text;
}

} // namespace quillet
