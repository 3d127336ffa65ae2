// What service control needs of the system's service manager, for one service; tests put a
// scripted manager in place of the real one (WindowsServiceManager). The clock and the pause
// come with it, so that a test runs without waiting.
#pragma once

#include <windows.h>

class ServiceManager {
public:
    virtual ~ServiceManager() {}
    // Opens the manager and the service; false (nothing left open) when either fails.
    virtual bool open() = 0;
    virtual void close() = 0;
    // Asks the service to stop; the status it answered.
    virtual bool stop(SERVICE_STATUS& status) = 0;
    virtual bool start() = 0;
    virtual bool query(SERVICE_STATUS& status) = 0;
    virtual void sleep(DWORD ms) = 0;
    virtual DWORD nowMs() = 0;
};
