// The tool bar's mouse: hover, press and release, the drop-down menus moving between buttons,
// the ends of a press (release, Esc, cancel, lost capture, the bar going), and its painting.
#include "CExtToolControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPopupMenuWnd.h"
#include "CExtPopupMenuSite.h"
#include "CExtPaintManagerHolder.h"
#include "CExtMemoryDC.h"
#include "ExtToolBarStandIns.h"
#include <algorithm>
#include <climits>

namespace {
// The keyboard hook that ends a press with Esc, and the bar whose press it watches.
HHOOK g_hEscapeHook = NULL;
HWND g_hWndEscapeBar = NULL;
}  // namespace

// ---- menu tracking across bars --------------------------------------------------------------

void CExtToolControlBar::CancelAllBarsTracking() {
    g_nCancelAllBarsTrackingCalls++;
    g_bMenuTracking = false;
    {
        CSingleLock lock(&GetAllBarsLock(), TRUE);
        CArray<CExtControlBar*, CExtControlBar*> all;
        GetAllBars(all);
        for (INT_PTR i = 0; i < all.GetSize(); i++) {
            CExtToolControlBar* pBar = dynamic_cast<CExtToolControlBar*>(all[i]);
            if (pBar != NULL && pBar->GetSafeHwnd() != NULL)
                pBar->SetTrackedButton(-1);
        }
    }
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    if (!site.IsEmpty() && !site.IsShutdownMode() && site.GetTopMenu() != NULL) {
        const HWND hWndTop = site.GetTopMenu()->GetSiteHwnd();
        if (::IsWindow(hWndTop))
            ::PostMessageA(hWndTop, WM_CANCELMODE, 0, 0);
    }
    CWnd::CancelToolTips();
}

void CExtToolControlBar::SyncMenuTracking() {
    if (g_bMenuTracking && !CExtPopupMenuWnd::IsAnyMenuTracked())
        CancelAllBarsTracking();
}

void CExtToolControlBar::CloseOpenMenus() {
    g_bMenuTracking = false;
    if (CExtPopupMenuWnd::IsAnyMenuTracked())
        CExtPopupMenuWnd::CancelMenuTracking();
    CancelAllBarsTracking();
}

void CExtToolControlBar::SetTrackedButton(int nIndex) {
    if (GetSafeHwnd() == NULL) {
        m_nBtnIdxMenuTracking = nIndex;
        return;
    }
    CExtBarButton* pOld = GetButton(m_nBtnIdxMenuTracking);
    if (pOld != NULL) {
        pOld->ModifyStyle(0, TBBS_PRESSED | TBBS_CHECKED | TBBS_INDETERMINATE);
        pOld->ClearTrackingPressed();
        InvalidateButton(m_nBtnIdxMenuTracking);
    }
    m_nBtnIdxMenuTracking = -1;
    CExtBarButton* pNew = GetButton(nIndex);
    if (pNew != NULL) {
        m_nBtnIdxMenuTracking = nIndex;
        pNew->ModifyStyle(TBBS_PRESSED, TBBS_CHECKED | TBBS_INDETERMINATE);
        pNew->MarkTrackingPressed();
        InvalidateButton(nIndex);
    }
    UpdateWindow();
}

bool CExtToolControlBar::TrackButtonMenu(int nIndex, bool bSelectFirst, bool bPost) {
    SyncMenuTracking();
    if (g_bMenuTracking && nIndex == m_nBtnIdxMenuTracking)
        return true;
    if (!EnsureBarVisible())
        return false;
    CExtBarButton* p = GetButton(nIndex);
    if (p == NULL || (p->GetStyle() & (TBBS_HIDDEN | TBBS_DISABLED)) != 0 || !p->HasDropDownMenu())
        return false;
    CPoint pt;
    if (!::GetCursorPos(&pt))
        return false;
    ScreenToClient(&pt);
    if (bPost) {
        PostMessage(g_nMsgTrackButtonMenu, (WPARAM)nIndex);
        return true;
    }
    p->TrackDropDownMenu(pt, bSelectFirst);
    return true;
}

LRESULT CExtToolControlBar::OnTrackButtonMenu(int nIndex) {
    CWnd* pOwner = (m_nOptions & optInDialog) != 0 ? (GetOwner() != NULL ? GetOwner() : GetParent())
                                                    : static_cast<CWnd*>(GetDockSiteFrame(this));
    if (pOwner == NULL || !pOwner->IsWindowEnabled() || GetButtonsCount() == 0)
        return 0;
    CExtBarButton* p = GetButton(nIndex);
    if (p != NULL && p->HasDropDownMenu() && CExtPopupMenuWnd::IsAnyMenuTracked()) {
        TrackButtonMenu(nIndex, true, false);
        return 0;
    }
    CancelAllBarsTracking();
    if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
    return 0;
}

// ---- hover ------------------------------------------------------------------------------------

bool CExtToolControlBar::UpdateHover(int x, int y) {
    if (GetSafeHwnd() == NULL)
        return false;
    if (x < 0 || y < 0) {
        CPoint ptCursor;
        if (!::GetCursorPos(&ptCursor))
            return false;
        ScreenToClient(&ptCursor);
        x = ptCursor.x;
        y = ptCursor.y;
    }
    const CPoint pt(x, y);
    int nHit = HitTestButton(x, y);
    const bool bMenu = CExtPopupMenuWnd::IsAnyMenuTracked();
    const HWND hWndActive = ::GetActiveWindow();
    if (!bMenu && !CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, hWndActive, true, true, false))
        nHit = -1;
    if (nHit == m_nBtnIdxHover)
        return false;
    const HWND hWnd = m_hWnd;
    CExtBarButton* pOld = GetButton(m_nBtnIdxHover);
    const int nOld = m_nBtnIdxHover;
    m_nBtnIdxHover = -1;
    if (pOld != NULL) {
        pOld->SetHover(false);
        InvalidateButton(nOld);
        UpdateWindow();
        pOld->HandleHover(pt, false);
    }
    CExtBarButton* pNew = GetButton(nHit);
    if (pNew != NULL) {
        m_nBtnIdxHover = nHit;
        if (!(g_bMenuTracking && pNew->IsDisabled()))
            pNew->SetHover(true);
        InvalidateButton(nHit);
        UpdateWindow();
        pNew->HandleHover(pt, true);
        if (!::IsWindow(hWnd))
            return true;
    }
    return true;
}

bool CExtToolControlBar::OnMouseClickEvent(UINT nFlags, int x, int y) {
    SyncMenuTracking();
    if (CExtPopupMenuWnd::IsAnyMenuTracked() && !g_bMenuTracking)
        return true;
    const bool bBusy = (m_nTracking & (trackRowResizing | trackColumnResizing | trackDragging)) != 0;
    if (!bBusy && GetCurrentDragBar() == NULL) {
        if (m_nBtnIdxCapture >= 0) {
            CExtBarButton* p = GetButton(m_nBtnIdxCapture);
            const bool bCaptured = CExtMouseCaptureSink::GetCapture() == m_hWnd;
            if (p == NULL || !bCaptured) {
                EndPress();
                return true;
            }
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            CPoint ptScreen(x, y);
            ClientToScreen(&ptScreen);
            const bool bOver = p->GetRect().PtInRect(CPoint(x, y)) && rcWindow.PtInRect(ptScreen);
            const DWORD dwStyle = bOver ? (p->GetStyle() | TBBS_PRESSED) : (p->GetStyle() & ~TBBS_PRESSED);
            SetButtonStyle(m_nBtnIdxCapture, dwStyle);
            UpdateWindow();
            return true;
        }
        const bool bChanged = UpdateHover(x, y);
        if (!::IsWindow(m_hWnd))
            return true;
        if (CExtMouseCaptureSink::GetCapture() == m_hWnd && m_nBtnIdxCapture < 0 && m_nBtnIdxHover < 0 &&
            m_nBtnIdxMenuTracking < 0) {
            CPoint ptScreen;
            CRect rcWindow;
            ::GetCursorPos(&ptScreen);
            GetWindowRect(&rcWindow);
            if (!rcWindow.PtInRect(ptScreen))
                CExtMouseCaptureSink::ReleaseCapture();
        }
        if (bChanged)
            return true;
    }
    return CExtControlBar::OnMouseClickEvent(nFlags, x, y);
}

// ---- press and release --------------------------------------------------------------------------

void CExtToolControlBar::OnLButtonDown(UINT, CPoint point) {
    SyncMenuTracking();
    RestoreFocusToFrame();
    const HWND hWnd = m_hWnd;
    const int nIndex = HitTestButtons(point.x, point.y, 0, TBBS_SEPARATOR, false);
    m_nBtnIdxCapture = -1;
    if (nIndex < 0)
        return;
    UpdateButtonCmdUI(nIndex);
    CExtBarButton* p = GetButton(nIndex);
    if (p == NULL || p->IsDisabled() || nIndex == m_nBtnIdxMenuTracking)
        return;
    // a button whose press opens its menu is done with the press: the menu tracks from here
    const bool bOpensMenu = p->HasDropDownMenu() && !p->IsSeparatedDropDown();
    p->ModifyStyle(TBBS_PRESSED, 0);
    p->MarkTrackingPressed();
    InvalidateButton(nIndex);
    UpdateWindow();
    p->HandleClick(point, true);
    if (!::IsWindow(hWnd) || GetButton(nIndex) != p)
        return;
    if (bOpensMenu || g_bMenuTracking) {
        if (nIndex != m_nBtnIdxMenuTracking) {
            p->ClearTrackingPressed();
            SetButtonStyle(nIndex, p->GetStyle() & ~TBBS_PRESSED);
        }
        return;
    }
    // a button that ran its press to the end itself (a slider's tracking loop) leaves none to hold
    if (!p->IsTrackingPressed())
        return;
    CWnd* pCtrl = p->GetCtrl();
    if (pCtrl != NULL && (pCtrl->GetSafeHwnd() == NULL || pCtrl->IsWindowVisible()))
        return;
    m_nBtnIdxCapture = nIndex;
    if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
        ::SetCapture(m_hWnd);
    HookEscape(true);
}

void CExtToolControlBar::OnLButtonUp(UINT, CPoint point) {
    const HWND hWnd = m_hWnd;
    const int nHot = m_nBtnIdxHover;
    CExtBarButton* pHot = GetButton(nHot);
    m_nBtnIdxHover = -1;
    const int nIndex = m_nBtnIdxCapture;
    CExtBarButton* p = GetButton(nIndex);
    m_nBtnIdxCapture = -1;
    HookEscape(false);
    bool bOver = false;
    DWORD dwNewStyle = 0;
    if (p != NULL) {
        if (p->IsTrackingPressed()) {
            p->ClearTrackingPressed();
            InvalidateButton(nIndex);
        }
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        CPoint ptScreen = point;
        ClientToScreen(&ptScreen);
        bOver = p->GetRect().PtInRect(point) && rcWindow.PtInRect(ptScreen);
        if (bOver) {
            UpdateButtonCmdUI(nIndex);
            dwNewStyle = p->GetStyle() & ~TBBS_PRESSED;
            if (!p->IsDisabled() && (dwNewStyle & TBBS_CHECKBOX) != 0) {
                // an indeterminate check button becomes checked or unchecked, never indeterminate
                dwNewStyle &= ~TBBS_INDETERMINATE;
                dwNewStyle ^= TBBS_CHECKED;
            }
        }
    }
    if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
    if (p != NULL) {
        if (bOver && GetButton(nIndex) == p) {
            p->HandleClick(point, false);
            if (!::IsWindow(hWnd))
                return;
        }
        if (!g_bMenuTracking && GetButton(nIndex) == p) {
            if (bOver)
                SetButtonStyle(nIndex, dwNewStyle);
            else
                SetButtonStyle(nIndex, p->GetStyle() & ~TBBS_PRESSED);
            UpdateButtonCmdUI(nIndex);
        }
    }
    if (pHot != NULL && GetButton(nHot) == pHot) {
        pHot->SetHover(false);
        pHot->HandleHover(point, false);
        InvalidateButton(nHot);
    }
    if (::IsWindow(hWnd))
        UpdateWindow();
}

void CExtToolControlBar::EndPress() {
    HookEscape(false);
    CExtBarButton* p = GetButton(m_nBtnIdxCapture);
    if (p != NULL) {
        if (m_nBtnIdxCapture != m_nBtnIdxMenuTracking) {
            p->ModifyStyle(0, TBBS_PRESSED);
            p->ClearTrackingPressed();
        }
        InvalidateButton(m_nBtnIdxCapture);
    }
    CExtBarButton* pHot = GetButton(m_nBtnIdxHover);
    if (pHot != NULL) {
        pHot->SetHover(false);
        InvalidateButton(m_nBtnIdxHover);
    }
    const bool bAny = m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0;
    m_nBtnIdxCapture = m_nBtnIdxHover = -1;
    if (bAny && GetSafeHwnd() != NULL && CExtMouseCaptureSink::GetCapture() == m_hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
}

void CExtToolControlBar::OnCancelMode() {
    const bool bAny = m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0;
    CExtBarButton* pHot = GetButton(m_nBtnIdxHover);
    EndPress();
    if (pHot != NULL) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        pHot->HandleHover(pt, false);
    }
    if (bAny && ::IsWindow(m_hWnd)) {
        Invalidate();
        UpdateWindow();
    }
}

LRESULT CALLBACK CExtToolControlBar::EscapeHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION && wParam == VK_ESCAPE && (lParam & 0x80000000) == 0 && ::IsWindow(g_hWndEscapeBar)) {
        ::PostMessageA(g_hWndEscapeBar, WM_CANCELMODE, 0, 0);
        return 1;
    }
    return ::CallNextHookEx(g_hEscapeHook, nCode, wParam, lParam);
}

void CExtToolControlBar::HookEscape(bool bOn) {
    if (bOn) {
        g_hWndEscapeBar = m_hWnd;
        if (g_hEscapeHook == NULL)
            g_hEscapeHook = ::SetWindowsHookExA(WH_KEYBOARD, &EscapeHookProc, NULL, ::GetCurrentThreadId());
        return;
    }
    if (g_hWndEscapeBar != m_hWnd || m_hWnd == NULL)
        return;
    g_hWndEscapeBar = NULL;
    if (g_hEscapeHook != NULL) {
        ::UnhookWindowsHookEx(g_hEscapeHook);
        g_hEscapeHook = NULL;
    }
}

void CExtToolControlBar::UpdateButtonCmdUI(int nIndex) {
    CExtBarButton* p = GetButton(nIndex);
    if (p == NULL || GetSafeHwnd() == NULL)
        return;
    CWnd* pTarget = GetOwner() != NULL ? GetOwner() : GetParent();
    if (pTarget == NULL && (m_nOptions & optInDialog) == 0)
        pTarget = GetParentFrame();
    if (pTarget == NULL)
        return;
    BOOL bDisableIfNoHandler = TRUE;
    if (pTarget->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        bDisableIfNoHandler = static_cast<CFrameWnd*>(pTarget)->m_bAutoMenuEnable;
    p->UpdateCommandUI(pTarget, bDisableIfNoHandler, nIndex);
}

// ---- painting ---------------------------------------------------------------------------------

bool CExtToolControlBar::DrawTrackedArea(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea) {
    // the cookie is a bar only while that bar is alive
    CExtToolControlBar* pBar = NULL;
    {
        CArray<CExtControlBar*, CExtControlBar*> all;
        GetAllBars(all);
        for (INT_PTR i = 0; i < all.GetSize(); i++)
            if (all[i] == pCookie)
                pBar = dynamic_cast<CExtToolControlBar*>(all[i]);
    }
    if (pBar == NULL || pBar->GetSafeHwnd() == NULL || rcArea.IsRectEmpty())
        return false;
    CExtBarButton* p = pBar->GetButton(pBar->m_nBtnIdxMenuTracking);
    if (p == NULL)
        return false;
    if (g_PaintManager->NeedsDockerBackground(pBar) && p == pBar->m_pChevron &&
        !pBar->IsKindOf(RUNTIME_CLASS(CExtMenuControlBar)) && (pBar->m_nOptions & optInDialog) == 0 &&
        dc.GetDeviceCaps(BITSPIXEL) > 8)
        return false;
    const DWORD dwStyle = p->GetStyle();
    const bool bHover = p->IsHover();
    p->SetHover(false);
    p->m_dwStyle = dwStyle & ~(TBBS_PRESSED | TBBS_CHECKED | TBBS_CHECKBOX);
    CPoint ptBar(0, 0), ptPopup(0, 0);
    pBar->ClientToScreen(&ptBar);
    wndPopup.ClientToScreen(&ptPopup);
    const CPoint ptOffset = ptBar - ptPopup;
    const CPoint ptOld = dc.OffsetViewportOrg(ptOffset.x, ptOffset.y);
    g_PaintManager->PaintToolBarDecoration(dc, p);
    p->Paint(&dc, !pBar->IsDockedVertically());
    dc.SetViewportOrg(ptOld);
    p->m_dwStyle = dwStyle;
    p->SetHover(bHover);
    return true;
}

void CExtToolControlBar::DoPaint(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    if (rcClient.IsRectEmpty())
        return;
    CExtPaintManager::ExcludeChildAreas(pDC, m_hWnd);
    CExtMemoryDC dc(pDC, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    FillBarClientArea(dc, rcClient);
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    const bool bPaintHorz = IsHorizontalBar() || IsPanelMode();
    dc.SetTextColor(pPM->GetColor(1010));
    dc.SetBkMode(TRANSPARENT);
    CFont* pOldFont = dc.SelectObject(GetBarFont(!bPaintHorz));
    const int nWrapIndex = GetWrapIndex();
    const int nGap = RowGap();
    if (pPM->IsBarBackgroundThemed(this)) {
        // one band per row of buttons
        int nStart = 0, nTop = rcClient.top;
        for (int i = 0; i < GetButtonsCount(); i++) {
            const bool bEnd = i == GetButtonsCount() - 1 || (IsHorizontalBar() && m_buttons[i]->IsLineBreak(nWrapIndex));
            if (!bEnd)
                continue;
            int nBandTop = INT_MAX, nBandBottom = INT_MIN;
            for (int k = nStart; k <= i; k++) {
                const CExtBarButton* p = m_buttons[k];
                if (p->IsSeparator() || !p->IsVisible() || (p->GetStyle() & TBBS_HIDDEN) != 0)
                    continue;
                nBandTop = std::min(nBandTop, (int)p->GetRect().top);
                nBandBottom = std::max(nBandBottom, (int)p->GetRect().bottom);
            }
            if (nBandTop < nBandBottom) {
                const CRect rcBand(rcClient.left, std::min(nTop, nBandTop), rcClient.right, nBandBottom);
                if (dc.RectVisible(&rcBand))
                    pPM->PaintBarBackground(dc, rcBand, this);
                nTop = nBandBottom + 1;
            }
            nStart = i + 1;
        }
    }
    for (int i = 0; i < GetButtonsCount(); i++) {
        CExtBarButton* p = m_buttons[i];
        if (!p->IsVisible() || (p->GetStyle() & TBBS_HIDDEN) != 0 || IsSeparatorBeforeHidden(i))
            continue;
        CRect rc = p->GetRect();
        if (!p->IsSeparator()) {
            if (dc.RectVisible(&rc))
                p->Paint(&dc, bPaintHorz);
            continue;
        }
        if (p->IsLineBreak(nWrapIndex) && IsFloating()) {
            // a separator that breaks the rows is a line across the bar between them
            if (nGap == 0)
                continue;
            const int nFrom = (IsHorizontalBar() || IsPanelMode()) ? rc.bottom : rc.top;
            CRect rcLine(rcClient.left + 1, nFrom, rcClient.right - 1, nFrom + nGap);
            if (dc.RectVisible(&rcLine))
                pPM->PaintSeparator(dc, rcLine, false, true, this, 0);
            continue;
        }
        if (bPaintHorz)
            rc.DeflateRect(0, 1);
        else
            rc.DeflateRect(1, 0);
        if (dc.RectVisible(&rc))
            pPM->PaintSeparator(dc, rc, bPaintHorz, true, this, 0);
    }
    dc.SelectObject(pOldFont);
    pPM->EndPaintSession();
}
