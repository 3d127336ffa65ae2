#include "CExtDockDynBar.h"
#include "CExtControlBar.h"
#include "CExtDynControlBar.h"
#include "ExtDockRows.h"
#include <CMiniFrameWnd.h>

IMPLEMENT_DYNCREATE(CExtDockDynBar, CExtDockBar)

CExtDockDynBar::CExtDockDynBar() : CExtDockBar(0) { m_bAutoDelete = TRUE; }

CExtDynControlBar* CExtDockDynBar::GetContainer() const {
    if (m_hWnd == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

LRESULT CExtDockDynBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = CExtDockBar::WindowProc(nMsg, wParam, lParam);
    if (nMsg == WM_SIZE && !m_bOutOfFrameList) {
        // the container places this dock bar; the frame must not
        CFrameWnd* pFrame = m_pDockSite;
        if (pFrame != NULL)
            pFrame->RemoveControlBar(this);
        m_bOutOfFrameList = true;
    }
    return lResult;
}

void CExtDockDynBar::CollectDockedBars(CArray<CExtControlBar*, CExtControlBar*>& arr) const {
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
        void* p = m_arrBars[i];
        if (p == NULL || ExtDockRows::IsPlaceholder(p))
            continue;
        if (CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CObject*>(p)))
            arr.Add(pExt);
    }
}

ExtContainerRows::RowList CExtDockDynBar::BuildRowList() const {
    ExtContainerRows::RowList list;
    const bool bHorz = IsHorzInner();
    const int nCount = (int)m_arrBars.GetSize();
    for (int i = 1; i < nCount; i++) {
        void* p = m_arrBars[i];
        if (p == NULL) {
            if (i < nCount - 1 && (list.rows.empty() || !list.rows.back().bars.empty()))
                list.rows.emplace_back();
            continue;
        }
        if (ExtDockRows::IsPlaceholder(p))
            continue;
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CObject*>(p));
        if (pBar == NULL || !pBar->IsVisible())
            continue;
        ExtContainerRows::Bar bar;
        bar.nAlong = bHorz ? pBar->m_sizeDockedH.cx : pBar->m_sizeDockedV.cy;
        bar.nAcross = bHorz ? pBar->m_sizeDockedH.cy : pBar->m_sizeDockedV.cx;
        bar.nMinAlong = bHorz ? pBar->GetMinExtentHorz() : pBar->GetMinExtentVert();
        bar.nMinAcross = bHorz ? pBar->GetMinExtentVert() : pBar->GetMinExtentHorz();
        if (list.rows.empty())
            list.rows.emplace_back();
        list.rows.back().bars.push_back(bar);
    }
    ExtContainerRows::Summarise(list);
    return list;
}

CSize CExtDockDynBar::CalcFixedLayout(BOOL bStretch, BOOL) {
    CRect rcWnd(0, 0, 0, 0);
    if (m_hWnd != NULL)
        GetWindowRect(&rcWnd);
    if (m_hWnd == NULL || !bStretch || rcWnd.Width() < 1 || rcWnd.Height() < 1)
        return rcWnd.Size();
    const bool bHorz = IsHorzInner();
    ExtContainerRows::RowList list = BuildRowList();
    if (list.IsEmpty())
        return rcWnd.Size();
    ExtContainerRows::Distribute(list, rcWnd.Width(), rcWnd.Height(), bHorz);
    const std::vector<CRect> rcs = ExtContainerRows::Positions(list, bHorz);
    // the same walk as the row list: visible bars in array order
    CArray<CExtControlBar*, CExtControlBar*> arr;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
        void* p = m_arrBars[i];
        if (p == NULL || ExtDockRows::IsPlaceholder(p))
            continue;
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, static_cast<CObject*>(p));
        if (pBar != NULL && pBar->IsVisible())
            arr.Add(pBar);
    }
    size_t k = 0;
    for (const ExtContainerRows::Row& row : list.rows) {
        for (const ExtContainerRows::Bar& bar : row.bars) {
            CExtControlBar* pBar = arr[(INT_PTR)k++];
            if (bHorz)
                pBar->m_sizeDockedH = CSize(bar.nAlong, bar.nAcross);
            else
                pBar->m_sizeDockedV = CSize(bar.nAcross, bar.nAlong);
        }
    }
    const UINT nFlags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED | SWP_NOOWNERZORDER;
    HDWP hDWP = ::BeginDeferWindowPos((int)arr.GetSize());
    for (INT_PTR i = 0; i < arr.GetSize() && hDWP != NULL; i++) {
        const CRect& rc = rcs[(size_t)i];
        hDWP = ::DeferWindowPos(hDWP, arr[i]->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
    }
    if (hDWP == NULL || !::EndDeferWindowPos(hDWP)) {
        for (INT_PTR i = 0; i < arr.GetSize(); i++) {
            const CRect& rc = rcs[(size_t)i];
            arr[i]->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), nFlags);
        }
    }
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        arr[i]->FitSingleChild(-1, -1, true);
    return rcWnd.Size();
}

bool CExtDockDynBar::LockLayout(bool bLock) {
    const bool bWas = CExtDockBar::LockLayout(bLock);
    CExtDynControlBar* pContainer = GetContainer();
    if (pContainer != NULL && pContainer->m_pDockBar != NULL)
        if (CExtDockBar* pHolder = DYNAMIC_DOWNCAST(CExtDockBar, pContainer->m_pDockBar))
            pHolder->LockLayout(bLock);
    return bWas;
}

void CExtDockDynBar::RecalcNestedLayout() {
    if (IsLayoutLocked() || m_bInNestedLayout)
        return;
    m_bInNestedLayout = true;
    CalcFixedLayout(TRUE, IsHorzInner());
    m_bInNestedLayout = false;
    CExtDockBar::RecalcNestedLayout();
}

void CExtDockDynBar::CompactNestedContainers() {
    if (IsLayoutLocked())
        return;
    int nBars = 0, nPlaceholders = 0;
    CControlBar* pLast = NULL;
    for (INT_PTR i = 1; i < m_arrBars.GetSize(); i++) {
        void* p = m_arrBars[i];
        if (p == NULL)
            continue;
        if (ExtDockRows::IsPlaceholder(p)) {
            nPlaceholders++;
        } else {
            nBars++;
            pLast = static_cast<CControlBar*>(p);
        }
    }
    if (nBars > 1 || nPlaceholders > 0) {
        // kept (a container holding only places of hidden bars stays for their return)
        CExtDockBar::CompactNestedContainers();
        return;
    }
    Dissolve(nBars == 1 ? pLast : NULL);
}

// The container goes, and with it this dock bar: everything needed afterwards is held in locals
// and every window is checked before it is touched.
void CExtDockDynBar::Dissolve(CControlBar* pLastBar) {
    CExtDynControlBar* pContainer = GetContainer();
    if (pContainer == NULL || pContainer->m_hWnd == NULL)
        return;
    const HWND hContainer = pContainer->m_hWnd;
    const HWND hSelf = m_hWnd;
    CDockBar* pHolder = pContainer->m_pDockBar;
    const HWND hHolder = pHolder != NULL ? pHolder->m_hWnd : NULL;
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(pContainer);
    const HWND hFrame = pFrame != NULL ? pFrame->m_hWnd : NULL;
    CFrameWnd* pParentFrame = pHolder != NULL ? pHolder->GetParentFrame() : NULL;
    const bool bInMiniFrame = pParentFrame != NULL && pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd));
    if (bInMiniFrame)
        pParentFrame->DelayRecalcLayout();

    if (pLastBar != NULL && pHolder != NULL && hHolder != NULL && ::IsWindow(hHolder)) {
        // the last bar takes the container's place in the holding dock bar, and its size
        CRect rc;
        pContainer->GetWindowRect(&rc);
        ::MapWindowPoints(NULL, hHolder, reinterpret_cast<POINT*>(&rc), 2);
        const int nPos = ExtDockRows::Find(pHolder->m_arrBars, pContainer);
        if (nPos > 0)
            pHolder->m_arrBars[nPos] = pLastBar;
        pLastBar->m_pDockBar = pHolder;
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pLastBar);
        if (pExt != NULL && !pExt->IsFixedSizeBar()) {
            if ((pHolder->m_dwStyle & (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)) != 0)
                pExt->m_sizeDockedH = rc.Size();
            else
                pExt->m_sizeDockedV = rc.Size();
        }
        pLastBar->m_dwStyle &= ~CBRS_ALIGN_ANY;
        pLastBar->m_dwStyle |= (pContainer->m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
        while (m_arrBars.GetSize() > 1)
            m_arrBars.RemoveAt(1);
        if (pExt != NULL)
            pExt->m_nTracking |= CExtControlBar::trackReparenting;
        pLastBar->SetParent(pHolder);
        pLastBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
        if (pExt != NULL)
            pExt->m_nTracking &= ~CExtControlBar::trackReparenting;
        pContainer->m_pDockBar = NULL;
        if (pFrame != NULL)
            pFrame->RemoveControlBar(this);
        ::DestroyWindow(hContainer);   // this dock bar and the container are deleted now
    } else if (pLastBar == NULL) {
        pContainer->m_pDockBar = NULL;
        if (pFrame != NULL)
            pFrame->RemoveControlBar(this);
        if (pHolder != NULL && hHolder != NULL && ::IsWindow(hHolder)) {
            if (CExtDockBar* pExtHolder = DYNAMIC_DOWNCAST(CExtDockBar, pHolder))
                pExtHolder->RemoveControlBar(pContainer, -1, 0, false);
            else
                pHolder->RemoveControlBar(pContainer);
        }
        if (::IsWindow(hContainer))
            ::DestroyWindow(hContainer);
    } else {
        return;
    }
    if (!bInMiniFrame && hFrame != NULL && ::IsWindow(hFrame))
        pFrame->DelayRecalcLayout();
    (void)hSelf;   // gone with the container: no member of this object is touched from here
    if (hHolder != NULL && ::IsWindow(hHolder) && CWnd::FromHandlePermanent(hHolder) == pHolder)
        if (CExtDockBar* pExtHolder = DYNAMIC_DOWNCAST(CExtDockBar, pHolder))
            pExtHolder->RecalcNestedLayout();
}
