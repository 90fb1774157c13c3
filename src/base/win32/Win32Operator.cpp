#include "base/win32/Win32Operator.h"

#include "base/win32/Win32CenterWindow.h"

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
