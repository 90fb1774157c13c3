#pragma once

#include "app/ScannerDevice.h"
#include "app/SerialDeviceMap.h"

#include <windows.h>

#include <string>
#include <utility>

namespace quillet {

// The scanner's device as a Windows communications device, "\\.\COMn" unless the device
// map names another. Reads never block: they take what the driver holds. A device that
// goes away shows as a failing ClearCommError while reads still "succeed" with nothing.
// Line errors (overrun, full buffer, framing, parity) are noted for the poller, which
// decides what they cost.
class Win32ScannerDevice final : public ScannerDevice {
public:
    explicit Win32ScannerDevice(SerialDeviceMap devices) : devices_(std::move(devices)) {}
    ~Win32ScannerDevice() override;
    Win32ScannerDevice(const Win32ScannerDevice&) = delete;
    Win32ScannerDevice& operator=(const Win32ScannerDevice&) = delete;

    std::string DeviceFor(int portNumber) const override;
    long NoDeviceError() const override { return ERROR_FILE_NOT_FOUND; }
    SerialOpenResult Open(const std::string& device, const SerialLine& line) override;
    bool IsOpen() const override { return handle_ != INVALID_HANDLE_VALUE; }
    void Close(std::string& left) override;
    bool Read(std::string& bytes, std::string& reason) override;
    void ClearInput() override;
    bool Write(std::string_view bytes) override;
    bool TakeLineError() override { return std::exchange(lineError_, false); }

private:
    bool ClearErrors();
    bool ReadAvailable(std::string& bytes);

    SerialDeviceMap devices_;
    HANDLE handle_ = INVALID_HANDLE_VALUE;
    bool lineError_ = false;
};

// The device a port number opens on Windows: the map's, else "\\.\COMn".
std::string Win32SerialDevice(const SerialDeviceMap& devices, int portNumber);

} // namespace quillet
