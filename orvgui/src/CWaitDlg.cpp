#include "CWaitDlg.h"

CWaitDlg::CWaitDlg(CWnd* pParent) : CExtResizableDialog(IDD, pParent) {}

void CWaitDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizableDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT, m_label);
}

BOOL CWaitDlg::OnInitDialog()
{
    CExtResizableDialog::OnInitDialog();
    m_label.SetWindowText(m_strText);
    return TRUE;
}

BOOL CWaitDlg::Show(const CString& text, CWnd* pParent)
{
    m_strText = text;
    if (!Create(IDD, pParent))
        return FALSE;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    return TRUE;
}

void CWaitDlg::Close()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    EndDialog(1);
    DestroyWindow();
}
