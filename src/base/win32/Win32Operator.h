#pragma once

#include "base/Operator.h"

#include <windows.h>

namespace quillet {

// Message boxes owned by the main window and centred over it once it is shown; before that
// (start-up) in the middle of the screen. Tracing, unattended answers and the exit status
// are the desktop session's.
class Win32Operator final : public Operator {
public:
    void SetOwner(HWND owner) { owner_ = owner; }

    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override;
    void Beep() override;

private:
    HWND owner_ = nullptr;
};

} // namespace quillet
