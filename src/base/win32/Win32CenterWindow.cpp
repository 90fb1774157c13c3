#include "base/win32/Win32CenterWindow.h"

#include <algorithm>

namespace quillet {

void CenterWindow(HWND window, HWND over) {
    RECT box{};
    ::GetWindowRect(window, &box);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoA(
        ::MonitorFromWindow(over != nullptr ? over : window, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT area = monitor.rcWork;
    if (over != nullptr) {
        ::GetWindowRect(over, &area);
    }
    const LONG width = box.right - box.left;
    const LONG height = box.bottom - box.top;
    LONG x = area.left + (area.right - area.left - width) / 2;
    LONG y = area.top + (area.bottom - area.top - height) / 2;
    const RECT& work = monitor.rcWork;
    x = std::max(work.left, std::min(x, work.right - width));
    y = std::max(work.top, std::min(y, work.bottom - height));
    ::SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace quillet
