// Static paint routines of CExtPaintManager: monitors, colour maths, screen depth, gradients,
// child-window clipping and paint-message pumping.
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"

// ---- monitors ------------------------------------------------------------------------------

void CExtPaintManager::GetMonitorParmsDefault(MonitorParms& mp) {
    ::GetWindowRect(::GetDesktopWindow(), &mp.m_rcMonitor);
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &mp.m_rcWorkArea, 0))
        mp.m_rcWorkArea = mp.m_rcMonitor;
    mp.m_bPrimaryMonitor = true;
}

static bool MonitorParmsFrom(CExtPaintManager::MonitorParms& mp, HMONITOR hMonitor) {
    if (hMonitor == NULL)
        return false;
    MONITORINFO mi;
    memset(&mi, 0, sizeof mi);
    mi.cbSize = sizeof mi;   // 40
    if (!::GetMonitorInfoA(hMonitor, &mi))
        return false;
    mp.m_rcMonitor = mi.rcMonitor;
    mp.m_rcWorkArea = mi.rcWork;
    mp.m_bPrimaryMonitor = (mi.dwFlags & MONITORINFOF_PRIMARY) != 0;
    return true;
}

void CExtPaintManager::GetMonitorParmsFromPoint(MonitorParms& mp, CPoint pt) {
    if (!MonitorParmsFrom(mp, ::MonitorFromPoint(pt, MONITOR_DEFAULTTONEAREST)))
        GetMonitorParmsDefault(mp);
}

void CExtPaintManager::GetMonitorParmsFromRect(MonitorParms& mp, const RECT& rc) {
    if (!MonitorParmsFrom(mp, ::MonitorFromRect(&rc, MONITOR_DEFAULTTONEAREST)))
        GetMonitorParmsDefault(mp);
}

void CExtPaintManager::GetMonitorParmsFromHwnd(MonitorParms& mp, HWND hWnd) {
    CRect rc(0, 0, 0, 0);
    if (hWnd != NULL)
        ::GetWindowRect(hWnd, &rc);
    GetMonitorParmsFromRect(mp, rc);
}

void CExtPaintManager::GetMonitorParmsFromWnd(MonitorParms& mp, CWnd* pWnd) {
    GetMonitorParmsFromHwnd(mp, pWnd->GetSafeHwnd());
}

CRect CExtPaintManager::FitRectToArea(const RECT& rect, const RECT& rcArea, bool bKeepInside) {
    CRect rc(rect);
    if (rc.left >= rcArea.right)
        rc.OffsetRect(rcArea.right - rc.right, 0);
    if (rc.top >= rcArea.bottom)
        rc.OffsetRect(0, rcArea.bottom - rc.bottom);
    if (rc.right <= rcArea.left)
        rc.OffsetRect(rcArea.left - rc.left, 0);
    if (rc.bottom <= rcArea.top)
        rc.OffsetRect(0, rcArea.top - rc.top);
    if (bKeepInside) {
        if (rc.right > rcArea.right)
            rc.OffsetRect(rcArea.right - rc.right, 0);
        if (rc.bottom > rcArea.bottom)
            rc.OffsetRect(0, rcArea.bottom - rc.bottom);
        if (rc.left < rcArea.left)
            rc.OffsetRect(rcArea.left - rc.left, 0);
        if (rc.top < rcArea.top)
            rc.OffsetRect(0, rcArea.top - rc.top);
    }
    return rc;
}

bool g_bUseWorkArea = true;

CRect CExtPaintManager::FitRectToMonitor(const RECT& rc, bool bUseWorkArea, bool bKeepInside) {
    MonitorParms mp;
    GetMonitorParmsFromRect(mp, rc);
    return FitRectToArea(rc, bUseWorkArea ? mp.m_rcWorkArea : mp.m_rcMonitor, bKeepInside);
}

// ---- colour maths --------------------------------------------------------------------------

COLORREF CExtPaintManager::InvertColor(COLORREF clr) {
    return RGB(255 - GetRValue(clr), 255 - GetGValue(clr), 255 - GetBValue(clr));
}

void CExtPaintManager::RgbToHsl(COLORREF clr, double& h, double& s, double& l) {
    const double r = GetRValue(clr) / 255.0, g = GetGValue(clr) / 255.0,
                 b = GetBValue(clr) / 255.0;
    const double mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const double mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
    l = (mx + mn) / 2.0;
    if (mx == mn) {
        h = s = 0.0;
        return;
    }
    const double d = mx - mn;
    s = l < 0.5 ? d / (mx + mn) : d / (2.0 - mx - mn);
    if (r == mx)
        h = (g - b) / d;
    else if (g == mx)
        h = 2.0 + (b - r) / d;
    else
        h = 4.0 + (r - g) / d;
    h /= 6.0;
    if (h < 0.0)
        h += 1.0;
}

double CExtPaintManager::HueToRgb(double m1, double m2, double h) {
    if (h < 0.0)
        h += 1.0;
    if (h > 1.0)
        h -= 1.0;
    if (6.0 * h < 1.0)
        return m1 + (m2 - m1) * h * 6.0;
    if (2.0 * h < 1.0)
        return m2;
    if (3.0 * h < 2.0)
        return m1 + (m2 - m1) * (2.0 / 3.0 - h) * 6.0;
    return m1;
}

COLORREF CExtPaintManager::HslToRgb(double h, double l, double s) {
    if (s == 0.0) {
        BYTE v = (BYTE)(l * 255.0);
        return RGB(v, v, v);
    }
    const double m2 = l <= 0.5 ? l * (1.0 + s) : l + s - l * s;
    const double m1 = 2.0 * l - m2;
    return RGB((BYTE)(HueToRgb(m1, m2, h + 1.0 / 3.0) * 255.0),
               (BYTE)(HueToRgb(m1, m2, h) * 255.0),
               (BYTE)(HueToRgb(m1, m2, h - 1.0 / 3.0) * 255.0));
}

static float HueToRgbDegrees(float m1, float m2, float h) {
    if (h > 360.0f)
        h -= 360.0f;
    if (h < 0.0f)
        h += 360.0f;
    float v;
    if (h < 60.0f)
        v = m1 + (m2 - m1) * h / 60.0f;
    else if (h < 180.0f)
        v = m2;
    else if (h < 240.0f)
        v = m1 + (m2 - m1) * (240.0f - h) / 60.0f;
    else
        v = m1;
    return v * 255.0f;
}

COLORREF CExtPaintManager::HslToRgbDegrees(float h, float l, float s) {
    if (s == 0.0f) {
        BYTE v = (BYTE)(l * 255.0f);
        return RGB(v, v, v);
    }
    const float m2 = l <= 0.5f ? l * (1.0f + s) : l + s - l * s;
    const float m1 = 2.0f * l - m2;
    return RGB((BYTE)HueToRgbDegrees(m1, m2, h + 120.0f), (BYTE)HueToRgbDegrees(m1, m2, h),
               (BYTE)HueToRgbDegrees(m1, m2, h - 120.0f));
}

static double ShiftComponent(double v, double d) {
    if (d > 0.0)
        v = v + (1.0 - v) * d;
    else if (d < 0.0)
        v = v * (1.0 + d);
    return v < 0.0 ? 0.0 : v > 1.0 ? 1.0 : v;
}

COLORREF CExtPaintManager::AdjustColorHsl(COLORREF clr, double dH, double dL, double dS) {
    double h, s, l;
    RgbToHsl(clr, h, s, l);
    h = ShiftComponent(h, dH);
    l = ShiftComponent(l, dL);
    s = ShiftComponent(s, dS);
    return HslToRgb(h, l, s);
}

int CExtPaintManager::GetScreenBitsPerPixel() {
    HDC hdc = ::GetDC(NULL);
    int n = hdc != NULL ? ::GetDeviceCaps(hdc, BITSPIXEL) : 0;
    if (hdc != NULL)
        ::ReleaseDC(NULL, hdc);
    return n;
}

// ---- gradients -----------------------------------------------------------------------------

UINT CExtPaintManager::GradientBandCount(int nExtent, UINT nSteps, bool bLowColor) {
    if (nExtent <= 0)
        return 0;
    UINT n = nSteps;
    if (n > (UINT)nExtent)
        n = (UINT)nExtent;
    if (bLowColor && n > 0 && (UINT)nExtent / n < 4)
        n = (UINT)nExtent / 4;
    // A narrow rectangle, a low-colour one below 4 pixels or a step count of 0 would leave no
    // band at all (and a division by zero below): one band of the first colour then.
    return n < 1 ? 1 : n;
}

void CExtPaintManager::FillGradientRect(CDC& dc, const RECT& rect, COLORREF clr1,
                                        COLORREF clr2, bool bVertical, UINT nSteps) {
    CRect rc(rect);
    if (g_PaintManager.m_pfnGradientFill != NULL && g_PaintManager.IsWinNT()) {
        COLORREF c1 = bVertical ? clr2 : clr1, c2 = bVertical ? clr1 : clr2;
        TRIVERTEX v[2];
        v[0].x = rc.left;
        v[0].y = rc.top;
        v[0].Red = (COLOR16)(GetRValue(c1) << 8);
        v[0].Green = (COLOR16)(GetGValue(c1) << 8);
        v[0].Blue = (COLOR16)(GetBValue(c1) << 8);
        v[0].Alpha = 0;
        v[1].x = rc.right;
        v[1].y = rc.bottom;
        v[1].Red = (COLOR16)(GetRValue(c2) << 8);
        v[1].Green = (COLOR16)(GetGValue(c2) << 8);
        v[1].Blue = (COLOR16)(GetBValue(c2) << 8);
        v[1].Alpha = 0;
        GRADIENT_RECT gr = {0, 1};
        g_PaintManager.m_pfnGradientFill(dc.GetSafeHdc(), v, 2, &gr, 1,
                                         bVertical ? GRADIENT_FILL_RECT_V : GRADIENT_FILL_RECT_H);
        return;
    }
    if (rc.IsRectEmpty())
        return;
    const bool bLowColor = dc.GetDeviceCaps(BITSPIXEL) <= 8;
    const int nExtent = bVertical ? rc.Height() : rc.Width();
    const int n = (int)GradientBandCount(nExtent, nSteps, bLowColor);
    CRect rcBand(rc);
    int nPrev = bVertical ? rc.bottom : rc.left;
    for (int i = 0; i < n; i++) {
        const COLORREF clr = RGB((GetRValue(clr1) * (n - i) + GetRValue(clr2) * i) / n,
                                 (GetGValue(clr1) * (n - i) + GetGValue(clr2) * i) / n,
                                 (GetBValue(clr1) * (n - i) + GetBValue(clr2) * i) / n);
        if (bVertical) {
            rcBand.bottom = nPrev;
            rcBand.top = (i == n - 1) ? rc.top : rc.bottom - ::MulDiv(i, rc.Height(), n) - 1;
            if (rcBand.top > rcBand.bottom)
                break;
            nPrev = rcBand.top;
        } else {
            rcBand.left = nPrev;
            rcBand.right = (i == n - 1) ? rc.right : rc.left + ::MulDiv(i, rc.Width(), n) + 1;
            if (rcBand.left > rcBand.right)
                break;
            nPrev = rcBand.right;
        }
        if (bLowColor) {
            CBrush br;
            br.CreateSolidBrush(clr);
            dc.FillRect(&rcBand, &br);
        } else {
            dc.FillSolidRect(&rcBand, clr);
        }
    }
}

// ---- windows and messages ------------------------------------------------------------------

bool CExtPaintManager::IsTransparentChildControl(HWND hWnd) {
    char szClass[64] = "";
    if (hWnd == NULL || ::GetClassNameA(hWnd, szClass, (int)sizeof szClass) <= 0)
        return false;
    CString strClass(szClass);
    strClass.MakeLower();
    if (strClass == "static" || strClass == "systabcontrol32" || strClass == "msctls_trackbar32")
        return true;
    if (strClass == "button") {
        if (g_PaintManager.m_nUxThemeFlags & CExtPaintManagerHolder::UxTaskbandColors)
            return true;
        LONG nType = ::GetWindowLongA(hWnd, GWL_STYLE) & 15;
        return nType <= 7 || nType == 9;
    }
    return false;
}

bool CExtPaintManager::IsTransparentChildControl(CDC*, HWND, HWND hWndChild, LPVOID) {
    return IsTransparentChildControl(hWndChild);
}

void CExtPaintManager::ExcludeChildAreas(CDC* pDC, HWND hWndParent, ChildFilter pFilter,
                                         LPVOID lpCookie) {
    if (pDC == NULL || pDC->GetSafeHdc() == NULL || hWndParent == NULL ||
        !::IsWindow(hWndParent))
        return;
    for (HWND hWnd = ::GetWindow(hWndParent, GW_CHILD); hWnd != NULL;
         hWnd = ::GetWindow(hWnd, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(hWnd) || (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) == 0)
            continue;
        if (pFilter != NULL && pFilter(pDC, hWndParent, hWnd, lpCookie))
            continue;
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        ::ScreenToClient(hWndParent, (LPPOINT)&rc);
        ::ScreenToClient(hWndParent, ((LPPOINT)&rc) + 1);
        pDC->ExcludeClipRect(&rc);
    }
}

void CExtPaintManager::PassPaintMessages(bool bNcPaint, bool bEraseBkgnd, bool bPaint,
                                         UINT nMaxMessages) {
    const UINT kinds[3] = {WM_NCPAINT, WM_ERASEBKGND, WM_PAINT};
    const bool wanted[3] = {bNcPaint, bEraseBkgnd, bPaint};
    for (int k = 0; k < 3; k++) {
        if (!wanted[k])
            continue;
        // A window that never validates itself keeps WM_PAINT waiting for ever; the bound
        // keeps the caller from spinning on it.
        MSG msg;
        for (UINT n = 0; n < nMaxMessages &&
                         ::PeekMessageA(&msg, NULL, kinds[k], kinds[k], PM_REMOVE);
             n++)
            ::DispatchMessageA(&msg);
    }
}

CRect CExtPaintManager::MeasureTextRect(CDC& dc, LPCTSTR lpszText, CFont* pFont) {
    CRect rc(0, 0, 0, 0);
    if (lpszText == NULL)
        return rc;
    UINT nFormat = DT_CALCRECT | DT_SINGLELINE;
    if (strchr(lpszText, '\t') != NULL)
        nFormat |= DT_EXPANDTABS;
    HGDIOBJ hOldFont = pFont != NULL ? ::SelectObject(dc.GetSafeHdc(), pFont->GetSafeHandle()) : NULL;
    ::DrawTextA(dc.GetSafeHdc(), lpszText, -1, &rc, nFormat);
    if (pFont != NULL)
        ::SelectObject(dc.GetSafeHdc(), hOldFont);
    return rc;
}
