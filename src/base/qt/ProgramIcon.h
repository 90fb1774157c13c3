#pragma once

#include <QIcon>

namespace quillet {

// The program's icon: a small barcode label, drawn rather than shipped as a file.
QIcon ProgramIcon();

} // namespace quillet
