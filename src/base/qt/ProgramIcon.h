#pragma once

#include <QIcon>

namespace quillet {

// The program's icon, from the same pictures the packages install and the Windows program
// carries, built into the program.
QIcon ProgramIcon();

} // namespace quillet
