#include "CWizardPage.h"

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CWizardPage, CExtResizablePropertyPage)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CWizardPage::CWizardPage(UINT nIDTemplate, const char* title, bool bHelp)
    : CExtResizablePropertyPage(nIDTemplate), nextPage(0), backPage(0), sheet(NULL), m_nTemplate(nIDTemplate), m_title(title), m_bHelp(bHelp)
{
}

BOOL CWizardPage::OnSetActive()
{
    if (sheet != NULL)
        sheet->SetTitle(m_title);
    return CExtResizablePropertyPage::OnSetActive();
}

LRESULT CWizardPage::OnWizardBack()
{
    return backPage;
}

LRESULT CWizardPage::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    if (const char* message = refusal())
        return refuse(message);
    return nextPage;
}

void CWizardPage::setButtons(DWORD dwFlags)
{
    if (sheet != NULL && sheet->m_hWnd != NULL)
        ::PostMessageA(sheet->m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CWizardPage::showBackButton(bool bShow)
{
    if (sheet == NULL || sheet->m_hWnd == NULL)
        return;
    HWND hBack = ::GetDlgItem(sheet->m_hWnd, ID_WIZBACK);
    if (hBack != NULL)
        ::ShowWindow(hBack, bShow ? SW_SHOW : SW_HIDE);
}

LRESULT CWizardPage::refuse(const char* message)
{
    AfxMessageBox(message, MB_OK);
    return -1;
}

BOOL CWizardPage::OnHelpInfo(HELPINFO* pHelpInfo)
{
    if (!m_bHelp)
        return CExtResizablePropertyPage::OnHelpInfo(pHelpInfo);
    ContextHelpMap::showHelp(m_hWnd, m_nTemplate);
    return TRUE;
}
