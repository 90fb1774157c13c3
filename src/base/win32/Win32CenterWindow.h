#pragma once

#include <windows.h>

namespace quillet {

// Centres `window` over `over`, or over the work area of its monitor when `over` is null,
// keeping it on that monitor: a window larger than the work area starts at its top left.
void CenterWindow(HWND window, HWND over = nullptr);

} // namespace quillet
