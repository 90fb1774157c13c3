#include "config/win32/Win32Dialogs.h"

namespace quillet {

void CenterOnScreen(HWND window) {
    RECT box{};
    ::GetWindowRect(window, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& work = monitor.rcWork;
    const LONG x = work.left + (work.right - work.left - (box.right - box.left)) / 2;
    const LONG y = work.top + (work.bottom - work.top - (box.bottom - box.top)) / 2;
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quillet
