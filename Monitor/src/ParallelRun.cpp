#include "ParallelRun.h"

#include <windows.h>

#include <algorithm>
#include <exception>
#include <vector>

namespace {

class Run {
public:
    Run(std::size_t count, const std::function<void(std::size_t)>& work)
        : count_(count), work_(work), next_(0)
    {
        InitializeCriticalSection(&lock_);
    }
    ~Run() { DeleteCriticalSection(&lock_); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    static DWORD WINAPI threadMain(void* self)
    {
        static_cast<Run*>(self)->work();
        return 0;
    }

    void work()
    {
        for (;;) {
            const LONG index = InterlockedIncrement(&next_) - 1;
            if (index < 0 || static_cast<std::size_t>(index) >= count_)
                return;
            try {
                work_(static_cast<std::size_t>(index));
            } catch (...) {
                EnterCriticalSection(&lock_);
                if (!failure_)
                    failure_ = std::current_exception();
                LeaveCriticalSection(&lock_);
            }
        }
    }

    std::exception_ptr failure() const { return failure_; }

private:
    const std::size_t count_;
    const std::function<void(std::size_t)>& work_;
    volatile LONG next_;
    CRITICAL_SECTION lock_;
    std::exception_ptr failure_;
};

}  // namespace

void ParallelRun::forEach(std::size_t count, std::size_t threads,
                          const std::function<void(std::size_t)>& work)
{
    Run run(count, work);
    std::vector<HANDLE> started;
    for (std::size_t i = 1; i < threads && i < count; ++i) {
        HANDLE thread = CreateThread(nullptr, 0, &Run::threadMain, &run, 0, nullptr);
        if (thread)
            started.push_back(thread);
    }
    run.work();
    for (HANDLE thread : started) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    if (run.failure())
        std::rethrow_exception(run.failure());
}

std::size_t ParallelRun::threadsFor(std::size_t count, std::size_t most, bool boundByProcessors)
{
    std::size_t threads = std::min(most, count / 64);
    if (boundByProcessors) {
        SYSTEM_INFO system;
        GetSystemInfo(&system);
        threads = std::min<std::size_t>(threads, system.dwNumberOfProcessors);
    }
    return std::max<std::size_t>(threads, 1);
}
