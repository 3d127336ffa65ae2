#include "CAlarmActionPage.h"

BEGIN_MESSAGE_MAP(CAlarmActionPage, CExtResizablePropertyPage)
END_MESSAGE_MAP()

CAlarmActionPage::CAlarmActionPage(UINT nIDTemplate)
    : CExtResizablePropertyPage(nIDTemplate), applied(0), m_bFilling(false)
{
}

BOOL CAlarmActionPage::OnInitDialog()
{
    m_bFilling = true;
    CExtResizablePropertyPage::OnInitDialog();
    m_bFilling = false;
    return TRUE;
}

BOOL CAlarmActionPage::OnSetActive()
{
    m_bFilling = true;
    BOOL result = CExtResizablePropertyPage::OnSetActive();
    m_bFilling = false;
    return result;
}

BOOL CAlarmActionPage::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    applied = 1;
    return TRUE;
}

void CAlarmActionPage::OnOK()
{
    if (UpdateData(TRUE))
        applied = 1;
    CExtResizablePropertyPage::OnOK();
}

void CAlarmActionPage::markModified()
{
    if (m_bFilling || m_hWnd == NULL)
        return;
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != NULL)
        ::SendMessageA(hSheet, PSM_CHANGED, (WPARAM)m_hWnd, 0);
}

void CAlarmActionPage::show()
{
    m_bFilling = true;
    UpdateData(FALSE);
    m_bFilling = false;
}

void CAlarmActionPage::showCheck(int nID, int value)
{
    CheckDlgButton(nID, value ? BST_CHECKED : BST_UNCHECKED);
}

void CAlarmActionPage::OnMarkModified()
{
    markModified();
}
