// The control bar's frame: which edges carry splitters, the non-client size (splitters, caption
// or side gripper, client area), the non-client hit test, the painting of the frame and of the
// client area through the current look, and the caption buttons' bookkeeping.
#include "CExtControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtBarNcAreaButton.h"
#include "CExtDockBar.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarNcGeometry.h"
#include "ExtNcPaint.h"
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"

namespace {

bool IsResizableExtBar(const CControlBar* p) {
    const CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, const_cast<CControlBar*>(p));
    return pExt != NULL && !pExt->IsFixedSizeBar();
}

// The side id for the geometry: the dock bar's, or from the style for a bar in a dialog.
UINT SideOf(const CExtControlBar* pBar) {
    if (pBar->IsDockedAtTop())
        return AFX_IDW_DOCKBAR_TOP;
    if (pBar->IsDockedAtBottom())
        return AFX_IDW_DOCKBAR_BOTTOM;
    if (pBar->IsDockedAtLeft())
        return AFX_IDW_DOCKBAR_LEFT;
    if (pBar->IsDockedAtRight())
        return AFX_IDW_DOCKBAR_RIGHT;
    return AFX_IDW_DOCKBAR_TOP;
}

}  // namespace

bool CExtControlBar::IsBarWithGripper(bool* pbHorzCaption, bool* pbHasGripper) const {
    if (pbHorzCaption != NULL)
        *pbHorzCaption = false;
    if (pbHasGripper != NULL)
        *pbHasGripper = false;
    if (m_hWnd == NULL || !::IsWindow(m_hWnd) || (m_dwStyle & CBRS_GRIPPER) == 0 || IsFloating())
        return false;
    if (pbHasGripper != NULL)
        *pbHasGripper = true;
    if (pbHorzCaption != NULL)
        *pbHorzCaption = (m_nOptions & optHorzCaption) != 0 || IsDockedVertically();
    return true;
}

void CExtControlBar::CalcNcSplitterEdges(bool* pbLeft, bool* pbTop, bool* pbRight, bool* pbBottom) const {
    ExtBarNcGeometry::Edges edges;
    CExtDockBar* pDockBar = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
    if (!IsFixedSizeBar() && m_pDockSite != NULL && pDockBar != NULL && pDockBar->m_arrBars.GetSize() > 1) {
        const CPtrArray& arr = pDockBar->m_arrBars;
        const int nCount = (int)arr.GetSize();
        int nIndex = -1;
        for (int i = 0; i < nCount && nIndex < 0; i++)
            if (arr[i] == this)
                nIndex = i;
        if (nIndex >= 0) {
            ExtBarNcGeometry::RowPosition pos;
            // from the bar outward (nStep -1 or 1): a visible bar before the first row end
            // is in its row, one after it in another row
            auto walk = [&](int nStep, bool& bRowEnd, bool& bOtherRows) {
                bool bInRow = true;
                for (int i = nIndex + nStep; i >= 0 && i < nCount; i += nStep) {
                    void* p = arr[i];
                    if (p == NULL) {
                        bInRow = false;
                        continue;
                    }
                    if (ExtIsPlaceHolder(p) || !static_cast<CControlBar*>(p)->IsVisible())
                        continue;
                    if (bInRow)
                        bRowEnd = false;
                    else
                        bOtherRows = true;
                }
            };
            walk(-1, pos.bFirstInRow, pos.bEarlierRows);
            walk(1, pos.bLastInRow, pos.bLaterRows);
            // a container's inner dock bar is the child of the container, a control bar
            const bool bInContainer = DYNAMIC_DOWNCAST(CExtControlBar, pDockBar->GetParent()) != NULL;
            const UINT nID = (UINT)pDockBar->GetDlgCtrlID();
            const bool bSide = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM ||
                               nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
            if (bInContainer || bSide)
                edges = ExtBarNcGeometry::SplitterEdges(nID, pDockBar->GetCircleNo(), bInContainer, pos);
        }
    }
    if (pbLeft != NULL)
        *pbLeft = edges.bLeft;
    if (pbTop != NULL)
        *pbTop = edges.bTop;
    if (pbRight != NULL)
        *pbRight = edges.bRight;
    if (pbBottom != NULL)
        *pbBottom = edges.bBottom;
}

bool CExtControlBar::HasLeadingSplitter() const {
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    int nThis = -1;
    for (int i = 0; i < (int)arr.GetSize() && nThis < 0; i++)
        if (arr[i] == this)
            nThis = i;
    if (nThis < 2 || IsResizableExtBar(arr[nThis - 1]))
        return false;
    for (int i = 0; i < nThis - 1; i++)
        if (IsResizableExtBar(arr[i]))
            return true;
    return false;
}

// ---- Non-client size ----------------------------------------------------------------------------

void CExtControlBar::NcCalcSize(RECT* pRect) {
    CRect rcWindow(*pRect);
    if (m_pDockBar == NULL && (m_nOptions & optInDialog) == 0)
        return;   // the whole window is client area
    if (IsFloating()) {
        // a floating frame draws the caption; a resizable bar keeps a one-pixel border
        if (!IsFixedSizeBar())
            ::InflateRect(pRect, -1, -1);
        return;
    }
    m_rcGrip.SetRectEmpty();
    m_rcRowResize.SetRectEmpty();
    m_rcRowRecalc.SetRectEmpty();
    m_rcRowRecalcUp.SetRectEmpty();
    ExtBarNcGeometry::NcInput in;
    in.rcWindow.SetRect(0, 0, rcWindow.Width(), rcWindow.Height());
    in.nDockBarID = SideOf(this);
    in.bFixedSize = IsFixedSizeBar();
    CalcNcSplitterEdges(&in.edges.bLeft, &in.edges.bTop, &in.edges.bRight, &in.edges.bBottom);
    in.bCaption = IsBarWithGripper(&in.bHorzCaption, NULL);
    in.nCaptionHeight = m_nCaptionHeight;
    in.nGripperWidth = m_nGripperWidth;
    in.nSeparatorAcross = m_nSeparatorHeight;
    in.nSeparatorAlong = m_nSeparatorWidth;
    if (in.bFixedSize) {
        CRect rc(in.rcWindow);
        g_PaintManager->DeflateBarRect(this, rc);
        in.rcWindow = rc;
    } else {
        in.bLeadingSplitter = HasLeadingSplitter();
    }
    const ExtBarNcGeometry::NcLayout out = ExtBarNcGeometry::CalcDockedNcLayout(in);
    m_rcGrip = out.rcCaption;
    m_rcRowResize = out.rcRowSplitter;
    m_rcRowRecalc = out.rcColumnSplitter;
    m_rcRowRecalcUp = out.rcLeadingSplitter;
    m_nMinHW = out.nMinHorz;
    m_nMinVH = out.nMinVert;
    CreateCaptionButtons();
    LayoutCaptionButtons();
    CRect rcClient(out.rcClient);
    rcClient.OffsetRect(rcWindow.TopLeft());
    *pRect = rcClient;
}

// ---- Non-client hit test ------------------------------------------------------------------------

bool CExtControlBar::NcPointFromScreen(CPoint ptScreen, CPoint& pt) const {
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    ClientToScreen(&rcClient);
    if (rcWindow == rcClient)
        return false;
    pt = ptScreen - rcWindow.TopLeft();
    return true;
}

UINT CExtControlBar::NcHitTest(CPoint ptScreen) {
    if (GetCurrentDragBar() != NULL)
        return HTNOWHERE;
    const UINT nButton = HitTestCaptionButtons(ptScreen, NULL);
    if (nButton != HTCLIENT) {
        m_nStates |= 4;
        return nButton;
    }
    if (m_nStates & 4) {
        PostMessage(WM_NCPAINT);
        m_nStates &= ~4;
    }
    if (IsFixedSizeBar() || IsFloating())
        return HTCLIENT;
    CPoint pt;
    if (!NcPointFromScreen(ptScreen, pt))
        return HTCLIENT;
    const bool bHorz = IsDockedHorizontally();
    if (m_rcRowResize.PtInRect(pt))
        return bHorz ? HTBOTTOM : HTRIGHT;
    if (m_rcRowRecalc.PtInRect(pt)) {
        if (IsLastInRow(true))
            return HTCLIENT;
        return IsColumnSplitterActive() ? (bHorz ? HTRIGHT : HTBOTTOM) : HTCLIENT;
    }
    if (m_rcRowRecalcUp.PtInRect(pt)) {
        if (IsFirstInRow(true))
            return HTCLIENT;
        return IsLeadingSplitterActive() ? (bHorz ? HTLEFT : HTTOP) : HTCLIENT;
    }
    return HTCLIENT;   // the caption too: a press there starts a drag
}

UINT CExtControlBar::HitTestCaptionButtons(CPoint ptScreen, CExtBarNcAreaButton** ppBtn) {
    if (ppBtn != NULL)
        *ppBtn = NULL;
    if (m_hWnd == NULL || m_arrCaptionButtons.GetSize() == 0)
        return HTCLIENT;
    // a floating bar's buttons are in its floating frame's caption (the library's mini frame)
    CWnd* pCaptionWnd = this;
    if (IsFloating()) {
        CExtMiniDockFrameWnd* pMini = DYNAMIC_DOWNCAST(CExtMiniDockFrameWnd, GetParentFrame());
        if (pMini == NULL || pMini->GetHostedBar() != this)
            return HTCLIENT;
        pCaptionWnd = pMini;
    }
    if (GetCurrentDragBar() != NULL || CExtPopupMenuWnd::IsAnyMenuTracked())
        return HTCLIENT;
    CRect rcWindow;
    pCaptionWnd->GetWindowRect(&rcWindow);
    const CPoint pt = ptScreen - rcWindow.TopLeft();
    const bool bDragging = (m_nTracking & trackDragging) != 0;
    const bool bResizing = (m_nTracking & (trackRowResizing | trackColumnResizing)) != 0;
    const BYTE nHotOrPressed = CExtBarNcAreaButton::stateHover | CExtBarNcAreaButton::statePressed;
    bool bRepaint = false;
    UINT nResult = HTCLIENT;
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++) {
        CExtBarNcAreaButton* pBtn = m_arrCaptionButtons[i];
        if (!pBtn->IsShown())
            continue;
        const BYTE nBefore = pBtn->m_nState;
        if (ppBtn == NULL && (nBefore & nHotOrPressed) != 0 && (bDragging || bResizing)) {
            // a mode under way: no button stays lit
            pBtn->m_nState &= ~nHotOrPressed;
            bRepaint = true;
            continue;
        }
        const UINT nHit = pBtn->HitTest(pt);
        if (pBtn->m_nState != nBefore)
            bRepaint = true;
        if (nHit == HTCLIENT)
            continue;
        if (ppBtn != NULL) {
            *ppBtn = pBtn;
            nResult = nHit;
            break;
        }
        if (nResult == HTCLIENT)
            nResult = nHit;
    }
    if (bRepaint && ppBtn == NULL)
        pCaptionWnd->SendMessage(WM_NCPAINT);
    return nResult;
}

// ---- Painting -----------------------------------------------------------------------------------

void CExtControlBar::NcPaint() {
    ExtPaintNcArea(this, [this](CDC& mdc, const CRect& rcWindow, const CRect& rcClient) {
        CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
        if (!(pPM->NeedsDockerBackground(this) && pPM->PaintDockerBackground(mdc, this)))
            mdc.FillSolidRect(&rcWindow, pPM->GetColor(1000));
        const bool bResizable = !IsFixedSizeBar();
        CExtPaintManager::DockingFramePaintData frame(this, rcWindow, rcClient, IsFloating(), bResizable, bResizable);
        pPM->PaintDockingFrame(mdc, frame);
        bool bHorzCaption = false;
        if (!IsBarWithGripper(&bHorzCaption, NULL) || IsFloating())
            return;
        const bool bSideGripper = IsDockedHorizontally() && (m_nOptions & optHorzCaption) == 0;
        CRect rcText(m_rcGrip);
        if (bSideGripper) {
            rcText.DeflateRect(0, 2);
            rcText.OffsetRect(-2, 0);
        } else {
            rcText.DeflateRect(2, 0);
        }
        AdjustCaptionTextRect(rcText);
        CString strText;
        GetCaptionText(strText);
        // a resizable bar shows a caption with its text (horizontal or turned); a fixed-size
        // bar a grip along the side of its row
        CExtPaintManager::GripperPaintData grip(this, m_rcGrip, rcText, (m_nStates & 1) != 0, false,
                                                bResizable ? !bSideGripper : IsDockedHorizontally(), bResizable,
                                                strText);
        pPM->PaintGripper(mdc, grip);
        PaintCaptionButtons(mdc);
    });
}

void CExtControlBar::DoPaint(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    if ((m_nTracking & trackFitChild) != 0 && !IsFixedSizeBar()) {
        CWnd* pChild = GetWindow(GW_CHILD);
        if (pChild != NULL && pChild->IsWindowVisible()) {
            CRect rcChild;
            pChild->GetWindowRect(&rcChild);
            ScreenToClient(&rcChild);
            if (rcChild == rcClient)
                return;   // the child covers it all
        }
    }
    if (rcClient.IsRectEmpty() || !pDC->RectVisible(&rcClient))
        return;
    CExtPaintManager::ExcludeChildAreas(pDC, m_hWnd);
    {
        CExtMemoryDC mdc(pDC, &rcClient, CExtMemoryDC::MDCOPT_TO_MEMORY | CExtMemoryDC::MDCOPT_FILL_SURFACE);
        FillBarClientArea(mdc, rcClient);
        g_PaintManager->EndPaintSession();
    }
}

void CExtControlBar::FillBarClientArea(CDC& dc, const RECT& rc) {
    CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
    if (m_pDockSite != NULL) {
        pPM->PaintControlBarClientArea(dc, rc, this);
        return;
    }
    if (pPM->NeedsDockerBackground(this) && pPM->PaintDockerBackground(dc, this))
        return;
    dc.FillSolidRect(&rc, pPM->GetColor(1000));
}

// ---- Caption buttons ----------------------------------------------------------------------------

void CExtControlBar::CreateCaptionButtons() {
    if (m_arrCaptionButtons.GetSize() != 0)
        return;
    m_arrCaptionButtons.Add(new CExtBarNcAreaButtonClose(this));
    m_arrCaptionButtons.Add(new CExtBarNcAreaButtonMenu(this));
}

void CExtControlBar::LayoutCaptionButtons() {
    CExtBarNcAreaButton* pPrev = NULL;
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++) {
        CExtBarNcAreaButton* pBtn = m_arrCaptionButtons[i];
        pBtn->Reposition(pPrev);
        if (pBtn->IsShown())
            pPrev = pBtn;
    }
}

void CExtControlBar::PaintCaptionButtons(CDC& dc) {
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        if (m_arrCaptionButtons[i]->IsShown())
            m_arrCaptionButtons[i]->Paint(dc);
}

void CExtControlBar::DestroyCaptionButtons() {
    for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++)
        m_arrCaptionButtons[i]->Destroy();
    m_arrCaptionButtons.RemoveAll();
    m_arrCaptionButtons.FreeExtra();
}

void CExtControlBar::AdjustCaptionTextRect(CRect& rcText) {
    if (m_arrCaptionButtons.GetSize() == 0)
        return;
    const bool bFloating = IsFloating();
    if (!bFloating && !IsBarWithGripper())
        return;
    CExtBarNcAreaButton* pLast = NULL;
    for (INT_PTR i = m_arrCaptionButtons.GetSize() - 1; i >= 0 && pLast == NULL; i--)
        if (m_arrCaptionButtons[i]->IsShown())
            pLast = m_arrCaptionButtons[i];
    if (pLast == NULL)
        return;
    const CRect& rcBtn = pLast->GetRect();
    if (bFloating || !IsDockedHorizontally() || (m_nOptions & optHorzCaption) != 0) {
        rcText.right = rcBtn.left - 1;
        if (rcText.left > rcText.right)
            rcText.left = rcText.right;
    } else {
        rcText.top = rcBtn.bottom + 1;
        if (rcText.top > rcText.bottom)
            rcText.top = rcText.bottom;
    }
}
