#pragma once

#include "app/ScannerTest.h"

#include <windows.h>

#include <optional>

namespace quillet {

// The Scanner Test dialog: draws the test's scans and findings as they come and hands back
// the set-up on "Use these settings".
std::optional<ScannerSetup> AskWin32ScannerTest(ScannerTest& test, HWND owner);

} // namespace quillet
