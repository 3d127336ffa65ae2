// The thread base: sleeps, wakes, stops and suspension, with timing bounds generous enough for a
// loaded machine but far below the sleeps involved.
#include <windows.h>

#include <regex>

#include "orv/gtest.h"
#include "workers/Thread.h"

namespace {

// Runs one script: optionally waits for a gate, then sleeps once and keeps what the sleep said,
// then (once let through, at once unless held) sleeps again without waiting.
class ProbeThread : public Thread {
public:
    explicit ProbeThread(int sleepSeconds)
        : sleepSeconds_(sleepSeconds), gate_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          sleeping_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
          secondSleep_(CreateEventA(nullptr, TRUE, TRUE, nullptr)) {}
    ~ProbeThread() override
    {
        CloseHandle(gate_);
        CloseHandle(sleeping_);
        CloseHandle(secondSleep_);
    }
    void openGate() { SetEvent(gate_); }
    // Keeps the second sleep back until allowSecondSleep: every request the test makes is in
    // before it, however the threads are scheduled.
    void holdSecondSleep() { ResetEvent(secondSleep_); }
    void allowSecondSleep() { SetEvent(secondSleep_); }
    bool waitSleeping(DWORD ms) { return WaitForSingleObject(sleeping_, ms) == WAIT_OBJECT_0; }

    bool timedOut = false;
    bool stopped = false;
    bool woken = false;
    bool stoppedNext = false;
    DWORD sleptMs = 0;

protected:
    void run() override
    {
        WaitForSingleObject(gate_, 10000);
        SetEvent(sleeping_);
        DWORD start = GetTickCount();
        timedOut = sleep(sleepSeconds_);
        sleptMs = GetTickCount() - start;
        stopped = isStopped();
        woken = isWoken();
        // A request that came after the one that ended the sleep waits for the next sleep.
        WaitForSingleObject(secondSleep_, 10000);
        sleep(0);
        stoppedNext = isStopped();
    }

private:
    int sleepSeconds_;
    HANDLE gate_;
    HANDLE sleeping_;
    HANDLE secondSleep_;
};

// Calls sleep on the caller's own thread: the base works without a started thread too.
class InlineThread : public Thread {
public:
    using Thread::sleep;

protected:
    void run() override {}
};

bool joined(Thread& t, DWORD ms)
{
    return WaitForSingleObject(t.getHandle(), ms) == WAIT_OBJECT_0;
}

TEST(ThreadSleep, ZeroSecondsPollsAndReportsAPendingStop)
{
    InlineThread t;
    DWORD start = GetTickCount();
    EXPECT_TRUE(t.sleep(0));
    EXPECT_LT(GetTickCount() - start, 500u);
    EXPECT_FALSE(t.isStopped());
    EXPECT_FALSE(t.isWoken());

    t.stop();
    EXPECT_FALSE(t.sleep(0));
    EXPECT_TRUE(t.isStopped());
}

TEST(ThreadSleep, WakeAndStopEndASleepEarly)
{
    struct Case {
        const char* name;
        bool wake;
        bool stop;
        bool expectWoken;
        bool expectStopped;   // by the sleep that was running, or at the latest by the next one
    };
    // A wake followed by a stop may end the sleep as a wake, but the stop must not be lost with
    // it, or the thread runs on without anybody knowing.
    const Case cases[] = {
        {"wake", true, false, true, false},
        {"stop", false, true, false, true},
        {"wake then stop", true, true, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeThread t(3600);
        t.holdSecondSleep();
        ASSERT_TRUE(t.start());
        t.openGate();
        ASSERT_TRUE(t.waitSleeping(5000));
        Sleep(50);   // mostly it is in the wait by now; if not, the requests are pending when it gets there
        if (c.wake)
            t.wake();
        if (c.stop)
            t.stop();
        t.allowSecondSleep();
        ASSERT_TRUE(joined(t, 5000));
        EXPECT_FALSE(t.timedOut);
        EXPECT_EQ(c.expectStopped, t.stopped || t.stoppedNext);
        if (!c.stop) {
            EXPECT_EQ(c.expectWoken, t.woken);
        }
        if (!c.wake) {
            EXPECT_TRUE(t.stopped);
        }
    }
}

TEST(ThreadSleep, RequestsMadeWhileBusyEndTheNextSleepAtOnce)
{
    struct Case {
        const char* name;
        bool wake;
        bool stop;
        bool expectStopped;
    };
    const Case cases[] = {
        {"stop while busy", false, true, true},
        {"wake while busy", true, false, false},
        {"wake then stop while busy", true, true, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ProbeThread t(3600);
        ASSERT_TRUE(t.start());
        if (c.wake)
            t.wake();
        if (c.stop)
            t.stop();
        t.openGate();
        ASSERT_TRUE(joined(t, 5000));
        EXPECT_LT(t.sleptMs, 1000u);
        EXPECT_EQ(c.expectStopped, t.stopped);
        EXPECT_EQ(!c.expectStopped, t.woken);
    }
}

// A wake is spent by the sleep it ends, however many came before it: the next sleep runs its time.
TEST(ThreadSleep, WakesEndOneSleepOnly)
{
    const int wakeCounts[] = {1, 3};
    for (int wakes : wakeCounts) {
        SCOPED_TRACE(wakes);
        InlineThread t;
        for (int i = 0; i < wakes; ++i)
            t.wake();
        EXPECT_FALSE(t.sleep(1));
        EXPECT_TRUE(t.isWoken());
        EXPECT_TRUE(t.sleep(1));
        EXPECT_FALSE(t.isWoken());
    }
}

TEST(ThreadSleep, TimesOutAfterTheGivenSeconds)
{
    ProbeThread t(1);
    ASSERT_TRUE(t.start());
    t.openGate();
    ASSERT_TRUE(joined(t, 5000));
    EXPECT_TRUE(t.timedOut);
    EXPECT_FALSE(t.stopped);
    EXPECT_FALSE(t.woken);
    EXPECT_GE(t.sleptMs, 900u);
    EXPECT_LT(t.sleptMs, 2500u);
}

TEST(ThreadSleep, AFailedWaitCountsAsAStop)
{
    // A wait that cannot be made returns at once every time; read as anything but a stop it
    // would make a worker check its target back to back for ever.
    InlineThread t;
    CloseHandle(t.events().handle(ThreadEvents::Wake));
    DWORD start = GetTickCount();
    EXPECT_FALSE(t.sleep(5));
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_TRUE(t.isStopped());
    EXPECT_FALSE(t.isWoken());
}

TEST(ThreadEventsTest, EveryEventHasAFreshGuidName)
{
    InlineThread a, b;
    std::vector<std::string> names = a.events().names();
    names.insert(names.end(), b.events().names().begin(), b.events().names().end());
    ASSERT_EQ(4u, names.size());
    const std::regex form("[0-9]+_[0-9]+\n");
    for (size_t i = 0; i < names.size(); ++i) {
        EXPECT_TRUE(std::regex_match(names[i], form)) << "name " << i << ": '" << names[i] << "'";
        for (size_t j = i + 1; j < names.size(); ++j)
            EXPECT_NE(names[i], names[j]);
    }
}

TEST(ThreadEventsTest, IndexesOutsideTheTwoEventsDoNothing)
{
    ThreadEvents events;
    events.set(2);
    events.set(-1);
    EXPECT_EQ(-1, events.waitAny(0));
    events.set(ThreadEvents::Stop);
    events.reset(2);
    events.reset(-1);
    EXPECT_EQ(ThreadEvents::Stop, events.waitAny(0));
    EXPECT_EQ(nullptr, events.handle(2));
}

// Counts as fast as it can until stopped, so a suspension shows as a counter that stands still.
class CountingThread : public Thread {
public:
    volatile LONG count = 0;
    volatile LONG sleeps = 0;

protected:
    void run() override
    {
        for (;;) {
            InterlockedIncrement(&sleeps);
            if (!sleep(0) && isStopped())
                return;
            InterlockedIncrement(&count);
        }
    }
};

// Polls done() until it holds or ms have passed.
template <typename Done>
bool eventually(Done done, DWORD ms)
{
    for (DWORD start = GetTickCount(); !done(); Sleep(5)) {
        if (GetTickCount() - start > ms)
            return false;
    }
    return true;
}

TEST(ThreadSuspend, SuspendedThreadMakesNoProgressUntilResumed)
{
    // Suspended before it starts, the thread parks in its first sleep however it is scheduled.
    CountingThread t;
    EXPECT_EQ(0, t.suspend());
    ASSERT_TRUE(t.start());
    ASSERT_TRUE(eventually([&] { return t.sleeps > 0; }, 5000));
    Sleep(200);
    EXPECT_EQ(0, t.count);
    EXPECT_EQ(1, t.resume());
    EXPECT_TRUE(eventually([&] { return t.count > 0; }, 5000));
    t.stop();
    EXPECT_TRUE(joined(t, 5000));
}

TEST(ThreadSuspend, AStopEndsASuspendedThreadAndAWakeWaitsForTheResume)
{
    {
        ProbeThread t(60);
        ASSERT_TRUE(t.start());
        EXPECT_EQ(0, t.suspend());
        t.openGate();
        ASSERT_TRUE(t.waitSleeping(5000));
        Sleep(100);
        DWORD stopAt = GetTickCount();
        t.stop();   // no resume
        EXPECT_TRUE(joined(t, 2000));
        EXPECT_LT(GetTickCount() - stopAt, 1000u);
        EXPECT_TRUE(t.stopped);
    }
    {
        ProbeThread t(60);
        ASSERT_TRUE(t.start());
        t.suspend();
        t.openGate();
        ASSERT_TRUE(t.waitSleeping(5000));
        t.wake();
        Sleep(300);
        EXPECT_EQ(1, t.resume());
        EXPECT_TRUE(joined(t, 2000));
        EXPECT_TRUE(t.woken);
        EXPECT_FALSE(t.timedOut);
        t.stop();
    }
}

TEST(ThreadHandle, DuplicateOutlivesTheObject)
{
    HANDLE copy = nullptr;
    {
        ProbeThread t(0);
        EXPECT_EQ(nullptr, t.duplicateHandle());   // not started
        ASSERT_TRUE(t.start());
        copy = t.duplicateHandle();
        ASSERT_NE(nullptr, copy);
        t.openGate();
        ASSERT_TRUE(joined(t, 5000));
    }
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(copy, 0));
    EXPECT_TRUE(CloseHandle(copy));
}

}  // namespace
