// Caption buttons: layout in the caption, painting through the current look, hit tests, clicks
// and tool tips of the base and its Expand, Close and Menu kinds.
#include "CExtBarNcAreaButton.h"
#include "CExtControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtPaintManagerHolder.h"
#include "CExtResourceManager.h"
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"
#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNCREATE(CExtBarNcAreaButton, CObject)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonExpand, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonClose, CExtBarNcAreaButton)
IMPLEMENT_DYNCREATE(CExtBarNcAreaButtonMenu, CExtBarNcAreaButton)

namespace {

// The text of a library string, else the built-in literal.
CString LibraryString(UINT nID, LPCTSTR lpszDefault) {
    CString str;
    if (!g_ResourceManager->LoadStringDefault(str, nID) || str.IsEmpty())
        str = lpszDefault;
    return str;
}

bool MouseButtonsForPress() {
    return ::GetKeyState(VK_LBUTTON) < 0 && ::GetKeyState(VK_MBUTTON) >= 0 && ::GetKeyState(VK_RBUTTON) >= 0;
}

}  // namespace

CExtBarNcAreaButton::CExtBarNcAreaButton(CExtControlBar* pBar) : m_pBar(pBar), m_rc(0, 0, 0, 0), m_nState(0) {}

bool CExtBarNcAreaButton::IsBarFixedSize() const { return m_pBar != NULL && m_pBar->IsFixedSizeBar(); }
bool CExtBarNcAreaButton::IsBarFloating() const { return m_pBar != NULL && m_pBar->IsFloating(); }
bool CExtBarNcAreaButton::IsBarVisible() const { return m_pBar != NULL && m_pBar->IsVisible(); }

bool CExtBarNcAreaButton::IsBarActive() const {
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return false;
    if (IsBarFloating()) {
        CFrameWnd* pMini = m_pBar->GetParentFrame();
        HWND hFocus = ::GetFocus();
        return pMini != NULL && hFocus != NULL && (hFocus == pMini->m_hWnd || ::IsChild(pMini->m_hWnd, hFocus));
    }
    return (m_pBar->m_nStates & 1) != 0;
}

bool CExtBarNcAreaButton::GetBarCaptionRect(CRect& rcCaption, CRect& rcWindow, bool* pbHorz, bool* pbText) const {
    rcCaption.SetRectEmpty();
    rcWindow.SetRectEmpty();
    if (pbHorz != NULL)
        *pbHorz = false;
    if (pbText != NULL)
        *pbText = false;
    if (m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return false;
    // A floating bar's caption is its floating frame's, drawn by the library's own mini frame;
    // the framework's mini frame draws its own and holds no buttons of ours.
    if (IsBarFloating()) {
        CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, m_pBar->GetParentFrame());
        if (pMini == NULL || pMini->GetHostedBar() != m_pBar)
            return false;
        pMini->GetWindowRect(&rcWindow);
        rcCaption = pMini->GetCaptionRect();
        if (pbHorz != NULL)
            *pbHorz = true;
        if (pbText != NULL)
            *pbText = true;
        return true;
    }
    m_pBar->GetWindowRect(&rcWindow);
    if (!m_pBar->IsBarWithGripper(pbHorz, pbText))
        return false;
    rcCaption = m_pBar->m_rcGrip;
    return true;
}

bool CExtBarNcAreaButton::IsShown() const {
    CRect rcCaption, rcWindow;
    return IsBarVisible() && GetBarCaptionRect(rcCaption, rcWindow) && !rcCaption.IsRectEmpty();
}

void CExtBarNcAreaButton::Reposition(CExtBarNcAreaButton* pPrevShown) {
    CRect rcCaption, rcWindow;
    bool bHorz = false;
    m_rc.SetRectEmpty();
    if (!GetBarCaptionRect(rcCaption, rcWindow, &bHorz) || rcCaption.IsRectEmpty())
        return;
    m_rc = rcCaption;
    if (bHorz) {
        m_rc.DeflateRect(2, 3);
        m_rc.left = m_rc.right - m_rc.Height();
        m_rc.OffsetRect(-1, 0);
        if (pPrevShown != NULL)
            m_rc.OffsetRect(pPrevShown->m_rc.left - 3 - m_rc.right, 0);
    } else {
        m_rc.DeflateRect(3, 2);
        m_rc.bottom = m_rc.top + m_rc.Width();
        m_rc.OffsetRect(0, 1);
        if (pPrevShown != NULL)
            m_rc.OffsetRect(0, pPrevShown->m_rc.bottom + 3 - m_rc.top);
    }
}

void CExtBarNcAreaButton::Paint(CDC&) {}

void CExtBarNcAreaButton::PaintGlyph(CDC& dc, int eGlyph) {
    if (m_rc.IsRectEmpty())
        return;
    const bool bMenuTracked = CExtPopupMenuWnd::IsAnyMenuTracked();
    const bool bEnabled = (m_nState & stateDisabled) == 0;
    const bool bForMenu = (m_nState & stateForMenu) != 0;
    const bool bHover = bEnabled && (m_nState & stateHover) != 0 && !bMenuTracked && !bForMenu;
    const bool bPushed = bEnabled && (m_nState & statePressed) != 0 && !bMenuTracked && !bForMenu;
    // the record's last three states: the resizable look (a tool bar's button drawn for its open
    // menu looks like a resizable bar's), the bar is active, the bar floats
    CExtPaintManager::CaptionButtonPaintData data(this, m_rc, eGlyph, bHover, bPushed, bEnabled,
                                                  !(IsBarFixedSize() && !bForMenu), IsBarActive(), IsBarFloating());
    g_PaintManager->PaintCaptionButton(dc, data);
}

UINT CExtBarNcAreaButton::HitTest(const CPoint& point) {
    if (m_rc.PtInRect(point)) {
        m_nState |= stateHover;
        if (MouseButtonsForPress())
            m_nState |= statePressed;
        else
            m_nState &= ~statePressed;
        return HTNOWHERE;
    }
    m_nState &= ~(stateHover | statePressed);
    return HTCLIENT;
}

HCURSOR CExtBarNcAreaButton::GetCursor(const CPoint& point) const {
    static HCURSOR s_hArrow = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    return m_rc.PtInRect(point) ? s_hArrow : NULL;
}

bool CExtBarNcAreaButton::Click(const CPoint& point) { return m_rc.PtInRect(point) != FALSE; }

UINT CExtBarNcAreaButton::HitTestButton(const CPoint& point) {
    return CExtBarNcAreaButton::HitTest(point) == HTCLIENT ? HTCLIENT : HTMINBUTTON;
}

bool CExtBarNcAreaButton::TakeClick(const CPoint& point) {
    if (!m_rc.PtInRect(point))
        return false;
    m_nState &= ~(stateHover | statePressed);
    return true;
}

INT_PTR CExtBarNcAreaButton::FillToolInfo(const CPoint&, TOOLINFOA*) { return -1; }

INT_PTR CExtBarNcAreaButton::FillTip(const CPoint&, TOOLINFOA* pTI, UINT nStringID, LPCTSTR lpszDefault) {
    if (pTI == NULL || m_pBar == NULL || m_pBar->GetSafeHwnd() == NULL)
        return -1;
    const CString strText = LibraryString(nStringID, lpszDefault);
    CRect rcCaption, rcWindow;
    GetBarCaptionRect(rcCaption, rcWindow);
    CRect rc(m_rc);
    rc.OffsetRect(rcWindow.TopLeft());
    m_pBar->ScreenToClient(&rc);
    pTI->rect = rc;
    pTI->uId = (UINT_PTR)m_pBar->GetDlgCtrlID();
    pTI->hwnd = m_pBar->m_hWnd;
    // the caller of the tool hit test frees the text
    char* psz = static_cast<char*>(malloc(strText.GetLength() + 1));
    if (psz != NULL) {
        memcpy(psz, (LPCTSTR)strText, strText.GetLength() + 1);
        pTI->lpszText = psz;
    } else {
        pTI->lpszText = LPSTR_TEXTCALLBACKA;
    }
    return (INT_PTR)m_pBar->GetDlgCtrlID();
}

// ---- Expand ---------------------------------------------------------------------------------------

bool CExtBarNcAreaButtonExpand::IsShown() const {
    return CExtBarNcAreaButton::IsShown() && !IsBarFixedSize() && !IsBarFloating();
}

void CExtBarNcAreaButtonExpand::Paint(CDC& dc) {
    if (m_pBar->IsSingleInRow(false, false))
        m_nState |= stateDisabled;
    else
        m_nState &= ~stateDisabled;
    const bool bOnly = m_pBar->IsOnlyExpandedInRow();
    if (m_pBar->IsDockedHorizontally())
        PaintGlyph(dc, bOnly ? CExtPaintManager::ArrowRight : CExtPaintManager::ArrowLeft);
    else
        PaintGlyph(dc, bOnly ? CExtPaintManager::ArrowDown : CExtPaintManager::ArrowUp);
}

UINT CExtBarNcAreaButtonExpand::HitTest(const CPoint& point) {
    // a bar alone in its row has nothing to expand or contract: the button shows, not reacts
    const UINT nHit = HitTestButton(point);
    return nHit != HTCLIENT && m_pBar->IsSingleInRow(false, false) ? HTCLIENT : nHit;
}

bool CExtBarNcAreaButtonExpand::Click(const CPoint& point) {
    if (!TakeClick(point))
        return false;
    if (!m_pBar->IsSingleInRow(false, false)) {
        if (m_pBar->IsOnlyExpandedInRow()) {
            m_pBar->MinimizeInRow();
        } else {
            m_pBar->MaximizeInRow();
            m_pBar->SetFocus();
        }
    } else if (!IsBarActive()) {
        m_pBar->SetFocus();
    }
    return true;
}

INT_PTR CExtBarNcAreaButtonExpand::FillToolInfo(const CPoint& point, TOOLINFOA* pTI) {
    if (m_pBar != NULL && m_pBar->IsOnlyExpandedInRow())
        return FillTip(point, pTI, 30047, "Contract");
    return FillTip(point, pTI, 30046, "Expand");
}

// ---- Close ----------------------------------------------------------------------------------------

bool CExtBarNcAreaButtonClose::IsShown() const {
    return CExtBarNcAreaButton::IsShown() && (!IsBarFixedSize() || IsBarFloating());
}

void CExtBarNcAreaButtonClose::Paint(CDC& dc) { PaintGlyph(dc, CExtPaintManager::Close); }

UINT CExtBarNcAreaButtonClose::HitTest(const CPoint& point) {
    return HitTestButton(point);
}

bool CExtBarNcAreaButtonClose::Click(const CPoint& point) {
    if (!TakeClick(point))
        return false;
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(m_pBar);
    if (pFrame != NULL)
        pFrame->ShowControlBar(m_pBar, FALSE, FALSE);
    return true;
}

INT_PTR CExtBarNcAreaButtonClose::FillToolInfo(const CPoint& point, TOOLINFOA* pTI) {
    return FillTip(point, pTI, 30048, "Hide");
}

// ---- Menu -----------------------------------------------------------------------------------------

bool CExtBarNcAreaButtonMenu::IsShown() const {
    return CExtBarNcAreaButton::IsShown() && IsBarFixedSize() && IsBarFloating();
}

void CExtBarNcAreaButtonMenu::Paint(CDC& dc) { PaintGlyph(dc, CExtPaintManager::ArrowDown); }

UINT CExtBarNcAreaButtonMenu::HitTest(const CPoint& point) {
    return HitTestButton(point);
}

bool CExtBarNcAreaButtonMenu::Click(const CPoint& point) {
    m_nState &= ~(stateHover | statePressed);
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(m_pBar);
    if (CExtControlBar::IsFrameInHelpMode(pFrame != NULL ? static_cast<CWnd*>(pFrame) : m_pBar))
        return true;   // handled: in context-help mode the click only asks for help
    if (!m_rc.PtInRect(point) || pFrame == NULL)
        return false;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->CreatePopupMenu(pFrame->m_hWnd)) {
        delete pPopup;
        return false;
    }
    CExtControlBar::POPUP_MENU_EVENT_DATA data(eventMenuButton, pPopup, m_pBar, CPoint(-1, -1), WM_NCLBUTTONDOWN);
    if (!data.NotifyTarget(true)) {
        CExtPopupMenuWnd* pBars = new CExtPopupMenuWnd;
        if (pBars->CreatePopupMenu(pFrame->m_hWnd) &&
            CExtControlBar::FillBarsContextMenu(pFrame, pBars, eventMenuButtonBars, m_pBar, WM_NCLBUTTONDOWN, 0) &&
            pBars->GetItemCount() > 0) {
            pPopup->InsertSubMenu(pBars, -1, LibraryString(30009, "&Show/hide panels"));
        } else {
            delete pBars;   // nothing to list: no item
        }
    }
    data.NotifyTarget(false);
    if (pPopup->GetItemCount() == 0) {
        delete pPopup;
        return false;
    }
    CRect rcCaption, rcWindow;
    GetBarCaptionRect(rcCaption, rcWindow);
    CRect rcAnchor(m_rc);
    rcAnchor.OffsetRect(rcWindow.TopLeft());
    rcAnchor.InflateRect(1, 1);
    const CPoint pt(rcAnchor.left + rcAnchor.Width() / 2, rcAnchor.top + rcAnchor.Height() / 2);
    pFrame->SetFocus();
    if (!pPopup->TrackPopupMenu(0x824, pt.x, pt.y, &rcAnchor, this, PaintForMenu, NULL, true)) {
        delete pPopup;
        return false;
    }
    return true;
}

bool CExtBarNcAreaButtonMenu::PaintForMenu(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea) {
    CExtBarNcAreaButtonMenu* pThis = static_cast<CExtBarNcAreaButtonMenu*>(pCookie);
    if (pThis == NULL || rcArea.IsRectEmpty() || wndPopup.GetSafeHwnd() == NULL)
        return false;
    CRect rcCaption, rcWindow;
    pThis->GetBarCaptionRect(rcCaption, rcWindow);
    CPoint ptPopup(0, 0);
    ::ClientToScreen(wndPopup.m_hWnd, &ptPopup);
    const CPoint ptOld = dc.GetViewportOrg();
    dc.SetViewportOrg(ptOld + (rcWindow.TopLeft() - ptPopup));
    pThis->m_nState |= stateForMenu;
    pThis->Paint(dc);
    pThis->m_nState &= ~stateForMenu;
    dc.SetViewportOrg(ptOld);
    return true;
}

INT_PTR CExtBarNcAreaButtonMenu::FillToolInfo(const CPoint& point, TOOLINFOA* pTI) {
    return FillTip(point, pTI, 30049, "Options");
}
