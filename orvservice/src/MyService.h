// The Orvane service: after a start-up wait, loads every stored item of the data folder named in
// service_helper.txt and runs one worker per item with a MailAlarmNotifier attached; a stop or
// shutdown stops the workers (waiting for them), unloads the items (each saves its files), and
// sends the alarm mail still queued, within a time bound.
//
// Threads: run is called on the service-main thread, onStop on the control handler's thread. A
// stop may come at any moment of run: during the start-up wait run gives up at once, and while
// the items load the stop waits until run has started the workers, then stops them.
#pragma once

#include <windows.h>

#include <string>

#include "NTService.h"

class MonitorItemManager;
class WorkerManager;

class MyService : public NTService {
public:
    // Wait between the start and the loading of the items, so that the system's network and
    // the data folder's drive are ready when the service starts with the system.
    static constexpr DWORD kStartDelayMs = 30000;
    // Longest wait at a stop for the queued alarm mail to go out.
    static constexpr DWORD kMailDrainMs = 20000;

    MyService(const std::string& name, ServiceMainEntry serviceMain, ControlHandlerEntry handler);
    ~MyService() override;

    int run() override;
    void onStop() override;

    // The start-up wait: kStartDelayMs, unless the service's registry key holds the DWORD value
    // "StartDelay" (milliseconds) under "Parameters". Nothing writes that value; it is there for
    // set-ups (test runs) that cannot wait half a minute per start.
    DWORD startDelayMs();

private:
    MonitorItemManager* items_;
    WorkerManager* workers_;
    log4cxx::LoggerPtr serviceLogger_;
    HANDLE stopEvent_;
    // Held by run while it loads items and starts workers, and by onStop while it ends them.
    CRITICAL_SECTION jobLock_;
    bool stopping_;
    bool released_;
};
