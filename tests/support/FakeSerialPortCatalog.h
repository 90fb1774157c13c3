#pragma once

#include "base/SerialPortCatalog.h"

#include <vector>

namespace quillet::testing {

// The system's ports as a test sets them; `asked` counts the look-ups.
class FakeSerialPortCatalog : public SerialPortCatalog {
public:
    std::vector<SerialPortInfo> ports;
    mutable int asked = 0;

    std::vector<SerialPortInfo> Ports() const override {
        ++asked;
        return ports;
    }
};

} // namespace quillet::testing
