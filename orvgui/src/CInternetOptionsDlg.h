// The internet options (dialog 153): whether HTTP checks go through a proxy, its address, port
// and login. The four fields and their labels are enabled only while the proxy box is checked;
// their texts are kept either way. OK refuses a port outside what a proxy can listen on, stores
// the values in the profile (saved with it later) and hands them to the workers at once.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtResizableDialog.h"

class ProfileStore;
class WorkerManager;

class CInternetOptionsDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 153,
        IDC_ADDRESS = 1001,
        IDC_GROUP = 1003,
        IDC_USE_PROXY = 1022,
        IDC_PORT = 1023,
        IDC_USER = 1024,
        IDC_PASSWORD = 1025,
        IDC_PORT_LABEL = 1027,
        IDC_ADDRESS_LABEL = 1028,
        IDC_USER_LABEL = 1029,
        IDC_PASSWORD_LABEL = 1030,
    };

    CInternetOptionsDlg(ProfileStore& profile, WorkerManager& workers, CWnd* pParent = NULL);

    int useProxy;
    CString address;
    CString password;
    int port;
    CString user;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnUseProxy();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    void ApplyEnabling();

    ProfileStore& m_profile;
    WorkerManager& m_workers;
    CExtGroupBox m_group;
    CExtCheckBox m_useProxy;
    CExtEdit m_address, m_port, m_user, m_password;
    CExtLabel m_addressLabel, m_portLabel, m_userLabel, m_passwordLabel;
    CExtButton m_ok, m_cancel;
};
