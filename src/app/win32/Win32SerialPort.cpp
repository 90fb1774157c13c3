#include "app/win32/Win32SerialPort.h"

#include "app/ScannerPortText.h"
#include "base/win32/SystemErrors.h"
#include "config/SerialLine.h"

namespace quillet {

namespace {

// How long one write may take before the scanner is taken to be gone.
constexpr DWORD kWriteTimeoutMs = 500;
// Room for many labels while the program is busy in a pause, a message box or a slow
// host call; the drivers' defaults can be as small as a few kilobytes.
constexpr DWORD kReceiveBufferBytes = 64 * 1024;
constexpr DWORD kSendBufferBytes = 4 * 1024;
// The errors that mean received bytes were lost or damaged.
constexpr DWORD kLineErrors = CE_OVERRUN | CE_RXOVER | CE_FRAME | CE_RXPARITY;

BYTE ToParity(char letter) {
    switch (letter) {
    case 'E':
        return EVENPARITY;
    case 'O':
        return ODDPARITY;
    case 'M':
        return MARKPARITY;
    case 'S':
        return SPACEPARITY;
    default:
        return NOPARITY;
    }
}

BYTE ToStopBits(double stopBits) {
    if (stopBits == 2) {
        return TWOSTOPBITS;
    }
    return stopBits == 1.5 ? ONE5STOPBITS : ONESTOPBIT;
}

// Line settings and timeouts that make ReadFile return at once with what is there. Every
// field that changes how bytes are received is set, rather than kept as the driver or the
// last program left it.
bool Configure(HANDLE handle, const SerialLine& line) {
    // Only a recommendation to the driver; one that keeps its own sizes still works.
    ::SetupComm(handle, kReceiveBufferBytes, kSendBufferBytes);
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!::GetCommState(handle, &dcb)) {
        return false;
    }
    dcb.BaudRate = static_cast<DWORD>(line.baud);
    dcb.ByteSize = static_cast<BYTE>(line.dataBits);
    dcb.Parity = ToParity(line.parity);
    dcb.StopBits = ToStopBits(line.stopBits);
    dcb.fBinary = TRUE;
    dcb.fParity = line.parity != 'N';
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fTXContinueOnXoff = TRUE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    dcb.fErrorChar = FALSE;
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    if (!::SetCommState(handle, &dcb)) {
        return false;
    }
    COMMTIMEOUTS timeouts{};
    timeouts.ReadIntervalTimeout = MAXDWORD;
    timeouts.WriteTotalTimeoutConstant = kWriteTimeoutMs;
    return ::SetCommTimeouts(handle, &timeouts) != 0;
}

} // namespace

std::string Win32SerialDevice(const SerialDeviceMap& devices, int portNumber) {
    if (std::optional<std::string> named = devices.Named(portNumber)) {
        return *named;
    }
    return portNumber < 1 ? std::string() : "\\\\.\\COM" + std::to_string(portNumber);
}

SerialOpenResult Win32SerialPort::Open(int portNumber, const std::string& settings) {
    Close();
    waiting_ = false;
    lineError_ = false;
    device_ = Win32SerialDevice(devices_, portNumber);
    settings_ = settings;
    if (!ParseSerialLine(settings)) {
        return {false, kBadSettingsError, kBadSettingsText};
    }
    if (device_.empty()) {
        return {false, ERROR_FILE_NOT_FOUND,
                "No device for port number " + std::to_string(portNumber)};
    }
    if (const DWORD error = OpenDevice(); error != ERROR_SUCCESS) {
        return {false, static_cast<long>(error), SystemErrorText(error) + " (" + device_ + ")"};
    }
    return {};
}

DWORD Win32SerialPort::OpenDevice() {
    const HANDLE handle = ::CreateFileA(device_.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        return ::GetLastError();
    }
    // A device that is gone may still open; it then refuses its line settings.
    if (!Configure(handle, *ParseSerialLine(settings_))) {
        const DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        return error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
    }
    // Opening starts from an empty line, as the scanner's port always did.
    ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    handle_ = handle;
    return ERROR_SUCCESS;
}

// Keeps what the driver still holds; a device already gone is simply closed, not reported.
void Win32SerialPort::Close() {
    if (IsOpen()) {
        if (ClearErrors()) {
            ReadAvailable();
        }
        ::CloseHandle(handle_);
        handle_ = INVALID_HANDLE_VALUE;
    }
    waiting_ = false;
}

void Win32SerialPort::CheckHealth() {
    if (IsOpen() && !ClearErrors()) {
        Lose(::GetLastError());
    }
}

bool Win32SerialPort::ClearErrors() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(handle_, &errors, &status)) {
        return false;
    }
    lineError_ = lineError_ || (errors & kLineErrors) != 0;
    return true;
}

void Win32SerialPort::Lose(DWORD error) {
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
    waiting_ = true;
    if (lost_) {
        lost_(ScannerPortLostText(device_, SystemErrorText(error)));
    }
}

void Win32SerialPort::Retry() {
    if (!waiting_ || OpenDevice() != ERROR_SUCCESS) {
        return;
    }
    waiting_ = false;
    if (back_) {
        back_(ScannerPortBackText(device_));
    }
}

// Takes everything the driver holds into kept_; a dead device shows here first.
void Win32SerialPort::Drain() {
    CheckHealth();
    if (IsOpen() && !ReadAvailable()) {
        Lose(::GetLastError());
    }
}

// False when a read failed.
bool Win32SerialPort::ReadAvailable() {
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(handle_, buffer, sizeof buffer, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        kept_.append(buffer, read);
    }
}

std::size_t Win32SerialPort::BytesWaiting() {
    Drain();
    return kept_.size();
}

std::string Win32SerialPort::ReadAll() {
    Drain();
    std::string bytes;
    bytes.swap(kept_);
    return bytes;
}

void Win32SerialPort::ClearInput() {
    kept_.clear();
    lineError_ = false;
    if (IsOpen()) {
        ::PurgeComm(handle_, PURGE_RXCLEAR);
    }
}

bool Win32SerialPort::Write(std::string_view bytes) {
    if (!IsOpen()) {
        return false;
    }
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

} // namespace quillet
