// The circles of dock bars round the frame's view: finding, creating, inserting and compacting.
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtControlBar.h"
#include "CExtDockOuterBar.h"
#include "ExtDockRows.h"
#include "ExtFrameBarList.h"

namespace {

// Every CExtDockBar of the frame's bar list.
void FrameDockBars(CFrameWnd* pFrame, CArray<CExtDockBar*, CExtDockBar*>& arr) {
    arr.RemoveAll();
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
        if (pDock != NULL && pDock->m_hWnd != NULL && !pDock->m_bFloating)
            arr.Add(pDock);
    }
}

const UINT kZOrderSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                              AFX_IDW_DOCKBAR_RIGHT};

}  // namespace

void CExtDockBar::UnlinkCircle() {
    if (m_pDockBarOuter != NULL && m_pDockBarOuter->m_pDockBarInner == this)
        m_pDockBarOuter->m_pDockBarInner = m_pDockBarInner;
    if (m_pDockBarInner != NULL && m_pDockBarInner->m_pDockBarOuter == this)
        m_pDockBarInner->m_pDockBarOuter = m_pDockBarOuter;
    m_pDockBarOuter = NULL;
    m_pDockBarInner = NULL;
}

CExtDockBar* CExtDockBar::GetOuterDockBar(CFrameWnd* pFrame, UINT nDockBarID) {
    return FindFrameDockBar(pFrame, 0, nDockBarID, false);
}

CExtDockBar* CExtDockBar::FindDockBar(UINT nDockBarID, bool bCreate) {
    if (m_hWnd != NULL && (UINT)GetDlgCtrlID() == nDockBarID)
        return this;
    return FindFrameDockBar(GetParentFrame(), m_nCircleNo, nDockBarID, bCreate);
}

CExtDockBar* CExtDockBar::FindFrameDockBar(CFrameWnd* pFrame, UINT nCircleNo, UINT nDockBarID, bool bCreate) {
    if (pFrame == NULL)
        return NULL;
    for (;;) {
        CArray<CExtDockBar*, CExtDockBar*> arr;
        FrameDockBars(pFrame, arr);
        UINT nMaxCircle = 0;
        for (INT_PTR i = 0; i < arr.GetSize(); i++) {
            if ((UINT)arr[i]->GetDlgCtrlID() == nDockBarID && arr[i]->m_nCircleNo == nCircleNo)
                return arr[i];
            nMaxCircle = std::max(nMaxCircle, arr[i]->m_nCircleNo);
        }
        if (!bCreate || arr.GetSize() == 0 || nCircleNo <= nMaxCircle)
            return NULL;
        if (CreateInnerCircle(pFrame) == 0)
            return NULL;
    }
}

UINT CExtDockBar::GetInnerCircleNo() {
    if (m_pDockBarInner != NULL)
        return m_pDockBarInner->m_nCircleNo;
    return CreateInnerCircle(GetParentFrame());
}

CExtDockBar* CExtDockBar::GetCircleDockBar(UINT nCircleNo) {
    CExtDockBar* p = this;
    while (p != NULL && p->m_nCircleNo > nCircleNo)
        p = p->m_pDockBarOuter;
    while (p != NULL && p->m_nCircleNo < nCircleNo) {
        if (p->m_pDockBarInner == NULL && CreateInnerCircle(p->GetParentFrame()) == 0)
            return NULL;
        p = p->m_pDockBarInner;
    }
    return p;
}

CExtDockBar* CExtDockBar::CreateCircleDockBar(CFrameWnd* pFrame, UINT nDockBarID, UINT nCircleNo,
                                              CExtDockBar* pOuter, CWnd* pInsertAfter) {
    CExtDockBar* pDock = new CExtDockBar(nCircleNo);
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | AlignOfSide(nDockBarID);
    if (!pDock->Create(pFrame, dwStyle, nDockBarID))
        return NULL;  // the dock bar deleted itself with its window
    pDock->m_pDockSite = pFrame;
    pFrame->AddControlBar(pDock);
    if (pOuter != NULL) {
        pDock->m_dwStyle = pOuter->m_dwStyle;
        // the new bar goes between pOuter and its former inner neighbour
        pDock->m_pDockBarInner = pOuter->m_pDockBarInner;
        if (pOuter->m_pDockBarInner != NULL)
            pOuter->m_pDockBarInner->m_pDockBarOuter = pDock;
        pDock->m_pDockBarOuter = pOuter;
        pOuter->m_pDockBarInner = pDock;
        if (pOuter->IsWindowVisible() && pOuter->GetDockedVisibleCount() > 0) {
            CRect rc;
            pOuter->GetWindowRect(&rc);
            switch (nDockBarID) {
            case AFX_IDW_DOCKBAR_TOP: rc.top = rc.bottom; break;
            case AFX_IDW_DOCKBAR_LEFT: rc.left = rc.right; break;
            case AFX_IDW_DOCKBAR_RIGHT: rc.right = rc.left; break;
            case AFX_IDW_DOCKBAR_BOTTOM: rc.bottom = rc.top; break;
            }
            pDock->m_rcLastInvisiblePreCalc = rc;
        } else {
            pDock->m_rcLastInvisiblePreCalc = pOuter->m_rcLastInvisiblePreCalc;
        }
    }
    if (pInsertAfter != NULL)
        pDock->SetWindowPos(pInsertAfter, 0, 0, 0, 0,
                            SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW | SWP_NOCOPYBITS |
                                SWP_NOSENDCHANGING);
    return pDock;
}

UINT CExtDockBar::CreateInnerCircle(CFrameWnd* pFrame) {
    if (pFrame == NULL)
        return 0;
    CArray<CExtDockBar*, CExtDockBar*> arr;
    FrameDockBars(pFrame, arr);
    UINT nMax = 0;
    CExtDockBar* innermost[4] = {NULL, NULL, NULL, NULL};
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        nMax = std::max(nMax, arr[i]->m_nCircleNo);
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i]->m_nCircleNo != nMax)
            continue;
        for (int s = 0; s < 4; s++)
            if ((UINT)arr[i]->GetDlgCtrlID() == kZOrderSides[s])
                innermost[s] = arr[i];
    }
    for (CExtDockBar* p : innermost)
        if (p == NULL)
            return 0;
    const UINT nNew = nMax + 1;
    CWnd* pAfter = innermost[3];
    for (int s = 0; s < 4; s++) {
        CExtDockBar* pDock = CreateCircleDockBar(pFrame, kZOrderSides[s], nNew, innermost[s], pAfter);
        if (pDock == NULL)
            return 0;
        pAfter = pDock;
    }
    return nNew;
}

void CExtDockBar::InsertCircle(CFrameWnd* pFrame, UINT nCircleNo) {
    if (pFrame == NULL || nCircleNo == 0)
        return;
    CExtDockBar* existing[4];
    bool bAllEmpty = true;
    for (int s = 0; s < 4; s++) {
        existing[s] = FindFrameDockBar(pFrame, nCircleNo, kZOrderSides[s], true);
        if (existing[s] == NULL)
            return;
        bAllEmpty = bAllEmpty && existing[s]->IsEmpty();
    }
    if (bAllEmpty)
        return;
    // every dock bar from that circle inward moves one circle in
    CArray<CExtDockBar*, CExtDockBar*> arr;
    FrameDockBars(pFrame, arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (arr[i]->m_nCircleNo >= nCircleNo)
            arr[i]->m_nCircleNo++;
    CWnd* pAfter = existing[3]->m_pDockBarOuter;
    for (int s = 0; s < 4; s++) {
        CExtDockBar* pDock = CreateCircleDockBar(pFrame, kZOrderSides[s], nCircleNo, existing[s]->m_pDockBarOuter, pAfter);
        if (pDock == NULL)
            return;
        pAfter = pDock;
    }
}

void CExtDockBar::CompactFrameCircles() {
    if (m_bLockedLayout)
        return;
    CompactFrameCircles(GetParentFrame());
}

void CExtDockBar::CompactFrameCircles(CFrameWnd* pFrame) {
    if (pFrame == NULL)
        return;
    // The pass runs again only when it dissolved a container: a container that cannot go (it
    // holds placeholders, or its dock bar is locked) must not keep the loop turning.
    for (bool bAgain = true; bAgain;) {
        bAgain = false;
        CExtDockBar* cur[4];
        for (int s = 0; s < 4; s++) {
            CExtDockBar* pOuter = GetOuterDockBar(pFrame, kZOrderSides[s]);
            cur[s] = pOuter != NULL ? pOuter->m_pDockBarInner : NULL;
        }
        UINT nCircle = 1;
        for (;;) {
            bool bAll = true, bEmpty = true;
            for (CExtDockBar* p : cur) {
                bAll = bAll && p != NULL;
                bEmpty = bEmpty && p != NULL && p->IsEmpty() && !p->m_bLockedLayout;
            }
            if (!bAll)
                break;
            CExtDockBar* next[4];
            for (int s = 0; s < 4; s++)
                next[s] = cur[s]->m_pDockBarInner;
            if (bEmpty) {
                for (CExtDockBar* p : cur) {
                    p->UnlinkCircle();
                    pFrame->RemoveControlBar(p);
                    p->m_pDockSite = NULL;
                    const BOOL bAutoDelete = p->m_bAutoDelete;
                    p->DestroyWindow();
                    if (!bAutoDelete)
                        delete p;
                }
            } else {
                for (CExtDockBar* p : cur) {
                    p->m_nCircleNo = nCircle;
                    p->CompactNestedContainers();
                }
                nCircle++;
            }
            for (int s = 0; s < 4; s++)
                cur[s] = next[s];
        }
        // containers left without a bar go; dissolving one may leave another spent
        CArray<CExtControlBar*, CExtControlBar*> arrBars;
        CExtControlBar::GetAllBars(arrBars);
        CArray<HWND, HWND> arrSpent;
        for (INT_PTR i = 0; i < arrBars.GetSize(); i++) {
            CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, arrBars[i]);
            if (pDyn == NULL || pDyn->m_hWnd == NULL || pDyn->m_pDockSite != pFrame)
                continue;
            CExtDockDynBar* pInner = pDyn->GetInnerDockBar();
            CArray<CExtControlBar*, CExtControlBar*> arrInside;
            if (pInner != NULL && pInner->m_hWnd != NULL)
                pInner->CollectDockedBars(arrInside);
            if (pInner != NULL && arrInside.GetSize() == 0)
                arrSpent.Add(pDyn->m_hWnd);
        }
        for (INT_PTR i = 0; i < arrSpent.GetSize(); i++) {
            CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(arrSpent[i]));
            if (pDyn == NULL || pDyn->GetInnerDockBar() == NULL)
                continue;
            pDyn->GetInnerDockBar()->CompactNestedContainers();
            if (!::IsWindow(arrSpent[i]))
                bAgain = true;
        }
    }
}
