#pragma once

#include <string>
#include <string_view>

namespace quillet {

// The program's text is single-byte text in the system's ANSI code page, as the host's own
// files are; the wide functions take UTF-16. Bytes the code page cannot map become '?'.
std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

} // namespace quillet
