// The dock bar: window class, messages, row layout, docking and removal of bars.
#include "CExtDockBar.h"
#include "CExtControlBar.h"
#include "CExtDockOuterBar.h"
#include "CExtDockDynBar.h"
#include "CExtDynControlBar.h"
#include "CExtMemoryDC.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "ExtDockRows.h"
#include "ExtFrameBarList.h"
#include <CDockContext.h>
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtDockBar, CDockBar)

BEGIN_MESSAGE_MAP(CExtDockBar, CDockBar)
    ON_WM_CONTEXTMENU()
    ON_WM_CANCELMODE()
    ON_WM_ERASEBKGND()
    ON_WM_NCCALCSIZE()
    ON_WM_NCPAINT()
    ON_WM_DESTROY()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
END_MESSAGE_MAP()

const UINT CExtDockBar::g_arrSides[4] = {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT,
                                         AFX_IDW_DOCKBAR_RIGHT};

namespace {
const char kDockBarClassName[] = "OrvelUI-DockBar";

CControlBar* EntryBar(const CPtrArray& arr, int i) {
    void* p = arr[i];
    return (p == NULL || ExtDockRows::IsPlaceholder(p)) ? NULL : static_cast<CControlBar*>(p);
}
}  // namespace

CExtDockBar::CExtDockBar(UINT nCircleNo) : CDockBar(FALSE), m_nCircleNo(nCircleNo), m_rcLastInvisiblePreCalc(0, 0, 0, 0) {
    RegisterDockBarClass();
}

CExtDockBar::~CExtDockBar() { UnlinkCircle(); }

bool CExtDockBar::RegisterDockBarClass() {
    static bool s_bRegistered = false;
    if (!s_bRegistered)
        s_bRegistered = CExtControlBar::RegisterLibraryWindowClass(kDockBarClassName);
    return s_bRegistered;
}

BOOL CExtDockBar::PreCreateWindow(CREATESTRUCT& cs) {
    if (!RegisterDockBarClass() || !CWnd::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kDockBarClassName;
    return TRUE;
}

DWORD CExtDockBar::AlignOfSide(UINT nDockBarID) {
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
    }
    return 0;
}

bool CExtDockBar::IsEmpty() const { return ExtDockRows::IsEmpty(m_arrBars); }

bool CExtDockBar::LockLayout(bool bLock) {
    const bool bWas = m_bLockedLayout;
    m_bLockedLayout = bLock;
    return bWas;
}

// The containers docked here (bars that hold bars in a dock bar of their own), by window handle:
// a nested operation may dissolve one and change this array.
static void DockedContainers(const CPtrArray& arr, CArray<HWND, HWND>& out) {
    for (INT_PTR i = 1; i < arr.GetSize(); i++) {
        void* p = arr[i];
        if (p == NULL || ExtDockRows::IsPlaceholder(p))
            continue;
        CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, static_cast<CObject*>(p));
        if (pDyn != NULL && pDyn->m_hWnd != NULL)
            out.Add(pDyn->m_hWnd);
    }
}

static CExtDockDynBar* InnerOf(HWND hContainer) {
    if (!::IsWindow(hContainer))
        return NULL;
    CExtDynControlBar* pDyn = DYNAMIC_DOWNCAST(CExtDynControlBar, CWnd::FromHandlePermanent(hContainer));
    CExtDockDynBar* pInner = pDyn != NULL ? pDyn->GetInnerDockBar() : NULL;
    return pInner != NULL && pInner->m_hWnd != NULL ? pInner : NULL;
}

void CExtDockBar::RecalcNestedLayout() {
    if (m_bLockedLayout || m_bInDynamicLayoutUpdate)
        return;
    m_bInDynamicLayoutUpdate = true;
    CArray<HWND, HWND> arr;
    DockedContainers(m_arrBars, arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (CExtDockDynBar* pInner = InnerOf(arr[i]))
            if (::IsWindowVisible(arr[i]))
                pInner->RecalcNestedLayout();
    m_bInDynamicLayoutUpdate = false;
}

void CExtDockBar::CompactNestedContainers() {
    if (m_bLockedLayout)
        return;
    CArray<HWND, HWND> arr;
    DockedContainers(m_arrBars, arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++)
        if (CExtDockDynBar* pInner = InnerOf(arr[i]))
            pInner->CompactNestedContainers();
}

// ---- Messages -----------------------------------------------------------------------------------

LRESULT CExtDockBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    switch (nMsg) {
    case WM_CREATE:
        EnableToolTips();
        break;
    case WM_DESTROY:
    case WM_NCDESTROY:
        UnlinkCircle();
        break;
    }
    return CDockBar::WindowProc(nMsg, wParam, lParam);
}

BOOL CExtDockBar::DestroyWindow() {
    ReleaseDockedBars();
    return CDockBar::DestroyWindow();
}

void CExtDockBar::OnDestroy() {
    ReleaseDockedBars();
    CDockBar::OnDestroy();
}

void CExtDockBar::OnCancelMode() {
    CDockBar::OnCancelMode();
    if (!CExtControlBar::IsFrameInHelpMode(this))
        CExtPopupMenuWnd::CancelMenuTracking();
    CWnd::CancelToolTips();
}

BOOL CExtDockBar::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtDockBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) {}

void CExtDockBar::OnNcPaint() {}

LRESULT CExtDockBar::OnHelpHitTest(WPARAM, LPARAM) { return 0; }

void CExtDockBar::DoPaint(CDC* pDC) {
    CRect rcClient;
    GetClientRect(&rcClient);
    for (HWND h = ::GetWindow(m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (!::IsWindowVisible(h))
            continue;
        CRect rc;
        ::GetWindowRect(h, &rc);
        ScreenToClient(&rc);
        pDC->ExcludeClipRect(&rc);
    }
    CExtMemoryDC dc(pDC, &rcClient);
    g_PaintManager->PaintDockBarClientArea(dc, rcClient, this);
    g_PaintManager->EndPaintSession();
}

LRESULT CExtDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    if (m_bLockedLayout)
        return 0;
    const LRESULT lResult = CDockBar::OnSizeParent(wParam, lParam);
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    if ((m_dwStyle & CBRS_ALIGN_ANY) != 0 && !m_bFloating) {
        if (lpLayout->hDWP != NULL)
            Invalidate(TRUE);
        CRect rc(lpLayout->rect);
        switch (GetDlgCtrlID()) {
        case AFX_IDW_DOCKBAR_TOP: rc.bottom = rc.top; break;
        case AFX_IDW_DOCKBAR_LEFT: rc.right = rc.left; break;
        case AFX_IDW_DOCKBAR_RIGHT: rc.left = rc.right; break;
        case AFX_IDW_DOCKBAR_BOTTOM: rc.top = rc.bottom; break;
        }
        if (m_pDockSite != NULL && m_pDockSite->m_hWnd != NULL)
            m_pDockSite->ClientToScreen(&rc);
        m_rcLastInvisiblePreCalc = rc;
    }
    return lResult;
}

// ---- Row layout ---------------------------------------------------------------------------------

void CExtDockBar::DelayShowNow(CControlBar* pBar, HDWP& hDWP) {
    AFX_SIZEPARENTPARAMS layout = {};
    layout.hDWP = hDWP;
    pBar->RecalcDelayShow(&layout);
    hDWP = layout.hDWP;
}

int CExtDockBar::AvailableLength(bool bHorz) const {
    CRect rcAvail(m_rectLayout);
    if (rcAvail.IsRectEmpty() && GetParent() != NULL)
        GetParent()->GetClientRect(&rcAvail);
    return bHorz ? rcAvail.Width() : rcAvail.Height();
}

CSize CExtDockBar::BeginFixedLayout(BOOL bStretch, BOOL bHorz, HDWP& hDWP) {
    CSize sizeFixed = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (bStretch) {
        if (bHorz)
            sizeFixed.cx = 32767;
        else
            sizeFixed.cy = 32767;
    }
    hDWP = NULL;
    if (!m_bLayoutQuery)
        hDWP = ::BeginDeferWindowPos((int)m_arrBars.GetSize());
    return sizeFixed;
}

CSize CExtDockBar::EndFixedLayout(HDWP hDWP, CSize sizeFixed, const CSize& sizeContent, BOOL bStretch, BOOL bHorz) {
    if (hDWP != NULL)
        ::EndDeferWindowPos(hDWP);
    // the rows' length counts only when the dock bar is not stretched along its side
    if (bHorz) {
        if (!bStretch)
            sizeFixed.cx = std::max((int)sizeFixed.cx, (int)sizeContent.cx);
        sizeFixed.cy = std::max((int)sizeFixed.cy, (int)sizeContent.cy);
    } else {
        if (!bStretch)
            sizeFixed.cy = std::max((int)sizeFixed.cy, (int)sizeContent.cy);
        sizeFixed.cx = std::max((int)sizeFixed.cx, (int)sizeContent.cx);
    }
    if (!m_bLayoutQuery)
        RecalcNestedLayout();
    return sizeFixed;
}

CSize CExtDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    HDWP hDWP = NULL;
    const CSize sizeFixed = BeginFixedLayout(bStretch, bHorz, hDWP);
    const int nAvail = AvailableLength(bHorz != FALSE);

    CPoint pt(0, 0);
    int nRowThickness = 0;
    bool bWrapped = false;
    int nAlongMax = 0, nAcrossMax = 0;
    auto endRow = [&]() {
        if (nRowThickness == 0)
            return;
        if (bHorz) {
            pt.y += nRowThickness;
            nAlongMax = std::max(nAlongMax, (int)pt.x);
            nAcrossMax = std::max(nAcrossMax, (int)pt.y);
            pt.x = 0;
        } else {
            pt.x += nRowThickness;
            nAlongMax = std::max(nAlongMax, (int)pt.y);
            nAcrossMax = std::max(nAcrossMax, (int)pt.x);
            pt.y = 0;
        }
        nRowThickness = 0;
    };
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL) {
            endRow();
            continue;
        }
        if (ExtDockRows::IsPlaceholder(pEntry))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(pEntry);
        if (!pBar->IsVisible()) {
            if (!bWrapped)
                DelayShowNow(pBar, hDWP);
            continue;
        }
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        const bool bResizable = pExt != NULL && !pExt->IsFixedSizeBar();

        DWORD dwMode = 0;
        if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
            dwMode = LM_HORZ | LM_MRUWIDTH;
        else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
            dwMode = LM_HORZ | LM_HORZDOCK;
        else
            dwMode = LM_VERTDOCK;
        // a resizable bar that lays its row out moves the row's bars: read the rectangle after
        const CSize sizeBar = pBar->CalcDynamicLayout(-1, dwMode);
        CRect rcWnd, rcClient;
        pBar->GetWindowRect(&rcWnd);
        pBar->GetClientRect(&rcClient);
        int nMinAlong = bHorz ? rcWnd.Width() - rcClient.Width() : rcWnd.Height() - rcClient.Height();
        if (bResizable)
            nMinAlong = bHorz ? pExt->GetMinExtentHorz() : pExt->GetMinExtentVert();
        CRect rc(pt, sizeBar);
        CRect rcNow(rcWnd);
        ScreenToClient(&rcNow);
        int& nStart = bHorz ? rc.left : rc.top;
        int& nEnd = bHorz ? rc.right : rc.bottom;
        const int nCursor = bHorz ? pt.x : pt.y;
        const int nIdeal = bHorz ? sizeBar.cx : sizeBar.cy;
        if (!m_bFloating) {
            const int nNowStart = bHorz ? rcNow.left : rcNow.top;
            if (nNowStart > nCursor) {
                const int nShift = nNowStart - nStart;
                nStart += nShift;
                nEnd += nShift;
            }
            if (nEnd > nAvail) {
                const int nBack = std::min(nEnd - nAvail, nStart - nCursor);
                if (nBack > 0) {
                    nStart -= nBack;
                    nEnd -= nBack;
                }
                if (nEnd > nAvail)
                    nEnd = std::max(nStart, nAvail);
            }
        }
        if (bWrapped) {
            bWrapped = false;
            const int nShift = -nStart;
            nStart += nShift;
            nEnd += nShift;
        } else if (!bResizable && i > 0 && m_arrBars[i - 1] != NULL &&
                   (nEnd - nStart < nMinAlong || nStart >= nAvail ||
                    (nEnd - nStart < nIdeal && nCursor > 0))) {
            // a fixed-size bar that no longer fits moves to a new row
            m_arrBars.InsertAt(i, (void*)NULL);
            endRow();
            bWrapped = true;
            continue;  // the bar (now at i + 1) comes again as the first of the next row
        }
        if (rc != rcNow) {
            if (!m_bLayoutQuery && !m_bFloating && pBar->m_pDockContext != NULL) {
                CRect rcScreen(rc);
                ClientToScreen(&rcScreen);
                pBar->m_pDockContext->m_rectMRUDockPos = rcScreen;
            }
            if (hDWP != NULL)
                hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                        SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        }
        if (bHorz)
            pt.x = rc.left + sizeBar.cx;
        else
            pt.y = rc.top + sizeBar.cy;
        nRowThickness = std::max(nRowThickness, (int)(bHorz ? sizeBar.cy : sizeBar.cx));
        DelayShowNow(pBar, hDWP);
    }
    endRow();
    const CSize sizeContent = bHorz ? CSize(nAlongMax, nAcrossMax) : CSize(nAcrossMax, nAlongMax);
    return EndFixedLayout(hDWP, sizeFixed, sizeContent, bStretch, bHorz);
}

// ---- Docking and removal ------------------------------------------------------------------------

void CExtDockBar::ScheduleFrameLayout() {
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
    if (pFrame == NULL && m_hWnd != NULL)
        pFrame = GetParentFrame();
    if (pFrame != NULL)
        pFrame->DelayRecalcLayout();
}

bool CExtDockBar::AdoptBar(CControlBar* pBar) {
    bool bHidden = false;
    if (pBar->m_pDockBar != this && (pBar->GetStyle() & WS_VISIBLE) != 0) {
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        bHidden = true;
    }
    pBar->m_dwStyle &= ~(CBRS_ALIGN_ANY | CBRS_FLOATING);
    pBar->m_dwStyle |= (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY | (m_bFloating ? CBRS_FLOATING : 0);
    if (pBar->GetParent() != this) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt != NULL)
            pExt->m_nTracking |= CExtControlBar::trackReparenting;
        pBar->SetParent(this);
        if (pExt != NULL)
            pExt->m_nTracking &= ~CExtControlBar::trackReparenting;
    }
    return bHidden;
}

void CExtDockBar::LeaveFormerDockBar(CControlBar* pBar, CDockBar* pFormer, bool bDelayLayout) {
    if (pFormer == NULL || pFormer == this)
        return;
    CExtDockBar* pExtFormer = DYNAMIC_DOWNCAST(CExtDockBar, pFormer);
    if (pExtFormer != NULL) {
        pExtFormer->RemoveControlBar(pBar, -1, (m_bFloating && !pFormer->m_bFloating) ? 1 : 0, bDelayLayout);
        if (!pFormer->m_bFloating && !m_bLockedLayout)
            pExtFormer->CompactNestedContainers();
    } else {
        pFormer->RemoveControlBar(pBar);
    }
}

void CExtDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect) { DockControlBar(pBar, lpRect, false); }

void CExtDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect, bool bApplyRect) {
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    if (pBar->m_pDockBar == this && (lpRect == NULL || rcBar == *lpRect))
        return;
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle &= ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    m_dwStyle |= pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC);
    if ((m_dwStyle & CBRS_FLOAT_MULTI) == 0 && m_hWnd != NULL) {
        CString strTitle;
        pBar->GetWindowText(strTitle);
        SetWindowText(strTitle);
    }
    const bool bHidden = AdoptBar(pBar);
    CDockBar* pFormer = pBar->m_pDockBar;

    int nPos;
    CRect rc(0, 0, 0, 0);
    if (lpRect != NULL) {
        rc = *lpRect;
        ScreenToClient(&rc);
        nPos = Insert(pBar, rc, rc.CenterPoint());
        CExtControlBar* pPrev = nPos > 0 ? DYNAMIC_DOWNCAST(CExtControlBar, EntryBar(m_arrBars, nPos - 1)) : NULL;
        if (pPrev != NULL && pPrev->IsFixedModeBar() && pPrev->IsWholeRowBar()) {
            m_arrBars.InsertAt(nPos, (void*)NULL);
            nPos++;
        }
        CExtControlBar* pNext = nPos + 1 < (int)m_arrBars.GetSize()
                                    ? DYNAMIC_DOWNCAST(CExtControlBar, EntryBar(m_arrBars, nPos + 1))
                                    : NULL;
        if (pNext != NULL && pNext->IsFixedModeBar() && pNext->IsWholeRowBar())
            m_arrBars.InsertAt(nPos + 1, (void*)NULL);
        pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    } else {
        nPos = ExtDockRows::AppendRow(m_arrBars, pBar);
        pBar->SetWindowPos(NULL, -afxData.cxBorder2, -afxData.cyBorder2, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS);
    }
    if (pFormer == this)
        RemoveControlBar(pBar, nPos, 0, true);
    else
        LeaveFormerDockBar(pBar, pFormer, false);
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL && !m_bFloating)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    if (bHidden)
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_SHOWWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else if (bApplyRect && lpRect != NULL)
        pBar->SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                           SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOSENDCHANGING);
    RemovePlaceholder(pBar, true);
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt != NULL && pExt->IsWholeRowBar()) {
        const int nNow = ExtDockRows::Find(m_arrBars, pBar);
        if (nNow > 0)
            ExtDockRows::GiveOwnRow(m_arrBars, nNow);
    }
    ScheduleFrameLayout();
}

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder) {
    return RemoveControlBar(pBar, nPosExclude, nAddPlaceHolder, false);
}

BOOL CExtDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, int nAddPlaceHolder, bool bDelayFrameLayout) {
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    if (pExt != NULL && !pExt->IsFixedSizeBar() && nAddPlaceHolder == 1)
        nAddPlaceHolder = 0;
    const int nPos = ExtDockRows::Find(m_arrBars, pBar, nPosExclude);
    if (nPos > 0) {
        if (nAddPlaceHolder == 1)
            ExtDockRows::ReplaceWithPlaceholder(m_arrBars, nPos, (UINT)pBar->GetDlgCtrlID());
        else
            ExtDockRows::RemoveAt(m_arrBars, nPos);
    }
    if (nAddPlaceHolder == 0 && pBar->m_hWnd != NULL)
        RemovePlaceholder(pBar, true);
    if (pBar->m_pDockBar == this && nPosExclude < 0)
        pBar->m_pDockBar = NULL;
    if (pBar->m_pDockContext == NULL)
        return FALSE;
    if (m_bFloating) {
        CFrameWnd* pMini = GetParentFrame();
        if (pMini != NULL && GetDockedVisibleCount() == 0) {
            if (GetDockedCount() == 0) {
                pMini->DestroyWindow();   // this dock bar goes with it: touch nothing after
                return TRUE;
            }
            pMini->ShowWindow(SW_HIDE);
        }
    } else if (bDelayFrameLayout) {
        ScheduleFrameLayout();
    }
    return TRUE;
}

bool CExtDockBar::RemovePlaceholder(CControlBar* pBar, bool bSearchFrame, bool* pbFound) {
    if (pBar == NULL || pBar->m_hWnd == NULL)
        return false;
    return RemovePlaceholder((UINT)pBar->GetDlgCtrlID(), bSearchFrame, pbFound);
}

bool CExtDockBar::RemovePlaceholder(UINT nID, bool bSearchFrame, bool* pbFound) {
    if (pbFound != NULL)
        *pbFound = false;
    if (nID == 0 || nID >= 0x10000)
        return false;
    if (ExtDockRows::RemovePlaceholder(m_arrBars, nID)) {
        if (pbFound != NULL)
            *pbFound = true;
        return true;
    }
    if (!bSearchFrame)
        return false;
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
    if (pFrame == NULL)
        return false;
    for (CControlBar* pBar : ExtFrameBarList(pFrame)) {
        CExtDockBar* pDock = DYNAMIC_DOWNCAST(CExtDockBar, pBar);
        if (pDock != NULL && pDock != this && ExtDockRows::RemovePlaceholder(pDock->m_arrBars, nID)) {
            if (pbFound != NULL)
                *pbFound = true;
            return true;
        }
    }
    return false;
}

void CExtDockBar::DockControlBarInRow(CControlBar* pAnchor, CControlBar* pBar, bool bBefore) {
    CDockBar* pFormer = pBar->m_pDockBar;
    const bool bFromFloating = pFormer != NULL && pFormer != this && pFormer->m_bFloating;
    const int nVisibleBefore = GetDockedVisibleCount();
    // the former dock bar may go with its mini frame while the bar leaves it: keep its handle
    const HWND hFormer = pFormer != NULL ? pFormer->m_hWnd : NULL;
    AdoptBar(pBar);
    if (pFormer != NULL && pFormer != this) {
        if (pFormer->m_bFloating || !pFormer->IsKindOf(RUNTIME_CLASS(CExtDockBar)))
            pFormer->RemoveControlBar(pBar);
        else
            static_cast<CExtDockBar*>(pFormer)->RemoveControlBar(pBar, -1, 0, true);
    } else if (pFormer == this && pAnchor != pBar) {
        const int nOld = ExtDockRows::Find(m_arrBars, pBar);
        if (nOld > 0)
            ExtDockRows::RemoveAt(m_arrBars, nOld);
    }
    int nAnchor = ExtDockRows::Find(m_arrBars, pAnchor);
    if (nAnchor < 1)
        nAnchor = (int)m_arrBars.GetSize() - 1;
    const int nNew = ExtDockRows::InsertOwnRow(m_arrBars, nAnchor, bBefore, pBar);
    if (pAnchor == pBar) {
        const int nOld = ExtDockRows::Find(m_arrBars, pBar, nNew);
        if (nOld > 0)
            ExtDockRows::RemoveAt(m_arrBars, nOld);
    }
    pBar->m_pDockBar = this;
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_uMRUDockID = (UINT)GetDlgCtrlID();
    if (bFromFloating && nVisibleBefore == 0 && hFormer != NULL && ::IsWindow(hFormer) &&
        CWnd::FromHandlePermanent(hFormer) == pFormer) {
        CFrameWnd* pMini = pFormer->GetParentFrame();
        if (pMini != NULL) {
            if (pFormer->GetDockedCount() == 0)
                pMini->DestroyWindow();
            else
                pMini->ShowWindow(SW_HIDE);
        }
    }
    pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                       SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    RecalcNestedLayout();
    CFrameWnd* pParentFrame = GetParentFrame();
    if (pParentFrame == NULL || !pParentFrame->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
        CompactFrameCircles();
}

void CExtDockBar::DockControlBarAtEdge(CControlBar* pBar, bool bInnerSide) {
    const UINT nID = (UINT)GetDlgCtrlID();
    const bool bStart = bInnerSide && (nID == AFX_IDW_DOCKBAR_RIGHT || nID == AFX_IDW_DOCKBAR_BOTTOM);
    CDockBar* pFormer = pBar->m_pDockBar;
    if (pFormer != this) {
        AdoptBar(pBar);
        if (pFormer != NULL) {
            CExtDockBar* pExtFormer = DYNAMIC_DOWNCAST(CExtDockBar, pFormer);
            if (pExtFormer != NULL && !pFormer->m_bFloating) {
                pExtFormer->RemoveControlBar(pBar, -1, 0, true);
                pExtFormer->CompactNestedContainers();
            } else {
                pFormer->RemoveControlBar(pBar);
            }
        }
        if (bStart)
            ExtDockRows::InsertAtStart(m_arrBars, pBar);
        else
            ExtDockRows::JoinLastRow(m_arrBars, pBar);
        pBar->m_pDockBar = this;
        if (pBar->m_pDockContext != NULL)
            pBar->m_pDockContext->m_uMRUDockID = nID;
        pBar->SetWindowPos(NULL, 0, 0, 0, 0,
                           SWP_SHOWWINDOW | SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        const int nPos = ExtDockRows::Find(m_arrBars, pBar);
        if (nPos == 1)
            return;
        ExtDockRows::RemoveAt(m_arrBars, nPos);
        if (bStart)
            ExtDockRows::InsertAtStart(m_arrBars, pBar);
        else
            ExtDockRows::AppendRow(m_arrBars, pBar);
    }
    CompactFrameCircles();
}

void CExtDockBar::ReleaseDockedBars() {
    const bool bWasLocked = LockLayout(true);
    for (int i = (int)m_arrBars.GetSize() - 2; i >= 1; i--) {
        void* p = m_arrBars[i];
        m_arrBars.RemoveAt(i);
        if (p == NULL || ExtDockRows::IsPlaceholder(p))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(p);
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
        if (pExt != NULL)
            pExt->m_nTracking |= CExtControlBar::trackReparenting;
        pBar->m_pDockBar = NULL;
        if (pBar->m_hWnd != NULL && ::IsWindow(pBar->m_hWnd) && pBar->m_pDockSite != NULL &&
            pBar->m_pDockSite->m_hWnd != NULL && ::GetParent(pBar->m_hWnd) != pBar->m_pDockSite->m_hWnd)
            pBar->SetParent(pBar->m_pDockSite);
        if (pExt != NULL)
            pExt->m_nTracking &= ~CExtControlBar::trackReparenting;
    }
    if (m_arrBars.GetSize() == 0)
        m_arrBars.Add(NULL);
    while (m_arrBars.GetSize() > 1)
        m_arrBars.RemoveAt(1);
    LockLayout(bWasLocked);
}

// ---- The bars context menu ----------------------------------------------------------------------

void CExtDockBar::OnContextMenu(CWnd*, CPoint point) {
    if (CExtControlBar::IsFrameInHelpMode(this))
        return;
    CControlBar* pFirst = NULL;
    for (int i = 0; i < (int)m_arrBars.GetSize() && pFirst == NULL; i++)
        pFirst = EntryBar(m_arrBars, i);
    if (pFirst == NULL)
        return;
    CWnd* pOwner = pFirst->GetOwner();
    if (pOwner == NULL)
        pOwner = pFirst->GetParent();
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
    if (pFrame == NULL || pOwner == NULL)
        return;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    if (!pPopup->CreatePopupMenu(pOwner->m_hWnd) ||
        !CExtControlBar::FillBarsContextMenu(pFrame, pPopup, CExtControlBar::eventBarsMenuOfDockBar, this,
                                             WM_CONTEXTMENU, 0) ||
        pPopup->GetItemCount() == 0) {
        delete pPopup;
        return;
    }
    pOwner->SetFocus();
    if (!pPopup->TrackPopupMenu(0x800, point.x, point.y))
        delete pPopup;
}
