#pragma once

#include "base/win32/Win32CenterWindow.h"

#include <windows.h>

#include <functional>

namespace quillet {

// A modal dialog that edits a form: `init` fills the controls when it opens and returns what
// WM_INITDIALOG must (FALSE when it set the focus itself); OK calls `store` to take the
// controls back and closes; Cancel, Escape and the frame's close box close without it.
struct FormDialog {
    std::function<BOOL(HWND)> init;
    std::function<void(HWND)> store;
    // Any other control's notification, when the form follows its controls as they change.
    std::function<void(HWND, int control, int notification)> command = nullptr;
};

// True when the operator chose OK.
bool RunFormDialog(int templateId, HWND owner, const FormDialog& dialog);

} // namespace quillet
