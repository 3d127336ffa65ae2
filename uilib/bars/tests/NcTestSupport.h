// Helpers of the bar frame and loop tests: panels with a caption, rows set by hand, points of
// a bar's window in screen coordinates, and raw mouse input at a point (for presses that start
// a modal loop, whose rest is sent from a script's steps).
#pragma once
#include "BarsFixture.h"
#include "CExtBarNcAreaButton.h"
#include <initializer_list>

namespace barstest {

// A panel with a caption (CBRS_GRIPPER), of the given sizes docked in a row and in a column.
inline ColourPanel* CaptionPanel(Docking& d, UINT nID, LPCTSTR lpszName, COLORREF clr, CSize sizeH = CSize(200, 100),
                                 CSize sizeV = CSize(100, 200)) {
    ColourPanel* p = d.AddPanel(nID, lpszName, clr);
    p->m_dwStyle |= CBRS_GRIPPER;
    p->m_sizeDockedH = sizeH;
    p->m_sizeDockedV = sizeV;
    return p;
}

// Sets the dock bar's rows: NULL ends a row (the last row is ended for you).
inline void SetRows(CDockBar* pDock, std::initializer_list<CControlBar*> bars) {
    for (CControlBar* p : bars)
        if (p != NULL && p->m_pDockBar != pDock)
            pDock->DockControlBar(p);
    pDock->m_arrBars.RemoveAll();
    pDock->m_arrBars.Add(NULL);
    for (CControlBar* p : bars)
        pDock->m_arrBars.Add(p);
    if (pDock->m_arrBars[pDock->m_arrBars.GetSize() - 1] != NULL)
        pDock->m_arrBars.Add(NULL);
}

// A rectangle of the bar's window (relative to its top-left corner) in screen coordinates.
inline CRect ScreenRect(CWnd* pWnd, const CRect& rcRel) {
    CRect rcWindow;
    pWnd->GetWindowRect(&rcWindow);
    CRect rc(rcRel);
    rc.OffsetRect(rcWindow.TopLeft());
    return rc;
}

// The client rectangle relative to the window's top-left corner.
inline CRect ClientInWindow(CWnd* pWnd) {
    CRect rcWindow, rcClient;
    pWnd->GetWindowRect(&rcWindow);
    pWnd->GetClientRect(&rcClient);
    pWnd->ClientToScreen(&rcClient);
    rcClient.OffsetRect(-rcWindow.TopLeft());
    return rcClient;
}

inline UINT NcHit(CWnd* pWnd, POINT ptScreen) {
    return (UINT)pWnd->SendMessage(WM_NCHITTEST, 0, MAKELPARAM(ptScreen.x, ptScreen.y));
}

// Mouse input at a screen point, sent without waiting (flags: MOUSEEVENTF_*DOWN/UP, 0 a move).
inline void MouseAt(POINT pt, DWORD dwFlags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

inline bool ButtonsUp() {
    return (::GetAsyncKeyState(VK_LBUTTON) & 0x8000) == 0 && (::GetAsyncKeyState(VK_RBUTTON) & 0x8000) == 0 &&
           (::GetAsyncKeyState(VK_MBUTTON) & 0x8000) == 0;
}

// The shown button of the bar of this kind, or NULL.
template <class T>
T* ShownButton(CExtControlBar* pBar) {
    for (INT_PTR i = 0; i < pBar->GetCaptionButtonCount(); i++) {
        T* p = dynamic_cast<T*>(pBar->GetCaptionButton(i));
        if (p != NULL && p->IsShown())
            return p;
    }
    return NULL;
}

}  // namespace barstest
