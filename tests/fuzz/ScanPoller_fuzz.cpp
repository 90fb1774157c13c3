// Drives the scanner poll with arbitrary chunks of bytes, ticks, nested ticks during the
// handling of a label and bytes arriving meanwhile. Nothing may crash, a nested tick must
// change nothing, and for scans without the special forms no byte may be lost, repeated or
// reordered: the labels handed on, the scan buffer and the port hold what was sent.

#include "app/ScanPoller.h"
#include "base/WindowState.h"
#include "fuzz/FuzzCheck.h"
#include "support/FakeSerialPort.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

using namespace quillet;

std::string WithoutBangs(std::string text) {
    std::replace(text.begin(), text.end(), '!', ' ');
    return text;
}

struct Run {
    explicit Run(FuzzedDataProvider& in) : input(in) {}

    // While a label is handled, ticks may come in and the scanner may send more.
    void DuringHandling() {
        const std::string buffer = poller.ScanBuffer();
        const std::int16_t quiet = poller.QuietTicks();
        const std::size_t waiting = port.incoming.size();
        for (int i = input.ConsumeIntegralInRange(0, 3); i > 0; --i) {
            poller.Tick();
        }
        FUZZ_CHECK(poller.Busy() && poller.ScanBuffer() == buffer);
        FUZZ_CHECK(poller.QuietTicks() == quiet && port.incoming.size() == waiting);
        Send(input.ConsumeRandomLengthString(8));
    }

    void Send(std::string bytes) {
        if (plain) {
            std::replace_if(
                bytes.begin(), bytes.end(),
                [](char c) {
                    // The special forms, and what the scanner-input cleaning takes off or
                    // drops (terminators, STX/ETX, a piece of blanks).
                    return std::string_view("'^\xF1\r\n\t\x02\x03 ").find(c) !=
                           std::string_view::npos;
                },
                'x');
        }
        sent += bytes;
        port.incoming += bytes;
    }

    FuzzedDataProvider& input;
    bool plain = input.ConsumeBool();
    testing::FakeSerialPort port;
    WindowState window;
    std::string sent;
    std::string handed; // the labels handed to the interpreter, in order
    ScanPoller poller{port, window,
                      ScanHandlers{[this](const std::string& label) {
                                       FUZZ_CHECK(!label.empty());
                                       handed += label;
                                       DuringHandling();
                                       return input.ConsumeBool();
                                   },
                                   [this](const std::string& label) {
                                       DuringHandling();
                                       return input.ConsumeBool() ? label.substr(1) : std::string();
                                   },
                                   [this](std::string&) { DuringHandling(); },
                                   {},
                                   {},
                                   {}}};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Run run(input);
    while (input.remaining_bytes() > 0) {
        switch (input.ConsumeIntegralInRange(0, 3)) {
        case 0:
            run.Send(input.ConsumeRandomLengthString(64));
            break;
        case 1:
            run.port.open = !run.port.open;
            break;
        default:
            run.poller.Tick();
            break;
        }
        FUZZ_CHECK(!run.poller.Busy());
        FUZZ_CHECK(run.poller.QuietTicks() < ScanPoller::kQuietTicksForLabel);
    }
    if (run.plain) {
        const std::string held = run.handed + run.poller.ScanBuffer() + run.port.incoming;
        FUZZ_CHECK(WithoutBangs(held) == WithoutBangs(run.sent));
    }
    return 0;
}
