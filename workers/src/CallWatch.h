// Watches one blocking call from a thread of its own and, when the call outlives its limit or the
// cancel test fires, runs an abort action (closing the handle the call waits on, which makes
// WinINet give the call up at once). finish() ends the watch; from then on the outcome is settled
// and the caller's handles are its own again.
//
//     CallWatch watch(limitMs, [this] { return stopRequested(); }, [&] { closeHandles(); });
//     BOOL ok = InternetReadFile(...);
//     watch.finish();
//     if (watch.outcome() != CallWatch::Running) ...   // timed out or cancelled
#pragma once

#include <windows.h>

#include <functional>

class CallWatch {
public:
    enum Outcome { Running = 0, TimedOut = 1, Cancelled = 2 };

    // The abort action runs at most once, on the watch's thread.
    CallWatch(DWORD limitMs, const std::function<bool()>& cancelled, const std::function<void()>& abort);
    ~CallWatch();
    CallWatch(const CallWatch&) = delete;
    CallWatch& operator=(const CallWatch&) = delete;

    void finish();
    Outcome outcome() const { return static_cast<Outcome>(outcome_); }
    DWORD limitMs() const { return limitMs_; }

    // How often the watch looks: a stop is seen within this time.
    static const DWORD kPollMs = 50;

private:
    static DWORD WINAPI watch(LPVOID self);

    DWORD limitMs_;
    std::function<bool()> cancelled_;
    std::function<void()> abort_;
    DWORD started_;
    volatile LONG outcome_;
    HANDLE done_;
    HANDLE thread_;
};
