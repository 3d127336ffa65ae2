#include "NTService.h"

#include <boost/format.hpp>

#include "Monitor/LogSetup.h"

namespace {

NTService* gService = nullptr;

// How long the process waits, once the dispatcher has returned, for serviceMain to come back
// from run before it goes on to end.
const DWORD kMainWaitMs = 30000;

const char kDescription[] = "Monitors the items configured by the user without need of intervention.";

bool stoppingOrStopped(DWORD state)
{
    return state == SERVICE_STOP_PENDING || state == SERVICE_STOPPED;
}

}  // namespace

NTService::NTService(const std::string& name, ServiceMainEntry serviceMain,
                     ControlHandlerEntry handler)
    : paused_(false),
      name_(name.substr(0, kMaxNameLength)),
      serviceMainEntry_(serviceMain),
      handlerEntry_(handler),
      lastError_(0),
      statusHandle_(nullptr),
      mainDone_(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      mainEntered_(0),
      stopThread_(nullptr),
      stopControl_(0)
{
    LogSetup::getLogger(LogSetup::instance(), logger_, "service.NTService");
    InitializeCriticalSection(&statusLock_);

    table_[0].lpServiceName = const_cast<char*>(name_.c_str());
    table_[0].lpServiceProc = serviceMainEntry_;
    table_[1].lpServiceName = nullptr;
    table_[1].lpServiceProc = nullptr;

    ZeroMemory(&status_, sizeof status_);
    status_.dwServiceType = SERVICE_WIN32;
    status_.dwCurrentState = SERVICE_START_PENDING;
    status_.dwControlsAccepted =
        SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE | SERVICE_ACCEPT_SHUTDOWN;
}

NTService::~NTService()
{
    if (gService == this)
        gService = nullptr;
    if (stopThread_) {
        WaitForSingleObject(stopThread_, kMainWaitMs);
        CloseHandle(stopThread_);
    }
    if (mainDone_)
        CloseHandle(mainDone_);
    DeleteCriticalSection(&statusLock_);
}

void NTService::setControlsAccepted(int controls)
{
    EnterCriticalSection(&statusLock_);
    status_.dwControlsAccepted = static_cast<DWORD>(controls);
    LeaveCriticalSection(&statusLock_);
}

void NTService::setStatus(DWORD state, DWORD checkPoint, DWORD waitHint)
{
    EnterCriticalSection(&statusLock_);
    status_.dwCurrentState = state;
    status_.dwCheckPoint = checkPoint;
    status_.dwWaitHint = waitHint;
    reportStatus();
    LeaveCriticalSection(&statusLock_);
}

void NTService::reportStatus()
{
    EnterCriticalSection(&statusLock_);
    if (statusHandle_)
        SetServiceStatus(statusHandle_, &status_);
    LeaveCriticalSection(&statusLock_);
}

SERVICE_STATUS NTService::getStatus()
{
    EnterCriticalSection(&statusLock_);
    SERVICE_STATUS copy = status_;
    LeaveCriticalSection(&statusLock_);
    return copy;
}

int NTService::init(int, char**)
{
    return 0;
}

void NTService::onInstall()
{
}

void NTService::onUninstall()
{
}

int NTService::onPause()
{
    return 0;
}

int NTService::onContinue()
{
    return 0;
}

void NTService::onStop()
{
}

void NTService::onShutdown()
{
    onStop();
}

void NTService::onInterrogate()
{
}

void NTService::onUserControl(int)
{
}

void NTService::keepError(const char* call)
{
    lastError_ = static_cast<int>(GetLastError());
    LOG4CXX_ERROR(logger_, (boost::format("%1% failed with the code %2%.") % call % lastError_).str());
}

int NTService::startDispatcher()
{
    if (!StartServiceCtrlDispatcherA(table_)) {
        keepError("StartServiceCtrlDispatcher");
        return lastError_;
    }
    // The dispatcher returns once the service reports stopped; serviceMain may still be on its
    // way out of run (a stop that came during the start-up wait), and the stop thread on its way
    // out after its last report.
    if (mainEntered_ && WaitForSingleObject(mainDone_, kMainWaitMs) != WAIT_OBJECT_0)
        LOG4CXX_WARN(logger_, "The service's main thread did not end in time");
    if (stopThread_ && WaitForSingleObject(stopThread_, kMainWaitMs) != WAIT_OBJECT_0)
        LOG4CXX_WARN(logger_, "The service's stop did not end in time");
    return 0;
}

int NTService::serviceMain(int argc, char** argv)
{
    InterlockedExchange(&mainEntered_, 1);
    statusHandle_ = RegisterServiceCtrlHandlerA(name_.c_str(), handlerEntry_);
    if (!statusHandle_) {
        keepError("RegisterServiceCtrlHandler");
        SetEvent(mainDone_);
        return lastError_;
    }

    int result;
    if (init(argc, argv) == 0) {
        EnterCriticalSection(&statusLock_);
        if (status_.dwCurrentState == SERVICE_START_PENDING)
            setStatus(SERVICE_RUNNING);
        LeaveCriticalSection(&statusLock_);

        result = run();

        if (result != 0) {
            // A service whose work never started must not go on showing itself running.
            EnterCriticalSection(&statusLock_);
            if (!stoppingOrStopped(status_.dwCurrentState)) {
                LOG4CXX_ERROR(logger_, (boost::format("The service could not start its work "
                                                      "(code %1%); reporting it stopped") %
                                        result).str());
                status_.dwWin32ExitCode = ERROR_SERVICE_SPECIFIC_ERROR;
                status_.dwServiceSpecificExitCode = static_cast<DWORD>(result);
                setStatus(SERVICE_STOPPED);
            }
            LeaveCriticalSection(&statusLock_);
        }
    } else {
        setStatus(SERVICE_STOPPED);
        result = lastError_;
    }
    SetEvent(mainDone_);
    return result;
}

void NTService::handleControl(DWORD control)
{
    switch (control) {
    case SERVICE_CONTROL_STOP:
    case SERVICE_CONTROL_SHUTDOWN:
        beginStop(control);
        break;
    case SERVICE_CONTROL_PAUSE: {
        DWORD before = getStatus().dwCurrentState;
        setStatus(SERVICE_PAUSE_PENDING);
        if (onPause() != 0) {
            setStatus(before);   // not paused after all: do not stay "pause pending"
            break;
        }
        paused_ = true;
        setStatus(SERVICE_PAUSED);
        break;
    }
    case SERVICE_CONTROL_CONTINUE: {
        DWORD before = getStatus().dwCurrentState;
        setStatus(SERVICE_CONTINUE_PENDING);
        if (onContinue() != 0) {
            setStatus(before);
            break;
        }
        paused_ = false;
        setStatus(SERVICE_RUNNING);
        break;
    }
    case SERVICE_CONTROL_INTERROGATE:
        onInterrogate();
        setStatus(getStatus().dwCurrentState);
        break;
    default:
        onUserControl(static_cast<int>(control));
        setStatus(getStatus().dwCurrentState);
        break;
    }
}

void NTService::beginStop(DWORD control)
{
    EnterCriticalSection(&statusLock_);
    if (stoppingOrStopped(status_.dwCurrentState)) {
        // A second stop (or a shutdown during a stop): the first one is under way.
        reportStatus();
        LeaveCriticalSection(&statusLock_);
        return;
    }
    setStatus(SERVICE_STOP_PENDING, 1, kStopWaitHintMs);
    LeaveCriticalSection(&statusLock_);

    stopControl_ = control;
    // Started only once its handle is kept: the stop may report "stopped" at once, and the
    // process then waits on that handle before it ends.
    HANDLE thread = CreateThread(nullptr, 0, stopThreadProc, this, CREATE_SUSPENDED, nullptr);
    if (!thread) {
        finishStop();   // no thread to be had: stop here, late answer or not
        return;
    }
    stopThread_ = thread;
    ResumeThread(thread);
}

DWORD WINAPI NTService::stopThreadProc(LPVOID self)
{
    static_cast<NTService*>(self)->finishStop();
    return 0;
}

void NTService::finishStop()
{
    if (stopControl_ == SERVICE_CONTROL_SHUTDOWN)
        onShutdown();
    else
        onStop();
    setStatus(SERVICE_STOPPED);
}

bool NTService::isInstalled()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager)
        return false;
    bool installed = false;
    SC_HANDLE service = OpenServiceA(manager, name_.c_str(), SERVICE_QUERY_CONFIG);
    if (service) {
        installed = true;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return installed;
}

bool NTService::install()
{
    LOG4CXX_INFO(logger_, "Installing service");
    if (isInstalled())
        return true;

    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        keepError("OpenSCManager");
        return false;
    }

    char path[MAX_PATH + 1] = "";
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    path[length < MAX_PATH ? length : MAX_PATH] = '\0';
    // An unquoted image path with a space lets the system try to start "C:\Program.exe" first.
    std::string image = path;
    if (image.find(' ') != std::string::npos)
        image = "\"" + image + "\"";

    bool result = false;
    SC_HANDLE service = CreateServiceA(manager, name_.c_str(), name_.c_str(), SERVICE_ALL_ACCESS,
                                       SERVICE_WIN32_OWN_PROCESS, SERVICE_AUTO_START,
                                       SERVICE_ERROR_NORMAL, image.c_str(), nullptr, nullptr,
                                       nullptr, nullptr, nullptr);
    if (service) {
        onInstall();
        SERVICE_DESCRIPTIONA description;
        description.lpDescription = const_cast<char*>(kDescription);
        result = ChangeServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, &description) != FALSE;
        CloseServiceHandle(service);
    } else {
        keepError("CreateService");
    }
    CloseServiceHandle(manager);
    return result;
}

bool NTService::uninstall()
{
    LOG4CXX_INFO(logger_, "Uninstalling service");
    if (!isInstalled())
        return true;

    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS);
    if (!manager) {
        keepError("OpenSCManager");
        return false;
    }
    SC_HANDLE service = OpenServiceA(manager, name_.c_str(), DELETE);
    if (!service) {
        keepError("OpenService");
        CloseServiceHandle(manager);
        return false;
    }
    bool deleted = DeleteService(service) != FALSE;
    if (!deleted)
        keepError("DeleteService");
    onUninstall();
    CloseServiceHandle(service);
    CloseServiceHandle(manager);
    return deleted;
}

int NTService::getLastError()
{
    return lastError_;
}

int NTService::getExitCode()
{
    return static_cast<int>(getStatus().dwWin32ExitCode);
}

void NTService::setInstance(NTService* service)
{
    gService = service;
}

NTService* NTService::getInstance()
{
    return gService;
}

void WINAPI NTService::serviceMainEntry(DWORD argc, LPSTR* argv)
{
    if (gService)
        gService->serviceMain(static_cast<int>(argc), argv);
}

void WINAPI NTService::controlHandlerEntry(DWORD control)
{
    if (gService)
        gService->handleControl(control);
}
