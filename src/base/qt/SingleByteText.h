#pragma once

#include <QString>

#include <string>

namespace quillet {

// The core's single-byte text (the Windows-1252 code page) shown in and read from widgets.
QString ToQString(const std::string& bytes);
// Characters outside the code page become "?".
std::string FromQString(const QString& text);

} // namespace quillet
