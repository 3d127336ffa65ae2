// The menu bar's buttons from the menu, its creation and destruction, the deferred rebuild and
// re-hook, the active MDI child and the system menus shown as library popups.
#include "CExtMenuControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtResourceManager.h"
#include "CExtMouseCaptureSink.h"
#include "CMDIFrameWnd.h"
#include <windowsx.h>

IMPLEMENT_DYNCREATE(CExtMenuControlBar, CExtToolControlBar)

bool CExtMenuControlBar::g_bMenusExpanded = false;
bool CExtMenuControlBar::g_bAltUsed = false;

CExtMenuControlBar::CExtMenuControlBar()
    : m_nMdiDocButtonCmdID(0),
      m_hWndHooked(NULL),
      m_nFlags(0),
      m_nFlatTrackingIndex(-1),
      m_nOldFlatTrackingIndex(-1),
      m_nMdiFlags(mdiDockedWrap) {}

CExtMenuControlBar::~CExtMenuControlBar() {
    RemoveAllButtons();
    // A menu the MDI client was asked to show is its giver's (the frame's own, or a document
    // window's, which destroys it with the window): only the bar's own menu is destroyed here.
    m_menuMdi.Detach();
    if (m_menuOwn.GetSafeHmenu() != NULL)
        m_menuOwn.DestroyMenu();
    // the hooks went at WM_DESTROY; a bar that never had a window leaves nothing behind either
    RemoveAllWndHooks();
}

// ---- the window it serves ---------------------------------------------------------------------

CWnd* CExtMenuControlBar::GetServedWindow() const {
    if (IsInDialog())
        return GetOwner() != NULL ? GetOwner() : GetParent();
    return GetDockSiteFrame(this);
}

HWND CExtMenuControlBar::GetMainHookedWnd() const {
    if (IsInDialog())
        return m_hWndHooked;
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    return pFrame != NULL ? pFrame->GetSafeHwnd() : NULL;
}

// ---- buttons from the menu --------------------------------------------------------------------

CMenu* CExtMenuControlBar::GetCurrentMenu() {
    if (m_menuMdi.GetSafeHmenu() != NULL)
        return &m_menuMdi;
    if (m_menuOwn.GetSafeHmenu() != NULL)
        return &m_menuOwn;
    return NULL;
}

bool CExtMenuControlBar::RebuildMenuButtons(bool bRecalc) {
    if (GetSafeHwnd() == NULL)
        return false;
    // a press or hover of a button that is going ends here (the capture goes back with it)
    EndPress();
    SetButtons(NULL, 0);
    // SetButtons appended the chevron of an ordinary tool bar; the menu bar adds its own below
    RemoveAllButtons();
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
    if (profile.IsFound())
        g_CmdManager->RemoveCommandsByFlags(profile, cmdFlagPullDown);
    CMenu* pMenu = GetCurrentMenu();
    if (pMenu != NULL && profile.IsFound()) {
        const int nCount = pMenu->GetMenuItemCount();
        for (int i = 0; i < nCount; i++) {
            char szText[1024] = {0};
            MENUITEMINFOA mii = {};
            mii.cbSize = sizeof(mii);
            mii.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_CHECKMARKS | MIIM_TYPE | MIIM_DATA;
            mii.dwTypeData = szText;
            mii.cch = sizeof(szText) - 1;
            if (!::GetMenuItemInfoA(pMenu->m_hMenu, (UINT)i, TRUE, &mii))
                return false;
            CString sText = (mii.fType & MFT_SEPARATOR) == 0 ? CString(szText) : CString();
            if (mii.hSubMenu != NULL) {
                CExtCmdItem* pItem = g_CmdManager->AllocCommand(profile);
                if (pItem == NULL)
                    return false;
                pItem->m_dwStateFlags |= cmdFlagPullDown | cmdFlagAlwaysVisible;
                bool bWindowList = false;
                if (IsMdiMode() && !m_strMdiWindowPopupName.IsEmpty()) {
                    CString sPlain = sText;
                    sPlain.Replace("&", "");
                    bWindowList = sPlain == m_strMdiWindowPopupName;
                }
                if (pItem->m_sMenuText.IsEmpty())
                    pItem->m_sMenuText = sText;
                if (pItem->m_sToolbarText.IsEmpty())
                    pItem->m_sToolbarText = sText;
                const UINT nCmdID = pItem->m_nCmdID;
                if (!InsertButton(i, nCmdID, false))
                    return false;
                CExtBarButton* pButton = GetButton(i);
                pButton->SetMenu(mii.hSubMenu, false, false);
                if (bWindowList)
                    pButton->SetAppendDocumentList(true);
            } else if ((mii.fType & MFT_SEPARATOR) == 0 && mii.wID != 0) {
                CExtCmdItem* pItem = g_CmdManager->GetCommand(profile, mii.wID);
                if (pItem == NULL) {
                    // the profile was not filled from this menu: the command is made known here
                    CExtCmdItem item(mii.wID);
                    g_CmdManager->SetCommand(profile, &item);
                    pItem = g_CmdManager->GetCommand(profile, mii.wID);
                    if (pItem == NULL)
                        return false;
                }
                if (pItem->m_sMenuText.IsEmpty())
                    pItem->m_sMenuText = sText;
                if (pItem->m_sToolbarText.IsEmpty())
                    pItem->m_sToolbarText = sText;
                if (!InsertButton(i, mii.wID, false))
                    return false;
            } else {
                if (!InsertButton(i, 0, false))
                    return false;
            }
        }
    }
    CExtBarButton* pChevron = CreateChevronButton();
    if (pChevron != NULL)
        InsertSpecButton(-1, pChevron, false);
    if (IsMdiMode()) {
        UpdateMdiButtons(false);
        HookActiveMdiChild();
    }
    Invalidate();
    if (bRecalc)
        RecalcParentFrameLayout();
    UpdateWindow();
    return true;
}

bool CExtMenuControlBar::LoadMenuFromResource(UINT nMenuResourceID) {
    // the menu the MDI client showed stays its giver's
    m_menuMdi.Detach();
    if (m_menuOwn.GetSafeHmenu() != NULL)
        m_menuOwn.DestroyMenu();
    if (m_pDockSite != NULL && (GetSafeHwnd() == NULL || !IsHookedWindow(m_pDockSite->GetSafeHwnd())))
        return false;
    if (GetSafeHwnd() == NULL)
        return false;
    if (!g_ResourceManager->LoadMenuDefault(m_menuOwn, nMenuResourceID))
        return false;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
    if (!profile.IsFound() || !g_CmdManager->UpdateFromMenu(profile, m_menuOwn.m_hMenu, false, true, true))
        return false;
    return RebuildMenuButtons(true);
}

void CExtMenuControlBar::SetMdiWindowPopupName(LPCTSTR lpszName) {
    CString s = lpszName != NULL ? CString(lpszName) : CString();
    for (;;) {
        s.TrimLeft();
        s.TrimRight();
        if (s.Find('&') < 0)
            break;
        s.Replace("&", "");
    }
    m_strMdiWindowPopupName = s;
}

CExtBarButton* CExtMenuControlBar::CreateChevronButton() {
    if ((m_nMdiFlags & mdiDockedWrap) != 0)
        return NULL;
    return CExtToolControlBar::CreateChevronButton();
}

bool CExtMenuControlBar::IsDockedWrapEnabled() const {
    if (IsInDialog())
        return false;
    if (m_pDockBar != NULL && IsFloating())
        return false;
    return (m_nMdiFlags & mdiDockedWrap) != 0;
}

void CExtMenuControlBar::RemoveNativeFrameMenu() {
    if (IsInDialog())
        return;
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return;
    if (::GetMenu(pFrame->m_hWnd) != NULL) {
        ::SetMenu(pFrame->m_hWnd, NULL);
        PostUpdateMenuBar();
    }
}

// ---- deferred work ----------------------------------------------------------------------------

void CExtMenuControlBar::PostHookActiveMdiChild() {
    if ((m_nMdiFlags & (mdiHookPending | mdiRebuildPending)) != 0 || GetSafeHwnd() == NULL)
        return;
    m_nMdiFlags |= mdiHookPending;
    PostMessage(WM_TIMER, timerHookMdiChild);
}

void CExtMenuControlBar::PostUpdateMenuBar() {
    if ((m_nMdiFlags & mdiRebuildPending) != 0 || GetSafeHwnd() == NULL)
        return;
    m_nMdiFlags |= mdiRebuildPending;
    m_nMdiFlags &= ~mdiHookPending;
    PostMessage(WM_TIMER, timerRebuild);
}

void CExtMenuControlBar::OnTimer(UINT_PTR nIDEvent) {
    switch (nIDEvent) {
    case timerHookMdiChild:
        if ((m_nMdiFlags & mdiHookPending) != 0)
            HookActiveMdiChild();
        m_nMdiFlags &= ~mdiHookPending;
        break;
    case timerRebuild:
        if ((m_nMdiFlags & mdiRebuildPending) != 0) {
            m_nMdiFlags &= ~mdiRebuildPending;
            UpdateMenuBar(true);
        }
        m_nMdiFlags &= ~mdiRebuildPending;
        break;
    case timerFindMdiClient: {
        const HWND hClient = FindMdiClient();
        if (hClient != NULL) {
            KillTimer(timerFindMdiClient);
            HookMdiClient(hClient);
        }
        break;
    }
    }
}

// ---- creation and destruction -----------------------------------------------------------------

void CExtMenuControlBar::PreSubclassWindow() {
    CExtToolControlBar::PreSubclassWindow();
    if (IsInDialog() && m_hWndHooked == NULL) {
        m_hWndHooked = ::GetParent(m_hWnd);
        if (m_hWndHooked != NULL && !IsHookedWindow(m_hWndHooked))
            SetupHookWndSink(m_hWndHooked);
    }
}

LRESULT CExtMenuControlBar::OnCreate(LPCREATESTRUCT lpcs) {
    if (CExtToolControlBar::WindowProc(WM_CREATE, 0, (LPARAM)lpcs) == -1)
        return -1;
    CFrameWnd* pFrame = IsInDialog() ? NULL : DYNAMIC_DOWNCAST(CFrameWnd, GetParentFrame());
    if (pFrame == NULL && !IsInDialog())
        pFrame = DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
    if (pFrame != NULL) {
        const HWND hFrame = pFrame->m_hWnd;
        if ((::GetWindowLongA(hFrame, GWL_STYLE) & WS_CHILD) == 0) {
            const HMENU hMenu = ::GetMenu(hFrame);
            if (hMenu != NULL) {
                if (m_menuOwn.GetSafeHmenu() != NULL)
                    m_menuOwn.DestroyMenu();
                m_menuOwn.Attach(hMenu);
                RebuildMenuButtons(false);
                ::SetMenu(hFrame, NULL);
            }
        }
        if (SetupHookWndSink(hFrame)) {
            if (pFrame->IsKindOf(RUNTIME_CLASS(CMDIFrameWnd)) || FindMdiClient() != NULL || IsMdiMode()) {
                m_nMdiFlags |= mdiMode;
                const HWND hClient = FindMdiClient();
                if (hClient != NULL) {
                    HookMdiClient(hClient);
                } else {
                    SetTimer(timerFindMdiClient, 10, NULL);
                }
            }
        }
        // Only the bar's own waiting messages: the frame is still being built, and nothing may
        // reach its handlers (commands, idle work) before its bars and view exist.
        MSG msg;
        for (int n = 0; n < 64 && ::PeekMessageA(&msg, m_hWnd, 0, 0, PM_REMOVE); n++) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage((int)msg.wParam);
                break;
            }
            ::DispatchMessageA(&msg);
        }
    } else {
        m_nOptions |= optInDialog;
        if (m_hWndHooked == NULL)
            m_hWndHooked = ::GetParent(m_hWnd);
        if (m_hWndHooked != NULL && !IsHookedWindow(m_hWndHooked))
            SetupHookWndSink(m_hWndHooked);
    }
    return 0;
}

bool CExtMenuControlBar::HookMdiClient(HWND hWndClient) {
    if (hWndClient == NULL || !SetupHookWndSink(hWndClient))
        return false;
    ::SetWindowPos(hWndClient, NULL, 0, 0, 0, 0,
                   SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER |
                       SWP_FRAMECHANGED);
    HookActiveMdiChild();
    return true;
}

void CExtMenuControlBar::OnDestroyBar() {
    if (m_nMdiDocButtonCmdID != 0) {
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
        if (profile.IsFound())
            g_CmdManager->RemoveCommand(profile, m_nMdiDocButtonCmdID);
        m_nMdiDocButtonCmdID = 0;
    }
    LeaveKeyboardTracking(false);
    if ((m_nFlags & flagSysMenuTracking) != 0 || m_nBtnIdxMenuTracking >= 0) {
        // a pull-down or system menu of this bar is still open: it goes with the bar
        if (CExtPopupMenuWnd::IsAnyMenuTracked())
            CExtPopupMenuWnd::CancelMenuTracking();
        m_nFlags &= ~flagSysMenuTracking;
    }
    RemoveAllWndHooks();
    m_hWndHooked = NULL;
}

LRESULT CExtMenuControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == g_nMsgTrackButtonMenu && nMsg != 0)
        return OnTrackButtonMenuMsg((int)wParam);
    switch (nMsg) {
    case WM_CREATE:
        return OnCreate((LPCREATESTRUCT)lParam);
    case WM_DESTROY:
        OnDestroyBar();
        break;
    case WM_TIMER:
        if (wParam == timerHookMdiChild || wParam == timerRebuild || wParam == timerFindMdiClient) {
            OnTimer(wParam);
            return 0;
        }
        break;
    case WM_LBUTTONDOWN:
        if (!IsKeyboardTracking() && m_nBtnIdxMenuTracking >= 0 && g_bMenuTracking) {
            const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            if (HitTestButtons(pt.x, pt.y, 0, TBBS_SEPARATOR, false) == m_nBtnIdxMenuTracking)
                return 0;
        }
        break;
    case WM_LBUTTONUP: {
        const bool bWasTracking = IsKeyboardTracking();
        if (bWasTracking)
            LeaveKeyboardTracking(false);
        const LRESULT lResult = CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
        if (bWasTracking && ::IsWindow(m_hWnd))
            Invalidate();
        return lResult;
    }
    }
    return CExtToolControlBar::WindowProc(nMsg, wParam, lParam);
}

void CExtMenuControlBar::RecalcParentFrameLayout() {
    CExtToolControlBar::RecalcParentFrameLayout();
    if (GetSafeHwnd() == NULL || IsInDialog() || m_pDockSite == NULL || IsFloating())
        return;
    CFrameWnd* pFrame = m_pDockSite;
    if ((pFrame->m_nIdleFlags & CFrameWnd::idleLayout) != 0)
        return;
    // the frame's bar-state save or load lays the frame out itself when it is done
    if (IsFrameStateSerializing(pFrame))
        return;
    if (pFrame->IsWindowVisible())
        pFrame->RecalcLayout(TRUE);
}

void CExtMenuControlBar::OnTrackingBegin() {
    if (IsKeyboardTracking())
        LeaveKeyboardTracking(true);
    if (g_bMenuTracking)
        CancelAllBarsTracking();
    CExtToolControlBar::OnTrackingBegin();
}

bool CExtMenuControlBar::OnMouseClickEvent(UINT nFlags, int x, int y) {
    if (!IsKeyboardTracking()) {
        const HWND hWnd = m_hWnd;
        const bool bResult = CExtToolControlBar::OnMouseClickEvent(nFlags, x, y);
        // the control area's caption buttons follow the mouse within the one bar button
        const int nRight = ::IsWindow(hWnd) ? GetButtonIndex(GetMdiRightButton()) : -1;
        if (nRight >= 0 && (m_nBtnIdxHover == nRight || m_nBtnIdxCapture == nRight))
            InvalidateButton(nRight);
        return bResult;
    }
    const int nHit = HitTestButton(x, y);
    if (nHit >= 0 && nHit != m_nFlatTrackingIndex) {
        CExtBarButton* p = GetButton(nHit);
        if (p != NULL && p->HasDropDownMenu() && !p->IsDisabled())
            TrackButtonMenu(nHit);
    }
    return true;
}

bool CExtMenuControlBar::TrackButtonMenu(int nIndex, bool bSelectFirst, bool bPost) {
    (void)bSelectFirst;
    (void)bPost;
    if (g_bMenuTracking && nIndex == m_nBtnIdxMenuTracking)
        return true;
    if (!EnsureBarVisible())
        return false;
    LeaveKeyboardTracking(true);
    PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex);
    return true;
}

// ---- keyboard tracking highlight --------------------------------------------------------------

void CExtMenuControlBar::LeaveKeyboardTracking(bool bRedraw) {
    if (!IsKeyboardTracking())
        return;
    m_nFlags &= ~flagKeyboardTracking;
    UpdateFlatTracking(bRedraw);
}

void CExtMenuControlBar::UpdateFlatTracking(bool bRedraw) {
    if (m_nFlatTrackingIndex < 0 && m_nOldFlatTrackingIndex < 0) {
        m_nFlags &= ~flagKeyboardTracking;
        return;
    }
    HWND hWndCombo = NULL;
    if (IsComboDroppedAtFocus(&hWndCombo))
        ::SendMessageA(hWndCombo, CB_SHOWDROPDOWN, FALSE, 0);
    if (GetSafeHwnd() == NULL)
        return;
    if (IsKeyboardTracking()) {
        if (m_nFlatTrackingIndex != m_nOldFlatTrackingIndex) {
            CExtBarButton* pOld = GetButton(m_nOldFlatTrackingIndex);
            if (pOld != NULL) {
                pOld->ModifyStyle(0, TBBS_PRESSED | TBBS_CHECKED);
                if (bRedraw)
                    InvalidateButton(m_nOldFlatTrackingIndex);
            }
            CExtBarButton* pNew = GetButton(m_nFlatTrackingIndex);
            if (pNew != NULL) {
                pNew->ModifyStyle(TBBS_PRESSED, 0);
                if (bRedraw)
                    InvalidateButton(m_nFlatTrackingIndex);
            }
            m_nOldFlatTrackingIndex = m_nFlatTrackingIndex;
            UpdateWindow();
        }
    } else {
        CExtBarButton* p = GetButton(m_nFlatTrackingIndex >= 0 ? m_nFlatTrackingIndex : m_nOldFlatTrackingIndex);
        if (p != NULL && m_nBtnIdxMenuTracking != GetButtonIndex(p)) {
            p->ModifyStyle(0, TBBS_PRESSED);
            if (bRedraw)
                InvalidateButton(GetButtonIndex(p));
        }
        if (bRedraw)
            UpdateWindow();
        m_nFlatTrackingIndex = m_nOldFlatTrackingIndex = -1;
    }
}

// ---- system menus -----------------------------------------------------------------------------

bool CExtMenuControlBar::TrackWindowSystemMenu(CWnd* pWnd, const POINT* pt, bool bSelectFirst, LPCRECT prcExclude,
                                               int nAlign, bool bCombined) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    LeaveKeyboardTracking(true);
    const int nWasTracked = m_nBtnIdxMenuTracking;
    const bool bWasTracking = g_bMenuTracking;
    CancelAllBarsTracking();
    const HMENU hSysMenu = ::GetSystemMenu(pWnd->m_hWnd, FALSE);
    if (hSysMenu == NULL || !::IsMenu(hSysMenu))
        return false;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    CMenu menu;
    menu.Attach(hSysMenu);
    const bool bBuilt = pPopup->UpdateFromMenu(pWnd->m_hWnd, &menu, false, true);
    menu.Detach();
    if (!bBuilt) {
        delete pPopup;
        return false;
    }
    CPoint ptTrack;
    if (pt != NULL) {
        ptTrack = *pt;
    } else {
        CRect rcWnd, rcClient;
        pWnd->GetWindowRect(&rcWnd);
        pWnd->GetClientRect(&rcClient);
        pWnd->ClientToScreen(&rcClient);
        ptTrack = CPoint(rcWnd.left + ::GetSystemMetrics(SM_CXFRAME), rcClient.top);
    }
    if (nAlign == -1)
        nAlign = 6;
    UINT nFlags = 0x820 | (UINT)nAlign;
    if (bSelectFirst)
        nFlags |= 0x40;
    if (bWasTracking)
        nFlags |= 0x100;
    if (bSelectFirst && bWasTracking)
        g_bMenuTracking = true;
    if (nWasTracked >= 0)
        SetTrackedButton(nWasTracked);
    const bool bOk = bCombined ? pPopup->TrackPopupMenu(nFlags, ptTrack.x, ptTrack.y, prcExclude, this,
                                                        &CExtToolControlBar::DrawTrackedArea, NULL, true)
                               : pPopup->TrackPopupMenu(nFlags, ptTrack.x, ptTrack.y, prcExclude);
    if (!bOk) {
        delete pPopup;
        CancelAllBarsTracking();
        return false;
    }
    g_bMenuTracking = true;
    return true;
}

bool CExtMenuControlBar::TrackFrameSystemMenu(const POINT* pt, bool bSelectFirst) {
    g_bMenuTracking = true;
    SetTrackedButton(-1);
    CWnd* pWnd = GetServedWindow();
    if (!IsInDialog())
        pWnd = GetDockSiteFrame(this);
    const bool bOk = TrackWindowSystemMenu(pWnd, pt, bSelectFirst, NULL, -1, false);
    if (bOk)
        m_nFlags |= flagSysMenuTracking;
    else
        m_nFlags &= ~flagSysMenuTracking;
    return bOk;
}

bool CExtMenuControlBar::TrackMdiChildSystemMenu(const POINT* pt, bool bSelectFirst) {
    if (!IsMdiMode())
        return false;
    if (GetMdiDocButton() != NULL) {
        // the maximised document's system menu is the document button's
        CancelModeAtFocus();
        return TrackButtonMenu(0);
    }
    bool bMax = false;
    const HWND hChild = GetActiveMdiChildWnd(bMax);
    CWnd* pChild = hChild != NULL ? CWnd::FromHandlePermanent(hChild) : NULL;
    if (pChild == NULL)
        return false;
    g_bMenuTracking = true;
    SetTrackedButton(-1);
    const bool bOk = TrackWindowSystemMenu(pChild, pt, bSelectFirst, NULL, -1, false);
    if (bOk)
        m_nFlags |= flagSysMenuTracking;
    else
        m_nFlags &= ~flagSysMenuTracking;
    return bOk;
}
