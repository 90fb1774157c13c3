#pragma once

#include "base/EventPump.h"

#include <windows.h>

namespace quillet {

// The message loop, for the main loop and for every wait inside a label: the window keeps
// drawing, ticking and taking clicks while a pause or the host connection runs. Messages
// for the main window go through IsDialogMessage, so Tab, Enter and mnemonics work there.
class Win32EventPump final : public EventPump {
public:
    void SetDialog(HWND dialog) { dialog_ = dialog; }

    void ProcessEvents() override;
    // Waits for messages, not in a busy loop, until the time is up.
    void Sleep(int milliseconds) override;

    // Runs until WM_QUIT, wherever that arrived; its exit code.
    int Run();
    bool QuitSeen() const { return quitSeen_; }

private:
    void Dispatch(MSG& message);

    HWND dialog_ = nullptr;
    bool quitSeen_ = false;
    int quitCode_ = 0;
};

} // namespace quillet
