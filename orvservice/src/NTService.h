// Reusable base of a Windows service program: registration with the service control manager,
// status reports, the control handler and self-installation. A program derives one class, makes
// one object of it, hands it to setInstance and calls startDispatcher from main.
//
// Threads: startDispatcher blocks the main thread; the dispatcher calls serviceMain (and so init
// and run) on a thread of its own and delivers controls to handleControl on the main thread. A
// stop or shutdown runs onStop on a thread of its own while the service reports "stop pending":
// the service control manager waits only seconds for the handler to return (10 under Wine, after
// which the request fails), and a stop that joins threads and sends mail may take longer.
#pragma once

#include <windows.h>

#include <string>

#include "orv/log4cxx.h"

class NTService {
public:
    typedef void(WINAPI* ServiceMainEntry)(DWORD argc, LPSTR* argv);
    typedef void(WINAPI* ControlHandlerEntry)(DWORD control);

    // Longer names are cut to this many characters.
    static constexpr std::size_t kMaxNameLength = 35;
    // Wait hint sent with "stop pending": the longest a derived service's stop may take.
    static constexpr DWORD kStopWaitHintMs = 60000;

    NTService(const std::string& name, ServiceMainEntry serviceMain, ControlHandlerEntry handler);

    virtual void setControlsAccepted(int controls);
    virtual void setStatus(DWORD state, DWORD checkPoint = 0, DWORD waitHint = 0);
    // 0: ready to run. The base is always ready.
    virtual int init(int argc, char** argv);
    // The service's work. 0 means it is under way (the service stays running after run
    // returns); any other value means it failed, and the service is reported stopped with that
    // value as its service-specific exit code.
    virtual int run() = 0;
    virtual void onInstall();
    virtual void onUninstall();
    // 0: done; any other value leaves the state as it was.
    virtual int onPause();
    virtual int onContinue();
    virtual void onStop();
    virtual void onShutdown();
    virtual void onInterrogate();
    virtual void onUserControl(int control);
    virtual ~NTService();

    // Runs the dispatcher until the service has stopped: 0, or the error that kept it from
    // starting. It returns only once serviceMain has also returned (or after a bounded wait).
    virtual int startDispatcher();
    virtual int serviceMain(int argc, char** argv);
    virtual void handleControl(DWORD control);
    virtual bool isInstalled();
    virtual bool install();
    virtual bool uninstall();
    // Windows error code of the last failed service call; 0 when none failed.
    virtual int getLastError();
    // The status record's Win32 exit code.
    virtual int getExitCode();

    const std::string& getName() const { return name_; }
    // A copy of the status record as last reported.
    SERVICE_STATUS getStatus();

    // The one service object of the process, which the two plain entry points forward to.
    static void setInstance(NTService* service);
    static NTService* getInstance();
    // Entry points to pass to the constructor.
    static void WINAPI serviceMainEntry(DWORD argc, LPSTR* argv);
    static void WINAPI controlHandlerEntry(DWORD control);

    NTService(const NTService&) = delete;
    NTService& operator=(const NTService&) = delete;

protected:
    log4cxx::LoggerPtr logger_;
    bool paused_;

private:
    // Reports the status record as it is now, under the status lock.
    void reportStatus();
    void keepError(const char* call);
    // Stop and shutdown: report "stop pending", then run the stop on its own thread.
    void beginStop(DWORD control);
    void finishStop();
    static DWORD WINAPI stopThreadProc(LPVOID self);

    std::string name_;
    SERVICE_TABLE_ENTRYA table_[2];
    ServiceMainEntry serviceMainEntry_;
    ControlHandlerEntry handlerEntry_;
    int lastError_;
    SERVICE_STATUS status_;
    SERVICE_STATUS_HANDLE statusHandle_;
    // The control handler (main thread) and serviceMain report from two threads; each report
    // must send the record it wrote.
    CRITICAL_SECTION statusLock_;
    // Set when serviceMain returns, so the process does not end (and delete this object) under it.
    HANDLE mainDone_;
    volatile LONG mainEntered_;
    // The thread running onStop or onShutdown, and which of the two controls started it.
    HANDLE stopThread_;
    DWORD stopControl_;
};
