#include "app/demo/qt/VirtualScanner.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace quillet {

namespace {

std::string Failure(const char* what) {
    return std::string(what) + ": " + std::strerror(errno);
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Removes a link only while it still points at our terminal, so a newer scanner's link
// of the same name survives.
void RemoveLink(const std::string& link, const std::string& target) {
    if (link.empty()) {
        return;
    }
    std::array<char, 4096> buffer{};
    const ssize_t length = ::readlink(link.c_str(), buffer.data(), buffer.size() - 1);
    if (length > 0 && std::string(buffer.data(), static_cast<std::size_t>(length)) == target) {
        ::unlink(link.c_str());
    }
}

} // namespace

VirtualScanner::VirtualScanner(QObject* parent) : QObject(parent) {}

VirtualScanner::~VirtualScanner() {
    Close();
}

std::string VirtualScanner::Open(const Links& links) {
    Close();
    links_ = links;
    std::string failed = OpenTerminal(scannerMaster_, scannerKeeper_, scannerSlave_);
    if (failed.empty()) {
        failed = OpenTerminal(portMaster_, portKeeper_, portSlave_);
    }
    if (failed.empty()) {
        failed = MakeLink(links.scanner, scannerSlave_, scannerPath_);
    }
    if (failed.empty()) {
        failed = MakeLink(links.port, portSlave_, portPath_);
    }
    if (!failed.empty()) {
        Close();
        return failed;
    }
    fromScanner_ = std::make_unique<QSocketNotifier>(scannerMaster_, QSocketNotifier::Read);
    connect(fromScanner_.get(), &QSocketNotifier::activated, this,
            [this] { Relay(scannerMaster_, portMaster_); });
    fromPort_ = std::make_unique<QSocketNotifier>(portMaster_, QSocketNotifier::Read);
    connect(fromPort_.get(), &QSocketNotifier::activated, this,
            [this] { Relay(portMaster_, scannerMaster_); });
    return {};
}

// The keeper holds the terminal's own side open, so that the master never sees a hang-up
// between two writers (each `printf > PATH` opens and closes it).
std::string VirtualScanner::OpenTerminal(int& master, int& keeper, std::string& slavePath) {
    master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (master < 0) {
        return Failure("posix_openpt");
    }
    if (::grantpt(master) != 0 || ::unlockpt(master) != 0) {
        return Failure("grantpt/unlockpt");
    }
    const char* name = ::ptsname(master);
    if (name == nullptr) {
        return Failure("ptsname");
    }
    slavePath = name;
    keeper = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (keeper < 0) {
        return Failure("open terminal");
    }
    termios raw{};
    if (::tcgetattr(keeper, &raw) != 0) {
        return Failure("tcgetattr");
    }
    ::cfmakeraw(&raw);
    if (::tcsetattr(keeper, TCSANOW, &raw) != 0) {
        return Failure("tcsetattr");
    }
    return {};
}

std::string VirtualScanner::MakeLink(const std::string& link, const std::string& target,
                                     std::string& path) {
    path = target;
    if (link.empty()) {
        return {};
    }
    ::unlink(link.c_str());
    if (::symlink(target.c_str(), link.c_str()) != 0) {
        return Failure("symlink");
    }
    path = link;
    return {};
}

void VirtualScanner::Relay(int from, int to) {
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t got = ::read(from, buffer.data(), buffer.size());
        if (got <= 0) {
            return;
        }
        ssize_t done = 0;
        while (done < got) {
            const ssize_t put = ::write(to, buffer.data() + done, static_cast<size_t>(got - done));
            // A side whose queue is full is not listening; what it cannot take is dropped
            // rather than spinning here.
            if (put < 0 && errno != EINTR) {
                return;
            }
            if (put > 0) {
                done += put;
            }
        }
    }
}

void VirtualScanner::Close() {
    fromScanner_.reset();
    fromPort_.reset();
    RemoveLink(links_.scanner, scannerSlave_);
    RemoveLink(links_.port, portSlave_);
    CloseFd(scannerKeeper_);
    CloseFd(portKeeper_);
    CloseFd(scannerMaster_);
    CloseFd(portMaster_);
    scannerPath_.clear();
    portPath_.clear();
    links_ = {};
}

} // namespace quillet
