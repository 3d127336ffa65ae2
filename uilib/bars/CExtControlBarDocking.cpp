// The docking operations of a resizable bar: applying a drop target, docking beside another bar
// in a new container, floating in a mini frame, docking at a frame side or in a circle, and the
// double-click toggle.
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtDynDockMarkerWnd.h"
#include "ExtDockMarkerSet.h"
#include "ExtDropZones.h"
#include "ExtDockRows.h"
#include "CExtPaintManagerHolder.h"
#include <afxpriv.h>

namespace {

CExtControlBar* g_pBarBeingFloated = NULL;

void DelayLayout(CFrameWnd* pFrame) {
    if (pFrame != NULL && pFrame->GetSafeHwnd() != NULL)
        pFrame->DelayRecalcLayout();
}

// Lays out the frame of a window handle that may have gone meanwhile.
void RecalcFrameIfAlive(HWND hFrame, CFrameWnd* pFrame) {
    if (hFrame == NULL || !::IsWindow(hFrame) || CWnd::FromHandlePermanent(hFrame) != pFrame)
        return;
    if (ExtIsMiniDockFrame(pFrame))
        pFrame->RecalcLayout();
    else
        pFrame->DelayRecalcLayout();
}

}  // namespace

CExtControlBar* CExtControlBar::GetBarBeingFloated() { return g_pBarBeingFloated; }

// ---- Applying a drop target ---------------------------------------------------------------------

bool CExtControlBar::ApplyDraggingState(InternalDraggingState_t& st, bool bFinal) {
    ExtDockMarkerSet::HideAllHighlights(NULL, false);
    if (st.IsEmpty() || IsFixedModeBar())
        return false;
    CFrameWnd* pSite = GetDockSiteFrame(this);
    const DWORD nKind = st.m_eTarget;
    CExtControlBar* pTarget = static_cast<CExtControlBar*>(st.m_pTarget);
    const int nSide = ExtDropZones::SideOfKind(nKind);
    if (bFinal && nKind >= dropMarkerOuterTop && nKind <= dropLast) {
        if (nKind < dropMarkerBarTop)
            DockAtFrameSide(CExtDockBar::g_arrSides[nSide], nKind >= dropMarkerInnerTop, NULL, true);
        else if (pTarget != NULL)
            DockBesideBar(50, pTarget, CExtDockBar::g_arrSides[nSide], true);
        return true;
    }
    if (nKind == dropFloat) {
        if (!IsFloating() && m_pDockBar != NULL) {
            // the nearest visible neighbour in the row takes over the space
            CExtControlBar* pNeighbour = DYNAMIC_DOWNCAST(CExtControlBar, GetRowNeighbour(this, true, true, true));
            if (pNeighbour == NULL)
                pNeighbour = DYNAMIC_DOWNCAST(CExtControlBar, GetRowNeighbour(this, false, true, true));
            if (pNeighbour != NULL) {
                const CRect rc = ExtWindowRectOf(this);
                if (IsDockedHorizontally())
                    pNeighbour->m_sizeDockedH.cx += rc.Width();
                else
                    pNeighbour->m_sizeDockedV.cy += rc.Height();
            }
        }
        const CPoint pt = ExtDropZones::FloatingOrigin(st.m_rcTarget, ExtWindowRectOf(pSite));
        FloatControlBar(pt.x, pt.y, CBRS_ALIGN_TOP);
        if (m_pDockContext != NULL)
            m_pDockContext->m_ptMRUFloatPos = pt;
        if (!IsShowContentWhileDragging() && pSite != NULL)
            pSite->RecalcLayout();
        return true;
    }
    if (nKind >= dropSplitTop && nKind <= dropSplitRight) {
        if (pTarget != NULL)
            DockBesideBar(50, pTarget, CExtDockBar::g_arrSides[nSide], true);
        return true;
    }
    if (nKind >= dropInnerTop && nKind <= dropOuterRight) {
        if (pSite == NULL)
            return false;
        const bool bHadDockBar = m_pDockBar != NULL;
        CFrameWnd* pOldFrame = GetParentFrame();
        const HWND hOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;
        CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pSite, CExtDockBar::g_arrSides[nSide]);
        if (pOuter == NULL)
            return false;
        RememberDockPlace();
        if (nKind <= dropInnerRight) {
            if (nSide < 2)
                m_sizeDockedH.cy = st.m_rcTarget.Height();
            else
                m_sizeDockedV.cx = st.m_rcTarget.Width();
            CExtDockBar* pDock = st.m_nCircle != 0 ? pOuter->GetCircleDockBar(st.m_nCircle) : pOuter;
            if (pDock == NULL)
                return false;
            pDock->DockControlBarAtEdge(this, true);
        } else {
            CExtDockBar* pCircle1 = pOuter->GetCircleDockBar(1);
            if (pCircle1 == NULL)
                return false;
            if (nSide >= 2)
                pOuter->InsertCircleInside();
            pCircle1 = pOuter->GetCircleDockBar(1);
            if (pCircle1 == NULL)
                return false;
            pCircle1->DockControlBarAtEdge(this, false);
        }
        if (bHadDockBar)
            pSite->RecalcLayout();
        if (pOldFrame != NULL && pOldFrame != pSite)
            RecalcFrameIfAlive(hOldFrame, pOldFrame);
        if (m_hWnd != NULL)
            SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
        return true;
    }
    if (nKind == dropUnchanged) {
        DelayLayout(pSite);
        return true;
    }
    if (nKind >= dropMarkerOuterTop && nKind <= dropLast) {
        // not final: the marker under the pointer shows where the bar would go
        POINT pt;
        ::GetCursorPos(&pt);
        CExtDynDockMarkerWnd* pMarker =
            DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt)));
        if (pMarker != NULL && pMarker->IsDropMarker() && pMarker->GetDropKind() == nKind)
            pMarker->ShowHighlight(true);
        return true;
    }
    return false;
}

void CExtControlBar::RememberDockPlace() {
    if (IsFloating() || m_pDockBar == NULL)
        return;
    const UINT nID = GetDockSideId();
    for (UINT nSide : CExtDockBar::g_arrSides)
        if (nSide == nID) {
            m_nMRUDockSideId = nID;
            m_nMRUDockCircle = (UINT)std::max(1, GetDockBarCircle());
        }
}

// ---- Two bars in a new container ----------------------------------------------------------------

bool CExtControlBar::DockIntoNewContainer(CExtControlBar* pBar, UINT nSide, int nPercent) {
    if (pBar == NULL || pBar == this || m_pDockBar == NULL || m_hWnd == NULL || pBar->m_hWnd == NULL)
        return false;
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (pSite == NULL)
        return false;
    const CRect W = ExtWindowRectOf(this);
    CRect rcOther(W), rcThis(W);
    const bool bStack = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_BOTTOM;
    const int nCut = ::MulDiv(bStack ? W.Height() : W.Width(), nPercent, 100);
    switch (nSide) {
    case AFX_IDW_DOCKBAR_TOP: rcOther.bottom = rcThis.top = W.top + nCut; break;
    case AFX_IDW_DOCKBAR_BOTTOM: rcOther.top = rcThis.bottom = W.bottom - nCut; break;
    case AFX_IDW_DOCKBAR_LEFT: rcOther.right = rcThis.left = W.left + nCut; break;
    case AFX_IDW_DOCKBAR_RIGHT: rcOther.left = rcThis.right = W.right - nCut; break;
    default: return false;
    }
    CExtDynControlBar* pDyn = new CExtDynControlBar;
    pDyn->m_sizeDockedH = m_sizeDockedH;
    pDyn->m_sizeDockedV = m_sizeDockedV;
    const DWORD dwStyle =
        ((GetStyle() | (m_dwStyle & CBRS_ALIGN_ANY)) & ~(DWORD)(0x400000 | CBRS_FLOATING)) | CBRS_BORDER_ANY | CBRS_TOOLTIPS;
    if (!pDyn->Create(NULL, pSite, bStack ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP, dwStyle))
        return false;   // a container whose window failed went with it
    CDockBar* pDock = m_pDockBar;
    CExtDockDynBar* pInner = pDyn->GetInnerDockBar();
    if (pInner == NULL) {
        pDyn->DestroyWindow();
        return false;
    }
    pDyn->m_pDockSite = m_pDockSite != NULL ? m_pDockSite : pSite;
    pDyn->EnableDocking(CBRS_ALIGN_ANY);
    const int nPos = pDock->FindBar(this);
    if (nPos > 0)
        pDock->m_arrBars[nPos] = pDyn;
    pDyn->m_pDockBar = pDock;
    pDyn->m_dwStyle = (pDyn->m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (pDock->m_dwStyle & CBRS_ALIGN_ANY);
    if (pDock->m_bFloating) {
        pDyn->m_dwStyle |= CBRS_FLOATING;
        pInner->m_dwStyle |= CBRS_FLOATING;
    }
    // the three windows change parents: their layout waits
    CDockBar* pOtherOld = pBar->m_pDockBar;
    const HWND hOtherOld = pOtherOld != NULL ? pOtherOld->m_hWnd : NULL;
    m_nTracking |= trackReparenting;
    pBar->m_nTracking |= trackReparenting;
    pDyn->m_nTracking |= trackReparenting;
    pDyn->SetParent(pDock);
    SetParent(pInner);
    pBar->SetParent(pInner);
    m_pDockBar = pInner;
    m_dwStyle &= ~CBRS_FLOATING;
    pBar->m_dwStyle &= ~CBRS_FLOATING;
    // the other bar leaves its old dock bar (which may take its mini frame with it)
    if (pOtherOld != NULL && hOtherOld != NULL && ::IsWindow(hOtherOld)) {
        CExtDockBar* pExtOld = DYNAMIC_DOWNCAST(CExtDockBar, pOtherOld);
        pBar->m_pDockBar = NULL;
        if (pExtOld != NULL && !pOtherOld->m_bFloating) {
            pExtOld->RemoveControlBar(pBar, -1, 0, true);
        } else {
            // still the bar's dock bar while it leaves, so that the framework's bookkeeping holds
            pBar->m_pDockBar = pOtherOld;
            pOtherOld->RemoveControlBar(pBar);
        }
    }
    pBar->m_pDockBar = pInner;
    // one row: the first bar and the second
    const bool bOtherFirst = nSide == AFX_IDW_DOCKBAR_TOP || nSide == AFX_IDW_DOCKBAR_LEFT;
    pInner->m_arrBars.RemoveAll();
    pInner->m_arrBars.Add(NULL);
    pInner->m_arrBars.Add(bOtherFirst ? (void*)pBar : (void*)this);
    pInner->m_arrBars.Add(bOtherFirst ? (void*)this : (void*)pBar);
    pInner->m_arrBars.Add(NULL);
    m_sizeDockedH = m_sizeDockedV = rcThis.Size();
    pBar->m_sizeDockedH = pBar->m_sizeDockedV = rcOther.Size();
    CRect rcDyn(W);
    pDock->ScreenToClient(&rcDyn);
    pDyn->SetWindowPos(NULL, rcDyn.left, rcDyn.top, rcDyn.Width(), rcDyn.Height(),
                       SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    for (CExtControlBar* p : {this, pBar}) {
        CRect rc = p == this ? rcThis : rcOther;
        pInner->ScreenToClient(&rc);
        p->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_FRAMECHANGED);
    }
    pDyn->m_sizeFloated = W.Size();
    m_nTracking &= ~trackReparenting;
    pBar->m_nTracking &= ~trackReparenting;
    pDyn->m_nTracking &= ~trackReparenting;
    CExtDockBar::CompactFrameCircles(pSite);
    if (::IsWindow(pDyn->m_hWnd)) {
        if (CFrameWnd* pFrame = pDyn->GetParentFrame())
            pFrame->RecalcLayout();
        pDyn->FitSingleChild(-1, -1, true);
        pDyn->CreateCaptionButtons();
        pDyn->LayoutCaptionButtons();
        pInner->RecalcNestedLayout();
    }
    return true;
}

// ---- Floating -----------------------------------------------------------------------------------

CFrameWnd* CExtControlBar::CreateFloatingFrame(DWORD dwStyle) {
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (pSite == NULL)
        AfxThrowResourceException();
    return pSite->CreateFloatingFrame(dwStyle);
}

void CExtControlBar::FloatControlBar(int x, int y, DWORD dwStyle) {
    // the bar being floated is known to the mini frame's code while this runs, and only then;
    // nothing thrown here may reach the window procedure that called us
    struct BeingFloated {
        explicit BeingFloated(CExtControlBar* p) { g_pBarBeingFloated = p; }
        ~BeingFloated() { g_pBarBeingFloated = NULL; }
    } beingFloated(this);
    try {
        FloatControlBarAt(x, y, dwStyle);
    } catch (CException* e) {
        TRACE("FloatControlBar: the mini frame could not be made\n");
        e->Delete();
    } catch (...) {
        TRACE("FloatControlBar: failed\n");
    }
}

void CExtControlBar::FloatControlBarAt(int x, int y, DWORD dwStyle) {
    if (m_hWnd == NULL)
        return;
    CDockBar* pOld = m_pDockBar;
    if (pOld != NULL && pOld->m_bFloating && pOld->GetDockedCount() == 1) {
        if (CWnd* pMini = pOld->GetParent())
            pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_ptFloatHelper.SetPoint(x, y);
        return;
    }
    if (m_dwStyle & CBRS_SIZE_DYNAMIC)
        dwStyle |= CBRS_SIZE_DYNAMIC;
    if (dwStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT))
        dwStyle = (dwStyle & ~(DWORD)(CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) | CBRS_ALIGN_TOP;
    RememberDockPlace();
    const bool bVisible = (GetStyle() & WS_VISIBLE) != 0;
    CExtDockBar* pOldExt = pOld != NULL && !pOld->m_bFloating ? DYNAMIC_DOWNCAST(CExtDockBar, pOld) : NULL;
    const HWND hOldDock = pOldExt != NULL ? pOldExt->m_hWnd : NULL;
    CFrameWnd* pOldFrame = GetParentFrame();
    const HWND hOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (m_pDockContext != NULL && pOld != NULL && !pOld->m_bFloating) {
        m_pDockContext->m_uMRUDockID = (UINT)pOld->GetDlgCtrlID();
        GetWindowRect(&m_pDockContext->m_rectMRUDockPos);
    }
    CFrameWnd* pMini = CreateFloatingFrame(dwStyle);
    if (pMini == NULL)
        AfxThrowResourceException();
    pMini->SetWindowPos(NULL, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (::GetWindow(pMini->m_hWnd, GW_OWNER) == NULL && pSite != NULL)
        ::SetWindowLongPtrA(pMini->m_hWnd, GWLP_HWNDPARENT, (LONG_PTR)pSite->m_hWnd);
    CDockBar* pFloatDock = DYNAMIC_DOWNCAST(CDockBar, pMini->GetDlgItem(AFX_IDW_DOCKBAR_FLOAT));
    if (pFloatDock == NULL) {
        pMini->DestroyWindow();
        AfxThrowResourceException();
    }
    m_nTracking |= trackReparenting;
    pFloatDock->DockControlBar(this, NULL);
    m_nTracking &= ~trackReparenting;
    pMini->RecalcLayout();
    if (bVisible) {
        pMini->ShowWindow(SW_SHOWNA);
        pMini->UpdateWindow();
    }
    m_ptFloatHelper.SetPoint(x, y);
    if (m_pDockContext != NULL)
        m_pDockContext->m_ptMRUFloatPos.SetPoint(x, y);
    if (hOldDock != NULL && ::IsWindow(hOldDock) && CWnd::FromHandlePermanent(hOldDock) == pOldExt)
        pOldExt->RecalcNestedLayout();
    if (pOldFrame != NULL && pOldFrame != pSite)
        RecalcFrameIfAlive(hOldFrame, pOldFrame);
    if (pSite != NULL) {
        // placeholders left in the site's dock bars go
        for (UINT nID : CExtDockBar::g_arrSides)
            if (CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pSite, nID))
                while (pOuter->RemovePlaceholder(this, true)) {
                }
        CExtDockBar::CompactFrameCircles(pSite);
        pSite->RecalcLayout();
    }
    FitSingleChild(-1, -1, true);
}

void CExtControlBar::FloatAtLastPosition(DWORD dwStyle) { FloatControlBar(m_ptFloatHelper.x, m_ptFloatHelper.y, dwStyle); }

void CExtControlBar::ToggleFloatingState() {
    if (IsFixedModeBar()) {
        if (m_pDockContext != NULL)
            m_pDockContext->ToggleDocking();
        DelayLayout(GetDockSiteFrame(this));
        RecalcNonClientArea();
        return;
    }
    const bool bInMini = ExtIsMiniDockFrame(GetParentFrame());
    if (!bInMini && m_pDockBar != NULL && !m_pDockBar->m_bFloating) {
        FloatAtLastPosition(CBRS_ALIGN_TOP);
        return;
    }
    // a floating bar goes back where it was docked last: the side and circle it left, or (a bar
    // the frame floated) the dock bar its dock context remembers
    if (bInMini && m_nMRUDockSideId != 0) {
        const UINT nCircle = m_nMRUDockCircle;
        DockIntoCircle(m_nMRUDockSideId, nCircle, NULL, true);
    } else if (bInMini && m_pDockContext != NULL) {
        m_pDockContext->ToggleDocking();
    }
}

// ---- Docking by code ----------------------------------------------------------------------------

bool CExtControlBar::DockAtFrameSide(UINT nDockBarID, bool bInnermost, CFrameWnd* pFrame, bool bRecalc) {
    if (pFrame == NULL)
        pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL)
        return false;
    CFrameWnd* pParent = GetParentFrame();
    if (ExtIsMiniDockFrame(pParent))
        pParent->ShowWindow(SW_HIDE);
    CExtDockBar::InsertCircle(pFrame, 1);
    UINT nCircle = 1;
    if (bInnermost) {
        nCircle = CExtDockBar::CreateInnerCircle(pFrame);
        if (nCircle == 0)
            return false;
    }
    return DockIntoCircle(nDockBarID, nCircle, pFrame, bRecalc);
}

bool CExtControlBar::DockIntoCircle(UINT nDockBarID, UINT nCircle, CFrameWnd* pFrame, bool bRecalc) {
    if (pFrame == NULL)
        pFrame = GetDockSiteFrame(this);
    CExtDockBar* pDock = CExtDockBar::GetOuterDockBar(pFrame, nDockBarID);
    if (pDock != NULL && nCircle != 0)
        pDock = pDock->GetCircleDockBar(nCircle);
    if (pDock == NULL)
        return false;
    CFrameWnd* pOldFrame = GetParentFrame();
    const HWND hOldFrame = pOldFrame != NULL ? pOldFrame->m_hWnd : NULL;
    pDock->DockControlBarAtEdge(this, true);
    if (bRecalc) {
        pFrame->RecalcLayout();
        if (pOldFrame != NULL && pOldFrame != pFrame)
            RecalcFrameIfAlive(hOldFrame, pOldFrame);
    }
    return true;
}

bool CExtControlBar::DockBesideBar(int nPercent, CExtControlBar* pTarget, UINT nDockBarID, bool bRecalc) {
    if (pTarget == NULL || pTarget == this)
        return false;
    CFrameWnd* pParent = GetParentFrame();
    const HWND hParent = pParent != NULL ? pParent->m_hWnd : NULL;
    bool bHidden = false;
    if (ExtIsMiniDockFrame(pParent) && GetCurrentDragBar() == this && g_PaintManager->IsStudioStyle() &&
        pParent->IsWindowVisible()) {
        pParent->ShowWindow(SW_HIDE);
        bHidden = true;
    }
    CFrameWnd* pTargetSite = GetDockSiteFrame(pTarget);
    if (!pTarget->DockIntoNewContainer(this, nDockBarID, nPercent)) {
        // the bar stays where it was: its frame shows again
        if (bHidden && ::IsWindow(hParent))
            pParent->ShowWindow(SW_SHOWNOACTIVATE);
        return false;
    }
    if (bRecalc) {
        CFrameWnd* pTargetFrame = pTarget->GetParentFrame();
        if (pTargetFrame != NULL)
            pTargetFrame->RecalcLayout();
        if (pParent != NULL && pParent != pTargetSite && hParent != NULL && ::IsWindow(hParent) &&
            CWnd::FromHandlePermanent(hParent) == pParent)
            pParent->RecalcLayout();
        if (pTargetSite != NULL &&
            !(m_pDockSite != NULL && pTargetFrame != pTargetSite && pTargetFrame != m_pDockSite))
            pTargetSite->RecalcLayout();
    }
    return true;
}

bool CExtControlBar::DockBarNextToThis(CExtControlBar* pBar, bool bAcross, bool bAfter, CFrameWnd* pFrame,
                                       bool bRecalc) {
    if (pBar == NULL || pBar == this)
        return false;
    if (pFrame == NULL)
        pFrame = GetDockSiteFrame(this);
    DWORD nFirst, nSecond;   // the kinds for "after" and "before"
    bool bSplit;
    const UINT nID = GetDockSideId();
    if (IsFloating()) {
        nFirst = bAcross ? 1 : 3, nSecond = bAcross ? 2 : 4, bSplit = true;
    } else if (nID == AFX_IDW_DOCKBAR_TOP) {
        nFirst = bAcross ? 3 : 2, nSecond = bAcross ? 4 : 1, bSplit = bAcross;
    } else if (nID == AFX_IDW_DOCKBAR_BOTTOM) {
        nFirst = bAcross ? 3 : 1, nSecond = bAcross ? 4 : 2, bSplit = bAcross;
    } else if (nID == AFX_IDW_DOCKBAR_LEFT) {
        nFirst = bAcross ? 1 : 4, nSecond = bAcross ? 2 : 3, bSplit = !bAcross;
    } else {
        nFirst = bAcross ? 1 : 3, nSecond = bAcross ? 2 : 4, bSplit = !bAcross;
    }
    InternalDraggingState_t st(pBar);
    st.SetEmpty(false);
    st.m_eTarget = bAfter ? nFirst : nSecond;
    st.m_pTarget = this;
    st.m_rcTarget = ExtWindowRectOf(this);
    if (bSplit)
        st.m_nBits |= 2;
    const bool bDone = pBar->ApplyDraggingState(st, true);
    if (pFrame != NULL) {
        if (bRecalc)
            pFrame->RecalcLayout();
        else
            pFrame->DelayRecalcLayout();
    }
    return bDone;
}
