#pragma once

#include "app/ApplyCommSettings.h"
#include "config/SerialLine.h"

#include <functional>
#include <string>
#include <string_view>

namespace quillet {

// The scanner's serial device as one toolkit reaches it: open, read what has arrived,
// write. It decides nothing: keeping bytes over a loss, reporting it once and trying the
// device again are ReconnectingSerialPort's.
class ScannerDevice {
public:
    // The device went away on its own (the toolkit noticed first): why, and the bytes it
    // still held.
    using GoneHandler = std::function<void(const std::string& reason, const std::string& left)>;

    virtual ~ScannerDevice() = default;

    // The device that port number `portNumber` opens; empty when there is none.
    virtual std::string DeviceFor(int portNumber) const = 0;
    // The error number of a port number that names no device, as the platform numbers it.
    virtual long NoDeviceError() const = 0;
    // Opens `device` with `line`, from an empty line. The text of a failure does not name
    // the device.
    virtual SerialOpenResult Open(const std::string& device, const SerialLine& line) = 0;
    virtual bool IsOpen() const = 0;
    // Appends what the driver still holds to `left`, then closes.
    virtual void Close(std::string& left) = 0;
    // Appends what has arrived to `bytes`; false, with the reason, when the device is gone.
    virtual bool Read(std::string& bytes, std::string& reason) = 0;
    virtual void ClearInput() = 0;
    virtual bool Write(std::string_view bytes) = 0;
    // True once for each time the line reported an error since the last call (see
    // SerialPort::TakeLineError).
    virtual bool TakeLineError() = 0;
    // Whether trying to open `device` again makes sense now.
    virtual bool Present(const std::string& /*device*/) const { return true; }

    void OnGone(GoneHandler handler) { gone_ = std::move(handler); }

protected:
    void ReportGone(const std::string& reason, const std::string& left) {
        if (gone_) {
            gone_(reason, left);
        }
    }

private:
    GoneHandler gone_;
};

} // namespace quillet
