#pragma once

#include "app/ScannerDevice.h"
#include "app/SerialDeviceMap.h"

#include <QObject>
#include <QSerialPort>

#include <optional>
#include <string>

namespace quillet {

// The scanner's device over QSerialPort. Qt reports a device that fails while open (a
// USB adapter pulled out) by a signal: the device is then closed at once and reported
// gone with the bytes Qt still held. Qt 6 no longer reports parity or framing errors, so
// line errors come from the driver's error counters where it keeps them.
class QtScannerDevice final : public QObject, public ScannerDevice {
    Q_OBJECT

public:
    explicit QtScannerDevice(SerialDeviceMap devices, QObject* parent = nullptr);
    ~QtScannerDevice() override;

    // Takes effect at the next Open.
    void SetDevices(SerialDeviceMap devices) { devices_ = std::move(devices); }
    const SerialDeviceMap& Devices() const { return devices_; }

    std::string DeviceFor(int portNumber) const override;
    long NoDeviceError() const override { return QSerialPort::DeviceNotFoundError; }
    SerialOpenResult Open(const std::string& device, const SerialLine& line) override;
    bool IsOpen() const override { return port_.isOpen(); }
    void Close(std::string& left) override;
    bool Read(std::string& bytes, std::string& reason) override;
    void ClearInput() override { port_.clear(QSerialPort::Input); }
    bool Write(std::string_view bytes) override;
    bool Present(const std::string& device) const override;
    bool TakeLineError() override;

private:
    void OnError(QSerialPort::SerialPortError error);
    void TakeBuffered(std::string& bytes);

    SerialDeviceMap devices_;
    QSerialPort port_;
    std::optional<long long> lineErrors_; // the driver's count when last looked at
};

} // namespace quillet
