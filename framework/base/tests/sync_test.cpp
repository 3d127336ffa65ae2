// Critical sections, events, mutexes and the scoped lock, across Win32 threads.
#include "orv/gtest.h"
#include "afx.h"

namespace {

struct Shared {
    CCriticalSection lock;
    CEvent started{FALSE, TRUE};
    volatile LONG inside = 0;
    volatile LONG maxInside = 0;
    int counter = 0;
};

DWORD WINAPI Hammer(LPVOID param) {
    Shared* s = static_cast<Shared*>(param);
    for (int i = 0; i < 2000; ++i) {
        CSingleLock guard(&s->lock, TRUE);
        LONG now = InterlockedIncrement(&s->inside);
        if (now > s->maxInside)
            s->maxInside = now;
        ++s->counter;
        InterlockedDecrement(&s->inside);
    }
    return 0;
}

TEST(SyncTest, CriticalSectionExcludesOtherThreadsAndReenters) {
    Shared s;
    HANDLE threads[4];
    for (HANDLE& h : threads)
        h = CreateThread(NULL, 0, Hammer, &s, 0, NULL);
    WaitForMultipleObjects(4, threads, TRUE, 30000);
    for (HANDLE h : threads)
        CloseHandle(h);
    EXPECT_EQ(8000, s.counter);
    EXPECT_EQ(1, s.maxInside);

    // the same thread may take it again
    CSingleLock outer(&s.lock, TRUE);
    CSingleLock inner(&s.lock);
    EXPECT_TRUE(inner.Lock());
    EXPECT_TRUE(inner.IsLocked());
    EXPECT_TRUE(inner.Unlock());
    EXPECT_FALSE(inner.IsLocked());
}

TEST(SyncTest, ScopedLockReleasesOnScopeExit) {
    CMutex mutex;
    {
        CSingleLock guard(&mutex, TRUE);
        EXPECT_TRUE(guard.IsLocked());
        // another thread cannot take it while held
        HANDLE h = CreateThread(NULL, 0, [](LPVOID p) WINAPI -> DWORD {
            return WaitForSingleObject(*static_cast<CMutex*>(p), 50);
        }, &mutex, 0, NULL);
        WaitForSingleObject(h, 5000);
        DWORD rc = 0;
        GetExitCodeThread(h, &rc);
        CloseHandle(h);
        EXPECT_EQ((DWORD)WAIT_TIMEOUT, rc);
    }
    HANDLE h = CreateThread(NULL, 0, [](LPVOID p) WINAPI -> DWORD {
        CSingleLock lock(static_cast<CMutex*>(p));
        return lock.Lock(2000) ? 1 : 0;
    }, &mutex, 0, NULL);
    WaitForSingleObject(h, 5000);
    DWORD rc = 0;
    GetExitCodeThread(h, &rc);
    CloseHandle(h);
    EXPECT_EQ(1u, rc);
}

TEST(SyncTest, EventsAutoResetAndByName) {
    struct Case { const char* what; BOOL manual; bool secondWaitSucceeds; };
    const Case cases[] = {{"auto reset", FALSE, false}, {"manual reset", TRUE, true}};
    for (const Case& c : cases) {
        CEvent ev(TRUE, c.manual);
        EXPECT_TRUE(ev.Lock(0)) << c.what;
        EXPECT_EQ(c.secondWaitSucceeds, ev.Lock(0) != FALSE) << c.what;
        ev.ResetEvent();
        EXPECT_FALSE(ev.Lock(0)) << c.what;
        ev.SetEvent();
        EXPECT_TRUE(ev.Lock(10)) << c.what;
    }

    // a named, initially signalled, auto-reset event: "no one busy" until taken
    CEvent first(TRUE, FALSE, "FrameworkTestEvent");
    CEvent second(FALSE, FALSE, "FrameworkTestEvent");  // opens the same event
    EXPECT_TRUE(second.Lock(0));
    EXPECT_FALSE(first.Lock(0));
    first.SetEvent();
    EXPECT_TRUE(second.Lock(0));
}

}  // namespace
