#include "app/qt/QtSerialPort.h"

#include "app/ScannerPortText.h"
#include "app/posix/LineErrorCount.h"
#include "base/qt/SingleByteText.h"
#include "config/SerialLine.h"

#include <QFileInfo>

#include <optional>

namespace quillet {

namespace {

QSerialPort::Parity ToParity(char letter) {
    switch (letter) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

QSerialPort::StopBits ToStopBits(double stopBits) {
    if (stopBits == 2.0) {
        return QSerialPort::TwoStop;
    }
    return stopBits == 1.5 ? QSerialPort::OneAndHalfStop : QSerialPort::OneStop;
}

std::optional<LineSettings> ToLineSettings(const std::string& text) {
    const std::optional<SerialLine> line = ParseSerialLine(text);
    if (!line) {
        return std::nullopt;
    }
    return LineSettings{line->baud, ToParity(line->parity),
                        static_cast<QSerialPort::DataBits>(line->dataBits),
                        ToStopBits(line->stopBits)};
}

bool MeansDeviceGone(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
           error == QSerialPort::WriteError;
}

} // namespace

QtSerialPort::QtSerialPort(SerialDeviceMap devices, QObject* parent)
    : QObject(parent), devices_(std::move(devices)) {
    reopenTimer_.setInterval(kDefaultReopenMs);
    connect(&port_, &QSerialPort::errorOccurred, this, &QtSerialPort::OnError);
    connect(&reopenTimer_, &QTimer::timeout, this, &QtSerialPort::TryReopen);
}

QtSerialPort::~QtSerialPort() {
    port_.disconnect(this);
    Close();
}

SerialOpenResult QtSerialPort::Open(int portNumber, const std::string& settings) {
    Close();
    device_ = devices_.DeviceFor(portNumber);
    const std::optional<LineSettings> line = ToLineSettings(settings);
    if (!line) {
        return {false, kBadSettingsError, kBadSettingsText};
    }
    line_ = *line;
    if (device_.empty()) {
        return {false, QSerialPort::DeviceNotFoundError,
                "No device for port number " + std::to_string(portNumber)};
    }
    if (!OpenDevice()) {
        const SerialOpenResult failed{false, port_.error(),
                                      FromQString(port_.errorString()) + " (" + device_ + ")"};
        port_.clearError();
        return failed;
    }
    return {};
}

bool QtSerialPort::OpenDevice() {
    port_.setPortName(ToQString(device_));
    port_.setBaudRate(line_.baud);
    port_.setParity(line_.parity);
    port_.setDataBits(line_.dataBits);
    port_.setStopBits(line_.stopBits);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!port_.open(QIODevice::ReadWrite)) {
        return false;
    }
    lineErrors_ = LineErrorCount(static_cast<int>(port_.handle()));
    return true;
}

void QtSerialPort::Close() {
    reopenTimer_.stop();
    if (port_.isOpen()) {
        KeepBuffered();
        port_.close();
    }
}

void QtSerialPort::KeepBuffered() {
    const QByteArray bytes = port_.readAll();
    kept_.append(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// Some Qt versions repeat the error for as long as the dead device stays open, hence
// the check that the port is still open: only the first one closes and reports.
void QtSerialPort::OnError(QSerialPort::SerialPortError error) {
    if (!MeansDeviceGone(error) || !port_.isOpen()) {
        return;
    }
    const QString reason = port_.errorString();
    KeepBuffered();
    port_.close();
    port_.clearError();
    reopenTimer_.start();
    emit disconnected(ToQString(ScannerPortLostText(device_, FromQString(reason))));
}

void QtSerialPort::TryReopen() {
    if (!QFileInfo::exists(ToQString(device_))) {
        return;
    }
    if (!OpenDevice()) {
        port_.clearError();
        return;
    }
    reopenTimer_.stop();
    emit reconnected(ToQString(ScannerPortBackText(device_)));
}

bool QtSerialPort::IsOpen() const {
    return port_.isOpen();
}

std::size_t QtSerialPort::BytesWaiting() {
    const qint64 buffered = port_.isOpen() ? port_.bytesAvailable() : 0;
    return kept_.size() + static_cast<std::size_t>(buffered);
}

std::string QtSerialPort::ReadAll() {
    std::string bytes = std::exchange(kept_, {});
    if (port_.isOpen()) {
        const QByteArray read = port_.readAll();
        bytes.append(read.constData(), static_cast<std::size_t>(read.size()));
    }
    return bytes;
}

void QtSerialPort::ClearInput() {
    kept_.clear();
    if (port_.isOpen()) {
        port_.clear(QSerialPort::Input);
    }
}

bool QtSerialPort::TakeLineError() {
    if (!lineErrors_ || !port_.isOpen()) {
        return false;
    }
    const std::optional<long long> now = LineErrorCount(static_cast<int>(port_.handle()));
    const bool more = now && *now != *lineErrors_;
    lineErrors_ = now;
    return more;
}

bool QtSerialPort::Write(std::string_view bytes) {
    if (!port_.isOpen()) {
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(bytes.data(), size) != size) {
        return false;
    }
    port_.flush();
    return true;
}

} // namespace quillet
