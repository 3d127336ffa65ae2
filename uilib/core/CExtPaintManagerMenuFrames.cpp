// The later answers of the looks: bar layout, bar backgrounds and tool-bar decoration, menu
// borders and the joint between a menu and its button, combo frames and text fields.
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarPaintQuery.h"
#include "ExtBarStandIns.h"
#include "ExtPopupMenuPaintQuery.h"
#include <algorithm>

namespace {

// The bar's answers when the window is a control bar (not a dock bar) of the bar layer.
const IExtBarPaintQuery* AsControlBar(const CObject* p) {
    const IExtBarPaintQuery* q = ExtBarPaintQueryOf(p);
    return q != NULL && q->IsControlBarKind() ? q : NULL;
}

void Frame(CDC& dc, const CRect& rc, COLORREF clr) { dc.Draw3dRect(&rc, clr, clr); }

}  // namespace

// ---- bar layout ---------------------------------------------------------------------------------

void CExtPaintManager::DeflateBarRect(CWnd* pBar, CRect& rc) {
    const IExtBarPaintQuery* p = AsControlBar(pBar);
    if (p != NULL && p->QueryDockedVertically())
        rc.DeflateRect(1, 3);
    else
        rc.DeflateRect(3, 1);
}

int CExtPaintManager::GetBarBorderGap(CWnd* pBar) {
    const IExtBarPaintQuery* p = AsControlBar(pBar);
    return p != NULL && p->QueryBarKind() == IExtBarPaintQuery::kindMenuBar ? 0 : 6;
}

void CExtPaintManagerOffice2003::DeflateBarRect(CWnd* pBar, CRect& rc) {
    if (GetScreenBitsPerPixel() > 8)
        return;
    CExtPaintManagerXP::DeflateBarRect(pBar, rc);
    const IExtBarPaintQuery* p = AsControlBar(pBar);
    if (p != NULL && p->QueryDockedVertically())
        rc.InflateRect(0, 2);
    else
        rc.InflateRect(2, 0);
}

int CExtPaintManagerOffice2003::GetBarBorderGap(CWnd* pBar) {
    const IExtBarPaintQuery* p = AsControlBar(pBar);
    if (GetScreenBitsPerPixel() > 8 && p != NULL && p->QueryDocked() && (p->QueryPaintOptOuts() & 2) == 0)
        return 0;
    return CExtPaintManagerXP::GetBarBorderGap(pBar);
}

bool CExtPaintManagerOffice2003::IsBarBackgroundThemed(CWnd* pBar) {
    const IExtBarPaintQuery* p = AsControlBar(pBar);
    return GetScreenBitsPerPixel() > 8 && p != NULL && p->QueryDockSite() != NULL && p->QueryDocked() &&
           (p->QueryBarStyle() & 4) == 0 && (p->QueryPaintOptOuts() & 2) == 0 &&
           p->QueryBarKind() != IExtBarPaintQuery::kindMenuBar &&
           p->QueryBarKind() != IExtBarPaintQuery::kindPanelBar;
}

void CExtPaintManagerOffice2003::PaintBarBackground(CDC& dc, const RECT& rc, CWnd*) {
    FillGradientRect(dc, rc, GetColor(3016), GetColor(3010), true, 256);
}

COLORREF CExtPaintManagerOffice2003::GetShadowAdjustColor() {
    COLORREF clrA, clrB;
    if (!UseLunaColors() || !GetLunaBaseColors(clrA, clrB) || clrA == (COLORREF)-1)
        return (COLORREF)-1;
    return AdjustColorHsl(clrA, 0.0, -0.6, 0.5);
}

void CExtPaintManagerOffice2003::PaintToolBarDecoration(CDC& dc, CObject* pObject) {
    const IExtBarButtonPaintQuery* pButton = ExtBarButtonPaintQueryOf(pObject);
    if (GetScreenBitsPerPixel() <= 8 || pButton == NULL)
        return;
    const CRect rcButton = pButton->QueryButtonRect();
    CRect rc(rcButton);
    rc.DeflateRect(1, 1);
    FillGradientRect(dc, rc, GetColor(3016), GetColor(3015), true, 256);
    const IExtBarPaintQuery* pBar = AsControlBar(pButton->QueryButtonBar());
    if (pBar != NULL && pBar->QueryDockedVertically() &&
        pButton->QueryButtonKind() != IExtBarButtonPaintQuery::kindColorButton && !pButton->QuerySeparatedDropDown())
        Frame(dc, rcButton, GetColor(2004));
}

// ---- menu borders and joints --------------------------------------------------------------------

void CExtPaintManager::PaintMenuBorder(CDC& dc, const RECT& rect, CObject*) {
    CRect rc(rect);
    if (rc.IsRectEmpty())
        return;
    dc.Draw3dRect(&rc, GetColor(1000), GetColor(1008));
    rc.DeflateRect(1, 1);
    dc.Draw3dRect(&rc, GetColor(1004), GetColor(1006));
    for (int i = 0; i < 2; i++) {
        rc.DeflateRect(1, 1);
        Frame(dc, rc, GetColor(1000));
    }
}

void CExtPaintManagerXP::PaintMenuBorder(CDC& dc, const RECT& rect, CObject*) {
    CRect rc(rect);
    if (rc.IsRectEmpty())
        return;
    Frame(dc, rc, GetColor(2007));
    rc.DeflateRect(1, 1);
    Frame(dc, rc, GetColor(2001));
    // the second inner frame shares the first's left and top edges
    Frame(dc, CRect(rc.left, rc.top, rc.right - 1, rc.bottom - 1), GetColor(2001));
}

void CExtPaintManager::PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT& rcMenu, int,
                                             CObject*) {
    const int nSaved = dc.SaveDC();
    dc.IntersectClipRect(&rcMenu);
    dc.FillSolidRect(&rcArea, GetColor(1000));
    dc.RestoreDC(nSaved);
}

void CExtPaintManagerXP::PaintCombinedAreaLines(CDC& dc, const CRect& rc, int eAlign, COLORREF clr) {
    const bool bTop = eAlign != CombineBottom, bBottom = eAlign != CombineTop;
    const bool bLeft = eAlign != CombineRight, bRight = eAlign != CombineLeft;
    if (bTop)
        dc.FillSolidRect(rc.left, rc.top, rc.Width(), 1, clr);
    if (bBottom)
        dc.FillSolidRect(rc.left, rc.bottom - 1, rc.Width(), 1, clr);
    if (bLeft)
        dc.FillSolidRect(rc.left, rc.top, 1, rc.Height(), clr);
    if (bRight)
        dc.FillSolidRect(rc.right - 1, rc.top, 1, rc.Height(), clr);
}

void CExtPaintManagerXP::PaintMenuCombinedArea(CDC& dc, const RECT& rcArea, const RECT&, int eAlign,
                                               CObject*) {
    const CRect rc(rcArea);
    if (rc.IsRectEmpty())
        return;
    CRect rcFill(rc);
    rcFill.DeflateRect(1, 1);
    dc.FillSolidRect(&rcFill, GetColor(2000));
    PaintCombinedAreaLines(dc, rc, eAlign, GetColor(2007));
}

void CExtPaintManagerOffice2003::PaintMenuCombinedArea(CDC& dc, const RECT& rcArea,
                                                       const RECT& rcMenu, int eAlign,
                                                       CObject* pHelperSrc) {
    // a menu dropped from a button of a docked tool bar continues the button's colour
    const IExtPopupMenuPaintQuery* pPopup = ExtPopupMenuPaintQueryOf(pHelperSrc);
    const IExtBarPaintQuery* pBar = pPopup != NULL ? AsControlBar(pPopup->QueryDroppedFromBar()) : NULL;
    const IExtBarButtonPaintQuery* pButton = pBar != NULL ? ExtBarButtonPaintQueryOf(pBar->QueryMenuTrackingButton()) : NULL;
    const CRect rc(rcArea);
    if (GetScreenBitsPerPixel() <= 8 || pButton == NULL || pBar->QueryFloating() ||
        pBar->QueryBarKind() == IExtBarPaintQuery::kindMenuBar ||
        pButton->QueryButtonKind() == IExtBarButtonPaintQuery::kindChevron || rc.IsRectEmpty()) {
        CExtPaintManagerXP::PaintMenuCombinedArea(dc, rcArea, rcMenu, eAlign, pHelperSrc);
        return;
    }
    dc.FillSolidRect(&rc, GetColor(3008));
    PaintCombinedAreaLines(dc, rc, eAlign, GetColor(2007));
}

// ---- combo frames and text fields ---------------------------------------------------------------

void CExtPaintManagerXP::PaintComboFrameXp(CDC& dc, ComboFramePaintData& data, COLORREF clrOuter,
                                           COLORREF clrButton, COLORREF clrButtonFrame) {
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    if (rc.IsRectEmpty())
        return;
    Frame(dc, rc, clrOuter);
    rc.DeflateRect(1, 1);
    Frame(dc, rc, GetColor(data.m_bEnabled ? COLOR_WINDOW : 1000));
    rc.DeflateRect(1, 1);
    CRect rcButton(rc);
    rcButton.left = std::max(rc.left, (int)(rc.right - ::GetSystemMetrics(SM_CXHTHUMB)));
    dc.FillSolidRect(&rcButton, clrButton);
    if (clrButtonFrame != (COLORREF)-1)
        Frame(dc, rcButton, clrButtonFrame);
    CFont font;
    CreateComboArrowFont(dc, font);
    CFont* pOld = dc.SelectObject(&font);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    // a pushed button has the selection colour: its arrow takes the selected text colour
    const int nArrow = !data.m_bEnabled ? COLOR_3DSHADOW : data.m_bPushed ? 2006 : 1010;
    const COLORREF clrOld = dc.SetTextColor(GetColor(nArrow));
    dc.DrawText("6", 1, &rcButton, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOld);
}

void CExtPaintManagerXP::PaintComboFrame(CDC& dc, ComboFramePaintData& data) {
    auto pick = [this](COLORREF clrForce, int nIndex) {
        return clrForce != (COLORREF)-1 ? clrForce : GetColor(nIndex);
    };
    const bool bHot = data.m_bEnabled && (data.m_bHover || data.m_bPushed);
    if (bHot)
        PaintComboFrameXp(dc, data, pick(data.m_clrForceActiveOuterBorder, 2004),
                          GetColor(data.m_bPushed ? 2004 : 2001), GetColor(2004));
    else
        PaintComboFrameXp(dc, data, pick(data.m_clrForceNABorder, 1000),
                          pick(data.m_clrForceNAContent, 1000), (COLORREF)-1);
}

void CExtPaintManagerOffice2003::PaintComboFrame(CDC& dc, ComboFramePaintData& data) {
    if (GetScreenBitsPerPixel() <= 8 || data.m_pOwner == NULL ||
        ExtBarButtonPaintQueryOf(data.m_pOwner) == NULL) {
        CExtPaintManagerXP::PaintComboFrame(dc, data);
        return;
    }
    // a combo on a tool bar: the edit area stays as it is
    CRect rc(data.m_rc);
    rc.NormalizeRect();
    CRect rcEdit(rc);
    rcEdit.DeflateRect(2, 2);
    rcEdit.right = std::max(rcEdit.left, (int)(rcEdit.right - ::GetSystemMetrics(SM_CXHTHUMB)));
    const int nSaved = dc.SaveDC();
    dc.ExcludeClipRect(&rcEdit);
    const bool bHot = data.m_bEnabled && (data.m_bHover || data.m_bPushed);
    PaintComboFrameXp(dc, data, GetColor(bHot ? 2004 : COLOR_WINDOW),
                      GetColor(bHot ? 2004 : COLOR_MENU), bHot ? GetColor(2004) : (COLORREF)-1);
    dc.RestoreDC(nSaved);
}

void CExtPaintManager::PaintTextField(CDC& dc, TextFieldPaintData& data) {
    typedef TextFieldPaintData T;
    const bool bActive = (data.m_nFlags & T::Active) != 0;
    if (data.m_nFlags & T::AsCombo) {
        ComboFramePaintData combo(data.m_pOwner, data.m_rc, (data.m_nFlags & T::Hover) != 0,
                                  (data.m_nFlags & T::Pushed) != 0, true);
        PaintComboFrame(dc, combo);
    } else if (bActive && (data.m_nFlags & (T::Hover | T::Pushed)) != 0) {
        dc.Draw3dRect(&data.m_rc, GetColor(COLOR_3DHILIGHT), GetColor(COLOR_3DSHADOW));
    }
    dc.FillSolidRect(&data.m_rcText, GetColor(bActive ? COLOR_WINDOW : COLOR_3DFACE));
    if (data.m_sText == NULL || data.m_sText[0] == 0)
        return;
    CFont* pOld = dc.SelectObject(&m_fonts[FontNormal]);
    const int nOldMode = dc.SetBkMode(TRANSPARENT);
    const COLORREF clrOld = dc.SetTextColor(GetColor(COLOR_BTNTEXT));
    CRect rcText(data.m_rcText);
    rcText.left += 5;
    rcText.top += 2;
    dc.DrawText(data.m_sText, -1, &rcText, data.m_nDrawTextFlags);
    dc.SetTextColor(clrOld);
    dc.SetBkMode(nOldMode);
    dc.SelectObject(pOld);
}

void CExtPaintManagerXP::PaintTextField(CDC& dc, TextFieldPaintData& data) {
    typedef TextFieldPaintData T;
    if ((data.m_nFlags & T::AsCombo) == 0) {
        // the hot frame: flat, round the text rectangle
        if ((data.m_nFlags & T::Active) != 0 && (data.m_nFlags & (T::Hover | T::Pushed)) != 0) {
            CRect rcFrame(data.m_rcText);
            rcFrame.InflateRect(1, 1);
            Frame(dc, rcFrame, GetColor(2004));
        }
        // the classic fill and text, without its frame
        TextFieldPaintData plain(data);
        plain.m_nFlags &= ~(UINT)(T::Hover | T::Pushed);
        CExtPaintManager::PaintTextField(dc, plain);
        return;
    }
    CExtPaintManager::PaintTextField(dc, data);
}
