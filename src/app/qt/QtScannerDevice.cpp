#include "app/qt/QtScannerDevice.h"

#include "app/posix/LineErrorCount.h"
#include "base/qt/SingleByteText.h"

#include <QFileInfo>

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

bool MeansDeviceGone(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
           error == QSerialPort::WriteError;
}

} // namespace

QtScannerDevice::QtScannerDevice(SerialDeviceMap devices, QObject* parent)
    : QObject(parent), devices_(std::move(devices)) {
    connect(&port_, &QSerialPort::errorOccurred, this, &QtScannerDevice::OnError);
}

QtScannerDevice::~QtScannerDevice() {
    port_.disconnect(this);
}

std::string QtScannerDevice::DeviceFor(int portNumber) const {
    return devices_.DeviceFor(portNumber);
}

SerialOpenResult QtScannerDevice::Open(const std::string& device, const SerialLine& line) {
    port_.setPortName(ToQString(device));
    port_.setBaudRate(line.baud);
    port_.setParity(ToParity(line.parity));
    port_.setDataBits(static_cast<QSerialPort::DataBits>(line.dataBits));
    port_.setStopBits(ToStopBits(line.stopBits));
    port_.setFlowControl(QSerialPort::NoFlowControl);
    if (port_.open(QIODevice::ReadWrite)) {
        lineErrors_ = LineErrorCount(static_cast<int>(port_.handle()));
        return {};
    }
    const SerialOpenResult failed{false, port_.error(), FromQString(port_.errorString())};
    port_.clearError();
    return failed;
}

void QtScannerDevice::TakeBuffered(std::string& bytes) {
    const QByteArray read = port_.readAll();
    bytes.append(read.constData(), static_cast<std::size_t>(read.size()));
}

void QtScannerDevice::Close(std::string& left) {
    TakeBuffered(left);
    port_.close();
}

bool QtScannerDevice::Read(std::string& bytes, std::string& /*reason*/) {
    TakeBuffered(bytes);
    return true;
}

bool QtScannerDevice::Write(std::string_view bytes) {
    const auto size = static_cast<qint64>(bytes.size());
    if (port_.write(bytes.data(), size) != size) {
        return false;
    }
    port_.flush();
    return true;
}

bool QtScannerDevice::TakeLineError() {
    if (!lineErrors_ || !port_.isOpen()) {
        return false;
    }
    const std::optional<long long> now = LineErrorCount(static_cast<int>(port_.handle()));
    const bool more = now && *now != *lineErrors_;
    lineErrors_ = now;
    return more;
}

// Trying a device node that is not there only fills Qt's error state.
bool QtScannerDevice::Present(const std::string& device) const {
    return QFileInfo::exists(ToQString(device));
}

// Some Qt versions repeat the error for as long as the dead device stays open, hence
// the check that the port is still open: only the first one closes and reports.
void QtScannerDevice::OnError(QSerialPort::SerialPortError error) {
    if (!MeansDeviceGone(error) || !port_.isOpen()) {
        return;
    }
    const std::string reason = FromQString(port_.errorString());
    std::string left;
    TakeBuffered(left);
    port_.close();
    port_.clearError();
    ReportGone(reason, left);
}

} // namespace quillet
