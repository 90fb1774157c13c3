#pragma once

#include <string>

namespace quillet {

// The folder of the running executable (the program's own folder by default).
std::string ExecutableDir(const char* argv0);

} // namespace quillet
