// The menu bar's watch over the frame (or its dialog parent) and the active MDI child, the
// keyboard (Alt, Alt+letter, the arrows, Esc, Alt+Space), the handler that highlights or opens a
// button, and the circular order of the open pull-downs and system menus.
#include "CExtMenuControlBar.h"
#include "CExtPopupMenuWnd.h"
#include "CExtMouseCaptureSink.h"
#include <windowsx.h>

// ---- helpers ----------------------------------------------------------------------------------

bool CExtMenuControlBar::IsComboDroppedAtFocus(HWND* phWndCombo) {
    const HWND hFocus = ::GetFocus();
    const HWND candidates[2] = {hFocus, hFocus != NULL ? ::GetParent(hFocus) : NULL};
    for (HWND h : candidates) {
        if (h == NULL)
            continue;
        char szClass[32] = {0};
        ::GetClassNameA(h, szClass, sizeof(szClass));
        if (lstrcmpiA(szClass, "ComboBox") != 0)
            continue;
        const LONG nStyle = ::GetWindowLongA(h, GWL_STYLE) & 0x3;
        if ((nStyle == CBS_DROPDOWN || nStyle == CBS_DROPDOWNLIST) && ::SendMessageA(h, CB_GETDROPPEDSTATE, 0, 0) != 0) {
            if (phWndCombo != NULL)
                *phWndCombo = h;
            return true;
        }
    }
    return false;
}

void CExtMenuControlBar::CancelModeAtFocus() {
    if (CExtPopupMenuWnd::IsAnyMenuTracked())
        return;
    const HWND hFocus = ::GetFocus();
    if (hFocus != NULL)
        ::SendMessageA(hFocus, WM_CANCELMODE, 0, 0);
}

void CExtMenuControlBar::CancelAll() {
    const HWND hCapture = CExtMouseCaptureSink::GetCapture();
    if (hCapture != NULL && (hCapture == m_hWnd || dynamic_cast<CExtControlBar*>(CWnd::FromHandlePermanent(hCapture)) != NULL))
        CExtMouseCaptureSink::ReleaseCapture();
    LeaveKeyboardTracking(true);
    if (g_bMenuTracking)
        CancelAllBarsTracking();
}

bool CExtMenuControlBar::IsServedWindowActive() const {
    if (IsInDialog())
        return true;
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL)
        return false;
    const HWND hFrame = pFrame->m_hWnd;
    const HWND hFore = ::GetForegroundWindow();
    if (hFore == NULL)
        return false;
    if (hFore == hFrame)
        return true;
    if ((::GetWindowLongA(hFrame, GWL_STYLE) & WS_CHILD) != 0 && ::IsChild(hFore, hFrame))
        return true;
    for (HWND h = ::GetParent(hFore); h != NULL; h = ::GetParent(h))
        if (h == hFrame)
            return true;
    return false;
}

BOOL CExtMenuControlBar::PreTranslateMessage(MSG* pMsg) {
    if (IsInDialog() && TranslateKeyboardMessage(pMsg))
        return TRUE;
    return CExtToolControlBar::PreTranslateMessage(pMsg);
}

// ---- the highlight or open request ------------------------------------------------------------

LRESULT CExtMenuControlBar::OnTrackButtonMenuMsg(int nIndex) {
    CWnd* pServed = GetServedWindow();
    if (pServed == NULL || !pServed->IsWindowEnabled() || GetButtonsCount() == 0)
        return 0;
    if (nIndex >= 0 && nIndex < GetButtonsCount()) {
        CExtBarButton* p = GetButton(nIndex);
        if (p->HasDropDownMenu() && CExtPopupMenuWnd::IsAnyMenuTracked()) {
            CExtToolControlBar::TrackButtonMenu(nIndex, true, false);
            return 0;
        }
        CancelAllBarsTracking();
        if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
            CExtMouseCaptureSink::ReleaseCapture();
        if (!IsKeyboardTracking())
            CancelModeAtFocus();
        m_nFlatTrackingIndex = nIndex;
        m_nFlags |= flagKeyboardTracking;
        UpdateFlatTracking(true);
    } else {
        LeaveKeyboardTracking(true);
        CancelAllBarsTracking();
    }
    return 0;
}

// ---- the keyboard -----------------------------------------------------------------------------

bool CExtMenuControlBar::TranslateKeyboardMessage(MSG* pMsg) {
    if (GetSafeHwnd() == NULL || pMsg == NULL)
        return false;
    const UINT nMsg = pMsg->message;
    if (nMsg == WM_ACTIVATE || nMsg == WM_ACTIVATEAPP || nMsg == WM_SETFOCUS || nMsg == WM_KILLFOCUS) {
        g_bAltUsed = true;
        return false;
    }
    if (nMsg == WM_COMMAND && HIWORD(pMsg->wParam) == 0)
        g_bAltUsed = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0;
    if (nMsg == WM_CONTEXTMENU && ((g_bMenuTracking && m_nBtnIdxMenuTracking >= 0) || IsKeyboardTracking()))
        return true;
    if (nMsg == WM_KEYDOWN || nMsg == WM_KEYUP || nMsg == WM_SYSKEYDOWN || nMsg == WM_SYSKEYUP)
        return TranslateKey(pMsg);
    if (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MBUTTONDBLCLK && IsKeyboardTracking())
        LeaveKeyboardTracking(true);
    return false;
}

bool CExtMenuControlBar::TranslateKey(MSG* pMsg) {
    const UINT nMsg = pMsg->message;
    const bool bUp = nMsg == WM_KEYUP || nMsg == WM_SYSKEYUP;
    const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
    const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const UINT nVirtKey = (UINT)pMsg->wParam;
    const bool bAlt = (HIWORD(pMsg->lParam) & KF_ALTDOWN) != 0;
    CFrameWnd* pFrame = IsInDialog() ? NULL : GetDockSiteFrame(this);
    const bool bInactive = (pFrame != NULL && IsFrameInPrintPreview(pFrame)) || IsComboDroppedAtFocus();

    // Alt itself
    if (nVirtKey == VK_MENU && !bShift && !bCtrl) {
        if (bInactive)
            return false;
        if (IsKeyboardTracking()) {
            if (bUp)
                LeaveKeyboardTracking(true);
            return true;
        }
        if (!bUp) {
            g_bAltUsed = false;
            return false;
        }
        if (g_bAltUsed)
            return false;
        if (g_bMenuTracking)
            return true;
        if (GetButtonsCount() > 0) {
            CancelModeAtFocus();
            g_bMenusExpanded = false;
            if (IsServedWindowActive())
                TrackButtonMenu(0);
        }
        return true;
    }

    // Alt+Space: the system menu (Alt+minus: the active MDI child's)
    const bool bMinus = nVirtKey == VK_SUBTRACT || nVirtKey == VK_OEM_MINUS;
    if (bAlt && !IsInDialog() && (nVirtKey == VK_SPACE || (bMinus && IsMdiMode()))) {
        if (bUp)
            return true;
        const HWND hActive = ::GetActiveWindow();
        if (pFrame != NULL && hActive != pFrame->m_hWnd && (::GetWindowLongA(hActive, GWL_STYLE) & WS_POPUP) != 0)
            return true;
        g_bMenusExpanded = false;
        LeaveKeyboardTracking(true);
        if (nVirtKey == VK_SPACE) {
            TrackFrameSystemMenu(NULL, true);
            return true;
        }
        if (nMsg == WM_SYSKEYDOWN) {
            bool bMax = false;
            if (GetActiveMdiChildWnd(bMax) == NULL) {
                g_bAltUsed = true;
            } else if (GetMdiDocButton() != NULL) {
                CancelModeAtFocus();
                CExtToolControlBar::TrackButtonMenu(0, false, false);
            } else {
                TrackMdiChildSystemMenu(NULL, true);
            }
        }
        return true;
    }
    if (bInactive)
        return false;

    const bool bNavKey = nVirtKey == VK_LEFT || nVirtKey == VK_RIGHT || nVirtKey == VK_UP || nVirtKey == VK_DOWN ||
                         nVirtKey == VK_RETURN || nVirtKey == VK_ESCAPE;
    if (bAlt || (IsKeyboardTracking() && !bNavKey))
        return TranslateMnemonic(nVirtKey, (UINT)((pMsg->lParam >> 16) & 0xFF), bAlt, bUp);

    if (IsKeyboardTracking()) {
        if (bUp)
            return true;
        switch (nVirtKey) {
        case VK_RETURN:
        case VK_UP:
        case VK_DOWN: {
            CExtBarButton* p = GetButton(m_nFlatTrackingIndex);
            if (CExtPopupMenuWnd::IsAnyMenuTracked() || p == NULL)
                return true;
            if (!p->HasDropDownMenu()) {
                if (nVirtKey == VK_RETURN && (int)p->GetCommandId() > 0)
                    p->HandleClick(p->GetRect().CenterPoint(), false);
                return true;
            }
            const int nIndex = m_nFlatTrackingIndex;
            CancelModeAtFocus();
            LeaveKeyboardTracking(true);
            CExtToolControlBar::TrackButtonMenu(nIndex, true, false);
            return true;
        }
        case VK_ESCAPE:
            LeaveKeyboardTracking(true);
            return true;
        case VK_LEFT:
        case VK_RIGHT: {
            const int nCount = GetButtonsCount();
            if (nCount > 0) {
                int nNext = GetVisibleButtonNext(m_nFlatTrackingIndex, nVirtKey == VK_RIGHT, false);
                if (nNext < 0)
                    nNext = nVirtKey == VK_RIGHT ? 0 : nCount - 1;
                m_nFlatTrackingIndex = nNext;
            }
            UpdateFlatTracking(true);
            return true;
        }
        }
        UpdateFlatTracking(true);
        return true;
    }
    if (nMsg >= WM_LBUTTONDOWN && nMsg <= WM_MBUTTONDBLCLK && IsKeyboardTracking())
        LeaveKeyboardTracking(true);
    return false;
}

bool CExtMenuControlBar::TranslateMnemonic(UINT nVirtKey, UINT nScan, bool bAltDown, bool bUp) {
    if (bUp)
        return true;
    BYTE keys[256] = {0};
    ::GetKeyboardState(keys);
    const HKL hKL = ::GetKeyboardLayout(::GetWindowThreadProcessId(m_hWnd, NULL));
    WORD wChar = 0;
    const UINT nScanCode = nScan != 0 ? nScan : ::MapVirtualKeyA(nVirtKey, 0);
    // the character of the key alone: Alt and Ctrl held would give none
    keys[VK_MENU] = keys[VK_LMENU] = keys[VK_RMENU] = 0;
    keys[VK_CONTROL] = keys[VK_LCONTROL] = keys[VK_RCONTROL] = 0;
    if (::ToAsciiEx(nVirtKey, nScanCode, keys, &wChar, 1, hKL) != 1) {
        g_bAltUsed = true;
        return IsKeyboardTracking();
    }
    char sz[2] = {(char)(wChar & 0xFF), 0};
    ::CharUpperA(sz);
    const TCHAR ch = sz[0];
    int nIndex = FindButtonByMnemonic(ch);
    if (nIndex >= 0) {
        CancelModeAtFocus();
        LeaveKeyboardTracking(true);
        CExtBarButton* p = GetButton(nIndex);
        if (p->HasDropDownMenu()) {
            g_bMenusExpanded = false;
            CExtToolControlBar::TrackButtonMenu(nIndex, true, false);
        } else {
            g_bAltUsed = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0 || bAltDown;
            p->DeliverCommand();
        }
        return true;
    }
    // the other tool bars of the frame (or of the dialog)
    CArray<CExtToolControlBar*, CExtToolControlBar*> bars;
    CFrameWnd* pFrame = IsInDialog() ? NULL : GetDockSiteFrame(this);
    if (pFrame != NULL) {
        CSingleLock lock(&GetAllBarsLock(), TRUE);
        CArray<CExtControlBar*, CExtControlBar*> all;
        GetAllBars(all);
        for (INT_PTR i = 0; i < all.GetSize(); i++) {
            CExtToolControlBar* pBar = dynamic_cast<CExtToolControlBar*>(all[i]);
            if (pBar != NULL && pBar != this && pBar->GetSafeHwnd() != NULL && GetDockSiteFrame(pBar) == pFrame &&
                pBar->IsWindowVisible())
                bars.Add(pBar);
        }
    } else if (GetParent() != NULL) {
        for (HWND h = ::GetWindow(GetParent()->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
            CExtToolControlBar* pBar = dynamic_cast<CExtToolControlBar*>(CWnd::FromHandlePermanent(h));
            if (pBar != NULL && pBar != this && pBar->IsWindowVisible())
                bars.Add(pBar);
        }
    }
    for (INT_PTR i = 0; i < bars.GetSize(); i++) {
        CExtToolControlBar* pBar = bars[i];
        nIndex = pBar->FindButtonByMnemonic(ch);
        if (nIndex < 0)
            continue;
        CancelModeAtFocus();
        LeaveKeyboardTracking(true);
        CExtBarButton* p = pBar->GetButton(nIndex);
        if (p->HasDropDownMenu()) {
            g_bMenusExpanded = false;
            pBar->CExtToolControlBar::TrackButtonMenu(nIndex, true, false);
        } else {
            g_bAltUsed = (::GetAsyncKeyState(VK_MENU) & 0x8000) != 0 || bAltDown;
            p->DeliverCommand();
        }
        return true;
    }
    g_bAltUsed = true;
    return false;
}

// ---- the hooked windows -----------------------------------------------------------------------

bool CExtMenuControlBar::DispatchHookedMessage(LRESULT& lResult, HWND hWndHooked, UINT nMessage, WPARAM& wParam,
                                               LPARAM& lParam) {
    if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd) || GetCurrentDragBar() != NULL)
        return CExtHookSink::DispatchHookedMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    if (hWndHooked == GetMainHookedWnd())
        return HandleFrameMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    if (!IsInDialog() && hWndHooked == m_hWndHooked)
        return HandleMdiChildMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    if (IsMdiMode() && hWndHooked == FindMdiClient())
        return HandleMdiClientMessage(lResult, hWndHooked, nMessage, wParam, lParam);
    return CExtHookSink::DispatchHookedMessage(lResult, hWndHooked, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::HandleFrameMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam, LPARAM lParam) {
    const bool bFrameMode = !IsInDialog();
    if (nMessage == WM_PARENTNOTIFY && CExtPopupMenuWnd::IsAnyMenuTracked()) {
        lResult = 0;
        return true;
    }
    if (bFrameMode && nMessage == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        // The system's keyboard menu loop (a lone Alt or F10, Alt+letter that reached the
        // default window procedure) would run over a frame whose menu this bar took: under Wine
        // it opens the system's own menu. The bar is the frame's menu; Alt+Space still opens the
        // system menu, as the bar's popup.
        if (lParam == ' ') {
            g_bMenusExpanded = false;
            TrackFrameSystemMenu(NULL, true);
        }
        lResult = 0;
        return true;
    }
    if (nMessage == WM_SIZE || nMessage == WM_ACTIVATEAPP || nMessage == WM_SYSCOMMAND ||
        (nMessage == WM_COMMAND && HIWORD(wParam) <= 1)) {
        CancelAll();
        return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
    }
    if (bFrameMode) {
        const UINT nHit = (UINT)wParam;
        switch (nMessage) {
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            if (nHit == HTSYSMENU) {
                lResult = 0;
                return true;
            }
            if (nMessage == WM_NCRBUTTONDOWN && nHit == HTCAPTION) {
                // the menu opens at the release: one opened at the press would be closed by
                // the release that follows (a click outside it)
                g_bMenusExpanded = false;
                lResult = 0;
                return true;
            }
            break;
        case WM_NCLBUTTONUP:
            if (nHit == HTSYSMENU) {
                g_bMenusExpanded = false;
                TrackFrameSystemMenu(NULL, false);
                lResult = 0;
                return true;
            }
            break;
        case WM_NCRBUTTONUP:
            if (nHit == HTCAPTION || nHit == HTSYSMENU) {
                g_bMenusExpanded = false;
                // where the release happened: the cursor may already show a later pointer event
                const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
                TrackFrameSystemMenu(&pt, false);
                lResult = 0;
                return true;
            }
            break;
        }
        if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed && nMessage != 0) {
            m_nFlags &= ~flagSysMenuTracking;
            return false;
        }
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuExpanded && nMessage != 0) {
        g_bMenusExpanded = true;
        lResult = 0;
        return true;
    }
    if ((nMessage == CExtPopupMenuWnd::g_nMsgPopupNext || nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev) &&
        nMessage != 0) {
        NavigateTopLevel(nMessage == CExtPopupMenuWnd::g_nMsgPopupNext);
        lResult = 0;
        return true;
    }
    if (bFrameMode)
        RemoveNativeFrameMenu();
    MSG msg = {hWnd, nMessage, wParam, lParam, 0, {0, 0}};
    if (TranslateKeyboardMessage(&msg))
        return true;
    return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
}

bool CExtMenuControlBar::HandleMdiChildMessage(LRESULT& lResult, HWND hWnd, UINT nMessage, WPARAM wParam,
                                               LPARAM lParam) {
    if (nMessage == WM_PARENTNOTIFY && CExtPopupMenuWnd::IsAnyMenuTracked()) {
        lResult = 0;
        return true;
    }
    if (nMessage == WM_SIZE || nMessage == WM_WINDOWPOSCHANGED || nMessage == WM_ACTIVATEAPP ||
        nMessage == WM_SYSCOMMAND || (nMessage == WM_COMMAND && HIWORD(wParam) <= 1)) {
        CancelAll();
        if (CExtPopupMenuWnd::IsAnyMenuTracked())
            CExtPopupMenuWnd::CancelMenuTracking();
        const WINDOWPOS* pPos = nMessage == WM_WINDOWPOSCHANGED ? (const WINDOWPOS*)lParam : NULL;
        if (nMessage != WM_SIZE && !(pPos != NULL && (pPos->flags & SWP_FRAMECHANGED) == 0))
            RemoveNativeFrameMenu();
        if (pPos != NULL && (pPos->flags & SWP_FRAMECHANGED) != 0) {
            // maximised without the document button yet, or no longer maximised: the buttons change
            const bool bMax = ::IsZoomed(hWnd) != FALSE;
            if ((bMax && GetMdiDocButton() == NULL) || !bMax)
                PostUpdateMenuBar();
        }
        return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
    }
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame != NULL && IsFrameInPrintPreview(pFrame)) {
        lResult = 0;
        return true;
    }
    const UINT nHit = (UINT)wParam;
    const bool bIconic = ::IsIconic(hWnd) != FALSE;
    switch (nMessage) {
    case WM_NCLBUTTONDOWN:
        if (nHit == HTCAPTION && bIconic) {
            TrackMdiChildSystemMenu(NULL, false);
            lResult = 0;
            return true;
        }
        if (nHit == HTSYSMENU) {
            lResult = 0;
            return true;
        }
        break;
    case WM_NCLBUTTONUP:
        if (nHit == HTCAPTION && bIconic)
            return true;
        if (nHit == HTSYSMENU) {
            g_bMenusExpanded = false;
            TrackMdiChildSystemMenu(NULL, false);
            lResult = 0;
            return true;
        }
        break;
    case WM_NCRBUTTONDOWN:
        if (nHit == HTSYSMENU || nHit == HTCAPTION) {
            // the menu opens at the release: one opened at the press would be closed by the
            // release that follows (a click outside it)
            g_bMenusExpanded = false;
            lResult = 0;
            return true;
        }
        break;
    case WM_NCRBUTTONUP:
        if (nHit == HTCAPTION || nHit == HTSYSMENU) {
            g_bMenusExpanded = false;
            const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
            TrackMdiChildSystemMenu(&pt, false);
            lResult = 0;
            return true;
        }
        break;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgNotifyMenuClosed && nMessage != 0) {
        m_nFlags &= ~flagSysMenuTracking;
        return true;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupPrev && nMessage != 0) {
        // left of the document's system menu: the frame's
        TrackFrameSystemMenu(NULL, true);
        lResult = 0;
        return true;
    }
    if (nMessage == CExtPopupMenuWnd::g_nMsgPopupNext && nMessage != 0) {
        // right of the document's system menu: the first button after it
        if (m_nBtnIdxMenuTracking >= 0 || !CExtPopupMenuWnd::IsAnyMenuTracked())
            m_nFlags &= ~flagSysMenuTracking;
        int nFrom = m_nBtnIdxMenuTracking;
        if (nFrom < 0 && (m_nFlags & flagSysMenuTracking) == 0)
            nFrom = -2;   // no menu of the bar's is open
        if (nFrom >= -1 && GetButtonsCount() > 0) {
            const int nNext = GetVisibleButtonNext(nFrom, true, false);
            CExtBarButton* p = GetButton(nNext);
            if (nNext != nFrom && p != NULL && p->HasDropDownMenu()) {
                m_nFlags &= ~flagSysMenuTracking;
                CExtToolControlBar::TrackButtonMenu(nNext, true, false);
            }
        }
        lResult = 0;
        return true;
    }
    MSG msg = {hWnd, nMessage, wParam, lParam, 0, {0, 0}};
    if (TranslateKeyboardMessage(&msg))
        return true;
    return CExtHookSink::DispatchHookedMessage(lResult, hWnd, nMessage, wParam, lParam);
}

// ---- from one open menu to the next -----------------------------------------------------------

void CExtMenuControlBar::NavigateTopLevel(bool bNext) {
    CFrameWnd* pFrame = IsInDialog() ? NULL : GetDockSiteFrame(this);
    const bool bPreview = pFrame != NULL && IsFrameInPrintPreview(pFrame);
    // the system menu counts as open while no button's menu is and a menu is tracked
    if (m_nBtnIdxMenuTracking >= 0 || !CExtPopupMenuWnd::IsAnyMenuTracked())
        m_nFlags &= ~flagSysMenuTracking;
    const int nCurrent = (m_nFlags & flagSysMenuTracking) != 0 ? -1 : m_nBtnIdxMenuTracking;
    const int nCount = GetButtonsCount();
    // the control area at the row's end opens no menu: the last pull-down is the one before it
    const int nRight = GetButtonIndex(GetMdiRightButton());
    if (nCurrent >= 0 || bPreview) {
        int nLastVisible = GetVisibleButtonNext(0, false, false);
        if (nLastVisible >= 0 && nLastVisible == nRight)
            nLastVisible = GetVisibleButtonNext(nRight, false, false);
        if (bNext && nCurrent == nLastVisible && !IsInDialog()) {
            TrackFrameSystemMenu(NULL, true);
            return;
        }
        if (!bNext && nCurrent == 0 && !IsInDialog() && AreMdiButtonsAllowed()) {
            bool bMax = false;
            if (!(IsMdiMode() && !bPreview && GetActiveMdiChildWnd(bMax) != NULL && TrackMdiChildSystemMenu(NULL, true)))
                TrackFrameSystemMenu(NULL, true);
            return;
        }
        if (bPreview)
            return;
        const int nNext = GetVisibleButtonNext(nCurrent, bNext, false);
        if (nNext >= 0 && nNext != nCurrent)
            CExtToolControlBar::TrackButtonMenu(nNext, true, false);
        return;
    }
    if (bPreview || (m_nFlags & flagSysMenuTracking) == 0)
        return;
    bool bMax = false;
    if (bNext && IsMdiMode() && GetActiveMdiChildWnd(bMax) != NULL) {
        TrackMdiChildSystemMenu(NULL, true);
        return;
    }
    if (nCount == 0)
        return;
    int nTarget = bNext ? GetVisibleButtonNext(nCount - 1, true, false) : GetVisibleButtonNext(0, false, false);
    if (nTarget >= 0 && nTarget == nRight)
        nTarget = GetVisibleButtonNext(nRight, false, false);
    if (nTarget >= 0) {
        m_nFlags &= ~flagSysMenuTracking;
        CExtToolControlBar::TrackButtonMenu(nTarget, true, false);
    }
}
