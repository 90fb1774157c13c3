#include "host/BusyHostPolicy.h"

namespace quillet {

std::optional<int> BusyHostPolicy::RetryAfter(Answer answer, unsigned elapsedMs) {
    if (answer != Answer::RetryLater || elapsedMs >= kRetryForMs) {
        return std::nullopt;
    }
    return kRetryEveryMs;
}

BusyHostPolicy::Pending BusyHostPolicy::OnMessagePending(unsigned elapsedMs, unsigned limitMs) {
    return elapsedMs >= limitMs ? Pending::GiveUp : Pending::KeepWaiting;
}

} // namespace quillet
