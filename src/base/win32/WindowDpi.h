#pragma once

#include <windows.h>

namespace quillet {

// The scale a window is drawn at, in dots per inch: its monitor's where the system tells
// (Windows 10 1607 on), else the system's.
UINT DpiOf(HWND window);

// AdjustWindowRectEx at that scale where the system offers it.
void AdjustFrameForDpi(RECT& frame, DWORD style, bool menu, DWORD exStyle, UINT dpi);

// A length made at one scale, at another.
inline int Rescaled(int length, UINT to, UINT from) {
    return from == 0 ? length : ::MulDiv(length, static_cast<int>(to), static_cast<int>(from));
}

inline RECT Rescaled(const RECT& place, UINT to, UINT from) {
    return {Rescaled(place.left, to, from), Rescaled(place.top, to, from),
            Rescaled(place.right, to, from), Rescaled(place.bottom, to, from)};
}

} // namespace quillet
