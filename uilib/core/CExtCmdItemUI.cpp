#include "CExtCmdItemUI.h"
#include "CExtCmdItem.h"

CExtCmdItemUI::CExtCmdItemUI(CExtCmdItem* pCmd, UINT nIndexMax) : m_pCmd(pCmd)
{
    m_nID = pCmd->m_nCmdID;
    m_pOther = NULL;
    m_nIndexMax = nIndexMax;
}

void CExtCmdItemUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    m_pCmd->Enable(bOn != FALSE);
}

void CExtCmdItemUI::SetCheck(int nCheck)
{
    if (nCheck == 0 || nCheck == 1)
        m_pCmd->SetCheck(nCheck == 1);
    else
        m_pCmd->SetIndeterminate(true);
}

void CExtCmdItemUI::SetRadio(BOOL bOn) { m_pCmd->SetRadio(bOn != FALSE); }

void CExtCmdItemUI::SetText(LPCTSTR lpszText) { m_pCmd->m_sMenuText = lpszText != NULL ? lpszText : ""; }
