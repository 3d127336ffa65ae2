// The classic look's push buttons and menu items, and the helpers the XP look shares.
#include "CExtPaintManager.h"
#include "CExtCmdIcon.h"

namespace {

// Restores a DC's text colour, background colour and mode on the way out.
class DCStateKeeper {
public:
    explicit DCStateKeeper(CDC& dc)
        : m_dc(dc), m_clrText(dc.GetTextColor()), m_clrBk(dc.GetBkColor()),
          m_nBkMode(dc.GetBkMode()) {}
    ~DCStateKeeper() {
        m_dc.SetTextColor(m_clrText);
        m_dc.SetBkColor(m_clrBk);
        m_dc.SetBkMode(m_nBkMode);
    }

private:
    CDC& m_dc;
    COLORREF m_clrText, m_clrBk;
    int m_nBkMode;
};

// Selects a font for the life of the object.
class FontSelector {
public:
    FontSelector(CDC& dc, HFONT hFont) : m_dc(dc), m_hOld(NULL) {
        if (hFont != NULL)
            m_hOld = ::SelectObject(dc.GetSafeHdc(), hFont);
    }
    ~FontSelector() {
        if (m_hOld != NULL)
            ::SelectObject(m_dc.GetSafeHdc(), m_hOld);
    }

private:
    CDC& m_dc;
    HGDIOBJ m_hOld;
};

const CExtPaintManager::glyph_t& SysCmdGlyph(UINT nCmd, bool& bKnown) {
    bKnown = true;
    switch (nCmd) {
    case SC_CLOSE:
        return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Close];
    case SC_MINIMIZE:
        return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Minimize];
    case SC_MAXIMIZE:
        return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Maximize];
    case SC_RESTORE:
        return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Restore];
    case SC_CONTEXTHELP:
        return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Help];
    }
    bKnown = false;
    return *CExtPaintManager::g_CaptionGlyphs[CExtPaintManager::Empty];
}

// The text without its '&' marks ("&&" stays one '&'), and the index of the letter the first
// single '&' marks (-1 when none).
CString StripMnemonic(const CString& sText, int& nMnemonic) {
    CString sOut;
    nMnemonic = -1;
    for (int i = 0; i < sText.GetLength(); i++) {
        char c = sText[i];
        if (c == '&' && i + 1 < sText.GetLength()) {
            if (sText[i + 1] != '&' && nMnemonic < 0)
                nMnemonic = sOut.GetLength();
            i++;
            c = sText[i];
        }
        sOut += c;
    }
    return sOut;
}

}  // namespace

// ---- shared marks --------------------------------------------------------------------------

void CExtPaintManager::PaintCheckMark(CDC& dc, const CRect& rc, COLORREF clr) {
    const COLORREF colors[2] = {0, clr};
    PaintGlyphCentered(dc, rc, g_CheckMark, colors);
}

void CExtPaintManager::PaintRadioDot(CDC& dc, const CRect& rc, COLORREF clr) {
    // A filled round dot 6 pixels across, in the nearest solid colour the device has.
    const COLORREF clrSolid = dc.GetNearestColor(clr);
    CPoint c = rc.CenterPoint();
    CRect rcDot(c.x - 3, c.y - 3, c.x + 3, c.y + 3);
    CBrush brush;
    brush.CreateSolidBrush(clrSolid);
    CPen pen;
    pen.CreatePen(PS_SOLID, 1, clrSolid);
    CBrush* pOldBrush = dc.SelectObject(&brush);
    CPen* pOldPen = dc.SelectObject(&pen);
    dc.Ellipse(&rcDot);
    dc.SelectObject(pOldPen);
    dc.SelectObject(pOldBrush);
}

// ---- push buttons --------------------------------------------------------------------------

void CExtPaintManager::PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const CRect& rcItem,
                                        bool bHover, bool bPushed, bool bEnabled) {
    bool bKnown;
    const glyph_t& glyph = SysCmdGlyph(nHelperSysCmdID, bKnown);
    if (!bKnown)
        return;
    CRect rc(rcItem);
    if (bPushed)
        rc.OffsetRect(GetPushedContentOffset());
    if (bEnabled) {
        const COLORREF colors[2] = {0, GetColor(bHover ? COLOR_HIGHLIGHTTEXT : 1010)};
        PaintGlyphCentered(dc, rc, glyph, colors);
    } else {
        COLORREF colors[2] = {0, GetColor(1004)};
        CRect rcShadow(rc);
        rcShadow.OffsetRect(1, 1);
        PaintGlyphCentered(dc, rcShadow, glyph, colors);
        colors[1] = GetColor(1006);
        PaintGlyphCentered(dc, rc, glyph, colors);
    }
}

void CExtPaintManager::PaintIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                                 const CRect& rcItem, CRect& rcCaption, bool bPushed,
                                 bool bEnabled, bool bHover, UINT nAlign) {
    (void)bHover;
    rcCaption = rcItem;
    if (pIcon == NULL || pIcon->IsEmpty())
        return;
    const CSize szIcon = pIcon->GetSize();
    CPoint pt;
    const int kGap = 3;
    if (sText.IsEmpty()) {
        pt = CPoint(rcItem.left + (rcItem.Width() - szIcon.cx) / 2,
                    rcItem.top + (rcItem.Height() - szIcon.cy) / 2);
        rcCaption.SetRectEmpty();
    } else {
        int nMnemonic;
        CString sPlain = StripMnemonic(sText, nMnemonic);
        // vertical text runs down the same length as it would run across
        const int nText = dc.GetTextExtent(sPlain).cx;
        const int nIconAlong = bHorz ? szIcon.cx : szIcon.cy;
        const int nItemAlong = bHorz ? rcItem.Width() : rcItem.Height();
        const int nPair = nIconAlong + kGap + nText;
        int nStart;
        if (nAlign & 1)
            nStart = (nItemAlong - nPair) / 2;
        else if (nAlign & 2)
            nStart = nItemAlong - nPair - kGap;
        else
            nStart = kGap;
        if (nStart < kGap)
            nStart = kGap;
        // The caption holds just the text when the pair is centred or right-aligned, so the
        // text stays next to its icon.
        const bool bFitText = (nAlign & 3) != 0;
        if (bHorz) {
            int y = (nAlign & 4) ? rcItem.top + (rcItem.Height() - szIcon.cy) / 2 : rcItem.top + kGap;
            pt = CPoint(rcItem.left + nStart, y);
            rcCaption.left = pt.x + szIcon.cx + kGap;
            if (bFitText && rcCaption.left + nText < rcCaption.right)
                rcCaption.right = rcCaption.left + nText;
        } else {
            int x = (nAlign & 4) ? rcItem.left + (rcItem.Width() - szIcon.cx) / 2 : rcItem.left + kGap;
            pt = CPoint(x, rcItem.top + nStart);
            rcCaption.top = pt.y + szIcon.cy + kGap;
            if (bFitText && rcCaption.top + nText < rcCaption.bottom)
                rcCaption.bottom = rcCaption.top + nText;
        }
    }
    if (bPushed)
        pt.Offset(GetPushedContentOffset());
    pIcon->Paint(dc, pt, bEnabled ? CExtCmdIcon::ePaintNormal : CExtCmdIcon::ePaintDisabled);
}

CFont* CExtPaintManager::ButtonFont(const PushButtonPaintData& data, bool bHorz,
                                    CFont& fontTemp) {
    if (data.m_hFont != NULL) {
        if (bHorz)
            return CFont::FromHandle(data.m_hFont);
        LOGFONTA lf;
        if (::GetObjectA(data.m_hFont, sizeof lf, &lf) == 0)
            return &m_fonts[FontNormalVert];
        lf.lfEscapement = lf.lfOrientation = 2700;
        fontTemp.CreateFontIndirect(&lf);
        return &fontTemp;
    }
    if (data.m_bDefaultPushButton)
        return &m_fonts[bHorz ? FontBold : FontBoldVert];
    return &m_fonts[bHorz ? FontNormal : FontNormalVert];
}

void CExtPaintManager::PaintPushButtonFocus(CDC& dc, const PushButtonPaintData& data,
                                            const CRect& rcButton) {
    if (!data.m_bDrawFocusRect)
        return;
    CRect rcFocus(rcButton);
    rcFocus.DeflateRect(3, 3);
    dc.SetTextColor(RGB(0, 0, 0));
    dc.SetBkColor(RGB(255, 255, 255));
    dc.DrawFocusRect(&rcFocus);
}

void CExtPaintManager::PaintPushButtonText(CDC& dc, PushButtonPaintData& data,
                                           const CRect& rcCaption, COLORREF clrText,
                                           bool bEmbossDisabled) {
    CString sText(data.m_sText);
    if (rcCaption.IsRectEmpty() || sText.IsEmpty())
        return;
    const bool bHorz = data.m_bHorz != 0;
    CFont fontTemp;
    CFont* pFont = ButtonFont(data, bHorz, fontTemp);
    FontSelector selectFont(dc, (HFONT)pFont->GetSafeHandle());
    dc.SetTextColor(clrText);
    dc.SetBkMode(TRANSPARENT);
    if (bHorz) {
        CRect rcMeasure(0, 0, 0, 0);
        dc.DrawText(sText, &rcMeasure, DT_SINGLELINE | DT_CALCRECT);
        CRect rcText(rcCaption);
        if (data.m_nDrawTextFlags & DT_VCENTER)
            rcText.top += (rcCaption.Height() - rcMeasure.Height()) / 2;
        if (data.m_nDrawTextFlags & DT_CENTER)
            rcText.left += (rcCaption.Width() - rcMeasure.Width()) / 2;
        else if (data.m_nDrawTextFlags & DT_RIGHT)
            rcText.left = rcCaption.right - rcMeasure.Width();
        rcText.right = rcText.left + rcMeasure.Width();
        rcText.bottom = rcText.top + rcMeasure.Height();
        if (data.m_bForceUseDrawTextApiH) {
            CRect rc(rcCaption);
            dc.DrawText(sText, &rc, data.m_nDrawTextFlags);
        } else {
            UINT nFlags = DST_PREFIXTEXT;
            HBRUSH hBrush = NULL;
            if (bEmbossDisabled) {
                nFlags |= m_nDisabledTextStyle;
                if (m_nDisabledTextStyle & DSS_MONO)
                    hBrush = GetBrush(COLOR_3DSHADOW);
            }
            dc.DrawState(rcText.TopLeft(), rcText.Size(), (LPCTSTR)sText, nFlags, TRUE, 0,
                         hBrush);
        }
        return;
    }
    // Vertical: top to bottom in the turned font, unclipped, the mnemonic underlined by hand.
    int nMnemonic;
    CString sPlain = StripMnemonic(sText, nMnemonic);
    TEXTMETRICA tm;
    memset(&tm, 0, sizeof tm);
    dc.GetTextMetrics(&tm);
    const CSize szText = dc.GetTextExtent(sPlain);
    const int x0 = rcCaption.left + (rcCaption.Width() + tm.tmHeight) / 2;
    const int y0 = rcCaption.top + (rcCaption.Height() - szText.cx) / 2;
    struct Pass {
        int dx, dy;
        COLORREF clr;
    };
    Pass passes[2] = {{0, 0, clrText}, {0, 0, clrText}};
    int nPasses = 1;
    if (bEmbossDisabled) {
        passes[0] = {1, 1, GetColor(COLOR_3DHILIGHT)};
        passes[1] = {0, 0, GetColor(COLOR_3DSHADOW)};
        nPasses = 2;
    }
    const UINT nOldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
    for (int i = 0; i < nPasses; i++) {
        dc.SetTextColor(passes[i].clr);
        dc.ExtTextOut(x0 + passes[i].dx, y0 + passes[i].dy, 0, NULL, sPlain, NULL);
        if (nMnemonic >= 0 && nMnemonic < sPlain.GetLength()) {
            const int nFrom = dc.GetTextExtent(sPlain, nMnemonic).cx;
            const int nTo = dc.GetTextExtent(sPlain, nMnemonic + 1).cx;
            const int xLine = x0 + passes[i].dx - tm.tmAscent - 1;
            dc.FillSolidRect(xLine, y0 + passes[i].dy + nFrom, 1, nTo - nFrom, passes[i].clr);
        }
    }
    dc.SetTextAlign(nOldAlign);
}

void CExtPaintManager::PaintPushButtonDropDown(CDC& dc, PushButtonPaintData& data,
                                               CRect& rcButton, CRect& rcDropDown,
                                               bool& bDropDownLooksPushed) {
    (void)dc;
    bDropDownLooksPushed =
        data.m_bPushedDropDown || (data.m_bPushed && !data.m_bSeparatedDropDown);
    rcDropDown.SetRectEmpty();
    if (!data.m_bDropDown)
        return;
    rcDropDown = rcButton;
    if (data.m_bHorz) {
        rcButton.right -= 6 + (int)g_ExpandGlyphsXP[0]->Width();
        rcDropDown.left = rcButton.right;
    } else {
        rcButton.bottom -= 6 + (int)g_ExpandGlyphsXP[2]->Height();
        rcDropDown.top = rcButton.bottom;
    }
}

void CExtPaintManager::PaintPushButton(CDC& dc, PushButtonPaintData& data) {
    if (data.m_rc.IsRectEmpty())
        return;
    if (!data.m_bEnabled) {
        data.m_bHover = 0;
        data.m_bIndeterminate = 0;
        data.m_bDrawFocusRect = 0;
    }
    if (data.m_bSeparatedDropDown && (data.m_bPushed || data.m_bPushedDropDown))
        data.m_bHover = 0;
    DCStateKeeper keepState(dc);
    dc.SetBkMode(TRANSPARENT);

    const COLORREF clrBack = GetColor((data.m_bHover || data.m_bPushed) ? 1001 : 1000);
    CRect rcButton(data.m_rc), rcDropDown;
    bool bDropDownPushed;
    PaintPushButtonDropDown(dc, data, rcButton, rcDropDown, bDropDownPushed);

    if (data.m_bDropDown && !data.m_bTransparentBackground) {
        if (data.m_bEnabled && data.m_bHover && bDropDownPushed)
            dc.FillRect(&rcDropDown, &m_brushBlended[BrushLightDefault]);
        else
            dc.FillSolidRect(&rcDropDown, clrBack);
    }
    if (!data.m_bTransparentBackground) {
        if (data.m_bEnabled && data.m_bPushed && data.m_bHover)
            dc.FillRect(&rcButton, &m_brushBlended[BrushLightDefault]);
        else
            dc.FillSolidRect(&rcButton, clrBack);
    }

    auto ring = [&](const CRect& rc, bool bPushed) {
        if (bPushed) {
            if (!data.m_bFlat || data.m_bDrawBorder)
                dc.Draw3dRect(&rc, GetColor(1007), GetColor(1005));
        } else if (!data.m_bFlat) {
            dc.Draw3dRect(&rc, GetColor(1004), GetColor(1006));
            if (data.m_bHover) {
                dc.Draw3dRect(&rc, GetColor(1006), GetColor(1008));
                CRect rcIn(rc);
                rcIn.DeflateRect(1, 1);
                dc.Draw3dRect(&rcIn, GetColor(1004), GetColor(1006));
            }
        } else if (data.m_bHover && data.m_bDrawBorder) {
            dc.Draw3dRect(&rc, GetColor(1004), GetColor(1006));
        }
    };
    ring(rcButton, data.m_bPushed != 0);
    if (data.m_bDropDown && data.m_bSeparatedDropDown)
        ring(rcDropDown, bDropDownPushed);

    if (data.m_bDropDown) {
        CRect rcArrow(rcDropDown);
        if (bDropDownPushed)
            rcArrow.OffsetRect(GetPushedContentOffset());
        const COLORREF colors[2] = {0, GetColor(data.m_bEnabled ? 1010 : 1006)};
        PaintGlyphCentered(dc, rcArrow, *g_ExpandGlyphsXP[data.m_bHorz ? 0 : 2], colors);
    }

    CRect rcCaption(rcButton);
    CString sText(data.m_sText);
    if (data.m_pIcon != NULL && !data.m_pIcon->IsEmpty()) {
        CFont fontTemp;
        FontSelector selectFont(dc, (HFONT)ButtonFont(data, true, fontTemp)->GetSafeHandle());
        PaintIcon(dc, data.m_bHorz != 0, sText, data.m_pIcon, rcButton, rcCaption,
                  data.m_bPushed != 0, data.m_bEnabled != 0, data.m_bHover != 0, data.m_nAlign);
    } else {
        if (data.m_bHorz)
            rcCaption.DeflateRect(2, 0);
        else
            rcCaption.DeflateRect(0, 2);
        PaintSysCmdGlyph(dc, data.m_nCmdId, rcCaption, data.m_bHover != 0,
                         data.m_bPushed != 0, data.m_bEnabled != 0);
    }

    if (!rcCaption.IsRectEmpty() && !sText.IsEmpty()) {
        if (data.m_bPushed)
            rcCaption.OffsetRect(GetPushedContentOffset());
        COLORREF clrText;
        bool bEmboss = false;
        auto pick = [](COLORREF a, COLORREF b) { return a != (COLORREF)-1 ? a : b; };
        if (!data.m_bEnabled) {
            // The shadow colour, not the face: text drawn plainly in the face colour would
            // vanish into the button.
            clrText = pick(data.m_clrForceTextDisabled, GetColor(COLOR_3DSHADOW));
            bEmboss = data.m_clrForceTextDisabled == (COLORREF)-1;
        } else if (data.m_bPushed) {
            clrText = pick(data.m_clrForceTextPressed,
                           pick(data.m_bHover ? data.m_clrForceTextHover : (COLORREF)-1,
                                pick(data.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT))));
        } else if (data.m_bHover) {
            clrText = pick(data.m_clrForceTextHover,
                           pick(data.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT)));
        } else {
            clrText = pick(data.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT));
        }
        PaintPushButtonText(dc, data, rcCaption, clrText, bEmboss);
    }

    PaintPushButtonFocus(dc, data, rcButton);
}

// ---- menu items ----------------------------------------------------------------------------

CRect CExtPaintManager::MenuCheckRect(const MenuItemPaintData& data) const {
    CRect rc(data.m_rc.left, data.m_rc.top, data.m_rc.left + data.m_nIconAreaWidth,
             data.m_rc.bottom);
    int nSide = rc.Width() < rc.Height() ? rc.Width() : rc.Height();
    nSide -= 2;
    if (nSide < 0)
        nSide = 0;
    CPoint c = rc.CenterPoint();
    return CRect(c.x - nSide / 2, c.y - nSide / 2, c.x - nSide / 2 + nSide, c.y - nSide / 2 + nSide);
}

void CExtPaintManager::PaintMenuItemText(CDC& dc, const MenuItemPaintData& data,
                                         const CRect& rcText, COLORREF clrText,
                                         HBRUSH hDisabledBrush) {
    FontSelector selectFont(dc, (HFONT)m_fonts[FontNormal].GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrText);
    UINT nFlags = DST_PREFIXTEXT;
    HBRUSH hBrush = NULL;
    if (!data.m_bEnabled) {
        nFlags |= m_nDisabledTextStyle;
        hBrush = hDisabledBrush;
    }
    const CString texts[2] = {CString(data.m_sText), CString(data.m_sAccelText)};
    for (int i = 0; i < 2; i++) {
        if (texts[i].IsEmpty())
            continue;
        CRect rcMeasure(0, 0, 0, 0);
        dc.DrawText(texts[i], &rcMeasure, DT_SINGLELINE | DT_CALCRECT);
        CPoint pt(i == 0 ? rcText.left : rcText.right - rcMeasure.Width(),
                  rcText.top + (rcText.Height() - rcMeasure.Height()) / 2);
        dc.DrawState(pt, rcMeasure.Size(), (LPCTSTR)texts[i], nFlags, TRUE, 0, hBrush);
    }
}

void CExtPaintManager::PaintMenuItemArrow(CDC& dc, const MenuItemPaintData& data,
                                          const CRect& rcItem, COLORREF clrArrow,
                                          bool bClassicArea) {
    CRect rc(rcItem);
    rc.DeflateRect(3, 3);
    rc.left = rc.right - 16;
    if (data.m_bCustomizeListMode) {
        const COLORREF colors[2] = {0, clrArrow};
        const glyph_t& glyph =
            *g_CaptionGlyphs[data.m_bSeparatedDropDown ? HollowArrowRight : ArrowRight];
        PaintGlyphCentered(dc, rc, glyph, colors);
        return;
    }
    if (data.m_bSeparatedDropDown && bClassicArea) {
        if (data.m_bRarelyUsed)
            dc.FillRect(&rc, &m_brushBlended[BrushLightDefault]);
        else
            dc.FillSolidRect(&rc, GetColor(1000));
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), GetColor(1006));
        dc.FillSolidRect(rc.left + 1, rc.top, 1, rc.Height(), GetColor(1004));
    }
    FontSelector selectFont(dc, (HFONT)m_fonts[FontMarlett].GetSafeHandle());
    dc.SetBkMode(TRANSPARENT);
    dc.SetTextColor(clrArrow);
    dc.DrawText("8", 1, &rc, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}

void CExtPaintManager::PaintMenuItem(CDC& dc, MenuItemPaintData& data) {
    if (data.m_rc.IsRectEmpty())
        return;
    DCStateKeeper keepState(dc);
    const CRect rcItem(data.m_rc);
    dc.FillSolidRect(&rcItem, GetColor(1000));
    COLORREF clrBack = GetColor(1000), clrText = GetColor(1010);
    if (data.m_bSelected) {
        clrBack = GetColor(COLOR_HIGHLIGHT);
        clrText = GetColor(COLOR_HIGHLIGHTTEXT);
    }
    if (data.m_bRarelyUsed) {
        CRect rc(rcItem);
        rc.InflateRect(2, 0);
        dc.FillRect(&rc, &m_brushBlended[BrushLightDefault]);
        if (!data.m_bRarelyUsedPrev)
            dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, GetColor(COLOR_3DSHADOW));
        if (!data.m_bRarelyUsedNext)
            dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, GetColor(COLOR_3DHILIGHT));
    }
    const bool bHasIcon = data.m_pIcon != NULL && !data.m_pIcon->IsEmpty();
    const bool bMarked = data.m_bPushedCheck || data.m_bPushedRadio;
    CRect rcHighlight(rcItem);
    rcHighlight.DeflateRect(2, 0);
    if (bHasIcon || bMarked)
        rcHighlight.left = rcItem.left + data.m_nIconAreaWidth;
    rcHighlight.DeflateRect(1, 1);
    if (!(data.m_bRarelyUsed && !data.m_bSelected))
        dc.FillSolidRect(&rcHighlight, clrBack);

    CRect rcText(rcItem);
    rcText.left += data.m_nIconAreaWidth + 3;
    rcText.right -= 3 + (data.m_bPopup ? 16 : 0);
    if (HasMenuItemInPlacePart(data))
        rcText.right = std::min(rcText.right, data.m_rcInPlaceWnd.left - 3);
    PaintMenuItemText(dc, data, rcText, clrText, NULL);

    if (data.m_bPopup)
        PaintMenuItemArrow(dc, data, rcItem,
                           data.m_bCustomizeListMode
                               ? GetColor(data.m_bSelected ? COLOR_HIGHLIGHTTEXT : 1010)
                               : clrText,
                           true);

    const CRect rcCheck = MenuCheckRect(data);
    CRect rcIconArea(rcItem.left, rcItem.top, rcItem.left + data.m_nIconAreaWidth, rcItem.bottom);
    if (bHasIcon) {
        CRect rcCaption;
        PaintIcon(dc, true, CString(), data.m_pIcon, rcIconArea, rcCaption, false,
                  data.m_bEnabled != 0, data.m_bSelected != 0, 1 | 4);
        if (data.m_bPushedCheck) {
            const CSize sz = data.m_pIcon->GetSize();
            CRect rcFrame(rcIconArea.CenterPoint(), CSize(0, 0));
            rcFrame.InflateRect(sz.cx / 2 + 1, sz.cy / 2 + 1);
            dc.Draw3dRect(&rcFrame, GetColor(1004), GetColor(1006));
        }
    } else if (bMarked) {
        dc.Draw3dRect(&rcCheck, GetColor(1004), GetColor(1006));
        if (data.m_bPushedCheck)
            PaintCheckMark(dc, rcCheck, GetColor(1010));
        else
            PaintRadioDot(dc, rcCheck, GetColor(1010));
    } else {
        PaintSysCmdGlyph(dc, data.m_nCmdId, rcIconArea, data.m_bSelected != 0, false,
                         data.m_bEnabled != 0);
    }
    if (HasMenuItemInPlacePart(data)) {
        ComboFramePaintData frame(data.m_pOwner, data.m_rcInPlaceWnd, data.m_bSelected != 0, false,
                                  data.m_bEnabled != 0);
        PaintComboFrame(dc, frame);
        PaintMenuItemInPlaceContent(dc, data);
    }
}

bool CExtPaintManager::HasMenuItemInPlacePart(const MenuItemPaintData& data) {
    return data.m_bHelperPopupDropped && !data.m_rcInPlaceWnd.IsRectEmpty();
}

void CExtPaintManager::PaintMenuItemInPlaceContent(CDC& dc, const MenuItemPaintData& data) {
    const CRect rcPart(data.m_rcInPlaceWnd);
    CRect rcInside(rcPart);
    rcInside.DeflateRect(2, 2);
    if (data.m_bPopup)   // a combo keeps its drop-down button
        rcInside.right = std::max(rcInside.left, (int)(rcInside.right - ::GetSystemMetrics(SM_CXHTHUMB)));
    if (rcInside.IsRectEmpty())
        return;
    dc.FillSolidRect(&rcInside, GetColor(COLOR_WINDOW));
    CRect rcText(rcPart.left + 5, rcPart.top + 3, rcPart.right - 1, rcPart.bottom - 2);
    rcText.right = std::min(rcText.right, rcInside.right);
    if (data.m_strInPlaceText.IsEmpty() || rcText.IsRectEmpty())
        return;
    FontSelector selectFont(dc, (HFONT)m_fonts[FontNormal].GetSafeHandle());
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(GetColor(COLOR_BTNTEXT));
    dc.DrawText(data.m_strInPlaceText, &rcText, DT_SINGLELINE | DT_NOPREFIX | DT_LEFT | DT_VCENTER | DT_END_ELLIPSIS);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
}

void CExtPaintManager::PaintMenuSeparator(CDC& dc, const RECT& rect, int nIconAreaWidth,
                                          bool bRarelyUsed, CObject*, LPARAM) {
    (void)nIconAreaWidth;
    CRect rc(rect);
    if (rc.IsRectEmpty())
        return;
    if (bRarelyUsed) {
        CRect rcFill(rc);
        rcFill.InflateRect(2, 0);
        dc.FillRect(&rcFill, &m_brushBlended[BrushLightDefault]);
    } else {
        dc.FillSolidRect(&rc, GetColor(1000));
    }
    const int nInset = ::GetSystemMetrics(SM_CXSMICON) / 2;
    CRect rcLine(rc.left + nInset, rc.top + rc.Height() / 2 - 1, rc.right - nInset,
                 rc.top + rc.Height() / 2 + 1);
    dc.Draw3dRect(&rcLine, GetColor(bRarelyUsed ? 1000 : 1006), GetColor(1004));
}
