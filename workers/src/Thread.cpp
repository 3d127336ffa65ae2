#include "workers/Thread.h"

namespace {

// Longest single wait; longer sleeps are made of several (INFINITE must never be passed).
const DWORD kLongestWaitMs = 0x7FFFFFFF;
// A parked (suspended) sleep looks for its resume this often.
const DWORD kParkedPollMs = 50;

}  // namespace

Thread::Thread() : handle_(nullptr), lastWaitResult_(-1), stopRequested_(0), suspendCount_(0), wakeRequested_(0)
{
}

Thread::~Thread()
{
    if (handle_)
        CloseHandle(handle_);
}

bool Thread::start()
{
    if (handle_)
        return false;
    handle_ = CreateThread(nullptr, 0, threadProc, this, 0, nullptr);
    return handle_ != nullptr;
}

DWORD WINAPI Thread::threadProc(LPVOID self)
{
    // A worker deletes itself inside run(): nothing may touch the object after it.
    static_cast<Thread*>(self)->run();
    return 0;
}

void Thread::stop()
{
    // The flag keeps the request even when a wake arrives with it and the wait reports the wake.
    InterlockedExchange(&stopRequested_, 1);
    signal_.raise();
    events_.set(ThreadEvents::Stop);
}

void Thread::wake()
{
    InterlockedExchange(&wakeRequested_, 1);
    signal_.raise();
    events_.set(ThreadEvents::Wake);
}

bool Thread::stopRequested() const
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&stopRequested_), 0, 0) != 0;
}

bool Thread::sleep(int seconds)
{
    unsigned long long remaining = seconds > 0 ? static_cast<unsigned long long>(seconds) * 1000 : 0;
    bool wokenWhileParked = false;
    int result = -1;
    for (;;) {
        // Read before the requests: one made after this line ends the wait below at once.
        const unsigned seen = signal_.sequence();
        if (stopRequested()) {
            result = ThreadEvents::Stop;
            break;
        }
        const bool parked = suspendCount() > 0;
        if (InterlockedExchange(&wakeRequested_, 0)) {
            if (!parked) {
                result = ThreadEvents::Wake;
                break;
            }
            // Kept for the resume, as the wake of a frozen thread would be.
            wokenWhileParked = true;
        }
        if (!parked && wokenWhileParked) {
            result = ThreadEvents::Wake;
            break;
        }
        DWORD slice = kParkedPollMs;
        if (!parked)
            slice = remaining > kLongestWaitMs ? kLongestWaitMs : static_cast<DWORD>(remaining);
        DWORD started = GetTickCount();
        ThreadSignal::Result waited = signal_.wait(seen, slice);
        // The tick count moves in coarse steps: a wait that ran out took its whole slice, or the
        // sleep would end with a second short wait, late by a step.
        DWORD spent = waited == ThreadSignal::TimedOut ? slice : GetTickCount() - started;
        if (waited == ThreadSignal::Failed) {
            // A wait that cannot be made would return at once every time: end the thread
            // rather than let it spin against its target.
            result = ThreadEvents::Stop;
            break;
        }
        remaining = remaining > spent ? remaining - spent : 0;
        if (waited == ThreadSignal::Raised)
            continue;   // the requests say what ended it
        // Time runs on while parked: a sleep that is over by the resume ends at the resume.
        if (remaining == 0 && suspendCount() == 0 && !wokenWhileParked) {
            result = -1;
            break;
        }
    }
    if (stopRequested())
        result = ThreadEvents::Stop;
    lastWaitResult_ = result;
    // A wake or stop that came while this sleep ended is spent with it. The Win32 events are set
    // for other waiters only, so they are cleared here with the request; each reset is a
    // wineserver call, and a plain time-out, the common case, needs none.
    const bool wakeSpent = InterlockedExchange(&wakeRequested_, 0) != 0;
    if (wakeSpent || wokenWhileParked || result == ThreadEvents::Wake)
        events_.reset(ThreadEvents::Wake);
    if (result == ThreadEvents::Stop)
        events_.reset(ThreadEvents::Stop);
    return result == -1;
}

int Thread::suspend()
{
    return static_cast<int>(InterlockedIncrement(&suspendCount_)) - 1;
}

int Thread::resume()
{
    for (;;) {
        LONG count = suspendCount();
        if (count == 0)
            return 0;
        if (InterlockedCompareExchange(&suspendCount_, count - 1, count) == count)
            return static_cast<int>(count);
    }
}

int Thread::suspendCount() const
{
    return static_cast<int>(InterlockedCompareExchange(const_cast<volatile LONG*>(&suspendCount_), 0, 0));
}

HANDLE Thread::duplicateHandle() const
{
    HANDLE copy = nullptr;
    if (!handle_ || !DuplicateHandle(GetCurrentProcess(), handle_, GetCurrentProcess(), &copy, 0,
                                     FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}
