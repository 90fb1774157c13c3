#include "app/demo/qt/DemoFeeder.h"

#include "app/Application.h"

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

namespace quillet {

namespace {

constexpr int kStepMs = 100;
// A label is framed two quiet ticks after its last byte; a third covers the tick that
// reads it.
constexpr int kTicksPerScan = 3;

} // namespace

DemoFeeder::DemoFeeder(Application& app, std::string scannerPath, std::vector<DemoLabel> labels,
                       QObject* parent)
    : QObject(parent), app_(app), scannerPath_(std::move(scannerPath)), labels_(std::move(labels)) {
    timer_.setInterval(kStepMs);
    connect(&timer_, &QTimer::timeout, this, &DemoFeeder::Step);
}

void DemoFeeder::Start() {
    sinceLastScan_.start();
    timer_.start();
}

bool DemoFeeder::Idle() const {
    const qint64 quiet = static_cast<qint64>(kTicksPerScan) * app_.settings().PollIntervalMs;
    return sinceLastScan_.elapsed() >= quiet && app_.Poller().ScanBuffer().empty() &&
           !app_.Poller().Busy();
}

void DemoFeeder::Step() {
    if (!Idle()) {
        return;
    }
    if (next_ == labels_.size()) {
        timer_.stop();
        emit finished();
        return;
    }
    const DemoLabel& label = labels_[next_++];
    std::printf("demo: scanning %s (%s)\n", label.bytes.c_str(), label.description.c_str());
    std::fflush(stdout);
    Scan(label.bytes);
    sinceLastScan_.restart();
}

bool DemoFeeder::Scan(const std::string& bytes) {
    const int fd = ::open(scannerPath_.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    const bool whole =
        ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
    ::close(fd);
    return whole;
}

} // namespace quillet
