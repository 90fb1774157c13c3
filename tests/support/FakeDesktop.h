#pragma once

#include "base/Desktop.h"
#include "base/FsPath.h"

#include <string>
#include <vector>

namespace quillet::testing {

// A desktop with one program that can be started, closed by the user and refuse keys.
class FakeDesktop : public Desktop {
public:
    bool startFails = false;
    bool keysFail = false;
    bool running = false;
    // Another program holds the foreground (the system refused to hand it over).
    bool foregroundElsewhere = false;
    long nextTask = 7;
    long window = 42;
    std::vector<std::string> calls;

    // The user closes the editor.
    void Close() { running = false; }

    long StartProgram(const std::string& nativePath) override {
        calls.push_back("start " + nativePath);
        if (startFails) {
            return 0;
        }
        running = true;
        return ++nextTask;
    }
    bool IsRunning(long task) override { return running && task == nextTask; }
    bool ActivateTask(long task) override {
        calls.push_back("activate " + std::to_string(task));
        return IsRunning(task);
    }
    long ActiveWindow() override { return running ? window : 0; }
    bool PutOnTop(long w) override {
        calls.push_back("top " + std::to_string(w));
        return running;
    }
    bool ForegroundIsTask(long task) override { return IsRunning(task) && !foregroundElsewhere; }
    bool SendKeys(const std::string& keys) override {
        calls.push_back("keys " + keys);
        return !keysFail;
    }
    bool OpenDocument(const std::filesystem::path& path) override {
        calls.push_back("open " + FsText(path));
        return true;
    }
};

} // namespace quillet::testing
