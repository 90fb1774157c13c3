#pragma once

#include "base/SerialPort.h"

#include <string>
#include <utility>

namespace quillet::testing {

// A scanner port: `incoming` is what waits to be read; `written` collects what was sent.
class FakeSerialPort : public SerialPort {
public:
    bool open = true;
    std::string incoming;
    std::string written;

    bool IsOpen() const override { return open; }
    std::size_t BytesWaiting() override { return incoming.size(); }
    std::string ReadAll() override { return std::exchange(incoming, {}); }
    void ClearInput() override { incoming.clear(); }
    bool Write(std::string_view bytes) override {
        written += bytes;
        return true;
    }
};

} // namespace quillet::testing
