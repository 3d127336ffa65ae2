#include "CDockContext.h"
#include "CControlBar.h"
#include "CDockBar.h"

CDockContext::CDockContext(CControlBar* pBar)
    : m_pBar(pBar), m_pDockSite(pBar->m_pDockSite), m_uMRUDockID(0), m_rectMRUDockPos(0, 0, 0, 0),
      m_dwMRUFloatStyle(CBRS_ALIGN_TOP), m_ptMRUFloatPos(0, 0)
{
    // a bar that never floated starts where it stands
    if (pBar->m_hWnd != NULL) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        m_ptMRUFloatPos = rect.TopLeft();
    }
}

void CDockContext::ToggleDocking()
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    if (pDockSite == NULL)
        return;
    if (m_pBar->IsFloating()) {
        CRect rect = m_rectMRUDockPos;
        pDockSite->DockControlBar(m_pBar, m_uMRUDockID, rect.IsRectEmpty() ? NULL : &rect);
        pDockSite->RecalcLayout();
    } else {
        // FloatControlBar notes where the bar was docked
        pDockSite->FloatControlBar(m_pBar, m_ptMRUFloatPos, m_dwMRUFloatStyle);
    }
}

// ---- Dragging and sizing with the mouse -----------------------------------------------------------

namespace {

// Follows the mouse with the capture on hWnd until the left button goes up (TRUE, ptEnd the
// release point on the screen) or something cancels. A quit ends it and is posted again.
BOOL TrackMouse(HWND hWnd, CPoint ptStart, CPoint& ptEnd)
{
    ptEnd = ptStart;
    if (hWnd == NULL || !::IsWindow(hWnd))
        return FALSE;
    ::SetCapture(hWnd);
    BOOL bDone = FALSE, bEnded = FALSE;
    while (!bEnded) {
        MSG msg;
        if (!::GetMessageA(&msg, NULL, 0, 0)) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (!::IsWindow(hWnd) || ::GetCapture() != hWnd)
            bEnded = TRUE;
        switch (msg.message) {
        case WM_LBUTTONUP:
            ptEnd = msg.pt;
            bDone = bEnded = TRUE;
            break;
        case WM_MOUSEMOVE:
            ptEnd = msg.pt;
            break;
        case WM_KEYDOWN:
            if (msg.wParam == VK_ESCAPE)
                bEnded = TRUE;
            break;
        case WM_RBUTTONDOWN:
        case WM_CANCELMODE:
            bEnded = TRUE;
            break;
        default:
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            break;
        }
    }
    if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    return bDone;
}

}  // namespace

BOOL CDockContext::StartDrag(CPoint pt)
{
    CFrameWnd* pDockSite = m_pBar->m_pDockSite != NULL ? m_pBar->m_pDockSite : m_pDockSite;
    CPoint ptEnd;
    if (pDockSite == NULL || !TrackMouse(m_pBar->m_hWnd, pt, ptEnd))
        return FALSE;
    const CSize delta = ptEnd - pt;
    if (delta == CSize(0, 0))
        return TRUE;
    CRect rect;
    if (m_pBar->IsFloating())
        m_pBar->m_pDockBar->GetParent()->GetWindowRect(&rect);
    else
        m_pBar->GetWindowRect(&rect);
    const DWORD dwStyle = m_pBar->IsFloating() ? m_dwMRUFloatStyle : (m_pBar->m_dwStyle & CBRS_ORIENT_HORZ ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
    pDockSite->FloatControlBar(m_pBar, rect.TopLeft() + delta, dwStyle);
    return TRUE;
}

BOOL CDockContext::StartResize(int nHitTest, CPoint pt)
{
    if (!m_pBar->IsFloating() || nHitTest < HTLEFT || nHitTest > HTBOTTOMRIGHT)
        return FALSE;
    CPoint ptEnd;
    if (!TrackMouse(m_pBar->m_hWnd, pt, ptEnd))
        return FALSE;
    CRect rect;
    m_pBar->GetWindowRect(&rect);
    const CSize delta = ptEnd - pt;
    const bool bVert = nHitTest == HTTOP || nHitTest == HTBOTTOM;
    const bool bFromStart = nHitTest == HTLEFT || nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT;
    int nLength = bVert ? rect.Height() : rect.Width();
    const int nDelta = bVert ? delta.cy : delta.cx;
    nLength += bFromStart ? -nDelta : nDelta;
    m_pBar->CalcDynamicLayout(nLength > 0 ? nLength : 1, bVert ? (LM_HORZ | LM_LENGTHY | LM_COMMIT) : (LM_HORZ | LM_COMMIT));
    if (CFrameWnd* pMini = m_pBar->GetParentFrame())
        pMini->RecalcLayout();
    return TRUE;
}
