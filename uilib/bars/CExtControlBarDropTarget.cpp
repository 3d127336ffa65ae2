// Where a dragged resizable bar would land (ComputeDropTarget), the outline that shows it while
// the drag does not show the bar itself, and the query layout that finds the view's area. The
// zones themselves are functions over rectangles (ExtDropZones); this file gathers the
// rectangles from the windows.
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDynControlBar.h"
#include "CExtDynDockMarkerWnd.h"
#include "CExtPaintManagerHolder.h"
#include "ExtDropZones.h"
#include <afxpriv.h>
#include <algorithm>

namespace {

int DockingMode() { return g_PaintManager->IsStudioStyle() ? 1 : 0; }

// The first visible resizable bar of the frame (not pExclude, no container, none in a dialog)
// that floats (bFloating) or is docked, and whose window (its mini frame when floating) holds pt.
CExtControlBar* FindBarAt(CExtControlBar* pExclude, CFrameWnd* pFrame, bool bFloating, CPoint pt) {
    CArray<CExtControlBar*, CExtControlBar*> arr;
    CExtControlBar::FindBarsByFilter(pExclude, pFrame, arr, 0x0504 | (bFloating ? 0x80 : 0x78));
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* pBar = arr[i];
        if (pBar->IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || pBar->IsMinimizedInRow())
            continue;
        CWnd* pWndTest = pBar;
        if (bFloating) {
            pWndTest = pBar->GetParentFrame();
            if (!ExtIsMiniDockFrame(pWndTest))
                continue;
        } else if (pBar->IsFloating()) {
            continue;
        }
        if (ExtWindowRectOf(pWndTest).PtInRect(pt))
            return pBar;
    }
    return NULL;
}

ExtDropZones::DraggedBar DraggedOf(const CExtControlBar* pBar) {
    ExtDropZones::DraggedBar d;
    d.dwDockStyle = pBar->m_dwDockStyle;
    d.nMinW = std::max(8, pBar->GetMinExtentHorz());
    d.nMinH = std::max(8, pBar->GetMinExtentVert());
    d.cyDockedH = pBar->m_sizeDockedH.cy;
    d.cxDockedV = pBar->m_sizeDockedV.cx;
    return d;
}

CSize MinOf(const CExtControlBar* pBar) { return CSize(pBar->GetMinExtentHorz(), pBar->GetMinExtentVert()); }

CExtDockBar* InnermostDockBar(CFrameWnd* pFrame, UINT nID) {
    CExtDockBar* p = CExtDockBar::GetOuterDockBar(pFrame, nID);
    while (p != NULL && p->GetInnerNeighbour() != NULL)
        p = p->GetInnerNeighbour();
    return p;
}

}  // namespace

void CExtControlBar::ComputeDropTarget(InternalDraggingState_t& st, int x, int y, bool bCtrl) {
    if (IsFixedModeBar()) {
        DockFixedBarAt(st, x, y, bCtrl);
        return;
    }
    const CPoint pt(x, y);
    const int nMode = DockingMode();
    const bool bLive = IsShowContentWhileDragging();
    if (bLive && nMode != 1 && IsDocked() && m_pDockBar != NULL && ExtWindowRectOf(m_pDockBar).PtInRect(pt))
        return;
    st.m_pBar = this;
    st.SetEmpty(false);
    st.m_nBits &= ~2;
    st.m_rcTarget.SetRectEmpty();
    st.m_eTarget = dropFloat;
    st.m_nCircle = 0;
    st.m_pTarget = NULL;
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    const CRect F = ExtWindowRectOf(pFrame);
    bool bForceFloat = bCtrl;
    const bool bFloating = IsFloating();
    CFrameWnd* pOwnFrame = GetParentFrame();

    bool bFound = false;
    if (nMode == 1 && !bForceFloat && bFloating) {
        // a marker under the pointer
        CExtDynDockMarkerWnd* pMarker =
            DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt)));
        if (pMarker != NULL && pMarker->IsDropMarker()) {
            DWORD nKind = pMarker->GetDropKind();
            const HWND hTarget = pMarker->GetTargetWindow();
            CExtControlBar* pTarget = NULL;
            if (hTarget != NULL) {
                if (!::IsWindow(hTarget)) {
                    nKind = 0;
                } else if (CWnd* pLive = CWnd::FromHandlePermanent(hTarget)) {
                    if (nKind >= dropMarkerBarTop && nKind <= dropMarkerBarTop + 3) {
                        pTarget = DYNAMIC_DOWNCAST(CExtControlBar, pLive);
                        if (pTarget == NULL)
                            nKind = 0;
                    }
                }
            }
            if (nKind != 0) {
                st.m_eTarget = nKind;
                st.m_pTarget = pTarget;
                if (pTarget != NULL)
                    st.m_rcTarget = ExtWindowRectOf(pTarget);
                return;
            }
        }
    }
    if (nMode == 0 && !bForceFloat && bFloating &&
        (IsKindOf(RUNTIME_CLASS(CExtDynControlBar)) || !bLive) && ExtIsMiniDockFrame(pOwnFrame) &&
        ExtWindowRectOf(pOwnFrame).PtInRect(pt))
        bForceFloat = true;   // over its own floating frame the bar stays floating

    const ExtDropZones::DraggedBar bar = DraggedOf(this);
    bool bImmediateUnchanged = false;
    if (!(::GetKeyState(VK_CONTROL) < 0 || bForceFloat) && pFrame != NULL) {
        if (CanDockAtFrameZones()) {
            // beside a floating bar
            if (CExtControlBar* pTarget = FindBarAt(nMode == 1 ? this : NULL, pFrame, true, pt)) {
                if (pTarget != this) {
                    const ExtDropZones::Zone z = ExtDropZones::SplitBesideFloating(
                        pt, ExtWindowRectOf(pTarget->GetParentFrame()), ExtWindowRectOf(pTarget->m_pDockBar), bar,
                        MinOf(pTarget));
                    if (z.nKind != 0) {
                        st.m_eTarget = z.nKind;
                        st.m_rcTarget = z.rc;
                        st.m_pTarget = pTarget;
                        st.m_nBits |= 2;
                        bFound = true;
                    }
                }
            }
            // the outer ring, just inside the frame's outer dock bars
            if (!bFound) {
                CExtDockBar* pOuter[4];
                for (int i = 0; i < 4; i++)
                    pOuter[i] = CExtDockBar::GetOuterDockBar(pFrame, CExtDockBar::g_arrSides[i]);
                if (pOuter[0] && pOuter[1] && pOuter[2] && pOuter[3]) {
                    const CRect C(pOuter[2]->GetInnerEdge().right, pOuter[0]->GetInnerEdge().bottom,
                                  pOuter[3]->GetInnerEdge().left, pOuter[1]->GetInnerEdge().top);
                    const ExtDropZones::Zone z = ExtDropZones::OuterRing(pt, C, bar);
                    if (z.nKind != 0) {
                        st.m_eTarget = z.nKind;
                        st.m_rcTarget = z.rc;
                        st.m_nCircle = 1;
                        bFound = true;
                    }
                }
            }
            // the inner ring along the view's edges
            CRect rcNear(F);
            rcNear.InflateRect(32, 32);
            if (!bFound && rcNear.PtInRect(pt)) {
                CRect V(0, 0, 0, 0);
                RepositionBarsQuery(pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, V, NULL, true);
                pFrame->ClientToScreen(&V);
                if (!V.IsRectEmpty() && V.PtInRect(pt)) {
                    UINT nSkip = 0;
                    for (int i = 0; i < 4 && !bImmediateUnchanged; i++) {
                        CExtDockBar* pOuter = CExtDockBar::GetOuterDockBar(pFrame, CExtDockBar::g_arrSides[i]);
                        if (bLive && IsDocked() && pOuter != NULL && pOuter == m_pDockBar) {
                            nSkip |= 1u << i;
                            if (ExtWindowRectOf(pOuter).PtInRect(pt))
                                bImmediateUnchanged = true;
                        }
                    }
                    if (bImmediateUnchanged) {
                        st.m_eTarget = dropUnchanged;
                        return;
                    }
                    const ExtDropZones::Zone z = ExtDropZones::InnerRing(pt, V, bar, nSkip);
                    if (z.nKind != 0) {
                        const int nSide = ExtDropZones::SideOfKind(z.nKind);
                        CExtDockBar* pInnermost = InnermostDockBar(pFrame, CExtDockBar::g_arrSides[nSide]);
                        const int n = pInnermost != NULL ? (int)pInnermost->GetCircleNo() : 0;
                        const UINT nPerp1 = nSide < 2 ? AFX_IDW_DOCKBAR_LEFT : AFX_IDW_DOCKBAR_TOP;
                        const UINT nPerp2 = nSide < 2 ? AFX_IDW_DOCKBAR_RIGHT : AFX_IDW_DOCKBAR_BOTTOM;
                        bool bReuse = false;
                        if (GetDockBarCircle() + 2 < n) {
                            CExtDockBar* p1 = CExtDockBar::FindFrameDockBar(pFrame, (UINT)n, nPerp1, true);
                            CExtDockBar* p2 = CExtDockBar::FindFrameDockBar(pFrame, (UINT)n, nPerp2, true);
                            bReuse = p1 != NULL && p2 != NULL && p1->IsEmpty() && p2->IsEmpty();
                        }
                        st.m_eTarget = z.nKind;
                        st.m_rcTarget = z.rc;
                        st.m_nCircle = (DWORD)(bReuse ? n : n + 1);
                        bFound = true;
                    }
                }
            }
        }
        // beside a docked bar
        if (!bFound) {
            CExtControlBar* pTarget = FindBarAt(nMode == 1 ? this : NULL, pFrame, false, pt);
            if (pTarget == this) {
                st.m_eTarget = dropUnchanged;
                bFound = true;
            } else if (pTarget != NULL && (CanDockAtFrameZones() || pTarget->GetDockBarCircle() == 0)) {
                const UINT nSideId = pTarget->GetDockSideId();
                const bool bHorz = nSideId == AFX_IDW_DOCKBAR_TOP || nSideId == AFX_IDW_DOCKBAR_BOTTOM ||
                                   pTarget->IsFloating();
                int nSide = -1;
                for (int i = 0; i < 4; i++)
                    if (CExtDockBar::g_arrSides[i] == nSideId)
                        nSide = i;
                if (nSide < 0 || ExtDropZones::SideAllowed(m_dwDockStyle, nSide)) {
                    const ExtDropZones::Zone z = ExtDropZones::SplitBesideDocked(pt, ExtWindowRectOf(pTarget), bar,
                                                                                 MinOf(pTarget), bHorz, bLive);
                    if (z.nKind != 0) {
                        st.m_eTarget = z.nKind;
                        st.m_rcTarget = z.rc;
                        st.m_pTarget = pTarget;
                        if (!(pTarget->IsDocked() && pTarget->IsSingleInRow(false, false)))
                            st.m_nBits |= 2;
                        bFound = true;
                    }
                }
            }
        }
    }
    if (nMode == 1 && !bImmediateUnchanged) {
        // the Studio look docks through its markers only
        st.m_eTarget = dropFloat;
        st.m_nBits &= ~2;
    }
    if (st.m_eTarget == dropFloat) {
        st.m_pTarget = NULL;
        st.m_nCircle = 0;
        const CRect rcMini = bFloating ? ExtWindowRectOf(pOwnFrame) : CRect(0, 0, 0, 0);
        st.m_rcTarget = ExtDropZones::FloatingRect(pt, bFloating && pOwnFrame != NULL, rcMini, m_sizeFloated,
                                                   m_ptHelperDragOffsetFloated, m_rcGrip, F);
    }
}

// ---- The outline --------------------------------------------------------------------------------

void CExtControlBar::DrawTrackingOutline(const InternalDraggingState_t& st, bool bErasing) {
    if (st.IsEmpty() || st.m_eTarget == dropUnchanged || IsFixedSizeBar())
        return;
    if (IsShowContentWhileDragging()) {
        if (DockingMode() == 1 && IsFloating()) {
            if (CFrameWnd* pMini = GetParentFrame())
                if (ExtIsMiniDockFrame(pMini) && !pMini->IsWindowVisible())
                    pMini->ShowWindow(SW_SHOWNOACTIVATE);
        }
        return;
    }
    CFrameWnd* pSite = GetDockSiteFrame(this);
    if (pSite == NULL)
        return;
    const CRect F = ExtWindowRectOf(pSite);
    CRect R(st.m_rcTarget);
    CExtControlBar* pTarget = static_cast<CExtControlBar*>(st.m_eTarget >= 1 && st.m_eTarget <= 4 ? st.m_pTarget : NULL);
    if (pTarget != NULL) {
        if (pTarget->GetSafeHwnd() == NULL || pTarget->m_pDockBar == NULL)
            return;
        CRect rcClip = ExtWindowRectOf(pTarget->m_pDockBar);
        if (rcClip.IsRectEmpty() || !R.IntersectRect(&R, &rcClip))
            return;
    }
    // a floating target carries the dock site's top-left (see ExtDropZones::FloatingRect)
    if (st.m_eTarget == dropFloat)
        R.OffsetRect(-F.TopLeft());
    if (R.Width() < 2 * ::GetSystemMetrics(SM_CXFRAME) + 1 || R.Height() < 2 * ::GetSystemMetrics(SM_CYFRAME) + 1)
        return;
    // the window to draw on; the rectangle in its window coordinates
    CWnd* pWndDraw = NULL;
    if (pTarget != NULL) {
        CFrameWnd* pTargetFrame = pTarget->GetParentFrame();
        pWndDraw = pTargetFrame != NULL ? pTargetFrame : pSite;
    } else if (st.m_eTarget >= dropInnerTop && st.m_eTarget <= dropOuterRight) {
        pWndDraw = pSite;
    } else {
        pWndDraw = CWnd::GetDesktopWindow();
    }
    // R is on the screen; the drawing window's coordinates
    R.OffsetRect(-ExtWindowRectOf(pWndDraw).TopLeft());
    HDC hDC = ::GetDCEx(pWndDraw->m_hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    CDC* pDC = CDC::FromHandle(hDC);
    if (pDC->RectVisible(&R)) {
        TackedAreaRecord rec = {this, pDC, 2, R, (BYTE)(bErasing ? 1 : 0)};
        DrawTackedArea(rec);
    }
    ::ReleaseDC(pWndDraw->m_hWnd, hDC);
}

void CExtControlBar::DrawTackedArea(TackedAreaRecord& rec) {
    if (rec.m_pBar != NULL && rec.m_pBar->GetSafeHwnd() != NULL) {
        CFrameWnd* pReceiver = rec.m_pBar->GetParentFrame();
        if (ExtIsMiniDockFrame(pReceiver))
            pReceiver = pReceiver->GetParentFrame();
        if (pReceiver != NULL) {
            pReceiver->SendMessage(g_nMsgDrawTackedArea, (WPARAM)&rec);
            if (rec.m_nFlags & 2)
                return;
        }
    }
    if (rec.m_pDC == NULL)
        return;
    HDC hDC = rec.m_pDC->GetSafeHdc();
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(hDC, pBrush != NULL ? pBrush->m_hObject : ::GetStockObject(GRAY_BRUSH));
    const CRect& rc = rec.m_rc;
    if (rec.m_nDrawKind != 2) {
        ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
    } else {
        // the frame: the rectangle less its inside
        CRect rcIn(rc);
        rcIn.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
        HRGN hOuter = ::CreateRectRgnIndirect(&rc), hInner = ::CreateRectRgnIndirect(&rcIn);
        HRGN hFrame = ::CreateRectRgn(0, 0, 0, 0);
        if (hOuter && hInner && hFrame && ::CombineRgn(hFrame, hOuter, hInner, RGN_DIFF) > NULLREGION) {
            ::SelectClipRgn(hDC, hFrame);
            ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
            ::SelectClipRgn(hDC, NULL);
        }
        for (HRGN h : {hOuter, hInner, hFrame})
            if (h != NULL)
                ::DeleteObject(h);
    }
    ::SelectObject(hDC, hOld);
}

// ---- The query layout ---------------------------------------------------------------------------

namespace {
// The record "CExtControlBar::g_nMsgQueryRepositionCalcEffect" carries (WPARAM its address).
struct RepositionQuery {
    WORD m_nMode;           // bit 4: the child accounted for itself
    CFrameWnd* m_pFrame;
    UINT m_nIDFirst, m_nIDLast, m_nIDLeftOver;
    CRect m_rectParam, m_rectClient;
    BOOL m_bStretch;
};
}  // namespace

void CExtControlBar::RepositionBarsQuery(CFrameWnd* pFrame, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver,
                                         UINT nMode, CRect& rectParam, const CRect* pRectClient, bool bStretch) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return;
    if ((nMode & ~reposNoPosLeftOver) != reposQuery) {
        pFrame->RepositionBars(nIDFirst, nIDLast, nIDLeftOver, nMode, &rectParam, pRectClient, bStretch);
        return;
    }
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (pRectClient != NULL)
        layout.rect = *pRectClient;
    else
        ::GetClientRect(pFrame->m_hWnd, &layout.rect);
    for (HWND h = ::GetTopWindow(pFrame->m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        const UINT nID = (UINT)::GetDlgCtrlID(h);
        if (nID == nIDLeftOver)
            continue;
        if (CWnd::FromHandlePermanent(h) != NULL) {
            RepositionQuery q = {(WORD)nMode, pFrame, nIDFirst, nIDLast, nIDLeftOver, rectParam,
                                 CRect(layout.rect), bStretch};
            ::SendMessageA(h, g_nMsgQueryRepositionCalcEffect, (WPARAM)&q, 0);
            if (q.m_nMode & 0x10)
                continue;
        }
        if (nID >= nIDFirst && nID <= nIDLast)
            ::SendMessageA(h, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    if (bStretch)
        rectParam = layout.rect;
    else
        rectParam.SetRect(0, 0, layout.sizeTotal.cx, layout.sizeTotal.cy);
}
