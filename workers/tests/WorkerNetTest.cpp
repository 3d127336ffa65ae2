// Port and ping checks and the worker manager with real workers against loopback targets: a
// listener on a Wine thread, a closed port, a silent target whose backlog is full, and ICMP echo
// to 127.0.0.1.
#include <windows.h>

#include <algorithm>
#include <regex>

#include "Monitor/MonitorItemLock.h"
#include "PingWorker.h"
#include "PortWorker.h"
#include "WorkerManagerImpl.h"
#include "SilentTarget.h"
#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"
#include "Connection.h"
#include "workers/WorkerManager.h"

using namespace workertest;

namespace {

WorkerManagerImpl* manager()
{
    return static_cast<WorkerManagerImpl*>(WorkerManager::instance());
}

// A worker made and started through the manager, with a recording notifier and a handle to
// wait for its thread.
struct Started {
    Worker* worker = nullptr;
    RecordingNotifier* notifier = nullptr;
    HANDLE thread = nullptr;
};

Started startFor(MonitorItemSettings* item, bool testMode = false)
{
    Started s;
    s.worker = manager()->createWorker(item);
    if (!s.worker)
        return s;
    s.notifier = new RecordingNotifier;
    s.worker->attach(s.notifier);
    s.worker->setTestMode(testMode);
    Thread* thread = dynamic_cast<Thread*>(s.worker);
    s.notifier->hold();
    manager()->startWorker(s.worker);
    s.thread = thread->duplicateHandle();
    s.notifier->letGo();
    return s;
}

// Stops the item's worker and waits for its thread; the notifier is freed once released.
void stopAndJoin(MonitorItemSettings* item, Started& s)
{
    manager()->stopWorker(item);
    EXPECT_TRUE(waitEnded(s.thread, 5000));
    CloseHandle(s.thread);
    EXPECT_EQ(1, s.notifier->releases());
    delete s.notifier;
}

TEST(PortCheck, ResultsAgainstLoopbackTargets)
{
    Listener open("127.0.0.1", true);
    Listener unnamed("127.0.0.5", true);   // no name anywhere: a reverse lookup would fail
    SilentTarget silent;
    ASSERT_TRUE(silent.silent());
    const int closed = closedPort("127.0.0.1");
    struct Case {
        const char* name;
        std::string address;
        int port;
        int limitMs;
        bool ok;
        std::string message;
        int minMs, maxMs;
    };
    const Case cases[] = {
        {"listening", "127.0.0.1", open.port(), 5000, true, "Success", 0, 1000},
        {"dotted address without a name", "127.0.0.5", unnamed.port(), 5000, true, "Success", 0, 1000},
        {"http prefix", "http://127.0.0.5", unnamed.port(), 5000, true, "Success", 0, 1000},
        {"https backslash prefix", "https:\\127.0.0.5", unnamed.port(), 5000, true, "Success", 0, 1000},
        {"prefix in capitals", "HTTP://127.0.0.5", unnamed.port(), 5000, false, "Host not found", 0, 3000},
        {"refused", "127.0.0.1", closed, 5000, false, "Connection failed with error code: 10061", 0, 1000},
        // a silent target ends as a failure once the limit is over, not after minutes
        {"silent", "127.0.0.1", silent.port(), 1200, false, "Connection failed with error code: 10060",
         1100, 2500},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = newStoredItem(ItemPort, c.address, c.port, 1, UnitHours, c.limitMs);
        Started s = startFor(item);
        ASSERT_NE(nullptr, s.worker);
        EXPECT_NE(nullptr, dynamic_cast<PortWorker*>(s.worker));
        ASSERT_TRUE(s.notifier->waitForCode(NotifyStatusRefresh, 2, 10000));
        std::vector<int> expected = {NotifyStatusRefresh, c.ok ? NotifyCycleSucceeded : NotifyCycleFailed,
                                     NotifyStatusRefresh};
        EXPECT_EQ(expected, s.notifier->codes());
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(200, history[0].code);
        EXPECT_EQ(c.ok, history[0].ok);
        EXPECT_EQ(c.message, history[0].message);
        EXPECT_GE(history[0].responseMs, c.minMs);
        EXPECT_LT(history[0].responseMs, c.maxMs);
        EXPECT_EQ(c.ok ? 0 : 1, statusOf(item).failed);
        stopAndJoin(item, s);
    }
}

TEST(PortCheck, TestModeEvents)
{
    Listener open("127.0.0.1", true);
    const int closed = closedPort("127.0.0.1");
    struct Case {
        const char* name;
        int port;
        const char* middle;   // pattern of the one text event between start and end
        int middleCode;
    };
    const Case cases[] = {
        {"success", open.port(), "Sucessfuly connected in [0-9]+ miliseconds\\.", NotifySuccess},
        {"refused", closed, "Connection failed with error code: 10061", NotifyFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", c.port, 1, UnitHours, 5000);
        Started s = startFor(item, true);
        manager()->detachWorker(s.worker);
        ASSERT_TRUE(waitEnded(s.thread, 5000));
        CloseHandle(s.thread);
        std::vector<Event> events = s.notifier->events();
        ASSERT_EQ(3u, events.size());
        EXPECT_EQ(Event(NotifyProgress, "Port test started"), events[0]);
        EXPECT_EQ(c.middleCode, events[1].first);
        EXPECT_TRUE(std::regex_match(events[1].second, std::regex(c.middle))) << events[1].second;
        EXPECT_EQ(Event(NotifyTestEnded, "Port test ended"), events[2]);
        EXPECT_EQ(0, s.notifier->releases());
        EXPECT_EQ(1u, historyOf(item).size());
        delete s.notifier;
    }
}

TEST(PortCheck, StopDuringALongConnectEndsPromptlyWithoutARecord)
{
    SilentTarget silent;
    ASSERT_TRUE(silent.silent());
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", silent.port(), 1, UnitHours, 60000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyStatusRefresh, 1, 5000));
    Sleep(300);
    DWORD stopAt = GetTickCount();
    stopAndJoin(item, s);
    EXPECT_LT(GetTickCount() - stopAt, 2000u);
    EXPECT_TRUE(historyOf(item).empty());
    EXPECT_EQ(0, statusOf(item).busy);
}

TEST(PingCheck, EchoToLoopbackAndAnUnknownHost)
{
    struct Case {
        const char* name;
        std::string address;
        bool ok;
        const char* message;
        const char* logPattern;
    };
    const Case cases[] = {
        {"loopback", "127.0.0.1", true, "Success",
         "Ping SUCCEDED with the response time: [0-9]+ miliseconds"},
        {"prefix stripped, shown as stored", "https://127.0.0.1", true, "Success",
         "Ping SUCCEDED with the response time: [0-9]+ miliseconds"},
        {"unknown host", "no-such-host.invalid", false, "Unknown host",
         "Ping FAILED with the error: Unknown host"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = newStoredItem(ItemPing, c.address, 0, 1, UnitHours, 5000);
        Started s = startFor(item);
        ASSERT_NE(nullptr, dynamic_cast<PingWorker*>(s.worker));
        ASSERT_TRUE(s.notifier->waitForCode(NotifyStatusRefresh, 2, 10000));
        Sleep(100);
        std::vector<int> expected = {NotifyStatusRefresh, c.ok ? NotifyCycleSucceeded : NotifyCycleFailed,
                                     NotifyStatusRefresh};
        EXPECT_EQ(expected, s.notifier->codes());
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(1, history[0].code);
        EXPECT_EQ(c.ok, history[0].ok);
        EXPECT_EQ(c.message, history[0].message);
        if (c.ok)
            EXPECT_GE(history[0].responseMs, 1);   // the round trip plus one
        else
            EXPECT_EQ(0, history[0].responseMs);
        EXPECT_EQ(c.ok ? 0 : 1, statusOf(item).failed);

        std::vector<std::string> lines = readLines(item->getLogPath());
        ASSERT_EQ(8u, lines.size());
        EXPECT_EQ("Pinging " + c.address, lines[4]);
        EXPECT_TRUE(std::regex_match(lines[5], std::regex(c.logPattern))) << lines[5];
        EXPECT_EQ("Ending run cycle", lines[6]);
        EXPECT_EQ("Sleeping for 3600 seconds", lines[7]);
        stopAndJoin(item, s);
    }
}

// A stop must end every wait of a check within moments, also the ones the system gives no way to
// interrupt: an echo nobody answers, a name lookup whose server stays silent.
TEST(StopDuringAnUninterruptibleWait, EndsTheWorkerPromptlyWithoutARecord)
{
    // 10.9.9.9 is routed to the loopback device, which drops what is sent to it; --resolver does
    // the same to the name server, so that a lookup of an unknown name hangs.
    orvtest::FixtureServer silence("silent_route", {"--resolver", "10.9.9.9"});
    ASSERT_TRUE(silence.running()) << silence.error();
    struct Case {
        const char* name;
        int type;
        const char* address;
    };
    const Case cases[] = {
        {"echo without a reply", ItemPing, "10.9.9.9"},
        {"ping: lookup without an answer", ItemPing, "silent-name.example"},
        {"port: lookup without an answer", ItemPort, "silent-name.example"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = newStoredItem(c.type, c.address, 80, 1, UnitHours, 60000);
        Started s = startFor(item);
        ASSERT_TRUE(s.notifier->waitForCode(NotifyStatusRefresh, 1, 5000));
        Sleep(500);
        EXPECT_TRUE(historyOf(item).empty());   // still waiting
        DWORD stopAt = GetTickCount();
        stopAndJoin(item, s);
        EXPECT_LT(GetTickCount() - stopAt, 1000u);
        EXPECT_TRUE(historyOf(item).empty());
        EXPECT_EQ(0, statusOf(item).busy);
    }
}

TEST(PortCheck, ALookupWithoutAnAnswerFailsAtTheItemsLimit)
{
    orvtest::FixtureServer silence("silent_route", {"--resolver"});
    ASSERT_TRUE(silence.running()) << silence.error();
    MonitorItemSettings* item = newStoredItem(ItemPort, "silent-name.example", 80, 1, UnitHours, 1500);
    DWORD started = GetTickCount();
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleFailed, 1, 20000));
    EXPECT_LT(GetTickCount() - started, 4000u);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    stopAndJoin(item, s);
}

TEST(PingCheck, TestModePingsThreeTimes)
{
    MonitorItemSettings* item = newStoredItem(ItemPing, "127.0.0.1", 0, 1, UnitHours, 5000);
    Started s = startFor(item, true);
    manager()->detachWorker(s.worker);
    ASSERT_TRUE(waitEnded(s.thread, 10000));
    CloseHandle(s.thread);
    std::vector<Event> events = s.notifier->events();
    ASSERT_EQ(5u, events.size());
    EXPECT_EQ(Event(NotifyProgress, "Ping test started"), events[0]);
    for (int i = 1; i <= 3; ++i) {
        EXPECT_EQ(NotifySuccess, events[i].first);
        EXPECT_TRUE(std::regex_match(events[i].second, std::regex("Ping : [0-9]+ miliseconds")))
            << events[i].second;
    }
    EXPECT_EQ(Event(NotifyTestEnded, "Ping test ended"), events[4]);
    EXPECT_EQ(3u, historyOf(item).size());
    EXPECT_EQ(0, s.notifier->releases());
    delete s.notifier;
}

TEST(WorkerManagerTest, CreatesOnlyForKnownTypesAndKeepsTheFirstMapping)
{
    for (int type : {7, -1, 1000}) {
        SCOPED_TRACE(type);
        MonitorItemSettings* item = newStoredItem(type, "127.0.0.1", 1, 1, UnitHours, 5000);
        EXPECT_EQ(nullptr, manager()->createWorker(item));
        EXPECT_EQ(nullptr, manager()->findWorker(item));
    }
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", 1, 1, UnitHours, 5000);
    Worker* first = manager()->createWorker(item);
    Worker* second = manager()->createWorker(item);
    ASSERT_NE(nullptr, first);
    ASSERT_NE(nullptr, second);
    EXPECT_NE(first, second);
    EXPECT_EQ(first, manager()->findWorker(item));
    manager()->removeWorker(second);   // not mapped: changes nothing
    EXPECT_EQ(first, manager()->findWorker(item));
    manager()->detachWorker(first);
    EXPECT_EQ(nullptr, manager()->findWorker(item));
    delete first;    // never started, so nobody else will
    delete second;

    // Operations on an item without a worker do nothing.
    manager()->stopWorker(item);
    manager()->suspendWorker(item);
    manager()->resumeWorker(item);
    manager()->wakeWorker(item);
    EXPECT_EQ("", manager()->getLastPage(item));
    manager()->recreateWorker(item);
    EXPECT_EQ(nullptr, manager()->findWorker(item));
}

TEST(WorkerManagerTest, WakeSuspendAndResume)
{
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    manager()->wakeWorker(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 2, 2000));
    Sleep(100);

    manager()->suspendWorker(item);
    manager()->wakeWorker(item);
    EXPECT_FALSE(s.notifier->waitForCode(NotifyCycleSucceeded, 3, 1000));
    manager()->resumeWorker(item);
    EXPECT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 3, 2000));
    EXPECT_EQ("", manager()->getLastPage(item));
    stopAndJoin(item, s);
    EXPECT_EQ(3u, historyOf(item).size());
}

TEST(WorkerManagerTest, StopAllReachesSuspendedAndBusyWorkersAndWaitsForThem)
{
    Listener open("127.0.0.1", true);
    SilentTarget silent;
    ASSERT_TRUE(silent.silent());
    std::vector<MonitorItemSettings*> items;
    std::vector<Started> started;
    // More than one wait can take (64), one of them suspended, one in a minute-long connect.
    for (int i = 0; i < 70; ++i) {
        items.push_back(newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000));
        started.push_back(startFor(items.back()));
    }
    items.push_back(newStoredItem(ItemPort, "127.0.0.1", silent.port(), 1, UnitHours, 60000));
    started.push_back(startFor(items.back()));
    for (int i = 0; i < 70; ++i)
        ASSERT_TRUE(started[i].notifier->waitForCode(NotifyCycleSucceeded, 1, 10000)) << i;
    ASSERT_TRUE(started.back().notifier->waitForCode(NotifyStatusRefresh, 1, 5000));
    manager()->suspendWorker(items[3]);
    manager()->suspendWorker(items[3]);   // twice: it needs two resumes to run again

    DWORD start = GetTickCount();
    manager()->stopAll();
    EXPECT_LT(GetTickCount() - start, 5000u);
    for (size_t i = 0; i < started.size(); ++i) {
        SCOPED_TRACE(i);
        // Ended before stopAll returned: the host may unload the items now.
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(started[i].thread, 0));
        EXPECT_EQ(1, started[i].notifier->releases());
        EXPECT_EQ(nullptr, manager()->findWorker(items[i]));
        CloseHandle(started[i].thread);
        delete started[i].notifier;
    }
    DWORD again = GetTickCount();
    manager()->stopAll();   // nothing left: returns at once
    EXPECT_LT(GetTickCount() - again, 500u);
}

TEST(WorkerManagerTest, StopAllGivesUpAfterItsBound)
{
    // A worker that cannot end (here: waiting for the item's lock, which this thread holds)
    // must not hang the host's shut-down: stopAll returns once its bound is over.
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    long long spent = 0;
    {
        MonitorItemLock lock(item);
        manager()->wakeWorker(item);   // the next cycle blocks on the lock at once
        Sleep(200);
        manager()->setStopAllTimeout(1000);
        const long long start = orvtest::nowMs();
        manager()->stopAll();
        spent = orvtest::nowMs() - start;
        manager()->setStopAllTimeout(30000);
        EXPECT_NE(WAIT_OBJECT_0, WaitForSingleObject(s.thread, 0));
    }
    EXPECT_GE(spent, 900);
    EXPECT_LT(spent, 3000);
    EXPECT_TRUE(waitEnded(s.thread, 5000));   // the stop is kept for when it can go on
    CloseHandle(s.thread);
    EXPECT_EQ(1, s.notifier->releases());
    delete s.notifier;
}

TEST(WorkerManagerTest, RecreateHandsTheNotifiersToTheNewWorker)
{
    Listener open("127.0.0.1", true);
    const int closed = closedPort("127.0.0.1");
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    RecordingNotifier* other = new RecordingNotifier;
    // attached after the start only for this test; the manager copies whatever is attached
    s.worker->attach(other);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    {
        MonitorItemLock lock(item);
        item->getGeneral().port = closed;
    }
    manager()->recreateWorker(item);
    ASSERT_TRUE(waitEnded(s.thread, 5000));   // the old worker ended
    CloseHandle(s.thread);
    Worker* replacement = manager()->findWorker(item);
    ASSERT_NE(nullptr, replacement);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleFailed, 1, 5000));
    ASSERT_TRUE(other->waitForCode(NotifyCycleFailed, 1, 5000));
    EXPECT_EQ(0, s.notifier->releases());
    EXPECT_EQ(0, other->releases());

    // A type without a check: nothing can take the notifiers over, so they are released.
    HANDLE thread = dynamic_cast<Thread*>(replacement)->duplicateHandle();
    {
        MonitorItemLock lock(item);
        item->getGeneral().type = 9;
    }
    manager()->recreateWorker(item);
    EXPECT_TRUE(waitEnded(thread, 5000));
    CloseHandle(thread);
    EXPECT_EQ(nullptr, manager()->findWorker(item));
    EXPECT_EQ(1, s.notifier->releases());
    EXPECT_EQ(1, other->releases());
    delete s.notifier;
    delete other;
}

// Holds an item's lock on a thread of its own for a while, as a host thread saving it would.
class LockHolder {
public:
    LockHolder(MonitorItemSettings* item, DWORD holdMs)
        : item_(item), holdMs_(holdMs), held_(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        thread_ = CreateThread(nullptr, 0, hold, this, 0, nullptr);
        WaitForSingleObject(held_, 5000);
    }
    ~LockHolder()
    {
        WaitForSingleObject(thread_, 20000);
        CloseHandle(thread_);
        CloseHandle(held_);
    }

private:
    static DWORD WINAPI hold(LPVOID self)
    {
        LockHolder* h = static_cast<LockHolder*>(self);
        MonitorItemLock lock(h->item_);
        SetEvent(h->held_);
        Sleep(h->holdMs_);
        return 0;
    }
    MonitorItemSettings* item_;
    DWORD holdMs_;
    HANDLE held_;
    HANDLE thread_;
};

TEST(WorkerManagerTest, StopAllWaitsForWorkersItNoLongerMaps)
{
    // stopWorker forgets the worker at once, but its thread may still be inside a check of the
    // item: stopAll must wait for it too, or the host frees the item under it.
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    {
        LockHolder holder(item, 600);
        manager()->wakeWorker(item);   // the next cycle waits for the lock
        Sleep(100);
        manager()->stopWorker(item);
        EXPECT_TRUE(manager()->isRunning(item));
        manager()->stopAll();
        EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(s.thread, 0));
        EXPECT_FALSE(manager()->isRunning(item));
    }
    CloseHandle(s.thread);
    EXPECT_EQ(1, s.notifier->releases());
    delete s.notifier;
}

TEST(WorkerManagerTest, AWorkerStopAllGaveUpOnStillCountsAsRunning)
{
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    {
        LockHolder holder(item, 1500);
        manager()->wakeWorker(item);
        Sleep(100);
        manager()->setStopAllTimeout(300);
        manager()->stopAll();
        manager()->setStopAllTimeout(30000);
        // The host must keep (save, not free) this item.
        EXPECT_TRUE(manager()->isRunning(item));
    }
    EXPECT_TRUE(waitEnded(s.thread, 5000));
    CloseHandle(s.thread);
    EXPECT_FALSE(manager()->isRunning(item));
    delete s.notifier;
}

TEST(WorkerManagerTest, ASuspendedWorkerEndsOnStopAndStaysSuspendedAcrossARecreate)
{
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitSeconds, 5000);
    Started s = startFor(item);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    manager()->suspendWorker(item);
    Sleep(100);
    size_t before = s.notifier->codes().size();

    // The user changes the item's settings while it is suspended: it must stay suspended.
    manager()->recreateWorker(item);
    ASSERT_TRUE(waitEnded(s.thread, 2000));   // the old, suspended worker ended
    CloseHandle(s.thread);
    Worker* replacement = manager()->findWorker(item);
    ASSERT_NE(nullptr, replacement);
    s.thread = dynamic_cast<Thread*>(replacement)->duplicateHandle();
    Sleep(2500);   // more than two intervals
    EXPECT_EQ(before, s.notifier->codes().size());
    manager()->resumeWorker(item);
    EXPECT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 2, 5000));

    // Stopped while suspended, without a resume: the thread ends all the same.
    manager()->suspendWorker(item);
    Sleep(100);
    DWORD stopAt = GetTickCount();
    manager()->stopWorker(item);
    EXPECT_TRUE(waitEnded(s.thread, 2000));
    EXPECT_LT(GetTickCount() - stopAt, 1000u);
    CloseHandle(s.thread);
    EXPECT_EQ(1, s.notifier->releases());
    delete s.notifier;
}

// Counts how many threads are inside notify at once; slow makes every notify take a while.
class OverlapNotifier : public Notifier {
public:
    void notify(int event, const std::string&) override
    {
        LONG inside = InterlockedIncrement(&inside_);
        LONG seen = maxInside_;
        while (inside > seen && InterlockedCompareExchange(&maxInside_, inside, seen) != seen)
            seen = maxInside_;
        if (slow_)
            Sleep(200);
        if (event == NotifyCycleSucceeded)
            InterlockedIncrement(&successes_);
        InterlockedDecrement(&inside_);
    }
    void release() override { InterlockedIncrement(&releases_); }

    volatile LONG inside_ = 0;
    volatile LONG maxInside_ = 0;
    volatile LONG slow_ = 0;
    volatile LONG successes_ = 0;
    volatile LONG releases_ = 0;
};

TEST(WorkerManagerTest, ARecreatedWorkerNeverCallsTheNotifiersWhileTheOldOneStillDoes)
{
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item);
    OverlapNotifier overlap;
    s.worker->attach(&overlap);
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    InterlockedExchange(&overlap.slow_, 1);
    manager()->wakeWorker(item);   // the old worker's cycle now spends a while in the notifiers
    Sleep(100);
    manager()->recreateWorker(item);
    ASSERT_TRUE(waitEnded(s.thread, 5000));
    CloseHandle(s.thread);
    Worker* replacement = manager()->findWorker(item);
    ASSERT_NE(nullptr, replacement);
    s.thread = dynamic_cast<Thread*>(replacement)->duplicateHandle();
    // The old cycle may or may not have succeeded (the stop can cut its connect short); the new
    // worker's first cycle adds one more success.
    std::vector<int> codes = s.notifier->codes();
    int successes = static_cast<int>(std::count(codes.begin(), codes.end(), static_cast<int>(NotifyCycleSucceeded)));
    ASSERT_TRUE(s.notifier->waitForCode(NotifyCycleSucceeded, successes + 1, 10000));
    EXPECT_EQ(1, overlap.maxInside_);
    stopAndJoin(item, s);
    EXPECT_EQ(1, overlap.releases_);
}

TEST(WorkerManagerTest, AWorkerThatEndsLeavesTheMap)
{
    // A test run whose caller forgot to detach it: once it has ended, the manager must not
    // hand its (deleted) worker to anybody.
    Listener open("127.0.0.1", true);
    MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", open.port(), 1, UnitHours, 5000);
    Started s = startFor(item, true);
    ASSERT_TRUE(waitEnded(s.thread, 5000));
    CloseHandle(s.thread);
    EXPECT_EQ(nullptr, manager()->findWorker(item));
    manager()->stopWorker(item);
    manager()->wakeWorker(item);
    delete s.notifier;
}

}  // namespace
