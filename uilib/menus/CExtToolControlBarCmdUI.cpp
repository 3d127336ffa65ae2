// A tool-bar button's command state from the framework's update handlers: the button's style
// and the command item of its command change together.
#include "CExtToolControlBar.h"
#include "CExtCmdItem.h"

CExtBarButton* CExtToolControlBar::CExtToolControlBarCmdUI::Button() const {
    CExtToolControlBar* pBar = dynamic_cast<CExtToolControlBar*>(m_pOther);
    if (pBar == NULL || pBar->IsChevronButton((int)m_nIndex))
        return NULL;
    return pBar->GetButton((int)m_nIndex);
}

CExtCmdItem* CExtToolControlBar::CExtToolControlBarCmdUI::CmdItem() const {
    const CExtBarButton* p = Button();
    return p != NULL ? p->GetCmdItem(false) : NULL;
}

void CExtToolControlBar::CExtToolControlBarCmdUI::Enable(BOOL bOn) {
    m_bEnableChanged = TRUE;
    CExtBarButton* p = Button();
    if (p == NULL)
        return;
    CExtToolControlBar* pBar = static_cast<CExtToolControlBar*>(m_pOther);
    const UINT nStyle = bOn ? (p->GetStyle() & ~TBBS_DISABLED) : (p->GetStyle() | TBBS_DISABLED);
    pBar->SetButtonStyle((int)m_nIndex, nStyle);
    if (CExtCmdItem* pItem = CmdItem())
        pItem->Enable(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::ApplyCheck(int nCheck) {
    CExtBarButton* p = Button();
    if (p == NULL)
        return;
    UINT nStyle = p->GetStyle() & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        nStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nStyle |= TBBS_INDETERMINATE;
    static_cast<CExtToolControlBar*>(m_pOther)->SetButtonStyle((int)m_nIndex, nStyle | TBBS_CHECKBOX);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetCheck(int nCheck) {
    ApplyCheck(nCheck);
    CExtBarButton* p = Button();
    if (p == NULL)
        return;
    if (CExtCmdItem* pItem = CmdItem())
        pItem->SetCheck((p->GetStyle() & (TBBS_CHECKED | TBBS_INDETERMINATE)) != 0);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetRadio(BOOL bOn) {
    ApplyCheck(bOn ? 1 : 0);
    if (CExtCmdItem* pItem = CmdItem())
        pItem->SetRadio(bOn != FALSE);
}

void CExtToolControlBar::CExtToolControlBarCmdUI::SetText(LPCTSTR) {}
