#include "app/win32/Win32MainWindow.h"

#include "app/MainWindowText.h"
#include "app/win32/Win32AppResources.h"
#include "app/win32/Win32SerialPortCatalog.h"

#include "base/Operator.h"
#include "base/win32/WindowDpi.h"
#include <commctrl.h>
#include <dbt.h>

namespace quillet {

namespace {

// Window timer ids are the session's timers, counted from 1.
UINT_PTR TimerId(SessionTimer timer) {
    return static_cast<UINT_PTR>(timer) + 1;
}

// Menu ids are the commands, counted from the first.
int MenuId(Command command) {
    return IDM_FIRST_COMMAND + static_cast<int>(command);
}

COLORREF ToColorRef(unsigned rgb) {
    return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

bool IsIndicator(int id) {
    return (id >= IDC_LABID0 && id < IDC_LABID0 + WindowState::kRowIndicators) ||
           id == IDC_LABELAFS;
}

RECT PlaceOf(HWND window, int id) {
    RECT place{};
    const HWND control = ::GetDlgItem(window, id);
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&place), 2);
    return place;
}

std::string TextOf(HWND control) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

bool IsChecked(HWND window, int id) {
    return ::IsDlgButtonChecked(window, id) == BST_CHECKED;
}

} // namespace

Win32MainWindow::Win32MainWindow(HINSTANCE instance, MainWindowCommands commands)
    : commands_(std::move(commands)) {
    indicatorBrush_ = ::CreateSolidBrush(ToColorRef(main_window::kIndicatorBackground));
    receiveBrush_ = ::CreateSolidBrush(ToColorRef(main_window::kReceiveBackground));
    window_ = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, Procedure,
                                   reinterpret_cast<LPARAM>(this));
}

Win32MainWindow::~Win32MainWindow() {
    Detach();
    if (portArrivals_ != nullptr) {
        ::UnregisterDeviceNotification(portArrivals_);
    }
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
    ::DeleteObject(receiveFont_);
    ::DeleteObject(indicatorBrush_);
    ::DeleteObject(receiveBrush_);
}

INT_PTR CALLBACK Win32MainWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        auto* self = reinterpret_cast<Win32MainWindow*>(lParam);
        ::SetWindowLongPtrA(window, DWLP_USER, lParam);
        self->window_ = window;
    }
    auto* self = reinterpret_cast<Win32MainWindow*>(::GetWindowLongPtrA(window, DWLP_USER));
    return self != nullptr ? self->Handle(message, wParam, lParam) : FALSE;
}

// Without the announcement (a system that refuses it) the retry timer still finds the port.
void Win32MainWindow::WatchPortArrivals() {
    DEV_BROADCAST_DEVICEINTERFACE_A filter{};
    filter.dbcc_size = sizeof filter;
    filter.dbcc_devicetype = DBT_DEVTYP_DEVICEINTERFACE;
    filter.dbcc_classguid = kComPortInterface;
    portArrivals_ = ::RegisterDeviceNotificationA(window_, &filter, DEVICE_NOTIFY_WINDOW_HANDLE);
}

INT_PTR Win32MainWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: {
        const HICON icon = ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_QUILLET));
        ::SendMessageA(window_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ::SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
        SetCaptions();
        dpi_ = DpiOf(window_);
        MakeFonts();
        autoStartDesigned_ = PlaceOf(window_, IDC_AUTOSTART);
        showEditorPlace_ = PlaceOf(window_, IDC_SHOWED);
        BuildMenu();
        MakeStatusTip();
        WatchPortArrivals();
        return FALSE;
    }
    case WM_DEVICECHANGE:
        if (wParam == DBT_DEVICEARRIVAL && commands_.deviceArrived) {
            commands_.deviceArrived();
        }
        return TRUE;
    case WM_DPICHANGED:
        // The system scales the dialog and its controls; what we made ourselves follows.
        ChangeScale(HIWORD(wParam));
        return FALSE;
    case WM_CTLCOLORSTATIC:
        return Colour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_TIMER:
        for (const SessionTimer timer :
             {SessionTimer::Poll, SessionTimer::PortRetry, SessionTimer::CloseRetry}) {
            if (wParam == TimerId(timer) && commands_.timer) {
                commands_.timer(timer);
            }
        }
        return TRUE;
    case WM_CLOSE:
        if (commands_.close) {
            commands_.close();
        }
        return TRUE;
    case WM_QUERYENDSESSION:
        // Nothing to save: the session may end.
        ::SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
        return TRUE;
    case WM_ENDSESSION:
        // The process may be ended as soon as this returns.
        if (wParam != FALSE && commands_.endSession) {
            commands_.endSession();
        }
        return TRUE;
    default:
        break;
    }
    return FALSE;
}

void Win32MainWindow::SetCaptions() {
    ::SetWindowTextA(window_, kProgramName);
    SetText(IDC_EDIT, main_window::kEdit);
    SetText(IDOK, main_window::kOk);
    SetText(IDC_SHOWED, main_window::kShowEditor);
    SetText(IDC_OVERWRITE, main_window::kOverwrite);
    SetText(IDC_ACLEAR, main_window::kAutoClear);
    SetText(IDC_AUTOSTART, main_window::kAutoStart);
    SetText(IDC_DSPIN, main_window::kReceiveIndicator);
    SetText(IDC_LABELAFS, main_window::kAutoFieldSelection);
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        SetText(IDC_LABID0 + i, WindowState::kRowCaptions[static_cast<std::size_t>(i)]);
    }
    SetText(IDC_STATUS, WindowState::kReady);
    Check(IDC_AUTOSTART, true);
}

// Setting a menu takes its height from the client area: the window grows by it instead.
void Win32MainWindow::BuildMenu() {
    const HMENU bar = ::CreateMenu();
    for (const MenuDescription& description : MainMenus()) {
        const HMENU menu = ::CreatePopupMenu();
        for (const MenuEntry& entry : description.entries) {
            ::AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(MenuId(entry.command)),
                          entry.caption);
        }
        ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(menu), description.caption);
    }

    RECT client{};
    ::GetClientRect(window_, &client);
    ::SetMenu(window_, bar);
    RECT frame = client;
    AdjustFrameForDpi(frame, static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_STYLE)), true,
                      static_cast<DWORD>(::GetWindowLongPtrA(window_, GWL_EXSTYLE)), dpi_);
    ::SetWindowPos(window_, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// DSpin's Arial, at the size of the dialog's own font as it was at start-up, scaled.
void Win32MainWindow::MakeFonts() {
    LOGFONTA font{};
    const auto dialogFont = reinterpret_cast<HFONT>(::SendMessageA(window_, WM_GETFONT, 0, 0));
    ::GetObjectA(dialogFont, sizeof font, &font);
    if (fontHeight_ == 0) {
        fontHeight_ = font.lfHeight;
        fontDpi_ = dpi_;
    }
    font.lfHeight = Rescaled(fontHeight_, dpi_, fontDpi_);
    font.lfWidth = 0;
    lstrcpynA(font.lfFaceName, main_window::kReceiveIndicatorFont, LF_FACESIZE);
    const HFONT made = ::CreateFontIndirectA(&font);
    ::SendDlgItemMessageA(window_, IDC_DSPIN, WM_SETFONT, reinterpret_cast<WPARAM>(made), TRUE);
    ::DeleteObject(receiveFont_);
    receiveFont_ = made;
}

// The places kept from start-up are in pixels of the scale they were taken at.
void Win32MainWindow::ChangeScale(UINT dpi) {
    if (dpi == 0 || dpi == dpi_) {
        return;
    }
    autoStartDesigned_ = Rescaled(autoStartDesigned_, dpi, dpi_);
    showEditorPlace_ = Rescaled(showEditorPlace_, dpi, dpi_);
    dpi_ = dpi;
    MakeFonts();
}

INT_PTR Win32MainWindow::Colour(HDC dc, HWND control) {
    const int id = ::GetDlgCtrlID(control);
    if (IsIndicator(id)) {
        ::SetTextColor(dc, ToColorRef(main_window::kIndicatorText));
        ::SetBkColor(dc, ToColorRef(main_window::kIndicatorBackground));
        return reinterpret_cast<INT_PTR>(indicatorBrush_);
    }
    if (id == IDC_DSPIN) {
        ::SetTextColor(dc, ToColorRef(main_window::kReceiveText));
        ::SetBkColor(dc, ToColorRef(main_window::kReceiveBackground));
        return reinterpret_cast<INT_PTR>(receiveBrush_);
    }
    if (id == IDC_CURSETTINGS) {
        ::SetTextColor(dc, ToColorRef(main_window::kPortCaptionText));
        ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<INT_PTR>(::GetSysColorBrush(COLOR_BTNFACE));
    }
    return FALSE;
}

void Win32MainWindow::Command(int id, int code) {
    const auto run = [](const std::function<void()>& command) {
        if (command) {
            command();
        }
    };
    const auto clicked = [&](const std::function<void(bool)>& command) {
        if (code == BN_CLICKED && command) {
            command(IsChecked(window_, id));
        }
    };
    switch (id) {
    case IDC_ACLEAR:
        return clicked(commands_.autoClear);
    case IDC_OVERWRITE:
        return clicked(commands_.overwrite);
    case IDC_AUTOSTART:
        return clicked(commands_.autoStart);
    case IDC_EDIT:
        return run(commands_.edit);
    case IDOK: {
        // Enter reaches here as well; it counts only while "OK" can be pressed.
        if (!::IsWindowEnabled(::GetDlgItem(window_, IDOK)) || !commands_.ok) {
            return;
        }
        return commands_.ok(TextOf(::GetDlgItem(window_, IDC_ENTRY)));
    }
    default:
        // Escape (IDCANCEL) does not close the main window.
        break;
    }
    for (const MenuDescription& description : MainMenus()) {
        for (const MenuEntry& entry : description.entries) {
            if (id == MenuId(entry.command) && commands_.command) {
                return commands_.command(entry.command);
            }
        }
    }
}

void Win32MainWindow::Attach(WindowState& state) {
    Detach();
    state_ = &state;
    state_->SetObserver(this);
    Refresh();
}

void Win32MainWindow::Detach() {
    if (state_ != nullptr) {
        state_->SetObserver(nullptr);
        state_ = nullptr;
    }
}

void Win32MainWindow::StatusChanged(const std::string& text) {
    SetText(IDC_STATUS, text);
    SetStatusTip(text);
}

// The status line ends in "..." when its text is too long: the tool tip holds all of it.
void Win32MainWindow::MakeStatusTip() {
    statusTip_ = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0, 0,
                                   0, window_, nullptr, nullptr, nullptr);
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window_, IDC_STATUS));
    tool.lpszText = const_cast<char*>(WindowState::kReady);
    ::SendMessageA(statusTip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32MainWindow::SetStatusTip(const std::string& text) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(window_, IDC_STATUS));
    tool.lpszText = const_cast<char*>(text.c_str());
    ::SendMessageA(statusTip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
}

void Win32MainWindow::Changed() {
    Refresh();
}

void Win32MainWindow::Refresh() {
    if (state_ == nullptr) {
        return;
    }
    const WindowState& s = *state_;
    SetText(IDC_STATUS, s.Status());
    SetStatusTip(s.Status());
    for (int i = 0; i < WindowState::kRowIndicators; ++i) {
        Show(IDC_LABID0 + i, s.RowIndicatorVisible(i));
    }
    Show(IDC_LABELAFS, s.AutoFieldSelectionVisible());
    SetText(IDC_DSPIN, s.ReceiveIndicatorCaption());
    Show(IDC_DSPIN, s.ReceiveIndicatorVisible());
    Check(IDC_ACLEAR, s.autoClear());
    Check(IDC_OVERWRITE, s.overwrite());
    Check(IDC_AUTOSTART, s.autoStart());
    Check(IDC_SHOWED, s.showEditor());
    Show(IDC_SHOWED, !s.EditorOptionHidden());
    PlaceAutoStart(s.EditorOptionHidden());
    SetText(IDC_EXLAB, s.ExclusionNotice());
    Show(IDC_EXLAB, s.ExclusionNoticeVisible());
    SetText(IDC_CURSETTINGS, s.PortSettingsCaption());
}

void Win32MainWindow::PlaceAutoStart(bool editorOptionHidden) {
    const RECT& place = editorOptionHidden ? showEditorPlace_ : autoStartDesigned_;
    ::SetWindowPos(::GetDlgItem(window_, IDC_AUTOSTART), nullptr, place.left, place.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Win32MainWindow::ShowManualEntry(const ManualEntryView& view) {
    SetText(IDC_ENTRY, view.boxText);
    ::EnableWindow(::GetDlgItem(window_, IDC_ENTRY), view.boxEnabled);
    ::EnableWindow(::GetDlgItem(window_, IDC_EDIT), view.editEnabled);
    ::EnableWindow(::GetDlgItem(window_, IDOK), view.okEnabled);
    switch (view.focus) {
    case ManualEntryView::Focus::Box:
        ::SendMessageA(window_, WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(window_, IDC_ENTRY)), TRUE);
        break;
    case ManualEntryView::Focus::Edit:
        ::SendMessageA(window_, WM_NEXTDLGCTL,
                       reinterpret_cast<WPARAM>(::GetDlgItem(window_, IDC_EDIT)), TRUE);
        break;
    case ManualEntryView::Focus::None:
        break;
    }
}

void Win32MainWindow::StartTimer(SessionTimer timer, int milliseconds) {
    ::SetTimer(window_, TimerId(timer), static_cast<UINT>(milliseconds), nullptr);
}

void Win32MainWindow::StopTimer(SessionTimer timer) {
    ::KillTimer(window_, TimerId(timer));
}

// Unchanged text is not set again, so nothing flickers on each tick.
void Win32MainWindow::SetText(int id, const std::string& text) {
    if (TextOf(::GetDlgItem(window_, id)) != text) {
        ::SetDlgItemTextA(window_, id, text.c_str());
    }
}

void Win32MainWindow::Show(int id, bool visible) {
    ::ShowWindow(::GetDlgItem(window_, id), visible ? SW_SHOWNA : SW_HIDE);
}

void Win32MainWindow::Check(int id, bool on) {
    ::CheckDlgButton(window_, id, on ? BST_CHECKED : BST_UNCHECKED);
}

} // namespace quillet
