#pragma once

#include "base/SerialPort.h"

#include <string>
#include <utility>

namespace quillet::testing {

// A scanner port: `incoming` is what waits to be read; `written` collects what was sent;
// `lineError` is reported (once) by the next TakeLineError.
class FakeSerialPort : public SerialPort {
public:
    bool open = true;
    std::string incoming;
    std::string written;
    bool lineError = false;

    bool IsOpen() const override { return open; }
    std::size_t BytesWaiting() override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }
    void ClearInput() override { incoming.clear(); }
    bool Write(std::string_view bytes) override {
        written += bytes;
        return true;
    }
    bool TakeLineError() override { return std::exchange(lineError, false); }
};

} // namespace quillet::testing
