// Bar chrome of the classic and XP looks: separators between bar buttons and caption buttons.
#include "CExtPaintManagerXP.h"

CRect CExtPaintManager::SeparatorBand(const CRect& rc, bool bHorzBar, int nThickness) {
    CRect rcLine(rc);
    if (bHorzBar) {
        rcLine.left = rc.left + rc.Width() / 2 - 1;
        rcLine.right = rcLine.left + nThickness;
    } else {
        rcLine.top = rc.top + rc.Height() / 2 - 1;
        rcLine.bottom = rcLine.top + nThickness;
    }
    return rcLine;
}

void CExtPaintManager::PaintSeparator(CDC& dc, const RECT& rect, bool bHorzBar, bool bTransparent,
                                      CObject*, LPARAM) {
    CRect rc(rect);
    rc.NormalizeRect();
    if (!bTransparent)
        dc.FillSolidRect(&rc, GetColor(1000));
    // a vertical etched band in a horizontal bar, its bottom cut by one; horizontal in a
    // vertical bar, its right cut by one
    CRect rcLine = SeparatorBand(rc, bHorzBar, 2);
    if (bHorzBar)
        rcLine.bottom -= 1;
    else
        rcLine.right -= 1;
    if (!rcLine.IsRectEmpty())
        dc.Draw3dRect(&rcLine, GetColor(1006), GetColor(1004));
}

void CExtPaintManager::PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data) {
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    const bool bEnabled = data.m_bEnabled != 0;
    const bool bHover = bEnabled && data.m_bHover;
    const bool bPushed = data.m_bPushed != 0;
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE), clrShadow = ::GetSysColor(COLOR_3DSHADOW),
                   clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW),
                   clrHilite = ::GetSysColor(COLOR_3DHILIGHT);
    const COLORREF colors[2] = {0, bEnabled ? RGB(0, 0, 0) : clrShadow};
    // an odd side grows by one at the left or top, so the glyph sits in the middle
    if (rc.Width() & 1)
        rc.left--;
    if (rc.Height() & 1)
        rc.top--;
    const int eGlyph = data.m_eGlyph == Close ? SmallClose : data.m_eGlyph;
    if (eGlyph < 0 || eGlyph >= GlyphCount)
        return;
    if (!data.m_bNoOuterInflate)
        rc.InflateRect(1, 1);
    rc.left--;
    rc.top--;
    dc.FillSolidRect(&rc, clrFace);
    CRect rcGlyph(rc);
    if (bPushed)
        rcGlyph.OffsetRect(1, 1);
    PaintGlyphCentered(dc, rcGlyph, *g_CaptionGlyphs[eGlyph], colors);
    if (bEnabled && bPushed) {
        dc.Draw3dRect(&rc, clrShadow, clrHilite);
        return;
    }
    if (bHover) {
        dc.Draw3dRect(&rc, clrFace, clrDkShadow);
        rc.DeflateRect(1, 1);
    }
    dc.Draw3dRect(&rc, clrHilite, clrShadow);
}

void CExtPaintManagerXP::PaintSeparator(CDC& dc, const RECT& rect, bool bHorzBar, bool bTransparent,
                                        CObject*, LPARAM) {
    CRect rc(rect);
    rc.NormalizeRect();
    if (!bTransparent)
        dc.FillSolidRect(&rc, GetColor(1000));
    // one pixel just before the middle, one shorter at each end
    CRect rcLine = SeparatorBand(rc, bHorzBar, 1);
    if (bHorzBar)
        rcLine.DeflateRect(0, 1);
    else
        rcLine.DeflateRect(1, 0);
    if (!rcLine.IsRectEmpty())
        dc.FillSolidRect(&rcLine, GetColor(2002));
}

void CExtPaintManagerXP::PaintCaptionButton(CDC& dc, CaptionButtonPaintData& data) {
    CRect rc(data.m_rc);
    if (rc.IsRectEmpty())
        return;
    rc.NormalizeRect();
    const bool bEnabled = data.m_bEnabled != 0;
    const bool bPushed = bEnabled && data.m_bPushed;
    const bool bHover = bEnabled && data.m_bHover;
    COLORREF clrGlyph;
    if (!bEnabled)
        clrGlyph = GetColor(COLOR_3DSHADOW);
    else if (bHover || bPushed)
        clrGlyph = RGB(0, 0, 0);
    else
        clrGlyph = GetColor(data.m_bActiveCaption && !data.m_bFlag5 ? COLOR_3DDKSHADOW
                                                                    : COLOR_HIGHLIGHTTEXT);
    if (bHover || bPushed) {
        dc.FillSolidRect(&rc, GetColor(bPushed ? 2003 : 1001));
        CRect rcFrame(rc);
        rcFrame.InflateRect(1, 1);
        const COLORREF clrFrame = GetColor(data.m_bFlag5 ? 2003 : 2004);
        dc.Draw3dRect(&rcFrame, clrFrame, clrFrame);
    }
    // even sides centre the glyph
    if (rc.Width() & 1)
        rc.left++;
    if (rc.Height() & 1)
        rc.top++;
    int eGlyph = data.m_eGlyph;
    if (eGlyph == Close && data.m_bActiveCaption && !data.m_bFlag6)
        eGlyph = ThinClose;
    if (eGlyph < 0 || eGlyph >= GlyphCount)
        return;
    const COLORREF colors[2] = {0, clrGlyph};
    PaintGlyphCentered(dc, rc, *g_CaptionGlyphs[eGlyph], colors);
}
