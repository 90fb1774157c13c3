#include "app/ScanPoller.h"

#include <algorithm>
#include <utility>

namespace quillet {

namespace {

constexpr char kApostrophe = '\'';
constexpr char kDollar = '$';
constexpr char kPercent = '%';
constexpr char kCaret = ScannerInput::kProgramMark;
constexpr char kBang = '!';
constexpr char kCompressed = ScannerInput::kCompressedMark;

} // namespace

void ScanPoller::Tick() {
    if (busy_ || !port_.IsOpen()) {
        return;
    }
    const std::string received = DrainPort();
    if (!received.empty()) {
        scanBuffer_ += received;
        window_.ShowReceiveIndicator(received.substr(0, 1));
        quietTicks_ = 0;
    } else if (!scanBuffer_.empty()) {
        ++quietTicks_;
    }
    if (quietTicks_ == kQuietTicksForLabel) {
        {
            const Hold hold(*this);
            Frame();
        }
        if (handlers_.labelDone) {
            handlers_.labelDone();
        }
    }
}

// An error with nothing received and nothing collected damaged no label.
std::string ScanPoller::DrainPort() {
    std::string bytes = port_.BytesWaiting() > 0 ? port_.ReadAll() : std::string();
    arrived_ += bytes;
    if (port_.TakeLineError() && !(bytes.empty() && scanBuffer_.empty())) {
        damaged_ = true;
    }
    return bytes;
}

void ScanPoller::Frame() {
    quietTicks_ = 0;
    window_.HideReceiveIndicator();
    std::string text = std::move(scanBuffer_);
    scanBuffer_.clear();
    if (handlers_.scanned && !arrived_.empty()) {
        handlers_.scanned(arrived_);
    }
    arrived_.clear();
    if (std::exchange(damaged_, false)) {
        window_.SetStatus(kLineError);
        return;
    }
    if (divert_) {
        divert_(text);
        return;
    }
    if (!CleanInput(text) || !ApostropheForm(text)) {
        return;
    }
    if (text.front() == kCompressed) {
        text = handlers_.unpackPayload ? handlers_.unpackPayload(text) : std::string();
        if (text.empty()) {
            return;
        }
    }
    if (text.find(kCaret) != std::string::npos) {
        if (handlers_.importProgramLabel) {
            handlers_.importProgramLabel(text);
        }
        quietTicks_ = 0;
        return;
    }
    Interpret(std::move(text));
}

// False when the piece was nothing but the scanner's own characters.
bool ScanPoller::CleanInput(std::string& text) {
    CleanedInput cleaned = input_.Clean(text);
    if (handlers_.cleaned) {
        handlers_.cleaned(text, cleaned);
    }
    tail_ = std::move(cleaned.tail);
    text = std::move(cleaned.label);
    return cleaned.isLabel;
}

// "'N$..." chooses machine field N and keeps the text between the two; false when nothing
// is left to hand on.
bool ScanPoller::ApostropheForm(std::string& text) {
    if (text.empty() || text.front() != kApostrophe) {
        return !text.empty();
    }
    const std::size_t dollar = text.find(kDollar);
    if (dollar == std::string::npos) {
        return true;
    }
    text = text.substr(1, dollar - 1);
    if (text.empty()) {
        return false;
    }
    if (handlers_.processLabel) {
        handlers_.processLabel("%N%");
    }
    return true;
}

void ScanPoller::Interpret(std::string text) {
    std::replace(text.begin(), text.end(), kBang, ' ');
    window_.SetStatus(kReading + text);
    // Bytes that arrived since the port was last looked at belong to the next scan. The
    // port is never cleared here: a clear also drops what the system holds but has not
    // handed up yet, and that may be the start of the next label.
    std::string late = DrainPort();
    if (!late.empty()) {
        window_.ShowReceiveIndicator(late.substr(0, 1));
    }
    const std::size_t split = text.find(kPercent, 1);
    std::string rest;
    if (split != std::string::npos) {
        rest = text.substr(split + 1);
        text.resize(split + 1);
        rest.erase(0, ScannerInput::EndingAt(rest, tail_));
        if (!rest.empty()) {
            rest += tail_;
        }
    }
    if (handlers_.processLabel) {
        handlers_.processLabel(text);
    }
    scanBuffer_ = std::move(rest) + std::move(late);
}

} // namespace quillet
