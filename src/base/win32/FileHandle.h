#pragma once

#include <string_view>

#include <windows.h>

namespace quillet {

// An open file handle, closed when it goes out of scope.
struct FileHandle {
    HANDLE handle = INVALID_HANDLE_VALUE;
    FileHandle() = default;
    explicit FileHandle(HANDLE h) : handle(h) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle() { Close(); }
    bool open() const { return handle != INVALID_HANDLE_VALUE; }
    // False when closing fails (the last buffered write may have been lost).
    bool Close();
};

// Writes everything or fails; GetLastError() says why.
bool WriteAll(HANDLE file, std::string_view data);

} // namespace quillet
