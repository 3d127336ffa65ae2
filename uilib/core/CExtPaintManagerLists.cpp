// Item lists (background, frame, items with icon and text, captions, group headers, scroll
// arrows) and splitter bars with their dotted grip, in every look.
#include "CExtPaintManagerOffice2003.h"

namespace {

// The system's icon-title font, or a variant of it.
void IconTitleFont(CFont& font, LPCSTR pszFace = NULL, int nHeight = 0, int nWeight = 0) {
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    if (!::SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof lf, &lf, 0)) {
        lf.lfHeight = -11;
        strcpy(lf.lfFaceName, "Tahoma");
    }
    if (pszFace != NULL)
        strcpy(lf.lfFaceName, pszFace);
    if (nHeight != 0)
        lf.lfHeight = nHeight;
    if (nWeight != 0)
        lf.lfWeight = nWeight;
    font.CreateFontIndirect(&lf);
}

// Text in a font and colour, transparent, vertically centred in rc (word-broken texts too).
void DrawListText(CDC& dc, const CRect& rc, LPCTSTR sText, CFont& font, COLORREF clr, UINT nFormat) {
    if (sText == NULL || sText[0] == 0 || rc.IsRectEmpty())
        return;
    if (strchr(sText, '\t') != NULL)
        nFormat |= DT_EXPANDTABS;
    CFont* pOld = dc.SelectObject(&font);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clr);
    CRect rcCalc(rc);
    dc.DrawText(sText, -1, &rcCalc, nFormat | DT_CALCRECT);
    CRect rcText(rc);
    if (rcCalc.Height() < rc.Height())
        rcText.top += (rc.Height() - rcCalc.Height()) / 2;
    dc.DrawText(sText, -1, &rcText, nFormat);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOld);
}

}  // namespace

void CExtPaintManager::PaintItemListBackground(CDC& dc, const RECT& rc) {
    if (dc.RectVisible(&rc))
        dc.FillSolidRect(&rc, GetColor(COLOR_WINDOW));
}

void CExtPaintManager::PaintItemListFrame(CDC& dc, const RECT& rc) {
    if (dc.RectVisible(&rc))
        dc.Draw3dRect(&rc, GetColor(COLOR_WINDOW), GetColor(COLOR_3DSHADOW));
}

void CExtPaintManagerXP::PaintItemListFrame(CDC& dc, const RECT& rc) {
    if (dc.RectVisible(&rc))
        dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DSHADOW));
}

void CExtPaintManager::PaintItemListItem(CDC& dc, const RECT& rect, bool bFrame, bool bHover,
                                         bool bPushed, CExtCmdIcon* pIcon, LPCTSTR sText,
                                         bool bLarge) {
    CRect rc(rect);
    if (!dc.RectVisible(&rc))
        return;
    dc.FillSolidRect(&rc, GetColor(COLOR_3DSHADOW));
    if (bFrame)
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DDKSHADOW));
    if (bPushed)
        dc.Draw3dRect(&rc, GetColor(COLOR_3DDKSHADOW), GetColor(COLOR_WINDOW));
    else if (bHover)
        dc.Draw3dRect(&rc, GetColor(COLOR_WINDOW), GetColor(COLOR_3DDKSHADOW));
    PaintItemListItemContent(dc, rc, pIcon, sText, bLarge, bHover, bPushed);
}

void CExtPaintManagerXP::PaintItemListItem(CDC& dc, const RECT& rect, bool bFrame, bool bHover,
                                           bool bPushed, CExtCmdIcon* pIcon, LPCTSTR sText,
                                           bool bLarge) {
    CRect rc(rect);
    if (!dc.RectVisible(&rc))
        return;
    if (bFrame) {
        dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DSHADOW));
        rc.DeflateRect(1, 1);
    }
    if (bHover || bPushed) {
        PushButtonPaintData d(NULL, true, rc, "", NULL, true, bHover, bPushed, false, true, true,
                              false, false, 1 | 4);
        PaintPushButton(dc, d);
    } else {
        dc.FillSolidRect(&rc, ItemListFace());
    }
    PaintItemListItemContent(dc, rc, pIcon, sText, bLarge, bHover, bPushed);
}

void CExtPaintManager::PaintItemListItemContent(CDC& dc, const RECT& rect, CExtCmdIcon* pIcon,
                                                LPCTSTR sText, bool bLarge, bool bHover,
                                                bool bPushed) {
    const CRect rc(rect);
    // the icon centred in its box at the top, the text below it
    const int nBox = bLarge ? 24 : 16;
    const CRect rcBox(rc.left + (rc.Width() - nBox) / 2, rc.top + 2, rc.left + (rc.Width() - nBox) / 2 + nBox,
                      rc.top + 2 + nBox);
    if (pIcon != NULL) {
        CRect rcCaption;
        PaintIcon(dc, true, CString(), pIcon, rcBox, rcCaption, bPushed, true, bHover, 1 | 4);
    }
    CFont font;
    IconTitleFont(font);
    const CRect rcText(rc.left + 2, rcBox.bottom + 2, rc.right - 2, rc.bottom - 2);
    DrawListText(dc, rcText, sText, font,
                 GetColor(bHover && bPushed ? COLOR_WINDOW : COLOR_BTNTEXT),
                 DT_CENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
}

void CExtPaintManager::PaintItemListCaptionText(CDC& dc, const RECT& rect, LPCTSTR sText) {
    CFont font;
    IconTitleFont(font, "Arial", 20, FW_BOLD);
    CRect rc(rect);
    rc.left += 4;
    DrawListText(dc, rc, sText, font, GetColor(COLOR_WINDOW), DT_LEFT | DT_WORDBREAK | DT_END_ELLIPSIS);
}

void CExtPaintManager::PaintItemListCaption(CDC& dc, const RECT& rc, LPCTSTR sText) {
    if (!dc.RectVisible(&rc))
        return;
    dc.FillSolidRect(&rc, GetColor(COLOR_3DSHADOW));
    PaintItemListCaptionText(dc, rc, sText);
}

void CExtPaintManagerOffice2003::PaintItemListCaption(CDC& dc, const RECT& rc, LPCTSTR sText) {
    if (GetScreenBitsPerPixel() <= 8 || !UseLunaColors()) {
        CExtPaintManagerXP::PaintItemListCaption(dc, rc, sText);
        return;
    }
    if (!dc.RectVisible(&rc))
        return;
    FillGradientRect(dc, rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DDKSHADOW), false);
    PaintItemListCaptionText(dc, rc, sText);
}

void CExtPaintManager::PaintItemListGroupText(CDC& dc, const RECT& rect, LPCTSTR sText) {
    CFont font;
    IconTitleFont(font);
    CRect rc(rect);
    rc.left += 7;
    DrawListText(dc, rc, sText, font, GetColor(COLOR_WINDOWTEXT),
                 DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS);
}

void CExtPaintManager::PaintItemListGroupHeader(CDC& dc, const RECT& rect, LPCTSTR sText) {
    const CRect rc(rect);
    if (!dc.RectVisible(&rc))
        return;
    dc.FillSolidRect(&rc, GetColor(COLOR_3DFACE));
    dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
    PaintItemListGroupText(dc, rc, sText);
}

void CExtPaintManagerOffice2003::PaintItemListGroupHeader(CDC& dc, const RECT& rect, LPCTSTR sText) {
    if (GetScreenBitsPerPixel() <= 8) {
        CExtPaintManagerXP::PaintItemListGroupHeader(dc, rect, sText);
        return;
    }
    if (!dc.RectVisible(&rect))
        return;
    FillGradientRect(dc, rect, GetColor(COLOR_3DHILIGHT), GetColor(COLOR_3DLIGHT), false);
    PaintItemListGroupText(dc, rect, sText);
}

void CExtPaintManager::PaintItemListScrollGlyph(CDC& dc, const RECT& rc, bool bUp) {
    if (!dc.RectVisible(&rc))
        return;
    const COLORREF colors[2] = {0, GetColor(COLOR_BTNTEXT)};
    PaintGlyphCentered(dc, rc, *g_CaptionGlyphs[bUp ? SmallArrowUp : SmallArrowDown], colors);
}

void CExtPaintManager::PaintSplitterBar(CDC& dc, const RECT& rect, bool bHorz, bool bGrip) {
    const CRect rc(rect);
    if (!dc.RectVisible(&rc))
        return;
    dc.FillSolidRect(&rc, GetColor(1000));
    // the edges along the bar: a shadow and, one pixel in, the window colour's highlight
    if (bHorz) {
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
        dc.FillSolidRect(rc.left, rc.top + 1, rc.Width(), 1, GetColor(COLOR_WINDOW));
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
    } else {
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(COLOR_3DSHADOW));
        dc.FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), GetColor(COLOR_WINDOW));
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), GetColor(COLOR_3DSHADOW));
    }
    if (bGrip)
        PaintSplitterGrip(dc, rc);
}

void CExtPaintManagerOffice2003::PaintSplitterBar(CDC& dc, const RECT& rect, bool bHorz, bool bGrip) {
    if (GetScreenBitsPerPixel() <= 8) {
        CExtPaintManagerXP::PaintSplitterBar(dc, rect, bHorz, bGrip);
        return;
    }
    if (!dc.RectVisible(&rect))
        return;
    FillGradientRect(dc, rect, GetColor(COLOR_3DLIGHT), GetColor(COLOR_3DSHADOW), !bHorz);
    if (bGrip)
        PaintSplitterGrip(dc, rect);
}

void CExtPaintManager::PaintSplitterGrip(CDC& dc, const RECT& rect) {
    enum { kDots = 9, kStep = 4, kWidth = 36, kHeight = 3 };
    const CRect rc(rect);
    const int x0 = rc.left + (rc.Width() - kWidth) / 2, y0 = rc.top + (rc.Height() - kHeight) / 2;
    for (int i = 0; i < kDots; i++) {
        const int x = x0 + i * kStep;
        dc.FillSolidRect(x + 1, y0 + 1, 2, 2, GetColor(COLOR_3DDKSHADOW));
        dc.FillSolidRect(x, y0, 2, 2, GetColor(COLOR_WINDOW));
    }
}
