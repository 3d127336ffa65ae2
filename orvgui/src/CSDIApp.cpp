#include "CSDIApp.h"

#include <commctrl.h>
#include <objbase.h>

#include <cstdlib>
#include <vector>

#include "AppPaths.h"
#include "CAboutBox.h"
#include "CExtPaintManagerHolder.h"
#include "CMainFrame.h"
#include "CSplashScreen.h"
#include "CWaitDlg.h"
#include "FlusherThread.h"
#include "Monitor/FileIo.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemManager.h"
#include "ProfileStore.h"
#include "ProxySettings.h"
#include "ServiceControl.h"
#include "ThemeChoice.h"
#include "ThreadSendFeedback.h"
#include "WindowsServiceManager.h"
#include "mailqueue/MailSender.h"
#include "orv/xerces.h"
#include "reports/ReportManager.h"
#include "workers/WorkerManager.h"

const char CSDIApp::kRegistryKey[] = "Orvane";
const char CSDIApp::kResourceLibrary[] = "orvres.dll";
const char CSDIApp::kShuttingDown[] = "Please wait while the application is shutting down";
const char CSDIApp::kFrameFailed[] = "The main window could not be created; ending";

namespace {

const UINT kIdMainFrame = 128;
const DWORD kMainFrameStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE;

// The built-in reports and the files they write into the Reports folder.
const struct {
    const char* name;
    const char* file;
} kBuiltInReports[] = {
    {"Downtime report", "DowntimeReport.html"},
    {"Failure report", "FailureReport.html"},
    {"Sucess report", "SucessReport.html"},
    {"Summary report", "SummaryReport.html"},
};

}  // namespace

BEGIN_MESSAGE_MAP(CSDIApp, CWinApp)
    ON_COMMAND(ID_APP_ABOUT, OnAppAbout)
END_MESSAGE_MAP()

CSDIApp::CSDIApp() : m_hSavedResource(NULL), m_bRunAsService(false), m_bServiceStopped(false) {}

std::string CSDIApp::GetExeFolder()
{
    return AppPaths::programFolder();
}

std::string CSDIApp::GetDataFolder()
{
    return AppPaths::dataFolder();
}

CString CSDIApp::LoadResString(UINT nID)
{
    CString text;
    text.LoadString(nID);
    return text;
}

CFrameWnd* CSDIApp::CreateMainFrame()
{
    return new CMainFrame;
}

BOOL CSDIApp::LoadMainFrame(CFrameWnd* pFrame)
{
    return pFrame->LoadFrame(kIdMainFrame, kMainFrameStyle, NULL, NULL);
}

bool CSDIApp::MutexExists()
{
    HANDLE mutex = ::OpenMutexA(SYNCHRONIZE, FALSE, SingleInstance::kMutexName);
    if (mutex == NULL)
        return false;
    ::CloseHandle(mutex);
    return true;
}

void CSDIApp::WaitForMutexEnd()
{
    // The service's process lets the mutex go just after it reported stopped.
    const DWORD started = ::GetTickCount();
    while (MutexExists() && ::GetTickCount() - started < kMutexEndMs)
        ::Sleep(50);
}

bool CSDIApp::StoredRunAsService(const std::string& dataFolder)
{
    // Read without the profile store, which a program that ends at the mutex must not make (it
    // would write profile.cfg at its end).
    std::string text;
    bool truncated = false;
    if (FileIo::read(dataFolder + "profile.cfg", text, ProfileStore::kMaxFileBytes, truncated) != FileIo::Read)
        return false;
    size_t start = 0;
    for (int position = 0; position < ProfileRunAsService; ++position) {
        start = text.find('|', start);
        if (start == std::string::npos)
            return false;
        ++start;
    }
    return atoi(text.c_str() + start) != 0;
}

bool CSDIApp::ServiceRuns()
{
    WindowsServiceManager manager(ServiceControl::kServiceName);
    if (!manager.open())
        return false;
    SERVICE_STATUS status = {};
    const bool runs = manager.query(status) && status.dwCurrentState != SERVICE_STOPPED;
    manager.close();
    return runs;
}

BOOL CSDIApp::InitInstance()
{
    m_progress = Progress();
    m_bServiceStopped = false;
    m_progress.comInitialised = SUCCEEDED(::CoInitialize(NULL));
    LogSetup::getLogger(LogSetup::instance(), m_logger, "orv.CWinApp");
    LOG4CXX_INFO(m_logger, "Starting application session");

    // The service holds the start-up mutex while it runs. When the user lets the service run
    // the items while the program is closed, the program takes them over: the service is stopped
    // first, so that the mutex is free.
    if (MutexExists() && StoredRunAsService(GetDataFolder()) && ServiceRuns()) {
        LOG4CXX_INFO(m_logger, "The background service holds the start-up mutex: it is stopped first");
        StopMonitorService();
        m_bServiceStopped = true;
        WaitForMutexEnd();
    }
    // A second program ends here: one fatal line, no window, nothing else touched.
    if (!m_instance.acquire())
        return FALSE;
    m_progress.mutexHeld = true;

    m_hSavedResource = AfxGetResourceHandle();
    const std::string exeFolder = GetExeFolder();
    HINSTANCE hResources = ::LoadLibraryA((exeFolder + kResourceLibrary).c_str());
    if (hResources != NULL)
        AfxSetResourceHandle(hResources);
    else
        m_hSavedResource = NULL;

    const std::string dataFolder = GetDataFolder();
    ProfileStore::setDataFolder(dataFolder);
    ReportManager::instance()->setDataFolder(dataFolder);
    m_progress.profileRead = true;
    if (ProfileStore::instance()->getInt(ProfileFirstRun) != 0) {
        if (!AppPaths::writeServiceHelper(exeFolder, dataFolder))
            LOG4CXX_WARN(m_logger, "The first-run file could not be written into " << exeFolder);
        ProfileStore::instance()->setInt(ProfileFirstRun, 0);
        SetUpReports(dataFolder);
    }

    g_PaintManager.InstallPaintManager(ThemeChoice::painterFor(ProfileStore::instance()->getInt(ProfileTheme)));

    CSplashScreen splash;
    splash.Show(m_pMainWnd);

    CFrameWnd* pFrame = CreateMainFrame();
    m_pMainWnd = pFrame;

    m_bRunAsService = ProfileStore::instance()->getInt(ProfileRunAsService) != 0;
    if (m_bRunAsService && !m_bServiceStopped)
        StopMonitorService();

    LOG4CXX_INFO(m_logger, "Loading the items of " << dataFolder);
    MonitorItemManager::instance()->load(dataFolder);
    m_progress.itemsLoaded = true;
    {
        ProfileStore::Access profile = ProfileStore::instance().operator->();
        ProxySettings::apply(*profile.operator->(), *WorkerManager::instance());
    }

    XERCES_CPP_NAMESPACE::XMLPlatformUtils::Initialize(XERCES_CPP_NAMESPACE::XMLUni::fgXercescDefaultLocale);
    m_progress.xmlInitialised = true;

    ::InitCommonControls();
    AfxEnableControlContainer();
    Enable3dControls();
    SetRegistryKey(kRegistryKey);

    if (!LoadMainFrame(pFrame)) {
        // A frame whose creation failed has deleted itself (the framework's rule); the window
        // may have let go of m_pMainWnd already, or never had the chance.
        LOG4CXX_FATAL(m_logger, kFrameFailed);
        m_pMainWnd = NULL;
        splash.DestroyWindow();
        // the main window's end may have posted the quit the loop never reads: leave none behind
        MSG msg;
        ::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE);
        return FALSE;
    }
    m_progress.frameLoaded = true;

    if (ProfileStore::instance()->getInt(ProfileStartHidden) == 0) {
        pFrame->ShowWindow(SW_SHOWMAXIMIZED);
        pFrame->ActivateFrame(SW_SHOW);
    } else {
        pFrame->ActivateFrame(-1);
        pFrame->ShowWindow(SW_HIDE);
    }
    pFrame->UpdateWindow();

    if (splash.m_hWnd != NULL) {
        splash.EndDialog(1);
        splash.DestroyWindow();
    }
    LOG4CXX_INFO(m_logger, "Application started");
    return TRUE;
}

void CSDIApp::StopMonitoring()
{
    // The periodic saving ends first: a save still running would touch items being freed.
    FlusherThread::instance()->stopAndWait();
    WorkerManager* workers = WorkerManager::instance();
    workers->stopAll();
    MonitorItemManager* items = MonitorItemManager::instance();
    // A worker that did not end within stopAll's bound may still write to its item: the item is
    // saved, but never freed.
    std::vector<MonitorItemSettings*> inUse;
    for (MonitorItemManager::ItemIterator it = items->begin(); it != items->end(); ++it) {
        if (workers->isRunning(*it))
            inUse.push_back(*it);
    }
    for (MonitorItemSettings* item : inUse) {
        LOG4CXX_WARN(m_logger, "An item's worker still runs at exit; the item is saved and kept");
        items->abandonItem(item);
    }
    items->unloadAll();
    items->release();
    if (MailSender* mail = MailSender::existingInstance()) {
        if (!mail->drain(kMailDrainMs))
            LOG4CXX_ERROR(m_logger, "Not every alarm mail could be sent before the program ended");
    }
}

int CSDIApp::ExitInstance()
{
    // A second program (refused at the mutex) did nothing but log; it ends as quietly.
    if (!m_progress.mutexHeld) {
        // ...except that a service it stopped to take over is not left stopped
        if (m_bServiceStopped)
            RestartMonitorService();
        if (m_progress.comInitialised)
            ::CoUninitialize();
        return CWinApp::ExitInstance();
    }

    CWaitDlg wait;
    wait.Show(kShuttingDown, NULL);
    LOG4CXX_INFO(m_logger, "Finishing application");

    if (m_progress.xmlInitialised)
        XERCES_CPP_NAMESPACE::XMLPlatformUtils::Terminate();
    if (m_progress.itemsLoaded)
        StopMonitoring();
    ThreadSendFeedback::joinAll(kFeedbackJoinMs);

    m_instance.release();
    m_progress.mutexHeld = false;
    if (m_progress.profileRead && m_bRunAsService)
        RestartMonitorService();
    // The settings are written now: the process's end does not run the store's destructor
    // under Wine.
    if (m_progress.profileRead)
        ProfileStore::instance()->save();

    if (m_progress.comInitialised)
        ::CoUninitialize();
    if (m_hSavedResource != NULL) {
        HINSTANCE hResources = AfxGetResourceHandle();
        AfxSetResourceHandle(m_hSavedResource);
        ::FreeLibrary(hResources);
        m_hSavedResource = NULL;
    }
    const int code = CWinApp::ExitInstance();
    wait.Close();
    LOG4CXX_INFO(m_logger, "Application ended");
    return code;
}

void CSDIApp::StopMonitorService()
{
    WindowsServiceManager manager(ServiceControl::kServiceName);
    LOG4CXX_INFO(m_logger, "Stopping the background service");
    switch (ServiceControl::stop(manager)) {
    case ServiceControl::Result::NotInstalled:
        LOG4CXX_INFO(m_logger, "No background service is installed");
        break;
    case ServiceControl::Result::Refused:
        LOG4CXX_INFO(m_logger, "The background service did not take the stop request");
        break;
    case ServiceControl::Result::Done:
        LOG4CXX_INFO(m_logger, "The background service has stopped");
        break;
    case ServiceControl::Result::QueryFailed:
        LOG4CXX_WARN(m_logger, "The background service's state could not be read while it stopped");
        break;
    case ServiceControl::Result::StillRunning:
        LOG4CXX_WARN(m_logger, ServiceControl::kStillRunning);
        AfxMessageBox(ServiceControl::kStillRunning, MB_OK | MB_ICONWARNING);
        break;
    }
}

void CSDIApp::RestartMonitorService()
{
    WindowsServiceManager manager(ServiceControl::kServiceName);
    LOG4CXX_INFO(m_logger, "Starting the background service");
    switch (ServiceControl::restart(manager)) {
    case ServiceControl::Result::NotInstalled:
        LOG4CXX_INFO(m_logger, "No background service is installed");
        break;
    case ServiceControl::Result::Refused:
        LOG4CXX_WARN(m_logger, "The background service could not be started");
        break;
    case ServiceControl::Result::Done:
        LOG4CXX_INFO(m_logger, "The background service has started");
        break;
    case ServiceControl::Result::QueryFailed:
    case ServiceControl::Result::StillRunning:
        LOG4CXX_WARN(m_logger, "The background service is still starting");
        break;
    }
}

void CSDIApp::SetUpReports(const std::string& dataFolder)
{
    const std::string folder = AppPaths::reportsFolder(dataFolder);
    ReportManager* reports = ReportManager::instance();
    for (const auto& report : kBuiltInReports) {
        if (reports->getReport(report.name) == NULL)
            continue;
        const std::string path = folder + report.file;
        reports->editReport(report.name, [&path](Report& r) { r.outputPath = path; });
    }
    reports->flushReports();
}

void CSDIApp::OnAppAbout()
{
    CAboutBox about;
    about.DoModal();
}
