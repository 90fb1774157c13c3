#pragma once

#include <optional>

namespace quillet {

// How a call that the host turned away is handled while the host sits in a dialog of its
// own or is busy with a call of its own: "retry later" is waited out quietly for a while,
// an outright rejection is not. Window events keep running during the wait.
class BusyHostPolicy {
public:
    static constexpr unsigned kRetryForMs = 30000;
    static constexpr int kRetryEveryMs = 250;

    enum class Answer { RetryLater, Rejected };

    // Milliseconds to wait before the call is made again, or nothing to give it up, for a
    // call first made `elapsedMs` ago.
    static std::optional<int> RetryAfter(Answer answer, unsigned elapsedMs);

    // A window message arrived while a call, made `elapsedMs` ago, waits for its answer:
    // the message stays queued (a scan or a key typed meanwhile is handled after the call,
    // never dropped); a call outstanding for `limitMs` or more is given up.
    enum class Pending { KeepWaiting, GiveUp };
    static Pending OnMessagePending(unsigned elapsedMs, unsigned limitMs);
};

} // namespace quillet
