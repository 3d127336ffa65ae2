// Base of every check worker: it is the Thread, the Worker the hosts hold, the notifier list, and
// the run cycle that all checks share (busy flag, events, result, response-time limit, activity
// log, next-run time, sleep with wake and stop, self-deletion at the end).
//
// A check derives and implements check() only:
//
//     class PortWorker : public CommonWorkerImpl {
//     public:
//         explicit PortWorker(MonitorItemSettings* item)
//             : CommonWorkerImpl(item, "worker.PortWorker", kPortTexts) {}
//     protected:
//         void check(const ItemGeneralSettings& general, CheckResult& result) override;
//     };
//
// check() runs the test once and fills the result: outcome, message, code, response time, and
// the lines that tell its steps (to the activity log, and as events in a test run). It must
// bound every network wait by the item's limit (networkTimeoutMs()) and give up on a stop
// (stopRequested(), polled by Connection, CallWatch and AbandonableCall), then set
// result.stopped. It runs with the item's lock not held.
//
// cycleStarting() runs after the cycle's first log lines (its own "Downloading page ..." and the
// like), cycleRecorded() after the result and the events (the HTTP check saves its page there).
// The ping check alone keeps a cycle of its own (three echoes in a test run).
// threadStarting()/threadEnding() run first and last on the worker's thread (COM for HTTP).
// An HTTP worker overrides getLastPage() (the worker manager asks through it).
#pragma once

#include <windows.h>

#include <ctime>
#include <string>
#include <vector>

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

// One step a check reports: a line of the activity log (normal mode) and an event with its own
// text (test mode); either may be left out.
struct CheckLine {
    std::string log;        // "" writes nothing to the activity log
    int event;              // test mode: the event code (NotifierEvent), or -1 for none
    std::string text;       // test mode: the event's text
};

// The outcome of one check.
struct CheckResult {
    bool ok = false;
    std::string message = "Success";  // recorded with the result
    int elapsedMs = -1;               // recorded response time; -1: the base times check() itself
    int code = 200;                   // result code recorded
    std::string successText;          // test mode: the event 2 text of a success
    bool stopped = false;             // gave up on a stop request: nothing is recorded or sent

    // The steps, in order. A check that reports none gets the standard one in a test run:
    // successText as event 2 on success, else the message as event 1.
    std::vector<CheckLine> lines;
    // The response-time limit applies (the FTP check has none; POP3 compares its own total).
    bool applyLimit = true;
    // A test run records the result too (the HTTP and FTP test runs record nothing).
    bool recordInTest = true;
    // Test mode: an event 4 sent after the outcome, ending the test cycle (HTTP, FTP).
    bool hasTestEnded = false;
    std::string testEnded;

    void log(const std::string& line) { lines.push_back(CheckLine{line, -1, std::string()}); }
    void event(int code, const std::string& text) { lines.push_back(CheckLine{std::string(), code, text}); }
    void both(const std::string& line, int code) { lines.push_back(CheckLine{line, code, line}); }
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

    // One pass of the cycle; false leaves the loop. It calls check().
    virtual bool runCycle();
    virtual void check(const ItemGeneralSettings& general, CheckResult& result) = 0;
    virtual void cycleStarting(const ItemGeneralSettings&) {}
    virtual void cycleRecorded(bool /*ok*/, std::time_t /*checkTime*/) {}

    // Steps a cycle is built from.
    ItemGeneralSettings readGeneral();              // a copy taken under the item's lock
    void notifyAll(int event, const std::string& text = std::string());
    void writeLog(const std::string& line);         // activity log (nothing in test mode)
    void writeCycleStart();                         // the dashes, then "Starting run cycle"
    void setBusy(bool busy);                        // the busy flag, then event 3
    void setFailed(bool failed);                    // the failed flag only
    // The result into the item's history and statistics, dated now; returns that time.
    std::time_t recordResult(int code, const std::string& message, int responseMs, bool ok);
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
