#include "CInternetOptionsDlg.h"

#include "ContextHelpMap.h"
#include "ProfileStore.h"
#include "ProxySettings.h"

BEGIN_MESSAGE_MAP(CInternetOptionsDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_USE_PROXY, OnUseProxy)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CInternetOptionsDlg::CInternetOptionsDlg(ProfileStore& profile, WorkerManager& workers, CWnd* pParent)
    : CExtResizableDialog(IDD, pParent), useProxy(0), port(0), m_profile(profile), m_workers(workers)
{
}

void CInternetOptionsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GROUP, m_group);
    DDX_Control(pDX, IDC_USE_PROXY, m_useProxy);
    DDX_Control(pDX, IDC_ADDRESS, m_address);
    DDX_Control(pDX, IDC_PORT, m_port);
    DDX_Control(pDX, IDC_USER, m_user);
    DDX_Control(pDX, IDC_PASSWORD, m_password);
    DDX_Control(pDX, IDC_ADDRESS_LABEL, m_addressLabel);
    DDX_Control(pDX, IDC_PORT_LABEL, m_portLabel);
    DDX_Control(pDX, IDC_USER_LABEL, m_userLabel);
    DDX_Control(pDX, IDC_PASSWORD_LABEL, m_passwordLabel);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Check(pDX, IDC_USE_PROXY, useProxy);
    DDX_Text(pDX, IDC_ADDRESS, address);
    DDX_Text(pDX, IDC_PASSWORD, password);
    DDX_Text(pDX, IDC_PORT, port);
    DDX_Text(pDX, IDC_USER, user);
}

BOOL CInternetOptionsDlg::OnInitDialog()
{
    useProxy = m_profile.getInt(ProfileUseProxy) != 0;
    address = m_profile.getString(ProfileProxyAddress).c_str();
    user = m_profile.getString(ProfileProxyUser).c_str();
    password = m_profile.getString(ProfileProxyPassword).c_str();
    port = m_profile.getInt(ProfileProxyPort);
    CExtResizableDialog::OnInitDialog();
    ApplyEnabling();
    return TRUE;
}

void CInternetOptionsDlg::ApplyEnabling()
{
    const BOOL enable = m_useProxy.GetCheck() == BST_CHECKED;
    for (int id : {IDC_USER, IDC_ADDRESS, IDC_PORT, IDC_PASSWORD, IDC_USER_LABEL, IDC_ADDRESS_LABEL, IDC_PORT_LABEL,
                   IDC_PASSWORD_LABEL})
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(enable);
}

void CInternetOptionsDlg::OnUseProxy()
{
    ApplyEnabling();
}

void CInternetOptionsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    const std::string portError = ProxySettings::portError(useProxy != 0, port);
    if (!portError.empty()) {
        ::MessageBoxA(m_hWnd, portError.c_str(), "Internet Options", MB_OK | MB_ICONWARNING);
        if (m_port.IsWindowEnabled()) {
            m_port.SetFocus();
            m_port.SetSel(0, -1);
        }
        return;
    }
    // every text is checked before any is stored: a refused one changes nothing
    const std::string texts[] = {(LPCTSTR)address, (LPCTSTR)user, (LPCTSTR)password};
    const int positions[] = {ProfileProxyAddress, ProfileProxyUser, ProfileProxyPassword};
    for (int i = 0; i < 3; ++i)
        if (!ProfileStore::isStorable(positions[i], texts[i])) {
            ::MessageBoxA(m_hWnd, ProfileStore::kRefusedValue, "Internet Options", MB_OK | MB_ICONWARNING);
            return;
        }
    m_profile.setInt(ProfileUseProxy, useProxy);
    for (int i = 0; i < 3; ++i)
        m_profile.setString(positions[i], texts[i]);
    m_profile.setInt(ProfileProxyPort, port);
    ProxySettings::apply(m_profile, m_workers);
    EndDialog(IDOK);
}

BOOL CInternetOptionsDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
