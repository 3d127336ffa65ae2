// Runs a blocking system call that cannot be interrupted (a host-name lookup, an ICMP echo) on a
// thread of its own, so that the caller can stop waiting for it: on its time-out or on a stop the
// caller walks away at once and the call finishes later by itself.
//
// The work must touch only what it owns: capture its inputs by value and its outputs through a
// std::shared_ptr, never a reference to the caller's stack or object, which may be gone when an
// abandoned call ends.
//
//     auto out = std::make_shared<Answer>();
//     auto outcome = AbandonableCall::run([host, out] { out->ok = lookUp(host, out->address); },
//                                         timeoutMs, [this] { return stopRequested(); });
//     if (outcome == AbandonableCall::Done && out->ok) ...
#pragma once

#include <windows.h>

#include <functional>

class AbandonableCall {
public:
    enum Outcome { Done, TimedOut, Cancelled };

    // Waits for work at most timeoutMs (at least 1), asking cancelled (may be empty) about every
    // 50 ms. When no thread can be made the work runs on the caller's thread (Done).
    static Outcome run(const std::function<void()>& work, DWORD timeoutMs,
                       const std::function<bool()>& cancelled);
};
