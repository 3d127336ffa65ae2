#include "PingWorker.h"

#include <boost/format.hpp>

#include "AddressPrefix.h"
#include "Pinger.h"

namespace {

const WorkerTexts kPingTexts = {"Starting thread", "Ending thread", "Ping test started",
                                "Ping test ended", false};
const int kTestPings = 3;

}  // namespace

PingWorker::PingWorker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.PingWorker", kPingTexts), testCycles_(0)
{
}

// One echo: ok only for an answer within the limit. The slow case keeps "Success" as message.
void PingWorker::check(const ItemGeneralSettings& general, CheckResult& result)
{
    Pinger pinger;
    // The echo waits no longer than the bounded limit, so a silent target cannot hold the
    // worker (and a stop) for long; a reply later than the limit itself still counts as slow.
    result.ok = pinger.ping(stripAddressPrefix(general.address), boundedTimeoutMs(general.timeoutMs),
                            [this] { return stopRequested(); });
    result.stopped = pinger.stopped();
    result.message = pinger.message();
    result.elapsedMs = result.ok ? pinger.roundTripMs() : 0;
    result.code = 1;
}

bool PingWorker::runCycle()
{
    DWORD cycleStarted = GetTickCount();
    ItemGeneralSettings general = readGeneral();
    writeCycleStart();
    writeLog((boost::format("Pinging %1%") % general.address).str());
    if (!isTestMode())
        setBusy(true);

    CheckResult result;
    check(general, result);
    if (result.stopped) {
        // An echo given up on a stop proves nothing about the target: nothing is recorded.
        if (!isTestMode())
            setBusy(false);
        return false;
    }
    if (isTestMode() && stoppedDuringTest())
        return false;

    bool ok = false;
    int responseMs = result.elapsedMs;
    if (result.ok && responseMs <= general.timeoutMs) {
        writeLog((boost::format("Ping SUCCEDED with the response time: %1% miliseconds") % responseMs).str());
        setFailed(false);
        ok = true;
        if (isTestMode())
            notifyAll(NotifySuccess, "Ping : " + std::to_string(responseMs) + " miliseconds");
    } else {
        if (!result.ok) {
            std::string text = "Ping FAILED with the error: " + result.message;
            writeLog(text);
            // The test-run window would otherwise show nothing at all for a failed echo.
            if (isTestMode())
                notifyAll(NotifyFailure, text);
            responseMs = 0;
        } else {
            std::string text = (boost::format("Ping FAILED with the response time:%1% miliseconds") % responseMs).str();
            writeLog(text);
            if (isTestMode())
                notifyAll(NotifyFailure, text);
            writeLog((boost::format("The designated timeout was %1% miliseconds") % general.timeoutMs).str());
        }
        setFailed(true);
    }
    recordResult(1, result.message, responseMs, ok);

    if (isTestMode())
        return ++testCycles_ < kTestPings;

    notifyAll(ok ? NotifyCycleSucceeded : NotifyCycleFailed);
    setBusy(false);
    return finishCycle(general, static_cast<int>(GetTickCount() - cycleStarted));
}
