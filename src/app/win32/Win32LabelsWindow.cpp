#include "app/win32/Win32LabelsWindow.h"

#include "app/LabelsWindowText.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

namespace quillet {

namespace {

using namespace labels_window;

constexpr const char* kClassName = "QuilletLabels";
constexpr int kTried = 105;
constexpr UINT kChangedMessage = WM_APP + 1;
constexpr int kLabelColumn = 1;
constexpr int kWidth = 900;
constexpr int kHeight = 420;
constexpr int kGap = 40;
constexpr int kMargin = 8;
constexpr int kLineHeight = 24;
constexpr int kColumnWidths[] = {90, 220, 120, 180, 160, 300};

const std::string& CellOf(const LabelRow& row, int column) {
    const std::string* cells[] = {&row.time, &row.label,   &row.kind,
                                  &row.sent, &row.outcome, &row.reason};
    return *cells[column];
}

std::string TextOf(HWND control) {
    std::string text(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1, '\0');
    text.resize(static_cast<std::size_t>(
        ::GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

// The edit control shows lines ended by CR LF.
std::string WithCrLf(const std::string& text) {
    std::string out;
    for (const char c : text) {
        if (c == '\n') {
            out += '\r';
        }
        out += c;
    }
    return out;
}

} // namespace

Win32LabelsWindow::Win32LabelsWindow(HINSTANCE instance, TodaysLabels& labels,
                                     std::function<void(const std::string&)> tryLabel,
                                     std::function<void(bool)> scansTried)
    : instance_(instance), labels_(labels), tryLabel_(std::move(tryLabel)),
      scansTried_(std::move(scansTried)) {
    // Drawn after the label, never inside it: the change waits in the message queue.
    labels_.OnChanged([this] {
        if (window_ != nullptr) {
            ::PostMessageA(window_, kChangedMessage, 0, 0);
        }
    });
}

Win32LabelsWindow::~Win32LabelsWindow() {
    labels_.OnChanged({});
    if (window_ != nullptr) {
        ::DestroyWindow(window_);
    }
}

void Win32LabelsWindow::Show(HWND owner) {
    if (window_ == nullptr) {
        Create();
        RECT main{};
        ::GetWindowRect(owner, &main);
        ::SetWindowPos(window_, nullptr, main.right + kGap, main.top, 0, 0,
                       SWP_NOSIZE | SWP_NOZORDER);
    }
    Changed();
    ::ShowWindow(window_, SW_SHOW);
    ::SetForegroundWindow(window_);
}

void Win32LabelsWindow::Close() {
    if (window_ != nullptr) {
        ::ShowWindow(window_, SW_HIDE);
    }
}

void Win32LabelsWindow::ShowTried(const std::string& report) {
    if (window_ == nullptr) {
        Create();
    }
    ::SetWindowTextA(tried_, WithCrLf(report).c_str());
}

void Win32LabelsWindow::Create() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &Win32LabelsWindow::Procedure;
    windowClass.hInstance = instance_;
    windowClass.hCursor = ::LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    ::RegisterClassA(&windowClass);
    window_ = ::CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, kWidth, kHeight, nullptr, nullptr, instance_, this);
    const auto child = [this](DWORD exStyle, const char* cls, const char* text, DWORD style,
                              int id) {
        return ::CreateWindowExA(exStyle, cls, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                                 window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 instance_, nullptr);
    };
    list_ = child(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "",
                  LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP, kList);
    ListView_SetExtendedListViewStyle(list_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    for (std::size_t i = 0; i < std::size(kColumns); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.pszText = const_cast<char*>(kColumns[i]);
        column.cx = kColumnWidths[i];
        ::SendMessageA(list_, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    tryText_ = child(WS_EX_CLIENTEDGE, "EDIT", "", ES_AUTOHSCROLL | WS_TABSTOP, kTryText);
    tryButton_ = child(0, "BUTTON", kTryButton, BS_DEFPUSHBUTTON | WS_TABSTOP, kTryId);
    scansBox_ = child(0, "BUTTON", kScansTried, BS_AUTOCHECKBOX | WS_TABSTOP, kScansBox);
    tried_ = child(WS_EX_CLIENTEDGE, "EDIT", "",
                   ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL | WS_VSCROLL | WS_HSCROLL, kTried);
    const auto font = reinterpret_cast<WPARAM>(::GetStockObject(DEFAULT_GUI_FONT));
    for (HWND control : {list_, tryText_, tryButton_, scansBox_, tried_}) {
        ::SendMessageA(control, WM_SETFONT, font, TRUE);
    }
    Layout();
}

void Win32LabelsWindow::Layout() {
    RECT client{};
    ::GetClientRect(window_, &client);
    const int width = client.right - 2 * kMargin;
    const int listHeight = (client.bottom - kLineHeight - 4 * kMargin) * 3 / 5;
    const int row = kMargin * 2 + listHeight;
    const int box = 190;
    const int button = 70;
    ::MoveWindow(list_, kMargin, kMargin, width, listHeight, TRUE);
    ::MoveWindow(tryText_, kMargin, row, width - box - button - 2 * kMargin, kLineHeight, TRUE);
    ::MoveWindow(tryButton_, client.right - kMargin - box - kMargin - button, row, button,
                 kLineHeight, TRUE);
    ::MoveWindow(scansBox_, client.right - kMargin - box, row, box, kLineHeight, TRUE);
    const int tried = row + kLineHeight + kMargin;
    ::MoveWindow(tried_, kMargin, tried, width, client.bottom - tried - kMargin, TRUE);
}

// A hidden window only notes that it is behind; a shown one tells the list its row count
// and the list asks for the rows it shows.
void Win32LabelsWindow::Changed() {
    if (window_ == nullptr || !::IsWindowVisible(window_)) {
        stale_ = true;
        return;
    }
    stale_ = false;
    // New rows arrive at the top: the selected labels move down with them. Fewer rows: a
    // new day began, none of the old ones is left.
    const std::vector<int> selected = Selected();
    const std::size_t count = labels_.Count();
    const int added = count >= shown_ ? static_cast<int>(count - shown_) : -1;
    shown_ = count;
    ListView_SetItemCountEx(list_, static_cast<int>(count), LVSICF_NOSCROLL);
    if (added != 0) {
        ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    }
    for (const int item : added > 0 ? selected : std::vector<int>()) {
        ListView_SetItemState(list_, item + added, LVIS_SELECTED, LVIS_SELECTED);
    }
    ::InvalidateRect(list_, nullptr, TRUE);
}

std::vector<int> Win32LabelsWindow::Selected() const {
    std::vector<int> items;
    for (int i = ListView_GetNextItem(list_, -1, LVNI_SELECTED); i >= 0;
         i = ListView_GetNextItem(list_, i, LVNI_SELECTED)) {
        items.push_back(i);
    }
    return items;
}

// Rows that came since the list last counted sit above the list's.
std::optional<std::size_t> Win32LabelsWindow::Label(int item) const {
    const std::size_t count = labels_.Count();
    if (item < 0 || static_cast<std::size_t>(item) >= shown_ || count < shown_) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(item) + count - shown_;
}

void Win32LabelsWindow::Copy() {
    std::vector<std::size_t> rows;
    for (const int item : Selected()) {
        if (const std::optional<std::size_t> label = Label(item)) {
            rows.push_back(*label);
        }
    }
    const std::string text = labels_.RowsText(rows, "\r\n");
    if (rows.empty() || !::OpenClipboard(window_)) {
        return;
    }
    ::EmptyClipboard();
    if (HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1)) {
        char* bytes = static_cast<char*>(::GlobalLock(memory));
        std::copy(text.c_str(), text.c_str() + text.size() + 1, bytes);
        ::GlobalUnlock(memory);
        if (::SetClipboardData(CF_TEXT, memory) == nullptr) {
            ::GlobalFree(memory);
        }
    }
    ::CloseClipboard();
}

void Win32LabelsWindow::Cell(NMLVDISPINFOA& info) {
    LVITEMA& item = info.item;
    const std::optional<std::size_t> label = Label(item.iItem);
    if ((item.mask & LVIF_TEXT) == 0 || !label) {
        return;
    }
    const std::string& cell = CellOf(labels_.Row(*label), item.iSubItem);
    cell_ = item.iSubItem == kLabelColumn ? Shortened(cell, kLabelWidth) : cell;
    lstrcpynA(item.pszText, cell_.c_str(), item.cchTextMax);
}

LRESULT CALLBACK Win32LabelsWindow::Procedure(HWND window, UINT message, WPARAM wParam,
                                              LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        ::SetWindowLongPtrA(window, GWLP_USERDATA,
                            reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<Win32LabelsWindow*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr || self->window_ == nullptr) {
        return ::DefWindowProcA(window, message, wParam, lParam);
    }
    return self->Handle(message, wParam, lParam);
}

LRESULT Win32LabelsWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SIZE:
        Layout();
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_SHOWWINDOW:
        if (wParam != FALSE && stale_) {
            ::PostMessageA(window_, kChangedMessage, 0, 0);
        }
        break;
    case kChangedMessage:
        Changed();
        return 0;
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == list_) {
            HMENU menu = ::CreatePopupMenu();
            ::AppendMenuA(menu, MF_STRING, kCopyCommand, kCopy);
            ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, LOWORD(lParam), HIWORD(lParam), 0, window_,
                             nullptr);
            ::DestroyMenu(menu);
            return 0;
        }
        break;
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case kTryId:
            tryLabel_(TextOf(tryText_));
            return 0;
        case kScansBox:
            scansTried_(::SendMessageA(scansBox_, BM_GETCHECK, 0, 0) == BST_CHECKED);
            return 0;
        case kCopyCommand:
            Copy();
            return 0;
        default:
            break;
        }
        break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header->hwndFrom != list_) {
            break;
        }
        if (header->code == LVN_GETDISPINFOA) {
            Cell(*reinterpret_cast<NMLVDISPINFOA*>(lParam));
        } else if (header->code == LVN_GETINFOTIPA) {
            auto* tip = reinterpret_cast<NMLVGETINFOTIPA*>(lParam);
            if (const std::optional<std::size_t> label = Label(tip->iItem)) {
                lstrcpynA(tip->pszText, labels_.Row(*label).label.c_str(), tip->cchTextMax);
            }
        } else if (header->code == LVN_KEYDOWN &&
                   reinterpret_cast<NMLVKEYDOWN*>(lParam)->wVKey == 'C' &&
                   ::GetKeyState(VK_CONTROL) < 0) {
            Copy();
        }
        return 0;
    }
    default:
        break;
    }
    return ::DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace quillet
