#include "app/ReconnectingSerialPort.h"

#include "app/ScannerPortText.h"

#include <utility>

namespace quillet {

ReconnectingSerialPort::ReconnectingSerialPort(ScannerDevice& device) : device_(device) {
    device_.OnGone([this](const std::string& reason, const std::string& left) {
        kept_ += left;
        Lose(reason);
    });
}

ReconnectingSerialPort::~ReconnectingSerialPort() {
    device_.OnGone(nullptr);
    Close();
}

SerialOpenResult ReconnectingSerialPort::Open(int portNumber, const std::string& settings) {
    Close();
    deviceName_ = device_.DeviceFor(portNumber);
    line_ = ParseSerialLine(settings);
    if (!line_) {
        return {false, kBadSettingsError, kBadSettingsText};
    }
    if (deviceName_.empty()) {
        return {false, device_.NoDeviceError(),
                "No device for port number " + std::to_string(portNumber)};
    }
    SerialOpenResult result = device_.Open(deviceName_, *line_);
    if (!result.ok) {
        result.errorText += " (" + deviceName_ + ")";
    }
    return result;
}

// Keeps what the driver still holds; a device already gone is simply closed, not reported.
void ReconnectingSerialPort::Close() {
    waiting_ = false;
    if (device_.IsOpen()) {
        device_.Close(kept_);
    }
}

void ReconnectingSerialPort::Lose(const std::string& reason) {
    if (waiting_) {
        return;
    }
    if (device_.IsOpen()) {
        device_.Close(kept_);
    }
    waiting_ = true;
    if (lost_) {
        lost_(ScannerPortLostText(deviceName_, reason));
    }
}

void ReconnectingSerialPort::Retry() {
    if (!waiting_ || !line_ || !device_.Present(deviceName_) ||
        !device_.Open(deviceName_, *line_).ok) {
        return;
    }
    waiting_ = false;
    if (back_) {
        back_(ScannerPortBackText(deviceName_));
    }
}

bool ReconnectingSerialPort::RetryOn(int portNumber) {
    const std::string device = device_.DeviceFor(portNumber);
    if (!waiting_ || !line_ || device.empty() || !device_.Present(device) ||
        !device_.Open(device, *line_).ok) {
        return false;
    }
    deviceName_ = device;
    waiting_ = false;
    return true;
}

void ReconnectingSerialPort::Drain() {
    std::string reason;
    if (device_.IsOpen() && !device_.Read(kept_, reason)) {
        Lose(reason);
    }
}

std::size_t ReconnectingSerialPort::BytesWaiting() {
    Drain();
    return kept_.size();
}

std::string ReconnectingSerialPort::ReadAll() {
    Drain();
    return std::exchange(kept_, {});
}

void ReconnectingSerialPort::ClearInput() {
    kept_.clear();
    if (device_.IsOpen()) {
        device_.ClearInput();
    }
}

bool ReconnectingSerialPort::Write(std::string_view bytes) {
    return device_.IsOpen() && device_.Write(bytes);
}

} // namespace quillet
