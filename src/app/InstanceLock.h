#pragma once

#include <cstdint>
#include <string>

namespace quillet {

// Keeps other copies of the program from running on the same set-up: an exclusive lock on
// a file, held for as long as this object lives. The system drops the lock when the
// process ends, so a copy that crashed never blocks the next one.
class InstanceLock {
public:
    enum class Result { Acquired, HeldElsewhere, Unavailable };

    InstanceLock() = default;
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;
    ~InstanceLock();

    // Creates the file's folder when missing. Unavailable when the file cannot be made or
    // locked for another reason than a running copy.
    Result Acquire(const std::string& path);
    void Release();
    bool Held() const { return handle_ != -1; }

private:
    std::intptr_t handle_ = -1; // the platform's descriptor or handle
};

inline constexpr const char* kInstanceLockName = "quillet.lock";
inline constexpr const char* kAlreadyRunning = "the Program is already running!";

} // namespace quillet
