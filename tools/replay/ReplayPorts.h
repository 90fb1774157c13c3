#pragma once

#include "base/Desktop.h"
#include "base/EventPump.h"
#include "base/FileSystem.h"
#include "base/Operator.h"
#include "base/SerialPort.h"
#include "base/Trace.h"

#include <optional>
#include <string>

namespace quillet::replay {

// Answers every message box at once, Cancel where the box has one, and traces it as
// "message <icon>|<title>|<text>".
class UnattendedOperator final : public Operator {
public:
    explicit UnattendedOperator(Trace& trace) : trace_(trace) {}
    MessageAnswer Message(MessageIcon icon, MessageButtons buttons, const std::string& title,
                          const std::string& text) override;
    void Beep() override { trace_.Event("beep", ""); }
    void RequestExit(int status) override;
    std::optional<int> ExitStatus() const { return exitStatus_; }

private:
    Trace& trace_;
    std::optional<int> exitStatus_;
};

// The scanner's port: always open; the script puts bytes in, every write is traced.
class ScriptedSerialPort final : public SerialPort {
public:
    explicit ScriptedSerialPort(Trace& trace) : trace_(trace) {}
    void Arrive(const std::string& bytes) { incoming_ += bytes; }

    bool IsOpen() const override { return true; }
    std::size_t BytesWaiting() override { return incoming_.size(); }
    std::string ReadAll() override;
    void ClearInput() override { incoming_.clear(); }
    bool Write(std::string_view bytes) override;
    bool TakeLineError() override { return false; }

private:
    Trace& trace_;
    std::string incoming_;
};

// Waiting without sleeping.
class NoSleepPump final : public EventPump {
public:
    void ProcessEvents() override {}
    // A run takes no time, but its waits are counted as if they had.
    void Sleep(int milliseconds) override { now_ += milliseconds; }
    std::int64_t Milliseconds() override { return now_; }

private:
    std::int64_t now_ = 0;
};

// One program can run: it starts when its file exists and then takes every request.
class SimulatedDesktop final : public Desktop {
public:
    explicit SimulatedDesktop(FileSystem& files) : files_(files) {}
    long StartProgram(const std::string& nativePath) override;
    bool IsRunning(long task) override { return running_ && task == kTask; }
    bool ActivateTask(long task) override { return IsRunning(task); }
    long ActiveWindow() override { return running_ ? kWindow : 0; }
    bool PutOnTop(long window) override { return running_ && window == kWindow; }
    bool ForegroundIsTask(long task) override { return IsRunning(task); }
    bool SendKeys(const std::string&) override { return running_; }
    bool OpenDocument(const std::filesystem::path&) override { return false; }

private:
    static constexpr long kTask = 1;
    static constexpr long kWindow = 1;
    FileSystem& files_;
    bool running_ = false;
};

} // namespace quillet::replay
