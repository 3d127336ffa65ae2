#include "workers/CommonWorkerImpl.h"

#include <climits>
#include <ctime>

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "WorkerManagerImpl.h"

const char* const CommonWorkerImpl::kSlowResponseText =
    "Test failed because the response time was higher than the designated time";

int intervalToSeconds(int interval, int unit)
{
    long long factor;
    switch (unit) {
    case 1: factor = 1; break;
    case 2: factor = 60; break;
    case 3: factor = 3600; break;
    case 4: factor = 86400; break;
    default: return 0;
    }
    long long seconds = static_cast<long long>(interval) * factor;
    if (seconds < 0)
        return 0;
    return seconds > INT_MAX ? INT_MAX : static_cast<int>(seconds);
}

int sleepSecondsAfter(int intervalSeconds, int elapsedMs)
{
    long long seconds = static_cast<long long>(intervalSeconds) - (elapsedMs > 0 ? elapsedMs / 1000 : 0);
    return seconds < 1 ? 1 : static_cast<int>(seconds);
}

int boundedTimeoutMs(int limitMs)
{
    if (limitMs < 1000)
        return 1000;
    return limitMs > 60000 ? 60000 : limitMs;
}

CommonWorkerImpl::CommonWorkerImpl(MonitorItemSettings* item, const char* loggerName,
                                   const WorkerTexts& texts)
    : testMode_(false), item_(item), texts_(texts), predecessor_(nullptr)
{
    LogSetup::getLogger(LogSetup::instance(), logger_, loggerName);
}

CommonWorkerImpl::~CommonWorkerImpl()
{
    if (predecessor_)
        CloseHandle(predecessor_);
}

void CommonWorkerImpl::attach(Notifier* notifier)
{
    notifiers_.add(notifier);
}

void CommonWorkerImpl::detach(Notifier* notifier)
{
    notifiers_.remove(notifier);
}

void CommonWorkerImpl::setTestMode(bool testMode)
{
    testMode_ = testMode;
}

void CommonWorkerImpl::run()
{
    if (predecessor_) {
        // The replaced worker was stopped and ends within moments; until it has, it may still
        // call the notifiers this worker took over.
        WaitForSingleObject(predecessor_, INFINITE);
        CloseHandle(predecessor_);
        predecessor_ = nullptr;
    }
    threadStarting();
    LOG4CXX_DEBUG(logger_, texts_.startLog);

    testLog_.setPath(item_->getLogPath());
    testLog_.start(item_);
    if (testMode_) {
        // The test-run window keeps and frees its own notifiers, and a test writes no cycle lines.
        notifiers_.setOwns(false);
        testLog_.setEnabled(false);
        notifyAll(NotifyProgress, texts_.testStarted);
    }

    // A worker started suspended (it replaced a suspended one) parks before its first cycle.
    bool stoppedBeforeStart = suspendCount() > 0 && !sleep(0) && isStopped();
    while (!stoppedBeforeStart && runCycle()) {
    }

    LOG4CXX_DEBUG(logger_, texts_.endLog);
    bool stopped = isStopped() || stopRequested();
    if (testMode_ && (texts_.testEndedAfterStop || !stopped))
        notifyAll(NotifyTestEnded, texts_.testEnded);

    threadEnding();
    // Out of the manager's map before the object goes, so that no host call reaches a deleted
    // worker, and stopAll, which waits on a duplicate of the thread handle, sees the end.
    WorkerManagerImpl::workerEnding(this);
    delete this;
}

bool CommonWorkerImpl::runCycle()
{
    ItemGeneralSettings general = readGeneral();
    writeCycleStart();
    cycleStarting(general);
    if (!testMode_)
        setBusy(true);

    CheckResult result;
    DWORD started = GetTickCount();
    check(general, result);
    if (result.elapsedMs < 0)
        result.elapsedMs = static_cast<int>(GetTickCount() - started);

    if (result.stopped || (!result.ok && stopRequested())) {
        // A check cut short by a stop proves nothing about the target: record nothing, and
        // above all raise no alarm while the host shuts down.
        if (!testMode_)
            setBusy(false);
        return false;
    }
    if (result.lines.empty()) {
        if (result.ok)
            result.event(NotifySuccess, result.successText);
        else
            result.event(NotifyFailure, result.message);
    }
    for (const CheckLine& line : result.lines) {
        if (testMode_) {
            if (line.event < 0)
                continue;
            // A stop asked for while the test run reports ends it here.
            if (stoppedDuringTest())
                return false;
            notifyAll(line.event, line.text);
        } else if (!line.log.empty()) {
            writeLog(line.log);
        }
    }

    bool ok = result.ok;
    if (result.applyLimit && ok && result.elapsedMs > general.timeoutMs) {
        ok = false;
        if (testMode_)
            notifyAll(NotifyFailure, kSlowResponseText);
        else
            writeLog(kSlowResponseText);
    }
    if (testMode_ && result.hasTestEnded)
        notifyAll(NotifyTestEnded, result.testEnded);
    if (testMode_) {
        if (result.recordInTest)
            recordResult(result.code, result.message, result.elapsedMs, ok);
        return false;
    }

    std::time_t checkTime = recordResult(result.code, result.message, result.elapsedMs, ok);
    // The failed flag follows the cycle's outcome, whatever failed.
    setFailed(!ok);
    notifyAll(ok ? NotifyCycleSucceeded : NotifyCycleFailed);
    cycleRecorded(ok, checkTime);
    setBusy(false);
    return finishCycle(general, result.elapsedMs);
}

ItemGeneralSettings CommonWorkerImpl::readGeneral()
{
    MonitorItemLock lock(item_);
    return item_->getGeneral();
}

void CommonWorkerImpl::notifyAll(int event, const std::string& text)
{
    notifiers_.notifyAll(event, text);
}

void CommonWorkerImpl::writeLog(const std::string& line)
{
    testLog_.write(line);
}

void CommonWorkerImpl::writeCycleStart()
{
    writeLog("-----------------------------------");
    writeLog("Starting run cycle");
}

void CommonWorkerImpl::setBusy(bool busy)
{
    {
        MonitorItemLock lock(item_);
        item_->getStatus().busy = busy ? 1 : 0;
    }
    notifyAll(NotifyStatusRefresh);
}

void CommonWorkerImpl::setFailed(bool failed)
{
    MonitorItemLock lock(item_);
    item_->getStatus().failed = failed ? 1 : 0;
}

std::time_t CommonWorkerImpl::recordResult(int code, const std::string& message, int responseMs, bool ok)
{
    std::time_t now = std::time(nullptr);
    item_->addResult(now, code, message, responseMs, ok);
    return now;
}

bool CommonWorkerImpl::stoppedDuringTest()
{
    return !sleep(0) && isStopped();
}

bool CommonWorkerImpl::finishCycle(const ItemGeneralSettings& general, int elapsedMs)
{
    writeLog("Ending run cycle");
    int seconds = sleepSecondsAfter(intervalToSeconds(general.interval, general.intervalUnit), elapsedMs);
    writeLog((boost::format("Sleeping for %1% seconds") % seconds).str());
    testLog_.flush();
    {
        MonitorItemLock lock(item_);
        item_->getStatus().nextRunTime = std::time(nullptr) + seconds;
    }
    return !(!sleep(seconds) && isStopped());
}

int CommonWorkerImpl::networkTimeoutMs()
{
    MonitorItemLock lock(item_);
    return boundedTimeoutMs(item_->getGeneral().timeoutMs);
}
