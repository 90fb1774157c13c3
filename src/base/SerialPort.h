#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace quillet {

// The scanner's serial port, as the poller and the interpreter use it. Bytes are text of
// one character each, exactly as received.
class SerialPort {
public:
    virtual ~SerialPort() = default;
    virtual bool IsOpen() const = 0;
    virtual std::size_t BytesWaiting() = 0;
    virtual std::string ReadAll() = 0;
    // Drops every unread byte, those still in the system's buffer included; nothing on
    // the scan path may call it, or a label arriving meanwhile is lost.
    virtual void ClearInput() = 0;
    virtual bool Write(std::string_view bytes) = 0;
};

} // namespace quillet
