#include "base/EventPump.h"

#include <chrono>

namespace quillet {

std::int64_t EventPump::Milliseconds() {
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace quillet
