#pragma once

#include "app/InstanceLock.h"

#include <string>

namespace quillet {

// Whether this is the only copy of the desktop program on its set-up.
class SingleCopy {
public:
    virtual ~SingleCopy() = default;
    // False when another copy already runs; held until this object goes.
    virtual bool Acquire() = 0;
};

// One copy per lock file. A lock that cannot be made for another reason than a running
// copy lets the program run: it must not keep the operator from working.
class LockFileSingleCopy final : public SingleCopy {
public:
    explicit LockFileSingleCopy(std::string path) : path_(std::move(path)) {}
    bool Acquire() override { return lock_.Acquire(path_) != InstanceLock::Result::HeldElsewhere; }

private:
    std::string path_;
    InstanceLock lock_;
};

} // namespace quillet
