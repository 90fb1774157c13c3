#include "base/qt/QtDesktop.h"

#include "base/FsPath.h"
#include "base/qt/SingleByteText.h"

#include <QDesktopServices>
#include <QProcess>
#include <QUrl>

#include <cerrno>
#include <csignal>

namespace quillet {

namespace {
// Task numbers stay in the signed 16-bit range the editor launch keeps them in.
constexpr long kLastTask = 32767;
} // namespace

long QtDesktop::StartProgram(const std::string& nativePath) {
    qint64 pid = 0;
    if (!QProcess::startDetached(ToQString(nativePath), {}, QString(), &pid) || pid <= 0) {
        return 0;
    }
    const long task = nextTask_;
    nextTask_ = nextTask_ == kLastTask ? 1 : nextTask_ + 1;
    processes_[task] = pid;
    return task;
}

bool QtDesktop::IsRunning(long task) {
    const auto it = processes_.find(task);
    if (it == processes_.end()) {
        return false;
    }
    // A detached process is reaped by the system, so a finished one is simply gone.
    return ::kill(static_cast<pid_t>(it->second), 0) == 0 || errno == EPERM;
}

bool QtDesktop::ActivateTask(long /*task*/) {
    return false;
}

long QtDesktop::ActiveWindow() {
    return 0;
}

bool QtDesktop::ForegroundIsTask(long /*task*/) {
    return false;
}

bool QtDesktop::PutOnTop(long /*window*/) {
    return false;
}

bool QtDesktop::SendKeys(const std::string& /*keys*/) {
    return false;
}

bool QtDesktop::OpenDocument(const std::filesystem::path& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(ToQString(FsText(path))));
}

} // namespace quillet
