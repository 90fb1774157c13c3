#pragma once

#include <string>

namespace quillet {

// Makes a new, empty folder inside `parent` named `prefix` and a few random characters, so
// that no other run picks the same one. Empty when none could be made.
std::string MakeFreshFolder(const std::string& parent, const std::string& prefix);

} // namespace quillet
