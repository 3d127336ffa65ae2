// Bar chrome of the Office 2003 look: rounded gradient tool bars with dotted grippers, etched
// separators, the docker gradient behind docked bars, frames of floating bars and edits.
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarPaintQuery.h"
#include "ExtBarStandIns.h"
#include "ExtStatusBarPaintQuery.h"

namespace {

// Tool bars, the menu bar and panel bars.
bool IsToolBarFamily(const CObject* p) {
    const IExtBarPaintQuery* q = ExtBarPaintQueryOf(p);
    return q != NULL && (q->IsToolBarKind() || q->QueryBarKind() == IExtBarPaintQuery::kindPanelBar);
}

const IExtBarPaintQuery& QueryOf(const CWnd* pBar) { return *ExtBarPaintQueryOf(pBar); }

double Lightness(COLORREF clr) {
    double h, s, l;
    CExtPaintManager::RgbToHsl(clr, h, s, l);
    return l;
}

// A window's client rectangle in another window's client coordinates.
CRect ClientRectIn(CWnd* pFrom, CWnd* pTo) {
    CRect rc;
    pFrom->GetClientRect(&rc);
    pFrom->MapWindowPoints(pTo, &rc);
    return rc;
}

}  // namespace

void CExtPaintManagerOffice2003::FillTwoPartGradient(CDC& dc, const RECT& rect, COLORREF clrA,
                                                     COLORREF clrB, bool bHorz) {
    CRect rc(rect);
    if (rc.IsRectEmpty())
        return;
    CRect rc1(rc), rc2(rc);
    if (bHorz) {
        rc1.right = rc.left + ::MulDiv(rc.Width(), 2, 5);
        rc2.left = rc1.right;
        // a horizontal fill runs from its first colour on the left
        FillGradientRect(dc, rc1, clrA, clrB, false);
        FillGradientRect(dc, rc2, clrB, clrA, false);
    } else {
        rc1.bottom = rc.top + ::MulDiv(rc.Height(), 2, 5);
        rc2.top = rc1.bottom;
        // a vertical fill ends with its first colour at the bottom
        FillGradientRect(dc, rc1, clrB, clrA, true);
        FillGradientRect(dc, rc2, clrA, clrB, true);
    }
}

void CExtPaintManagerOffice2003::GetToolBarGradientColors(COLORREF& clrA, COLORREF& clrB) const {
    CExtPaintManagerOffice2003* self = const_cast<CExtPaintManagerOffice2003*>(this);
    clrA = self->GetColor(3007);
    clrB = self->GetColor(3008);
    if (UseLunaColors()) {
        const double d =
            g_PaintManager.m_eLunaScheme == CExtPaintManagerHolder::LunaMetallic ? 0.05 : 0.02;
        clrA = AdjustColorHsl(clrA, 0.0, -d, 0.0);
        clrB = AdjustColorHsl(clrB, 0.0, d, 0.0);
    }
}

CWnd* CExtPaintManagerOffice2003::DockedToolBarOf(CObject* pOwner) const {
    if (!IsToolBarFamily(pOwner) || GetScreenBitsPerPixel() <= 8)
        return NULL;
    const IExtBarPaintQuery* q = ExtBarPaintQueryOf(pOwner);
    if (q->QueryDockSite() == NULL || q->QueryFloating())
        return NULL;
    return static_cast<CWnd*>(pOwner);
}

void CExtPaintManagerOffice2003::PaintToolBarBackground(CDC& dc, const CRect& rcBar, bool bHorz) {
    if (rcBar.IsRectEmpty())
        return;
    COLORREF clrA, clrB;
    GetToolBarGradientColors(clrA, clrB);
    const CSize szPad = GetBarButtonPadding();
    const int nSaved = dc.SaveDC();
    CRgn rgn;
    // the device's clip region is in device units: the bar's corners are rounded there
    CRect rcDevice(rcBar);
    dc.LPtoDP(&rcDevice);
    if (rgn.CreateRoundRectRgn(rcDevice.left, rcDevice.top, rcDevice.right + 1, rcDevice.bottom + 1,
                               szPad.cx + 2, szPad.cy + 2))
        dc.SelectClipRgn(&rgn, RGN_AND);
    FillTwoPartGradient(dc, rcBar, clrA, clrB, bHorz);
    const COLORREF clrDark = Lightness(clrA) <= Lightness(clrB) ? clrA : clrB;
    if (bHorz)
        dc.FillSolidRect(rcBar.left, rcBar.bottom - 1, rcBar.Width(), 1, clrDark);
    else
        dc.FillSolidRect(rcBar.right - 1, rcBar.top, 1, rcBar.Height(), clrDark);
    dc.RestoreDC(nSaved);
}

// ---- separators and grippers ----------------------------------------------------------------

void CExtPaintManagerOffice2003::PaintSeparator(CDC& dc, const RECT& rect, bool bHorzBar,
                                                bool bTransparent, CObject* pOwner, LPARAM lParam) {
    const bool bStatusBar = ExtIsStatusBar(pOwner);
    const IExtBarPaintQuery* q = ExtBarPaintQueryOf(pOwner);
    const bool bOurs = pOwner != NULL && ((q != NULL && q->IsToolBarKind()) ||
                                          ExtBarButtonPaintQueryOf(pOwner) != NULL || bStatusBar);
    if (!bOurs || GetScreenBitsPerPixel() <= 8) {
        CExtPaintManagerXP::PaintSeparator(dc, rect, bHorzBar, bTransparent, pOwner, lParam);
        return;
    }
    CRect rc(rect);
    rc.NormalizeRect();
    if (!bTransparent)
        dc.FillSolidRect(&rc, GetColor(1000));
    // the etched band; shorter at its ends except in status bars
    CRect rcLine = SeparatorBand(rc, bHorzBar, 2);
    if (!bStatusBar && bHorzBar)
        rcLine.DeflateRect(0, 3, 0, 4);
    else if (!bStatusBar)
        rcLine.DeflateRect(4, 0, 5, 0);
    if (!rcLine.IsRectEmpty())
        dc.Draw3dRect(&rcLine, GetColor(3011), GetColor(3010));
}

void CExtPaintManagerOffice2003::PaintGripper(CDC& dc, GripperPaintData& data) {
    CWnd* pBar = DockedToolBarOf(data.m_pOwner);
    if (pBar == NULL || data.m_bFloating) {
        CExtPaintManagerXP::PaintGripper(dc, data);
        return;
    }
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    // the bar's background, continued under the gripper
    CRect rcBar(rc);
    if (pBar->GetSafeHwnd() != NULL)
        pBar->GetClientRect(&rcBar);
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rc);
    PaintToolBarBackground(dc, rcBar, data.m_bHorz != 0);
    dc.RestoreDC(nSaved);
    // dots along the gripper's long side, 4 pixels apart, centred across it
    const COLORREF clrLight = GetColor(3002), clrDark = GetColor(3003);
    const bool bColumn = data.m_bHorz != 0;
    const int nLength = bColumn ? rc.Height() : rc.Width();
    const int nDots = (nLength - 4) / 4;
    if (nDots <= 0)
        return;
    const int nFirst = (nLength - nDots * 4) / 2;
    for (int i = 0; i < nDots; i++) {
        const CPoint pt = bColumn ? CPoint(rc.left + (rc.Width() - 3) / 2, rc.top + nFirst + i * 4)
                                  : CPoint(rc.left + nFirst + i * 4, rc.top + (rc.Height() - 3) / 2);
        dc.FillSolidRect(pt.x + 1, pt.y + 1, 2, 2, clrLight);
        dc.FillSolidRect(pt.x, pt.y, 2, 2, clrDark);
    }
}

// ---- frames ---------------------------------------------------------------------------------

void CExtPaintManagerOffice2003::PaintDockingFrame(CDC& dc, DockingFramePaintData& data) {
    const bool bOfficeFrame = data.m_bFloating && data.m_pOwner != NULL &&
                              ExtBarPaintQueryOf(data.m_pOwner) != NULL &&
                              ExtBarPaintQueryOf(data.m_pOwner)->IsControlBarKind() &&
                              GetScreenBitsPerPixel() > 8;
    if (!bOfficeFrame) {
        CExtPaintManagerXP::PaintDockingFrame(dc, data);
        return;
    }
    PaintDockingFrameXp(dc, data, GetColor(data.m_bExtBar ? 3001 : 3000), GetColor(3014));
}

void CExtPaintManagerOffice2003::PaintControlFrame(CDC& dc, ControlFramePaintData& data) {
    CRect rc(data.m_rc);
    rc.InflateRect(2, 2);
    const bool bActive = data.m_bEnabled && (data.m_bHover || data.m_bFocus);
    const COLORREF colors[3] = {GetColor(COLOR_WINDOW), GetColor(1000), GetColor(bActive ? 2004 : 1000)};
    for (COLORREF clr : colors) {
        dc.Draw3dRect(&rc, clr, clr);
        rc.InflateRect(1, 1);
    }
}

// ---- client areas and the docker ------------------------------------------------------------

void CExtPaintManagerOffice2003::PaintControlBarClientArea(CDC& dc, const RECT& rect, CWnd* pWnd) {
    CWnd* pBar = DockedToolBarOf(pWnd);
    if (pBar == NULL) {
        CExtPaintManagerXP::PaintControlBarClientArea(dc, rect, pWnd);
        return;
    }
    CRect rcBar(rect);
    if (pBar->GetSafeHwnd() != NULL) {
        pBar->GetClientRect(&rcBar);
        // the docker gradient first, so the rounded corners show it
        CWnd* pDockSite = QueryOf(pBar).QueryDockSite();
        if (pDockSite->GetSafeHwnd() != NULL)
            PaintFrameDockerGradient(dc, pBar, pDockSite);
    }
    PaintToolBarBackground(dc, rcBar, !QueryOf(pBar).QueryDockedVertically());
}

void CExtPaintManagerOffice2003::PaintDockBarClientArea(CDC& dc, const RECT& rect, CWnd* pWnd) {
    if (GetScreenBitsPerPixel() > 8 && pWnd != NULL &&
        ExtBarPaintQueryOf(pWnd) != NULL &&
        ExtBarPaintQueryOf(pWnd)->QueryBarKind() == IExtBarPaintQuery::kindOuterDockBar &&
        pWnd->GetSafeHwnd() != NULL &&
        ::GetParent(pWnd->m_hWnd) != NULL) {
        PaintFrameDockerGradient(dc, pWnd, CWnd::FromHandle(::GetParent(pWnd->m_hWnd)));
        return;
    }
    CExtPaintManagerXP::PaintDockBarClientArea(dc, rect, pWnd);
}

bool CExtPaintManagerOffice2003::PaintFrameDockerGradient(CDC& dc, CWnd* pWnd, CWnd* pFrame) {
    const CRect rcFrame = ClientRectIn(pFrame, pWnd);
    CRect rcFill;
    pWnd->GetClientRect(&rcFill);
    return PaintDockerGradient(dc, rcFill, rcFrame, pWnd);
}

bool CExtPaintManagerOffice2003::NeedsDockerBackground(CWnd*) { return GetScreenBitsPerPixel() > 8; }

bool CExtPaintManagerOffice2003::PaintDockerGradient(CDC& dc, const RECT& rectFill,
                                                     const RECT& rectRef, CWnd*) {
    enum { kGradientWidth = 700, kSteps = 64 };
    const CRect rcFill(rectFill), rcRef(rectRef);
    const COLORREF clrA = GetColor(3001), clrB = GetColor(3000);
    CRect rcGradient(rcRef);
    if (rcRef.Width() >= kGradientWidth)
        rcGradient.right = rcRef.left + kGradientWidth;
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rcFill);
    CRect rcFlat(rcFill);
    rcFlat.left = std::max(rcFill.left, (int)rcGradient.right);
    if (!rcFlat.IsRectEmpty())
        dc.FillSolidRect(&rcFlat, clrB);
    CRect rcVisible;
    if (rcVisible.IntersectRect(&rcGradient, &rcFill)) {
        // the gradient spans the whole reference width; only the part inside rcFill shows
        CRect rcBand(rcGradient.left, rcFill.top, rcGradient.right, rcFill.bottom);
        FillGradientRect(dc, rcBand, clrA, clrB, false, kSteps);
    }
    dc.RestoreDC(nSaved);
    return true;
}

bool CExtPaintManagerOffice2003::PaintDockerBackground(CDC& dc, CWnd* pWnd) {
    if (pWnd == NULL || pWnd->GetSafeHwnd() == NULL || !NeedsDockerBackground(pWnd))
        return false;
    // the nearest tool bar above the window, through child windows only
    CWnd* pBar = NULL;
    for (HWND h = pWnd->m_hWnd; h != NULL && (::GetWindowLongA(h, GWL_STYLE) & WS_CHILD) != 0;) {
        h = ::GetParent(h);
        CWnd* p = h != NULL ? CWnd::FromHandlePermanent(h) : NULL;
        if (p != NULL && p != pWnd && IsToolBarFamily(p)) {
            pBar = p;
            break;
        }
    }
    if (pBar == NULL)
        return false;
    const IExtBarPaintQuery& q = QueryOf(pBar);
    const bool bPlainBar = q.QueryBarKind() == IExtBarPaintQuery::kindPanelBar ||
                           q.QueryBarKind() == IExtBarPaintQuery::kindMenuBar || q.QueryDockSite() == NULL;
    CRect rcFill;
    pWnd->GetClientRect(&rcFill);
    if (bPlainBar) {
        // a window placed straight on the docking area continues the frame's gradient
        CWnd* pFrame = q.QueryDockSite();
        if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL) {
            HWND hTop = ::GetAncestor(pWnd->m_hWnd, GA_ROOT);
            pFrame = hTop != NULL ? CWnd::FromHandle(hTop) : NULL;
        }
        if (pFrame != NULL)
            PaintFrameDockerGradient(dc, pWnd, pFrame);
        return true;
    }
    const CRect rcBar = ClientRectIn(pBar, pWnd);
    if (dc.RectVisible(&rcBar)) {
        const int nSaved = dc.SaveDC();
        dc.IntersectClipRect(&rcFill);
        if (q.QueryFloating()) {
            FillTwoPartGradient(dc, rcBar, GetColor(3001), GetColor(3000), true);
        } else {
            COLORREF clrA, clrB;
            GetToolBarGradientColors(clrA, clrB);
            FillTwoPartGradient(dc, rcBar, clrA, clrB, q.QueryDockedHorizontally());
        }
        dc.RestoreDC(nSaved);
    }
    return true;
}
