#pragma once

#include "app/DesktopShell.h"
#include "app/MainMenu.h"
#include "app/ManualEntry.h"
#include "base/WindowState.h"

#include <windows.h>

#include <functional>
#include <string>

namespace quillet {

// What the operator does in the main window, handed on to the program.
struct MainWindowCommands {
    std::function<void(bool)> autoClear;
    std::function<void(bool)> overwrite;
    std::function<void(bool)> autoStart;
    std::function<void()> edit;
    std::function<void(const std::string&)> ok;
    std::function<void(Command)> command; // the menu's entries
    std::function<void()> close;
    std::function<void(SessionTimer)> timer;
    // The user's session ends (log-off, shut-down): release everything, show nothing.
    std::function<void()> endSession;
    // A serial port appeared (a USB scanner plugged in).
    std::function<void()> deviceArrived;
};

// frmMain as a Win32 dialog: draws the core's WindowState and manual-entry view and reports
// what the operator does. It decides nothing itself. Created hidden.
class Win32MainWindow final : public WindowStateObserver {
public:
    Win32MainWindow(HINSTANCE instance, MainWindowCommands commands);
    ~Win32MainWindow() override;
    Win32MainWindow(const Win32MainWindow&) = delete;
    Win32MainWindow& operator=(const Win32MainWindow&) = delete;

    HWND Handle() const { return window_; }

    // Draws `state` from now on; the state must outlive the window or be detached first.
    void Attach(WindowState& state);
    void Detach();
    void ShowManualEntry(const ManualEntryView& view);

    // The session's timers run on the window; Timer1 is the poll.
    void StartTimer(SessionTimer timer, int milliseconds);
    void StopTimer(SessionTimer timer);

    void StatusChanged(const std::string& text) override;
    void Changed() override;

private:
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void SetCaptions();
    void BuildMenu();
    void MakeFonts();
    void ChangeScale(UINT dpi);
    INT_PTR Colour(HDC dc, HWND control);
    void Command(int id, int code);
    void Refresh();
    void PlaceAutoStart(bool editorOptionHidden);
    void SetText(int id, const std::string& text);
    void MakeStatusTip();
    void WatchPortArrivals();
    void SetStatusTip(const std::string& text);
    void Show(int id, bool visible);
    void Check(int id, bool on);

    MainWindowCommands commands_;
    HWND window_ = nullptr;
    WindowState* state_ = nullptr;
    HFONT receiveFont_ = nullptr;
    HWND statusTip_ = nullptr;
    HDEVNOTIFY portArrivals_ = nullptr;
    HBRUSH indicatorBrush_ = nullptr;
    HBRUSH receiveBrush_ = nullptr;
    RECT autoStartDesigned_{};
    RECT showEditorPlace_{};
    // The scale the window is drawn at now, and the receive font's height at start-up's.
    UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
    UINT fontDpi_ = USER_DEFAULT_SCREEN_DPI;
    LONG fontHeight_ = 0;
};

} // namespace quillet
