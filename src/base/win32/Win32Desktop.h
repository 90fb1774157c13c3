#pragma once

#include "base/Desktop.h"

#include <windows.h>

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace quillet {

// The editor launch on Windows: a started program is a task, its top-level window is
// brought to the front, and keys are typed into the foreground window with SendInput.
// Nothing here waits: the caller waits for the editor's window while the program's
// messages keep flowing.
class Win32Desktop final : public Desktop {
public:
    Win32Desktop() = default;
    ~Win32Desktop() override;
    Win32Desktop(const Win32Desktop&) = delete;
    Win32Desktop& operator=(const Win32Desktop&) = delete;

    long StartProgram(const std::string& nativePath) override;
    bool IsRunning(long task) override;
    bool ActivateTask(long task) override;
    long ActiveWindow() override;
    bool ForegroundIsTask(long task) override;
    bool PutOnTop(long window) override;
    bool SendKeys(const std::string& keys) override;
    bool OpenDocument(const std::filesystem::path& path) override;

private:
    std::map<long, PROCESS_INFORMATION> tasks_;
    long nextTask_ = 1;
};

// The keystrokes that type `keys`: a control character is Ctrl with its letter, carriage
// return is Enter, any other byte the character it stands for in the ANSI code page.
std::vector<INPUT> KeyStrokes(std::string_view keys);

} // namespace quillet
