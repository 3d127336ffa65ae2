// Unix system calls only here; no Windows header is needed (see ThreadSignal.h).
#include "workers/ThreadSignal.h"

#include <errno.h>
#include <linux/futex.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

namespace {

long futex(volatile int* word, int operation, int value, const timespec* timeout)
{
    return syscall(SYS_futex, word, operation, value, timeout, nullptr, 0);
}

long long nowMs()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

}  // namespace

unsigned ThreadSignal::sequence() const
{
    return static_cast<unsigned>(__atomic_load_n(&count_, __ATOMIC_SEQ_CST));
}

void ThreadSignal::raise()
{
    __atomic_add_fetch(&count_, 1, __ATOMIC_SEQ_CST);
    futex(&count_, FUTEX_WAKE_PRIVATE, 0x7FFFFFFF, nullptr);
}

ThreadSignal::Result ThreadSignal::wait(unsigned seen, unsigned milliseconds)
{
    const long long deadline = nowMs() + milliseconds;
    for (;;) {
        if (sequence() != seen)
            return Raised;
        long long left = deadline - nowMs();
        if (left <= 0)
            return TimedOut;
        timespec timeout;
        timeout.tv_sec = static_cast<time_t>(left / 1000);
        timeout.tv_nsec = static_cast<long>(left % 1000) * 1000000;
        if (futex(&count_, FUTEX_WAIT_PRIVATE, static_cast<int>(seen), &timeout) == 0)
            continue;   // woken, or spuriously: the count says which
        // EAGAIN: the count moved before the wait began; EINTR: a signal; ETIMEDOUT: over.
        if (errno != EAGAIN && errno != EINTR && errno != ETIMEDOUT)
            return Failed;
    }
}
