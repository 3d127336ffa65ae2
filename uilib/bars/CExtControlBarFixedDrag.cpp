// The drag path of bars of fixed mode (tool bars): no outline; at every pointer move the bar is
// docked into the dock bar under the pointer (slid along its row, moved to the next row, given a
// row of its own) or floated there for real.
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "CExtPaintManager.h"
#include "ExtDockRows.h"
#include <afxpriv.h>
#include <algorithm>

namespace {

}  // namespace

void CExtControlBar::DockFixedBarAt(InternalDraggingState_t& st, int x, int y, bool bForceFloat) {
    st.m_rcTarget.SetRectEmpty();
    st.m_pBar = this;
    st.SetEmpty(false);
    const CPoint pt(x, y);
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (pSite == NULL)
        return;
    CRect F = ExtWindowRectOf(pSite);
    CRect rcNear(F);
    rcNear.InflateRect(afxData.cxBorder2, afxData.cyBorder2);
    if (!bForceFloat && ::GetKeyState(VK_CONTROL) >= 0 && rcNear.PtInRect(pt)) {
        // each side's zone: its dock bar (or the frame's edge while it is hidden), 12 pixels
        // deeper and out to the frame's edge
        CExtDockBar* pDock[4];
        CRect rcZone[4];
        for (int i = 0; i < 4; i++) {
            pDock[i] = CExtDockBar::GetOuterDockBar(pSite, CExtDockBar::g_arrSides[i]);
            CRect rc = F;
            if (pDock[i] != NULL && pDock[i]->IsWindowVisible())
                rc = ExtWindowRectOf(pDock[i]);
            else if (i == 0)
                rc.bottom = rc.top;
            else if (i == 1)
                rc.top = rc.bottom;
            else if (i == 2)
                rc.right = rc.left;
            else
                rc.left = rc.right;
            switch (i) {
            case 0: rc.bottom += 12, rc.top = F.top; break;
            case 1: rc.top -= 12, rc.bottom = F.bottom; break;
            case 2: rc.right += 12, rc.left = F.left; break;
            default: rc.left -= 12, rc.right = F.right; break;
            }
            rcZone[i] = rc;
        }
        for (int i = 2; i < 4; i++) {
            rcZone[i].top = rcZone[0].bottom - 12;
            rcZone[i].bottom = rcZone[1].top + 12;
        }
        const int nGrow = ::MulDiv(12, 3, 2);
        auto inZone = [&](int i) {
            CRect rc(rcZone[i]);
            rc.InflateRect(nGrow, nGrow);
            return pDock[i] != NULL && rc.PtInRect(pt) != FALSE;
        };
        // the bar's own dock bar first, then the visible ones, then the hidden ones
        int nOwn = -1;
        for (int i = 0; i < 4; i++)
            if (pDock[i] != NULL && m_pDockBar == pDock[i])
                nOwn = i;
        if (nOwn >= 0 && inZone(nOwn) && TryDockFixedBarInto(st, x, y, pDock[nOwn]))
            return;
        for (int pass = 0; pass < 2; pass++)
            for (int i = 0; i < 4; i++) {
                if (i == nOwn || !inZone(i) || (pDock[i]->IsWindowVisible() != FALSE) != (pass == 0))
                    continue;
                if (TryDockFixedBarInto(st, x, y, pDock[i]))
                    return;
            }
    }
    FloatFixedBarAt(st, x, y);
}

void CExtControlBar::FloatFixedBarAt(InternalDraggingState_t& st, int x, int y) {
    st.m_eCursor = 0;
    const int d = std::min(m_rcGrip.Width(), m_rcGrip.Height());
    const CPoint pt(x - d, y - d / 2);
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (IsFloating()) {
        CFrameWnd* pMini = GetParentFrame();
        if (pMini != NULL) {
            const CPoint ptFrame = pt - m_ptHelperDragOffsetFloated;
            pMini->SetWindowPos(NeedsOwnRow() ? NULL : &CWnd::wndTop, ptFrame.x, ptFrame.y, 0, 0,
                                SWP_NOSIZE | SWP_NOACTIVATE | (NeedsOwnRow() ? SWP_NOZORDER : 0));
            pMini->DelayRecalcLayout();
            if (m_pDockContext != NULL)
                m_pDockContext->m_ptMRUFloatPos = ptFrame;
        }
    } else {
        m_ptFloatHelper = pt;
        FloatControlBar(pt.x, pt.y, CBRS_ALIGN_TOP);
        if (m_pDockContext != NULL)
            m_pDockContext->m_ptMRUFloatPos = pt;
    }
    if (m_hWnd != NULL && ::IsWindow(m_hWnd) && ::GetCapture() != m_hWnd)
        ::SetCapture(m_hWnd);
    (void)pSite;
}

bool CExtControlBar::TryDockFixedBarInto(InternalDraggingState_t& st, int x, int y, CExtDockBar* pDockBar) {
    (void)st;
    DragShownState().m_eCursor = 0;
    if (pDockBar == NULL || (m_dwDockStyle & pDockBar->m_dwStyle & CBRS_ALIGN_ANY) == 0)
        return false;
    CFrameWnd* pSite = GetDockSiteFrame(this);
    const bool bHorz = CExtDockBar::IsHorzSide((UINT)pDockBar->GetDlgCtrlID());
    const CPoint ptGrab = bHorz ? m_ptHelperDragOffsetDockedH : m_ptHelperDragOffsetDockedV;
    // how far the grabbed point lies from where the pointer is, along the dock bar
    auto deltaAlongRow = [&] {
        CPoint ptClient(x, y);
        pDockBar->ScreenToClient(&ptClient);
        CRect rcThis = ExtWindowRectOf(this);
        pDockBar->ScreenToClient(&rcThis);
        return bHorz ? ptClient.x - ptGrab.x - rcThis.left : ptClient.y - ptGrab.y - rcThis.top;
    };
    CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, pDockBar);
    if (m_pDockBar != pDockBar) {
        // into another dock bar, where the pointer holds it
        const CSize size = CalcFixedLayout(FALSE, bHorz);
        const CRect rc(CPoint(x - ptGrab.x, y - ptGrab.y), size);
        ResetDockPosRecord();
        pDockBar->DockControlBar(this, &rc, true);
        if (NeedsOwnRow() && !IsSingleInRow(false, false))
            MakeSingleInRow();
        SyncDockPosWithOuterBar();
        if (pSite != NULL)
            pSite->RecalcLayout();
        return true;
    }
    CArray<CControlBar*, CControlBar*> arrRow;
    CRect rcRow;
    bool bRowFull = false;
    GetRowBars(arrRow, &rcRow, NULL, NULL, &bRowFull);
    CRect rcDock = ExtWindowRectOf(pDockBar);
    const UINT nID = (UINT)pDockBar->GetDlgCtrlID();
    const int nAcross = bHorz ? y : x;
    int nBandStart = (bHorz ? rcRow.top : rcRow.left) - 1;
    int nBandEnd = (bHorz ? rcRow.bottom : rcRow.right) + 1;
    const bool bMarginAtStart = nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_LEFT;
    const int nLo = nBandStart + (bMarginAtStart ? 2 : 0), nHi = nBandEnd - (bMarginAtStart ? 0 : 2);
    const bool bInside = nAcross > nLo && nAcross < nHi;
    if (!bInside) {
        const bool bForward = nAcross > nBandStart;
        int nCount = 0;
        for (INT_PTR i = 0; i < arrRow.GetSize(); i++)
            if (arrRow[i] != this)
                nCount++;
        if (nCount > 0) {
            // a row of its own before or after its present row
            ResetDockPosRecord();
            pDockBar->DockControlBarInRow(this, this, !bForward);
            SyncDockPosWithOuterBar();
            RefreshDockBarAfterRowChange(pSite, pDockBar);
            return true;
        }
        CArray<CControlBar*, CControlBar*> arrAdj;
        CRect rcAdj;
        bool bAdjFull = false;
        GetAdjacentRowBars(bForward, arrAdj, &rcAdj, NULL, NULL, &bAdjFull);
        bool bOwnFull = bRowFull || (NeedsOwnRow() && IsSingleInRow(false, false));
        if (bAdjFull && !bOwnFull && arrAdj.GetSize() > 0) {
            int nSum = 0;
            for (INT_PTR i = 0; i < arrAdj.GetSize(); i++) {
                CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arrAdj[i]);
                const CRect rc = ExtWindowRectOf(arrAdj[i]);
                nSum += pExt != NULL && pExt->IsFixedSizeBar()
                            ? (bHorz ? pExt->GetMinSize().cx : pExt->GetMinSize().cy)
                            : (bHorz ? rc.Width() : rc.Height());
            }
            CRect rcClient;
            pDockBar->GetClientRect(&rcClient);
            if (nSum + (bHorz ? GetMinSize().cx : GetMinSize().cy) < (bHorz ? rcClient.Width() : rcClient.Height()))
                bAdjFull = false;
        }
        if (!bAdjFull && !bOwnFull && arrAdj.GetSize() > 0 && pOuter != NULL) {
            if (pOuter->MoveBarToRow(this, arrAdj, deltaAlongRow())) {
                SyncDockPosWithOuterBar();
                RefreshDockBarAfterRowChange(pSite, pDockBar);
                return true;
            }
        }
        if (arrAdj.GetSize() > 0) {
            // the adjacent row's band moved onto the bar's own row: the pointer beyond it swaps
            // the rows
            const int nAdjThick = bHorz ? rcAdj.Height() : rcAdj.Width();
            const int nBeyond = bForward ? nBandEnd + nAdjThick / 2 : nBandStart - nAdjThick / 2;
            if ((bForward && nAcross > nBeyond) || (!bForward && nAcross < nBeyond)) {
                MoveRowNextTo(this, arrAdj[0]);
                SyncDockPosWithOuterBar();
                RefreshDockBarAfterRowChange(pSite, pDockBar);
                return true;
            }
        }
    }
    // slide along the row
    const int nDelta = deltaAlongRow();
    if (pOuter != NULL && nDelta != 0) {
        const BOOL bOldQuery = pDockBar->m_bLayoutQuery;
        const CRect rcOldLayout = pDockBar->m_rectLayout;
        pDockBar->m_bLayoutQuery = FALSE;
        pDockBar->m_rectLayout = CRect(CPoint(0, 0), rcDock.Size());
        if (DockPos_t* pRecord = GetDockPosRecord()) {
            CRect rcClient;
            pDockBar->GetClientRect(&rcClient);
            if (bHorz && pRecord->m_rcPreferred.right > rcClient.Width())
                ResetDockPosRecord();
            if (pRecord->m_rcPreferred.IsRectEmpty())
                pOuter->PromoteBar(this);
        }
        bool bFull = false;
        pOuter->SlideBarInRow(this, nDelta, &bFull);
        pDockBar->m_bLayoutQuery = bOldQuery;
        pDockBar->m_rectLayout = rcOldLayout;
        if (bFull)
            DragShownState().m_eCursor = bHorz ? 1 : 2;
    }
    return true;
}

void CExtControlBar::MoveRowNextTo(CControlBar* pA, CControlBar* pB) {
    if (pA == NULL || pB == NULL || pA->m_pDockBar == NULL || pA->m_pDockBar != pB->m_pDockBar)
        return;
    CDockBar* pDock = pA->m_pDockBar;
    CPtrArray& arr = pDock->m_arrBars;
    auto rowOf = [&](CControlBar* p, int& nStart, int& nEnd) {
        const int n = pDock->FindBar(p);
        if (n < 1)
            return false;
        nStart = n;
        while (nStart > 0 && arr[nStart - 1] != NULL)
            nStart--;
        nEnd = n;
        while (nEnd < (int)arr.GetSize() && arr[nEnd] != NULL)
            nEnd++;
        return true;   // [nStart, nEnd), arr[nEnd] is the row's NULL
    };
    int aS, aE, bS, bE;
    if (!rowOf(pA, aS, aE) || !rowOf(pB, bS, bE) || aS == bS)
        return;
    CPtrArray row;
    for (int i = aS; i < aE; i++)
        row.Add(arr[i]);
    const bool bAfterB = aS > bS;   // A's row came after B's: it goes just before B's row
    arr.RemoveAt(aS, aE - aS + 1);  // the row and its NULL
    rowOf(pB, bS, bE);
    int nInsert = bAfterB ? bS : bE + 1;
    for (INT_PTR i = 0; i < row.GetSize(); i++)
        arr.InsertAt(nInsert++, row[i]);
    arr.InsertAt(nInsert, (void*)NULL);
    pDock->Invalidate();
    pA->Invalidate();
    pB->Invalidate();
}

void CExtControlBar::RefreshDockBarAfterRowChange(CFrameWnd* pFrame, CExtDockBar* pDockBar) {
    if (pDockBar == NULL || pFrame == NULL)
        return;
    pDockBar->Invalidate();
    if (!pDockBar->IsWindowVisible()) {
        pFrame->RecalcLayout();
        return;
    }
    const CRect rcWindow = ExtWindowRectOf(pDockBar);
    const BOOL bOldQuery = pDockBar->m_bLayoutQuery;
    const CRect rcOldLayout = pDockBar->m_rectLayout;
    pDockBar->m_bLayoutQuery = TRUE;
    pDockBar->m_rectLayout = CRect(CPoint(0, 0), rcWindow.Size());
    const bool bHorz = CExtDockBar::IsHorzSide((UINT)pDockBar->GetDlgCtrlID());
    const CSize size = pDockBar->CalcFixedLayout(FALSE, bHorz);
    pDockBar->m_bLayoutQuery = bOldQuery;
    pDockBar->m_rectLayout = rcOldLayout;
    if (size != rcWindow.Size())
        pFrame->RecalcLayout();
    else
        CExtPaintManager::PassPaintMessages();
}
