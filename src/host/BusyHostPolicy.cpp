#include "host/BusyHostPolicy.h"

namespace quillet {

std::optional<int> BusyHostPolicy::RetryAfter(Answer answer, unsigned elapsedMs) {
    if (answer != Answer::RetryLater || elapsedMs >= kRetryForMs) {
        return std::nullopt;
    }
    return kRetryEveryMs;
}

} // namespace quillet
