#include "CGeneralPreferencesDlg.h"

#include "ContextHelpMap.h"
#include "OsVersion.h"
#include "PreferencesSystem.h"
#include "ProfileStore.h"

BEGIN_MESSAGE_MAP(CGeneralPreferencesDlg, CExtResizableDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CGeneralPreferencesDlg::CGeneralPreferencesDlg(ProfileStore& profile, PreferencesSystem& system, CWnd* pParent)
    : CExtResizableDialog(IDD, pParent),
      startWithWindows(0),
      startHidden(0),
      minimizeToTray(0),
      runAsService(0),
      m_profile(profile),
      m_system(system)
{
}

void CGeneralPreferencesDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_START_WITH_WINDOWS, m_startWithWindows);
    DDX_Control(pDX, IDC_START_HIDDEN, m_startHidden);
    DDX_Control(pDX, IDC_MINIMIZE_TO_TRAY, m_minimizeToTray);
    DDX_Control(pDX, IDC_RUN_AS_SERVICE, m_runAsService);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Check(pDX, IDC_START_WITH_WINDOWS, startWithWindows);
    DDX_Check(pDX, IDC_START_HIDDEN, startHidden);
    DDX_Check(pDX, IDC_MINIMIZE_TO_TRAY, minimizeToTray);
    DDX_Check(pDX, IDC_RUN_AS_SERVICE, runAsService);
}

BOOL CGeneralPreferencesDlg::OnInitDialog()
{
    minimizeToTray = m_profile.getInt(ProfileMinimizeToTray) != 0;
    startHidden = m_profile.getInt(ProfileStartHidden) != 0;
    startWithWindows = m_profile.getInt(ProfileStartWithWindows) != 0;
    runAsService = m_profile.getInt(ProfileRunAsService) != 0;
    CExtResizableDialog::OnInitDialog();
    if (OsVersion::isWin9x())
        m_runAsService.EnableWindow(FALSE);
    return TRUE;
}

CString CGeneralPreferencesDlg::InstallerFailure(bool install, int outcome, DWORD exitCode)
{
    CString text = install ? "The monitoring service could not be installed" : "The monitoring service could not be removed";
    CString reason;
    switch (static_cast<PreferencesSystem::Outcome>(outcome)) {
    case PreferencesSystem::Outcome::NotStarted:
        reason = ": orvservice.exe could not be started.";
        break;
    case PreferencesSystem::Outcome::TimedOut:
        reason = ": orvservice.exe did not finish in time.";
        break;
    default:
        reason.Format(" (orvservice.exe ended with code %lu).", static_cast<unsigned long>(exitCode));
        break;
    }
    return text + reason + " The setting was not changed.";
}

void CGeneralPreferencesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const int before = m_profile.getInt(ProfileRunAsService) != 0;
    if (OsVersion::isWin9x())
        runAsService = before;
    if (runAsService != before) {
        // the choice holds only once the service program did what it was asked
        const PreferencesSystem::InstallerResult result = m_system.runServiceInstaller(runAsService != 0);
        if (!result.succeeded()) {
            const CString text = InstallerFailure(runAsService != 0, static_cast<int>(result.outcome), result.exitCode);
            runAsService = before;
            m_runAsService.SetCheck(before ? BST_CHECKED : BST_UNCHECKED);
            ::MessageBoxA(m_hWnd, text, "Preferences", MB_OK | MB_ICONWARNING);
        }
    }
    m_profile.setInt(ProfileMinimizeToTray, minimizeToTray);
    m_profile.setInt(ProfileStartHidden, startHidden);
    m_profile.setInt(ProfileStartWithWindows, startWithWindows);
    m_profile.setInt(ProfileRunAsService, runAsService);
    m_profile.save();
    m_system.writeRunValue(startWithWindows ? m_system.programPath() : std::string());
    EndDialog(IDOK);
}

BOOL CGeneralPreferencesDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
