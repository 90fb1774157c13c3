#include "app/win32/Win32LabelsWindow.h"

#include "app/LabelsWindowText.h"
#include "app/MainWindowText.h"
#include "app/win32/Win32MainWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace quillet {
namespace {

// The id of the main window's menu entry with this caption.
UINT MenuEntry(HMENU bar, const char* caption) {
    for (int m = 0; m < ::GetMenuItemCount(bar); ++m) {
        const HMENU menu = ::GetSubMenu(bar, m);
        for (int i = 0; menu != nullptr && i < ::GetMenuItemCount(menu); ++i) {
            char text[128] = {};
            ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
            if (std::string(text) == caption) {
                return ::GetMenuItemID(menu, i);
            }
        }
    }
    return 0;
}

void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

std::string CellText(HWND list, int item, int column) {
    char text[256] = {};
    LVITEMA cell{};
    cell.iSubItem = column;
    cell.pszText = text;
    cell.cchTextMax = sizeof text;
    ::SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(&cell));
    return text;
}

std::vector<int> Selected(HWND list) {
    std::vector<int> items;
    for (int i = ListView_GetNextItem(list, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list, i, LVNI_SELECTED)) {
        items.push_back(i);
    }
    return items;
}

std::string Clipboard() {
    std::string text;
    if (::OpenClipboard(nullptr)) {
        if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
            text = static_cast<const char*>(::GlobalLock(data));
            ::GlobalUnlock(data);
        }
        ::CloseClipboard();
    }
    return text;
}

// The View menu's entry opens the window beside the main window; the rows come from the
// model and follow it live, the selected label staying selected as new ones arrive on
// top; Copy gives the selected rows as text; the try box and the check box report.
TEST(Win32LabelsWindow, OpensFromTheMenuDrawsTheRowsAndCopiesTheSelected) {
    if (std::getenv("DISPLAY") == nullptr) {
        GTEST_SKIP() << "no display for the window";
    }
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const HINSTANCE instance = ::GetModuleHandleA(nullptr);
    TodaysLabels labels;
    labels.Read("10:00:00.000 typed %STOP%\n10:00:00.001 label command: %STOP%\n"
                "10:00:00.002 host Stop\n");
    std::vector<std::string> tried;
    std::vector<bool> scansTried;
    Win32LabelsWindow window(
        instance, labels, [&](const std::string& text) { tried.push_back(text); },
        [&](bool on) { scansTried.push_back(on); });
    MainWindowCommands commands;
    Win32MainWindow* mainWindow = nullptr;
    commands.command = [&](Command command) {
        if (command == Command::TodaysLabels) {
            window.Show(mainWindow->Handle());
        }
    };
    Win32MainWindow main(instance, std::move(commands));
    mainWindow = &main;

    const UINT entry = MenuEntry(::GetMenu(main.Handle()), main_window::kTodaysLabels);
    ASSERT_NE(entry, 0u);
    ::SendMessageA(main.Handle(), WM_COMMAND, MAKEWPARAM(entry, 0), 0);
    Pump();
    ASSERT_EQ(::FindWindowA(nullptr, labels_window::kTitle), window.Handle());
    EXPECT_TRUE(::IsWindowVisible(window.Handle()));
    const HWND list = ::GetDlgItem(window.Handle(), Win32LabelsWindow::kList);
    ASSERT_EQ(ListView_GetItemCount(list), 1);
    EXPECT_EQ(CellText(list, 0, 1), "%STOP%");
    EXPECT_EQ(CellText(list, 0, 3), "Stop");
    ListView_SetItemState(list, 0, LVIS_SELECTED, LVIS_SELECTED);

    labels.Line("10:00:01.000 typed %START%");
    labels.Line("10:00:01.001 label command: %START%");
    labels.Line("10:00:01.002 host Start");
    labels.Flushed();
    Pump();
    ASSERT_EQ(ListView_GetItemCount(list), 2);
    EXPECT_EQ(CellText(list, 0, 1), "%START%");
    EXPECT_EQ(Selected(list), std::vector<int>{1});

    ::SendMessageA(window.Handle(), WM_COMMAND, Win32LabelsWindow::kCopyCommand, 0);
    EXPECT_EQ(Clipboard(), "10:00:00.001\t%STOP%\tcommand\tStop\tdone\t\r\n");

    ::SetDlgItemTextA(window.Handle(), Win32LabelsWindow::kTryText, "%12P1 S1$");
    ::SendMessageA(::GetDlgItem(window.Handle(), Win32LabelsWindow::kTryId), BM_CLICK, 0, 0);
    ::SendMessageA(::GetDlgItem(window.Handle(), Win32LabelsWindow::kScansBox), BM_CLICK, 0, 0);
    EXPECT_EQ(tried, std::vector<std::string>{"%12P1 S1$"});
    EXPECT_EQ(scansTried, std::vector<bool>{true});
}

} // namespace
} // namespace quillet
