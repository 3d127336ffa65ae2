// Showing and hiding bars (the frame's show/hide-bar commands and their check marks), the row
// space a hidden bar gets back, status prompts, the help hit test, and the bars context menu.
#include "CExtControlBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include <CSingleLock.h>
#include "CExtDockBar.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "ExtBarRowSizing.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "ExtFrameBarList.h"
#include <CStatusBar.h>
#include <vector>

// ---- Show/hide commands -------------------------------------------------------------------------

BOOL CExtControlBar::ShowHideBarCommand(CFrameWnd* pFrame, UINT nBarID, bool bToggle) {
    if (pFrame == NULL)
        return FALSE;
    CControlBar* pBar = pFrame->GetControlBar(nBarID);
    if (pBar == NULL)
        return FALSE;
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt == NULL)
        pFrame->ShowControlBar(pBar, (pBar->GetStyle() & WS_VISIBLE) == 0, FALSE);
    else
        pExt->ToggleBarVisibility(bToggle);
    return TRUE;
}

void CExtControlBar::ShowHideBarUpdate(CFrameWnd* pFrame, CCmdUI* pCmdUI, bool bCheckByVisibility) {
    CControlBar* pBar = pFrame != NULL ? pFrame->GetControlBar(pCmdUI->m_nID) : NULL;
    if (pBar == NULL) {
        pCmdUI->ContinueRouting();
        return;
    }
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt == NULL)
        pCmdUI->SetCheck((pBar->GetStyle() & WS_VISIBLE) != 0);
    else
        pExt->UpdateBarVisibilityUI(pCmdUI, bCheckByVisibility);
}

void CExtControlBar::UpdateBarVisibilityUI(CCmdUI* pCmdUI, bool bCheckByVisibility) {
    pCmdUI->Enable(TRUE);
    if (bCheckByVisibility || IsFixedModeBar())
        pCmdUI->SetCheck(IsWindowVisible() ? 1 : 0);
}

void CExtControlBar::ToggleBarVisibility(bool bToggle) {
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL)
        return;
    if (IsFixedModeBar()) {
        pFrame->ShowControlBar(this, !IsWindowVisible(), FALSE);
        return;
    }
    // The frame shows and hides bars without WM_SHOWWINDOW and lays the row out at once: the
    // row space is settled before that layout.
    const bool bVisible = IsWindowVisible() != FALSE;
    if (bVisible && bToggle) {
        SyncContainerVisibility(0);
        pFrame->ShowControlBar(this, FALSE, FALSE);
        return;
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    const bool bInMiniFrame = pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd));
    if (!bVisible || bToggle) {
        if (!bVisible)
            SyncContainerVisibility(1);
        pFrame->ShowControlBar(this, TRUE, FALSE);
        if (bInMiniFrame) {
            SyncContainerVisibility();
            pParentFrame->RecalcLayout();
        }
    }
    if (bInMiniFrame)
        pParentFrame->BringWindowToTop();
    SetFocus();
}

void CExtControlBar::OnShowWindow(BOOL bShow, UINT nStatus) {
    CControlBar::OnShowWindow(bShow, nStatus);
    if (nStatus == 0)
        SyncContainerVisibility(bShow ? 1 : 0);
}

void CExtControlBar::SyncContainerVisibility(int nVisible) {
    const int nMemo = m_nDelayedRowUpdateMetric;
    m_nDelayedRowUpdateMetric = 0;
    if (m_pDockBar == NULL && (m_nOptions & optInDialog) == 0)
        return;
    if ((m_nTracking & trackDragging) != 0 || IsFixedSizeBar() || IsFixedModeBar() || m_pDockSite == NULL ||
        m_pDockBar == NULL || IsDockSiteInPrintPreview() || (m_nTracking & trackReparenting) != 0)
        return;
    m_nTracking |= trackReparenting;
    m_nDelayedRowUpdateMetric = nMemo;
    RedistributeRowSpace(nVisible);
    // a container shows while any bar inside it does
    if (CExtDockDynBar* pInner = DYNAMIC_DOWNCAST(CExtDockDynBar, m_pDockBar)) {
        CExtDynControlBar* pContainer = pInner->GetContainer();
        const bool bVisible = nVisible < 0 ? IsWindowVisible() != FALSE : nVisible != 0;
        if (pContainer != NULL && m_pDockSite != NULL) {
            const bool bShown = (pContainer->GetStyle() & WS_VISIBLE) != 0;
            if (bVisible && !bShown)
                m_pDockSite->ShowControlBar(pContainer, TRUE, TRUE);
            else if (!bVisible && bShown && pInner->GetDockedVisibleCount() == 0)
                m_pDockSite->ShowControlBar(pContainer, FALSE, TRUE);
        }
    }
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        pParentFrame->RecalcLayout();
    m_nTracking &= ~trackReparenting;
}

void CExtControlBar::RedistributeRowSpace(int nVisible) {
    if (m_pDockBar == NULL || !IsDocked() || IsFixedSizeBar() || m_hWnd == NULL)
        return;
    const bool bHorz = IsDockedHorizontally();
    const bool bVisible = nVisible < 0 ? IsWindowVisible() != FALSE : nVisible != 0;
    if (!bVisible) {
        m_nDelayedRowUpdateMetric = bHorz ? m_sizeDockedH.cx : m_sizeDockedV.cy;
        return;
    }
    if (m_nDelayedRowUpdateMetric == 0)
        return;
    const int nOwed = m_nDelayedRowUpdateMetric;
    m_nDelayedRowUpdateMetric = 0;
    CArray<CExtControlBar*, CExtControlBar*> arr;
    GetRowBarsAll(arr, true);
    std::vector<CExtControlBar*> others;
    std::vector<ExtRowSizingItem> items;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* p = arr[i];
        if (p == this || !p->IsWindowVisible())
            continue;
        ExtRowSizingItem item;
        item.nMin = bHorz ? p->GetMinExtentHorz() : p->GetMinExtentVert();
        item.nLength = bHorz ? p->m_sizeDockedH.cx : p->m_sizeDockedV.cy;
        others.push_back(p);
        items.push_back(item);
    }
    if (others.empty())
        return;
    ExtTakeBackRowSpace(items, nOwed);
    for (size_t i = 0; i < others.size(); i++) {
        if (bHorz)
            others[i]->m_sizeDockedH.cx = items[i].nLength;
        else
            others[i]->m_sizeDockedV.cy = items[i].nLength;
    }
}

bool CExtControlBar::IsDockSiteInPrintPreview() {
    if (m_pDockSite == NULL || (m_nOptions & optInDialog) != 0)
        return false;
    return IsFrameInPrintPreview(m_pDockSite);
}

bool CExtControlBar::IsFrameInPrintPreview(CFrameWnd*) {
    return false;  // the framework has no print preview
}

bool CExtControlBar::IsFrameInHelpMode(CWnd* pWnd) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL)
        return false;
    CFrameWnd* pFrame = pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(pWnd)
                                                                 : pWnd->GetParentFrame();
    for (; pFrame != NULL; pFrame = pFrame->GetParentFrame()) {
        if (!pFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)) && pFrame->m_bHelpMode)
            return true;
    }
    return false;
}

void CExtControlBar::RestoreFocusToFrame() {
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    CWnd* pOwner = (m_nOptions & optInDialog) ? GetParent() : static_cast<CWnd*>(m_pDockSite);
    if (pOwner == NULL) {
        SetFocus();
        return;
    }
    HWND hFocus = ::GetFocus();
    if (hFocus == NULL) {
        pOwner->SetFocus();
        return;
    }
    if (hFocus == pOwner->m_hWnd || ::IsChild(pOwner->m_hWnd, hFocus))
        return;
    if (CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, ::GetActiveWindow(), true, true, true))
        return;
    pOwner->SetFocus();
}

// ---- Prompts ------------------------------------------------------------------------------------

void CExtControlBar::ShowCommandPrompt(CWnd* pWnd, UINT nCmdID) {
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    CWnd* pFrame = NULL;
    if (pWnd->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pFrame = pWnd;
    else if (pWnd->GetStyle() & WS_CHILD)
        pFrame = pWnd->GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    if (pFrame == NULL)
        pFrame = pWnd;   // a top-level window that is no frame
    if (nCmdID != AFX_IDS_IDLEMESSAGE) {
        const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(pFrame->m_hWnd);
        CExtCmdItem* pCmd = profile.IsFound() ? g_CmdManager->GetCommand(profile, nCmdID) : NULL;
        CWnd* pStatus = pFrame->GetDlgItem(AFX_IDW_STATUS_BAR);
        CStatusBar* pStatusBar = DYNAMIC_DOWNCAST(CStatusBar, pStatus);
        if (pCmd != NULL && pStatusBar != NULL) {
            const int nIndex = pStatusBar->CommandToIndex(0);
            if (nIndex >= 0)
                pStatusBar->SetPaneText(nIndex, pCmd->GetStatusTipText(), TRUE);
            return;
        }
    }
    pFrame->SendMessage(WM_SETMESSAGESTRING, nCmdID);
}

void CExtControlBar::RedrawFloatingFrames(CFrameWnd* pFrame) {
    if (pFrame == NULL)
        return;
    CArray<CFrameWnd*, CFrameWnd*> done;
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (pBar->m_pDockSite == NULL || pBar->IsDockBar() || pBar->m_hWnd == NULL)
            continue;
        CFrameWnd* pMini = pBar->GetParentFrame();
        if (pMini == NULL || pMini == pFrame)
            continue;
        bool bDone = false;
        for (INT_PTR i = 0; i < done.GetSize() && !bDone; i++)
            bDone = done[i] == pMini;
        if (bDone)
            continue;
        done.Add(pMini);
        pMini->RecalcLayout();
        pMini->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    }
}

void CExtControlBar::RefreshDockedBarFrames(CFrameWnd* pFrame) {
    if (pFrame == NULL)
        return;
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        if (pBar->m_pDockSite == NULL || pBar->IsDockBar() || pBar->m_hWnd == NULL)
            continue;
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
        pBar->Invalidate(TRUE);
    }
}

// ---- Help ---------------------------------------------------------------------------------------

LRESULT CExtControlBar::OnHelpHitTest(WPARAM wParam, LPARAM lParam) {
    if (::GetCapture() == m_hWnd)
        SendMessage(WM_CANCELMODE);
    const int nHit = HitTestItem(CPoint((short)LOWORD(lParam), (short)HIWORD(lParam)));
    if (nHit == -3)
        return 0;
    if (nHit == -2)
        return -1;
    if (nHit == -1)
        return CControlBar::OnHelpHitTest(wParam, lParam);
    return 0x10000 + nHit;
}

// ---- The bars context menu ----------------------------------------------------------------------

CExtControlBar::POPUP_MENU_EVENT_DATA::POPUP_MENU_EVENT_DATA(WORD nEventId, CExtPopupMenuWnd* pPopup,
                                                             CWnd* pWndEventSrc, const POINT& ptScreen,
                                                             UINT nMsgID, DWORD dwFlags)
    : m_nEventId(nEventId), m_pPopupMenuWnd(pPopup), m_pWndEventSrc(pWndEventSrc), m_nMsgID(nMsgID),
      m_dwFlags(dwFlags), m_ptScreen(ptScreen) {
    if (m_ptScreen.x < 0 || m_ptScreen.y < 0) {
        if (!::GetCursorPos(&m_ptScreen))
            m_ptScreen = CPoint(0, 0);
    }
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::IsControlBarMenuListNotification() const {
    return m_nEventId <= 6 || m_nEventId == 11 || m_nEventId == 14;
}

bool CExtControlBar::POPUP_MENU_EVENT_DATA::NotifyTarget(bool bPreNotify) {
    m_nBits = (BYTE)(bPreNotify ? (m_nBits | 1) : (m_nBits & ~1));
    CWnd* pTarget = NULL;
    CControlBar* pBar = DYNAMIC_DOWNCAST(CControlBar, m_pWndEventSrc);
    if (pBar != NULL && pBar->m_pDockSite != NULL)
        pTarget = pBar->m_pDockSite;
    else if (m_pWndEventSrc != NULL && m_pWndEventSrc->GetSafeHwnd() != NULL) {
        CFrameWnd* pFrame = m_pWndEventSrc->GetParentFrame();
        if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
            pFrame = pFrame->GetParentFrame();
        pTarget = pFrame != NULL ? static_cast<CWnd*>(pFrame) : m_pWndEventSrc->GetParent();
    }
    m_pWndInitialTarget = pTarget;
    if (pTarget == NULL || pTarget->GetSafeHwnd() == NULL)
        return false;
    return pTarget->SendMessage(g_nMsgConstructPopupMenu, (WPARAM)this, 0) != 0;
}

void CExtControlBar::InsertToBarsMenu(CExtPopupMenuWnd* pPopup) {
    if ((m_nOptions & optInBarsMenu) == 0)
        return;
    pPopup->InsertItem((UINT)GetDlgCtrlID());
}

bool CExtControlBar::FillBarsContextMenu(CFrameWnd* pFrame, CExtPopupMenuWnd* pPopup, WORD nEventId,
                                         CWnd* pWndEventSrc, UINT nMsgID, DWORD dwFlags) {
    POPUP_MENU_EVENT_DATA data(nEventId, pPopup, pWndEventSrc, CPoint(-1, -1), nMsgID, dwFlags);
    if (!data.NotifyTarget(true)) {
        CArray<CExtControlBar*, CExtControlBar*> all;
        GetAllBars(all);
    CSingleLock lock(&GetAllBarsLock(), TRUE);   // held for the whole walk, as every walk of the list
        const CExtCmdManager::ProfileName profile = pFrame->GetSafeHwnd() != NULL
            ? g_CmdManager->ProfileNameFromWnd(pFrame->m_hWnd) : CExtCmdManager::ProfileName();
        LPCTSTR lpszProfile = profile;
        CExtControlBar* pLastAdded = NULL;
        for (INT_PTR i = 0; i < all.GetSize(); i++) {
            CExtControlBar* pBar = all[i];
            if (GetDockSiteFrame(pBar) != pFrame || pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd))
                continue;
            if (pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)) || (pBar->m_nStateFlags & tempHide) != 0)
                continue;
            CString strText;
            pBar->GetWindowText(strText);
            if (strText.IsEmpty())
                continue;
            if (pLastAdded != NULL && pLastAdded->IsFixedModeBar() != pBar->IsFixedModeBar())
                pPopup->InsertItem(0);
            if (lpszProfile != NULL) {
                CExtCmdItem cmd((UINT)pBar->GetDlgCtrlID());
                cmd.m_sMenuText = strText;
                cmd.UpdateTextsFromResource();
                cmd.m_sMenuText = strText;
                g_CmdManager->SetCommand(lpszProfile, &cmd, false);
            }
            const int nBefore = pPopup->GetItemCount();
            pBar->InsertToBarsMenu(pPopup);
            if (pPopup->GetItemCount() > nBefore)
                pLastAdded = pBar;
        }
        // no two separators side by side
        for (int i = pPopup->GetItemCount() - 1; i > 0; i--)
            if (pPopup->GetItemAt(i).m_nCmdID == 0 && pPopup->GetItemAt(i - 1).m_nCmdID == 0)
                pPopup->RemoveItem(i);
    }
    data.NotifyTarget(false);
    // never a separator at the end (nor at the start)
    while (pPopup->GetItemCount() > 0 && pPopup->GetItemAt(pPopup->GetItemCount() - 1).m_nCmdID == 0)
        pPopup->RemoveItem(pPopup->GetItemCount() - 1);
    return true;
}

bool CExtControlBar::TrackBarsContextMenu(WORD nEventId) {
    if ((m_nOptions & optInDialog) != 0 || m_pDockSite == NULL || IsFrameInHelpMode(m_pDockSite))
        return false;
    CPoint pt;
    ::GetCursorPos(&pt);
    CWnd* pOwner = GetOwner();
    if (pOwner == NULL)
        pOwner = GetParent();
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->CreatePopupMenu(pOwner->GetSafeHwnd()) ||
        !FillBarsContextMenu(m_pDockSite, pPopup, nEventId, this, WM_RBUTTONUP, 0) ||
        pPopup->GetItemCount() == 0) {
        delete pPopup;
        return true;
    }
    if (nEventId == eventControlBarClient) {
        if (CWnd* pChild = GetWindow(GW_CHILD))
            pChild->SetFocus();
    } else {
        pOwner->SetFocus();
    }
    if (!pPopup->TrackPopupMenu(0x800, pt.x, pt.y))
        delete pPopup;
    return true;
}

void CExtControlBar::OnRButtonUp(UINT nFlags, CPoint point) {
    if (!TrackBarsContextMenu(eventControlBarClient))
        CControlBar::OnRButtonUp(nFlags, point);
}

void CExtControlBar::OnNcRButtonUp(UINT nHitTest, CPoint point) {
    if (!TrackBarsContextMenu(eventControlBarNc))
        CControlBar::OnNcRButtonUp(nHitTest, point);
}

void CExtControlBar::OnContextMenu(CWnd*, CPoint point) {
    ScreenToClient(&point);
    OnRButtonUp(0, point);
}
