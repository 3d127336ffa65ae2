// The control bar's lookup and row queries, and the sizes and row layout of a docked bar. The
// rows are read from the dock bar's array: a NULL entry ends a row, entries below 0x10000 are
// placeholders (ids of bars that are away), not bars.
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "ExtBarRowSizing.h"
#include "ExtDockRows.h"
#include <CSingleLock.h>
#include <algorithm>

namespace {

CControlBar* EntryBar(const CDockBar* pDockBar, int i) {
    void* p = pDockBar->m_arrBars[i];
    return (p == NULL || ExtDockRows::IsPlaceholder(p)) ? NULL : static_cast<CControlBar*>(p);
}

bool PassesFilters(CControlBar* pBar, bool bExtBarsOnly, bool bSkipFixedSize) {
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (bExtBarsOnly && pExt == NULL)
        return false;
    if (bSkipFixedSize && pExt != NULL && pExt->IsFixedSizeBar())
        return false;
    return true;
}

int WindowLength(CControlBar* pBar, bool bHorz) {
    CRect rc;
    pBar->GetWindowRect(&rc);
    return bHorz ? rc.Width() : rc.Height();
}

// What a walk over the entries nStart..nEnd-1 of a dock bar finds. Every bar walked (only the
// visible ones with bVisibleOnly) counts toward the union of their windows, whether one of them
// is a resizable library bar, and the row's fullness (a whole-row bar, or lengths that fill the
// dock bar); add(pBar, pExt) is called for each, pExt being the bar as a library bar or NULL.
struct RowScan {
    CRect rcUnion;
    bool bHaveResizable = false;
    bool bRowFull = false;

    RowScan() { rcUnion.SetRectEmpty(); }
    // Hands the findings to a row query's optional outputs.
    void Store(CRect* pRcUnion, bool* pbHaveResizable, bool* pbRowFull) const {
        if (pRcUnion != NULL)
            *pRcUnion = rcUnion;
        if (pbHaveResizable != NULL)
            *pbHaveResizable = bHaveResizable;
        if (pbRowFull != NULL)
            *pbRowFull = bRowFull;
    }
};

template <class Add>
RowScan ScanRow(const CDockBar* pDock, int nStart, int nEnd, bool bHorz, bool bVisibleOnly, Add add) {
    RowScan scan;
    bool bWhole = false;
    int nSum = 0;
    for (int i = nStart; i < nEnd; i++) {
        CControlBar* p = EntryBar(pDock, i);
        if (p == NULL || (bVisibleOnly && !p->IsVisible()))
            continue;
        CRect rc;
        p->GetWindowRect(&rc);
        scan.rcUnion.UnionRect(&scan.rcUnion, &rc);
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, p);
        if (pExt != NULL && !pExt->IsFixedSizeBar())
            scan.bHaveResizable = true;
        if (pExt != NULL && pExt->IsWholeRowBar())
            bWhole = true;
        else
            nSum += bHorz ? rc.Width() : rc.Height();
        add(p, pExt);
    }
    CRect rcDock;
    pDock->GetWindowRect(&rcDock);
    scan.bRowFull = bWhole || nSum >= (bHorz ? rcDock.Width() : rcDock.Height()) - 1;
    return scan;
}

}  // namespace

bool CExtControlBar::FindRow(const CControlBar* pBar, int& nStart, int& nEnd, int& nIndex) {
    if (pBar == NULL || pBar->m_pDockBar == NULL)
        return false;
    const CPtrArray& arr = pBar->m_pDockBar->m_arrBars;
    nIndex = ExtDockRows::Find(arr, pBar);
    if (nIndex < 0)
        return false;
    ExtDockRows::RowOf(arr, nIndex, nStart, nEnd);
    return true;
}

// ---- Lookup -------------------------------------------------------------------------------------

void CExtControlBar::FindBarsByFilter(CExtControlBar* pExclude, CFrameWnd* pFrame,
                                      CArray<CExtControlBar*, CExtControlBar*>& arr, DWORD dwFilter, int x,
                                      int y) {
    arr.RemoveAll();
    if ((dwFilter & 0x7) == 0 || (dwFilter & 0x300) == 0 || (dwFilter & 0xC00) == 0)
        return;
    const CPoint pt(x, y);
    CArray<CExtControlBar*, CExtControlBar*> all;
    GetAllBars(all);
    CSingleLock lock(&GetAllBarsLock(), TRUE);   // held for the whole walk, as every walk of the list
    for (INT_PTR i = 0; i < all.GetSize(); i++) {
        CExtControlBar* pBar = all[i];
        if (pBar->m_hWnd == NULL || !::IsWindow(pBar->m_hWnd))
            continue;
        if (pExclude != NULL && (pBar == pExclude ||
                                 (pExclude->m_hWnd != NULL && ::IsChild(pExclude->m_hWnd, pBar->m_hWnd))))
            continue;
        if ((pBar->m_nOptions & optInDialog) != 0 || pBar->GetDockingFrame() != pFrame)
            continue;
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            continue;
        bool bDup = false;
        for (INT_PTR j = 0; j < arr.GetSize() && !bDup; j++)
            bDup = arr[j] == pBar;
        if (bDup)
            continue;
        if ((dwFilter & 0x0FFF) != 0x0FFF) {
            if (pBar->IsFixedSizeBar()) {
                if ((dwFilter & 0x1) == 0)
                    continue;
            } else {
                const bool bMin = pBar->IsMinimizedInRow();
                if ((dwFilter & (bMin ? 0x2 : 0x4)) == 0)
                    continue;
            }
            if ((dwFilter & (pBar->IsVisible() ? 0x100 : 0x200)) == 0)
                continue;
            if ((dwFilter & (pBar->IsWindowVisible() ? 0x400 : 0x800)) == 0)
                continue;
            DWORD dwSide = 0x80;
            if (pBar->IsDocked()) {
                const UINT nID = pBar->GetDockSideId();
                dwSide = nID == AFX_IDW_DOCKBAR_TOP      ? 0x08
                         : nID == AFX_IDW_DOCKBAR_BOTTOM ? 0x10
                         : nID == AFX_IDW_DOCKBAR_LEFT   ? 0x20
                                                         : 0x40;
            }
            if ((dwFilter & dwSide) == 0)
                continue;
        }
        if (dwFilter & 0x8000) {
            CWnd* pWndTest = pBar;
            if (pBar->IsFloating() && pBar->GetParentFrame() != NULL)
                pWndTest = pBar->GetParentFrame();
            CRect rc;
            pWndTest->GetWindowRect(&rc);
            if (!rc.PtInRect(pt))
                continue;
        }
        if (dwFilter & 0x20000) {
            CRect rcWnd;
            pBar->GetWindowRect(&rcWnd);
            CRect rcGrip(pBar->m_rcGrip);
            rcGrip.OffsetRect(rcWnd.TopLeft());
            if (rcGrip.IsRectEmpty() || !rcGrip.PtInRect(pt))
                continue;
        }
        if (dwFilter & 0x10000) {
            CRect rc;
            pBar->GetClientRect(&rc);
            pBar->ClientToScreen(&rc);
            if (!rc.PtInRect(pt))
                continue;
        }
        arr.Add(pBar);
        if (dwFilter & 0x8000)
            break;
    }
}

CFrameWnd* CExtControlBar::GetDockingFrame() const { return GetDockSiteFrame(this); }

CFrameWnd* CExtControlBar::GetDockSiteFrame(const CControlBar* pBar) {
    if (pBar == NULL)
        return NULL;
    if (pBar->m_pDockSite != NULL)
        return pBar->m_pDockSite;
    if (pBar->m_hWnd == NULL)
        return NULL;
    CFrameWnd* pFrame = pBar->GetParentFrame();
    if (pFrame != NULL && pFrame->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd)))
        pFrame = pFrame->GetParentFrame();
    return pFrame;
}

UINT CExtControlBar::GetDockSideId() const {
    CWnd* pDock = m_pDockBar;
    if (pDock == NULL && m_hWnd != NULL)
        pDock = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pDock != NULL && pDock->IsKindOf(RUNTIME_CLASS(CDockBar)) && pDock->m_hWnd != NULL &&
        ::IsWindow(pDock->m_hWnd))
        return (UINT)pDock->GetDlgCtrlID();
    return AFX_IDW_DOCKBAR_FLOAT;
}

int CExtControlBar::GetDockBarCircle() const {
    CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, m_pDockBar);
    return pDock != NULL ? (int)pDock->GetCircleNo() : -1;
}

// ---- Row queries --------------------------------------------------------------------------------

CControlBar* CExtControlBar::GetRowNeighbour(CControlBar* pBar, bool bForward, bool bExtBarsOnly,
                                             bool bSkipFixedSize) {
    if (!PassesFilters(pBar, bExtBarsOnly, bSkipFixedSize))
        return NULL;
    int nStart, nEnd, nIndex;
    if (!FindRow(pBar, nStart, nEnd, nIndex))
        return NULL;
    const CDockBar* pDock = pBar->m_pDockBar;
    const int nCount = (int)pDock->m_arrBars.GetSize();
    for (int i = bForward ? nIndex + 1 : nIndex - 1; i >= 0 && i < nCount; i += bForward ? 1 : -1) {
        void* p = pDock->m_arrBars[i];
        if (p == NULL)
            return NULL;
        if (!ExtDockRows::IsPlaceholder(p))
            return static_cast<CControlBar*>(p);
    }
    return NULL;
}

CControlBar* CExtControlBar::GetRowEdgeBar(CControlBar* pBar, bool bLast, bool bExtBarsOnly, bool bSkipFixedSize) {
    if (!PassesFilters(pBar, bExtBarsOnly, bSkipFixedSize))
        return pBar;
    int nStart, nEnd, nIndex;
    if (!FindRow(pBar, nStart, nEnd, nIndex))
        return pBar;
    const CDockBar* pDock = pBar->m_pDockBar;
    if (bLast) {
        for (int i = nEnd - 1; i > nIndex; i--)
            if (CControlBar* p = EntryBar(pDock, i))
                return p;
    } else {
        for (int i = nStart; i < nIndex; i++)
            if (CControlBar* p = EntryBar(pDock, i))
                return p;
    }
    return pBar;
}

void CExtControlBar::GetRowBars(CArray<CControlBar*, CControlBar*>& arr, CRect* pRcUnion, int* pnThisIdx,
                                bool* pbHaveResizable, bool* pbRowFull) const {
    arr.RemoveAll();
    RowScan().Store(pRcUnion, pbHaveResizable, pbRowFull);
    if (pnThisIdx != NULL)
        *pnThisIdx = -1;
    int nStart, nEnd, nIndex;
    if (!FindRow(this, nStart, nEnd, nIndex))
        return;
    if (pnThisIdx != NULL)
        *pnThisIdx = nIndex;
    ScanRow(m_pDockBar, nStart, nEnd, IsDockedHorizontally(), true, [&](CControlBar* p, CExtControlBar*) {
        arr.Add(p);
    }).Store(pRcUnion, pbHaveResizable, pbRowFull);
}

void CExtControlBar::GetRowBarsAll(CArray<CExtControlBar*, CExtControlBar*>& arr, bool bSkipFixedSize,
                                   CRect* pRcUnion, int* pnThisIdx, bool* pbHaveResizable, bool* pbRowFull) const {
    arr.RemoveAll();
    RowScan().Store(pRcUnion, pbHaveResizable, pbRowFull);
    if (pnThisIdx != NULL)
        *pnThisIdx = -1;
    int nStart, nEnd, nIndex;
    if (!FindRow(this, nStart, nEnd, nIndex))
        return;
    if (pnThisIdx != NULL)
        *pnThisIdx = nIndex;
    // hidden bars count too; only library bars are listed
    ScanRow(m_pDockBar, nStart, nEnd, IsDockedHorizontally(), false, [&](CControlBar*, CExtControlBar* pExt) {
        if (pExt != NULL && !(bSkipFixedSize && pExt->IsFixedSizeBar()))
            arr.Add(pExt);
    }).Store(pRcUnion, pbHaveResizable, pbRowFull);
}

void CExtControlBar::GetAdjacentRowBars(bool bNext, CArray<CControlBar*, CControlBar*>& arr, CRect* pRcUnion,
                                        int* pnRowIdx, bool* pbHaveResizable, bool* pbRowFull) const {
    arr.RemoveAll();
    RowScan().Store(pRcUnion, pbHaveResizable, pbRowFull);
    if (pnRowIdx != NULL)
        *pnRowIdx = -1;
    int nStart, nEnd, nIndex;
    if (!FindRow(this, nStart, nEnd, nIndex))
        return;
    const CPtrArray& bars = m_pDockBar->m_arrBars;
    int nRowStart, nRowEnd;
    if (bNext) {
        if (nEnd + 1 >= (int)bars.GetSize())
            return;
        ExtDockRows::RowOf(bars, nEnd + 1, nRowStart, nRowEnd);
    } else {
        if (nStart - 2 < 1)
            return;
        ExtDockRows::RowOf(bars, nStart - 2, nRowStart, nRowEnd);
    }
    if (nRowStart <= 0 || nRowStart >= nRowEnd)
        return;
    if (pnRowIdx != NULL)
        *pnRowIdx = nRowStart;
    ScanRow(m_pDockBar, nRowStart, nRowEnd, IsDockedHorizontally(), true, [&](CControlBar* p, CExtControlBar*) {
        arr.Add(p);
    }).Store(pRcUnion, pbHaveResizable, pbRowFull);
}

bool CExtControlBar::IsFirstInRow(bool bResizableOnly) const {
    int nStart, nEnd, nIndex;
    if (!FindRow(this, nStart, nEnd, nIndex))
        return false;
    // any bar before it in the row (with bResizableOnly the walk stops at the first fixed-size
    // or foreign bar, which answers the same)
    (void)bResizableOnly;
    for (int i = nStart; i < nIndex; i++)
        if (EntryBar(m_pDockBar, i) != NULL)
            return false;
    return true;
}

bool CExtControlBar::IsLastInRow(bool bResizableOnly) const {
    if (bResizableOnly) {
        CArray<CExtControlBar*, CExtControlBar*> arr;
        GetRowBarsAll(arr, true);
        return arr.GetSize() > 0 && arr[arr.GetSize() - 1] == this;
    }
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    return arr.GetSize() > 0 && arr[arr.GetSize() - 1] == this;
}

// ---- Sizes and the row layout -------------------------------------------------------------------

CSize CExtControlBar::CalcStateSize(bool bHorz) {
    (void)bHorz;
    if (IsFloating())
        return m_sizeFloated;
    if (IsDockedHorizontally()) {
        m_sizeDockedH.cy = std::max((int)m_sizeDockedH.cy, GetMinExtentHorz());
        return m_sizeDockedH;
    }
    m_sizeDockedV.cx = std::max((int)m_sizeDockedV.cx, GetMinExtentVert());
    return m_sizeDockedV;
}

CSize CExtControlBar::CalcFixedLayout(BOOL, BOOL bHorz) { return CalcStateSize(bHorz != FALSE); }

CSize CExtControlBar::CalcDynamicLayout(int nLength, DWORD nMode) {
    if ((nMode & (LM_HORZDOCK | LM_VERTDOCK)) == 0 || IsFloating()) {
        if (nLength > 0) {
            if (nMode & LM_LENGTHY)
                m_sizeFloated.cy = nLength;
            else
                m_sizeFloated.cx = nLength;
        }
        if (nMode & (LM_MRUWIDTH | LM_COMMIT))
            return m_sizeFloated;
        return CalcStateSize((nMode & LM_HORZ) != 0);
    }
    if (nLength >= 0 || (m_pDockBar != NULL && m_pDockBar->m_bLayoutQuery))
        return CalcStateSize((nMode & LM_HORZ) != 0);
    LayoutRow();
    return CalcStateSize((nMode & LM_HORZ) != 0);
}

int CExtControlBar::GetLengthInRow() const {
    return IsDockedVertically() ? m_sizeDockedV.cy : m_sizeDockedH.cx;
}

void CExtControlBar::SetLengthInRow(int nLength) {
    if (IsDockedVertically())
        m_sizeDockedV.cy = nLength;
    else
        m_sizeDockedH.cx = nLength;
}

int CExtControlBar::GetMinLengthInRow() const {
    return IsDockedVertically() ? GetMinExtentVert() : GetMinExtentHorz();
}

void CExtControlBar::LayoutRow() {
    int nStart, nEnd, nIndex;
    if (!FindRow(this, nStart, nEnd, nIndex))
        return;
    CDockBar* pDock = m_pDockBar;
    const bool bHorz = IsDockedHorizontally();
    CRect rcAvail(pDock->m_rectLayout);
    if (rcAvail.IsRectEmpty())
        pDock->GetClientRect(&rcAvail);
    int nAvailable = bHorz ? rcAvail.Width() : rcAvail.Height();
    if (nAvailable <= 0)
        nAvailable = 3;

    // the visible bars of the row; only the first resizable one lays it out
    std::vector<ExtRowSizingItem> items;
    std::vector<CControlBar*> bars;
    int nThis = -1, nThickness = 0;
    for (int i = nStart; i < nEnd; i++) {
        CControlBar* p = EntryBar(pDock, i);
        if (p == NULL || !p->IsVisible())
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, p);
        const bool bResizable = pExt != NULL && !pExt->IsFixedSizeBar();
        if (bResizable && nThis < 0 && p != this)
            return;  // an earlier resizable bar lays the row out
        if (p == this)
            nThis = (int)items.size();
        ExtRowSizingItem item;
        item.bResizable = bResizable;
        if (bResizable) {
            item.nMin = pExt->GetMinLengthInRow();
            item.nLength = pExt->GetLengthInRow();
            nThickness = std::max(nThickness, (int)(bHorz ? pExt->m_sizeDockedH.cy : pExt->m_sizeDockedV.cx));
        } else {
            item.nLength = WindowLength(p, bHorz);
        }
        items.push_back(item);
        bars.push_back(p);
    }
    if (nThis < 0)
        return;
    const int nBorder = bHorz ? afxData.cyBorder2 : afxData.cxBorder2;
    const ExtRowSizingResult result = ExtDistributeRowLength(items, nThis, nAvailable, nBorder);
    if (result.nBreakAfter >= 0) {
        const int nPos = ExtDockRows::Find(pDock->m_arrBars, bars[result.nBreakAfter]);
        pDock->m_arrBars.InsertAt(nPos + 1, (void*)NULL);
    }
    if (result.nBreakBefore >= 0) {
        const int nPos = ExtDockRows::Find(pDock->m_arrBars, bars[result.nBreakBefore]);
        pDock->m_arrBars.InsertAt(nPos, (void*)NULL);
        bars.resize(result.nBreakBefore);
    }
    if (result.bPlain)
        return;
    for (size_t i = 0; i < items.size() && i < bars.size(); i++) {
        if (!items[i].bResizable)
            continue;
        CExtControlBar* pExt = static_cast<CExtControlBar*>(bars[i]);
        pExt->SetLengthInRow(items[i].nLength);
        if (bHorz)
            pExt->m_sizeDockedH.cy = nThickness;
        else
            pExt->m_sizeDockedV.cx = nThickness;
    }
    // place the row in one deferred positioning
    HDWP hDWP = ::BeginDeferWindowPos((int)bars.size());
    int nPos = 0;
    for (CControlBar* p : bars) {
        CRect rc;
        p->GetWindowRect(&rc);
        pDock->ScreenToClient(&rc);
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, p);
        if (pExt != NULL && !pExt->IsFixedSizeBar()) {
            const CSize size = pExt->CalcStateSize(bHorz);
            rc.right = rc.left + size.cx;
            rc.bottom = rc.top + size.cy;
        }
        if (bHorz)
            rc.OffsetRect(nPos - rc.left, 0);
        else
            rc.OffsetRect(0, nPos - rc.top);
        if (hDWP != NULL)
            hDWP = ::DeferWindowPos(hDWP, p->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                    SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        nPos += bHorz ? rc.Width() : rc.Height();
    }
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
}

bool CExtControlBar::IsMinimizedInRow() const {
    if (!IsDocked() || m_pDockSite == NULL || m_pDockBar == NULL)
        return false;
    return GetLengthInRow() == GetMinLengthInRow();
}

bool CExtControlBar::IsOnlyExpandedInRow() const {
    if (m_pDockBar == NULL || IsFloating() || IsMinimizedInRow())
        return false;
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i] == this)
            continue;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arr[i]);
        if (pExt == NULL || !pExt->IsMinimizedInRow())
            return false;
    }
    return true;
}

bool CExtControlBar::IsSingleInRow(bool bExcludeFixedSize, bool bOnlyFixedSize) const {
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    int nCount = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arr[i]);
        const bool bFixed = pExt == NULL || pExt->IsFixedSizeBar();
        if (bExcludeFixedSize && bFixed)
            continue;
        if (bOnlyFixedSize && !bFixed)
            continue;
        nCount++;
    }
    return nCount == 1;
}

void CExtControlBar::MinimizeInRow() {
    if (IsFloating() || m_pDockBar == NULL)
        return;
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    if (arr.GetSize() <= 1)
        return;
    std::vector<CExtControlBar*> others;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arr[i]);
        if (pExt != NULL && pExt != this && !pExt->IsFixedSizeBar())
            others.push_back(pExt);
    }
    int nFreed = GetLengthInRow() - GetMinLengthInRow();
    SetLengthInRow(GetMinLengthInRow());
    for (size_t i = 0; nFreed > 0 && !others.empty(); i = (i + 1) % others.size(), nFreed--)
        others[i]->SetLengthInRow(others[i]->GetLengthInRow() + 1);
    if (m_pDockSite != NULL) {
        m_pDockSite->RecalcLayout();
        m_pDockSite->SetFocus();
    }
}

void CExtControlBar::MaximizeInRow() {
    if (IsFloating() || m_pDockBar == NULL)
        return;
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    if (arr.GetSize() <= 1)
        return;
    int nFreed = 0;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, arr[i]);
        if (pExt == NULL || pExt == this || pExt->IsFixedSizeBar())
            continue;
        nFreed += pExt->GetLengthInRow() - pExt->GetMinLengthInRow();
        pExt->SetLengthInRow(pExt->GetMinLengthInRow());
    }
    SetLengthInRow(GetLengthInRow() + nFreed);
    if (m_pDockSite != NULL)
        m_pDockSite->RecalcLayout();
}

void CExtControlBar::MakeSingleInRow() {
    CFrameWnd* pFrame = GetDockingFrame();
    if (pFrame == NULL || m_pDockBar == NULL)
        return;
    pFrame->RecalcLayout();
    CPtrArray& arr = m_pDockBar->m_arrBars;
    int nPos = ExtDockRows::Find(arr, this);
    if (nPos < 0)
        return;
    if (nPos + 1 < (int)arr.GetSize() && arr[nPos + 1] != NULL)
        arr.InsertAt(nPos + 1, (void*)NULL);
    if (arr[nPos - 1] != NULL)
        arr.InsertAt(nPos, (void*)NULL);
    SetLengthInRow(32767);
    pFrame->RecalcLayout();
}
