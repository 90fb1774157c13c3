#pragma once

#include <windows.h>

namespace quillet {

// frmAbout: the program's name, version and maker; modal, centred on the screen.
void ShowWin32AboutDialog(HWND owner);

} // namespace quillet
