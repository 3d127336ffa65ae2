// The preferences (dialog 152): start with Windows, start hidden, hide to the tray when minimised,
// and hand monitoring to the background service while the program is closed. OK stores the four
// choices in the profile and saves it; a changed service choice runs the service program once,
// and when that fails the old choice stays and the user is told. The start entry is written on
// every OK (the program's path, or empty text when it should not start with Windows).
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtResizableDialog.h"

class PreferencesSystem;
class ProfileStore;

class CGeneralPreferencesDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 152,
        IDC_START_WITH_WINDOWS = 1019,
        IDC_START_HIDDEN = 1020,
        IDC_MINIMIZE_TO_TRAY = 1021,
        IDC_RUN_AS_SERVICE = 1073,
    };

    // The profile and the system the choices go to.
    CGeneralPreferencesDlg(ProfileStore& profile, PreferencesSystem& system, CWnd* pParent = NULL);

    // The message for a service program that did not do its work.
    static CString InstallerFailure(bool install, int outcome, DWORD exitCode);

    int startWithWindows;
    int startHidden;
    int minimizeToTray;
    int runAsService;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    ProfileStore& m_profile;
    PreferencesSystem& m_system;
    CExtCheckBox m_startWithWindows, m_startHidden, m_minimizeToTray, m_runAsService;
    CExtButton m_ok, m_cancel;
};
