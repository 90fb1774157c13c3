#include "app/win32/Win32Operator.h"

#include <algorithm>

namespace quillet {

namespace {

UINT BoxIcon(MessageIcon icon) {
    switch (icon) {
    case MessageIcon::Critical:
        return MB_ICONHAND;
    case MessageIcon::Exclamation:
        return MB_ICONEXCLAMATION;
    case MessageIcon::Question:
        return MB_ICONQUESTION;
    case MessageIcon::Information:
        return MB_ICONASTERISK;
    case MessageIcon::None:
        break;
    }
    return 0;
}

UINT BoxButtons(MessageButtons buttons) {
    switch (buttons) {
    case MessageButtons::OkCancel:
        return MB_OKCANCEL;
    case MessageButtons::RetryCancel:
        return MB_RETRYCANCEL;
    case MessageButtons::Ok:
        break;
    }
    return MB_OK;
}

// The box is placed by the system before the hook sees it activate: moved there, once.
thread_local HHOOK centringHook = nullptr;
thread_local HWND centreOver = nullptr;

LRESULT CALLBACK CentreOnActivate(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE) {
        CenterWindow(reinterpret_cast<HWND>(wParam), centreOver);
        ::UnhookWindowsHookEx(centringHook);
        centringHook = nullptr;
        return 0;
    }
    return ::CallNextHookEx(centringHook, code, wParam, lParam);
}

} // namespace

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

MessageAnswer Win32Operator::Message(MessageIcon icon, MessageButtons buttons,
                                     const std::string& title, const std::string& text) {
    const HWND owner = owner_ != nullptr && ::IsWindowVisible(owner_) ? owner_ : nullptr;
    centreOver = owner;
    centringHook = ::SetWindowsHookExA(WH_CBT, CentreOnActivate, nullptr, ::GetCurrentThreadId());
    const UINT style = BoxIcon(icon) | BoxButtons(buttons) | (owner == nullptr ? MB_TASKMODAL : 0);
    const int answer = ::MessageBoxA(owner, text.c_str(), ShownTitle(title).c_str(), style);
    if (centringHook != nullptr) {
        ::UnhookWindowsHookEx(centringHook);
        centringHook = nullptr;
    }
    switch (answer) {
    case IDRETRY:
        return MessageAnswer::Retry;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    default:
        break;
    }
    return MessageAnswer::Ok;
}

void Win32Operator::Beep() {
    ::MessageBeep(MB_OK);
}

} // namespace quillet
