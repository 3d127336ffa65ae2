// The XP look.
#include "CExtPaintManagerXP.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtPaintManagerXP, CExtPaintManager)

CExtPaintManagerXP::CExtPaintManagerXP()
    : m_nIdxClrMlaNormLeft(-1),
      m_nIdxClrMlaNormRight(-1),
      m_nIdxClrMlaRarelyLeft(-1),
      m_nIdxClrMlaRarelyRight(-1),
      m_nIdxClrBtnHoverLeft(-1),
      m_nIdxClrBtnHoverRight(-1),
      m_bEnabledHoverIconShadows(false),   // raised system glyphs are an option, off by default
      m_bHelperXpStyle8BitBarRect(true),
      m_bExpBtnSwapVGlyphs(false),
      m_pGlyphTbEpBtnH0(g_ExpandGlyphsXP[0]),
      m_pGlyphTbEpBtnH1(g_ExpandGlyphsXP[1]),
      m_pGlyphTbEpBtnV0(g_ExpandGlyphsXP[2]),
      m_pGlyphTbEpBtnV1(g_ExpandGlyphsXP[3]) {
    for (int& n : m_nIdxBmpExpandResources)
        n = -1;
}

bool CExtPaintManagerXP::UseLunaColors() const {
    const BYTE f = g_PaintManager.m_nUxThemeFlags;
    return (f & CExtPaintManagerHolder::UxBound) != 0 && (f & CExtPaintManagerHolder::UxAllowed) != 0;
}

void CExtPaintManagerXP::InitTranslatedColors() {
    m_nDisabledTextStyle = DSS_MONO;
    CExtPaintManager::InitTranslatedColors();
    const bool bLowColor = GetScreenBitsPerPixel() <= 8;
    const COLORREF clrWindow = ::GetSysColor(COLOR_WINDOW), clrFace = ::GetSysColor(COLOR_BTNFACE),
                   clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT),
                   clrShadow = ::GetSysColor(COLOR_BTNSHADOW),
                   clrDkShadow = ::GetSysColor(COLOR_3DDKSHADOW),
                   clrText = ::GetSysColor(COLOR_BTNTEXT), clrSel = ::GetSysColor(COLOR_HIGHLIGHT);
    COLORREF clrDarkWindow, clrFaceLight, clrFaceDark, clrFaceTint, clrShadowMix, clrSelFill,
        clrSelBorder, clrSelFrame;
    if (!bLowColor) {
        const int r = GetRValue(clrWindow), g = GetGValue(clrWindow), b = GetBValue(clrWindow);
        clrDarkWindow = RGB(r - ::MulDiv(r, 2, 85), g - ::MulDiv(g, 5, 182), b - ::MulDiv(b, 10, 319));
        clrFaceLight = AdjustColorHsl(clrFace, 0.0, 0.2, 0.0);
        clrFaceDark = RGB(GetRValue(clrFace) * 857 / 1000, GetGValue(clrFace) * 857 / 1000,
                          GetBValue(clrFace) * 857 / 1000);
        clrFaceTint = RGB(GetRValue(clrFace) * 999 / 1000, GetGValue(clrFace) * 995 / 1000,
                          GetBValue(clrFace) * 995 / 1000);
        clrShadowMix = RGB((3 * GetRValue(clrShadow) + GetRValue(clrDkShadow)) / 4,
                           (3 * GetGValue(clrShadow) + GetGValue(clrDkShadow)) / 4,
                           (3 * GetBValue(clrShadow) + GetBValue(clrDkShadow)) / 4);
        if (UseLunaColors()) {
            clrSelFill = AdjustColorHsl(clrSel, 0.0, 0.65, 0.0);
            clrSelBorder = AdjustColorHsl(clrSel, 0.0, 0.4, 0.0);
        } else {
            clrSelFill = AdjustColorHsl(clrSel, 0.0, 0.7, -0.7);
            clrSelBorder = AdjustColorHsl(clrSel, 0.0, 0.5, -0.7);
        }
        clrSelFrame = clrSel;
    } else {
        clrDarkWindow = clrWindow;
        clrFaceLight = clrSelFill = clrFace;
        clrFaceDark = clrSelBorder = clrFaceTint = clrShadowMix = clrShadow;
        clrSelFrame = clrText;
    }
    auto map = [&](int nIndex, int nPos) { m_mapColorTranslate.SetAt(nIndex, nPos); };
    map(1000, InstallColor(clrFaceLight));
    map(1001, InstallColor(clrSelFill));
    map(2000, COLOR_3DFACE);
    const int nShadowMix = InstallColor(clrShadowMix);
    for (int n : {1002, 1003, 1004, 1005, 1006, 1007, 1008, 1009, 2002, 2004, 2006, 2008})
        map(n, nShadowMix);
    map(1010, COLOR_WINDOWTEXT);

    map(1011, InstallColor(bLowColor ? clrHilite : RGB(0, 0, 0)));
    map(2010, COLOR_3DSHADOW);
    map(2006, COLOR_HIGHLIGHTTEXT);
    map(2000, InstallColor(clrFaceLight));
    map(2001, InstallColor(clrDarkWindow));
    map(2002, InstallColor(clrFaceDark));
    map(2003, InstallColor(clrSelBorder));
    map(2004, InstallColor(clrSelFrame));
    map(2005, InstallColor(clrFaceTint));
    map(2007, COLOR_3DDKSHADOW);
    map(2008, InstallColor(clrDarkWindow));
    map(2009, InstallColor(GetColor(1000)));
}

void CExtPaintManagerXP::PaintSunkenFrame(CDC& dc, const RECT& rc) {
    const COLORREF clr = GetColor(COLOR_3DSHADOW);
    dc.Draw3dRect(&rc, clr, clr);
}

void CExtPaintManagerXP::PaintSysCmdGlyph(CDC& dc, UINT nHelperSysCmdID, const CRect& rcItem,
                                          bool bHover, bool bPushed, bool bEnabled) {
    if (nHelperSysCmdID != SC_CLOSE && nHelperSysCmdID != SC_MINIMIZE &&
        nHelperSysCmdID != SC_MAXIMIZE && nHelperSysCmdID != SC_RESTORE &&
        nHelperSysCmdID != SC_CONTEXTHELP)
        return;
    const glyph_t& glyph = *g_CaptionGlyphs[nHelperSysCmdID == SC_CLOSE      ? Close
                                            : nHelperSysCmdID == SC_MINIMIZE ? Minimize
                                            : nHelperSysCmdID == SC_MAXIMIZE ? Maximize
                                            : nHelperSysCmdID == SC_RESTORE  ? Restore
                                                                             : Help];
    CRect rc(rcItem);
    if (bPushed)
        rc.OffsetRect(GetPushedContentOffset());
    if (!bEnabled) {
        const COLORREF colors[2] = {0, GetColor(COLOR_3DSHADOW)};
        PaintGlyphCentered(dc, rc, glyph, colors);
        return;
    }
    if (m_bEnabledHoverIconShadows && bHover && !bPushed) {
        const COLORREF shadow[2] = {0, GetColor(COLOR_3DSHADOW)};
        PaintGlyphCentered(dc, rc, glyph, shadow);
        rc.OffsetRect(-2, -2);
    }
    const COLORREF colors[2] = {0, GetColor(1010)};
    PaintGlyphCentered(dc, rc, glyph, colors);
}

void CExtPaintManagerXP::PaintIcon(CDC& dc, bool bHorz, const CString& sText, CExtCmdIcon* pIcon,
                                   const CRect& rcItem, CRect& rcCaption, bool bPushed,
                                   bool bEnabled, bool bHover, UINT nAlign) {
    rcCaption = rcItem;
    if (pIcon == NULL || pIcon->IsEmpty())
        return;
    const CSize sz = pIcon->GetSize();
    CPoint pt;
    if (sText.IsEmpty()) {
        pt = CPoint(rcItem.left + (rcItem.Width() - sz.cx) / 2,
                    rcItem.top + (rcItem.Height() - sz.cy) / 2);
        rcCaption.SetRectEmpty();
    } else if (bHorz) {
        pt = CPoint(rcItem.left + 3, (nAlign & 4) ? rcItem.top + (rcItem.Height() - sz.cy) / 2
                                                   : rcItem.top + 3);
        rcCaption.left = pt.x + sz.cx + 3;
    } else {
        pt = CPoint((nAlign & 4) ? rcItem.left + (rcItem.Width() - sz.cx) / 2 : rcItem.left + 3,
                    rcItem.top + 3);
        rcCaption.top = pt.y + sz.cy + 3;
    }
    // A pressed icon sinks by one pixel, although the rest of an XP button's content stays
    // (GetPushedContentOffset is 0 here).
    if (bPushed)
        pt.Offset(1, 1);
    if (!bEnabled) {
        // a flat monochrome shape in the darker face colour
        CBrush brush;
        brush.CreateSolidBrush(GetColor(2002));
        pIcon->Paint(dc, pt, CExtCmdIcon::ePaintMonochrome, (HBRUSH)brush.GetSafeHandle());
        return;
    }
    // The icon takes this look's tint (none in XP; the face colour in Office 2003), so that its
    // tinted disabled image, where one is drawn, matches the look it is painted in.
    pIcon->SetTintColor(GetIconTintColor());
    pIcon->SetTintFactor(GetIconTintFactor());
    if (bHover && !bPushed) {
        // raised: its shadow one pixel down and right of its place, the icon one pixel up and
        // left, so both stay within a pixel of where the icon stands
        CBrush brush;
        brush.CreateSolidBrush(GetColor(COLOR_3DSHADOW));
        pIcon->Paint(dc, CPoint(pt.x + 1, pt.y + 1), CExtCmdIcon::ePaintMonochrome,
                     (HBRUSH)brush.GetSafeHandle());
        pt.Offset(-1, -1);
    }
    pIcon->Paint(dc, pt, CExtCmdIcon::ePaintNormal);
}

void CExtPaintManagerXP::PaintPushButton(CDC& dc, PushButtonPaintData& data) {
    if (data.m_rc.IsRectEmpty())
        return;
    if (!data.m_bEnabled) {
        data.m_bHover = 0;
        data.m_bIndeterminate = 0;
        data.m_bDrawFocusRect = 0;
    }
    if (data.m_bSeparatedDropDown && (data.m_bPushed || data.m_bPushedDropDown))
        data.m_bHover = 0;
    const int nSavedDC = dc.SaveDC();
    dc.SetBkMode(TRANSPARENT);

    const bool bHover = data.m_bHover != 0, bPushed = data.m_bPushed != 0,
               bPushedDropDown = data.m_bPushedDropDown != 0;
    const bool bAny = bHover || bPushed || bPushedDropDown;
    CRect rcButton(data.m_rc), rcDropDown;
    bool bDropDownPushed;
    PaintPushButtonDropDown(dc, data, rcButton, rcDropDown, bDropDownPushed);
    const CRect rcWhole(data.m_rc);
    if (!data.m_bTransparentBackground || bAny) {
        int nFace = 1000;
        if (bHover && (bPushed || bPushedDropDown))
            nFace = 2003;
        else if (bAny)
            nFace = 1001;
        dc.FillSolidRect(&rcWhole, GetColor(nFace));
    }
    if (bAny) {
        const COLORREF clrFrame = GetColor(2004);
        dc.Draw3dRect(&rcWhole, clrFrame, clrFrame);
        if (data.m_bDropDown && data.m_bSeparatedDropDown) {
            if (data.m_bHorz)
                dc.FillSolidRect(rcDropDown.left, rcDropDown.top, 1, rcDropDown.Height(), clrFrame);
            else
                dc.FillSolidRect(rcDropDown.left, rcDropDown.top, rcDropDown.Width(), 1, clrFrame);
        }
    }
    if (data.m_bDropDown) {
        const COLORREF colors[2] = {0, GetColor(data.m_bEnabled ? 1010 : COLOR_3DSHADOW)};
        PaintGlyphCentered(dc, rcDropDown, *g_ExpandGlyphsXP[data.m_bHorz ? 0 : 2], colors);
    }

    CRect rcCaption(rcButton);
    CString sText(data.m_sText);
    if (data.m_pIcon != NULL && !data.m_pIcon->IsEmpty()) {
        CFont fontTemp;
        dc.SelectObject(ButtonFont(data, true, fontTemp));
        PaintIcon(dc, data.m_bHorz != 0, sText, data.m_pIcon, rcButton, rcCaption, bPushed,
                  data.m_bEnabled != 0, bHover, data.m_nAlign);
    } else {
        if (data.m_bHorz)
            rcCaption.DeflateRect(2, 0);
        else
            rcCaption.DeflateRect(0, 2);
        PaintSysCmdGlyph(dc, data.m_nCmdId, rcCaption, bHover, bPushed, data.m_bEnabled != 0);
    }
    if (!rcCaption.IsRectEmpty() && !sText.IsEmpty()) {
        auto pick = [](COLORREF a, COLORREF b) { return a != (COLORREF)-1 ? a : b; };
        COLORREF clrText;
        bool bMono = false;
        if (!data.m_bEnabled) {
            clrText = pick(data.m_clrForceTextDisabled, GetColor(COLOR_3DSHADOW));
            bMono = data.m_clrForceTextDisabled == (COLORREF)-1;
        } else if (bHover && bPushed) {
            clrText = pick(data.m_clrForceTextPressed, pick(data.m_clrForceTextNormal, GetColor(2006)));
        } else {
            clrText = pick(data.m_clrForceTextNormal, GetColor(COLOR_BTNTEXT));
        }
        PaintPushButtonText(dc, data, rcCaption, clrText, bMono);
    }
    PaintPushButtonFocus(dc, data, rcButton);
    dc.RestoreDC(nSavedDC);
}

void CExtPaintManagerXP::PaintMenuIconColumn(CDC& dc, const CRect& rcColumn, bool bRarelyUsed) {
    if (rcColumn.IsRectEmpty())
        return;
    const int nLeft = bRarelyUsed ? m_nIdxClrMlaRarelyLeft : m_nIdxClrMlaNormLeft;
    const int nRight = bRarelyUsed ? m_nIdxClrMlaRarelyRight : m_nIdxClrMlaNormRight;
    if (GetScreenBitsPerPixel() <= 8 || nLeft < 0 || nRight < 0) {
        dc.FillSolidRect(&rcColumn, GetColor(2001));
        return;
    }
    const COLORREF clrLeft = GetColor(nLeft), clrRight = GetColor(nRight);
    CRect rcGradient(rcColumn);
    if (!UseLunaColors()) {
        CRect rcSolid(rcColumn);
        rcSolid.right = rcSolid.left + rcColumn.Width() * 70 / 100;
        dc.FillSolidRect(&rcSolid, clrLeft);
        rcGradient.left = rcSolid.right;
    }
    FillGradientRect(dc, rcGradient, clrLeft, clrRight, false, 256);
}

void CExtPaintManagerXP::PaintMenuItem(CDC& dc, MenuItemPaintData& data) {
    if (data.m_rc.IsRectEmpty())
        return;
    const int nSavedDC = dc.SaveDC();
    const CRect rcItem(data.m_rc);
    dc.FillSolidRect(&rcItem, GetColor(data.m_bRarelyUsed ? 2005 : 1000));
    const CRect rcIconArea(rcItem.left, rcItem.top, rcItem.left + data.m_nIconAreaWidth,
                           rcItem.bottom);
    if (!data.m_bForceNoLeftGradient)
        PaintMenuIconColumn(dc, rcIconArea, data.m_bRarelyUsed != 0);
    if (data.m_bSelected) {
        dc.FillSolidRect(&rcItem, GetColor(2003));
        const COLORREF clrFrame = GetColor(2004);
        dc.Draw3dRect(&rcItem, clrFrame, clrFrame);
    }
    const COLORREF clrText = GetColor(1010);
    CRect rcText(rcItem);
    rcText.left += data.m_nIconAreaWidth + 3;
    rcText.right -= 3 + (data.m_bPopup ? 16 : 0);
    if (HasMenuItemInPlacePart(data))
        rcText.right = std::min(rcText.right, data.m_rcInPlaceWnd.left - 3);
    CBrush brushDisabled;
    brushDisabled.CreateSolidBrush(GetColor(COLOR_3DSHADOW));
    PaintMenuItemText(dc, data, rcText, clrText, (HBRUSH)brushDisabled.GetSafeHandle());
    if (data.m_bPopup)
        PaintMenuItemArrow(dc, data, rcItem, GetColor(1010), false);

    const bool bHasIcon = data.m_pIcon != NULL && !data.m_pIcon->IsEmpty();
    const bool bMarked = data.m_bPushedCheck || data.m_bPushedRadio;
    if (bMarked) {
        CRect rcBox = MenuCheckRect(data);
        if (bHasIcon) {
            const CSize sz = data.m_pIcon->GetSize();
            rcBox = CRect(rcIconArea.CenterPoint(), CSize(0, 0));
            rcBox.InflateRect(sz.cx / 2 + 2, sz.cy / 2 + 2);
        }
        dc.FillSolidRect(&rcBox, GetColor(data.m_bSelected ? 2003 : 1001));
        const COLORREF clrFrame = GetColor(2004);
        dc.Draw3dRect(&rcBox, clrFrame, clrFrame);
        if (!bHasIcon) {
            if (data.m_bPushedCheck)
                PaintCheckMark(dc, rcBox, GetColor(1010));
            else
                PaintRadioDot(dc, rcBox, GetColor(1010));
        }
    }
    if (bHasIcon) {
        CRect rcCaption;
        PaintIcon(dc, true, CString(), data.m_pIcon, rcIconArea, rcCaption, false,
                  data.m_bEnabled != 0, data.m_bSelected != 0, 1 | 4);
    } else if (!bMarked) {
        PaintSysCmdGlyph(dc, data.m_nCmdId, rcIconArea, data.m_bSelected != 0, false,
                         data.m_bEnabled != 0);
    }
    if (HasMenuItemInPlacePart(data)) {
        // the combo frame, completed by a ring of the face (the window colour inside it) and,
        // on a selected item, an outer ring of the light edge
        ComboFramePaintData frame(data.m_pOwner, data.m_rcInPlaceWnd, data.m_bSelected != 0, false,
                                  data.m_bEnabled != 0);
        PaintComboFrame(dc, frame);
        CRect rcRing(data.m_rcInPlaceWnd);
        rcRing.InflateRect(1, 1);
        const COLORREF clrOuter = GetColor(data.m_bSelected ? COLOR_3DLIGHT : 1000);
        dc.Draw3dRect(&rcRing, clrOuter, clrOuter);
        rcRing = data.m_rcInPlaceWnd;
        rcRing.DeflateRect(1, 1);
        const COLORREF clrWindow = GetColor(COLOR_WINDOW);
        if (data.m_bPopup)
            rcRing.right = std::max(rcRing.left, (int)(rcRing.right - ::GetSystemMetrics(SM_CXHTHUMB) - 1));
        dc.Draw3dRect(&rcRing, clrWindow, clrWindow);
        PaintMenuItemInPlaceContent(dc, data);
    }
    dc.RestoreDC(nSavedDC);
}

void CExtPaintManagerXP::PaintMenuSeparator(CDC& dc, const RECT& rect, int nIconAreaWidth,
                                            bool bRarelyUsed, CObject*, LPARAM) {
    CRect rc(rect);
    if (rc.IsRectEmpty())
        return;
    dc.FillSolidRect(&rc, GetColor(bRarelyUsed ? 2005 : 1000));
    CRect rcColumn(rc.left, rc.top, rc.left + nIconAreaWidth, rc.bottom);
    PaintMenuIconColumn(dc, rcColumn, bRarelyUsed);
    const int y = rc.top + rc.Height() / 2;
    dc.FillSolidRect(rcColumn.right + 3, y, rc.right - (rcColumn.right + 3), 1, GetColor(2001));
}
