#include "CFtpSettingsDlg.h"

#include <afxdlgs.h>

#include "ContextHelpMap.h"

const char CFtpSettingsDlg::kNoUser[] = "Please enter a username";
const char CFtpSettingsDlg::kNoPassword[] = "Please enter a password";

BEGIN_MESSAGE_MAP(CFtpSettingsDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDOK, OnOK)
    ON_BN_CLICKED(IDC_DOWNLOAD_BROWSE, OnBrowseDownload)
    ON_BN_CLICKED(IDC_UPLOAD_BROWSE, OnBrowseUpload)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CFtpSettingsDlg::CFtpSettingsDlg(CWnd* pParent) : CExtResizableDialog(IDD, pParent) {}

void CFtpSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    const int edits[] = {IDC_USER, IDC_PASSWORD, IDC_DOWNLOAD_LOCAL, IDC_DOWNLOAD_REMOTE, IDC_UPLOAD_LOCAL, IDC_UPLOAD_REMOTE};
    for (int i = 0; i < 6; ++i)
        DDX_Control(pDX, edits[i], m_edits[i]);
    const int groups[] = {IDC_ACCOUNT_GROUP, IDC_DOWNLOAD_GROUP, IDC_UPLOAD_GROUP};
    for (int i = 0; i < 3; ++i)
        DDX_Control(pDX, groups[i], m_groups[i]);
    DDX_Control(pDX, IDC_DOWNLOAD_BROWSE, m_browseDownload);
    DDX_Control(pDX, IDC_UPLOAD_BROWSE, m_browseUpload);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Text(pDX, IDC_USER, user);
    DDX_Text(pDX, IDC_PASSWORD, password);
    DDX_Text(pDX, IDC_DOWNLOAD_LOCAL, downloadLocal);
    DDX_Text(pDX, IDC_DOWNLOAD_REMOTE, downloadRemote);
    DDX_Text(pDX, IDC_UPLOAD_LOCAL, uploadLocal);
    DDX_Text(pDX, IDC_UPLOAD_REMOTE, uploadRemote);
}

BOOL CFtpSettingsDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    for (CExtGroupBox& group : m_groups)
        group.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    return TRUE;
}

void CFtpSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (user.IsEmpty()) {
        AfxMessageBox(kNoUser);
        return;
    }
    if (password.IsEmpty()) {
        AfxMessageBox(kNoPassword);
        return;
    }
    if (!downloadLocal.IsEmpty() && downloadRemote.IsEmpty() && AfxMessageBox(IDS_DOWNLOAD_ROOT, MB_YESNO) != IDYES)
        return;
    if (!uploadLocal.IsEmpty() && uploadRemote.IsEmpty() && AfxMessageBox(IDS_UPLOAD_ROOT, MB_YESNO) != IDYES)
        return;
    CExtResizableDialog::OnOK();
}

void CFtpSettingsDlg::Browse(CString& value)
{
    UpdateData(TRUE);
    CFileDialog dialog(TRUE, NULL, NULL, 0, NULL, this);
    if (dialog.DoModal() != IDOK)
        return;
    value = dialog.GetPathName();
    UpdateData(FALSE);
}

void CFtpSettingsDlg::OnBrowseDownload()
{
    Browse(downloadLocal);
}

void CFtpSettingsDlg::OnBrowseUpload()
{
    Browse(uploadLocal);
}

BOOL CFtpSettingsDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
