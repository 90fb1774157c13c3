#pragma once

#include "app/ApplyCommSettings.h"
#include "app/ScannerDevice.h"
#include "base/SerialPort.h"

#include <functional>
#include <optional>
#include <string>

namespace quillet {

// The scanner's port over one toolkit's device. A device that goes away (a USB adapter
// pulled out) is closed once and reported once; Retry() then opens it again with the same
// settings until it is back. Bytes received before the loss are kept for the next ReadAll.
class ReconnectingSerialPort final : public SerialPort {
public:
    using Report = std::function<void(const std::string& status)>;

    explicit ReconnectingSerialPort(ScannerDevice& device);
    ~ReconnectingSerialPort() override;
    ReconnectingSerialPort(const ReconnectingSerialPort&) = delete;
    ReconnectingSerialPort& operator=(const ReconnectingSerialPort&) = delete;

    void OnLost(Report report) { lost_ = std::move(report); }
    void OnBack(Report report) { back_ = std::move(report); }

    // Closes the port if open, then opens port `portNumber` with the settings text.
    SerialOpenResult Open(int portNumber, const std::string& settings);
    void Close();
    // The device of the last Open, for messages.
    const std::string& Device() const { return deviceName_; }

    // Notices a device that went away, before the poll reads from it.
    void CheckHealth() { Drain(); }
    // While the device is gone: one attempt to open it again.
    void Retry();
    // While the device is gone: one attempt on port `portNumber` instead, with the same
    // settings. True when it opened; the port then stays there, and the caller says so.
    bool RetryOn(int portNumber);
    bool WaitingForDevice() const { return waiting_; }

    bool IsOpen() const override { return device_.IsOpen(); }
    std::size_t BytesWaiting() override;
    std::string ReadAll() override;
    void ClearInput() override;
    bool Write(std::string_view bytes) override;
    bool TakeLineError() override { return device_.IsOpen() && device_.TakeLineError(); }

private:
    void Drain();
    void Lose(const std::string& reason);

    ScannerDevice& device_;
    std::string deviceName_;
    std::optional<SerialLine> line_;
    std::string kept_;
    bool waiting_ = false;
    Report lost_;
    Report back_;
};

} // namespace quillet
