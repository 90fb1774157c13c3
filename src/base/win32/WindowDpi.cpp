#include "base/win32/WindowDpi.h"

namespace quillet {

namespace {

// Looked up at run time: older systems lack these calls.
template <typename Function> Function User32(const char* name) {
    const HMODULE user32 = ::GetModuleHandleA("user32.dll");
    const FARPROC found = user32 != nullptr ? ::GetProcAddress(user32, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void*>(found));
}

} // namespace

UINT DpiOf(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32<GetDpiForWindowFn>("GetDpiForWindow");
    if (getDpiForWindow != nullptr && window != nullptr) {
        if (const UINT dpi = getDpiForWindow(window); dpi != 0) {
            return dpi;
        }
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

void AdjustFrameForDpi(RECT& frame, DWORD style, bool menu, DWORD exStyle, UINT dpi) {
    using AdjustFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    static const auto adjustForDpi = User32<AdjustFn>("AdjustWindowRectExForDpi");
    if (adjustForDpi == nullptr || adjustForDpi(&frame, style, menu, exStyle, dpi) == 0) {
        ::AdjustWindowRectEx(&frame, style, menu, exStyle);
    }
}

} // namespace quillet
