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
    events_.set(ThreadEvents::Stop);
}

void Thread::wake()
{
    InterlockedExchange(&wakeRequested_, 1);
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
        if (stopRequested()) {
            result = ThreadEvents::Stop;
            break;
        }
        const bool parked = suspendCount() > 0;
        if (!parked && wokenWhileParked) {
            result = ThreadEvents::Wake;
            break;
        }
        DWORD slice = kParkedPollMs;
        if (!parked)
            slice = remaining > kLongestWaitMs ? kLongestWaitMs : static_cast<DWORD>(remaining);
        DWORD started = GetTickCount();
        int waited = events_.waitAny(slice);
        DWORD spent = GetTickCount() - started;
        if (waited == ThreadEvents::WaitFailed || waited == ThreadEvents::Stop) {
            // A wait that cannot be made would return at once every time: end the thread
            // rather than let it spin against its target.
            result = ThreadEvents::Stop;
            break;
        }
        if (waited == ThreadEvents::Wake) {
            if (suspendCount() == 0) {
                result = ThreadEvents::Wake;
                break;
            }
            // Kept for the resume, as the wake of a frozen thread would be.
            wokenWhileParked = true;
        }
        remaining = remaining > spent ? remaining - spent : 0;
        // Time runs on while parked: a sleep that is over by the resume ends at the resume.
        if (remaining == 0 && suspendCount() == 0 && !wokenWhileParked) {
            result = -1;
            break;
        }
    }
    if (stopRequested())
        result = ThreadEvents::Stop;
    lastWaitResult_ = result;
    // A wake or stop that came while this sleep ended is spent with it. The events reset
    // themselves when a wait takes them, so only one that may still be set is reset here: each
    // reset is a system call, and a plain time-out, the common case, needs none.
    if (InterlockedExchange(&wakeRequested_, 0))
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
