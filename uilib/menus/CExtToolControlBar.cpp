#include "CExtToolControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPopupMenuWnd.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include <cmath>
#include <windowsx.h>
#include <cstdlib>

IMPLEMENT_DYNCREATE(CExtToolControlBar, CExtControlBar)

bool CExtToolControlBar::g_bMenuTracking = false;
int CExtToolControlBar::g_nCancelAllBarsTrackingCalls = 0;
CSize CExtToolControlBar::g_sizeDefaultButton(23, 22);
bool CExtToolControlBar::g_bDisplayLargeIcons = false;
bool CExtToolControlBar::g_bDisplayToolTips = true;
bool CExtToolControlBar::g_bDisplayTipShortcuts = false;
const UINT CExtToolControlBar::g_nMsgTrackButtonMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgTrackButtonMenu");
const UINT CExtToolControlBar::g_nMsgContinueTrackMenu =
    ::RegisterWindowMessageA("CExtToolControlBar::g_nMsgContinueTrackMenu");

// A tool bar in a row has its grip along its left side, not a caption across its top.
CExtToolControlBar::CExtToolControlBar()
    : m_nBtnIdxMenuTracking(-1), m_nBtnIdxCapture(-1), m_nBtnIdxHover(-1), m_nBarModeFlags(modeReduced),
      m_pChevron(NULL) {
    m_nOptions = (BYTE)((m_nOptions | optFixedSize) & ~optHorzCaption);
    m_cxLeftBorder = 1;
    m_cxRightBorder = 1;
    m_cyTopBorder = 0;
    m_cyBottomBorder = 0;
    m_nCaptionHeight = 10;
    m_nGripperWidth = 8;
}

CExtToolControlBar::~CExtToolControlBar() {
    HookEscape(false);
    RemoveAllButtons();
}

// ---- buttons ----------------------------------------------------------------------------------

CExtBarButton* CExtToolControlBar::GetButton(int nIndex) const {
    if (nIndex < 0 || nIndex >= GetButtonsCount())
        return NULL;
    return m_buttons[nIndex];
}

int CExtToolControlBar::GetButtonIndex(const CExtBarButton* pButton) const {
    for (int i = 0; i < GetButtonsCount(); i++)
        if (m_buttons[i] == pButton)
            return i;
    return -1;
}

void CExtToolControlBar::RemoveAllButtons() {
    if (m_pChevron != NULL)
        m_pChevron->GetHiddenButtons().RemoveAll();
    for (int i = 0; i < GetButtonsCount(); i++)
        delete m_buttons[i];
    m_buttons.RemoveAll();
    m_pChevron = NULL;
    m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
}

bool CExtToolControlBar::SetButtons(const UINT* pIDs, int nCount) {
    RemoveAllButtons();
    if (pIDs == NULL || nCount <= 0)
        return true;
    for (int i = 0; i < nCount; i++) {
        CExtBarButton* pButton = CreateCommandButton(pIDs[i], pIDs[i] == 0 ? TBBS_SEPARATOR : 0);
        if (pButton != NULL)
            m_buttons.Add(pButton);
    }
    CExtBarButton* pChevron = CreateChevronButton();
    if (pChevron != NULL) {
        m_pChevron = static_cast<CExtBarContentExpandButton*>(pChevron);
        m_buttons.Add(pChevron);
    }
    return true;
}

bool CExtToolControlBar::LoadToolBar(UINT nResourceID) {
    if (GetSafeHwnd() == NULL)
        return false;
    const CExtCmdManager::ProfileName profile = g_CmdManager->ProfileNameFromWnd(m_hWnd);
    if (!profile.IsFound())
        return false;
    UINT* pIDs = NULL;
    INT nCount = 0;
    if (!g_CmdManager->UpdateFromToolBarResource(profile, nResourceID, &pIDs, &nCount, false, true, RGB(192, 192, 192)))
        return false;
    const bool bResult = SetButtons(pIDs, nCount);
    delete[] pIDs;
    return bResult;
}

bool CExtToolControlBar::InsertButton(int nPos, UINT nCmdID, bool bRecalc) {
    return InsertSpecButton(nPos, CreateCommandButton(nCmdID, nCmdID == 0 ? TBBS_SEPARATOR : 0), bRecalc);
}

bool CExtToolControlBar::InsertSpecButton(int nPos, CExtBarButton* pButton, bool bRecalc) {
    const int nCount = GetButtonsCount();
    if (pButton == NULL)
        return false;
    if (nPos > nCount || nPos < -1) {
        delete pButton;
        return false;
    }
    if (nPos < 0 || nPos == nCount)
        nPos = (nCount > 0 && m_buttons[nCount - 1] == m_pChevron && m_pChevron != NULL) ? nCount - 1 : nCount;
    else if (m_pChevron != NULL && nPos == nCount - 1 && m_buttons[nPos] == m_pChevron)
        nPos = nCount - 1;
    pButton->m_pBar = this;
    m_buttons.InsertAt(nPos, pButton);
    m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
    if (bRecalc && GetSafeHwnd() != NULL)
        RecalcParentFrameLayout();
    return true;
}

bool CExtToolControlBar::RemoveButton(int nIndex, bool bRecalc) {
    CExtBarButton* pButton = GetButton(nIndex);
    if (pButton == NULL || pButton == m_pChevron)
        return false;
    // the chevron must not keep a button that is gone
    if (m_pChevron != NULL)
        m_pChevron->ForgetButton(pButton);
    if (CExtMouseCaptureSink::GetCapture() == GetSafeHwnd() && m_nBtnIdxCapture >= 0 && GetSafeHwnd() != NULL)
        CExtMouseCaptureSink::ReleaseCapture();
    m_buttons.RemoveAt(nIndex);
    delete pButton;
    m_nBtnIdxMenuTracking = m_nBtnIdxCapture = m_nBtnIdxHover = -1;
    if (bRecalc && GetSafeHwnd() != NULL)
        RecalcParentFrameLayout();
    return true;
}

UINT CExtToolControlBar::GetButtonCommand(int nIndex) const {
    const CExtBarButton* p = GetButton(nIndex);
    return p != NULL ? p->GetCommandId(false) : 0;
}

UINT CExtToolControlBar::GetButtonStyle(int nIndex) const {
    const CExtBarButton* p = GetButton(nIndex);
    return p != NULL ? p->GetStyle() : 0;
}

void CExtToolControlBar::SetButtonStyle(int nIndex, UINT nStyle) {
    CExtBarButton* p = GetButton(nIndex);
    if (p == NULL || p->GetStyle() == nStyle)
        return;
    p->SetStyle(nStyle);
    if (GetSafeHwnd() != NULL) {
        InvalidateButton(nIndex);
        UpdateWindow();
    }
}

bool CExtToolControlBar::IsChevronButton(int nIndex) const {
    const CExtBarButton* p = GetButton(nIndex);
    return p != NULL && p == m_pChevron;
}

void CExtToolControlBar::InvalidateButton(int nIndex) {
    const CExtBarButton* p = GetButton(nIndex);
    if (p == NULL || GetSafeHwnd() == NULL)
        return;
    CRect rc = p->GetRect();
    if (rc.IsRectEmpty())
        return;
    if (p == m_pChevron && g_PaintManager->NeedsDockerBackground(const_cast<CExtToolControlBar*>(this))) {
        const CSize pad = g_PaintManager->GetBarButtonPadding();
        rc.InflateRect(pad.cx + 1, pad.cy + 1);
    }
    InvalidateRect(&rc, TRUE);
}

void CExtToolControlBar::GetButtonRect(int nIndex, RECT* pRect) const {
    if (pRect == NULL)
        return;
    const CExtBarButton* p = GetButton(nIndex);
    *pRect = p != NULL ? p->GetRect() : CRect(0, 0, 0, 0);
}

CExtBarButton* CExtToolControlBar::CreateCommandButton(UINT nCmdID, UINT nStyle) {
    return new CExtBarButton(this, nCmdID, nStyle);
}

CExtBarButton* CExtToolControlBar::CreateChevronButton() {
    if (IsPanelMode())
        return NULL;
    return new CExtBarContentExpandButton(this);
}

bool CExtToolControlBar::IsSeparatorBeforeHidden(int nIndex) const {
    const CExtBarButton* p = GetButton(nIndex);
    const CExtBarButton* pNext = GetButton(nIndex + 1);
    return p != NULL && p->IsSeparator() && pNext != NULL && (pNext->GetStyle() & TBBS_HIDDEN) != 0;
}

int CExtToolControlBar::GetVisibleButtonNext(int nFrom, bool bForward, bool bSkipDisabled) const {
    const int n = GetButtonsCount();
    if (n == 0)
        return -1;
    if (n == 1)
        return 0;
    int i = nFrom;
    for (int nStep = 0; nStep < n; nStep++) {
        i = bForward ? (i + 1) % n : (i - 1 + n) % n;
        if (i < 0)
            i = n - 1;
        const CExtBarButton* p = m_buttons[i];
        if (i == nFrom)
            break;
        if (!p->IsVisible() || (p->GetStyle() & TBBS_HIDDEN) != 0 || p->IsSeparator())
            continue;
        if (bSkipDisabled && p->IsDisabled())
            continue;
        return i;
    }
    return nFrom;
}

int CExtToolControlBar::FindButtonByMnemonic(TCHAR chUpper) const {
    for (int i = 0; i < GetButtonsCount(); i++) {
        const CExtBarButton* p = m_buttons[i];
        if (p == m_pChevron || !p->IsVisible() || p->IsSeparator() || (p->GetStyle() & TBBS_HIDDEN) != 0)
            continue;
        const CString s = p->GetText();
        const int nAmp = s.Find('&');
        if (nAmp < 0 || nAmp == s.GetLength() - 1)
            continue;
        if ((TCHAR)::toupper((unsigned char)s[nAmp + 1]) == chUpper)
            return i;
    }
    return -1;
}

int CExtToolControlBar::HitTestButtons(int x, int y, DWORD dwRequired, DWORD dwExcluded, bool bNearest) const {
    if (GetSafeHwnd() == NULL || !::IsWindow(m_hWnd))
        return -1;
    const CPoint pt(x, y);
    if (!bNearest && CExtMouseCaptureSink::GetCapture() == m_hWnd) {
        CPoint ptScreen = pt;
        ClientToScreen(&ptScreen);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        if (!rcWindow.PtInRect(ptScreen))
            return -1;
    }
    const bool bAcrossIsVertical = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    int nBest = -1, nBestDistance = 32767;
    bool bInLineFound = false;
    for (int i = 0; i < GetButtonsCount(); i++) {
        const CExtBarButton* p = m_buttons[i];
        const DWORD s = p->GetStyle();
        if (!p->IsVisible() || (s & TBBS_HIDDEN) != 0 || IsSeparatorBeforeHidden(i))
            continue;
        if ((s & dwRequired) != dwRequired || (s & dwExcluded) != 0)
            continue;
        const CRect rc = p->GetRect();
        if (rc.PtInRect(pt))
            return i;
        if (!bNearest)
            continue;
        const int dx = x - (rc.left + rc.right) / 2, dy = y - (rc.top + rc.bottom) / 2;
        const int nDistance = (int)std::sqrt((double)dx * dx + (double)dy * dy);
        const bool bInLine = bAcrossIsVertical ? (y >= rc.top && y <= rc.bottom) : (x >= rc.left && x <= rc.right);
        if (bInLine && !bInLineFound) {
            bInLineFound = true;
            nBest = i;
            nBestDistance = nDistance;
        } else if (nDistance < nBestDistance && (bInLine || !bInLineFound)) {
            nBest = i;
            nBestDistance = nDistance;
        }
    }
    return bNearest ? nBest : -1;
}

CFont* CExtToolControlBar::GetBarFont(bool bVertical) const {
    return &g_PaintManager->GetFont(bVertical ? CExtPaintManager::FontNormalVert : CExtPaintManager::FontNormal);
}

int CExtToolControlBar::GetWrapIndex() const {
    if ((m_nOptions & optInDialog) != 0 || GetSafeHwnd() == NULL || IsFloating())
        return 2;
    return IsDockedVertically() ? 1 : 0;
}

void CExtToolControlBar::SetDockPosRecord(const DockPos_t* pRecord) {
    if (pRecord != NULL)
        m_dockPos = *pRecord;
}

CObject* CExtToolControlBar::QueryMenuTrackingButton() const { return GetButton(m_nBtnIdxMenuTracking); }

// ---- tool tips, help, cursor ------------------------------------------------------------------

INT_PTR CExtToolControlBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const {
    if (!IsDisplayToolTips() || g_bMenuTracking || CExtPopupMenuWnd::IsAnyMenuTracked())
        return -1;
    const int nHit = HitTestButton(point.x, point.y);
    CExtBarButton* p = GetButton(nHit);
    if (p == NULL)
        return -1;
    const INT_PTR nResult = p->FillToolTipInfo(point, pTI);
    return nResult != -1 ? nResult : CExtControlBar::OnToolHitTest(point, pTI);
}

int CExtToolControlBar::HitTestItem(CPoint point) const {
    CExtBarButton* p = GetButton(HitTestButton(point.x, point.y));
    if (p == NULL)
        return CExtControlBar::HitTestItem(point);
    const int nId = p->GetHelpHitId(point);
    return (nId == -1 || nId == -2) ? -2 : nId;
}

void CExtToolControlBar::SetCursorAtPoint(const POINT* pptClient) {
    if (pptClient != NULL) {
        CExtBarButton* p = GetButton(HitTestButtons(pptClient->x, pptClient->y, 0, 0, false));
        if (p != NULL && p->HandleSetCursor(*pptClient))
            return;
    }
    CExtControlBar::SetCursorAtPoint(pptClient);
}

int CExtToolControlBar::TrackHelpModeInBars(CExtToolControlBar* pBar) {
    // the framework has no context-help mode: a button asked for its help id has none
    CFrameWnd* pFrame = pBar != NULL ? GetDockSiteFrame(pBar) : NULL;
    if (pFrame == NULL || !IsFrameInHelpMode(pFrame))
        return -3;
    return -3;
}

// ---- the window procedure ---------------------------------------------------------------------

LRESULT CExtToolControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const bool bBusy = (m_nTracking & (trackRowResizing | trackColumnResizing | trackDragging)) != 0;
    const CPoint pt(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    if (nMsg == g_nMsgTrackButtonMenu && nMsg != 0)
        return OnTrackButtonMenu((int)wParam);
    switch (nMsg) {
    case WM_LBUTTONDOWN:
        if (!bBusy && HitTestButtons(pt.x, pt.y, 0, 0, false) >= 0) {
            OnLButtonDown((UINT)wParam, pt);
            return 0;
        }
        break;
    case WM_LBUTTONUP:
        if (!bBusy && (m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0)) {
            OnLButtonUp((UINT)wParam, pt);
            return 0;
        }
        break;
    case WM_LBUTTONDBLCLK:
        // a double click is a release and a new press
        if (!bBusy && HitTestButtons(pt.x, pt.y, 0, 0, false) >= 0) {
            const HWND hWnd = m_hWnd;
            SendMessage(WM_LBUTTONUP, wParam, lParam);
            if (::IsWindow(hWnd))
                SendMessage(WM_LBUTTONDOWN, wParam, lParam);
            return 0;
        }
        break;
    case WM_CANCELMODE: {
        const LRESULT lResult = CExtControlBar::WindowProc(nMsg, wParam, lParam);
        OnCancelMode();
        return lResult;
    }
    case WM_CAPTURECHANGED:
        if ((m_nBtnIdxCapture >= 0 || m_nBtnIdxHover >= 0) && (HWND)lParam != m_hWnd)
            SendMessage(WM_CANCELMODE);
        break;
    case WM_SIZE: {
        const LRESULT lResult = CExtControlBar::WindowProc(nMsg, wParam, lParam);
        AdjustButtonsLayout();
        Invalidate();
        return lResult;
    }
    case WM_SETTINGCHANGE: {
        const LRESULT lResult = CExtControlBar::WindowProc(nMsg, wParam, lParam);
        CFrameWnd* pFrame = GetParentFrame();
        if ((m_nOptions & optInDialog) == 0 && pFrame != NULL)
            pFrame->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
        else if ((m_nOptions & optInDialog) != 0)
            RecalcParentFrameLayout();
        return lResult;
    }
    case WM_DESTROY:
        // the bar is going: no press, hover, capture or open menu stays behind
        EndPress();
        if (m_nBtnIdxMenuTracking >= 0 && g_bMenuTracking)
            CancelAllBarsTracking();
        m_nBtnIdxMenuTracking = -1;
        break;
    }
    return CExtControlBar::WindowProc(nMsg, wParam, lParam);
}

void CExtToolControlBar::RecalcParentFrameLayout() {
    if (GetSafeHwnd() == NULL)
        return;
    CExtControlBar::RecalcParentFrameLayout();
    AdjustButtonsLayout();
    if ((m_nOptions & optInDialog) != 0) {
        Invalidate();
        UpdateWindow();
    }
}

void CExtToolControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout) {
    CExtControlBar::RecalcDelayShow(lpLayout);
    if (GetSafeHwnd() != NULL && !IsFloating() && IsWindowVisible())
        AdjustButtonsLayout();
}

void CExtToolControlBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) {
    SyncMenuTracking();
    CWnd* pWndTarget = pTarget;
    if ((m_nOptions & optInDialog) != 0) {
        if (pTarget != NULL)
            return;
        pWndTarget = GetOwner() != NULL ? GetOwner() : GetParent();
    } else {
        CExtControlBar::OnUpdateCmdUI(pTarget, bDisableIfNoHndler);
        if (GetCurrentDragBar() != NULL || pWndTarget == NULL)
            return;
    }
    if (pWndTarget == NULL || GetSafeHwnd() == NULL || !IsWindowVisible())
        return;
    for (int i = 0; i < GetButtonsCount(); i++)
        m_buttons[i]->UpdateCommandUI(pWndTarget, bDisableIfNoHndler, i);
}
