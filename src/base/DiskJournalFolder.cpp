#include "base/FsPath.h"
#include "base/JournalFolder.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace quillet {

namespace fs = std::filesystem;

// Bigger than one label's lines, so a label reaches the disk in one piece at its flush.
constexpr std::size_t kBufferBytes = 64 * 1024;

std::vector<std::string> DiskJournalFolder::Names() {
    std::vector<std::string> names;
    std::error_code error;
    for (fs::directory_iterator it(folder_, error), end; !error && it != end; it.increment(error)) {
        names.push_back(FsText(it->path().filename()));
    }
    return names;
}

bool DiskJournalFolder::Remove(const std::string& name) {
    std::error_code error;
    return fs::remove(FilePath(name), error);
}

std::optional<std::uint64_t> DiskJournalFolder::Open(const std::string& name) {
    Close();
    std::error_code error;
    fs::create_directories(folder_, error);
    const fs::path path = FilePath(name);
    file_ = OpenForAppend(path);
    if (file_ == nullptr) {
        return std::nullopt;
    }
    std::setvbuf(file_, nullptr, _IOFBF, kBufferBytes);
    const std::uintmax_t size = fs::file_size(path, error);
    return error ? 0 : static_cast<std::uint64_t>(size);
}

std::optional<std::string> DiskJournalFolder::Read(const std::string& name) {
    std::ifstream in(FilePath(name), std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool DiskJournalFolder::Write(std::string_view bytes) {
    return file_ != nullptr && std::fwrite(bytes.data(), 1, bytes.size(), file_) == bytes.size();
}

bool DiskJournalFolder::Flush() {
    return file_ != nullptr && std::fflush(file_) == 0;
}

void DiskJournalFolder::Close() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

std::string DiskJournalFolder::NativePath(const std::string& name) const {
    return FsText(FilePath(name));
}

fs::path DiskJournalFolder::FilePath(const std::string& name) const {
    return folder_ / FsPath(name);
}

} // namespace quillet
