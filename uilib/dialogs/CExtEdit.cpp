// Edit with the painter's border and hover (see CExtEdit.h).
#include "CExtEdit.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"

IMPLEMENT_DYNCREATE(CExtEdit, CExtEditBase)

BEGIN_MESSAGE_MAP(CExtEdit, CExtEditBase)
    ON_WM_MOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_WM_NCPAINT()
END_MESSAGE_MAP()

CExtEdit::CExtEdit() : m_nEditState(0)
{
}

CExtEdit::~CExtEdit()
{
}

bool CExtEdit::IsControlEnabled()
{
    // no window of the program hosts controls in a design mode: the window's own state
    return m_hWnd != NULL && ::IsWindowEnabled(m_hWnd);
}

void CExtEdit::RepaintFrame()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd))
        ::RedrawWindow(m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_FRAME);
}

void CExtEdit::StopHoverTracking(bool bRepaint)
{
    if (m_nEditState & STATE_TIMER) {
        if (m_hWnd != NULL)
            ::KillTimer(m_hWnd, HOVER_TIMER_ID);
        m_nEditState &= ~STATE_TIMER;
    }
    if (m_nEditState & STATE_HOVER) {
        m_nEditState &= ~STATE_HOVER;
        if (bRepaint)
            RepaintFrame();
    }
}

void CExtEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    if (CExtPopupMenuWnd::AreWindowsInSameTopLevel(m_hWnd, ::GetActiveWindow(), true, true, true)) {
        if (::SetTimer(m_hWnd, HOVER_TIMER_ID, HOVER_TIMER_PERIOD, NULL) != 0)
            m_nEditState |= STATE_TIMER;
    }
    CExtEditBase::OnMouseMove(nFlags, point);
}

void CExtEdit::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != HOVER_TIMER_ID) {
        CExtEditBase::OnTimer(nIDEvent);
        return;
    }
    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    if (!::IsWindowVisible(m_hWnd)) {
        // nothing to hover over until it shows again, and the next move restarts the timer
        StopHoverTracking(false);
        return;
    }
    const bool bWasHover = IsHover();
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (rcWindow.PtInRect(pt)) {
        if (::WindowFromPoint(pt) == m_hWnd)
            m_nEditState |= STATE_HOVER;
    } else {
        ::KillTimer(m_hWnd, HOVER_TIMER_ID);
        m_nEditState &= ~(STATE_TIMER | STATE_HOVER);
    }
    if (bWasHover != IsHover())
        RepaintFrame();
}

void CExtEdit::OnSetFocus(CWnd* pOldWnd)
{
    HWND hWnd = m_hWnd;
    CExtEditBase::OnSetFocus(pOldWnd);
    // the parent may have destroyed the edit on its focus notification
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        RepaintFrame();
}

void CExtEdit::OnKillFocus(CWnd* pNewWnd)
{
    HWND hWnd = m_hWnd;
    CExtEditBase::OnKillFocus(pNewWnd);
    if (::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == this)
        RepaintFrame();
}

void CExtEdit::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rcClient, rcWindow;
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    GetWindowRect(&rcWindow);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    dc.ExcludeClipRect(&rcClient);
    CExtMemoryDC dcMem(&dc, &rcWindow, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
    rcWindow.DeflateRect(3, 3);
    PaintFrame(rcWindow, &dcMem);
}

void CExtEdit::PaintFrame(CRect rc, CDC* pDC)
{
    CWindowDC* pWindowDC = NULL;
    if (pDC == NULL) {
        pWindowDC = new CWindowDC(this);
        pDC = pWindowDC;
    }
    rc.DeflateRect(1, 1);
    const bool bFocus = ::GetFocus() == m_hWnd && !CExtPopupMenuWnd::IsAnyMenuTracked();
    CExtPaintManager::ControlFramePaintData data(this, rc, true, IsHover(), IsControlEnabled(), bFocus);
    g_PaintManager->PaintControlFrame(*pDC, data);
    delete pWindowDC;
}

LRESULT CExtEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SHOWWINDOW:
        if (!wParam)
            StopHoverTracking(false);
        break;
    case WM_WINDOWPOSCHANGED:
        if (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_HIDEWINDOW)
            StopHoverTracking(false);
        break;
    case WM_DESTROY:
        StopHoverTracking(false);
        break;
    default:
        break;
    }
    return CExtEditBase::WindowProc(message, wParam, lParam);
}
