#include "CSmtpSettingsDlg.h"

#include "ContextHelpMap.h"

const char CSmtpSettingsDlg::kNoTo[] = "Please enter a to address";
const char CSmtpSettingsDlg::kNoFrom[] = "Please enter a from address";

BEGIN_MESSAGE_MAP(CSmtpSettingsDlg, CExtResizableDialog)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CSmtpSettingsDlg::CSmtpSettingsDlg(CWnd* pParent) : CExtResizableDialog(IDD, pParent) {}

void CSmtpSettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    const int edits[] = {IDC_TO, IDC_FROM, IDC_SUBJECT, IDC_BODY, IDC_USER, IDC_PASSWORD};
    for (int i = 0; i < 6; ++i)
        DDX_Control(pDX, edits[i], m_edits[i]);
    const int groups[] = {IDC_ADDRESS_GROUP, IDC_MESSAGE_GROUP, IDC_AUTH_GROUP};
    for (int i = 0; i < 3; ++i)
        DDX_Control(pDX, groups[i], m_groups[i]);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Text(pDX, IDC_BODY, body);
    DDX_Text(pDX, IDC_FROM, from);
    DDX_Text(pDX, IDC_PASSWORD, password);
    DDX_Text(pDX, IDC_SUBJECT, subject);
    DDX_Text(pDX, IDC_TO, to);
    DDX_Text(pDX, IDC_USER, user);
}

BOOL CSmtpSettingsDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    for (CExtGroupBox& group : m_groups)
        group.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    return TRUE;
}

void CSmtpSettingsDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (to.IsEmpty()) {
        AfxMessageBox(kNoTo);
        return;
    }
    if (from.IsEmpty()) {
        AfxMessageBox(kNoFrom);
        return;
    }
    CExtResizableDialog::OnOK();
}

BOOL CSmtpSettingsDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
