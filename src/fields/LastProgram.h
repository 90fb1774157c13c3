#pragma once

#include <string>

namespace quillet {

// Trimmed name and comment of the last program sent; the machine-field dialog shows them
// so the operator can line a trigger up with real text.
struct LastProgram {
    std::string ProgramName;
    std::string Comment;
};

} // namespace quillet
