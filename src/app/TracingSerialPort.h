#pragma once

#include "base/SerialPort.h"
#include "base/Trace.h"

namespace quillet {

// The scanner's port with every write recorded as "serial-out <bytes>".
class TracingSerialPort final : public SerialPort {
public:
    TracingSerialPort(SerialPort& port, Trace& trace) : port_(port), trace_(trace) {}

    bool IsOpen() const override { return port_.IsOpen(); }
    std::size_t BytesWaiting() override { return port_.BytesWaiting(); }
    std::string ReadAll() override { return port_.ReadAll(); }
    void ClearInput() override { port_.ClearInput(); }
    bool TakeLineError() override { return port_.TakeLineError(); }
    bool Write(std::string_view bytes) override {
        trace_.Event("serial-out", bytes);
        return port_.Write(bytes);
    }

private:
    SerialPort& port_;
    Trace& trace_;
};

} // namespace quillet
