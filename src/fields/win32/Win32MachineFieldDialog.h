#pragma once

#include "fields/AutoSelEditor.h"
#include "fields/MachineFieldForm.h"

#include <windows.h>

namespace quillet {

class IniProfile;
struct LastProgram;

// MacFlds on Windows: the same editor's model as the Linux dialog, bound control by
// control, so an edit reaches the label interpreter at once. Made once at start-up and
// kept until shutdown; each showing opens on the tab last shown. OK stores every value;
// Cancel, Escape and closing the window leave the live values as edited and store
// nothing. Enter closes nothing: a return typed in a box stays in the dialog.
class Win32MachineFieldDialog {
public:
    // The editor, the profile and `last` must outlive the dialog.
    Win32MachineFieldDialog(AutoSelEditor& editor, IniProfile& ini, const LastProgram& last);
    ~Win32MachineFieldDialog();
    Win32MachineFieldDialog(const Win32MachineFieldDialog&) = delete;
    Win32MachineFieldDialog& operator=(const Win32MachineFieldDialog&) = delete;

    // Modal over `owner`; true when OK stored the values.
    bool Show(HWND owner);
    // Closes the dialog, when shown, as Cancel does: the program is ending.
    void Dismiss();

private:
    static INT_PTR CALLBACK Procedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Init();
    void Finish(int answer);
    void Command(int id, int code);
    void Scroll(int request, int thumb);
    HBRUSH Colour(HWND control, HDC dc);
    void SelectTab(int tab);
    void MakePreviewFont(UINT dpi);
    void Refresh();
    void RefreshFields();
    void RefreshAutoSelect();
    void ShowText(int id, const std::string& text);
    std::string TextOf(int id) const;

    AutoSelEditor& editor_;
    MachineFieldModel& model_;
    IniProfile& ini_;
    const LastProgram& last_;
    HWND dialog_ = nullptr;
    HBRUSH grey_ = nullptr;
    HFONT previewFont_ = nullptr;
    int tab_ = field_form::kAutoFieldSelect;
    bool refreshing_ = false;
};

} // namespace quillet
