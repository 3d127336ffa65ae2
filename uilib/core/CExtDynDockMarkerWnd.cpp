// Drop-marker windows.
#include "CExtDynDockMarkerWnd.h"
#include "ExtBarPaintQuery.h"

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)

const char CExtDynDockMarkerWnd::kClassName[] = "OrvelUI-DynDockMarker";
IExtDockMarkerSite* CExtDynDockMarkerWnd::g_pSite = NULL;

namespace {

const char kOwnerClassName[] = "OrvelUI-DynDockMarkerOwner";

bool RegisterClasses() {
    static const bool bRegistered = [] {
        WNDCLASSA wc = {};
        wc.style = CS_GLOBALCLASS;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = AfxGetInstanceHandle();
        wc.hCursor = ::LoadCursor(NULL, IDC_ARROW);
        wc.lpszClassName = CExtDynDockMarkerWnd::kClassName;
        WNDCLASSA wcOwner = wc;
        wcOwner.lpszClassName = kOwnerClassName;
        return AfxRegisterClass(&wc) && AfxRegisterClass(&wcOwner);
    }();
    return bRegistered;
}

}  // namespace

namespace {
HWND g_hSharedOwner = NULL;
}

void CExtDynDockMarkerWnd::DestroySharedOwner() {
    if (g_hSharedOwner != NULL && ::IsWindow(g_hSharedOwner))
        ::DestroyWindow(g_hSharedOwner);
    g_hSharedOwner = NULL;
}

HWND CExtDynDockMarkerWnd::GetSharedOwner() {
    if (g_hSharedOwner == NULL || !::IsWindow(g_hSharedOwner)) {
        g_hSharedOwner = RegisterClasses()
                     ? ::CreateWindowExA(WS_EX_TOPMOST, kOwnerClassName, "", WS_POPUP, 0, 0, 0, 0,
                                         ::GetDesktopWindow(), NULL, AfxGetInstanceHandle(), NULL)
                     : NULL;
    }
    return g_hSharedOwner;
}

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd(CWnd* pWndOwner, int eKind, HBITMAP hBmpActive,
                                           HBITMAP hBmpIdle, HRGN hRgn, const RECT& rc)
    : m_pWndOwner(pWndOwner),
      m_hWndTarget(pWndOwner != NULL ? pWndOwner->GetSafeHwnd() : NULL),
      m_eKind(eKind),
      m_hBmpActive(hBmpActive),
      m_hBmpIdle(hBmpIdle),
      m_hRgn(hRgn),
      m_bHighlighted(false) {
    HWND hOwner = GetSharedOwner();
    if (hOwner == NULL)
        return;
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, rc.left, rc.top, rc.right - rc.left,
                  rc.bottom - rc.top, hOwner, NULL))
        return;
    // the window owns the region from here on
    if (m_hRgn != NULL && ::SetWindowRgn(m_hWnd, m_hRgn, FALSE))
        m_hRgn = NULL;
    SetTimer(kTimerId, kTimerPeriod);
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CExtDynDockMarkerWnd::~CExtDynDockMarkerWnd() {
    ShowHighlight(false);
    if (m_hWnd != NULL)
        DestroyWindow();
    for (HGDIOBJ h : {(HGDIOBJ)m_hBmpActive, (HGDIOBJ)m_hBmpIdle, (HGDIOBJ)m_hRgn})
        if (h != NULL)
            ::DeleteObject(h);
}

DWORD CExtDynDockMarkerWnd::GetDropKind() const {
    const int nSide = GetSide();
    if (nSide < 0)
        return 0;
    if (m_hWndTarget == NULL)
        return 14 + nSide;
    const IExtBarPaintQuery* pQuery = ExtBarPaintQueryOf(CWnd::FromHandlePermanent(m_hWndTarget));
    return (pQuery != NULL && pQuery->IsControlBarKind() ? 22 : 18) + nSide;
}

bool CExtDynDockMarkerWnd::ShowHighlight(bool bShow) {
    if (m_pHighlight != NULL) {
        CWnd* pOld = m_pHighlight;
        m_pHighlight = NULL;
        if (pOld->GetSafeHwnd() != NULL)
            pOld->DestroyWindow();
        delete pOld;
    }
    if (!bShow)
        return true;
    if (!IsDropMarker() || g_pSite == NULL)
        return false;
    m_pHighlight = g_pSite->CreateHighlight(this);
    return m_pHighlight != NULL;
}

BOOL CExtDynDockMarkerWnd::DestroyWindow() {
    ShowHighlight(false);
    return CWnd::DestroyWindow();
}

void CExtDynDockMarkerWnd::SetHighlighted(bool bHighlighted) {
    if (m_bHighlighted == bHighlighted)
        return;
    m_bHighlighted = bHighlighted;
    if (m_hWnd != NULL)
        ::InvalidateRect(m_hWnd, NULL, FALSE);
}

void CExtDynDockMarkerWnd::DestroyMarkers(Array& arr) {
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtDynDockMarkerWnd* pWnd = arr[i];
        if (pWnd == NULL)
            continue;
        if (pWnd->GetSafeHwnd() != NULL)
            pWnd->DestroyWindow();
        delete pWnd;
    }
    arr.RemoveAll();
}

void CExtDynDockMarkerWnd::TrackCursor() {
    // markers live for a drag; outside one they do nothing
    if (g_pSite == NULL || !g_pSite->IsBarDragged())
        return;
    if (m_hWndTarget != NULL && !::IsWindow(m_hWndTarget)) {
        g_pSite->OnMarkerTargetGone(this);
        return;
    }
    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    const int nHover = ::WindowFromPoint(pt) == m_hWnd ? 1 : 2;
    if (nHover == m_nHover)
        return;
    m_nHover = nHover;
    if (nHover != 1)
        ShowHighlight(false);
    SetHighlighted(nHover == 1);
    if (m_hWnd != NULL)
        ::UpdateWindow(m_hWnd);
}

void CExtDynDockMarkerWnd::OnPaint() {
    PAINTSTRUCT ps;
    HDC hdc = ::BeginPaint(m_hWnd, &ps);
    HBITMAP hBitmap = m_bHighlighted ? m_hBmpActive : m_hBmpIdle;
    if (hdc != NULL && hBitmap != NULL) {
        HDC hdcMem = ::CreateCompatibleDC(hdc);
        HGDIOBJ hOld = ::SelectObject(hdcMem, hBitmap);
        CRect rc;
        GetClientRect(&rc);
        ::BitBlt(hdc, 0, 0, rc.Width(), rc.Height(), hdcMem, 0, 0, SRCCOPY);
        ::SelectObject(hdcMem, hOld);
        ::DeleteDC(hdcMem);
    }
    ::EndPaint(m_hWnd, &ps);
}

LRESULT CExtDynDockMarkerWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATEANDEAT;
    case WM_NCCALCSIZE:
        return 0;
    case WM_TIMER:
        if (wParam == kTimerId) {
            if (::IsWindowVisible(m_hWnd))
                TrackCursor();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
