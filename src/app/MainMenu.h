#pragma once

#include <array>
#include <cstddef>
#include <span>

namespace quillet {

// What the main window's menu entries ask the program to do.
enum class Command {
    Exit,
    Settings,
    AutoFieldSelect,
    ExclusionInsertion,
    About,
    OpenJournal,
    ScannerTest,
    TodaysLabels,
};

// One entry: the control name the window keeps, its caption with its "&" key, its command.
struct MenuEntry {
    const char* name;
    const char* caption;
    Command command;
};

struct MenuDescription {
    const char* name;
    const char* caption;
    std::span<const MenuEntry> entries;
};

// The main window's menu bar, left to right, as both desktop programs draw it.
std::span<const MenuDescription> MainMenus();

} // namespace quillet
