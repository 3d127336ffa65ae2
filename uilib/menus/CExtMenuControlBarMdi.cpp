// The menu bar in an MDI frame: the MDI client and its active document window, the document and
// control buttons while that window is maximised, the control area's place at the row's end, and
// what the bar does with the client's messages (the frame menu it is asked to show, the
// activation of another document window, its context menu).
#include "CExtMenuControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtPaintManagerHolder.h"
#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"
#include <algorithm>

// ---- the MDI client and its active document window ---------------------------------------------

HWND CExtMenuControlBar::FindMdiClient() const {
    if (IsInDialog())
        return NULL;
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return NULL;
    CMDIFrameWnd* pMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, pFrame);
    if (pMdiFrame != NULL)
        return ::IsWindow(pMdiFrame->m_hWndMDIClient) ? pMdiFrame->m_hWndMDIClient : NULL;
    for (HWND h = ::GetWindow(pFrame->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        char szClass[64] = {0};
        ::GetClassNameA(h, szClass, sizeof(szClass));
        CString s(szClass);
        s.MakeLower();
        if (s.Find("mdiclient") >= 0)
            return h;
    }
    return NULL;
}

HWND CExtMenuControlBar::GetActiveMdiChildWnd(bool& bMaximized) {
    bMaximized = false;
    if (!IsMdiMode())
        return NULL;
    const HWND hClient = FindMdiClient();
    if (hClient == NULL)
        return NULL;
    BOOL bMax = FALSE;
    const HWND hChild = (HWND)::SendMessageA(hClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMax);
    if (hChild == NULL)
        return NULL;
    if (!::IsWindowVisible(hChild)) {
        // a hidden document window counts as none, unless the frame's own MDI frame keeps it as
        // the active one (a framework document window not marked pseudo-inactive)
        const bool bMdiFrame = DYNAMIC_DOWNCAST(CMDIFrameWnd, GetDockSiteFrame(this)) != NULL;
        CWnd* pWnd = CWnd::FromHandlePermanent(hChild);
        CMDIChildWnd* pMdiChild = pWnd != NULL ? DYNAMIC_DOWNCAST(CMDIChildWnd, pWnd) : NULL;
        const bool bKept = bMdiFrame && (pWnd == NULL || pMdiChild == NULL || !pMdiChild->m_bPseudoInactive);
        if (!bKept)
            return NULL;
    }
    bMaximized = bMax != FALSE;
    return hChild;
}

bool CExtMenuControlBar::HookActiveMdiChild() {
    if (IsInDialog() || GetCurrentDragBar() != NULL || GetSafeHwnd() == NULL || !IsWindowVisible())
        return true;
    bool bMax = false;
    const HWND hChild = GetActiveMdiChildWnd(bMax);
    if (hChild == m_hWndHooked)
        return true;
    if (m_hWndHooked != NULL && ::IsWindow(m_hWndHooked))
        SetupHookWndSink(m_hWndHooked, true);
    m_hWndHooked = NULL;
    if (hChild != NULL && SetupHookWndSink(hChild))
        m_hWndHooked = hChild;
    RecalcParentFrameLayout();
    return true;
}

// ---- the document and control buttons ----------------------------------------------------------

CExtBarMdiDocButton* CExtMenuControlBar::GetMdiDocButton() const {
    CExtBarButton* p = GetButton(0);
    if (p == NULL || p->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
        return NULL;
    return DYNAMIC_DOWNCAST(CExtBarMdiDocButton, p);
}

CExtBarMdiRightButton* CExtMenuControlBar::GetMdiRightButton() const {
    const int nCount = GetButtonsCount();
    for (int i = nCount - 1; i >= 0 && i >= nCount - 2; i--) {
        CExtBarButton* p = GetButton(i);
        if (p != NULL && p->IsKindOf(RUNTIME_CLASS(CExtBarMdiRightButton)))
            return static_cast<CExtBarMdiRightButton*>(p);
    }
    return NULL;
}

void CExtMenuControlBar::SetSysMenuTracking(bool bOn) {
    if (bOn)
        m_nFlags |= flagSysMenuTracking;
    else
        m_nFlags &= ~flagSysMenuTracking;
}

void CExtMenuControlBar::GetMdiButtonsInfo(CExtBarMdiRightButton::MdiButtonsInfo& info,
                                           CExtBarMdiRightButton* pRightButton, bool bHorz) {
    info = CExtBarMdiRightButton::MdiButtonsInfo();
    info.m_pBar = this;
    if (g_PaintManager.IsWinXPOrLater()) {
        const int n = std::max(std::max(::GetSystemMetrics(SM_CXSMSIZE), ::GetSystemMetrics(SM_CYSMSIZE)) + 1, 18);
        info.m_cxButton = info.m_cyButton = n - 2;
    } else {
        info.m_cxButton = ::GetSystemMetrics(SM_CXSIZE) - 2;
        info.m_cyButton = ::GetSystemMetrics(SM_CYSIZE) - 2;
    }
    HWND hChild = NULL;
    if (pRightButton != NULL) {
        hChild = pRightButton->GetChildWnd();
    } else {
        bool bMax = false;
        hChild = GetActiveMdiChildWnd(bMax);
    }
    if (hChild == NULL || !::IsWindow(hChild))
        return;
    CWnd* pChild = CWnd::FromHandlePermanent(hChild);
    info.m_pWndChild = pChild != NULL ? pChild : CWnd::FromHandle(hChild);
    BYTE nFlags = CExtBarMdiRightButton::MdiButtonsInfo::flagValid;
    const HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
    if (hSysMenu != NULL) {
        const UINT nState = ::GetMenuState(hSysMenu, SC_CLOSE, MF_BYCOMMAND);
        if (nState != (UINT)-1 && (nState & (MF_GRAYED | MF_DISABLED)) == 0)
            nFlags |= CExtBarMdiRightButton::MdiButtonsInfo::flagClose;
    }
    const LONG_PTR dwStyle = ::GetWindowLongPtrA(hChild, GWL_STYLE);
    const LONG_PTR dwExStyle = ::GetWindowLongPtrA(hChild, GWL_EXSTYLE);
    if ((dwStyle & WS_MAXIMIZEBOX) != 0) {
        nFlags |= CExtBarMdiRightButton::MdiButtonsInfo::flagMaximize;
        if ((dwExStyle & WS_EX_CONTEXTHELP) != 0)
            nFlags |= CExtBarMdiRightButton::MdiButtonsInfo::flagHelp;
    }
    if ((dwStyle & WS_MINIMIZEBOX) != 0)
        nFlags |= CExtBarMdiRightButton::MdiButtonsInfo::flagMinimize;
    info.m_nFlags = nFlags;
    info.CalcTotal(bHorz);
}

bool CExtMenuControlBar::UpdateMdiButtons(bool bRecalc) {
    if (!AreMdiButtonsAllowed()) {
        if (bRecalc)
            RecalcParentFrameLayout();
        return true;
    }
    if (GetCurrentDragBar() != NULL || GetSafeHwnd() == NULL)
        return false;
    bool bMax = false;
    const HWND hChild = GetActiveMdiChildWnd(bMax);
    if (GetButtonsCount() == 0 && hChild == NULL)
        return false;
    bool bChanged = false;
    auto removeButton = [&](CExtBarButton* p) {
        const int nIndex = GetButtonIndex(p);
        if (nIndex < 0)
            return;
        // a press or hover on the button ends with it (the capture goes back)
        if (m_nBtnIdxCapture == nIndex || m_nBtnIdxHover == nIndex)
            EndPress();
        if (m_nBtnIdxMenuTracking == nIndex && g_bMenuTracking)
            CancelAllBarsTracking();
        RemoveButton(nIndex, false);
        bChanged = true;
    };
    if (hChild == NULL || !bMax) {
        if (CExtBarMdiRightButton* pRight = GetMdiRightButton())
            removeButton(pRight);
        if (CExtBarMdiDocButton* pDoc = GetMdiDocButton())
            removeButton(pDoc);
    } else {
        if (m_nMdiDocButtonCmdID == 0) {
            const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
            CExtCmdItem* pItem = profile.IsFound() ? g_CmdManager->AllocCommand(profile) : NULL;
            if (pItem == NULL)
                return false;
            pItem->m_dwStateFlags |= cmdFlagAlwaysVisible;
            m_nMdiDocButtonCmdID = pItem->m_nCmdID;
        }
        if (GetMdiRightButton() == NULL) {
            // at the row's end, before a trailing chevron
            if (InsertSpecButton(-1, new CExtBarMdiRightButton(this, m_nMdiDocButtonCmdID), false))
                bChanged = true;
        }
        if (GetMdiDocButton() == NULL) {
            const HMENU hSysMenu = ::GetSystemMenu(hChild, FALSE);
            if (hSysMenu != NULL && ::IsMenu(hSysMenu)) {
                CExtBarMdiDocButton* pDoc = new CExtBarMdiDocButton(this, m_nMdiDocButtonCmdID);
                if (InsertSpecButton(0, pDoc, false)) {
                    pDoc->SetMenu(hSysMenu, false, false);
                    bChanged = true;
                }
            }
        }
    }
    if (CExtBarMdiDocButton* pDoc = GetMdiDocButton())
        pDoc->SetChildWnd(hChild);
    if (CExtBarMdiRightButton* pRight = GetMdiRightButton())
        pRight->SetChildWnd(hChild);
    if (bRecalc) {
        RecalcParentFrameLayout();
        return false;
    }
    return bChanged;
}

// ---- the control area at the row's end ----------------------------------------------------------

void CExtMenuControlBar::AdjustButtonsLayout() {
    CExtToolControlBar::AdjustButtonsLayout();
    PlaceMdiRightButton();
}

void CExtMenuControlBar::PlaceMdiRightButton() {
    if (GetSafeHwnd() == NULL || GetButtonsCount() < 2 || (m_pDockBar != NULL && IsFloating()))
        return;
    CExtBarMdiRightButton* pRight = GetMdiRightButton();
    if (pRight == NULL || !pRight->IsVisible() || (pRight->GetStyle() & TBBS_HIDDEN) != 0)
        return;
    const int nIndex = GetButtonIndex(pRight);
    CExtBarButton* pChevron = GetButton(nIndex + 1);
    if (pChevron != NULL && (!IsChevronButton(nIndex + 1) || !pChevron->IsVisible()))
        pChevron = NULL;
    bool bHorz;
    if (m_pDockBar != NULL)
        bHorz = IsDockedAtTop() || IsDockedAtBottom();
    else
        bHorz = (m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0;
    CRect rcClient;
    GetClientRect(&rcClient);
    const CRect rcChevron = pChevron != NULL ? pChevron->GetRect() : CRect(0, 0, 0, 0);
    int nEnd = bHorz ? rcClient.right - 1 : rcClient.bottom - 1;
    if (pChevron != NULL)
        nEnd -= (bHorz ? rcChevron.Width() : rcChevron.Height()) + 1;
    CRect rc = pRight->GetRect();
    const int nFar = bHorz ? rc.right : rc.bottom;
    if (nFar >= nEnd)
        return;
    if (bHorz)
        rc.OffsetRect(nEnd - nFar, 0);
    else
        rc.OffsetRect(0, nEnd - nFar);
    pRight->SetRect(rc);
    if (pChevron != NULL) {
        CRect rcNext = rcChevron;
        if (bHorz)
            rcNext.OffsetRect(rc.right + 1 - rcNext.left, 0);
        else
            rcNext.OffsetRect(0, rc.bottom + 1 - rcNext.top);
        pChevron->SetRect(rcNext);
    }
}

void CExtMenuControlBar::OnTrackingEnd(const InternalDraggingState_t& shown, const InternalDraggingState_t& candidate,
                                       BOOL bCancel) {
    const HWND hWnd = m_hWnd;
    CExtToolControlBar::OnTrackingEnd(shown, candidate, bCancel);
    if (!::IsWindow(hWnd) || !IsMdiMode())
        return;
    UpdateMdiButtons(true);
    AdjustButtonsLayout();
}

// ---- the MDI client's messages ------------------------------------------------------------------

bool CExtMenuControlBar::HandleMdiClientMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam,
                                                LPARAM lParam) {
    switch (nMessage) {
    case WM_PARENTNOTIFY:
        if (CExtPopupMenuWnd::IsAnyMenuTracked()) {
            lResult = 0;
            return true;
        }
        break;
    case WM_MDISETMENU: {
        // The frame menu to show becomes the bar's; the client itself changes no menu (with no
        // menus given it keeps its own), so the frame never shows a native menu again. A null
        // frame menu keeps the current one, as it would for the client.
        const HMENU hOld = m_menuMdi.GetSafeHmenu();
        const HMENU hNew = (HMENU)wParam;
        if (hNew != NULL) {
            m_menuMdi.Detach();
            m_menuMdi.Attach(hNew);
        }
        RemoveNativeFrameMenu();
        PostUpdateMenuBar();
        CallOriginalWndProc(WM_MDISETMENU, 0, 0);
        HookActiveMdiChild();
        m_nMdiFlags &= ~mdiHookPending;
        lResult = (LRESULT)hOld;
        return true;
    }
    case WM_MDIREFRESHMENU:
        CallOriginalWndProc(WM_MDIREFRESHMENU, 0, 0);
        HookActiveMdiChild();
        m_nMdiFlags &= ~mdiHookPending;
        lResult = 0;
        return true;
    case WM_CONTEXTMENU: {
        CFrameWnd* pFrame = GetDockSiteFrame(this);
        if (pFrame == NULL || IsFrameInHelpMode(pFrame)) {
            lResult = 0;
            return true;
        }
        CWnd* pOwner = GetOwner() != NULL ? GetOwner() : GetParent();
        CPoint pt;
        ::GetCursorPos(&pt);
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (pOwner == NULL || !pPopup->CreatePopupMenu(pOwner->GetSafeHwnd()) ||
            !FillBarsContextMenu(pFrame, pPopup, 6, this, WM_CONTEXTMENU, 0) || pPopup->GetItemCount() == 0) {
            delete pPopup;
            lResult = 0;
            return true;
        }
        pOwner->SetFocus();
        if (!pPopup->TrackPopupMenu(0x800, pt.x, pt.y))
            delete pPopup;
        lResult = 0;
        return true;
    }
    case WM_MDIACTIVATE:
    case WM_MDIDESTROY:
    case WM_MDINEXT:
        PostHookActiveMdiChild();
        break;
    }
    MSG msg = {hWnd, nMessage, wParam, lParam, 0, {0, 0}};
    if (TranslateKeyboardMessage(&msg))
        return true;
    return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
}
