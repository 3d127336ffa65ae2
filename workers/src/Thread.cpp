#include "workers/Thread.h"

namespace {

// Longest single wait; longer sleeps are made of several (INFINITE must never be passed).
const DWORD kLongestWaitMs = 0x7FFFFFFF;

}  // namespace

Thread::Thread() : handle_(nullptr), lastWaitResult_(-1), stopRequested_(0)
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
    events_.set(ThreadEvents::Wake);
}

bool Thread::stopRequested() const
{
    return InterlockedCompareExchange(const_cast<volatile LONG*>(&stopRequested_), 0, 0) != 0;
}

bool Thread::sleep(int seconds)
{
    unsigned long long remaining = seconds > 0 ? static_cast<unsigned long long>(seconds) * 1000 : 0;
    int result = -1;
    for (;;) {
        if (stopRequested()) {
            result = ThreadEvents::Stop;
            break;
        }
        DWORD slice = remaining > kLongestWaitMs ? kLongestWaitMs : static_cast<DWORD>(remaining);
        result = events_.waitAny(slice);
        if (result == ThreadEvents::WaitFailed) {
            // A wait that cannot be made would return at once every time: end the thread
            // rather than let it spin against its target.
            result = ThreadEvents::Stop;
            break;
        }
        if (result != -1 || remaining <= slice)
            break;
        remaining -= slice;
    }
    if (stopRequested())
        result = ThreadEvents::Stop;
    lastWaitResult_ = result;
    events_.reset(ThreadEvents::Wake);
    events_.reset(ThreadEvents::Stop);
    return result == -1;
}

int Thread::suspend()
{
    return static_cast<int>(SuspendThread(handle_));
}

int Thread::resume()
{
    return static_cast<int>(ResumeThread(handle_));
}

HANDLE Thread::duplicateHandle() const
{
    HANDLE copy = nullptr;
    if (!handle_ || !DuplicateHandle(GetCurrentProcess(), handle_, GetCurrentProcess(), &copy, 0,
                                     FALSE, DUPLICATE_SAME_ACCESS))
        return nullptr;
    return copy;
}
