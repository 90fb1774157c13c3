#include "app/MainMenu.h"

#include "app/MainWindowText.h"
#include "app/ScannerTestText.h"

namespace quillet {

namespace {

using namespace main_window;

constexpr MenuEntry kFileEntries[] = {
    {"mnuJournal", kOpenJournal, Command::OpenJournal},
    {"mnuExit", kExit, Command::Exit},
};
// "mnuSetttings" is spelt as the window has always named it.
constexpr MenuEntry kOptionsEntries[] = {
    {"mnuSetttings", kSettings, Command::Settings},
    {"MnuAutoFld", kAutoFieldSelect, Command::AutoFieldSelect},
    {"ExIns", kExclusionInsertion, Command::ExclusionInsertion},
    {"mnuScannerTest", scanner_test_text::kMenuCaption, Command::ScannerTest},
};
constexpr MenuEntry kViewEntries[] = {{"mnuLabels", kTodaysLabels, Command::TodaysLabels}};
constexpr MenuEntry kHelpEntries[] = {{"mnuAbout", kAbout, Command::About}};

constexpr MenuDescription kMenus[] = {
    {"mnuFile", kFileMenu, kFileEntries},
    {"mnuOptions", kOptionsMenu, kOptionsEntries},
    {"mnuView", kViewMenu, kViewEntries},
    {"mnuHelp", kHelpMenu, kHelpEntries},
};

} // namespace

std::span<const MenuDescription> MainMenus() {
    return kMenus;
}

} // namespace quillet
