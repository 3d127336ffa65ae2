#include "ServiceControl.h"

#include "ServiceManager.h"

const char ServiceControl::kServiceName[] = "Orvane";
const char ServiceControl::kStillRunning[] =
    "The monitoring service did not stop in time and still runs: items may be checked twice until it stops.";

DWORD ServiceControl::pollInterval(DWORD waitHintMs)
{
    return waitHintMs < 1000 ? 1000 : waitHintMs > 10000 ? 10000 : waitHintMs;
}

ServiceControl::Result ServiceControl::stop(ServiceManager& manager, DWORD boundMs)
{
    if (!manager.open())
        return Result::NotInstalled;
    SERVICE_STATUS status = {};
    Result result = Result::Done;
    if (!manager.stop(status)) {
        result = Result::Refused;
    } else {
        const DWORD started = manager.nowMs();
        while (status.dwCurrentState != SERVICE_STOPPED) {
            if (manager.nowMs() - started >= boundMs) {
                result = Result::StillRunning;
                break;
            }
            manager.sleep(pollInterval(status.dwWaitHint));
            if (!manager.query(status)) {
                result = Result::QueryFailed;
                break;
            }
        }
    }
    manager.close();
    return result;
}

ServiceControl::Result ServiceControl::restart(ServiceManager& manager)
{
    if (!manager.open())
        return Result::NotInstalled;
    Result result = Result::Refused;
    SERVICE_STATUS status = {};
    if (manager.start()) {
        result = Result::Done;
        if (!manager.query(status)) {
            result = Result::QueryFailed;
        } else {
            DWORD since = manager.nowMs();
            DWORD checkPoint = status.dwCheckPoint;
            while (status.dwCurrentState == SERVICE_START_PENDING) {
                manager.sleep(pollInterval(status.dwWaitHint));
                if (!manager.query(status)) {
                    result = Result::QueryFailed;
                    break;
                }
                if (status.dwCurrentState != SERVICE_START_PENDING)
                    break;
                if (status.dwCheckPoint > checkPoint) {
                    checkPoint = status.dwCheckPoint;
                    since = manager.nowMs();
                } else if (manager.nowMs() - since > status.dwWaitHint) {
                    // no progress within the service's own hint
                    result = Result::StillRunning;
                    break;
                }
            }
        }
    }
    manager.close();
    return result;
}
