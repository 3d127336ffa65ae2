#include "AbandonableCall.h"

namespace {

const DWORD kPollMs = 50;

// Shared by the caller and the call's thread; whichever lets go last frees it.
struct Job {
    std::function<void()> work;
    HANDLE done;
    volatile LONG references;
};

void letGo(Job* job)
{
    if (InterlockedDecrement(&job->references) == 0) {
        CloseHandle(job->done);
        delete job;
    }
}

DWORD WINAPI runJob(LPVOID parameter)
{
    Job* job = static_cast<Job*>(parameter);
    job->work();
    SetEvent(job->done);
    letGo(job);
    return 0;
}

}  // namespace

AbandonableCall::Outcome AbandonableCall::run(const std::function<void()>& work, DWORD timeoutMs,
                                              const std::function<bool()>& cancelled)
{
    if (cancelled && cancelled())
        return Cancelled;
    Job* job = new Job{work, CreateEventA(nullptr, TRUE, FALSE, nullptr), 2};
    HANDLE thread = job->done ? CreateThread(nullptr, 0, runJob, job, 0, nullptr) : nullptr;
    if (!thread) {
        if (job->done)
            CloseHandle(job->done);
        delete job;
        work();
        return Done;
    }
    CloseHandle(thread);

    const DWORD limit = timeoutMs < 1 ? 1 : timeoutMs;
    const DWORD start = GetTickCount();
    Outcome outcome = TimedOut;
    for (;;) {
        DWORD spent = GetTickCount() - start;
        if (spent >= limit)
            break;
        DWORD slice = limit - spent < kPollMs ? limit - spent : kPollMs;
        if (WaitForSingleObject(job->done, slice) == WAIT_OBJECT_0) {
            outcome = Done;
            break;
        }
        if (cancelled && cancelled()) {
            outcome = Cancelled;
            break;
        }
    }
    letGo(job);
    return outcome;
}
