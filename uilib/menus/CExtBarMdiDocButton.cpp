#include "CExtBarMdiDocButton.h"
#include "CExtMenuControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtResourceManager.h"
#include "CExtControlBar.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CExtBarMdiDocButton, CExtBarButton)

namespace {
// The text of the document's entry in the chevron's menu.
const UINT kIdsActiveDocument = 30003;
}  // namespace

CExtBarMdiDocButton::CExtBarMdiDocButton(CExtToolControlBar* pBar, UINT nCmdID, DWORD dwStyle)
    : CExtBarButton(pBar, nCmdID, dwStyle & ~TBBS_DISABLED), m_hWndChild(NULL) {}

CExtBarMdiDocButton::~CExtBarMdiDocButton() = default;

void CExtBarMdiDocButton::SetStyle(DWORD dwStyle) { CExtBarButton::SetStyle(dwStyle & ~TBBS_DISABLED); }

void CExtBarMdiDocButton::ModifyStyle(DWORD dwAdd, DWORD dwRemove) {
    CExtBarButton::ModifyStyle(dwAdd & ~TBBS_DISABLED, dwRemove | TBBS_DISABLED);
}

// ---- the document window ----------------------------------------------------------------------

HWND CExtBarMdiDocButton::GetChildWnd() const {
    if (m_hWndChild != NULL && ::IsWindow(m_hWndChild))
        return m_hWndChild;
    CExtMenuControlBar* pMenuBar = DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar);
    if (pMenuBar == NULL || pMenuBar->GetSafeHwnd() == NULL)
        return NULL;
    bool bMax = false;
    return pMenuBar->GetActiveMdiChildWnd(bMax);
}

void CExtBarMdiDocButton::SetChildWnd(HWND hWndChild) {
    if (hWndChild == m_hWndChild)
        return;
    m_hWndChild = hWndChild;
    m_icon.Empty();
}

HICON CExtBarMdiDocButton::QueryWindowIcon(HWND hWnd) {
    if (hWnd == NULL || !::IsWindow(hWnd))
        return NULL;
    HICON hIcon = NULL;
    if (CExtControlBar::g_nMsgQueryIcon != 0)
        hIcon = (HICON)::SendMessageA(hWnd, CExtControlBar::g_nMsgQueryIcon, 0, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_SMALL, 0);
    if (hIcon == NULL)
        hIcon = (HICON)::SendMessageA(hWnd, WM_GETICON, ICON_BIG, 0);
    // class values are pointer-sized: the 32-bit class words cannot carry a 64-bit handle
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICONSM);
    if (hIcon == NULL)
        hIcon = (HICON)::GetClassLongPtrA(hWnd, GCLP_HICON);
    return hIcon;
}

void CExtBarMdiDocButton::LoadChildIcon(HWND hWndChild) const {
    m_icon.Empty();
    const HICON hIcon = QueryWindowIcon(hWndChild);
    if (hIcon == NULL)
        return;
    // the window's icon stays the window's: the temporary wraps a copy it may free
    CExtCmdIcon iconTemp(hIcon, true);
    if (iconTemp.IsEmpty())
        return;
    if (!m_icon.CreateScaledCopy(iconTemp, 16, 16))
        m_icon.Empty();
}

CExtCmdIcon* CExtBarMdiDocButton::GetCommandIcon() const {
    if (m_hWndChild != NULL && ::IsWindow(m_hWndChild) && !m_icon.IsEmpty())
        return &m_icon;
    const HWND hWndChild = GetChildWnd();
    if (hWndChild != m_hWndChild)
        m_hWndChild = NULL;
    LoadChildIcon(hWndChild);
    return m_icon.IsEmpty() ? NULL : &m_icon;
}

CWnd* CExtBarMdiDocButton::GetCommandTarget() const {
    const HWND hWndChild = GetChildWnd();
    if (hWndChild == NULL)
        return NULL;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWndChild);
    return pWnd != NULL ? pWnd : CWnd::FromHandle(hWndChild);
}

// ---- the chevron's menu -----------------------------------------------------------------------

bool CExtBarMdiDocButton::AppendToPopupMenu(CExtPopupMenuWnd* pPopup) {
    if (pPopup == NULL)
        return false;
    const HWND hWndChild = GetChildWnd();
    const HMENU hSysMenu = hWndChild != NULL ? ::GetSystemMenu(hWndChild, FALSE) : NULL;
    if (hSysMenu == NULL || !::IsMenu(hSysMenu))
        return true;   // nothing to offer: the entry is left out
    CString sText;
    if (!g_ResourceManager->LoadStringDefault(sText, kIdsActiveDocument) || sText.IsEmpty())
        sText = "Active document";
    CExtCmdIcon* pIcon = GetCommandIcon();
    if (!pPopup->InsertPopupMenu(NULL, -1, sText, pIcon != NULL ? pIcon->GetHICON() : NULL))
        return false;
    const int nItem = pPopup->GetItemCount() - 1;
    CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(nItem);
    CMenu menu;
    menu.Attach(hSysMenu);
    const bool bFilled = pSub != NULL && pSub->UpdateFromMenu(hWndChild, &menu, false, false);
    menu.Detach();
    if (!bFilled) {
        pPopup->ItemRemove(nItem);
        return false;
    }
    pSub->SetCmdTargetToAllItems(hWndChild);
    pPopup->InsertItem(0, -1);
    return true;
}

// ---- the system menu dropped from the button --------------------------------------------------

UINT CExtBarMdiDocButton::TrackDropDownMenu(CPoint point, bool bSelectAny) {
    CExtMenuControlBar* pMenuBar = DYNAMIC_DOWNCAST(CExtMenuControlBar, m_pBar);
    if (pMenuBar == NULL)
        return CExtBarButton::TrackDropDownMenu(point, bSelectAny);
    if (pMenuBar->GetSafeHwnd() == NULL)
        return (UINT)-1;
    const int nIndex = pMenuBar->GetButtonIndex(this);
    if (CExtToolControlBar::g_bMenuTracking && pMenuBar->m_nBtnIdxMenuTracking == nIndex)
        return (UINT)-1;
    const HWND hWndChild = GetChildWnd();
    CWnd* pChild = hWndChild != NULL ? GetCommandTarget() : NULL;
    if (pChild == NULL)
        return (UINT)-1;
    // another button's open tree closes first; a menu moving from it opens without animation
    const bool bWasTracking = CExtToolControlBar::g_bMenuTracking;
    CExtToolControlBar::CloseOpenMenus();
    if (pMenuBar->IsFloating()) {
        CWnd* pTop = pMenuBar->GetTopLevelParent();
        if (pTop != NULL)
            ::SetActiveWindow(pTop->m_hWnd);
        CFrameWnd* pDocking = pMenuBar->GetDockingFrame();
        if (pDocking != NULL)
            pDocking->SetFocus();
    }
    CRect rcButton = GetRect();
    pMenuBar->ClientToScreen(&rcButton);
    const int nAlign = (int)GetPopupAlignment();
    CExtToolControlBar::g_bMenuTracking = bWasTracking;
    pMenuBar->SetTrackedButton(nIndex);
    const HWND hWndBar = pMenuBar->m_hWnd;
    const POINT pt = {rcButton.left, rcButton.bottom};
    const bool bOk = pMenuBar->TrackWindowSystemMenu(pChild, &pt, true, &rcButton, nAlign, true);
    if (!::IsWindow(hWndBar))
        return (UINT)-1;
    pMenuBar->SetSysMenuTracking(bOk);
    if (bOk)
        CExtToolControlBar::g_bMenuTracking = true;
    return (UINT)-1;
}
