#include "base/win32/Win32EventPump.h"

namespace quillet {

void Win32EventPump::Dispatch(MSG& message) {
    if (message.message == WM_QUIT) {
        quitSeen_ = true;
        quitCode_ = static_cast<int>(message.wParam);
        return;
    }
    if (dialog_ != nullptr && ::IsDialogMessageA(dialog_, &message)) {
        return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

// A WM_QUIT taken here is kept for Run(): the nested wait ends, the main loop follows.
void Win32EventPump::ProcessEvents() {
    MSG message;
    while (!quitSeen_ && ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        Dispatch(message);
    }
}

void Win32EventPump::Sleep(int milliseconds) {
    const ULONGLONG deadline =
        ::GetTickCount64() + static_cast<ULONGLONG>(milliseconds > 0 ? milliseconds : 0);
    ProcessEvents();
    while (!quitSeen_) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= deadline) {
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(deadline - now),
                                    QS_ALLINPUT);
        ProcessEvents();
    }
}

int Win32EventPump::Run() {
    MSG message;
    while (!quitSeen_) {
        const BOOL got = ::GetMessageA(&message, nullptr, 0, 0);
        if (got == -1) {
            break;
        }
        if (got == 0) {
            quitSeen_ = true;
            quitCode_ = static_cast<int>(message.wParam);
            break;
        }
        Dispatch(message);
    }
    return quitCode_;
}

} // namespace quillet
