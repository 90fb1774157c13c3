#pragma once

#include <string_view>

#include "host/CodeTable.h"

namespace quillet {

// Whether `code` is one of the 36 machine-field codes, compared exactly (letter case
// included). Nothing is a field code while the table is not filled.
bool IsFieldCode(const CodeTable& table, std::string_view code);

} // namespace quillet
