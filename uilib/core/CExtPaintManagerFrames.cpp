// Grippers, bar frames, edit and combo frames and the client areas of bars and dock bars, in
// the classic and XP looks.
#include "CExtPaintManagerXP.h"
#include "ExtBarStandIns.h"
#include "ExtBitmapUtil.h"
#include <algorithm>

namespace {

// Two rings of one-pixel lines: top-left and bottom-right colours per ring, outer first.
void Ring(CDC& dc, CRect& rc, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    dc.Draw3dRect(&rc, clrTopLeft, clrBottomRight);
}

// An 8 x 8 pattern of lines on every second row (bRows) or column in clrLine over clrBack;
// on a palette display a monochrome pattern drawn in the DC's text and background colours.
HBRUSH CreateGripBrush(bool bRows, COLORREF clrLine, COLORREF clrBack, bool bLowColor) {
    if (bLowColor) {
        WORD bits[8];
        for (int y = 0; y < 8; y++)
            bits[y] = (WORD)(bRows ? (y % 2 == 0 ? 0x00 : 0xFF) : 0x55);
        HBITMAP hMono = ::CreateBitmap(8, 8, 1, 1, bits);
        HBRUSH hBrush = ::CreatePatternBrush(hMono);
        ::DeleteObject(hMono);
        return hBrush;
    }
    COLORREF* px = NULL;
    HBITMAP hDib = CExtBitmapUtil::CreateFilled32(8, 8, clrBack, &px);
    if (hDib == NULL || px == NULL)
        return ::CreateSolidBrush(clrBack);
    for (int y = 0; y < 8; y++)
        for (int x = 0; x < 8; x++)
            if ((bRows ? y : x) % 2 == 0)
                px[y * 8 + x] = CExtBitmapUtil::ToDib(clrLine);
    HBRUSH hBrush = ::CreatePatternBrush(hDib);
    ::DeleteObject(hDib);
    return hBrush;
}

}  // namespace

// ---- grippers -------------------------------------------------------------------------------

void CExtPaintManager::PaintGripperText(CDC& dc, const GripperPaintData& data, COLORREF clrText) {
    CRect rcText(data.m_rcText);
    if (data.m_sCaption == NULL || data.m_sCaption[0] == 0 || rcText.IsRectEmpty())
        return;
    CFont* pOldFont = dc.SelectObject(&m_fonts[data.m_bHorz ? FontBold : FontBoldVert]);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(clrText);
    if (data.m_bHorz) {
        dc.DrawText(data.m_sCaption, -1, &rcText,
                    DT_SINGLELINE | DT_VCENTER | DT_LEFT | DT_END_ELLIPSIS | DT_NOPREFIX);
    } else {
        // the turned font runs top to bottom; its cell grows to the left of the origin
        TEXTMETRICA tm;
        memset(&tm, 0, sizeof tm);
        dc.GetTextMetrics(&tm);
        CRect rcClip(rcText);
        rcClip.DeflateRect(2, 2);
        const int x = rcText.left + (rcText.Width() + tm.tmHeight) / 2;
        const UINT nOldAlign = dc.SetTextAlign(TA_TOP | TA_LEFT);
        dc.ExtTextOut(x, rcText.top + 2, ETO_CLIPPED, &rcClip, data.m_sCaption,
                      (UINT)strlen(data.m_sCaption), NULL);
        dc.SetTextAlign(nOldAlign);
    }
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOldFont);
}

void CExtPaintManager::PaintGripper(CDC& dc, GripperPaintData& data) {
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    if (!data.m_bFloating && !data.m_bSideBar) {
        // two raised grip bars, side by side in a horizontal bar, one above the other in a
        // vertical one
        if (data.m_bHorz)
            rc.DeflateRect(4, 1, 4, 0);
        else
            rc.DeflateRect(0, 4, 1, 4);
        for (int i = 0; i < 2; i++) {
            CRect rcBar = data.m_bHorz ? CRect(rc.left + 3 * i, rc.top, rc.left + 3 * i + 3, rc.bottom)
                                       : CRect(rc.left, rc.top + 3 * i, rc.right, rc.top + 3 * i + 3);
            Ring(dc, rcBar, GetColor(1004), GetColor(1006));
        }
        return;
    }
    const int nFrom = data.m_bActive ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION;
    if (GetScreenBitsPerPixel() > 8) {
        const int nTo = data.m_bActive ? COLOR_GRADIENTACTIVECAPTION : COLOR_GRADIENTINACTIVECAPTION;
        // a vertical fill ends with its first colour at the bottom
        if (data.m_bHorz)
            FillGradientRect(dc, rc, GetColor(nFrom), GetColor(nTo), false);
        else
            FillGradientRect(dc, rc, GetColor(nTo), GetColor(nFrom), true);
    } else {
        dc.FillSolidRect(&rc, GetColor(nFrom));
    }
    PaintGripperText(dc, data, GetColor(data.m_bActive ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
}

void CExtPaintManagerXP::PaintGripper(CDC& dc, GripperPaintData& data) {
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    if (!data.m_bFloating && !data.m_bSideBar) {
        CRect rcFill(rc);
        rcFill.DeflateRect(1, 1);
        dc.FillSolidRect(&rcFill, GetColor(1000));
        // a strip 3 pixels across along the middle, 2 pixels short of each end
        CRect rcGrip(rcFill);
        if (data.m_bHorz) {
            rcGrip.left = rcFill.left + (rcFill.Width() - 3) / 2;
            rcGrip.right = rcGrip.left + 3;
            rcGrip.DeflateRect(0, 2);
        } else {
            rcGrip.top = rcFill.top + (rcFill.Height() - 3) / 2;
            rcGrip.bottom = rcGrip.top + 3;
            rcGrip.DeflateRect(2, 0);
        }
        if (rcGrip.IsRectEmpty())
            return;
        const bool bLowColor = GetScreenBitsPerPixel() <= 8;
        const COLORREF clrFace = GetColor(COLOR_3DFACE), clrShadow = GetColor(COLOR_3DSHADOW);
        const COLORREF clrLine = dc.GetNearestColor(
            RGB((GetRValue(clrFace) + GetRValue(clrShadow)) / 2,
                (GetGValue(clrFace) + GetGValue(clrShadow)) / 2,
                (GetBValue(clrFace) + GetBValue(clrShadow)) / 2));
        HBRUSH hBrush = CreateGripBrush(data.m_bHorz, clrLine, GetColor(1000), bLowColor);
        const COLORREF clrOldText = dc.SetTextColor(clrShadow);
        const COLORREF clrOldBk = dc.SetBkColor(GetColor(1000));
        POINT ptOld;
        ::SetBrushOrgEx(dc.m_hDC, rcGrip.left, rcGrip.top, &ptOld);
        ::FillRect(dc.m_hDC, &rcGrip, hBrush);
        ::SetBrushOrgEx(dc.m_hDC, ptOld.x, ptOld.y, NULL);
        dc.SetBkColor(clrOldBk);
        dc.SetTextColor(clrOldText);
        ::DeleteObject(hBrush);
        return;
    }
    const bool bInactiveDocked = !data.m_bFloating && !data.m_bActive;
    COLORREF clrBack;
    if (data.m_bFloating)
        clrBack = GetColor(COLOR_3DSHADOW);
    else
        clrBack = GetColor(data.m_bActive ? COLOR_HIGHLIGHT : 2000);
    if (!data.m_bHelperNoFill) {
        dc.FillSolidRect(&rc, clrBack);
        if (bInactiveDocked)
            dc.Draw3dRect(&rc, GetColor(COLOR_3DSHADOW), GetColor(COLOR_3DSHADOW));
    }
    PaintGripperText(dc, data, GetColor(bInactiveDocked ? COLOR_BTNTEXT : COLOR_CAPTIONTEXT));
}

// ---- bar frames -----------------------------------------------------------------------------

void CExtPaintManager::PaintDockingFrame(CDC& dc, DockingFramePaintData& data) {
    CRect rc(data.m_rc);
    if (rc.IsRectEmpty())
        return;
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&data.m_rcClient);
    dc.FillSolidRect(&rc, GetColor(1000));
    if (data.m_bFloating) {
        Ring(dc, rc, GetColor(1000), GetColor(1008));
        rc.DeflateRect(1, 1);
        Ring(dc, rc, GetColor(1004), GetColor(1006));
    } else if (!data.m_bExtBar) {
        Ring(dc, rc, GetColor(1004), GetColor(1006));
    }
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerXP::PaintDockingFrameXp(CDC& dc, DockingFramePaintData& data,
                                             COLORREF clrFill, COLORREF clrRing) {
    CRect rc(data.m_rc);
    if (rc.IsRectEmpty())
        return;
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&data.m_rcClient);
    dc.FillSolidRect(&rc, clrFill);
    if (data.m_bFloating) {
        Ring(dc, rc, clrRing, clrRing);
        rc.DeflateRect(1, 1);
        Ring(dc, rc, clrRing, clrRing);
    }
    if (data.m_bSideBar && GetScreenBitsPerPixel() > 8) {
        // a dotted outline one more pixel in: every second pixel in the ring colour
        rc.DeflateRect(1, 1);
        HBRUSH hBrush = CreateGripBrush(false, clrRing, clrFill, false);
        POINT ptOld;
        ::SetBrushOrgEx(dc.m_hDC, rc.left, rc.top, &ptOld);
        ::FrameRect(dc.m_hDC, &rc, hBrush);
        ::SetBrushOrgEx(dc.m_hDC, ptOld.x, ptOld.y, NULL);
        ::DeleteObject(hBrush);
    }
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerXP::PaintDockingFrame(CDC& dc, DockingFramePaintData& data) {
    const COLORREF clrFill =
        GetColor(!data.m_bFloating ? 1000 : data.m_bExtBar ? 2008 : 2009);
    PaintDockingFrameXp(dc, data, clrFill, GetColor(COLOR_3DSHADOW));
}

// ---- edit and combo frames ------------------------------------------------------------------

namespace {

// Three rings of the window colour outwards from rc; rc is left on the last of them.
void WindowRings(CDC& dc, CRect& rc, COLORREF clrWindow) {
    for (int i = 0; i < 3; i++) {
        rc.InflateRect(1, 1);
        dc.Draw3dRect(&rc, clrWindow, clrWindow);
    }
}

}  // namespace

void CExtPaintManager::PaintControlFrame(CDC& dc, ControlFramePaintData& data) {
    CRect rc(data.m_rc);
    WindowRings(dc, rc, GetColor(COLOR_WINDOW));
    const COLORREF clrFace = GetColor(1000);
    COLORREF inner[2] = {clrFace, clrFace}, outer[2] = {clrFace, clrFace};
    if (data.m_bEnabled && data.m_bHover && data.m_bFocus) {
        inner[0] = GetColor(COLOR_3DDKSHADOW);
        inner[1] = GetColor(COLOR_3DFACE);
        outer[0] = GetColor(COLOR_3DSHADOW);
        outer[1] = GetColor(COLOR_3DHILIGHT);
    } else if (data.m_bEnabled && (data.m_bHover || data.m_bFocus)) {
        inner[0] = GetColor(COLOR_3DSHADOW);
        inner[1] = GetColor(COLOR_3DHILIGHT);
    }
    rc.InflateRect(1, 1);
    dc.Draw3dRect(&rc, inner[0], inner[1]);
    rc.InflateRect(1, 1);
    dc.Draw3dRect(&rc, outer[0], outer[1]);
}

void CExtPaintManagerXP::PaintControlFrame(CDC& dc, ControlFramePaintData& data) {
    CRect rc(data.m_rc);
    WindowRings(dc, rc, GetColor(COLOR_WINDOW));
    const bool bActive = data.m_bEnabled && (data.m_bHover || data.m_bFocus);
    const bool bBoth = data.m_bEnabled && data.m_bHover && data.m_bFocus;
    const COLORREF clrInner = GetColor(bActive ? 2004 : 1000);
    const COLORREF clrOuter = GetColor(bBoth ? 2004 : 1000);
    rc.InflateRect(1, 1);
    dc.Draw3dRect(&rc, clrInner, clrInner);
    rc.InflateRect(1, 1);
    dc.Draw3dRect(&rc, clrOuter, clrOuter);
}

void CExtPaintManager::PaintComboFrame(CDC& dc, ComboFramePaintData& data) {
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    auto pick = [this](COLORREF clrForce, int nIndex) {
        return clrForce != (COLORREF)-1 ? clrForce : GetColor(nIndex);
    };
    if (data.m_bHover || data.m_bPushed) {
        const COLORREF clrActive = data.m_clrForceActiveOuterBorder;
        dc.Draw3dRect(&rc, pick(clrActive, 1007), pick(clrActive, 1005));
    } else {
        dc.Draw3dRect(&rc, pick(data.m_clrForceNAContent, 1000), pick(data.m_clrForceNABorder, 1004));
    }
    rc.DeflateRect(1, 1);
    const COLORREF clrInner = GetColor(data.m_bEnabled ? COLOR_WINDOW : COLOR_3DFACE);
    dc.Draw3dRect(&rc, clrInner, clrInner);
    rc.DeflateRect(1, 1);
    CRect rcButton(rc);
    rcButton.left = std::max(rc.left, (int)(rc.right - ::GetSystemMetrics(SM_CXHTHUMB)));
    PaintComboDropDown(dc, data, rcButton);
}

void CExtPaintManager::CreateComboArrowFont(CDC& dc, CFont& font) {
    // 6 points, for the device's resolution
    const int nLogPixelsY = dc.GetDeviceCaps(LOGPIXELSY) > 0 ? dc.GetDeviceCaps(LOGPIXELSY) : 96;
    LOGFONTA lf;
    memset(&lf, 0, sizeof lf);
    lf.lfHeight = -::MulDiv(::MulDiv(60, 96, nLogPixelsY), nLogPixelsY, 720);
    lf.lfCharSet = SYMBOL_CHARSET;
    strcpy(lf.lfFaceName, "Marlett");
    font.CreateFontIndirect(&lf);
}

void CExtPaintManager::PaintComboDropDown(CDC& dc, const ComboFramePaintData& data,
                                          const CRect& rcButton) {
    CFont font;
    CreateComboArrowFont(dc, font);
    PushButtonPaintData d(data.m_pOwner, true, rcButton, "6", NULL, true, data.m_bHover != 0,
                          data.m_bPushed != 0, false, data.m_bEnabled != 0, true, false, false,
                          1 | 4, (HFONT)font.GetSafeHandle());
    PaintPushButton(dc, d);
}

// ---- client areas ---------------------------------------------------------------------------

void CExtPaintManager::PaintControlBarClientArea(CDC& dc, const RECT& rect, CWnd*) {
    CRect rc(rect);
    if (!rc.IsRectEmpty() && dc.RectVisible(&rc))
        dc.FillSolidRect(&rc, GetColor(1000));
}

void CExtPaintManager::PaintDockBarClientArea(CDC& dc, const RECT& rect, CWnd*) {
    CRect rc(rect);
    if (!rc.IsRectEmpty() && dc.RectVisible(&rc))
        dc.FillSolidRect(&rc, GetColor(COLOR_3DFACE));
}

bool CExtPaintManager::NeedsDockerBackground(CWnd*) { return false; }

bool CExtPaintManager::PaintDockerBackground(CDC&, CWnd*) { return false; }
