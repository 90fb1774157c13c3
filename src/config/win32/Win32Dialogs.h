#pragma once

#include <windows.h>

namespace quillet {

// CenterForm: the middle of the work area of the window's monitor.
void CenterOnScreen(HWND window);

} // namespace quillet
