#include "app/TraceFile.h"

#include <cerrno>
#include <cstring>

namespace quillet {

TraceFile::~TraceFile() {
    Close();
}

std::string TraceFile::Open(const std::optional<std::string>& path) {
    Close();
    if (!path) {
        return {};
    }
    owned_ = *path != "-";
    file_ = owned_ ? std::fopen(path->c_str(), "wb") : stdout;
    if (file_ == nullptr) {
        owned_ = false;
        return "cannot write " + *path + ": " + std::strerror(errno);
    }
    writer_ = std::make_unique<TraceWriter>(file_);
    return {};
}

bool TraceFile::Close() {
    writer_.reset();
    bool ok = true;
    if (owned_ && file_ != nullptr) {
        ok = std::fclose(file_) == 0;
    } else if (file_ != nullptr) {
        ok = std::fflush(file_) == 0;
    }
    file_ = nullptr;
    owned_ = false;
    return ok;
}

} // namespace quillet
