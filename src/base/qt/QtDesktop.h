#pragma once

#include "base/Desktop.h"

#include <QtGlobal>

#include <map>

namespace quillet {

// Programs are started detached, so they outlive Quillet as the operator expects of an
// editor; a task is a small number that stands for one started process. Another
// program's windows cannot be activated, raised or sent keystrokes on this platform, so
// those operations report failure.
class QtDesktop final : public Desktop {
public:
    long StartProgram(const std::string& nativePath) override;
    bool IsRunning(long task) override;
    bool ActivateTask(long task) override;
    long ActiveWindow() override;
    bool ForegroundIsTask(long task) override;
    bool PutOnTop(long window) override;
    bool SendKeys(const std::string& keys) override;
    bool OpenDocument(const std::filesystem::path& path) override;

private:
    std::map<long, qint64> processes_;
    long nextTask_ = 1;
};

} // namespace quillet
