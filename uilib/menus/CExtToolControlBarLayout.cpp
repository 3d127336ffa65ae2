// The tool bar's sizes for the docking layout and the placement of its buttons, over the plain
// functions of ExtToolBarLayout.
#include "CExtToolControlBar.h"
#include "CExtBarContentExpandButton.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarNcGeometry.h"
#include <algorithm>

using ExtToolBarLayout::Item;

namespace {

// The bar's font selected into a client DC for measuring.
class BarMeasureDC {
public:
    BarMeasureDC(CExtToolControlBar* pBar, bool bVerticalFont)
        : m_dc(pBar->GetSafeHwnd() != NULL ? pBar : NULL), m_pOld(m_dc.SelectObject(pBar->GetBarFont(bVerticalFont))) {}
    ~BarMeasureDC() {
        if (m_pOld != NULL)
            m_dc.SelectObject(m_pOld);
    }
    CDC& dc() { return m_dc; }

private:
    CClientDC m_dc;
    CFont* m_pOld;
};

}  // namespace

// The frame a docked bar's window puts around its client area (gripper, the look's borders) in
// the orientation asked for; nothing for a floating bar or a bar in a dialog.
CSize CExtToolControlBar::DockedNcExtents(bool bHorz) {
    if (GetSafeHwnd() == NULL || m_pDockBar == NULL || IsFloating() || (m_nOptions & optInDialog) != 0)
        return CSize(0, 0);
    const int kProbe = 1000;
    ExtBarNcGeometry::NcInput in;
    in.rcWindow.SetRect(0, 0, kProbe, kProbe);
    if (bHorz)
        in.nDockBarID = IsDockedAtBottom() ? AFX_IDW_DOCKBAR_BOTTOM : AFX_IDW_DOCKBAR_TOP;
    else
        in.nDockBarID = IsDockedAtRight() ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_LEFT;
    in.bFixedSize = true;
    in.bCaption = (m_dwStyle & CBRS_GRIPPER) != 0;
    in.bHorzCaption = (m_nOptions & optHorzCaption) != 0 || !bHorz;
    in.nCaptionHeight = m_nCaptionHeight;
    in.nGripperWidth = m_nGripperWidth;
    in.nSeparatorAcross = m_nSeparatorHeight;
    in.nSeparatorAlong = m_nSeparatorWidth;
    CRect rc(in.rcWindow);
    g_PaintManager->DeflateBarRect(this, rc);
    in.rcWindow = rc;
    const ExtBarNcGeometry::NcLayout out = ExtBarNcGeometry::CalcDockedNcLayout(in);
    return CSize(kProbe - out.rcClient.Width(), kProbe - out.rcClient.Height());
}

int CExtToolControlBar::RowGap() { return g_PaintManager->GetBarBorderGap(this); }

std::vector<Item> CExtToolControlBar::MeasureItems(CDC& dc, bool bHorz) {
    const int nWrapIndex = GetWrapIndex();
    std::vector<Item> items;
    for (int i = 0; i < GetButtonsCount(); i++) {
        CExtBarButton* p = m_buttons[i];
        if (p == m_pChevron)
            break;
        Item it;
        it.bSeparator = p->IsSeparator();
        it.bHidden = (p->GetStyle() & TBBS_HIDDEN) != 0 || IsSeparatorBeforeHidden(i);
        it.bWrap = p->IsLineBreak(nWrapIndex);
        if (!it.bHidden)
            it.size = p->MeasureButton(&dc, GetButtonDefaultSize(), bHorz);
        items.push_back(it);
    }
    return items;
}

ExtToolBarLayout::Frame CExtToolControlBar::LayoutFrame() const {
    ExtToolBarLayout::Frame frame;
    frame.sizeDefault = GetButtonDefaultSize();
    frame.nRowGap = const_cast<CExtToolControlBar*>(this)->RowGap();
    frame.rcBorders = CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    frame.bFloating = GetSafeHwnd() != NULL && IsFloating();
    frame.bPanel = IsPanelMode();
    frame.sizeChevronPad = g_PaintManager->GetBarButtonPadding();
    return frame;
}

int CExtToolControlBar::WrapButtonsHorizontally(int nWidth, int) {
    if (GetButtonsCount() == 0)
        return 1;
    const bool bHorz = IsHorizontalBar() || IsPanelMode();
    BarMeasureDC mdc(this, !bHorz);
    std::vector<Item> items = MeasureItems(mdc.dc(), bHorz);
    const int nRows = ExtToolBarLayout::WrapHorizontally(items, nWidth, IsPanelMode());
    const int nWrapIndex = GetWrapIndex();
    for (size_t i = 0; i < items.size(); i++)
        if (!IsPanelMode())
            m_buttons[(int)i]->SetLineBreak(nWrapIndex, items[i].bWrap);
    return nRows;
}

void CExtToolControlBar::SizeButtons(int nLength, bool) {
    if (GetButtonsCount() == 0 || IsPanelMode())
        return;
    const bool bFloating = (GetSafeHwnd() != NULL && IsFloating()) || (m_dwStyle & CBRS_FLOATING) != 0;
    if (!bFloating) {
        WrapButtonsHorizontally(nLength);
        return;
    }
    BarMeasureDC mdc(this, false);
    std::vector<Item> items = MeasureItems(mdc.dc(), true);
    ExtToolBarLayout::FitFloatingWidth(items, nLength, GetButtonDefaultSize().cx);
    const int nWrapIndex = GetWrapIndex();
    for (size_t i = 0; i < items.size(); i++)
        m_buttons[(int)i]->SetLineBreak(nWrapIndex, items[i].bWrap);
}

CSize CExtToolControlBar::CalcButtonsSize(bool bVertical) {
    if (GetButtonsCount() == 0)
        return GetButtonDefaultSize();
    const bool bHorzMeasure = !(bVertical && !IsPanelMode());
    BarMeasureDC mdc(this, !bHorzMeasure);
    std::vector<Item> items = MeasureItems(mdc.dc(), bHorzMeasure);
    Item chevron;
    if (m_pChevron != NULL)
        chevron.size = m_pChevron->MeasureButton(&mdc.dc(), GetButtonDefaultSize(), bHorzMeasure);
    return ExtToolBarLayout::ButtonsSize(items, m_pChevron != NULL ? &chevron : NULL, bVertical, LayoutFrame());
}

CSize CExtToolControlBar::CalcCurrentLayoutSize(DWORD nMode, int nLength) {
    CSize size = GetButtonDefaultSize();
    const bool bHorz = (nMode & LM_HORZ) != 0;
    const bool bFloating = (GetSafeHwnd() != NULL && IsFloating()) ||
                           ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 && (m_dwStyle & CBRS_FLOATING) != 0);
    if (GetButtonsCount() > 0) {
        int nWrap = bHorz ? 32767 : 0;
        if ((m_dwStyle & CBRS_SIZE_DYNAMIC) != 0) {
            if (nMode & LM_MRUWIDTH) {
                nWrap = m_nMRUWidth;
            } else if (nMode & LM_HORZDOCK) {
                nWrap = 32767;
            } else if (nMode & LM_VERTDOCK) {
                nWrap = 0;
            } else if (nLength != -1) {
                CRect rcInside(0, 0, 0, 0);
                CalcInsideRect(rcInside, bHorz);
                nWrap = nLength + ((nMode & LM_LENGTHY) ? rcInside.Height() : rcInside.Width());
            } else if (m_dwStyle & CBRS_FLOATING) {
                nWrap = m_nMRUWidth;
            }
        }
        // a docked bar that breaks its rows does so at its own width
        if (!bFloating && bHorz && IsDockedWrapEnabled() && GetSafeHwnd() != NULL && m_pDockBar != NULL) {
            CRect rcClient;
            GetClientRect(&rcClient);
            if (rcClient.Width() > 0)
                nWrap = rcClient.Width() - m_cxLeftBorder - m_cxRightBorder;
        }
        SizeButtons(nWrap, false);
        size = CalcButtonsSize(!bHorz);
        if ((nMode & LM_COMMIT) && (m_dwStyle & (CBRS_FLOATING | CBRS_SIZE_DYNAMIC)) && bHorz)
            m_nMRUWidth = size.cx;
        CRect rcInside(0, 0, 0, 0);
        CalcInsideRect(rcInside, bHorz);
        size.cx -= rcInside.Width();
        size.cy -= rcInside.Height();
        // the row gives the bar its window: the gripper and the look's frame come on top
        if (!bFloating)
            size += DockedNcExtents(bHorz);
        const CSize sizeBase = CControlBar::CalcFixedLayout((nMode & LM_STRETCH) != 0, bHorz);
        size.cx = std::max(size.cx, sizeBase.cx);
        size.cy = std::max(size.cy, sizeBase.cy);
    }
    if (bFloating) {
        size.cx = std::max((int)size.cx, 2 * (int)GetButtonDefaultSize().cx);
        m_sizeFloated = size;
    } else if (bHorz) {
        m_sizeDockedH = size;
    } else {
        m_sizeDockedV = size;
    }
    if (m_pDockSite == NULL) {
        if (bHorz)
            size.cy += 4;
        else
            size.cx += 4;
    }
    return size;
}

CSize CExtToolControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    return CalcCurrentLayoutSize((bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0), -1);
}

CSize CExtToolControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if (nLength == -1 && (nMode & (LM_MRUWIDTH | LM_COMMIT)) == 0 && (nMode & (LM_HORZDOCK | LM_VERTDOCK)) != 0)
        return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & LM_HORZDOCK) != 0);
    return CalcCurrentLayoutSize(nMode, nLength);
}

CSize CExtToolControlBar::CalcMinimalSize(bool bHorz) {
    CSize size(0, 0);
    if (GetSafeHwnd() == NULL)
        return size;
    BarMeasureDC mdc(this, !bHorz && !IsPanelMode());
    if (m_pChevron != NULL)
        size = m_pChevron->MeasureButton(&mdc.dc(), GetButtonDefaultSize(), bHorz);
    int nSmallest = 0;
    for (int i = 0; i < GetButtonsCount(); i++) {
        CExtBarButton* p = m_buttons[i];
        if (p == m_pChevron || p->IsSeparator() || (p->GetStyle() & TBBS_HIDDEN) != 0)
            continue;
        const CSize s = p->MeasureButton(&mdc.dc(), GetButtonDefaultSize(), bHorz);
        const int e = bHorz ? s.cx : s.cy;
        if (nSmallest == 0 || e < nSmallest)
            nSmallest = e;
    }
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    if (bHorz)
        size.cx += nSmallest + rcWindow.Width() - rcClient.Width();
    else
        size.cy += nSmallest + rcWindow.Height() - rcClient.Height();
    return size;
}

// The least size in a row: the chevron and the smallest button along the bar (without the
// non-client extents, which the row adds), the bar's own thickness across it.
CSize CExtToolControlBar::GetMinSize() const {
    CExtToolControlBar* pThis = const_cast<CExtToolControlBar*>(this);
    const bool bHorz = (m_dwStyle & CBRS_ORIENT_VERT) == 0;
    const CSize sizeIdeal = pThis->CalcFixedLayout(FALSE, bHorz);
    if (GetSafeHwnd() == NULL || m_pChevron == NULL || IsPanelMode() || IsDockedWrapEnabled())
        return sizeIdeal;
    CSize size = pThis->CalcMinimalSize(bHorz);
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    if (bHorz) {
        // the row adds the non-client extents itself
        size.cx -= rcWindow.Width() - rcClient.Width();
        size.cx = std::min(size.cx + m_cxLeftBorder + m_cxRightBorder, sizeIdeal.cx);
        size.cy = sizeIdeal.cy;
    } else {
        size.cy -= rcWindow.Height() - rcClient.Height();
        size.cy = std::min(size.cy + m_cyTopBorder + m_cyBottomBorder, sizeIdeal.cy);
        size.cx = sizeIdeal.cx;
    }
    return size;
}

void CExtToolControlBar::AdjustButtonsLayout() {
    if (GetSafeHwnd() == NULL || GetButtonsCount() == 0)
        return;
    CRect rcClient;
    GetClientRect(&rcClient);
    CRect rcWork(rcClient.left + m_cxLeftBorder, rcClient.top + m_cyTopBorder, rcClient.right - m_cxRightBorder,
                 rcClient.bottom - m_cyBottomBorder);
    const bool bHorz = IsHorizontalBar();
    const bool bPanel = IsPanelMode();
    const bool bFloating = IsFloating();
    const bool bDockedWrap = !bFloating && !bPanel && IsDockedWrapEnabled();
    const bool bMeasureHorz = bHorz || bPanel;
    BarMeasureDC mdc(this, !bMeasureHorz);
    const bool bChevronMode = !bFloating && !bPanel && !bDockedWrap && m_pChevron != NULL;

    if (m_pChevron != NULL) {
        m_pChevron->GetHiddenButtons().RemoveAll();
        const CSize size = m_pChevron->MeasureButton(&mdc.dc(), GetButtonDefaultSize(), bMeasureHorz);
        if (bChevronMode) {
            const CSize pad = g_PaintManager->GetBarButtonPadding();
            if (bHorz) {
                m_pChevron->SetRect(CRect(rcWork.right - size.cx, rcWork.top, rcWork.right, rcWork.bottom));
                rcWork.right -= size.cx + pad.cx;
            } else {
                m_pChevron->SetRect(CRect(rcWork.left, rcWork.bottom - size.cy, rcWork.right, rcWork.bottom));
                rcWork.bottom -= size.cy + pad.cy;
            }
            m_pChevron->Show(true);
        } else {
            m_pChevron->Show(false);
            m_pChevron->SetRect(CRect(rcWork.left, rcWork.top, rcWork.left + size.cx, rcWork.top + size.cy));
        }
    }
    std::vector<Item> items = MeasureItems(mdc.dc(), bMeasureHorz);
    if (items.empty())
        return;
    const int nWrapIndex = GetWrapIndex();
    if (bDockedWrap) {
        // a docked bar that wraps breaks its rows at its own width and hides nothing
        ExtToolBarLayout::WrapHorizontally(items, rcWork.Width(), false);
        for (size_t i = 0; i < items.size(); i++)
            m_buttons[(int)i]->SetLineBreak(nWrapIndex, items[i].bWrap);
    }
    ExtToolBarLayout::PlaceParams params;
    params.rcWork = rcWork;
    params.bHorz = bHorz;
    params.bFloating = bFloating;
    params.bPanel = bPanel;
    params.bWrapRows = bFloating || bPanel || bDockedWrap;
    params.nRowGap = RowGap();
    params.nDefaultThickness = GetButtonDefaultSize().cy;
    params.nSeparatorGrow = g_PaintManager->NeedsDockerBackground(this) ? 2 : 1;
    params.rcBorders = CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder);
    const std::vector<int> hidden = ExtToolBarLayout::Place(items, params);

    const CSize sizeShift = bPanel ? (bHorz ? CSize(0, 2) : CSize(2, 0)) : CSize(0, 0);
    for (size_t i = 0; i < items.size(); i++) {
        CExtBarButton* p = m_buttons[(int)i];
        p->SetVertDocked(!bHorz && !bPanel);
        CRect rc = items[i].rc;
        if (items[i].bVisible)
            rc.OffsetRect(sizeShift);
        p->Show(items[i].bVisible);
        p->SetRect(rc);
    }
    if (bChevronMode) {
        for (int nIndex : hidden)
            m_pChevron->GetHiddenButtons().Add(m_buttons[nIndex]);
    }
    if (m_pChevron != NULL && (m_nOptions & optInDialog) != 0) {
        if (m_pChevron->GetHiddenButtons().GetSize() == 0)
            m_pChevron->ModifyStyle(TBBS_DISABLED, 0);
        else
            m_pChevron->ModifyStyle(0, TBBS_DISABLED);
    }
}
