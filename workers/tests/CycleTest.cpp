// The run cycle every check shares, driven by a scripted check against real stored items: the
// events and their order per mode, the recorded results, the item's flags, the activity log,
// the sleep between cycles, wake and stop. Also the small helpers the cycle is built from.
#include <windows.h>

#include <climits>
#include <ctime>

#include "AddressPrefix.h"
#include "Monitor/MonitorItemLock.h"
#include "WorkerTestSupport.h"
#include "orv/TestEnv.h"
#include "orv/gtest.h"
#include "workers/CommonWorkerImpl.h"
#include "workers/NotifierList.h"
#include "workers/WorkerTestLog.h"

using namespace workertest;

namespace {

const char* const kDashes = "-----------------------------------";

struct Script {
    bool ok = true;
    std::string message = "Success";
    int elapsedMs = 10;
    int code = 200;
    bool waitForStop = false;     // the check runs until a stop is asked for
    bool reportStopped = false;   // ...and then says it gave up
};

class ScriptedWorker : public CommonWorkerImpl {
public:
    ScriptedWorker(MonitorItemSettings* item, const Script& script, bool testEndedAfterStop = true)
        : CommonWorkerImpl(item, "worker.ScriptedWorker", texts(testEndedAfterStop)), script_(script) {}

    static volatile LONG checks;

protected:
    void check(const ItemGeneralSettings&, CheckResult& result) override
    {
        InterlockedIncrement(&checks);
        if (script_.waitForStop) {
            for (int i = 0; i < 1000 && !stopRequested(); ++i)
                Sleep(10);
        }
        result.ok = script_.ok;
        result.message = script_.message;
        result.elapsedMs = script_.elapsedMs;
        result.code = script_.code;
        result.successText = "scripted success";
        result.stopped = script_.reportStopped && stopRequested();
    }

private:
    static WorkerTexts texts(bool afterStop)
    {
        WorkerTexts t = {"Starting scripted", "Ending scripted", "Scripted test started",
                         "Scripted test ended", afterStop};
        return t;
    }
    Script script_;
};

volatile LONG ScriptedWorker::checks = 0;

// A started worker and a handle to wait for its end (taken while it cannot have ended yet).
struct Running {
    ScriptedWorker* worker;
    HANDLE thread;
};

// The notifier holds the worker at its first event until the handle is taken.
Running startWorker(ScriptedWorker* worker, RecordingNotifier* notifier)
{
    notifier->hold();
    worker->start();
    Running r = {worker, worker->duplicateHandle()};
    notifier->letGo();
    return r;
}

MonitorItemSettings* hourlyItem(int limitMs = 5000)
{
    return newStoredItem(ItemPort, "127.0.0.1", 1, 1, UnitHours, limitMs);
}

TEST(CycleHelpers, IntervalToSecondsByUnit)
{
    struct Case {
        int interval, unit, expected;
    };
    const Case cases[] = {
        {30, UnitSeconds, 30},     {5, UnitMinutes, 300},     {2, UnitHours, 7200},
        {3, UnitDays, 259200},     {7, 0, 0},                 {7, 5, 0},
        {7, -1, 0},                {0, UnitHours, 0},
        // day counts whose seconds do not fit 32 bits stay at the largest time, not negative
        {30000, UnitDays, INT_MAX}, {INT_MAX, UnitMinutes, INT_MAX}, {-5, UnitSeconds, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, intervalToSeconds(c.interval, c.unit))
            << "interval " << c.interval << " unit " << c.unit;
}

TEST(CycleHelpers, SleepIsAtLeastOneSecond)
{
    struct Case {
        int intervalSeconds, elapsedMs, expected;
    };
    const Case cases[] = {
        {60, 0, 60},   {60, 999, 60}, {60, 1000, 59}, {60, 2500, 58},
        {1, 5000, 1},  {0, 0, 1},     {0, 10, 1},     {INT_MAX, 0, INT_MAX},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, sleepSecondsAfter(c.intervalSeconds, c.elapsedMs))
            << "interval " << c.intervalSeconds << " elapsed " << c.elapsedMs;
}

TEST(CycleHelpers, NetworkWaitsAreBoundedByTheLimit)
{
    struct Case {
        int limitMs, expected;
    };
    const Case cases[] = {{5000, 5000}, {0, 1000}, {-3, 1000}, {999, 1000},
                          {60000, 60000}, {600000, 60000}, {INT_MAX, 60000}};
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, boundedTimeoutMs(c.limitMs)) << "limit " << c.limitMs;
}

TEST(CycleHelpers, AddressPrefixStrip)
{
    struct Case {
        const char* address;
        const char* expected;
    };
    const Case cases[] = {
        {"http://example.test", "example.test"},
        {"http:\\example.test", "example.test"},
        {"https://127.0.0.1", "127.0.0.1"},
        {"https:\\host", "host"},
        {"HTTP://example.test", "HTTP://example.test"},   // exact case only
        {"http://http://x", "http://x"},                  // one prefix only
        {"ftp://x", "ftp://x"},
        {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, stripAddressPrefix(c.address)) << "address '" << c.address << "'";
}

TEST(NotifierListTest, AddsOnceRemovesInPlaceAndReleasesWhenOwning)
{
    RecordingNotifier a, b, c;
    {
        NotifierList list;
        list.add(&a);
        list.add(&b);
        list.add(&a);
        list.add(&c);
        list.remove(&b);
        list.remove(&b);
        EXPECT_EQ((NotifierList::List{&a, &c}), list.entries());
        list.notifyAll(NotifyProgress, "hello");
    }
    EXPECT_EQ((std::vector<Event>{Event(0, "hello")}), a.events());
    EXPECT_TRUE(b.events().empty());
    EXPECT_EQ(1, a.releases());
    EXPECT_EQ(0, b.releases());
    EXPECT_EQ(1, c.releases());

    RecordingNotifier kept;
    {
        NotifierList list;
        list.add(&kept);
        list.setOwns(false);
    }
    EXPECT_EQ(0, kept.releases());
}

TEST(WorkerTestLogTest, HeaderOnlyForANewFileAndNothingWhenDisabled)
{
    MonitorItemSettings* item = newStoredItem(ItemPing, "198.51.100.7", 0, 1, UnitMinutes, 5000);
    {
        MonitorItemLock lock(item);
        item->getGeneral().name = "Router";
    }
    const std::string path = item->getLogPath();
    {
        WorkerTestLog log;
        log.setPath(path);
        log.start(item);
        log.write("first");
    }
    {
        WorkerTestLog log;
        log.setPath(path);
        log.start(item);
        log.write("second");
        log.setEnabled(false);
        log.write("hidden");
    }
    EXPECT_EQ(std::string("Watch item name: \t\t\tRouter\r\nWatch item address: \t\t198.51.100.7\r\n"
                          "first\r\nsecond\r\n"),
              readFile(path));

    WorkerTestLog nowhere;   // a folder that does not exist: writes are dropped quietly
    nowhere.setPath(orvtest::makeScratchFolder("gone") + "\\missing\\actlog.txt");
    nowhere.start(item);
    nowhere.write("lost");
    EXPECT_FALSE(nowhere.isOpen());
}

TEST(RunCycle, NormalModeEventsResultsAndLog)
{
    struct Case {
        const char* name;
        bool ok;
        int elapsedMs;
        int limitMs;
        const char* message;
        int expectedEvent;
        bool expectedOk;
        bool slowLine;
    };
    const Case cases[] = {
        {"success", true, 10, 5000, "Success", NotifyCycleSucceeded, true, false},
        {"failure", false, 10, 5000, "Connection failed with error code: 10061", NotifyCycleFailed,
         false, false},
        {"success in exactly the limit", true, 100, 100, "Success", NotifyCycleSucceeded, true, false},
        {"success one ms over the limit", true, 101, 100, "Success", NotifyCycleFailed, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = hourlyItem(c.limitMs);
        Script script;
        script.ok = c.ok;
        script.elapsedMs = c.elapsedMs;
        script.message = c.message;
        script.code = 200;
        RecordingNotifier* first = new RecordingNotifier;
        RecordingNotifier* second = new RecordingNotifier;
        ScriptedWorker* worker = new ScriptedWorker(item, script);
        worker->attach(first);
        worker->attach(second);
        std::time_t before = std::time(nullptr);
        Running r = startWorker(worker, first);
        ASSERT_TRUE(first->waitForCode(NotifyStatusRefresh, 2, 5000));
        Sleep(100);   // the rest of the cycle: log lines, next-run time, the sleep

        ItemStatus status = statusOf(item);
        EXPECT_EQ(0, status.busy);
        EXPECT_EQ(c.expectedOk ? 0 : 1, status.failed);
        EXPECT_GE(status.nextRunTime, before + 3600);
        EXPECT_LE(status.nextRunTime, std::time(nullptr) + 3600);

        worker->stop();
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        CloseHandle(r.thread);

        const std::vector<int> expected = {NotifyStatusRefresh, c.expectedEvent, NotifyStatusRefresh};
        EXPECT_EQ(expected, first->codes());
        EXPECT_EQ(first->events(), second->events());
        for (const Event& e : first->events())
            EXPECT_EQ("", e.second);
        EXPECT_EQ(1, first->releases());
        EXPECT_EQ(1, second->releases());

        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(200, history[0].code);
        EXPECT_EQ(c.message, history[0].message);
        EXPECT_EQ(c.elapsedMs, history[0].responseMs);
        EXPECT_EQ(c.expectedOk, history[0].ok);
        EXPECT_GE(history[0].time, before);

        std::vector<std::string> lines = {"Watch item name: \t\t\ttest item",
                                          "Watch item address: \t\t127.0.0.1", kDashes,
                                          "Starting run cycle"};
        if (c.slowLine)
            lines.push_back(CommonWorkerImpl::kSlowResponseText);
        lines.push_back("Ending run cycle");
        lines.push_back("Sleeping for 3600 seconds");
        EXPECT_EQ(lines, readLines(item->getLogPath()));
        delete first;
        delete second;
    }
}

TEST(RunCycle, TestModeSendsTextsRecordsOnceAndKeepsTheNotifiers)
{
    struct Case {
        const char* name;
        bool ok;
        int elapsedMs;
        int limitMs;
        std::vector<Event> expected;
        bool expectedOk;
    };
    const Case cases[] = {
        {"success", true, 10, 5000,
         {{0, "Scripted test started"}, {2, "scripted success"}, {4, "Scripted test ended"}}, true},
        {"failure", false, 10, 5000,
         {{0, "Scripted test started"}, {1, "refused"}, {4, "Scripted test ended"}}, false},
        {"slow success", true, 300, 200,
         {{0, "Scripted test started"}, {2, "scripted success"},
          {1, CommonWorkerImpl::kSlowResponseText}, {4, "Scripted test ended"}}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = hourlyItem(c.limitMs);
        Script script;
        script.ok = c.ok;
        script.elapsedMs = c.elapsedMs;
        script.message = c.ok ? "Success" : "refused";
        RecordingNotifier notifier;
        ScriptedWorker* worker = new ScriptedWorker(item, script);
        worker->attach(&notifier);
        worker->setTestMode(true);
        Running r = startWorker(worker, &notifier);
        // The worker ends by itself after one cycle.
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        CloseHandle(r.thread);

        EXPECT_EQ(c.expected, notifier.events());
        EXPECT_EQ(0, notifier.releases());
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(c.expectedOk, history[0].ok);
        EXPECT_EQ(c.elapsedMs, history[0].responseMs);
        EXPECT_EQ(0, statusOf(item).busy);
        // A test run leaves the header of a new log and no cycle lines.
        EXPECT_EQ(2u, readLines(item->getLogPath()).size());
    }
}

TEST(RunCycle, StopDuringATestCheckEndsWithoutARecord)
{
    struct Case {
        bool testEndedAfterStop;
        std::vector<Event> expected;
    };
    const Case cases[] = {
        {true, {{0, "Scripted test started"}, {4, "Scripted test ended"}}},
        {false, {{0, "Scripted test started"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.testEndedAfterStop ? "test-ended after a stop" : "no test-ended after a stop");
        MonitorItemSettings* item = hourlyItem();
        Script script;
        script.waitForStop = true;
        RecordingNotifier notifier;
        ScriptedWorker* worker = new ScriptedWorker(item, script, c.testEndedAfterStop);
        worker->attach(&notifier);
        worker->setTestMode(true);
        Running r = startWorker(worker, &notifier);
        ASSERT_TRUE(notifier.waitForCode(NotifyProgress, 1, 5000));
        worker->stop();
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        CloseHandle(r.thread);
        EXPECT_EQ(c.expected, notifier.events());
        EXPECT_TRUE(historyOf(item).empty());
    }
}

TEST(RunCycle, StopDuringANormalCheckEndsAtTheSleepAfterRecording)
{
    struct Case {
        const char* name;
        bool reportStopped;
        std::vector<int> expected;
        size_t results;
    };
    const Case cases[] = {
        // the check finished all the same: recorded and told, then no hour-long sleep
        {"check completes", false, {3, 6, 3}, 1},
        // the check gave up on the stop: it proves nothing, so nothing is recorded or alarmed
        {"check gives up", true, {3, 3}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = hourlyItem();
        Script script;
        script.waitForStop = true;
        script.reportStopped = c.reportStopped;
        RecordingNotifier* notifier = new RecordingNotifier;
        ScriptedWorker* worker = new ScriptedWorker(item, script);
        worker->attach(notifier);
        Running r = startWorker(worker, notifier);
        ASSERT_TRUE(notifier->waitForCode(NotifyStatusRefresh, 1, 5000));
        DWORD stopAt = GetTickCount();
        worker->stop();
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        EXPECT_LT(GetTickCount() - stopAt, 2000u);
        CloseHandle(r.thread);
        EXPECT_EQ(c.expected, notifier->codes());
        EXPECT_EQ(c.results, historyOf(item).size());
        EXPECT_EQ(0, statusOf(item).busy);
        EXPECT_EQ(1, notifier->releases());
        delete notifier;
    }
}

TEST(RunCycle, AnIntervalOfNoSecondsStillSleepsOneSecond)
{
    struct Case {
        const char* name;
        int interval;
        int unit;
    };
    const Case cases[] = {{"interval 0", 0, UnitSeconds}, {"no unit", 20, 0}, {"unit 9", 20, 9}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = newStoredItem(ItemPort, "127.0.0.1", 1, c.interval, c.unit, 5000);
        Script script;
        RecordingNotifier* notifier = new RecordingNotifier;
        ScriptedWorker* worker = new ScriptedWorker(item, script);
        worker->attach(notifier);
        Running r = startWorker(worker, notifier);
        Sleep(2500);
        worker->stop();
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        CloseHandle(r.thread);
        // 2.5 s give three cycles at one per second; back to back they would be thousands
        size_t cycles = historyOf(item).size();
        EXPECT_GE(cycles, 2u);
        EXPECT_LE(cycles, 4u);
        std::vector<std::string> lines = readLines(item->getLogPath());
        ASSERT_GE(lines.size(), 6u);
        EXPECT_EQ("Sleeping for 1 seconds", lines[5]);
        delete notifier;
    }
}

TEST(RunCycle, WakeRunsTheNextCycleAtOnce)
{
    MonitorItemSettings* item = hourlyItem();
    RecordingNotifier* notifier = new RecordingNotifier;
    ScriptedWorker* worker = new ScriptedWorker(item, Script());
    worker->attach(notifier);
    Running r = startWorker(worker, notifier);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    Sleep(100);
    worker->wake();
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 2, 2000));
    worker->stop();
    ASSERT_TRUE(waitEnded(r.thread, 5000));
    CloseHandle(r.thread);
    EXPECT_EQ(2u, historyOf(item).size());
    delete notifier;
}

TEST(RunCycle, ALaterWorkerAppendsToTheLogWithoutASecondHeader)
{
    MonitorItemSettings* item = hourlyItem();
    for (int run = 0; run < 2; ++run) {
        RecordingNotifier* notifier = new RecordingNotifier;
        ScriptedWorker* worker = new ScriptedWorker(item, Script());
        worker->attach(notifier);
        Running r = startWorker(worker, notifier);
        ASSERT_TRUE(notifier->waitForCode(NotifyStatusRefresh, 2, 5000));
        worker->stop();
        ASSERT_TRUE(waitEnded(r.thread, 5000));
        CloseHandle(r.thread);
        delete notifier;
    }
    std::vector<std::string> lines = readLines(item->getLogPath());
    ASSERT_EQ(10u, lines.size());
    EXPECT_EQ(lines[2], lines[6]);
    EXPECT_EQ(kDashes, lines[6]);
    EXPECT_EQ("Sleeping for 3600 seconds", lines[9]);
}

TEST(RunCycle, AnUnwritableLogDoesNotStopTheChecks)
{
    MonitorItemSettings* item = hourlyItem();
    std::string folder = item->getDirectory();
    ASSERT_TRUE(RemoveDirectoryA(folder.c_str())) << folder;
    RecordingNotifier* notifier = new RecordingNotifier;
    ScriptedWorker* worker = new ScriptedWorker(item, Script());
    worker->attach(notifier);
    Running r = startWorker(worker, notifier);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleSucceeded, 1, 5000));
    worker->stop();
    ASSERT_TRUE(waitEnded(r.thread, 5000));
    CloseHandle(r.thread);
    EXPECT_EQ(1u, historyOf(item).size());
    CreateDirectoryA(folder.c_str(), nullptr);   // the store saves into it at exit
    delete notifier;
}

}  // namespace
