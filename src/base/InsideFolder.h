#pragma once

#include <string_view>

namespace quillet {

// Whether a name taken from a label, joined to a folder, names something inside that
// folder: no drive (":"), no leading separator and no step up. Subfolders are inside.
// Blanks at either end of the name are ignored; "\" and "/" both separate.
bool StaysInFolder(std::string_view name);

// Windows drops trailing dots and blanks from a path component, so "... " steps up as ".."
// does: a component of only dots and blanks with two dots or more is a step up.
bool IsParentStep(std::string_view component);

} // namespace quillet
