// The content-expand button at the end of tool bars and the expand item of menus with rarely
// used items hidden, in every look.
#include "CExtPaintManagerOffice2003.h"
#include "ExtBarPaintQuery.h"
#include "ExtBarStandIns.h"
#include "ExtPopupMenuPaintQuery.h"

// ---- content-expand button ------------------------------------------------------------------

void CExtPaintManager::PaintContentExpandFace(CDC& dc, const CRect& rc, bool bEnabled,
                                              bool bPushed, bool bHover,
                                              bool bTransparentBackground) {
    PushButtonPaintData d(NULL, true, rc, "", NULL, true, bHover, bPushed, false, bEnabled, true,
                          false, false, 1 | 4, NULL, false, 0, bTransparentBackground);
    PaintPushButton(dc, d);
}

void CExtPaintManager::PaintContentExpandSigns(CDC& dc, CRect rc, bool bHorzBar,
                                               bool bNothingHidden, bool bEnabled, bool bPushed,
                                               bool bXpPlacement, COLORREF clrSign) {
    const CSize szOffset = GetPushedContentOffset();
    if (bPushed)
        rc.OffsetRect(szOffset);
    const int nPart = bHorzBar ? szOffset.cy : szOffset.cx;
    const int nGap = 3 * (nPart < 2 ? 1 : nPart);
    const glyph_t& arrow = ExpandGlyph(bHorzBar ? 0 : 2);
    const glyph_t& chevron = ExpandGlyph(bHorzBar ? 1 : 3);
    CPoint ptArrow, ptChevron;
    if (bHorzBar) {
        ptArrow = CPoint(rc.left + (rc.Width() - (int)arrow.Width()) / 2,
                         rc.bottom - nGap - (int)arrow.Height());
        ptChevron = CPoint(rc.left + (rc.Width() - (int)chevron.Width()) / 2 + (bXpPlacement ? 1 : 0),
                           rc.top + nGap);
    } else {
        ptArrow = CPoint(rc.left + nGap, rc.top + (rc.Height() - (int)arrow.Height()) / 2);
        ptChevron = CPoint(rc.right - nGap - (int)chevron.Width(),
                           rc.top + (rc.Height() - (int)chevron.Height()) / 2 + (bXpPlacement ? 1 : 0));
    }
    if (bEnabled) {
        const COLORREF colors[2] = {0, clrSign};
        PaintGlyph(dc, ptArrow, arrow, colors);
        if (!bNothingHidden)
            PaintGlyph(dc, ptChevron, chevron, colors);
        return;
    }
    if (!bXpPlacement) {
        // embossed: a light copy one pixel down-right under the shadow-coloured sign
        const COLORREF light[2] = {0, GetColor(COLOR_3DHILIGHT)};
        PaintGlyph(dc, ptArrow + CSize(1, 1), arrow, light);
    }
    const COLORREF shadow[2] = {0, GetColor(COLOR_3DSHADOW)};
    PaintGlyph(dc, ptArrow, arrow, shadow);
}

void CExtPaintManager::PaintContentExpandButton(CDC& dc, const RECT& rect, bool bHorzBar,
                                                bool bNothingHidden, bool bEnabled, bool bPushed,
                                                bool bHover, CObject*, bool bTransparentBackground) {
    CRect rc(rect);
    rc.NormalizeRect();
    if (!dc.RectVisible(&rc))
        return;
    PaintContentExpandFace(dc, rc, bEnabled, bPushed, bHover, bTransparentBackground);
    const bool bXp = IsXpExpandStyle();
    PaintContentExpandSigns(dc, rc, bHorzBar, bNothingHidden, bEnabled, bPushed, bXp,
                            GetColor(bEnabled || bXp ? 1010 : COLOR_3DHILIGHT));
}

const CExtPaintManager::glyph_t& CExtPaintManagerXP::ExpandGlyph(int nIndex) const {
    const glyph_t* glyphs[4] = {m_pGlyphTbEpBtnH0, m_pGlyphTbEpBtnH1, m_pGlyphTbEpBtnV0,
                                m_pGlyphTbEpBtnV1};
    return *glyphs[nIndex];
}

void CExtPaintManagerOffice2003::PaintContentExpandButton(CDC& dc, const RECT& rect, bool bHorzBar,
                                                          bool bNothingHidden, bool bEnabled,
                                                          bool bPushed, bool bHover,
                                                          CObject* pHelperSrc,
                                                          bool bTransparentBackground) {
    CWnd* pBar = NULL;
    const IExtBarButtonPaintQuery* pButton = ExtBarButtonPaintQueryOf(pHelperSrc);
    if (pButton != NULL && pButton->QueryButtonKind() == IExtBarButtonPaintQuery::kindChevron &&
        GetScreenBitsPerPixel() > 8) {
        CWnd* pToolBar = pButton->QueryButtonBar();
        const IExtBarPaintQuery* q = ExtBarPaintQueryOf(pToolBar);
        if (q != NULL && q->IsToolBarKind() && !q->QueryFloating() &&
            q->QueryBarKind() != IExtBarPaintQuery::kindMenuBar && (q->QueryPaintOptOuts() & 2) == 0)
            pBar = pToolBar;
    }
    CRect rc(rect);
    rc.NormalizeRect();
    if (pBar == NULL || !dc.RectVisible(&rc)) {
        CExtPaintManagerXP::PaintContentExpandButton(dc, rect, bHorzBar, bNothingHidden, bEnabled,
                                                     bPushed, bHover, pHelperSrc,
                                                     bTransparentBackground);
        return;
    }
    // a rounded panel: dark idle, the accent when hovered, deeper when pushed
    int nFrom = 3004, nTo = 3005;
    if (bEnabled && bPushed) {
        nFrom = 3008;
        nTo = 3009;
    } else if (bEnabled && bHover) {
        nFrom = 3006;
        nTo = 3007;
    }
    const int nSaved = dc.SaveDC();
    CRect rcDevice(rc);
    dc.LPtoDP(&rcDevice);
    CRgn rgn;
    if (rgn.CreateRoundRectRgn(rcDevice.left, rcDevice.top, rcDevice.right + 1, rcDevice.bottom + 1, 5, 5))
        dc.SelectClipRgn(&rgn, RGN_AND);
    const COLORREF clrFrom = GetColor(nFrom), clrTo = GetColor(nTo);
    // across the bar: top to bottom in a horizontal bar, left to right in a vertical one
    if (UseLunaColors()) {
        CRect rc1(rc), rc2(rc);
        if (bHorzBar)
            rc1.bottom = rc2.top = rc.top + rc.Height() / 2;
        else
            rc1.right = rc2.left = rc.left + rc.Width() / 2;
        FillGradientRect(dc, rc1, bHorzBar ? clrTo : clrFrom, bHorzBar ? clrFrom : clrTo, bHorzBar);
        FillGradientRect(dc, rc2, bHorzBar ? clrFrom : clrTo, bHorzBar ? clrTo : clrFrom, bHorzBar);
    } else {
        FillGradientRect(dc, rc, bHorzBar ? clrTo : clrFrom, bHorzBar ? clrFrom : clrTo, bHorzBar);
    }
    dc.RestoreDC(nSaved);
    // the signs with a light shadow under them
    PaintContentExpandSigns(dc, rc + CSize(1, 1), bHorzBar, bNothingHidden, bEnabled, bPushed, true,
                            GetColor(3002));
    PaintContentExpandSigns(dc, rc, bHorzBar, bNothingHidden, bEnabled, bPushed, true, GetColor(1010));
}

// ---- menu-expand item -----------------------------------------------------------------------

void CExtPaintManager::PaintMenuExpandChevron(CDC& dc, const CRect& rc) {
    const COLORREF colors[2] = {0, GetColor(1010)};
    PaintGlyphCentered(dc, rc, *g_ExpandGlyphsXP[3], colors);
}

void CExtPaintManager::PaintMenuExpandButton(CDC& dc, const RECT& rect, bool bSelected, CObject*) {
    CRect rc(rect);
    if (bSelected) {
        dc.FillRect(&rc, &m_brushBlended[BrushLightDefault]);
        dc.Draw3dRect(&rc, GetColor(1004), GetColor(1006));
    } else {
        MenuItemPaintData d(NULL, rc, 0, "", "", NULL, false, false, false, false, false, true,
                            false, false, false, 0);
        PaintMenuItem(dc, d);
    }
    PaintMenuExpandChevron(dc, rc);
}

void CExtPaintManagerXP::PaintMenuExpandBackground(CDC& dc, const CRect& rc, bool bSelected,
                                                   CObject* pPopup) {
    if (bSelected) {
        CRect rcButton(rc);
        rcButton.OffsetRect(GetPushedContentOffset());
        PushButtonPaintData d(NULL, true, rcButton, "", NULL, true, true, false, false, true, true,
                              false, false, 1 | 4);
        PaintPushButton(dc, d);
        return;
    }
    const IExtPopupMenuPaintQuery* pMenu = ExtPopupMenuPaintQueryOf(pPopup);
    const int nIconAreaWidth = pMenu != NULL ? pMenu->QueryLastItemIconAreaWidth() : 0;
    // first one pixel higher, so the item above keeps no gap
    CRect rcUp(rc);
    rcUp.top--;
    for (const CRect& r : {rcUp, rc}) {
        MenuItemPaintData d(NULL, r, nIconAreaWidth, "", "", NULL, false, false, false, false,
                            false, true, false, false, false, 0);
        PaintMenuItem(dc, d);
    }
}

void CExtPaintManagerXP::PaintMenuExpandButton(CDC& dc, const RECT& rect, bool bSelected,
                                               CObject* pPopup) {
    const CRect rc(rect);
    PaintMenuExpandBackground(dc, rc, bSelected, pPopup);
    PaintMenuExpandChevron(dc, rc);
}

namespace {

// A 16 x 16 shading tile, column by column: 255 leaves the pixel alone (the rounded corners),
// any other level moves the tile colour that far towards white.
const BYTE kMenuExpandTile[256] = {
    255, 255, 211, 200, 189, 178, 166, 155, 144, 133, 122, 110,  99,  88, 255, 255,
    255, 225, 213, 202, 190, 178, 167, 155, 143, 132, 120, 108,  97,  85,  73, 255,
    239, 226, 214, 202, 190, 178, 166, 154, 142, 130, 118, 106,  94,  82,  70,  58,
    242, 229, 216, 204, 191, 179, 166, 154, 141, 129, 116, 104,  91,  79,  66,  54,
    244, 231, 218, 205, 192, 179, 166, 153, 140, 127, 114, 101,  88,  75,  62,  50,
    246, 232, 219, 206, 192, 179, 166, 152, 139, 126, 112,  99,  86,  72,  59,  46,
    249, 235, 221, 207, 193, 180, 166, 152, 138, 124, 111,  97,  83,  69,  55,  42,
    251, 236, 222, 208, 194, 180, 165, 151, 137, 123, 109,  94,  80,  66,  52,  38,
    251, 236, 222, 208, 194, 180, 165, 151, 137, 123, 109,  94,  80,  66,  52,  38,
    249, 235, 221, 207, 193, 180, 166, 152, 138, 124, 111,  97,  83,  69,  55,  42,
    246, 232, 219, 206, 192, 179, 166, 152, 139, 126, 112,  99,  86,  72,  59,  46,
    244, 231, 218, 205, 192, 179, 166, 153, 140, 127, 114, 101,  88,  75,  62,  50,
    242, 229, 216, 204, 191, 179, 166, 154, 141, 129, 116, 104,  91,  79,  66,  54,
    239, 226, 214, 202, 190, 178, 166, 154, 142, 130, 118, 106,  94,  82,  70,  58,
    255, 225, 213, 202, 190, 178, 167, 155, 143, 132, 120, 108,  97,  85,  73, 255,
    255, 255, 211, 200, 189, 178, 166, 155, 144, 133, 122, 110,  99,  88, 255, 255,
};

}  // namespace

void CExtPaintManagerOffice2003::PaintMenuExpandButton(CDC& dc, const RECT& rect, bool bSelected,
                                                       CObject* pPopup) {
    if (GetScreenBitsPerPixel() <= 8) {
        CExtPaintManagerXP::PaintMenuExpandButton(dc, rect, bSelected, pPopup);
        return;
    }
    const CRect rc(rect);
    PaintMenuExpandBackground(dc, rc, bSelected, pPopup);
    const COLORREF clr = GetColor(3016);
    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    const int x0 = rc.left + (rc.Width() - 16) / 2, y0 = rc.top + (rc.Height() - 16) / 2;
    for (int x = 0; x < 16; x++) {
        for (int y = 0; y < 16; y++) {
            const int nLevel = kMenuExpandTile[x * 16 + y];
            if (nLevel == 255)
                continue;
            dc.SetPixelV(x0 + x, y0 + y,
                         RGB(r + (255 - r) * nLevel / 255, g + (255 - g) * nLevel / 255,
                             b + (255 - b) * nLevel / 255));
        }
    }
    PaintMenuExpandChevron(dc, rc);
}
