#pragma once

#include <filesystem>
#include <string>

namespace quillet {

// What the editor launch needs from the desktop. Tasks and windows are opaque numbers;
// 0 means none.
class Desktop {
public:
    virtual ~Desktop() = default;
    // Starts the program with a normal, focused window; its task, or 0 when it failed.
    virtual long StartProgram(const std::string& nativePath) = 0;
    virtual bool IsRunning(long task) = 0;
    virtual bool ActivateTask(long task) = 0;
    virtual long ActiveWindow() = 0;
    // Puts the window on top of all others, topmost, without moving or sizing it.
    virtual bool PutOnTop(long window) = 0;
    // The foreground window belongs to the task's process (keys sent now reach it).
    virtual bool ForegroundIsTask(long task) = 0;
    // Sends keystrokes to the active window without waiting for them to be processed.
    virtual bool SendKeys(const std::string& keys) = 0;
    // Opens a document with the program the desktop associates with it; false when none
    // could be started.
    virtual bool OpenDocument(const std::filesystem::path& path) = 0;
};

} // namespace quillet
