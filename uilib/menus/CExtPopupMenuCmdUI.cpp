// The state refresh of one popup-menu item through the framework's update handlers: what a
// handler sets lands in the item's flags (a sub-menu item keeps its own).
#include "CExtPopupMenuWnd.h"

typedef CExtPopupMenuWnd::MENUITEMDATA MENUITEMDATA;

CExtPopupMenuWnd::CExtPopupMenuCmdUI::CExtPopupMenuCmdUI(CExtPopupMenuWnd& menu, int nItemIndex)
    : m_menu(menu), m_nItemIndex(nItemIndex), m_item(menu.GetItemAt(nItemIndex))
{
    m_nID = m_item.m_nCmdID;
    m_nIndex = (UINT)nItemIndex;
    m_nIndexMax = (UINT)menu.GetItemCount();
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    if (m_item.IsPopup() || m_item.IsSeparator())
        return;
    if ((m_item.m_nStateFlags & MENUITEMDATA::STATE_ALWAYS_ENABLED) != 0)
        bOn = TRUE;
    if (bOn)
        m_item.m_nKindFlags |= MENUITEMDATA::KIND_ENABLED;
    else
        m_item.m_nKindFlags &= ~MENUITEMDATA::KIND_ENABLED;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetCheck(int nCheck)
{
    if (m_item.IsPopup())
        return;
    if (nCheck != 0)
        m_item.m_nStateFlags |= MENUITEMDATA::STATE_CHECKED;
    else
        m_item.m_nStateFlags &= ~MENUITEMDATA::STATE_CHECKED;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetRadio(BOOL bOn)
{
    if (m_item.IsPopup())
        return;
    if (bOn)
        m_item.m_nKindFlags |= MENUITEMDATA::KIND_RADIO;
    else
        m_item.m_nKindFlags &= ~MENUITEMDATA::KIND_RADIO;
}

void CExtPopupMenuWnd::CExtPopupMenuCmdUI::SetText(LPCTSTR lpszText)
{
    if (lpszText == NULL || m_item.IsPopup() || m_item.IsSeparator())
        return;
    m_item.SetText(lpszText);
    m_item.UpdateAccessChar();
    m_item.Measure();
}
