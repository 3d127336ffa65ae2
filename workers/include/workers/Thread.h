// Base of every background thread: the workers, and the hosts' own threads (mail sender, item
// saver). Derive, implement run(), call start(). Inside run() sleep between units of work:
//
//     void run() override {
//         for (;;) {
//             doWork();
//             if (!sleep(10) && isStopped()) break;   // time-out or wake: next unit at once
//         }
//     }
//
// stop() and wake() may be called from any thread. A stop is never lost: once requested, every
// later sleep() returns false at once with isStopped() true, even when a wake came with it.
//
// Suspension is cooperative: suspend() lets the thread finish what it is doing and park in its
// next sleep() until resumed, so it can never be frozen while it holds a lock. A stop ends a
// parked sleep at once; a wake that comes while parked is kept for the resume.
#pragma once

#include <windows.h>

#include "workers/ThreadEvents.h"

class Thread {
public:
    Thread();
    // Asks the thread to end at its next sleep.
    virtual void stop();
    // Closes the thread handle and the events. Waiters keep their own duplicate (duplicateHandle).
    virtual ~Thread();

    Thread(const Thread&) = delete;
    Thread& operator=(const Thread&) = delete;

    // Creates the thread; false (and a null handle) when the system refused.
    bool start();
    // Ends the current or next sleep early; the thread begins its next unit of work.
    void wake();

    // Waits up to seconds for a wake or a stop. True on time-out, false when an event ended it.
    // A failed wait counts as a stop, so a broken thread ends instead of spinning.
    bool sleep(int seconds);
    // The last sleep ended by the stop event (or a failed wait). Called by the thread itself.
    bool isStopped() const { return lastWaitResult_ == ThreadEvents::Stop; }
    // The last sleep ended by the wake event.
    bool isWoken() const { return lastWaitResult_ == ThreadEvents::Wake; }
    // A stop has been asked for; any thread may ask, for work that must give up early.
    bool stopRequested() const;

    // Counted like SuspendThread / ResumeThread: each returns the count before the call, and
    // the thread runs again once every suspend has been matched by a resume.
    int suspend();
    int resume();
    int suspendCount() const;

    HANDLE getHandle() const { return handle_; }
    // A handle of the thread of one's own to wait on (close it after); null when not started.
    HANDLE duplicateHandle() const;

    const ThreadEvents& events() const { return events_; }

protected:
    virtual void run() = 0;

private:
    static DWORD WINAPI threadProc(LPVOID self);

    HANDLE handle_;
    ThreadEvents events_;
    int lastWaitResult_;
    volatile LONG stopRequested_;
    volatile LONG suspendCount_;
    volatile LONG wakeRequested_;   // a wake was asked for since the last sleep ended
};
