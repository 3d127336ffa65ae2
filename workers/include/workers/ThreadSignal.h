// The Unix-side half of a Thread's wake and stop: a counter that wake() and stop() raise and that
// sleep() waits on with a futex. A wait on the Win32 events is a round trip to the wineserver, and
// a worker makes one every cycle; a futex wait stays in the kernel and costs the wineserver nothing.
// The Win32 events are still set for whoever waits on them; the Thread's own sleep uses this.
#pragma once

class ThreadSignal {
public:
    enum Result { Raised, TimedOut, Failed };

    ThreadSignal() : count_(0) {}
    ThreadSignal(const ThreadSignal&) = delete;
    ThreadSignal& operator=(const ThreadSignal&) = delete;

    // Read before looking at the requests the signal stands for, then passed to wait(): a raise in
    // between makes the wait return at once, so none is missed.
    unsigned sequence() const;
    // Counts one more request and ends every wait under way.
    void raise();
    // Waits up to milliseconds while the count is still seen. Raised when it has moved (or moves),
    // TimedOut, or Failed when the system refused the wait (the caller must not retry it in a loop).
    Result wait(unsigned seen, unsigned milliseconds);

private:
    // Aligned so the futex word never straddles a boundary; an int as the kernel wants it.
    alignas(4) volatile int count_;
};
