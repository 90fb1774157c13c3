#include "app/qt/QtSerialPort.h"

#include "app/qt/SingleByteText.h"

#include <QFileInfo>

#include <charconv>
#include <vector>

namespace quillet {

namespace {

std::string_view Trim(std::string_view text) {
    while (!text.empty() && text.front() == ' ') {
        text.remove_prefix(1);
    }
    while (!text.empty() && text.back() == ' ') {
        text.remove_suffix(1);
    }
    return text;
}

std::vector<std::string_view> SplitCommas(std::string_view text) {
    std::vector<std::string_view> parts;
    for (;;) {
        const auto comma = text.find(',');
        parts.push_back(Trim(text.substr(0, comma)));
        if (comma == std::string_view::npos) {
            return parts;
        }
        text.remove_prefix(comma + 1);
    }
}

std::optional<int> WholeNumber(std::string_view text) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || error != std::errc{} || end != text.data() + text.size()) {
        return std::nullopt;
    }
    return value;
}

std::optional<QSerialPort::Parity> ParseParity(std::string_view text) {
    if (text.size() != 1) {
        return std::nullopt;
    }
    switch (text.front()) {
    case 'N':
    case 'n':
        return QSerialPort::NoParity;
    case 'E':
    case 'e':
        return QSerialPort::EvenParity;
    case 'O':
    case 'o':
        return QSerialPort::OddParity;
    case 'M':
    case 'm':
        return QSerialPort::MarkParity;
    case 'S':
    case 's':
        return QSerialPort::SpaceParity;
    default:
        return std::nullopt;
    }
}

std::optional<QSerialPort::StopBits> ParseStopBits(std::string_view text) {
    if (text == "1") {
        return QSerialPort::OneStop;
    }
    if (text == "1.5") {
        return QSerialPort::OneAndHalfStop;
    }
    if (text == "2") {
        return QSerialPort::TwoStop;
    }
    return std::nullopt;
}

bool MeansDeviceGone(QSerialPort::SerialPortError error) {
    return error == QSerialPort::ReadError || error == QSerialPort::ResourceError ||
           error == QSerialPort::WriteError;
}

} // namespace

std::optional<LineSettings> ParseLineSettings(const std::string& text) {
    const std::vector<std::string_view> parts = SplitCommas(text);
    if (parts.size() != 4) {
        return std::nullopt;
    }
    const std::optional<int> baud = WholeNumber(parts[0]);
    const std::optional<QSerialPort::Parity> parity = ParseParity(parts[1]);
    const std::optional<int> bits = WholeNumber(parts[2]);
    const std::optional<QSerialPort::StopBits> stop = ParseStopBits(parts[3]);
    if (!baud || *baud <= 0 || !parity || !bits || *bits < 5 || *bits > 8 || !stop) {
        return std::nullopt;
    }
    return LineSettings{*baud, *parity, static_cast<QSerialPort::DataBits>(*bits), *stop};
}

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
    const std::optional<LineSettings> line = ParseLineSettings(settings);
    if (!line) {
        return {false, kBadSettingsError, "Invalid property value"};
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
    return port_.open(QIODevice::ReadWrite);
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
    emit disconnected(QStringLiteral("Scanner port %1 lost: %2").arg(ToQString(device_), reason));
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
    emit reconnected(QStringLiteral("Scanner port %1 is back.").arg(ToQString(device_)));
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
