#include "ExtDockMarkerSet.h"
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtDynDockHighlightWnd.h"
#include "CExtPaintManagerHolder.h"
#include <afxpriv.h>

namespace {

HWND g_hBarMarkersTarget = NULL;

class MarkerSite : public IExtDockMarkerSite {
public:
    bool IsBarDragged() const override { return CExtControlBar::GetCurrentDragBar() != NULL; }
    void OnMarkerTargetGone(CExtDynDockMarkerWnd*) override {
        ExtDockMarkerSet::ShowMarkers(ExtDockMarkerSet::BarMarkers(), false);
        CExtControlBar* pBar = CExtControlBar::GetCurrentDragBar();
        if (pBar == NULL || pBar->GetSafeHwnd() == NULL)
            return;
        POINT pt;
        ::GetCursorPos(&pt);
        ::ScreenToClient(pBar->m_hWnd, &pt);
        pBar->PostMessage(WM_MOUSEMOVE, ::GetKeyState(VK_CONTROL) < 0 ? 17 : 0, MAKELPARAM(pt.x, pt.y));
    }
    CWnd* CreateHighlight(CExtDynDockMarkerWnd* pMarker) override {
        ExtDockMarkerSet::HideAllHighlights(pMarker, true);
        CExtDynDockHighlightWnd* pWnd = new CExtDynDockHighlightWnd(pMarker);
        if (pWnd->GetSafeHwnd() == NULL) {
            delete pWnd;
            return NULL;
        }
        return pWnd;
    }
};

MarkerSite g_site;

}  // namespace

void ExtDockMarkerSet::InstallSite() { CExtDynDockMarkerWnd::g_pSite = &g_site; }

CExtDynDockMarkerWnd::Array& ExtDockMarkerSet::FrameMarkers() {
    static CExtDynDockMarkerWnd::Array s_arr;
    return s_arr;
}

CExtDynDockMarkerWnd::Array& ExtDockMarkerSet::BarMarkers() {
    static CExtDynDockMarkerWnd::Array s_arr;
    return s_arr;
}

HWND ExtDockMarkerSet::GetBarMarkersTarget() { return g_hBarMarkersTarget; }

void ExtDockMarkerSet::ShowFrameMarkers(CFrameWnd* pFrame, bool bShow) {
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL)
        return;
    InstallSite();
    CRect R;
    pFrame->GetClientRect(&R);
    AFX_SIZEPARENTPARAMS layout = {};
    layout.rect = R;
    for (HWND h = ::GetTopWindow(pFrame->m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST)
            continue;
        CWnd* pLive = CWnd::FromHandlePermanent(h);
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pLive);
        if (pDock != NULL && pDock->GetCircleNo() >= 1)
            break;
        if (pLive != NULL) {
            struct {
                WORD m_nMode;
                CFrameWnd* m_pFrame;
                UINT m_nIDFirst, m_nIDLast, m_nIDLeftOver;
                CRect m_rectParam, m_rectClient;
                BOOL m_bStretch;
            } q = {1, pFrame, 0, 0xFFFF, AFX_IDW_PANE_FIRST, CRect(layout.rect), CRect(layout.rect), FALSE};
            ::SendMessageA(h, CExtControlBar::g_nMsgQueryRepositionCalcEffect, (WPARAM)&q, 0);
            if (q.m_nMode & 0x10)
                continue;
        }
        ::SendMessageA(h, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }
    R = layout.rect;
    pFrame->ClientToScreen(&R);
    g_PaintManager->BuildDockMarker(CExtPaintManager::DockMarker::KindEdges, R, NULL, FrameMarkers());
    ShowMarkers(FrameMarkers(), bShow);
}

HWND ExtDockMarkerSet::FindBarInContainer(CExtDynControlBar* pContainer, int x, int y) {
    if (pContainer == NULL || pContainer->GetInnerDockBar() == NULL)
        return NULL;
    CArray<CExtControlBar*, CExtControlBar*> arr;
    pContainer->GetInnerDockBar()->CollectDockedBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtControlBar* pBar = arr[i];
        if (pBar->IsFixedSizeBar() || pBar->IsFixedModeBar() || !pBar->IsWindowVisible())
            continue;
        CRect rc;
        pBar->GetWindowRect(&rc);
        if (!rc.PtInRect(CPoint(x, y)))
            continue;
        if (CExtDynControlBar* pNested = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar)) {
            if (HWND h = FindBarInContainer(pNested, x, y))
                return h;
            continue;
        }
        return pBar->m_hWnd;
    }
    return NULL;
}

void ExtDockMarkerSet::UpdateBarMarkers(CFrameWnd* pFrame, bool bShow) {
    InstallSite();
    POINT ptCursor;
    CExtControlBar* pDragged = CExtControlBar::GetCurrentDragBar();
    HWND hTarget = NULL;
    if (!::GetCursorPos(&ptCursor) || pFrame == NULL || pFrame->GetSafeHwnd() == NULL) {
        hTarget = NULL;
    } else {
        if (pDragged == NULL)
            return;
        const CPoint pt(ptCursor);
        if (DYNAMIC_DOWNCAST(CExtDynDockMarkerWnd, CWnd::FromHandlePermanent(::WindowFromPoint(pt))) != NULL)
            return;
        hTarget = g_hBarMarkersTarget;
        bool bDecided = false;
        // floating bars first
        CArray<CExtControlBar*, CExtControlBar*> all;
        CExtControlBar::GetAllBars(all);
        CFrameWnd* pDraggedFrame = pDragged->GetParentFrame();
        for (INT_PTR i = 0; i < all.GetSize() && !bDecided; i++) {
            CExtControlBar* pBar = all[i];
            if (pBar == pDragged || pBar->GetSafeHwnd() == NULL || pBar->IsDockBar() || pBar->IsFixedSizeBar() ||
                pBar->IsFixedModeBar() || !pBar->IsWindowVisible())
                continue;
            CFrameWnd* pMini = pBar->GetParentFrame();
            if (!ExtIsMiniDockFrame(pMini) || !pMini->IsWindowVisible() || pMini == pFrame || pMini == pDraggedFrame ||
                CExtControlBar::GetDockSiteFrame(pBar) != pFrame)
                continue;
            CRect rcMini, rcBar;
            pMini->GetWindowRect(&rcMini);
            pBar->GetWindowRect(&rcBar);
            if (!rcMini.PtInRect(pt) || !rcBar.PtInRect(pt))
                continue;
            if (CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar)) {
                HWND h = FindBarInContainer(pDyn, pt.x, pt.y);
                if (h == NULL)
                    continue;
                hTarget = h;
            } else {
                hTarget = pBar->m_hWnd;
            }
            bDecided = true;
        }
        if (!bDecided) {
            hTarget = NULL;
            for (HWND h = ::GetTopWindow(pFrame->m_hWnd); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
                if (!::IsWindowVisible(h))
                    continue;
                CRect rc;
                ::GetWindowRect(h, &rc);
                if (!rc.PtInRect(pt))
                    continue;
                CWnd* pLive = CWnd::FromHandlePermanent(h);
                if (::GetDlgCtrlID(h) == AFX_IDW_PANE_FIRST) {
                    hTarget = h;
                } else if (CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pLive)) {
                    if (pDock->GetCircleNo() >= 1) {
                        bool bHit = false;
                        for (HWND hChild = ::GetTopWindow(h); hChild != NULL && !bHit;
                             hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
                            CRect rcChild;
                            ::GetWindowRect(hChild, &rcChild);
                            if (!::IsWindowVisible(hChild) || !rcChild.PtInRect(pt))
                                continue;
                            bHit = true;
                            CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(hChild));
                            if (CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
                                hTarget = FindBarInContainer(pDyn, pt.x, pt.y);
                            else if (pBar != NULL && pBar != pDragged && !pBar->IsFixedSizeBar())
                                hTarget = hChild;
                        }
                        // a dock bar with no bar there (an emptied circle not yet laid out again)
                        // hides nothing under it
                        if (!bHit)
                            continue;
                    } else {
                        hTarget = g_hBarMarkersTarget;
                    }
                } else if (CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pLive)) {
                    if (CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar))
                        hTarget = FindBarInContainer(pDyn, pt.x, pt.y);
                    else if (!pBar->IsFixedSizeBar())
                        hTarget = h;
                    else
                        hTarget = g_hBarMarkersTarget;
                }
                break;
            }
        }
    }
    if (g_hBarMarkersTarget != NULL && !::IsWindow(g_hBarMarkersTarget))
        g_hBarMarkersTarget = NULL;
    if (hTarget != g_hBarMarkersTarget) {
        DestroyMarkers(BarMarkers());
        g_hBarMarkersTarget = hTarget;
        if (hTarget != NULL) {
            CRect rc;
            ::GetWindowRect(hTarget, &rc);
            g_PaintManager->BuildDockMarker(CExtPaintManager::DockMarker::KindCross, rc, CWnd::FromHandle(hTarget),
                                            BarMarkers());
            ShowMarkers(BarMarkers(), bShow);
        }
    } else if (hTarget == NULL) {
        DestroyMarkers(BarMarkers());
    }
}

void ExtDockMarkerSet::ShowMarkers(CExtDynDockMarkerWnd::Array& arr, bool bShow) {
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        CExtDynDockMarkerWnd* p = arr[i];
        if (p == NULL || p->GetSafeHwnd() == NULL)
            continue;
        const bool bVisible = p->IsWindowVisible() != FALSE;
        if (bShow && !bVisible)
            p->ShowWindow(SW_SHOWNOACTIVATE);
        else if (!bShow && bVisible)
            p->ShowWindow(SW_HIDE);
    }
    CExtPaintManager::PassPaintMessages();
}

void ExtDockMarkerSet::ShowAllMarkers(bool bShow) {
    ShowMarkers(FrameMarkers(), bShow);
    ShowMarkers(BarMarkers(), bShow);
}

void ExtDockMarkerSet::DestroyMarkers(CExtDynDockMarkerWnd::Array& arr) { CExtDynDockMarkerWnd::DestroyMarkers(arr); }

void ExtDockMarkerSet::DestroyAllMarkers() {
    DestroyMarkers(FrameMarkers());
    DestroyMarkers(BarMarkers());
    CExtDynDockMarkerWnd::DestroySharedOwner();
    g_hBarMarkersTarget = NULL;
}

void ExtDockMarkerSet::HideAllHighlights(CExtDynDockMarkerWnd* pExcept, bool bPassPaint) {
    for (CExtDynDockMarkerWnd::Array* pArr : {&FrameMarkers(), &BarMarkers()})
        for (INT_PTR i = 0; i < pArr->GetSize(); i++)
            if ((*pArr)[i] != pExcept && (*pArr)[i] != NULL)
                (*pArr)[i]->ShowHighlight(false);
    if (bPassPaint)
        CExtPaintManager::PassPaintMessages();
}
