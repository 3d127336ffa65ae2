// Base of every check worker: it is the Thread, the Worker the hosts hold, the notifier list, and
// the run cycle that all checks share (busy flag, events, result, response-time limit, activity
// log, next-run time, sleep with wake and stop, self-deletion at the end).
//
// A check that follows the standard cycle derives and implements check() only:
//
//     class PortWorker : public CommonWorkerImpl {
//     public:
//         explicit PortWorker(MonitorItemSettings* item)
//             : CommonWorkerImpl(item, "worker.PortWorker", kPortTexts) {}
//     protected:
//         void check(const ItemGeneralSettings& general, CheckResult& result) override;
//     };
//
// check() runs the test once and fills the result; it must bound every network wait (use
// Connection with networkTimeoutMs(), and setCancel([this] { return stopRequested(); }) so that
// a stop cuts a long wait short, then set result.stopped).
//
// A check whose cycle differs (ping repeats its test three times, HTTP and FTP record nothing in
// test mode, POP3 and SMTP write their own lines) overrides runCycle() and builds it from the
// protected steps below, each of which takes the item's lock itself where it writes the item.
// threadStarting()/threadEnding() run first and last on the worker's thread (COM for HTTP).
// An HTTP worker overrides getLastPage() (the worker manager asks through it).
#pragma once

#include <windows.h>

#include <string>

#include "Monitor/MonitorItemSettings.h"
#include "orv/log4cxx.h"
#include "workers/Notifier.h"
#include "workers/NotifierList.h"
#include "workers/Thread.h"
#include "workers/Worker.h"
#include "workers/WorkerTestLog.h"

// An item's interval in seconds by IntervalUnit: 1 seconds, 2 minutes, 3 hours, 4 days, any other
// unit 0. Clamped to 0..INT_MAX: a large day count cannot overflow into a negative time.
int intervalToSeconds(int interval, int unit);

// Seconds to sleep after a cycle that took elapsedMs: the interval less the whole seconds spent,
// never less than 1, so that an interval of 0 (or a unit outside 1..4) cannot check the target
// back to back for ever.
int sleepSecondsAfter(int intervalSeconds, int elapsedMs);

// The time-out of one network wait of a check: the item's response-time limit, at least 1 s and
// at most 60 s, so that a silent target ends as a failure and never hangs the worker.
int boundedTimeoutMs(int limitMs);

// What a check tells about itself. Texts are the system's own; they appear in the debug log and
// as test-mode events.
struct WorkerTexts {
    const char* startLog;      // debug, when the thread starts ("Starting worker")
    const char* endLog;        // debug, when it ends ("Ending thread")
    const char* testStarted;   // event 0 when a test run starts ("Port test started")
    const char* testEnded;     // event 4 when a test run ends ("Port test ended")
    bool testEndedAfterStop;   // event 4 also when the test run was stopped
};

// The outcome of one check.
struct CheckResult {
    bool ok = false;
    std::string message = "Success";  // recorded with the result
    int elapsedMs = -1;               // recorded response time; -1: the base times check() itself
    int code = 200;                   // result code recorded
    std::string successText;          // test mode: the event 2 text of a success
    bool stopped = false;             // gave up on a stop request: nothing is recorded or sent
};

class CommonWorkerImpl : public Thread, public Worker {
public:
    ~CommonWorkerImpl() override;

    void attach(Notifier* notifier) override;
    void detach(Notifier* notifier) override;
    void setTestMode(bool testMode) override;

    NotifierList& getNotifierList() { return notifiers_; }

    MonitorItemSettings* getItem() const { return item_; }
    // A thread (a duplicated handle, owned from now on) that must have ended before this worker
    // begins its first cycle: the worker it replaces, which still calls the same notifiers.
    void setPredecessor(HANDLE thread) { predecessor_ = thread; }
    bool isTestMode() const { return testMode_; }

    // A copy of the last page an HTTP check downloaded; empty for every other check. Called from
    // host threads while the worker runs.
    virtual std::string getLastPage() const { return std::string(); }

    static const char* const kSlowResponseText;   // a success slower than the item's limit

protected:
    CommonWorkerImpl(MonitorItemSettings* item, const char* loggerName, const WorkerTexts& texts);

    // The worker's whole life on its thread: start, cycles until a stop (one in test mode), end,
    // and finally delete this. Nothing may touch the object after it returns.
    void run() final;

    virtual void threadStarting() {}
    virtual void threadEnding() {}

    // One pass of the cycle; false leaves the loop. The standard pass calls check().
    virtual bool runCycle();
    virtual void check(const ItemGeneralSettings& general, CheckResult& result) = 0;

    // Steps a cycle is built from.
    ItemGeneralSettings readGeneral();              // a copy taken under the item's lock
    void notifyAll(int event, const std::string& text = std::string());
    void writeLog(const std::string& line);         // activity log (nothing in test mode)
    void writeCycleStart();                         // the dashes, then "Starting run cycle"
    void setBusy(bool busy);                        // the busy flag, then event 3
    void setFailed(bool failed);                    // the failed flag only
    void recordResult(int code, const std::string& message, int responseMs, bool ok);
    // Test mode: a stop asked for during the check ends the run here (sleep(0)).
    bool stoppedDuringTest();
    // "Ending run cycle", the sleep time, "Sleeping for N seconds", the next-run time, and the
    // sleep. False when a stop ended it.
    bool finishCycle(const ItemGeneralSettings& general, int elapsedMs);
    // The item's response-time limit bounded for one network wait (boundedTimeoutMs).
    int networkTimeoutMs();

private:
    NotifierList notifiers_;
    bool testMode_;
    MonitorItemSettings* item_;
    WorkerTexts texts_;
    HANDLE predecessor_;

protected:
    // Destroyed in reverse: the activity log first, the notifier list (releasing) last.
    log4cxx::LoggerPtr logger_;
    WorkerTestLog testLog_;
};
