// Status panes, the size grip and the colour icons of the colour buttons.
#include "CExtPaintManagerOffice2003.h"

// ---- status panes ---------------------------------------------------------------------------

void CExtPaintManager::PaintStatusBarBorders(CDC& dc, const StatusPanePaintData& data,
                                             COLORREF clrLight, COLORREF clrDark) {
    typedef StatusPanePaintData D;
    const DWORD dwStyle = data.m_dwStyle;
    if ((dwStyle & (D::BorderLeft | D::BorderTop | D::BorderRight | D::BorderBottom)) == 0)
        return;
    const bool b3D = (dwStyle & D::Border3D) != 0;
    const CRect& rc = data.m_rc;
    const int x0 = rc.left, y0 = rc.top, cx = rc.Width(), cy = rc.Height();
    // the limits of the dark lines; with 3D borders the light ones lie outside them at the
    // right and bottom
    const int nRight = cx - 1 - (b3D ? 1 : 0), nBottom = cy - 1 - (b3D ? 1 : 0);
    const int nEdge = 2 * ::GetSystemMetrics(SM_CYBORDER);
    const int yInnerTop = (dwStyle & D::BorderTop) ? nEdge : 0;
    const int yInnerBottom = (dwStyle & D::BorderBottom) ? cy - nEdge : cy;
    auto vline = [&](int x, COLORREF clr) {
        if (yInnerBottom > yInnerTop)
            dc.FillSolidRect(x0 + x, y0 + yInnerTop, 1, yInnerBottom - yInnerTop, clr);
    };
    auto hline = [&](int y, COLORREF clr) { dc.FillSolidRect(x0, y0 + y, cx, 1, clr); };
    if (dwStyle & D::BorderLeft)
        vline(0, clrDark);
    if (dwStyle & D::BorderTop)
        hline(0, clrDark);
    if (dwStyle & D::BorderRight)
        vline(nRight, clrDark);
    if (dwStyle & D::BorderBottom)
        hline(nBottom, clrDark);
    if (!b3D)
        return;
    if (dwStyle & D::BorderLeft)
        vline(1, clrLight);
    if (dwStyle & D::BorderTop)
        hline(1, clrLight);
    if (dwStyle & D::BorderRight)
        vline(cx - 1, clrLight);
    if (dwStyle & D::BorderBottom)
        hline(cy - 1, clrLight);
}

void CExtPaintManager::PaintStatusPane(CDC& dc, StatusPanePaintData& data) {
    if (data.m_nKind == StatusPanePaintData::KindPane)
        dc.Draw3dRect(&data.m_rc, GetColor(1006), GetColor(1004));
    else
        PaintStatusBarBorders(dc, data, GetColor(1000), GetColor(1000));
}

void CExtPaintManagerXP::PaintStatusPane(CDC& dc, StatusPanePaintData& data) {
    if (data.m_nKind == StatusPanePaintData::KindPane)
        dc.Draw3dRect(&data.m_rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DSHADOW));
    else
        PaintStatusBarBorders(dc, data, GetColor(1000), GetColor(1000));
}

void CExtPaintManagerOffice2003::PaintStatusPane(CDC& dc, StatusPanePaintData& data) {
    if (data.m_nKind == StatusPanePaintData::KindPane)
        dc.Draw3dRect(&data.m_rc, GetColor(3014), GetColor(3014));
    else
        CExtPaintManagerXP::PaintStatusPane(dc, data);
}

// ---- size grip ------------------------------------------------------------------------------

void CExtPaintManager::PaintSizeGrip(CDC& dc, const RECT& rect) {
    CRect rc(rect);
    if (rc.right < rc.left || rc.bottom < rc.top || !dc.RectVisible(&rc))
        return;
    CFont* pOldFont = dc.SelectObject(&m_fonts[FontMarlett]);
    const COLORREF clrOld = dc.SetTextColor(GetColor(1010));
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText("o", 1, &rc, DT_RIGHT | DT_BOTTOM | DT_SINGLELINE);
    dc.SetBkMode(nOldMode);
    dc.SetTextColor(clrOld);
    dc.SelectObject(pOldFont);
}

void CExtPaintManagerOffice2003::PaintSizeGrip(CDC& dc, const RECT& rc) {
    if (GetScreenBitsPerPixel() <= 8) {
        CExtPaintManagerXP::PaintSizeGrip(dc, rc);
        return;
    }
    static const CSize szDot(2, 2), szShadow(1, 1), szGap(1, 1);
    const int nStepX = szDot.cx + szShadow.cx + szGap.cx, nStepY = szDot.cy + szShadow.cy + szGap.cy;
    const COLORREF clrLight = GetColor(3002), clrDark = GetColor(3003);
    // three dots in the right column, two in the next, one in the third
    for (int nColumn = 0; nColumn < 3; nColumn++) {
        for (int nRow = 0; nRow < 3 - nColumn; nRow++) {
            const int x = rc.right - szDot.cx - nColumn * nStepX;
            const int y = rc.bottom - szDot.cy - nRow * nStepY;
            dc.FillSolidRect(x - szShadow.cx, y - szShadow.cy, szDot.cx, szDot.cy, clrLight);
            dc.FillSolidRect(x, y, szDot.cx, szDot.cy, clrDark);
        }
    }
}

// ---- colour icons ---------------------------------------------------------------------------

namespace {

enum { kIconSide = 16 };

// A 16 x 16 colour bitmap and monochrome mask, each selected into a memory DC compatible with
// the screen while the icon is drawn; the icon is made from them and everything is freed.
class IconCanvas {
public:
    IconCanvas() {
        m_dcColor.CreateCompatibleDC(NULL);
        m_dcMask.CreateCompatibleDC(NULL);
        HDC hScreen = ::GetDC(NULL);
        m_hColor = ::CreateCompatibleBitmap(hScreen, kIconSide, kIconSide);
        ::ReleaseDC(NULL, hScreen);
        m_hMask = ::CreateBitmap(kIconSide, kIconSide, 1, 1, NULL);
        m_hOldColor = ::SelectObject(m_dcColor.m_hDC, m_hColor);
        m_hOldMask = ::SelectObject(m_dcMask.m_hDC, m_hMask);
    }
    ~IconCanvas() {
        ::SelectObject(m_dcColor.m_hDC, m_hOldColor);
        ::SelectObject(m_dcMask.m_hDC, m_hOldMask);
        ::DeleteObject(m_hColor);
        ::DeleteObject(m_hMask);
    }
    bool Valid() const { return m_hColor != NULL && m_hMask != NULL; }
    CDC& Color() { return m_dcColor; }
    // White is transparent, black opaque.
    CDC& Mask() { return m_dcMask; }
    HICON MakeIcon() {
        ::SelectObject(m_dcColor.m_hDC, m_hOldColor);
        ::SelectObject(m_dcMask.m_hDC, m_hOldMask);
        ICONINFO ii = {};
        ii.fIcon = TRUE;
        ii.hbmColor = m_hColor;
        ii.hbmMask = m_hMask;
        HICON hIcon = ::CreateIconIndirect(&ii);
        m_hOldColor = ::SelectObject(m_dcColor.m_hDC, m_hColor);
        m_hOldMask = ::SelectObject(m_dcMask.m_hDC, m_hMask);
        return hIcon;
    }

private:
    CDC m_dcColor, m_dcMask;
    HBITMAP m_hColor, m_hMask;
    HGDIOBJ m_hOldColor, m_hOldMask;
};

const CRect kIconRect(0, 0, kIconSide, kIconSide);

}  // namespace

HICON CExtPaintManager::CreateColorFilledIcon(COLORREF clr) {
    IconCanvas icon;
    if (!icon.Valid())
        return NULL;
    icon.Color().FillSolidRect(&kIconRect, clr);
    icon.Mask().FillSolidRect(&kIconRect, RGB(0, 0, 0));
    return icon.MakeIcon();
}

HICON CExtPaintManager::CreateColorSwatchIcon(COLORREF clr) {
    IconCanvas icon;
    if (!icon.Valid())
        return NULL;
    CRect rcSwatch(kIconRect);
    rcSwatch.DeflateRect(1, 2);
    icon.Color().FillSolidRect(&kIconRect, RGB(0, 0, 0));
    icon.Color().FillSolidRect(&rcSwatch, clr);
    icon.Mask().FillSolidRect(&kIconRect, RGB(255, 255, 255));
    icon.Mask().FillSolidRect(&rcSwatch, RGB(0, 0, 0));
    return icon.MakeIcon();
}

HICON CExtPaintManager::CreateColorTextIcon(COLORREF clr, LPCTSTR sText, HFONT hFont) {
    IconCanvas icon;
    if (!icon.Valid())
        return NULL;
    const CRect rcBar(0, kIconSide - 4, kIconSide, kIconSide);
    CRect rcText(0, 0, kIconSide, kIconSide - 4);
    icon.Color().FillSolidRect(&kIconRect, RGB(0, 0, 0));
    icon.Color().FillSolidRect(&rcBar, clr);
    icon.Mask().FillSolidRect(&kIconRect, RGB(255, 255, 255));
    icon.Mask().FillSolidRect(&rcBar, RGB(0, 0, 0));
    if (sText != NULL && sText[0] != 0) {
        for (CDC* pDC : {&icon.Color(), &icon.Mask()}) {
            HGDIOBJ hOldFont = hFont != NULL ? ::SelectObject(pDC->m_hDC, hFont) : NULL;
            pDC->SetBkMode(TRANSPARENT);
            pDC->SetTextColor(RGB(0, 0, 0));
            pDC->DrawText(sText, -1, &rcText, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            if (hOldFont != NULL)
                ::SelectObject(pDC->m_hDC, hOldFont);
        }
    }
    return icon.MakeIcon();
}
