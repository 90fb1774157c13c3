#include "labels/FieldCodeCheck.h"

namespace quillet {

bool IsFieldCode(const CodeTable& table, std::string_view code) {
    // An unfilled table holds empty entries, which must not make "" a field code.
    if (code.empty() || !table.IsFilled()) {
        return false;
    }
    for (int number = 1; number <= CodeTable::kSize; ++number) {
        if (table.Code(number) == code) {
            return true;
        }
    }
    return false;
}

} // namespace quillet
