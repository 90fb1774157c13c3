#pragma once

#include "app/ScannerInput.h"
#include "base/SerialPort.h"
#include "base/WindowState.h"

#include <cstdint>
#include <functional>
#include <string>

namespace quillet {

// Where framed labels go.
struct ScanHandlers {
    // One label for the interpreter; true when it was accepted (the poller ignores it).
    std::function<bool(const std::string&)> processLabel;
    // The expanded text of a compressed label; empty when there is nothing to hand on.
    std::function<std::string(const std::string&)> unpackPayload;
    // A two-dimensional program label (the import may change the text).
    std::function<void(std::string&)> importProgramLabel;
    // The bytes that arrived for the label being framed (before any rule touched them).
    std::function<void(const std::string&)> scanned;
    // The label and everything it led to has been handled.
    std::function<void()> labelDone;
    // What the scanner's additions came off a framed piece, and what was left of it.
    std::function<void(const std::string& piece, const CleanedInput& cleaned)> cleaned;
};

// The scanner poll: collects what the scanner sends and, once the line has been quiet for
// two ticks, frames it into labels and hands them on. Each piece loses the scanner's
// additions first (`ScannerInput`); a piece that was nothing else is not handed on. Where
// a burst is cut after a label, the label's end (terminator, suffix) goes with it, and the
// rest keeps the burst's end for its own framing.
//
// Handling a label pauses and lets window events run, so ticks arrive meanwhile. Such a
// nested tick does nothing at all: it neither reads the port nor counts, so the label
// being handled cannot be framed twice, and whatever the scanner sends meanwhile waits in
// the port for the first tick after the handling. The same hold keeps the poll away while
// a typed label is interpreted.
//
// A label during which the line reported an error may lack bytes (a program line, a
// digit of a dimension): it is dropped whole with a status line, so no entry is made and
// no "ACK" sent and the operator scans it again. What arrives after it is kept.
class ScanPoller {
public:
    static constexpr std::int16_t kQuietTicksForLabel = 2;
    static constexpr const char* kReading = "Reading Barcode-Label.";
    static constexpr const char* kLineError =
        "Line error while reading the barcode: label discarded, please scan it again.";

    ScanPoller(SerialPort& port, WindowState& window, ScanHandlers handlers,
               ScannerInput input = {})
        : port_(port), window_(window), handlers_(std::move(handlers)), input_(input) {}

    // One tick of the poll timer.
    void Tick();

    const std::string& ScanBuffer() const { return scanBuffer_; }
    std::int16_t QuietTicks() const { return quietTicks_; }
    // While set, each framed scan goes there as it came and nothing is dispatched (the
    // scanner test); an empty function ends that.
    void Divert(std::function<void(const std::string&)> to) { divert_ = std::move(to); }

    // A label is being handled; ticks do nothing until it is done.
    bool Busy() const { return busy_; }

    // Holds the poll for as long as it lives (a label handled elsewhere).
    class Hold {
    public:
        explicit Hold(ScanPoller& poller) : poller_(poller), was_(poller.busy_) {
            poller_.busy_ = true;
        }
        ~Hold() { poller_.busy_ = was_; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        ScanPoller& poller_;
        bool was_;
    };

private:
    void Frame();
    bool ApostropheForm(std::string& text);
    bool CleanInput(std::string& text);
    void Interpret(std::string text);
    std::string DrainPort();

    SerialPort& port_;
    WindowState& window_;
    ScanHandlers handlers_;
    ScannerInput input_;
    std::string scanBuffer_;
    std::int16_t quietTicks_ = 0;
    bool busy_ = false;
    // Bytes read from the port since the last framing.
    std::string arrived_;
    // The line reported an error while the scan buffer was being filled.
    bool damaged_ = false;
    std::function<void(const std::string&)> divert_;
    // What came off the end of the piece being framed.
    std::string tail_;
};

} // namespace quillet
