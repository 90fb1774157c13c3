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
    // True once for each time the line reported an error (bytes overrun, lost to a full
    // buffer, or damaged by a framing or parity error) since the last call: what has been
    // read so far, or will be read next, may lack bytes.
    virtual bool TakeLineError() = 0;
};

} // namespace quillet
