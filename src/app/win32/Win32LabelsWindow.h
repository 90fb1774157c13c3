#pragma once

#include "app/TodaysLabels.h"

#include <windows.h>

#include <commctrl.h>

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace quillet {

// The labels window beside the main window: today's labels in a list view that asks for
// the rows it shows, and the try box. It draws the core's rows and reports; what the
// operator does goes out through the two callbacks.
class Win32LabelsWindow {
public:
    Win32LabelsWindow(HINSTANCE instance, TodaysLabels& labels,
                      std::function<void(const std::string&)> tryLabel,
                      std::function<void(bool)> scansTried);
    ~Win32LabelsWindow();
    Win32LabelsWindow(const Win32LabelsWindow&) = delete;
    Win32LabelsWindow& operator=(const Win32LabelsWindow&) = delete;

    // Shown beside `owner` the first time, brought to the front after.
    void Show(HWND owner);
    void Close();
    void ShowTried(const std::string& report);
    HWND Handle() const { return window_; }

    // The commands and controls of the window, for whoever drives it.
    static constexpr int kList = 101;
    static constexpr int kTryText = 102;
    static constexpr int kTryId = 103;
    static constexpr int kScansBox = 104;
    static constexpr int kCopyCommand = 106;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void Create();
    void Layout();
    void Changed();
    void Copy();
    void Cell(NMLVDISPINFOA& info);
    std::optional<std::size_t> Label(int item) const;
    std::vector<int> Selected() const;

    HINSTANCE instance_;
    TodaysLabels& labels_;
    std::function<void(const std::string&)> tryLabel_;
    std::function<void(bool)> scansTried_;
    HWND window_ = nullptr;
    HWND list_ = nullptr;
    HWND tryText_ = nullptr;
    HWND tryButton_ = nullptr;
    HWND scansBox_ = nullptr;
    HWND tried_ = nullptr;
    std::string cell_; // the text a list view cell was last given
    bool stale_ = false;
    std::size_t shown_ = 0; // rows the list knows of
};

} // namespace quillet
