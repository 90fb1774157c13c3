#pragma once

#include <string>

namespace quillet {

// The printable page of the scanner test's labels as the packages install it beside the
// program in `executableDir` (a build's own page where no installed one is found).
std::string TestLabelsPage(const std::string& executableDir);

} // namespace quillet
