#include "fields/win32/Win32MachineFieldDialog.h"

#include "fields/FieldDialogText.h"
#include "fields/LastProgram.h"
#include "fields/MachineFieldStore.h"
#include "fields/win32/Win32FieldResources.h"
#include "support/FakeIniProfile.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

namespace quillet {
namespace {

using testing::FakeIniProfile;

constexpr const char* kSection = "VORKSTAB";

std::function<void(HWND)> script;

// Runs the script once the dialog's own message loop is running, then leaves it to the
// script to close the dialog.
void CALLBACK RunScript(HWND, UINT, UINT_PTR timer, DWORD) {
    ::KillTimer(nullptr, timer);
    const HWND dialog = ::FindWindowA(nullptr, field_text::kMachineFieldTitle);
    ASSERT_NE(dialog, nullptr);
    script(dialog);
}

int Id(FieldSlot slot, int first) {
    return first + static_cast<int>(slot);
}

void Click(HWND dialog, int id) {
    ::SendMessageA(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

void Type(HWND dialog, int id, const char* text) {
    ::SetDlgItemTextA(dialog, id, text);
}

void ChooseTab(HWND dialog, int tab) {
    const HWND tabs = ::GetDlgItem(dialog, IDC_MF_TABS);
    ::SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(tab), 0);
    NMHDR change{tabs, IDC_MF_TABS, TCN_SELCHANGE};
    ::SendMessageA(dialog, WM_NOTIFY, IDC_MF_TABS, reinterpret_cast<LPARAM>(&change));
}

std::string Text(HWND dialog, int id) {
    char text[128] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

class Win32MachineFieldDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (std::getenv("DISPLAY") == nullptr) {
            GTEST_SKIP() << "no display for the dialog";
        }
        INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TAB_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&controls);
        ini.Set(kSection, "FieldFlag_SFA", "2");
        ini.Set(kSection, "FieldCode_SFN", "n");
        LoadMachineFields(ini, editor);
        ini.writes.clear();
    }
    bool Show(std::function<void(HWND)> steps) {
        script = std::move(steps);
        ::SetTimer(nullptr, 0, 50, RunScript);
        return dialog.Show(nullptr);
    }

    FakeIniProfile ini;
    MachineFieldModel model;
    AutoSelEditor editor{model};
    LastProgram last;
    Win32MachineFieldDialog dialog{editor, ini, last};
};

// Edits reach the model at once; Enter closes nothing; Cancel stores nothing and leaves
// the live values as edited.
TEST_F(Win32MachineFieldDialogTest, EditsAreLiveAndCancelStoresNothing) {
    const bool stored = Show([this](HWND window) {
        EXPECT_EQ(Text(window, Id(FieldSlot::SFN, IDC_MF_CODE0)), "n");
        Type(window, Id(FieldSlot::SFS, IDC_MF_CODE0), "ab");
        EXPECT_EQ(model.Code(FieldSlot::SFS), "ab");
        Click(window, Id(FieldSlot::SFA, IDC_MF_CHECK0)); // grey: a click checks it
        EXPECT_EQ(model.Flag(FieldSlot::SFA), 1);
        ::ShowWindow(window, SW_SHOWNA); // as the dialog's loop does once it is idle
        ::SendMessageA(window, WM_COMMAND, IDOK, 0);
        EXPECT_TRUE(::IsWindowVisible(window)) << "Enter closed the dialog";
        ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
    EXPECT_FALSE(stored);
    EXPECT_TRUE(ini.writes.empty());
    EXPECT_EQ(model.Code(FieldSlot::SFS), "ab");
}

// "Set All" checks the current tab's fields only; OK stores; the next showing opens on the
// same tab.
TEST_F(Win32MachineFieldDialogTest, SetAllThenOkStoresAndTheTabIsKept) {
    const bool stored = Show([](HWND window) {
        ChooseTab(window, field_form::kStandardFields);
        Click(window, IDC_MF_SETALL);
        Click(window, IDC_MF_OK);
    });
    EXPECT_TRUE(stored);
    EXPECT_EQ(model.Flag(FieldSlot::SFR), 1);
    EXPECT_EQ(model.Flag(FieldSlot::BFS), 0);
    EXPECT_EQ(ini.Get(kSection, "FieldFlag_SFR"), " 1");
    EXPECT_EQ(ini.Get(kSection, "FieldCode_SFN"), "N");

    int tab = -1;
    Show([&tab](HWND window) {
        tab = static_cast<int>(::SendDlgItemMessageA(window, IDC_MF_TABS, TCM_GETCURSEL, 0, 0));
        ::SendMessageA(window, WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(tab, field_form::kStandardFields);
}

// The trigger controls follow the editor: choosing a target enables them, and the typed
// trigger shows in the preview.
TEST_F(Win32MachineFieldDialogTest, TriggerControlsFollowTheEditor) {
    Show([this](HWND window) {
        EXPECT_FALSE(::IsWindowEnabled(::GetDlgItem(window, IDC_MF_MSPEC)));
        Click(window, IDC_MF_PNAME);
        EXPECT_TRUE(model.MPName());
        EXPECT_TRUE(::IsWindowEnabled(::GetDlgItem(window, IDC_MF_MSPEC)));
        Type(window, IDC_MF_MSPEC, "MIR");
        EXPECT_EQ(model.MSpec, "MIR");
        EXPECT_EQ(Text(window, IDC_MF_PREVIEW), model.LabDispStr);
        EXPECT_NE(model.LabDispStr.find("MIR"), std::string::npos);
        ::SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
    });
}

} // namespace
} // namespace quillet
