#include "fields/win32/Win32MachineFieldDialog.h"

#include "base/IniProfile.h"
#include "base/win32/WindowDpi.h"
#include "config/win32/Win32Dialogs.h"
#include "fields/FieldDialogText.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldForm.h"
#include "fields/MachineFieldStore.h"
#include "fields/PlanDrawing.h"
#include "fields/win32/Win32FieldResources.h"

#include <commctrl.h>

#include <vector>

namespace quillet {

namespace {

using field_form::kCornerRadius;
using field_form::kFieldGrey;
using field_form::kPlanMargin;
using field_form::kTabCount;
using field_form::TypingLimitOf;

constexpr const char* kPlanClass = "QuilletFieldPlan";
constexpr COLORREF kGrey = RGB(kFieldGrey.red, kFieldGrey.green, kFieldGrey.blue);
// LabDispStr's fixed-pitch font, in hundredths of a point.
constexpr int kPreviewCentipoints = static_cast<int>(field_form::kPreviewPointSize * 100);

// The controls of the auto-selection tab, the default field among them.
constexpr int kAutoSelectIds[] = {
    IDC_MF_PNAME,        IDC_MF_COMMENT,
    IDC_MF_BARCODE,      IDC_MF_MIRRORFRAME,
    IDC_MF_PRODUCEFRAME, IDC_MF_MSEL,
    IDC_MF_NMSEL,        IDC_MF_TRIGGERFRAME,
    IDC_MF_ALNL,         IDC_MF_ALNR,
    IDC_MF_PREVIEW,      IDC_MF_POSSCROLL,
    IDC_MF_MSPEC,        IDC_MF_DEFAULTPANEL,
    IDC_MF_DEFAULTFRAME, IDC_MF_CODE0 + static_cast<int>(FieldSlot::DFN)};
// FrameTSet and the seven controls in it.
constexpr int kTriggerIds[] = {IDC_MF_TRIGGERFRAME, IDC_MF_ALNL,  IDC_MF_ALNR,    IDC_MF_PREVIEW,
                               IDC_MF_POSSCROLL,    IDC_MF_MSPEC, IDC_MF_POSLEFT, IDC_MF_POSRIGHT};

// Where each tab's plans sit, in dialog units, in the order the form lists them.
constexpr RECT kPlanUnits[kTabCount][2] = {
    {},
    {{20, 40, 274, 74}, {20, 90, 274, 130}},
    {{20, 32, 274, 92}, {20, 100, 274, 186}},
    {{80, 62, 260, 162}},
};

int CodeId(FieldSlot slot) {
    return IDC_MF_CODE0 + static_cast<int>(slot);
}
int CheckId(FieldSlot slot) {
    return IDC_MF_CHECK0 + static_cast<int>(slot);
}

// The tab each control belongs to; -1 for the controls under every tab.
int TabOf(int id) {
    for (const int own : kAutoSelectIds) {
        if (own == id) {
            return field_form::kAutoFieldSelect;
        }
    }
    if (id == IDC_MF_POSLEFT || id == IDC_MF_POSRIGHT) {
        return field_form::kAutoFieldSelect;
    }
    if (id == IDC_MF_HLFLIMX || id == IDC_MF_HLFLIMY) {
        return field_form::kFieldLimits;
    }
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        if (id == CodeId(slot) || id == CheckId(slot)) {
            return field_form::TabOf(slot);
        }
    }
    return -1;
}

UINT CheckStateOf(std::int16_t flag) {
    switch (flag) {
    case 1:
        return BST_CHECKED;
    case 2:
        return BST_INDETERMINATE;
    default:
        return BST_UNCHECKED;
    }
}

// A control's place in the plan window's coordinates, edges inclusive.
field_form::Rect PlaceIn(HWND plan, HWND control) {
    RECT box{};
    ::GetWindowRect(control, &box);
    ::MapWindowPoints(nullptr, plan, reinterpret_cast<POINT*>(&box), 2);
    return {box.left, box.top, box.right - 1, box.bottom - 1};
}

// A plan's place in the plan window's coordinates.
RECT AreaOf(HWND plan, RECT units) {
    const HWND dialog = ::GetParent(plan);
    ::MapDialogRect(dialog, &units);
    ::MapWindowPoints(dialog, plan, reinterpret_cast<POINT*>(&units), 2);
    return units;
}

// The plan's cells share its area inside the margin evenly; edges inclusive.
field_form::Rect CellOf(RECT area, const field_form::Plan& spec, int row, int column) {
    const int width = (area.right - area.left - 2 * kPlanMargin) / spec.columns;
    const int height = (area.bottom - area.top - 2 * kPlanMargin) / spec.rows;
    const int left = area.left + kPlanMargin + column * width;
    const int top = area.top + kPlanMargin + row * height;
    return {left, top, left + width - 1, top + height - 1};
}

void DrawPlan(HWND plan, HDC dc, RECT units, const field_form::Plan& spec) {
    const RECT area = AreaOf(plan, units);
    const HPEN shadow = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_3DSHADOW));
    const HGDIOBJ oldPen = ::SelectObject(dc, shadow);
    const HGDIOBJ oldBrush = ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
    ::Rectangle(dc, area.left, area.top, area.right, area.bottom);
    const HPEN text = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    ::SelectObject(dc, text);
    for (int row = 0; row < spec.rows; ++row) {
        for (int column = 0; column < spec.columns; ++column) {
            const auto cell = field_form::OutlineOf(CellOf(area, spec, row, column));
            if (!cell) {
                continue;
            }
            const field_form::Rect& line = cell->outline;
            ::SelectObject(dc, ::GetStockObject(NULL_BRUSH));
            ::Rectangle(dc, line.left, line.top, line.right + 1, line.bottom + 1);
            ::SelectObject(dc, ::GetSysColorBrush(COLOR_3DFACE));
            for (const field_form::Point corner : cell->corners) {
                ::Ellipse(dc, corner.x - kCornerRadius, corner.y - kCornerRadius,
                          corner.x + kCornerRadius + 1, corner.y + kCornerRadius + 1);
            }
        }
    }
    ::SelectObject(dc, oldBrush);
    ::SelectObject(dc, oldPen);
    ::DeleteObject(text);
    ::DeleteObject(shadow);
}

void DrawLimits(HWND plan, HDC dc) {
    const HWND dialog = ::GetParent(plan);
    const field_form::Plan& spec = field_form::TabAt(field_form::kFieldLimits).plans.front();
    const RECT area = AreaOf(plan, kPlanUnits[field_form::kFieldLimits][0]);
    const auto marks = field_form::LimitMarks(CellOf(area, spec, 0, 0),
                                              PlaceIn(plan, ::GetDlgItem(dialog, IDC_MF_HLFLIMX)),
                                              PlaceIn(plan, ::GetDlgItem(dialog, IDC_MF_HLFLIMY)));
    const HPEN pen = ::CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_WINDOWTEXT));
    const HGDIOBJ old = ::SelectObject(dc, pen);
    for (const field_form::Segment& mark : marks) {
        ::MoveToEx(dc, mark.from.x, mark.from.y, nullptr);
        ::LineTo(dc, mark.to.x, mark.to.y);
        // GDI leaves a line's last pixel out.
        ::LineTo(dc, mark.to.x + 1, mark.to.y);
    }
    ::SelectObject(dc, old);
    ::DeleteObject(pen);
}

// The page behind the controls: the dialog's colour, and the current tab's plan drawings.
LRESULT CALLBACK PlanProcedure(HWND plan, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        return 1;
    }
    if (message != WM_PAINT) {
        return ::DefWindowProcA(plan, message, wParam, lParam);
    }
    PAINTSTRUCT paint{};
    const HDC dc = ::BeginPaint(plan, &paint);
    RECT client{};
    ::GetClientRect(plan, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_3DFACE));
    const HWND tabs = ::GetDlgItem(::GetParent(plan), IDC_MF_TABS);
    const int tab = static_cast<int>(::SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
    const auto plans = tab < 0 ? std::span<const field_form::Plan>{} : field_form::TabAt(tab).plans;
    for (std::size_t i = 0; i < plans.size(); ++i) {
        DrawPlan(plan, dc, kPlanUnits[tab][i], plans[i]);
    }
    if (tab == field_form::kFieldLimits) {
        DrawLimits(plan, dc);
    }
    ::EndPaint(plan, &paint);
    return 0;
}

// The hints the mouse shows over the alignment options and the buttons.
void AddTips(HWND dialog) {
    const HWND tips = ::CreateWindowExA(0, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, 0, 0,
                                        0, 0, dialog, nullptr, nullptr, nullptr);
    const struct {
        int id;
        const char* text;
    } hints[] = {
        {IDC_MF_ALNL, field_text::kAlignLeftTip}, {IDC_MF_ALNR, field_text::kAlignRightTip},
        {IDC_MF_SETALL, field_text::kSetAllTip},  {IDC_MF_CLEARALL, field_text::kClearAllTip},
        {IDCANCEL, field_text::kFieldsCancelTip}, {IDC_MF_OK, field_text::kFieldsOkTip},
    };
    for (const auto& hint : hints) {
        TTTOOLINFOA tool{};
        tool.cbSize = sizeof tool;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, hint.id));
        tool.lpszText = const_cast<char*>(hint.text);
        ::SendMessageA(tips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

void RegisterPlanClass() {
    WNDCLASSEXA type{};
    type.cbSize = sizeof type;
    type.lpfnWndProc = PlanProcedure;
    type.hInstance = ::GetModuleHandleA(nullptr);
    type.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    type.lpszClassName = kPlanClass;
    ::RegisterClassExA(&type); // fails harmlessly when already registered
}

} // namespace

Win32MachineFieldDialog::Win32MachineFieldDialog(AutoSelEditor& editor, IniProfile& ini,
                                                 const LastProgram& last)
    : editor_(editor), model_(editor.Model()), ini_(ini), last_(last),
      grey_(::CreateSolidBrush(kGrey)) {
    RegisterPlanClass();
}

Win32MachineFieldDialog::~Win32MachineFieldDialog() {
    ::DeleteObject(grey_);
}

bool Win32MachineFieldDialog::Show(HWND owner) {
    const INT_PTR answer =
        ::DialogBoxParamA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_MACHINE_FIELDS), owner,
                          Procedure, reinterpret_cast<LPARAM>(this));
    return answer == IDOK;
}

void Win32MachineFieldDialog::Dismiss() {
    if (dialog_ != nullptr) {
        Finish(IDCANCEL);
    }
}

INT_PTR CALLBACK Win32MachineFieldDialog::Procedure(HWND dialog, UINT message, WPARAM wParam,
                                                    LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        ::SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        auto* self = reinterpret_cast<Win32MachineFieldDialog*>(lParam);
        self->dialog_ = dialog;
        self->Init();
        return FALSE; // Init placed the focus
    }
    auto* self = reinterpret_cast<Win32MachineFieldDialog*>(::GetWindowLongPtrA(dialog, DWLP_USER));
    return self == nullptr ? FALSE : self->Handle(message, wParam, lParam);
}

INT_PTR Win32MachineFieldDialog::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        Command(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_HSCROLL:
        Scroll(LOWORD(wParam), HIWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (reinterpret_cast<const NMHDR*>(lParam)->code == TCN_SELCHANGE) {
            SelectTab(
                static_cast<int>(::SendDlgItemMessageA(dialog_, IDC_MF_TABS, TCM_GETCURSEL, 0, 0)));
        }
        return TRUE;
    case WM_DPICHANGED:
        MakePreviewFont(HIWORD(wParam));
        return FALSE;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (const HBRUSH brush =
                Colour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam))) {
            return reinterpret_cast<INT_PTR>(brush);
        }
        return FALSE;
    default:
        return FALSE;
    }
}

void Win32MachineFieldDialog::Init() {
    ::SetWindowTextA(dialog_, field_text::kMachineFieldTitle);
    const struct {
        int id;
        const char* text;
    } captions[] = {
        {IDC_MF_PNAME, field_text::kTargetProgramName},
        {IDC_MF_COMMENT, field_text::kTargetComment},
        {IDC_MF_BARCODE, field_text::kTargetBarcode},
        {IDC_MF_MIRRORFRAME, field_text::kMirrorFrame},
        {IDC_MF_PRODUCEFRAME, field_text::kProduceFrame},
        {IDC_MF_MSEL, field_text::kProduceMirror},
        {IDC_MF_NMSEL, field_text::kProduceBoth},
        {IDC_MF_TRIGGERFRAME, field_text::kTriggerFrame},
        {IDC_MF_DEFAULTFRAME, field_text::kDefaultFieldFrame},
        {IDC_MF_SETALL, field_text::kSetAll},
        {IDC_MF_CLEARALL, field_text::kClearAll},
        {IDC_MF_OK, field_text::kOk},
        {IDCANCEL, field_text::kCancel},
    };
    for (const auto& caption : captions) {
        ::SetDlgItemTextA(dialog_, caption.id, caption.text);
    }
    const HWND tabs = ::GetDlgItem(dialog_, IDC_MF_TABS);
    for (int i = 0; i < kTabCount; ++i) {
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(field_form::TabAt(i).caption);
        ::SendMessageA(tabs, TCM_INSERTITEMA, static_cast<WPARAM>(i),
                       reinterpret_cast<LPARAM>(&item));
    }
    // The plan window covers the tab's page exactly.
    RECT page{};
    ::GetClientRect(tabs, &page);
    ::SendMessageA(tabs, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
    ::MapWindowPoints(tabs, dialog_, reinterpret_cast<POINT*>(&page), 2);
    ::MoveWindow(::GetDlgItem(dialog_, IDC_MF_PLAN), page.left, page.top, page.right - page.left,
                 page.bottom - page.top, FALSE);

    for (int i = 0; i < kFieldSlotCount; ++i) {
        ::SendDlgItemMessageA(dialog_, IDC_MF_CODE0 + i, EM_LIMITTEXT,
                              static_cast<WPARAM>(TypingLimitOf(static_cast<FieldSlot>(i))), 0);
    }
    MakePreviewFont(DpiOf(dialog_));

    AddTips(dialog_);
    editor_.SetObserver([this] { Refresh(); });
    Refresh();
    ::SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab_), 0);
    SelectTab(tab_);
    CenterWindow(dialog_);
    ::SetFocus(tabs);
}

// The preview's points at the scale of the monitor the dialog is on.
void Win32MachineFieldDialog::MakePreviewFont(UINT dpi) {
    const HFONT made =
        ::CreateFontA(-::MulDiv(kPreviewCentipoints, static_cast<int>(dpi), 7200), 0, 0, 0,
                      FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, "Courier New");
    ::SendDlgItemMessageA(dialog_, IDC_MF_PREVIEW, WM_SETFONT, reinterpret_cast<WPARAM>(made),
                          TRUE);
    ::DeleteObject(previewFont_);
    previewFont_ = made;
}

void Win32MachineFieldDialog::Finish(int answer) {
    editor_.SetObserver(nullptr);
    ::EndDialog(dialog_, answer);
    dialog_ = nullptr;
    ::DeleteObject(previewFont_);
    previewFont_ = nullptr;
}

void Win32MachineFieldDialog::Command(int id, int code) {
    switch (id) {
    case IDC_MF_OK:
        StoreMachineFields(ini_, editor_);
        Finish(IDOK);
        return;
    case IDCANCEL:
        Finish(IDCANCEL);
        return;
    case IDOK:
        return; // Enter: no button answers it
    case IDC_MF_SETALL:
    case IDC_MF_CLEARALL:
        field_form::SetAll(model_, tab_, id == IDC_MF_SETALL);
        Refresh();
        return;
    default:
        break;
    }
    if (refreshing_) {
        return;
    }
    if (code == EN_CHANGE) {
        if (id == IDC_MF_MSPEC) {
            editor_.MSpecChanged(TextOf(id));
        } else if (id == IDC_MF_HLFLIMX) {
            model_.HlfLimX = TextOf(id);
        } else if (id == IDC_MF_HLFLIMY) {
            model_.HlfLimY = TextOf(id);
        } else if (id >= IDC_MF_CODE0 && id < IDC_MF_CODE0 + kFieldSlotCount) {
            model_.codes[static_cast<std::size_t>(id - IDC_MF_CODE0)] = TextOf(id);
        }
        return;
    }
    if (code == STN_DBLCLK && id == IDC_MF_PREVIEW) {
        editor_.PreviewDoubleClicked(last_.ProgramName, last_.Comment);
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    if (id >= IDC_MF_CHECK0 && id < IDC_MF_CHECK0 + kFieldSlotCount) {
        std::int16_t& flag = model_.flags[static_cast<std::size_t>(id - IDC_MF_CHECK0)];
        flag = field_form::FlagAfterClick(flag);
        ::CheckDlgButton(dialog_, id, CheckStateOf(flag));
        return;
    }
    // Option buttons report a click once their choice has changed, by mouse or keyboard
    // alike: the slot being left is captured first.
    switch (id) {
    case IDC_MF_PNAME:
        editor_.TargetChanged(AutoSelTarget::ProgramName);
        break;
    case IDC_MF_COMMENT:
        editor_.TargetChanged(AutoSelTarget::Comment);
        break;
    case IDC_MF_BARCODE:
        editor_.TargetChanged(AutoSelTarget::Barcode);
        break;
    case IDC_MF_MSEL:
        editor_.VariantChanged(true);
        break;
    case IDC_MF_NMSEL:
        editor_.VariantChanged(false);
        break;
    case IDC_MF_ALNL:
        editor_.AlignmentClicked(true);
        break;
    case IDC_MF_ALNR:
        editor_.AlignmentClicked(false);
        break;
    default:
        break;
    }
}

void Win32MachineFieldDialog::Scroll(int request, int thumb) {
    int value = model_.PosScrollValue;
    switch (request) {
    case SB_LINELEFT:
    case SB_PAGELEFT:
        --value;
        break;
    case SB_LINERIGHT:
    case SB_PAGERIGHT:
        ++value;
        break;
    case SB_LEFT:
        value = model_.PosScrollMin;
        break;
    case SB_RIGHT:
        value = model_.PosScrollMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        value = thumb;
        break;
    default:
        return;
    }
    if (value != model_.PosScrollValue) {
        editor_.PosScrollChanged(value);
    }
}

// The code boxes, the half limits and the check boxes are grey.
HBRUSH Win32MachineFieldDialog::Colour(HWND control, HDC dc) {
    const int id = ::GetDlgCtrlID(control);
    const bool code = id >= IDC_MF_CODE0 && id < IDC_MF_CODE0 + kFieldSlotCount;
    const bool check = id >= IDC_MF_CHECK0 && id < IDC_MF_CHECK0 + kFieldSlotCount;
    if (!code && !check && id != IDC_MF_HLFLIMX && id != IDC_MF_HLFLIMY) {
        return nullptr;
    }
    ::SetBkColor(dc, kGrey);
    return grey_;
}

// Shows the tab's controls and hides the others'; Set All and Clear All only on the field
// tabs.
void Win32MachineFieldDialog::SelectTab(int tab) {
    tab_ = tab;
    for (HWND child = ::GetWindow(dialog_, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        const int own = TabOf(id);
        if (own < 0) {
            continue;
        }
        bool shown = own == tab;
        if (id == IDC_MF_POSLEFT) {
            shown = shown && model_.PosDispLeftVisible;
        } else if (id == IDC_MF_POSRIGHT) {
            shown = shown && model_.PosDispRightVisible;
        }
        ::ShowWindow(child, shown ? SW_SHOWNA : SW_HIDE);
    }
    const int setAll = field_form::SetAllVisible(tab) ? SW_SHOWNA : SW_HIDE;
    ::ShowWindow(::GetDlgItem(dialog_, IDC_MF_SETALL), setAll);
    ::ShowWindow(::GetDlgItem(dialog_, IDC_MF_CLEARALL), setAll);
    ::InvalidateRect(::GetDlgItem(dialog_, IDC_MF_PLAN), nullptr, TRUE);
}

void Win32MachineFieldDialog::Refresh() {
    if (dialog_ == nullptr) {
        return;
    }
    const bool wasRefreshing = refreshing_;
    refreshing_ = true;
    RefreshFields();
    RefreshAutoSelect();
    refreshing_ = wasRefreshing;
}

void Win32MachineFieldDialog::RefreshFields() {
    for (int i = 0; i < kFieldSlotCount; ++i) {
        const auto slot = static_cast<FieldSlot>(i);
        ShowText(CodeId(slot), model_.Code(slot));
        if (SlotHasEnableFlag(slot)) {
            ::CheckDlgButton(dialog_, CheckId(slot), CheckStateOf(model_.Flag(slot)));
        }
    }
    ShowText(IDC_MF_HLFLIMX, model_.HlfLimX);
    ShowText(IDC_MF_HLFLIMY, model_.HlfLimY);
}

void Win32MachineFieldDialog::RefreshAutoSelect() {
    const int target = model_.MPName() ? IDC_MF_PNAME
                       : model_.MCmt() ? IDC_MF_COMMENT
                                       : IDC_MF_BARCODE;
    ::CheckRadioButton(dialog_, IDC_MF_PNAME, IDC_MF_BARCODE, target);
    ::CheckRadioButton(dialog_, IDC_MF_MSEL, IDC_MF_NMSEL,
                       model_.MSel() ? IDC_MF_MSEL : IDC_MF_NMSEL);
    ::CheckRadioButton(dialog_, IDC_MF_ALNL, IDC_MF_ALNR,
                       model_.OptAlnL ? IDC_MF_ALNL : IDC_MF_ALNR);
    for (const int id : kTriggerIds) {
        ::EnableWindow(::GetDlgItem(dialog_, id), model_.triggerGroupEnabled ? TRUE : FALSE);
    }
    SCROLLINFO bar{};
    bar.cbSize = sizeof bar;
    bar.fMask = SIF_RANGE | SIF_POS | SIF_PAGE;
    bar.nMin = model_.PosScrollMin;
    bar.nMax = model_.PosScrollMax;
    bar.nPos = model_.PosScrollValue;
    ::SetScrollInfo(::GetDlgItem(dialog_, IDC_MF_POSSCROLL), SB_CTL, &bar, TRUE);
    ShowText(IDC_MF_MSPEC, model_.MSpec);
    ShowText(IDC_MF_PREVIEW, model_.LabDispStr);
    ShowText(IDC_MF_POSLEFT, model_.PosDispLeft);
    ShowText(IDC_MF_POSRIGHT, model_.PosDispRight);
    const bool onTab = tab_ == field_form::kAutoFieldSelect;
    ::ShowWindow(::GetDlgItem(dialog_, IDC_MF_POSLEFT),
                 onTab && model_.PosDispLeftVisible ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(::GetDlgItem(dialog_, IDC_MF_POSRIGHT),
                 onTab && model_.PosDispRightVisible ? SW_SHOWNA : SW_HIDE);
}

// Sets a control's text only when it differs, so that typing keeps its cursor.
void Win32MachineFieldDialog::ShowText(int id, const std::string& text) {
    if (TextOf(id) != text) {
        ::SetDlgItemTextA(dialog_, id, text.c_str());
    }
}

std::string Win32MachineFieldDialog::TextOf(int id) const {
    const HWND control = ::GetDlgItem(dialog_, id);
    std::vector<char> buffer(static_cast<std::size_t>(::GetWindowTextLengthA(control)) + 1);
    const int length = ::GetWindowTextA(control, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(length));
}

} // namespace quillet
