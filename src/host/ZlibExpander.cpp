#include "host/ZlibExpander.h"

#include <zlib.h>

#include <limits>

namespace quillet {

bool InflateWithin(std::string_view stream, std::size_t expandedLength, std::string& out) {
    out.clear();
    if (expandedLength >= std::numeric_limits<uLongf>::max() ||
        stream.size() > std::numeric_limits<uLong>::max()) {
        return false;
    }
    // One byte of room beyond the expected length shows a stream that holds more.
    std::string buffer(expandedLength + 1, '\0');
    uLongf produced = static_cast<uLongf>(buffer.size());
    uLong consumed = static_cast<uLong>(stream.size());
    const int rc = uncompress2(reinterpret_cast<Bytef*>(buffer.data()), &produced,
                               reinterpret_cast<const Bytef*>(stream.data()), &consumed);
    if (rc != Z_OK || produced > expandedLength || consumed != stream.size()) {
        return false;
    }
    buffer.resize(produced);
    out = std::move(buffer);
    return true;
}

void ZlibExpander::Init() {
    files_.clear();
    lastError_.clear();
}

void ZlibExpander::Cleanup() {
    files_.clear();
}

ExpandStatus ZlibExpander::BufferToBuffer(std::string_view source, std::string& destination,
                                          std::size_t expandedLength,
                                          std::size_t compressedLength) {
    if (compressedLength > source.size() || expandedLength > destination.size()) {
        return ExpandStatus::Damaged;
    }
    std::string expanded;
    if (!InflateWithin(source.substr(0, compressedLength), expandedLength, expanded)) {
        return ExpandStatus::Damaged;
    }
    destination.replace(0, expanded.size(), expanded);
    return ExpandStatus::Ok;
}

std::int16_t ZlibExpander::OpenFile(std::string_view path, OpenMode mode) {
    if (files_.size() >= static_cast<std::size_t>(std::numeric_limits<std::int16_t>::max())) {
        lastError_ = "too many open files";
        return -1;
    }
    OpenBuffer file{std::string(path), mode, {}, true};
    if (mode == OpenMode::Read) {
        FileRead read = fs_.ReadAll(path);
        if (read.error != FsError::None) {
            lastError_ = read.errorText;
            return -1;
        }
        file.data = std::move(read.data);
    } else {
        // Creating empties the file now, so a failed expansion leaves no old text behind.
        const FileWrite created = fs_.WriteAtomic(path, {});
        if (!created.ok()) {
            lastError_ = created.errorText;
            return -1;
        }
    }
    files_.push_back(std::move(file));
    return static_cast<std::int16_t>(files_.size() - 1);
}

ZlibExpander::OpenBuffer* ZlibExpander::Find(std::int16_t handle, OpenMode mode) {
    if (handle < 0 || static_cast<std::size_t>(handle) >= files_.size()) {
        return nullptr;
    }
    OpenBuffer& file = files_[static_cast<std::size_t>(handle)];
    return file.open && file.mode == mode ? &file : nullptr;
}

ExpandStatus ZlibExpander::ExpandFile(const ExpandBlock& block) {
    const OpenBuffer* input = Find(block.inputHandle, OpenMode::Read);
    OpenBuffer* output = Find(block.outputHandle, OpenMode::Create);
    if (input == nullptr || output == nullptr) {
        return ExpandStatus::BadHandle;
    }
    // The input file may hold older, longer content after this stream: read only its part.
    if (block.compressedLength > input->data.size()) {
        return ExpandStatus::Damaged;
    }
    const std::string_view stream = std::string_view(input->data).substr(0, block.compressedLength);
    std::string expanded;
    if (!InflateWithin(stream, block.expandedLength, expanded)) {
        return ExpandStatus::Damaged;
    }
    output->data = std::move(expanded);
    return ExpandStatus::Ok;
}

FileWrite ZlibExpander::CloseFile(std::int16_t handle) {
    if (handle < 0 || static_cast<std::size_t>(handle) >= files_.size() ||
        !files_[static_cast<std::size_t>(handle)].open) {
        return {FsError::Other, "file not open"};
    }
    OpenBuffer& file = files_[static_cast<std::size_t>(handle)];
    file.open = false;
    if (file.mode != OpenMode::Create || file.data.empty()) {
        return {};
    }
    FileWrite written = fs_.WriteAtomic(file.path, file.data);
    if (!written.ok()) {
        lastError_ = written.errorText;
    }
    return written;
}

} // namespace quillet
