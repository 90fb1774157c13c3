#pragma once

#include "app/ApplyCommSettings.h"
#include "app/SerialDeviceMap.h"
#include "base/SerialPort.h"

#include <windows.h>

#include <functional>
#include <string>
#include <utility>

namespace quillet {

// The scanner's port as a Windows communications device, "\\.\COMn" unless the device map
// names another. Reads never block: they take what the driver holds. A device that goes
// away (a USB adapter pulled out) shows as a failing ClearCommError while reads still
// "succeed" with nothing; the port is then closed once, the loss reported once, and the
// device tried again by Retry() until it opens with the same settings. Bytes received
// before the loss are kept for the next ReadAll. Line errors (overrun, full buffer,
// framing, parity) are reported to the poller, which decides what they cost.
class Win32SerialPort final : public SerialPort {
public:
    using Report = std::function<void(const std::string& status)>;

    explicit Win32SerialPort(SerialDeviceMap devices) : devices_(std::move(devices)) {}
    ~Win32SerialPort() override { Close(); }
    Win32SerialPort(const Win32SerialPort&) = delete;
    Win32SerialPort& operator=(const Win32SerialPort&) = delete;

    void OnLost(Report report) { lost_ = std::move(report); }
    void OnBack(Report report) { back_ = std::move(report); }

    // Closes the port if open, then opens port `portNumber` with `settings`.
    SerialOpenResult Open(int portNumber, const std::string& settings);
    void Close();
    const std::string& Device() const { return device_; }

    // Each tick: notices a device that went away.
    void CheckHealth();
    // While the device is gone: one attempt to open it again.
    void Retry();
    bool WaitingForDevice() const { return waiting_; }

    bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }
    std::size_t BytesWaiting() override;
    std::string ReadAll() override;
    void ClearInput() override;
    bool Write(std::string_view bytes) override;
    bool TakeLineError() override { return std::exchange(lineError_, false); }

private:
    // Notes the line errors among ClearCommError's bits; false when the call failed.
    bool ClearErrors();
    DWORD OpenDevice();
    void Drain();
    bool ReadAvailable();
    void Lose(DWORD error);

    SerialDeviceMap devices_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    std::string device_;
    std::string settings_;
    std::string kept_;
    bool waiting_ = false;
    bool lineError_ = false;
    Report lost_;
    Report back_;
};

// The device a port number opens on Windows: the map's, else "\\.\COMn".
std::string Win32SerialDevice(const SerialDeviceMap& devices, int portNumber);

} // namespace quillet
