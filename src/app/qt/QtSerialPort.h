#pragma once

#include "app/ApplyCommSettings.h"
#include "app/ScannerPortText.h"
#include "app/SerialDeviceMap.h"
#include "base/SerialPort.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

#include <optional>
#include <string>

namespace quillet {

// The line parameters of a settings text, in QSerialPort's terms.
struct LineSettings {
    qint32 baud = 9600;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
};

// The scanner's port over QSerialPort. A device that fails while open (a USB adapter
// pulled out) is closed once, reported once by `disconnected`, and opened again with the
// same settings when it comes back (`reconnected`). Bytes received before the failure
// are kept and delivered by the next ReadAll. Qt 6 no longer reports parity or framing
// errors, so line errors come from the driver's error counters where it keeps them.
class QtSerialPort final : public QObject, public SerialPort {
    Q_OBJECT

public:
    static constexpr int kDefaultReopenMs = 1000;
    static constexpr long kBadSettingsError = ::quillet::kBadSettingsError;

    explicit QtSerialPort(SerialDeviceMap devices, QObject* parent = nullptr);
    ~QtSerialPort() override;

    // Closes the port if open, then opens port `portNumber` with `settings`.
    SerialOpenResult Open(int portNumber, const std::string& settings);
    void Close();
    // Takes effect at the next Open.
    void SetDevices(SerialDeviceMap devices) { devices_ = std::move(devices); }
    // The device of the last Open, for messages.
    const std::string& Device() const { return device_; }
    bool WaitingForDevice() const { return reopenTimer_.isActive(); }
    void SetReopenInterval(int milliseconds) { reopenTimer_.setInterval(milliseconds); }

    bool IsOpen() const override;
    std::size_t BytesWaiting() override;
    std::string ReadAll() override;
    void ClearInput() override;
    bool Write(std::string_view bytes) override;
    bool TakeLineError() override;

signals:
    void disconnected(const QString& message);
    void reconnected(const QString& message);

private:
    bool OpenDevice();
    void OnError(QSerialPort::SerialPortError error);
    void TryReopen();
    void KeepBuffered();

    SerialDeviceMap devices_;
    QSerialPort port_;
    QTimer reopenTimer_;
    std::string device_;
    LineSettings line_;
    std::string kept_;
    std::optional<long long> lineErrors_; // the driver's count when last looked at
};

} // namespace quillet
