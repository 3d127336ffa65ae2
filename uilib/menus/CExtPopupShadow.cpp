#include "CExtPopupShadow.h"
#include "CExtPaintManagerHolder.h"
#include "ExtPopupEffects.h"

namespace {

// A 32-bit top-down DIB section of the size; its pixels through ppBits.
HBITMAP CreateDib32(int cx, int cy, DWORD** ppBits)
{
    BITMAPINFO bmi = {};
    bmi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bmi.bmiHeader.biWidth = cx;
    bmi.bmiHeader.biHeight = -cy;
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    void* pBits = NULL;
    HBITMAP hBmp = ::CreateDIBSection(NULL, &bmi, DIB_RGB_COLORS, &pBits, NULL, 0);
    *ppBits = hBmp != NULL ? static_cast<DWORD*>(pBits) : NULL;
    return hBmp;
}

// Copies a part of the DC into a new bitmap compatible with it; NULL on failure.
HBITMAP SaveArea(HDC hdc, int x, int y, int cx, int cy)
{
    if (cx <= 0 || cy <= 0)
        return NULL;
    HBITMAP hBmp = ::CreateCompatibleBitmap(hdc, cx, cy);
    HDC hdcMem = hBmp != NULL ? ::CreateCompatibleDC(hdc) : NULL;
    if (hdcMem == NULL) {
        if (hBmp != NULL)
            ::DeleteObject(hBmp);
        return NULL;
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBmp);
    ::BitBlt(hdcMem, 0, 0, cx, cy, hdc, x, y, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    return hBmp;
}

void PutArea(HDC hdc, int x, int y, HBITMAP hBmp)
{
    BITMAP bm = {};
    if (hBmp == NULL || ::GetObjectA(hBmp, sizeof bm, &bm) == 0)
        return;
    HDC hdcMem = ::CreateCompatibleDC(hdc);
    if (hdcMem == NULL)
        return;
    HGDIOBJ hOld = ::SelectObject(hdcMem, hBmp);
    ::BitBlt(hdc, x, y, bm.bmWidth, bm.bmHeight, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
}

}  // namespace

CExtPopupShadow::CExtPopupShadow()
    : m_pBits(NULL), m_rcWndArea(0, 0, 0, 0), m_rcExcludeArea(0, 0, 0, 0), m_rcExcludeArea2(0, 0, 0, 0), m_nShadowSize(0),
      m_nDarkest(75), m_nLightest(100), m_dwFlags(0)
{
}

CExtPopupShadow::~CExtPopupShadow()
{
    Destroy();
}

void CExtPopupShadow::Destroy()
{
    m_bmpRight.DeleteObject();
    m_bmpBottom.DeleteObject();
    m_rgn.DeleteObject();
    m_rcWndArea.SetRectEmpty();
    m_dwFlags = 0;
    m_pBits = NULL;
}

bool CExtPopupShadow::Paint(CDC& dc, const CRect& rcWndArea, const CRect& rcExcludeArea, const CRect& rcExcludeArea2,
                            int nShadowSize, int nDarkest, int nLightest, bool bKeepBits, bool bUseTint, bool bMemoryDC)
{
    (void)bMemoryDC;   // both kinds are read and written the same way here
    if (nShadowSize <= 0 || rcWndArea.IsRectEmpty() || dc.GetSafeHdc() == NULL)
        return true;
    // Kept bits belong to one place and size: a popup that moved renders its shadow anew.
    if (HasKeptBits() && (m_rcWndArea != rcWndArea || m_nShadowSize != nShadowSize))
        Destroy();
    m_rcWndArea = rcWndArea;
    m_rcExcludeArea = rcExcludeArea;
    m_rcExcludeArea2 = rcExcludeArea2;
    m_nShadowSize = nShadowSize;
    m_nDarkest = nDarkest;
    m_nLightest = nLightest;
    m_dwFlags = (bKeepBits ? (DWORD)FLAG_KEEP_BITS : 0u) | (bUseTint ? (DWORD)FLAG_TINT : 0u);
    if (m_rgn.GetSafeHandle() == NULL) {
        const CRect& r = m_rcWndArea;
        CRgn rgnBottom;
        if (m_rgn.CreateRectRgn(r.right, r.top, r.right + nShadowSize, r.bottom + nShadowSize) &&
            rgnBottom.CreateRectRgn(r.left, r.bottom, r.right + nShadowSize, r.bottom + nShadowSize))
            m_rgn.CombineRgn(&m_rgn, &rgnBottom, RGN_OR);
    }
    if (HasKeptBits())
        return RestoreBits(dc);
    return CExtPaintManager::GetScreenBitsPerPixel() > 8 ? RenderDib(dc) : RenderPattern(dc);
}

bool CExtPopupShadow::RestoreBits(CDC& dc)
{
    const CRect& r = m_rcWndArea;
    PutArea(dc.GetSafeHdc(), r.right, r.top, (HBITMAP)m_bmpRight.GetSafeHandle());
    PutArea(dc.GetSafeHdc(), r.left, r.bottom, (HBITMAP)m_bmpBottom.GetSafeHandle());
    return true;
}

void CExtPopupShadow::KeepBits(CDC& dc)
{
    if ((m_dwFlags & FLAG_KEEP_BITS) == 0)
        return;
    const CRect& r = m_rcWndArea;
    const int s = m_nShadowSize;
    HBITMAP hRight = SaveArea(dc.GetSafeHdc(), r.right, r.top, s, r.Height() + s);
    HBITMAP hBottom = SaveArea(dc.GetSafeHdc(), r.left, r.bottom, r.Width() + s, s);
    if (hRight != NULL && hBottom != NULL) {
        m_bmpRight.Attach(hRight);
        m_bmpBottom.Attach(hBottom);
        return;
    }
    // Not kept: rendered again on the next paint.
    if (hRight != NULL)
        ::DeleteObject(hRight);
    if (hBottom != NULL)
        ::DeleteObject(hBottom);
}

bool CExtPopupShadow::RenderDib(CDC& dc)
{
    const int s = m_nShadowSize;
    const int w = m_rcWndArea.Width(), h = m_rcWndArea.Height();
    const int cx = w + s, cy = h + s;
    HBITMAP hDib = CreateDib32(cx, cy, &m_pBits);
    if (hDib == NULL)
        return false;
    HDC hdcMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    if (hdcMem == NULL) {
        ::DeleteObject(hDib);
        m_pBits = NULL;
        return false;
    }
    HGDIOBJ hOld = ::SelectObject(hdcMem, hDib);
    ::BitBlt(hdcMem, 0, 0, cx, cy, dc.GetSafeHdc(), m_rcWndArea.left, m_rcWndArea.top, SRCCOPY);
    ::GdiFlush();   // the blit must have landed before the pixels are read

    const COLORREF crTint =
        (m_dwFlags & FLAG_TINT) != 0 && g_PaintManager.GetPaintManager() != NULL ? g_PaintManager->GetShadowAdjustColor()
                                                                                 : (COLORREF)-1;
    // The DIB is top-down: (x, y) of the area is word y * cx + x, so the bands start exactly at
    // the popup's edges.
    auto darken = [&](int x, int y, int nPercent) {
        if (x < 0 || y < 0 || x >= cx || y >= cy)
            return;
        DWORD& px = m_pBits[(size_t)y * cx + x];
        px = ExtShadowDarkenPixel(px, nPercent, crTint);
    };
    const ExtShadowTrims trims = ExtShadowCalcTrims(m_rcWndArea, m_rcExcludeArea, m_rcExcludeArea2, s);
    for (int k = 0; k < s; ++k) {
        const int nPercent = ExtShadowBandPercent(k, s, m_nDarkest, m_nLightest);
        int nFrom, nTo, nSkipFrom, nSkipTo;
        ExtShadowBottomSpan(trims, k, s, w, nFrom, nTo);
        for (int x = nFrom; x < nTo; ++x)
            darken(x, h + k, nPercent);
        ExtShadowRightSpan(trims, k, s, h, nFrom, nTo, nSkipFrom, nSkipTo);
        for (int y = nFrom; y < nTo; ++y)
            if (y < nSkipFrom || y > nSkipTo)
                darken(w + k, y, nPercent);
    }
    const bool bCorner = ExtShadowDrawsCorner(trims), bBottomLeft = ExtShadowDrawsBottomLeft(trims),
               bRightTop = ExtShadowDrawsRightTop(trims);
    for (int i = 0; i < s; ++i) {
        for (int j = 0; j < s; ++j) {
            const int nPercent = ExtShadowCornerPercent(i, j, s, m_nDarkest, m_nLightest);
            if (nPercent < 0)
                continue;
            if (bCorner)
                darken(w + i, h + j, nPercent);
            if (bBottomLeft)
                darken(2 * s - i, h + j, nPercent);
            if (bRightTop)
                darken(w + i, 2 * s - j, nPercent);
        }
    }
    ::BitBlt(dc.GetSafeHdc(), m_rcWndArea.left, m_rcWndArea.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
    ::SelectObject(hdcMem, hOld);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hDib);
    m_pBits = NULL;
    KeepBits(dc);
    return true;
}

bool CExtPopupShadow::RenderPattern(CDC& dc)
{
    const int s = m_nShadowSize < 4 ? m_nShadowSize : 4;
    const int w = m_rcWndArea.Width(), h = m_rcWndArea.Height();
    const int cx = w + s, cy = h + s;
    HDC hdc = dc.GetSafeHdc();
    HBITMAP hBmp = ::CreateCompatibleBitmap(hdc, cx, cy);
    HDC hdcMem = hBmp != NULL ? ::CreateCompatibleDC(hdc) : NULL;
    if (hdcMem == NULL) {
        if (hBmp != NULL)
            ::DeleteObject(hBmp);
        return false;
    }
    HGDIOBJ hOldBmp = ::SelectObject(hdcMem, hBmp);
    HPALETTE hOldPal = NULL;
    CPalette* pPalette = g_PaintManager.GetPaintManager() != NULL ? &g_PaintManager->GetPalette() : NULL;
    if (pPalette != NULL && pPalette->GetSafeHandle() != NULL && (::GetDeviceCaps(hdc, RASTERCAPS) & RC_PALETTE) != 0) {
        hOldPal = ::SelectPalette(hdcMem, (HPALETTE)pPalette->GetSafeHandle(), FALSE);
        ::RealizePalette(hdcMem);
    }
    ::BitBlt(hdcMem, 0, 0, cx, cy, hdc, m_rcWndArea.left, m_rcWndArea.top, SRCCOPY);
    // Every other pixel of every other line darkened: the halftone of a palette screen.
    static const WORD kPattern[8] = {0x55, 0xFF, 0xAA, 0xFF, 0x55, 0xFF, 0xAA, 0xFF};
    HBITMAP hPattern = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = hPattern != NULL ? ::CreatePatternBrush(hPattern) : NULL;
    if (hBrush != NULL) {
        const COLORREF crOldText = ::SetTextColor(hdcMem, RGB(0, 0, 0));
        const COLORREF crOldBk = ::SetBkColor(hdcMem, RGB(255, 255, 255));
        HGDIOBJ hOldBrush = ::SelectObject(hdcMem, hBrush);
        const DWORD kPatternAndDest = 0xA000C9;
        ::PatBlt(hdcMem, s, h, w, s, kPatternAndDest);
        ::PatBlt(hdcMem, w, s, s, h - s, kPatternAndDest);
        ::SelectObject(hdcMem, hOldBrush);
        ::SetTextColor(hdcMem, crOldText);
        ::SetBkColor(hdcMem, crOldBk);
        ::DeleteObject(hBrush);
    }
    if (hPattern != NULL)
        ::DeleteObject(hPattern);
    ::BitBlt(hdc, m_rcWndArea.left, m_rcWndArea.top, cx, cy, hdcMem, 0, 0, SRCCOPY);
    if (hOldPal != NULL)
        ::SelectPalette(hdcMem, hOldPal, FALSE);
    ::SelectObject(hdcMem, hOldBmp);
    ::DeleteDC(hdcMem);
    ::DeleteObject(hBmp);
    if (hBrush == NULL)
        return false;
    KeepBits(dc);
    return true;
}
