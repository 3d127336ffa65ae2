// Drop-marker windows.
#include "CExtDynDockMarkerWnd.h"

IMPLEMENT_DYNAMIC(CExtDynDockMarkerWnd, CWnd)

const char CExtDynDockMarkerWnd::kClassName[] = "OrvelUI-DynDockMarker";

namespace {

const char kOwnerClassName[] = "OrvelUI-DynDockMarkerOwner";

bool RegisterClasses() {
    static const bool bRegistered = [] {
        WNDCLASSA wc = {};
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

HWND CExtDynDockMarkerWnd::GetSharedOwner() {
    static HWND hOwner = NULL;
    if (hOwner == NULL || !::IsWindow(hOwner)) {
        hOwner = RegisterClasses()
                     ? ::CreateWindowExA(0, kOwnerClassName, "", WS_POPUP, 0, 0, 0, 0,
                                         ::GetDesktopWindow(), NULL, AfxGetInstanceHandle(), NULL)
                     : NULL;
    }
    return hOwner;
}

CExtDynDockMarkerWnd::CExtDynDockMarkerWnd(CWnd* pWndOwner, int eKind, HBITMAP hBmpActive,
                                           HBITMAP hBmpIdle, HRGN hRgn, const RECT& rc)
    : m_pWndOwner(pWndOwner),
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
    if (m_hWnd != NULL)
        DestroyWindow();
    for (HGDIOBJ h : {(HGDIOBJ)m_hBmpActive, (HGDIOBJ)m_hBmpIdle, (HGDIOBJ)m_hRgn})
        if (h != NULL)
            ::DeleteObject(h);
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
    POINT pt;
    if (!::GetCursorPos(&pt))
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    bool bOver = rcWindow.PtInRect(pt) != FALSE;
    if (bOver) {
        HRGN hShape = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetWindowRgn(m_hWnd, hShape) != ERROR)
            bOver = ::PtInRegion(hShape, pt.x - rcWindow.left, pt.y - rcWindow.top) != FALSE;
        ::DeleteObject(hShape);
    }
    SetHighlighted(bOver);
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
        return MA_NOACTIVATE;
    case WM_TIMER:
        if (wParam == kTimerId) {
            TrackCursor();
            return 0;
        }
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
