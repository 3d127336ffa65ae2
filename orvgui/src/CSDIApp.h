// The GUI program's application object. Start-up brings the program up in a fixed order: logging,
// the start-up mutex shared with the service (a second program ends here, quietly), the resource
// library, the first-run files, the look, the splash window, the main frame, taking monitoring
// over from the background service, loading the items, and showing the frame. Shut-down undoes
// exactly what start-up did, in reverse: the periodic saving ends, every worker stops (an item
// whose worker still runs is kept, never freed), the items are unloaded, queued alarm mail is sent
// within a bound, the mutex is let go and monitoring is handed back to the service.
#pragma once

#include <afxwin.h>

#include <string>

#include "SingleInstance.h"
#include "orv/log4cxx.h"

class CWaitDlg;

class CSDIApp : public CWinApp {
public:
    static const char kRegistryKey[];        // "Orvane": HKEY_CURRENT_USER\Software\Orvane
    static const char kResourceLibrary[];    // "orvres.dll" beside the program
    static const char kShuttingDown[];       // the wait box's text
    static const char kFrameFailed[];        // logged when the main window cannot be created
    // How long shut-down waits for queued alarm mail to be handed to the mail library.
    static constexpr DWORD kMailDrainMs = 15000;
    // How long start-up waits for a stopped service to let the start-up mutex go.
    static constexpr DWORD kMutexEndMs = 10000;
    // How long shut-down waits for a feedback mail still being sent.
    static constexpr DWORD kFeedbackJoinMs = 5000;

    CSDIApp();

    BOOL InitInstance() override;
    int ExitInstance() override;

    // The folder of the running program, ending in a backslash.
    static std::string GetExeFolder();
    // The user's application-data folder + "Orvane\" (created when missing); "" without one.
    static std::string GetDataFolder();
    // A string of the current resource module (orvres when loaded, else the program).
    static CString LoadResString(UINT nID);

    // Stops the background service and waits for it (bounded); tells the user once when it
    // still runs. Failures of the service manager are silent.
    void StopMonitorService();
    // Starts the background service and waits while it starts.
    void RestartMonitorService();
    // The built-in reports write into the data folder's Reports\ folder.
    static void SetUpReports(const std::string& dataFolder);

    // What start-up got through, so that shut-down undoes only that.
    struct Progress {
        bool comInitialised = false;
        bool mutexHeld = false;
        bool profileRead = false;
        bool itemsLoaded = false;
        bool xmlInitialised = false;
        bool frameLoaded = false;
    };
    const Progress& progress() const { return m_progress; }

protected:
    // The main frame; a test may put a frame of its own in place of it.
    virtual CFrameWnd* CreateMainFrame();
    // Runs LoadFrame on the frame CreateMainFrame made.
    virtual BOOL LoadMainFrame(CFrameWnd* pFrame);

    afx_msg void OnAppAbout();
    DECLARE_MESSAGE_MAP()

private:
    static bool MutexExists();
    static void WaitForMutexEnd();
    // "Run as service" as profile.cfg holds it (false when the file cannot be read).
    static bool StoredRunAsService(const std::string& dataFolder);
    // The background service is installed and not stopped.
    static bool ServiceRuns();
    // Shut-down's steps for the workers, the items, the periodic saving and the mail queue.
    void StopMonitoring();

    log4cxx::LoggerPtr m_logger;
    SingleInstance m_instance;
    // The resource handle before orvres was loaded; NULL when orvres is not loaded.
    HINSTANCE m_hSavedResource;
    bool m_bRunAsService;
    bool m_bServiceStopped;   // stopped before the mutex was taken
    Progress m_progress;
};
