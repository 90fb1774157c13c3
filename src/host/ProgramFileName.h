#pragma once

#include <string>
#include <string_view>

namespace quillet {

// Why `name` cannot be the name of a program file inside the program folder, as a short
// phrase for the status line; empty when it can. The name comes from a printed label, so
// anything that would reach outside the folder (absolute paths, drive letters, ".." steps,
// a leading separator), a device, or bytes no file name holds is refused. Subfolders of
// the program folder are allowed.
std::string ProgramFileNameFault(std::string_view name);

// The name as the status line can show it: control bytes become "?".
std::string PrintableName(std::string_view name);

} // namespace quillet
