#pragma once

#include "base/Operator.h"

#include <windows.h>

#include <optional>

namespace quillet {

// Message boxes owned by the main window and centred over it once it is shown; before that
// (start-up) in the middle of the screen. Unattended, boxes are traced and answered as the
// replay tool answers them.
class Win32Operator final : public Operator {
public:
    Win32Operator(Trace* trace, bool unattended) : trace_(trace), unattended_(unattended) {}

    void SetOwner(HWND owner) { owner_ = owner; }
    // From now on no box is shown (the session is ending): each is answered as unattended.
    void Silence() { unattended_ = true; }

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override;
    void Beep() override;
    void RequestExit(int status) override;
    std::optional<int> ExitStatus() const { return exitStatus_; }

private:
    HWND owner_ = nullptr;
    Trace* trace_;
    bool unattended_;
    std::optional<int> exitStatus_;
};

// Centres `window` over `over`, or over the work area of its monitor when `over` is null,
// keeping it on that monitor.
void CenterWindow(HWND window, HWND over);

} // namespace quillet
