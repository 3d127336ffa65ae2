#include "CPop3SettingsDlg.h"

#include "ContextHelpMap.h"

const char CPop3SettingsDlg::kNoUser[] = "Please enter a username";
const char CPop3SettingsDlg::kNoPassword[] = "Please enter a password";

BEGIN_MESSAGE_MAP(CPop3SettingsDlg, CExtResizableDialog)
    ON_BN_CLICKED(IDC_HEADER_ONLY, OnHeaderOnly)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CPop3SettingsDlg::CPop3SettingsDlg(CWnd* pParent) : CExtResizableDialog(IDD, pParent), headerOnly(0) {}

void CPop3SettingsDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_USER, m_user);
    DDX_Control(pDX, IDC_PASSWORD, m_password);
    DDX_Control(pDX, IDC_HEADER_SEARCH, m_headerSearch);
    DDX_Control(pDX, IDC_BODY_SEARCH, m_bodySearch);
    DDX_Control(pDX, IDC_HEADER_ONLY, m_headerOnly);
    DDX_Control(pDX, IDC_ACCOUNT_GROUP, m_account);
    DDX_Control(pDX, IDC_RETRIEVAL_GROUP, m_retrieval);
    DDX_Control(pDX, IDC_NOTE, m_note);
    DDX_Control(pDX, IDOK, m_ok);
    DDX_Control(pDX, IDCANCEL, m_cancel);
    DDX_Check(pDX, IDC_HEADER_ONLY, headerOnly);
    DDX_Text(pDX, IDC_BODY_SEARCH, bodySearch);
    DDX_Text(pDX, IDC_PASSWORD, password);
    DDX_Text(pDX, IDC_USER, user);
    DDX_Text(pDX, IDC_HEADER_SEARCH, headerSearch);
}

BOOL CPop3SettingsDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    m_account.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_retrieval.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    EnableBodySearch();
    return TRUE;
}

void CPop3SettingsDlg::EnableBodySearch()
{
    m_bodySearch.EnableWindow(headerOnly == 0);
}

void CPop3SettingsDlg::OnHeaderOnly()
{
    UpdateData(TRUE);
    EnableBodySearch();
}

void CPop3SettingsDlg::OnOK()
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
    CExtResizableDialog::OnOK();
}

BOOL CPop3SettingsDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
