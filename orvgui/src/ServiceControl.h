// Taking monitoring over from the background service and handing it back: the service is stopped
// before the GUI loads its items and started again after the GUI let the start-up mutex go. Both
// waits poll the service's status at its own wait hint, held to 1..10 seconds. The stop wait ends
// when the service reports stopped, when a status query fails, or after a bound; the start wait
// ends when the service leaves the start-pending state, stops making progress, or a query fails.
#pragma once

#include <windows.h>

class ServiceManager;

class ServiceControl {
public:
    static const char kServiceName[];       // "Orvane"
    static const char kStillRunning[];      // told once when the stop wait ran out
    static constexpr DWORD kStopBoundMs = 60000;

    enum class Result {
        NotInstalled,   // the manager or the service could not be opened
        Refused,        // the service refused the stop or the start
        Done,           // stopped, or no longer start-pending
        QueryFailed,    // the status could not be read any more
        StillRunning,   // the stop wait ran out; stopped making progress while starting
    };

    // The pause between two status queries for a wait hint: at least 1 s, at most 10 s.
    static DWORD pollInterval(DWORD waitHintMs);
    static Result stop(ServiceManager& manager, DWORD boundMs = kStopBoundMs);
    static Result restart(ServiceManager& manager);
};
