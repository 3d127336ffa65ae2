// The library's floating frame: its own borders and caption, painting through the current look,
// hit tests, the caption's mouse handling, its resize loop and keeping its caption on the work
// area.
#include "CExtMiniDockFrameWnd.h"
#include "CExtControlBar.h"
#include "CExtBarNcAreaButton.h"
#include "CExtDockBar.h"
#include "CExtDynControlBar.h"
#include "ExtNcPaint.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPopupMenuWnd.h"
#include "ExtToolBarStandIns.h"
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(CExtMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_NCMOUSEMOVE()
    ON_WM_TIMER()
    ON_WM_CLOSE()
    ON_WM_NCPAINT()
    ON_WM_NCACTIVATE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONUP()
    ON_WM_NCRBUTTONDOWN()
    ON_WM_GETMINMAXINFO()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SIZE()
    ON_WM_MOUSEMOVE()
    ON_WM_CAPTURECHANGED()
    ON_WM_LBUTTONUP()
    ON_WM_RBUTTONDOWN()
    ON_WM_ERASEBKGND()
    ON_WM_NCHITTEST()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_CANCELMODE()
    ON_WM_PAINT()
    ON_WM_NCCALCSIZE()
END_MESSAGE_MAP()

namespace {

// Styles the frame never carries: the system caption and sizing frames (MFS_4THICKFRAME too),
// and the system's edges and tool-window caption.
const DWORD kSystemFrameStyles = WS_CAPTION | WS_THICKFRAME | MFS_4THICKFRAME;
const DWORD kSystemFrameExStyles = WS_EX_STATICEDGE | WS_EX_WINDOWEDGE | WS_EX_TOOLWINDOW | WS_EX_DLGMODALFRAME;

const UINT_PTR kTimerLayoutButtons = 1;
const UINT_PTR kTimerCloseHover = 2;

// Process-wide guards: one resize step at a time, and no caption move inside another.
bool g_bInResizeStep = false;
bool g_bInCaptionMove = false;

bool IsBorderCode(UINT n) { return n >= HTLEFT && n <= HTBOTTOMRIGHT; }

bool ShowsContentWhileDragging(CExtControlBar* pBar) { return pBar->IsShowContentWhileDragging(); }

// A fixed-size bar that does not show its content while dragged is moved and sized by the
// framework's dock context.
bool UsesDockContext(CExtControlBar* pBar) {
    return pBar != NULL && pBar->IsFixedSizeBar() && !ShowsContentWhileDragging(pBar) &&
           pBar->m_pDockContext != NULL;
}

// Removes queued mouse moves of hWnd; answers the point (screen) of the last one. A quit the
// system hands out instead is put back.
bool TakeMouseMoves(HWND hWnd, CPoint& ptLast) {
    bool bAny = false;
    MSG msg;
    while (::PeekMessageA(&msg, hWnd, WM_MOUSEMOVE, WM_MOUSEMOVE, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage((int)msg.wParam);
            break;
        }
        if (msg.message != WM_MOUSEMOVE)
            continue;
        ptLast = msg.pt;
        bAny = true;
    }
    return bAny;
}

}  // namespace

CExtMiniDockFrameWnd::CExtMiniDockFrameWnd()
    : m_rcBtnClose(0, 0, 0, 0),
      m_bBtnCloseHover(false),
      m_rcCaption(0, 0, 0, 0),
      m_ptResizingLast(-1, -1),
      m_nResizingHT(0),
      m_rcResizingStart(0, 0, 0, 0),
      m_ptResizingStart(0, 0) {}

CExtMiniDockFrameWnd::~CExtMiniDockFrameWnd() {
    if (m_wndToolTip.GetSafeHwnd() != NULL && ::IsWindow(m_wndToolTip.m_hWnd))
        m_wndToolTip.DestroyWindow();
}

CDockBar* CExtMiniDockFrameWnd::CreateDockBar() { return new CExtDockBar(0); }

BOOL CExtMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle) {
    CFrameWnd* pDockSite = pParent != NULL && pParent->IsFrameWnd() ? static_cast<CFrameWnd*>(pParent) : NULL;
    // no system caption or sizing frame: the frame draws and sizes its own
    const DWORD dwStyle = WS_POPUP | WS_CLIPCHILDREN | MFS_MOVEFRAME | MFS_SYNCACTIVE | MFS_BLOCKSYSMENU |
                          FWS_SNAPTOBARS;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_BTNFACE + 1));
    m_strTitle.Empty();
    if (!CWnd::CreateEx(0, lpszClass, "", dwStyle, 0, 0, 40, 40, pParent->GetSafeHwnd(), NULL))
        return FALSE;
    CDockBar* pDockBar = CreateDockBar();
    pDockBar->m_bFloating = TRUE;
    if (!pDockBar->Create(this, WS_CHILD | WS_VISIBLE | (dwBarStyle & CBRS_ALIGN_ANY), AFX_IDW_DOCKBAR_FLOAT)) {
        DestroyWindow();
        return FALSE;
    }
    m_pWndDockBar = pDockBar;
    // the floating dock bar is one of the docking frame's bars (its dock state names it)
    RemoveControlBar(pDockBar);
    pDockBar->m_pDockSite = pDockSite;
    if (pDockSite != NULL)
        pDockSite->AddControlBar(pDockBar);
    StripSystemFrame(true);
    SetTimer(kTimerLayoutButtons, 1, NULL);
    EnableToolTips();
    if (m_wndToolTip.Create(this))
        m_wndToolTip.Activate(TRUE);
    return TRUE;
}

bool CExtMiniDockFrameWnd::StripSystemFrame(bool bApplyNow) {
    if (m_hWnd == NULL)
        return false;
    bool bChanged = false;
    if (GetStyle() & kSystemFrameStyles) {
        ModifyStyle(kSystemFrameStyles, 0);
        bChanged = true;
    }
    if (GetExStyle() & kSystemFrameExStyles) {
        ModifyStyleEx(kSystemFrameExStyles, 0);
        bChanged = true;
    }
    if (bChanged && bApplyNow)
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE | SWP_NOCOPYBITS |
                         SWP_NOOWNERZORDER | SWP_NOSENDCHANGING | SWP_FRAMECHANGED);
    return bChanged;
}

// ---- The hosted bar -----------------------------------------------------------------------------

CControlBar* CExtMiniDockFrameWnd::GetHostedBar() const {
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return NULL;
    HWND hDockBar = ::GetWindow(m_hWnd, GW_CHILD);
    if (hDockBar == NULL)
        return NULL;
    HWND hBar = ::GetWindow(hDockBar, GW_CHILD);
    if (hBar == NULL)
        return NULL;
    return DYNAMIC_DOWNCAST(CControlBar, CWnd::FromHandlePermanent(hBar));
}

CExtControlBar* CExtMiniDockFrameWnd::GetHostedExtBar() const {
    return DYNAMIC_DOWNCAST(CExtControlBar, GetHostedBar());
}

CFrameWnd* CExtMiniDockFrameWnd::GetDockSite() const {
    CControlBar* pBar = GetHostedBar();
    if (pBar != NULL && pBar->m_pDockSite != NULL)
        return pBar->m_pDockSite;
    if (GetDockBar() != NULL && GetDockBar()->m_pDockSite != NULL)
        return GetDockBar()->m_pDockSite;
    return DYNAMIC_DOWNCAST(CFrameWnd, CWnd::FromHandlePermanent(::GetWindow(m_hWnd, GW_OWNER)));
}

CString CExtMiniDockFrameWnd::CaptionText() const {
    CString strText;
    CControlBar* pBar = GetHostedBar();
    if (CExtDynControlBar* pContainer = DYNAMIC_DOWNCAST(CExtDynControlBar, pBar)) {
        // the text of the one visible resizable bar in the container, else none
        CDockBar* pInner = DYNAMIC_DOWNCAST(CDockBar, pContainer->GetWindow(GW_CHILD));
        CExtControlBar* pSingle = NULL;
        int nVisible = 0;
        if (pInner != NULL) {
            for (INT_PTR i = 0; i < pInner->m_arrBars.GetSize(); i++) {
                CExtControlBar* p = DYNAMIC_DOWNCAST(CExtControlBar, pInner->GetDockedControlBar((int)i));
                if (p == NULL || p->IsFixedSizeBar() || !p->IsVisible())
                    continue;
                nVisible++;
                pSingle = p;
            }
        }
        if (nVisible == 1)
            pSingle->GetCaptionText(strText);
        return strText;
    }
    if (CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar)) {
        pExt->GetCaptionText(strText);
        return strText;
    }
    GetWindowText(strText);
    return strText;
}

// ---- Geometry -------------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::CalcWindowRect(LPRECT lpClientRect, UINT) {
    ::InflateRect(lpClientRect, ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    lpClientRect->top -= ::GetSystemMetrics(SM_CYSMCAPTION);
}

void CExtMiniDockFrameWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* lpncsp) {
    RECT& rc = lpncsp->rgrc[0];
    ::InflateRect(&rc, -::GetSystemMetrics(SM_CXFRAME), -::GetSystemMetrics(SM_CYFRAME));
    rc.top += ::GetSystemMetrics(SM_CYSMCAPTION);
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    if (rc.right < rc.left)
        rc.right = rc.left;
}

CRect CExtMiniDockFrameWnd::WorkAreaOf(HWND hWnd) {
    CExtPaintManager::MonitorParms mp;
    CExtPaintManager::GetMonitorParmsFromHwnd(mp, hWnd);
    return mp.m_rcWorkArea;
}

UINT CExtMiniDockFrameWnd::HitTestFrame(const CRect& rc, const CPoint& pt, int cx, int cy, int h) {
    if (!rc.PtInRect(pt))
        return HTNOWHERE;
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    if (CRect(L, T, R, T + cy).PtInRect(pt)) {
        if (CRect(L, T, L + h, T + cy).PtInRect(pt))
            return HTTOPLEFT;
        if (CRect(R - cy, T, R, T + cy).PtInRect(pt))
            return HTTOPRIGHT;
        return HTTOP;
    }
    if (CRect(L, B - cy, R, B).PtInRect(pt)) {
        if (CRect(L, B - cy, L + h, B).PtInRect(pt))
            return HTBOTTOMLEFT;
        if (CRect(R - cy, B - cy, R, B).PtInRect(pt))
            return HTBOTTOMRIGHT;
        return HTBOTTOM;
    }
    if (CRect(L, T, L + cx, B).PtInRect(pt)) {
        if (CRect(L, T, L + cx, T + h).PtInRect(pt))
            return HTTOPLEFT;
        if (CRect(L, B - h, L + cx, B).PtInRect(pt))
            return HTBOTTOMLEFT;
        return HTLEFT;
    }
    if (CRect(R - cx, T, R, B).PtInRect(pt)) {
        if (CRect(R - cx, T, R, T + h).PtInRect(pt))
            return HTTOPRIGHT;
        if (CRect(R - cx, B - h, R, B).PtInRect(pt))
            return HTBOTTOMRIGHT;
        return HTRIGHT;
    }
    if (CRect(L, T + cy, R, T + cy + h).PtInRect(pt))
        return HTCAPTION;
    return HTCLIENT;
}

UINT CExtMiniDockFrameWnd::FilterHitCode(UINT nHitTest, bool bFixedSize, bool bNoResize) {
    if (bNoResize && IsBorderCode(nHitTest))
        return HTCAPTION;
    if (bFixedSize) {
        if (nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
            return HTTOP;
        if (nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
            return HTBOTTOM;
    }
    return nHitTest;
}

CRect CExtMiniDockFrameWnd::CalcResizeRect(const CRect& rcStart, UINT nHitTest, const CPoint& ptIn,
                                           const CSize& sizeMin, bool bFixedSize, UINT* pnHitUsed) {
    UINT nHT = nHitTest;
    CPoint pt(ptIn);
    if (bFixedSize) {
        nHT = FilterHitCode(nHT, true, false);
        if (nHT == HTLEFT) {
            nHT = HTRIGHT;
            pt.x = rcStart.right + (rcStart.left - pt.x);
        } else if (nHT == HTTOP) {
            nHT = HTBOTTOM;
            pt.y = rcStart.bottom + (rcStart.top - pt.y);
        }
    }
    if (pnHitUsed != NULL)
        *pnHitUsed = nHT;
    const bool bLeft = nHT == HTLEFT || nHT == HTTOPLEFT || nHT == HTBOTTOMLEFT;
    const bool bRight = nHT == HTRIGHT || nHT == HTTOPRIGHT || nHT == HTBOTTOMRIGHT;
    const bool bTop = nHT == HTTOP || nHT == HTTOPLEFT || nHT == HTTOPRIGHT;
    const bool bBottom = nHT == HTBOTTOM || nHT == HTBOTTOMLEFT || nHT == HTBOTTOMRIGHT;
    CRect rc(rcStart);
    if (bLeft)
        rc.left = std::min((int)pt.x, (int)rc.right);
    if (bRight)
        rc.right = std::max((int)pt.x, (int)rc.left);
    if (bTop)
        rc.top = std::min((int)pt.y, (int)rc.bottom);
    if (bBottom)
        rc.bottom = std::max((int)pt.y, (int)rc.top);
    if (rc.Width() < sizeMin.cx) {
        rc.right = rc.left + sizeMin.cx;
        if (bLeft && rc.right > rcStart.right)
            rc.OffsetRect(rcStart.right - rc.right, 0);
    }
    if (rc.Height() < sizeMin.cy) {
        rc.bottom = rc.top + sizeMin.cy;
        if (bTop && rc.bottom > rcStart.bottom)
            rc.OffsetRect(0, rcStart.bottom - rc.bottom);
    }
    return rc;
}

int CExtMiniDockFrameWnd::KeepCaptionOnArea(const CRect& rcWindow, const CRect& rcWorkArea, int h) {
    int nTop = rcWindow.top;
    if (nTop < rcWorkArea.top)
        nTop = rcWorkArea.top;
    else if (nTop + h > rcWorkArea.bottom)
        nTop = std::max((int)rcWorkArea.bottom - h, (int)rcWorkArea.top);
    return nTop;
}

// ---- Layout -------------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnSize(UINT nType, int cx, int cy) {
    const CRect rcWorkArea = WorkAreaOf(m_hWnd);
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWorkArea.IsRectEmpty() &&
        (rcWindow.Width() > rcWorkArea.Width() || rcWindow.Height() > rcWorkArea.Height())) {
        // never larger than the work area
        SetWindowPos(NULL, rcWindow.left, rcWindow.top, std::min(rcWindow.Width(), rcWorkArea.Width()),
                     std::min(rcWindow.Height(), rcWorkArea.Height()), SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    CFrameWnd::OnSize(nType, cx, cy);
    if (!::IsWindow(m_hWnd))
        return;
    GetWindowRect(&rcWindow);
    rcWindow.OffsetRect(-rcWindow.TopLeft());
    const int nFrameX = ::GetSystemMetrics(SM_CXFRAME), nFrameY = ::GetSystemMetrics(SM_CYFRAME);
    m_rcCaption.SetRect(rcWindow.left + nFrameX, rcWindow.top + nFrameY, rcWindow.right - nFrameX,
                        rcWindow.top + nFrameY + ::GetSystemMetrics(SM_CYSMSIZE));
    const int s = ::GetSystemMetrics(SM_CXSMSIZE) - 1;
    const int nLeft = m_rcCaption.right - s - 1;
    m_rcBtnClose.SetRect(nLeft, m_rcCaption.top + 2, nLeft + s - 2, m_rcCaption.bottom - 2);
    if (CExtControlBar* pBar = GetHostedExtBar()) {
        pBar->CreateCaptionButtons();
        pBar->LayoutCaptionButtons();
    }
    PaintNow();
}

void CExtMiniDockFrameWnd::PaintNow() {
    if (m_hWnd != NULL && IsWindowVisible())
        RedrawWindow(NULL, NULL, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
}

void CExtMiniDockFrameWnd::OnGetMinMaxInfo(MINMAXINFO* pMMI) {
    CMiniFrameWnd::OnGetMinMaxInfo(pMMI);
    const CRect rcWorkArea = WorkAreaOf(m_hWnd);
    if (rcWorkArea.IsRectEmpty())
        return;
    pMMI->ptMaxTrackSize.x = std::min((LONG)pMMI->ptMaxTrackSize.x, (LONG)rcWorkArea.Width());
    pMMI->ptMaxTrackSize.y = std::min((LONG)pMMI->ptMaxTrackSize.y, (LONG)rcWorkArea.Height());
}

void CExtMiniDockFrameWnd::OnWindowPosChanging(WINDOWPOS* lpwndpos) {
    CMiniDockFrameWnd::OnWindowPosChanging(lpwndpos);
    if (StripSystemFrame(false))
        lpwndpos->flags |= SWP_FRAMECHANGED;
}

void CExtMiniDockFrameWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos) {
    CMiniDockFrameWnd::OnWindowPosChanged(lpwndpos);
    if (m_nResizingHT != 0 || g_bInCaptionMove || (lpwndpos->flags & SWP_NOMOVE) != 0)
        return;
    CExtControlBar* pBar = GetHostedExtBar();
    if (pBar == NULL || !pBar->IsFloating())
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CRect rcWorkArea = WorkAreaOf(m_hWnd);
    if (rcWorkArea.IsRectEmpty())
        return;
    const int nTop = KeepCaptionOnArea(rcWindow, rcWorkArea, ::GetSystemMetrics(SM_CYSMCAPTION));
    if (nTop == rcWindow.top)
        return;
    g_bInCaptionMove = true;
    SetWindowPos(NULL, rcWindow.left, nTop, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    g_bInCaptionMove = false;
    pBar->LayoutCaptionButtons();
    PostMessage(WM_NCPAINT);
    PaintNow();
}

// ---- Hit testing --------------------------------------------------------------------------------

LRESULT CExtMiniDockFrameWnd::OnNcHitTest(CPoint point) {
    if (CExtControlBar::GetCurrentDragBar() != NULL) {
        if (GetStyle() & MFS_MOVEFRAME)
            ModifyStyle(MFS_MOVEFRAME, 0);
        return HTNOWHERE;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (!rcWindow.PtInRect(point))
        return HTNOWHERE;
    UINT nHit = HitTestFrame(rcWindow, point, ::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME),
                             ::GetSystemMetrics(SM_CYSMCAPTION));
    CExtControlBar* pBar = GetHostedExtBar();
    if (pBar == NULL)
        return nHit;
    const UINT nButton = pBar->HitTestCaptionButtons(point);
    if (nButton != HTCLIENT) {
        pBar->m_nStates |= 4;
        return nButton;
    }
    pBar->m_nStates &= ~4;
    // (a tool bar whose frame must not be sized comes with the menus layer's tool bar)
    nHit = FilterHitCode(nHit, pBar->IsFixedSizeBar(), false);
    SendMessage(WM_NCPAINT);
    return nHit;
}

// ---- Painting -----------------------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcPaint() {
    ExtPaintNcArea(this, [this](CDC& mdc, const CRect& rcWindow, const CRect& rcClient) {
        CExtPaintManager* pPM = g_PaintManager.GetPaintManager();
        CControlBar* pHosted = GetHostedBar();
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pHosted);
        const bool bResizable = pHosted != NULL && !(pBar != NULL && pBar->IsFixedSizeBar()) &&
                                !(pBar == NULL && (pHosted->m_dwStyle & CBRS_SIZE_DYNAMIC) == 0);
        // the look is asked for the bar the frame holds
        CObject* pOwner = pHosted != NULL ? static_cast<CObject*>(pHosted) : static_cast<CObject*>(this);
        CExtPaintManager::DockingFramePaintData frame(pOwner, rcWindow, rcClient, true, bResizable, false);
        pPM->PaintDockingFrame(mdc, frame);
        const CString strText = CaptionText();
        CRect rcCaption(m_rcCaption);
        rcCaption.right = m_rcBtnClose.left;
        CRect rcText(rcCaption);
        if (pBar != NULL) {
            rcText = m_rcCaption;
            pBar->AdjustCaptionTextRect(rcText);
        }
        rcText.DeflateRect(2, 0);
        HWND hFocus = ::GetFocus();
        const bool bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
        // a floating caption: text across, the resizable look for a resizable bar
        CExtPaintManager::GripperPaintData grip(pOwner, m_rcCaption, rcText, bActive, true, true, bResizable,
                                                strText.IsEmpty() ? NULL : (LPCTSTR)strText);
        pPM->PaintGripper(mdc, grip);
        if (pBar != NULL) {
            pBar->PaintCaptionButtons(mdc);
        } else {
            CExtPaintManager::CaptionButtonPaintData btn(this, m_rcBtnClose, CExtPaintManager::Close,
                                                         m_bBtnCloseHover, false, true, bResizable, bActive, true);
            pPM->PaintCaptionButton(mdc, btn);
        }
    });
}

BOOL CExtMiniDockFrameWnd::OnNcActivate(BOOL bActive) {
    const BOOL bResult = CMiniFrameWnd::OnNcActivate(bActive);
    SendMessage(WM_NCPAINT);
    if (bActive) {
        if (CExtControlBar* pBar = GetHostedExtBar())
            pBar->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    return bResult;
}

BOOL CExtMiniDockFrameWnd::OnEraseBkgnd(CDC*) { return TRUE; }

void CExtMiniDockFrameWnd::OnPaint() { CPaintDC dc(this); }

// ---- Caption mouse handling ---------------------------------------------------------------------

void CExtMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point) {
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    if (m_rcBtnClose.PtInRect(CPoint(point.x - rcWindow.left, point.y - rcWindow.top)) && GetHostedExtBar() == NULL)
        return;   // the own close button acts on release
    if (nHitTest == HTCAPTION) {
        ActivateTopParent();
        CControlBar* pHosted = GetHostedBar();
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pHosted);
        if (pBar != NULL)
            BringWindowToTop();
        if (GetDockBar() != NULL && (GetDockBar()->m_dwStyle & CBRS_FLOAT_MULTI) != 0) {
            CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
            return;
        }
        if (pBar != NULL) {
            if (UsesDockContext(pBar)) {
                pBar->m_pDockContext->StartDrag(point);
                return;
            }
            const int t = std::min(pBar->m_rcGrip.Width(), pBar->m_rcGrip.Height());
            const CPoint ptGrab(point.x - rcWindow.left - t, point.y - rcWindow.top - t / 2);
            pBar->DraggingStart(&point, &ptGrab, 1, 1);
        } else if (pHosted != NULL && pHosted->m_pDockContext != NULL) {
            pHosted->m_pDockContext->StartDrag(point);
        }
        return;
    }
    if (IsBorderCode(nHitTest)) {
        ActivateTopParent();
        CControlBar* pHosted = GetHostedBar();
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, pHosted);
        if (pHosted != NULL && pBar == NULL) {
            CMiniDockFrameWnd::OnNcLButtonDown(nHitTest, point);
            return;
        }
        if (UsesDockContext(pBar)) {
            pBar->m_pDockContext->StartResize((int)nHitTest, point);
            return;
        }
        ResizingStart(nHitTest, point);
        return;
    }
    if (nHitTest == HTSIZE || nHitTest == HTMINBUTTON || nHitTest == HTMAXBUTTON)
        return;
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcLButtonUp(UINT nHitTest, CPoint point) {
    if (m_nResizingHT != 0) {
        ResizingStop();
        return;
    }
    if (CExtControlBar::GetCurrentDragBar() != NULL)
        return;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const CPoint ptWnd = CPoint(point.x - rcWindow.left, point.y - rcWindow.top);
    CExtControlBar* pBar = GetHostedExtBar();
    if (pBar != NULL && (pBar->m_nStates & 4) != 0) {
        for (INT_PTR i = 0; i < pBar->GetCaptionButtonCount(); i++) {
            CExtBarNcAreaButton* pBtn = pBar->GetCaptionButton(i);
            if (pBtn->IsShown() && pBtn->Click(ptWnd))
                return;   // the click may have hidden or moved the bar: nothing after it
        }
        return;
    }
    if (pBar == NULL && m_rcBtnClose.PtInRect(ptWnd)) {
        // hides the bar the frame holds; a frame that holds none has nothing to hide
        CControlBar* pHosted = GetHostedBar();
        CFrameWnd* pSite = GetDockSite();
        if (pHosted != NULL && pSite != NULL)
            pSite->ShowControlBar(pHosted, FALSE, FALSE);
        return;
    }
    Default();
    (void)nHitTest;
}

void CExtMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point) {
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    CExtControlBar* pBar = GetHostedExtBar();
    if (nHitTest == HTCAPTION && pBar == NULL && m_rcBtnClose.PtInRect(CPoint(point.x - rcWindow.left, point.y - rcWindow.top)))
        return;
    if (pBar != NULL) {
        // may dock the bar away and destroy this frame: nothing after it
        pBar->ToggleFloatingState();
        return;
    }
    CMiniDockFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void CExtMiniDockFrameWnd::OnNcRButtonDown(UINT nHitTest, CPoint point) {
    if (m_nResizingHT != 0) {
        ResizingStop();
        return;
    }
    CExtControlBar* pBar = GetHostedExtBar();
    if (nHitTest == HTCAPTION && pBar != NULL) {
        if (CExtControlBar::IsFrameInHelpMode(this))
            return;   // in context-help mode a click asks for help, not for the menu
        CFrameWnd* pSite = GetDockSite();
        if (pSite == NULL)
            return;
        CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
        if (!pPopup->CreatePopupMenu(pSite->m_hWnd)) {
            delete pPopup;
            return;
        }
        CExtControlBar::FillBarsContextMenu(pSite, pPopup, 5, pBar, WM_NCRBUTTONDOWN, 0);
        if (pPopup->GetItemCount() == 0) {
            delete pPopup;
            return;
        }
        CPoint ptCursor(point);
        ::GetCursorPos(&ptCursor);
        if (!pPopup->TrackPopupMenu(0x800, ptCursor.x, ptCursor.y))
            delete pPopup;
        return;
    }
    Default();
}

void CExtMiniDockFrameWnd::OnNcMouseMove(UINT nHitTest, CPoint point) {
    if (m_nResizingHT != 0)
        return;
    Default();
    UpdateOwnCloseHover(point);
    (void)nHitTest;
}

void CExtMiniDockFrameWnd::UpdateOwnCloseHover(const CPoint& ptScreen) {
    if (m_hWnd == NULL)
        return;
    if (CExtControlBar* pBar = GetHostedExtBar()) {
        pBar->HitTestCaptionButtons(ptScreen);
        return;
    }
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    const bool bHover = m_rcBtnClose.PtInRect(CPoint(ptScreen.x - rcWindow.left, ptScreen.y - rcWindow.top)) != FALSE;
    if (bHover != m_bBtnCloseHover) {
        m_bBtnCloseHover = bHover;
        SendMessage(WM_NCPAINT);
    }
    if (m_bBtnCloseHover)
        SetTimer(kTimerCloseHover, 20, NULL);
    else
        KillTimer(kTimerCloseHover);
}

void CExtMiniDockFrameWnd::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kTimerLayoutButtons) {
        CExtControlBar* pBar = GetHostedExtBar();
        if (pBar == NULL)
            return;
        KillTimer(kTimerLayoutButtons);
        pBar->CreateCaptionButtons();
        pBar->LayoutCaptionButtons();
        if (IsWindowVisible())
            SendMessage(WM_NCPAINT);
        return;
    }
    if (nIDEvent == kTimerCloseHover) {
        CPoint pt;
        ::GetCursorPos(&pt);
        UpdateOwnCloseHover(pt);
        return;
    }
    CControlBar* pHosted = GetHostedBar();
    if (pHosted != NULL && nIDEvent == (UINT_PTR)pHosted->GetDlgCtrlID()) {
        if (m_nResizingHT != 0)
            return;
        CPoint pt;
        ::GetCursorPos(&pt);
        HWND hUnder = ::WindowFromPoint(pt);
        if ((hUnder == m_hWnd || ::IsChild(m_hWnd, hUnder)) && !CExtPopupMenuWnd::IsAnyMenuTracked() &&
            IsWindowEnabled() && ::GetFocus() != NULL)
            BringWindowToTop();
        return;
    }
    CMiniDockFrameWnd::OnTimer(nIDEvent);
}

void CExtMiniDockFrameWnd::OnClose() {
    // the bars are hidden, not destroyed; a frame that holds no bar only hides itself
    if (GetHostedBar() == NULL) {
        ShowWindow(SW_HIDE);
        return;
    }
    CMiniDockFrameWnd::OnClose();
}

void CExtMiniDockFrameWnd::OnCancelMode() {
    CMiniDockFrameWnd::OnCancelMode();
    CExtPopupMenuWnd::CancelMenuTracking();
    CWnd::CancelToolTips();
    if (m_nResizingHT != 0)
        ResizingStop();
}

// ---- The resize loop ----------------------------------------------------------------------------

void CExtMiniDockFrameWnd::ResizingStart(UINT nHitTest, const CPoint& point) {
    if (!IsBorderCode(nHitTest) || m_nResizingHT != 0)
        return;
    CExtPopupMenuWnd::CancelMenuTracking();
    CWnd::CancelToolTips();
    CExtControlBar* pBar = GetHostedExtBar();
    if (UsesDockContext(pBar)) {
        pBar->m_pDockContext->StartResize((int)nHitTest, point);
        return;
    }
    const bool bResizable = pBar != NULL && !pBar->IsFixedSizeBar();
    m_nResizingHT = nHitTest;
    m_ptResizingLast = CPoint(-1, -1);
    if (bResizable)
        ModifyStyle(FWS_SNAPTOBARS, 0);
    BringWindowToTop();
    if (CExtMouseCaptureSink::GetCapture() != m_hWnd)
        CExtMouseCaptureSink::SetCapture(m_hWnd);
    GetWindowRect(&m_rcResizingStart);
    m_ptResizingStart = point;
    const HWND hWnd = m_hWnd;
    auto running = [&] { return ::IsWindow(hWnd) && m_nResizingHT != 0; };
    while (running()) {
        // wakes also for messages already looked at and left waiting (WaitMessage would not)
        ::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        MSG msg;
        while (running() && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            const UINT nMsg = msg.message;
            if (nMsg == WM_ACTIVATEAPP || nMsg == WM_COMMAND || (nMsg >= WM_KEYFIRST && nMsg <= 0x108)) {
                ResizingStop();
                break;
            }
            if (nMsg == WM_MOUSEMOVE) {
                // every waiting move is taken (the loop always makes progress), the last one counts
                CPoint pt(msg.pt);
                if (!TakeMouseMoves(NULL, pt)) {
                    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
                        continue;
                    if (msg.message == WM_QUIT) {
                        ResizingStop();
                        ::PostQuitMessage((int)msg.wParam);
                        return;
                    }
                    if (msg.message != WM_MOUSEMOVE) {
                        ::TranslateMessage(&msg);
                        ::DispatchMessageA(&msg);
                        continue;
                    }
                    pt = msg.pt;
                }
                ResizingStep(pt);
                continue;
            }
            if (CExtMouseCaptureSink::GetCapture() != hWnd) {
                ResizingStop();
                break;
            }
            if (!AfxGetThread()->PumpMessage()) {
                // a quit ends the resize and goes on to the application's loop with its code
                const int nCode = (int)AfxGetThread()->m_msgCur.wParam;
                if (::IsWindow(hWnd))
                    ResizingStop();
                ::PostQuitMessage(nCode);
                return;
            }
        }
    }
}

void CExtMiniDockFrameWnd::ResizingStop() {
    if (m_nResizingHT == 0)
        return;
    m_ptResizingLast = CPoint(-1, -1);
    m_nResizingHT = 0;
    if (CExtMouseCaptureSink::GetCapture() == m_hWnd)
        CExtMouseCaptureSink::ReleaseCapture();
    CExtControlBar* pBar = GetHostedExtBar();
    if (pBar != NULL && !pBar->IsFixedSizeBar())
        ModifyStyle(0, FWS_SNAPTOBARS);
}

void CExtMiniDockFrameWnd::OnMouseMove(UINT nFlags, CPoint point) {
    if (m_nResizingHT != 0) {
        ClientToScreen(&point);
        ResizingStep(point);
        return;
    }
    CMiniFrameWnd::OnMouseMove(nFlags, point);
}

void CExtMiniDockFrameWnd::OnCaptureChanged(CWnd* pWnd) {
    if (m_nResizingHT != 0 && (pWnd == NULL || pWnd->m_hWnd != m_hWnd))
        ResizingStop();
    CMiniDockFrameWnd::OnCaptureChanged(pWnd);
}

void CExtMiniDockFrameWnd::OnLButtonUp(UINT nFlags, CPoint point) {
    if (m_nResizingHT != 0) {
        ResizingStop();
        return;
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

void CExtMiniDockFrameWnd::OnRButtonDown(UINT nFlags, CPoint point) {
    if (m_nResizingHT != 0) {
        ResizingStop();
        return;
    }
    Default();
    (void)nFlags;
    (void)point;
}

void CExtMiniDockFrameWnd::ResizingStep(const CPoint& point) {
    if (g_bInResizeStep || m_nResizingHT == 0 || point == m_ptResizingLast)
        return;
    g_bInResizeStep = true;
    m_ptResizingLast = point;
    CRect rcWindow, rcClient;
    GetWindowRect(&rcWindow);
    GetClientRect(&rcClient);
    const CSize sizeNc(rcWindow.Width() - rcClient.Width(), rcWindow.Height() - rcClient.Height());
    CExtControlBar* pBar = GetHostedExtBar();
    CControlBar* pHosted = GetHostedBar();
    const bool bFixed = pBar != NULL ? pBar->IsFixedSizeBar() : (pHosted != NULL);
    CSize sizeMin(sizeNc);
    if (pBar != NULL) {
        sizeMin.cx = std::max(sizeMin.cx, (LONG)pBar->GetMinExtentHorz());
        sizeMin.cy = std::max(sizeMin.cy, (LONG)pBar->GetMinExtentVert());
    }
    // the dragged edges keep their distance to the point where the mouse took them
    const UINT nHT = m_nResizingHT;
    const bool bFromLeft = nHT == HTLEFT || nHT == HTTOPLEFT || nHT == HTBOTTOMLEFT;
    const bool bFromTop = nHT == HTTOP || nHT == HTTOPLEFT || nHT == HTTOPRIGHT;
    const CPoint ptEdge((bFromLeft ? m_rcResizingStart.left : m_rcResizingStart.right) + point.x - m_ptResizingStart.x,
                        (bFromTop ? m_rcResizingStart.top : m_rcResizingStart.bottom) + point.y - m_ptResizingStart.y);
    UINT nHitUsed = m_nResizingHT;
    CRect rc = CalcResizeRect(m_rcResizingStart, m_nResizingHT, ptEdge, sizeMin, bFixed, &nHitUsed);
    if (pBar != NULL && !bFixed) {
        const CSize sizeTrack = pBar->GetFloatingMinTrackSize();
        const CRect rcWorkArea = WorkAreaOf(m_hWnd);
        const bool bLeft = nHitUsed == HTLEFT || nHitUsed == HTTOPLEFT || nHitUsed == HTBOTTOMLEFT;
        const bool bTop = nHitUsed == HTTOP || nHitUsed == HTTOPLEFT || nHitUsed == HTTOPRIGHT;
        int cx = std::max(rc.Width(), (int)sizeTrack.cx), cy = std::max(rc.Height(), (int)sizeTrack.cy);
        if (!rcWorkArea.IsRectEmpty()) {
            cx = std::min(cx, rcWorkArea.Width());
            cy = std::min(cy, rcWorkArea.Height());
        }
        if (bLeft)
            rc.left = rc.right - cx;
        else
            rc.right = rc.left + cx;
        if (bTop)
            rc.top = rc.bottom - cy;
        else
            rc.bottom = rc.top + cy;
        // the bar takes the new client size as its floating size, so the frame keeps the size
        // the user gave it when it next fits itself to its bar
        pBar->m_sizeFloated = CSize(rc.Width() - sizeNc.cx, rc.Height() - sizeNc.cy);
        SetWindowPos(NULL, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
        RecalcLayout();
        PaintNow();
        SetTimer(kTimerLayoutButtons, 1, NULL);
    } else if (pHosted != NULL) {
        const bool bVert = nHitUsed == HTTOP || nHitUsed == HTBOTTOM;
        const int nLength = bVert ? rc.Height() - sizeNc.cy : rc.Width() - sizeNc.cx;
        const CSize sizeBefore = pBar != NULL ? pBar->m_sizeFloated : CSize(rcClient.Width(), rcClient.Height());
        const CSize sizeNew =
            pHosted->CalcDynamicLayout(nLength, bVert ? (LM_HORZ | LM_LENGTHY | LM_COMMIT) : (LM_HORZ | LM_COMMIT));
        CRect rcNow(rcWindow);
        if (sizeNew != sizeBefore || sizeNew != rcClient.Size()) {
            if (pBar != NULL) {
                pBar->m_sizeFloated = sizeNew;
                pBar->m_ptFloatHelper = m_rcResizingStart.TopLeft();
            }
            // the frame keeps its top-left corner and grows away from it
            SetWindowPos(NULL, m_rcResizingStart.left, m_rcResizingStart.top, sizeNew.cx + sizeNc.cx,
                         sizeNew.cy + sizeNc.cy, SWP_NOZORDER | SWP_NOACTIVATE);
            SendMessage(WM_NCPAINT);
            RecalcLayout();
            pHosted->RedrawWindow(NULL, NULL,
                                  RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW);
        }
    }
    g_bInResizeStep = false;
}

// ---- Tool tips ----------------------------------------------------------------------------------

INT_PTR CExtMiniDockFrameWnd::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const {
    if (pTI == NULL || m_wndToolTip.GetSafeHwnd() == NULL)
        return -1;
    CExtControlBar* pBar = GetHostedExtBar();
    if (pBar == NULL || (pBar->m_dwStyle & CBRS_TOOLTIPS) == 0)
        return -1;
    CPoint ptBar(point);
    ClientToScreen(&ptBar);
    pBar->ScreenToClient(&ptBar);
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    const INT_PTR nHit = pBar->OnToolHitTest(ptBar, &ti);
    if (nHit >= 0 && ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA) {
        CRect rc(ti.rect);
        if (ti.hwnd != NULL && ti.hwnd != m_hWnd) {
            ::MapWindowPoints(ti.hwnd, m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        }
        CToolTipCtrl& tip = const_cast<CToolTipCtrl&>(m_wndToolTip);
        tip.DelTool(const_cast<CExtMiniDockFrameWnd*>(this), 1);
        tip.AddTool(const_cast<CExtMiniDockFrameWnd*>(this), ti.lpszText, &rc, 1);
    }
    if (ti.lpszText != NULL && ti.lpszText != LPSTR_TEXTCALLBACKA)
        free(ti.lpszText);
    return -1;
}

BOOL CExtMiniDockFrameWnd::PreTranslateMessage(MSG* pMsg) {
    if (m_wndToolTip.GetSafeHwnd() != NULL)
        m_wndToolTip.RelayEvent(pMsg);
    return CFrameWnd::PreTranslateMessage(pMsg);
}
