#include "app/win32/Win32ScannerTestDialog.h"

#include "app/ScannerTestText.h"
#include "app/win32/Win32AppResources.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace quillet {
namespace {

std::function<void(HWND)> script;

// Runs the script once the dialog's own message loop is running.
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    const HWND dialog = ::FindWindowA(nullptr, scanner_test_text::kTitle);
    ASSERT_NE(dialog, nullptr);
    script(dialog);
}

std::string Text(HWND dialog, int id) {
    char text[512] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

bool Enabled(HWND dialog, int id) {
    return ::IsWindowEnabled(::GetDlgItem(dialog, id)) != FALSE;
}

void Click(HWND dialog, int id) {
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

std::optional<ScannerSetup> Ask(ScannerTest& test, std::function<void(HWND)> steps) {
    script = std::move(steps);
    ::SetTimer(nullptr, 0, 50, RunScript);
    return AskWin32ScannerTest(test, nullptr);
}

// Scans arriving while it is open are drawn from the model; "Use these settings" is there
// only after a reference label and hands back what it found; Close hands back nothing.
TEST(Win32ScannerTestDialog, DrawsTheScansAndHandsBackWhatWasFound) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no display for the dialog";
    }
    int printed = 0;
    ScannerTest test({}, [&] {
        ++printed;
        return std::string("The test labels could not be opened: C:\\x.svg");
    });
    const auto chosen = Ask(test, [&](HWND dialog) {
        EXPECT_FALSE(Enabled(dialog, IDC_ST_USE));
        EXPECT_EQ(Text(dialog, IDC_ST_FINDINGS), "Waiting for a scan.");
        test.Scanned("]C0Qc4L-7x\r");
        const HWND scans = ::GetDlgItem(dialog, IDC_ST_SCANS);
        ASSERT_EQ(::SendMessageA(scans, LB_GETCOUNT, 0, 0), 1);
        char item[64] = {};
        ::SendMessageA(scans, LB_GETTEXT, 0, reinterpret_cast<LPARAM>(item));
        EXPECT_STREQ(item, "]C0Qc4L-7x\\r");
        EXPECT_EQ(Text(dialog, IDC_ST_FINDINGS),
                  "The Code 128 test label.\r\nPrefix: none\r\nSymbology identifier: ]C0 "
                  "(Code 128)\r\nSuffix: \\r");
        Click(dialog, IDC_ST_PRINT);
        EXPECT_EQ(printed, 1);
        EXPECT_EQ(Text(dialog, IDC_ST_FINDINGS), "The test labels could not be opened: C:\\x.svg");
        EXPECT_TRUE(Enabled(dialog, IDC_ST_USE));
        Click(dialog, IDC_ST_USE);
    });
    ASSERT_TRUE(chosen.has_value());
    EXPECT_EQ(*chosen, (ScannerSetup{"", "\r", true}));
    EXPECT_FALSE(Ask(test, [](HWND dialog) { Click(dialog, IDCANCEL); }).has_value());
}

} // namespace
} // namespace quillet
