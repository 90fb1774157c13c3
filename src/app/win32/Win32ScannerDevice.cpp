#include "app/win32/Win32ScannerDevice.h"

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
    // Some drivers report both as 0, which SetCommState refuses even with flow control off.
    dcb.XonChar = 0x11;
    dcb.XoffChar = 0x13;
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

Win32ScannerDevice::~Win32ScannerDevice() {
    if (IsOpen()) {
        ::CloseHandle(handle_);
    }
}

std::string Win32ScannerDevice::DeviceFor(int portNumber) const {
    return Win32SerialDevice(devices_, portNumber);
}

SerialOpenResult Win32ScannerDevice::Open(const std::string& device, const SerialLine& line) {
    lineError_ = false;
    const HANDLE handle = ::CreateFileA(device.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                        OPEN_EXISTING, 0, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return {false, static_cast<long>(error), SystemErrorText(error)};
    }
    // A device that is gone may still open; it then refuses its line settings.
    if (!Configure(handle, line)) {
        DWORD error = ::GetLastError();
        ::CloseHandle(handle);
        error = error == ERROR_SUCCESS ? ERROR_GEN_FAILURE : error;
        return {false, static_cast<long>(error), SystemErrorText(error)};
    }
    // Opening starts from an empty line, as the scanner's port always did.
    ::PurgeComm(handle, PURGE_RXCLEAR | PURGE_TXCLEAR);
    handle_ = handle;
    return {};
}

// Keeps what the driver still holds, unless the device is already gone.
void Win32ScannerDevice::Close(std::string& left) {
    if (ClearErrors()) {
        ReadAvailable(left);
    }
    ::CloseHandle(handle_);
    handle_ = INVALID_HANDLE_VALUE;
}

// Notes the line errors among ClearCommError's bits; false when the call failed, which is
// how a device that went away shows.
bool Win32ScannerDevice::ClearErrors() {
    DWORD errors = 0;
    COMSTAT status{};
    if (!::ClearCommError(handle_, &errors, &status)) {
        return false;
    }
    lineError_ = lineError_ || (errors & kLineErrors) != 0;
    return true;
}

bool Win32ScannerDevice::Read(std::string& bytes, std::string& reason) {
    if (!ClearErrors() || !ReadAvailable(bytes)) {
        reason = SystemErrorText(::GetLastError());
        return false;
    }
    return true;
}

// False when a read failed.
bool Win32ScannerDevice::ReadAvailable(std::string& bytes) {
    char buffer[4096];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(handle_, buffer, sizeof buffer, &read, nullptr)) {
            return false;
        }
        if (read == 0) {
            return true;
        }
        bytes.append(buffer, read);
    }
}

void Win32ScannerDevice::ClearInput() {
    lineError_ = false;
    ::PurgeComm(handle_, PURGE_RXCLEAR);
}

bool Win32ScannerDevice::Write(std::string_view bytes) {
    DWORD written = 0;
    const BOOL ok =
        ::WriteFile(handle_, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    return ok && written == bytes.size();
}

} // namespace quillet
