#include "FlusherThread.h"

#include <algorithm>

#include "Monitor/MonitorItemSettings.h"
#include "workers/ScopedLock.h"

FlusherThread* FlusherThread::instance()
{
    static FlusherThread flusher;
    return &flusher;
}

FlusherThread::FlusherThread(int periodSeconds) : periodSeconds_(periodSeconds)
{
    InitializeCriticalSection(&lock_);
}

FlusherThread::~FlusherThread()
{
    stopAndWait();
    DeleteCriticalSection(&lock_);
}

void FlusherThread::stopAndWait()
{
    stop();
    HANDLE thread = duplicateHandle();
    if (thread) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    ScopedLock guard(lock_);
    items_.clear();
}

void FlusherThread::add(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    items_.push_back(item);
}

void FlusherThread::remove(MonitorItemSettings* item)
{
    ScopedLock guard(lock_);
    std::vector<MonitorItemSettings*>::iterator it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end())
        items_.erase(it);
}

void FlusherThread::run()
{
    while (sleep(periodSeconds_)) {
        ScopedLock guard(lock_);
        for (MonitorItemSettings* item : items_) {
            if (stopRequested())
                return;
            item->save();
        }
    }
}
