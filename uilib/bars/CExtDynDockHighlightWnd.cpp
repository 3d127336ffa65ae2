#include "CExtDynDockHighlightWnd.h"
#include "CExtControlBar.h"
#include "CExtDynDockMarkerWnd.h"
#include "CExtPaintManagerHolder.h"
#include "ExtDockMarkerSet.h"
#include <algorithm>

IMPLEMENT_DYNAMIC(CExtDynDockHighlightWnd, CWnd)

const char CExtDynDockHighlightWnd::kClassName[] = "OrvelUI-DynDockHighlightWnd";

namespace {

bool RegisterHighlightClass() {
    static const bool bRegistered =
        CExtControlBar::RegisterLibraryWindowClass(CExtDynDockHighlightWnd::kClassName, CS_GLOBALCLASS);
    return bRegistered;
}

}  // namespace

bool CExtDynDockHighlightWnd::CalcArea(int nSide, bool bHasTarget, bool bTargetIsBar, const CRect& rcTarget,
                                       const CRect* prcFrameMarkers, int nFrameMarkers, CSize sizeExtent,
                                       CRect& rcArea) {
    if (nSide < 0 || nSide > 3)
        return false;
    CRect A;
    if (bHasTarget && bTargetIsBar) {
        A = rcTarget;
        switch (nSide) {
        case 0: A.bottom = A.top + A.Height() / 2; break;
        case 1: A.top = A.bottom - A.Height() / 2; break;
        case 2: A.right = A.left + A.Width() / 2; break;
        default: A.left = A.right - A.Width() / 2; break;
        }
        rcArea = A;
        return !A.IsRectEmpty();
    }
    if (bHasTarget) {
        A = rcTarget;
    } else {
        // the area the four frame markers stand round
        if (prcFrameMarkers == NULL || nFrameMarkers != 4)
            return false;
        A.SetRect(prcFrameMarkers[2].left, prcFrameMarkers[0].top, prcFrameMarkers[3].right, prcFrameMarkers[1].bottom);
    }
    const int kMin = ExtDockMarkerSet::kMinHighlight;
    const int cy = std::max(kMin, (int)sizeExtent.cy), cx = std::max(kMin, (int)sizeExtent.cx);
    switch (nSide) {
    case 0: A.bottom = std::min(A.bottom, A.top + cy); break;
    case 1: A.top = std::max(A.top, A.bottom - cy); break;
    case 2: A.right = std::min(A.right, A.left + cx); break;
    default: A.left = std::max(A.left, A.right - cx); break;
    }
    rcArea = A;
    return !A.IsRectEmpty();
}

CExtDynDockHighlightWnd::CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker) : m_pMarker(pMarker) {
    CExtControlBar* pBar = CExtControlBar::GetCurrentDragBar();
    if (pMarker == NULL || pBar == NULL)
        return;
    const HWND hTarget = pMarker->GetTargetWindow();
    if (hTarget != NULL && !::IsWindow(hTarget))
        return;
    CRect rcTarget(0, 0, 0, 0);
    if (hTarget != NULL)
        ::GetWindowRect(hTarget, &rcTarget);
    const bool bTargetIsBar = hTarget != NULL && DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hTarget)) != NULL;
    CExtDynDockMarkerWnd::Array& frame = ExtDockMarkerSet::FrameMarkers();
    CRect rcFrame[4];
    const int nFrame = (int)frame.GetSize();
    for (int i = 0; i < 4 && i < nFrame; i++)
        frame[i]->GetWindowRect(&rcFrame[i]);
    CRect A;
    if (!CalcArea(pMarker->GetSide(), hTarget != NULL, bTargetIsBar, rcTarget, rcFrame, nFrame,
                  CSize(pBar->m_sizeDockedV.cx, pBar->m_sizeDockedH.cy), A))
        return;
    const HWND hOwner = CExtDynDockMarkerWnd::GetSharedOwner();
    if (hOwner == NULL || !RegisterHighlightClass())
        return;
    if (!CreateEx(WS_EX_TOPMOST, kClassName, "", WS_POPUP, A.left, A.top, A.Width(), A.Height(), hOwner, NULL))
        return;
    // the screen under the area, taken while this window is still hidden
    Capture(A);
    ::SetWindowPos(m_hWnd, hOwner, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
}

CExtDynDockHighlightWnd::~CExtDynDockHighlightWnd() {
    if (m_hWnd != NULL)
        DestroyWindow();
}

void CExtDynDockHighlightWnd::Capture(const CRect& rc) {
    const int cx = rc.Width(), cy = rc.Height();
    if (cx <= 0 || cy <= 0)
        return;
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    HDC hScreen = ::GetDC(NULL);
    if (hScreen == NULL)
        return;
    void* pBits = NULL;
    HBITMAP hDib = ::CreateDIBSection(hScreen, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    HDC hMem = hDib != NULL ? ::CreateCompatibleDC(hScreen) : NULL;
    if (hMem != NULL) {
        HGDIOBJ hOld = ::SelectObject(hMem, hDib);
        ::BitBlt(hMem, 0, 0, cx, cy, hScreen, rc.left, rc.top, SRCCOPY);
        ::GdiFlush();
        ::SelectObject(hMem, hOld);
        ::DeleteDC(hMem);
        g_PaintManager->PaintDockMarker(static_cast<DWORD*>(pBits), cx, cy, false, CRect(0, 0, cx, cy),
                                        CRect(0, 0, 0, 0), (COLORREF)-1, (COLORREF)-1, 2);
        m_bmpCaptured.Attach(hDib);
    } else if (hDib != NULL) {
        ::DeleteObject(hDib);
    }
    ::ReleaseDC(NULL, hScreen);
}

LRESULT CExtDynDockHighlightWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE:
        return 0;
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATEANDEAT;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = ::BeginPaint(m_hWnd, &ps);
        CRect rc;
        GetClientRect(&rc);
        if (hdc != NULL && !rc.IsRectEmpty() && m_bmpCaptured.GetSafeHandle() != NULL) {
            HDC hMem = ::CreateCompatibleDC(hdc);
            if (hMem != NULL) {
                HGDIOBJ hOld = ::SelectObject(hMem, m_bmpCaptured.GetSafeHandle());
                ::BitBlt(hdc, 0, 0, rc.Width(), rc.Height(), hMem, 0, 0, SRCCOPY);
                ::SelectObject(hMem, hOld);
                ::DeleteDC(hMem);
            }
        }
        ::EndPaint(m_hWnd, &ps);
        return 0;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
