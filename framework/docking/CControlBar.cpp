#include "CControlBar.h"
#include "CControlBarInfo.h"
#include "CDockBar.h"
#include "CDockContext.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_WINDOWPOSCHANGING()
    ON_WM_TIMER()
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

CControlBar::CControlBar()
    : m_bAutoDelete(FALSE), m_cxLeftBorder(2), m_cxRightBorder(2), m_cyTopBorder(2), m_cyBottomBorder(2),
      m_nMRUWidth(32767), m_nStateFlags(0), m_dwStyle(0), m_dwDockStyle(0), m_pDockSite(NULL), m_pDockBar(NULL),
      m_pDockContext(NULL), m_nStatusHit(-1), m_nFlyByHit(-1)
{
}

CControlBar::~CControlBar()
{
    // a bar whose window outlived its frame was told so (the frame clears m_pDockSite)
    if (m_pDockSite != NULL)
        m_pDockSite->RemoveControlBar(this);
    delete m_pDockContext;
}

void CControlBar::PostNcDestroy()
{
    if (m_bAutoDelete)
        delete this;
}

BOOL CControlBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CWnd::PreCreateWindow(cs))
        return FALSE;
    // bars draw their own background and never paint over their siblings
    cs.style |= WS_CLIPSIBLINGS;
    return TRUE;
}

int CControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
    // a bar made in a frame is docked by that frame
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
    if (pParent != NULL && pParent->IsFrameWnd()) {
        m_pDockSite = static_cast<CFrameWnd*>(pParent);
        m_pDockSite->AddControlBar(this);
    }
    return 0;
}

void CControlBar::OnDestroy()
{
    // leave the dock bar's rows: its array never holds a bar without a window
    if (m_pDockBar != NULL) {
        CDockBar* pDockBar = m_pDockBar;
        m_pDockBar = NULL;
        pDockBar->RemoveBarEntry(this);
        // the frame it was in lays out without it at the next idle (a mini frame left with no
        // visible bar hides then)
        if (CFrameWnd* pFrame = pDockBar->GetParentFrame())
            pFrame->DelayRecalcLayout();
    }
    // nor a place kept for it on a side (it floated): no bar will come back to it
    if (m_pDockSite != NULL && !IsDockBar()) {
        for (const auto& side : dwDockBarMap)
            if (CDockBar* pSide = DYNAMIC_DOWNCAST(CDockBar, m_pDockSite->GetControlBar(side[0])))
                pSide->RemovePlaceHolder(this);
    }
    CWnd::OnDestroy();
}

LRESULT CControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    switch (nMsg) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM: {
        // what the bar (or its control, by reflection) does not take goes to its owner, the frame
        LRESULT lResult = 0;
        if (OnWndMsg(nMsg, wParam, lParam, &lResult))
            return lResult;
        HWND hWndOwner = GetOwner()->GetSafeHwnd();
        return hWndOwner != NULL ? ::SendMessageA(hWndOwner, nMsg, wParam, lParam) : 0;
    }
    default:
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
}

// ---- Layout ----------------------------------------------------------------------------------

CSize CControlBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    // a stretched bar takes the whole side, else nothing: bars measure their own content
    return CSize((bStretch && bHorz) ? 32767 : 0, (bStretch && !bHorz) ? 32767 : 0);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD nMode)
{
    return CalcFixedLayout((nMode & LM_STRETCH) != 0, (nMode & (LM_HORZ | LM_HORZDOCK)) != 0 &&
                                                          !(nMode & LM_VERTDOCK));
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL) const
{
    DWORD dwStyle = m_dwStyle;
    if (dwStyle & CBRS_BORDER_LEFT)
        rect.left += 1;
    if (dwStyle & CBRS_BORDER_TOP)
        rect.top += 1;
    if (dwStyle & CBRS_BORDER_RIGHT)
        rect.right -= 1;
    if (dwStyle & CBRS_BORDER_BOTTOM)
        rect.bottom -= 1;
    rect.left += m_cxLeftBorder;
    rect.top += m_cyTopBorder;
    rect.right -= m_cxRightBorder;
    rect.bottom -= m_cyBottomBorder;
}

DWORD CControlBar::DockedLayoutMode(DWORD dwStyle, BOOL bStretch)
{
    DWORD dwMode = bStretch ? LM_STRETCH : 0;
    if ((dwStyle & CBRS_SIZE_DYNAMIC) && (dwStyle & CBRS_FLOATING))
        dwMode |= LM_HORZ | LM_MRUWIDTH;
    else if (dwStyle & CBRS_ORIENT_HORZ)
        dwMode |= LM_HORZ | LM_HORZDOCK;
    else
        dwMode |= LM_VERTDOCK;
    return dwMode;
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam)
{
    // a bar placed by the frame itself (not in a dock bar): it takes its side of what is left
    AFX_SIZEPARENTPARAMS* lpLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    BOOL bVisible = IsVisible();  // as it will be once a pending show or hide is carried out
    RecalcDelayShow(lpLayout);
    if (!bVisible || !(m_dwStyle & CBRS_ALIGN_ANY))
        return 0;
    CRect rect(lpLayout->rect);
    CSize sizeAvail = rect.Size();
    CSize size = CalcDynamicLayout(-1, DockedLayoutMode(m_dwStyle, lpLayout->bStretch));
    size.cx = std::min(size.cx, sizeAvail.cx);
    size.cy = std::min(size.cy, sizeAvail.cy);
    if (m_dwStyle & CBRS_ORIENT_HORZ) {
        lpLayout->sizeTotal.cy += size.cy;
        lpLayout->sizeTotal.cx = std::max(lpLayout->sizeTotal.cx, size.cx);
        if (m_dwStyle & CBRS_ALIGN_TOP)
            lpLayout->rect.top += size.cy;
        else {
            rect.top = rect.bottom - size.cy;
            lpLayout->rect.bottom -= size.cy;
        }
    } else {
        lpLayout->sizeTotal.cx += size.cx;
        lpLayout->sizeTotal.cy = std::max(lpLayout->sizeTotal.cy, size.cy);
        if (m_dwStyle & CBRS_ALIGN_LEFT)
            lpLayout->rect.left += size.cx;
        else {
            rect.left = rect.right - size.cx;
            lpLayout->rect.right -= size.cx;
        }
    }
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    if (lpLayout->hDWP != NULL)
        AfxRepositionWindow(lpLayout, m_hWnd, &rect);
    return 0;
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* lpWndPos)
{
    CWnd::OnWindowPosChanging(lpWndPos);
    // the borders are drawn in the client area: a new size repaints the whole bar
    if (!(lpWndPos->flags & SWP_NOSIZE))
        lpWndPos->flags |= SWP_NOCOPYBITS;
}

// ---- Showing ---------------------------------------------------------------------------------

BOOL CControlBar::IsVisible() const
{
    if (m_nStateFlags & delayHide)
        return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

void CControlBar::DelayShow(BOOL bShow)
{
    m_nStateFlags &= ~(delayHide | delayShow);
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    if (bShow && !bVisible)
        m_nStateFlags |= delayShow;
    else if (!bShow && bVisible)
        m_nStateFlags |= delayHide;
}

void CControlBar::RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout)
{
    if (!(m_nStateFlags & (delayHide | delayShow)) || lpLayout->hDWP == NULL)
        return;  // nothing pending, or only a query: the flags stay for the real layout
    BOOL bVisible = (GetStyle() & WS_VISIBLE) != 0;
    UINT nShow = 0;
    if ((m_nStateFlags & delayHide) && bVisible)
        nShow = SWP_HIDEWINDOW;
    else if ((m_nStateFlags & delayShow) && !bVisible)
        nShow = SWP_SHOWWINDOW;
    m_nStateFlags &= ~(delayHide | delayShow);
    if (nShow != 0)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, m_hWnd, NULL, 0, 0, 0, 0,
                                          nShow | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Painting and command states ---------------------------------------------------------------

void CControlBar::DoPaint(CDC* pDC)
{
    // the borders the style asks for, as a thin 3-D edge
    CRect rect;
    GetClientRect(&rect);
    UINT nEdges = 0;
    if (m_dwStyle & CBRS_BORDER_LEFT)
        nEdges |= BF_LEFT;
    if (m_dwStyle & CBRS_BORDER_TOP)
        nEdges |= BF_TOP;
    if (m_dwStyle & CBRS_BORDER_RIGHT)
        nEdges |= BF_RIGHT;
    if (m_dwStyle & CBRS_BORDER_BOTTOM)
        nEdges |= BF_BOTTOM;
    if (nEdges != 0)
        pDC->DrawEdge(&rect, BDR_RAISEDINNER, nEdges);
}

void CControlBar::OnPaint()
{
    CPaintDC dc(this);
    DoPaint(&dc);
}

BOOL CControlBar::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    if (!(GetStyle() & WS_VISIBLE))
        return 0;
    // the commands are the owner frame's (the dock site, also while the bar floats)
    CWnd* pOwner = GetOwner();
    CFrameWnd* pTarget = pOwner != NULL && pOwner->IsFrameWnd() ? static_cast<CFrameWnd*>(pOwner) : GetParentFrame();
    if (pTarget != NULL)
        OnUpdateCmdUI(pTarget, (BOOL)wParam);
    return 0;
}

LRESULT CControlBar::OnHelpHitTest(WPARAM, LPARAM lParam)
{
    INT_PTR nID = OnToolHitTest(CPoint((int)(short)LOWORD(lParam), (int)(short)HIWORD(lParam)), NULL);
    if (nID != -1)
        return HID_BASE_COMMAND + nID;
    nID = GetDlgCtrlID();
    return nID != 0 ? HID_BASE_CONTROL + nID : 0;
}

// ---- Docking ---------------------------------------------------------------------------------

void CControlBar::EnableDocking(DWORD dwDockStyle)
{
    m_dwDockStyle = dwDockStyle;
    if (m_pDockContext == NULL)
        m_pDockContext = new CDockContext(this);
    // commands keep going to the frame when the bar moves into a mini frame
    if (m_hWndOwner == NULL)
        m_hWndOwner = ::GetParent(m_hWnd);
}

BOOL CControlBar::IsFloating() const
{
    if (IsDockBar())
        return static_cast<const CDockBar*>(this)->m_bFloating;
    return m_pDockBar != NULL && m_pDockBar->m_bFloating;
}

CFrameWnd* CControlBar::GetDockingFrame() const
{
    CFrameWnd* pFrame = GetParentFrame();
    return pFrame != NULL ? pFrame : m_pDockSite;
}

void CControlBar::SetBarStyle(DWORD dwStyle)
{
    if (m_dwStyle != dwStyle) {
        m_dwStyle = dwStyle;
        if (m_hWnd != NULL)
            Invalidate();
    }
}

void CControlBar::SetBorders(int cxLeft, int cyTop, int cxRight, int cyBottom)
{
    m_cxLeftBorder = cxLeft;
    m_cyTopBorder = cyTop;
    m_cxRightBorder = cxRight;
    m_cyBottomBorder = cyBottom;
}

void CControlBar::GetBarInfo(CControlBarInfo* pInfo)
{
    pInfo->m_pBar = this;
    pInfo->m_nBarID = (UINT)GetDlgCtrlID();
    pInfo->m_bVisible = IsVisible();
    pInfo->m_bFloating = IsFloating();
    pInfo->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    pInfo->m_bDockBar = IsDockBar();
    pInfo->m_nMRUWidth = m_nMRUWidth;
    pInfo->m_bDocking = m_pDockContext != NULL;
    // where it is: in its dock bar, or (a floating frame's dock bar) the frame on the screen
    CRect rect;
    GetWindowRect(&rect);
    if (IsDockBar() && IsFloating())
        ::GetWindowRect(::GetParent(m_hWnd), &rect);
    else if (m_pDockBar != NULL)
        m_pDockBar->ScreenToClient(&rect);
    pInfo->m_pointPos = rect.TopLeft();
    if (m_pDockContext != NULL) {
        pInfo->m_uMRUDockID = m_pDockContext->m_uMRUDockID;
        pInfo->m_rectMRUDockPos = m_pDockContext->m_rectMRUDockPos;
        pInfo->m_dwMRUFloatStyle = m_pDockContext->m_dwMRUFloatStyle;
        pInfo->m_ptMRUFloatPos = m_pDockContext->m_ptMRUFloatPos;
    }
    if (IsDockBar())
        static_cast<CDockBar*>(this)->GetBarIDs(pInfo->m_arrBarID);
}

void CControlBar::SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd)
{
    m_nMRUWidth = pInfo->m_nMRUWidth;
    if (m_pDockContext != NULL) {
        m_pDockContext->m_uMRUDockID = pInfo->m_uMRUDockID;
        m_pDockContext->m_rectMRUDockPos = pInfo->m_rectMRUDockPos;
        m_pDockContext->m_dwMRUFloatStyle = pInfo->m_dwMRUFloatStyle;
        m_pDockContext->m_ptMRUFloatPos = pInfo->m_ptMRUFloatPos;
    }
    if (IsDockBar()) {
        static_cast<CDockBar*>(this)->SetBarIDs(pInfo->m_arrBarID, pFrameWnd);
        if (IsFloating()) {
            // the floating frame goes where it was
            CWnd* pMiniFrame = GetParent();
            pMiniFrame->SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0,
                                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        return;
    }
    // a docked bar keeps its place in the row; visibility takes effect at the next layout
    if (m_pDockBar != NULL && !IsFloating())
        SetWindowPos(NULL, pInfo->m_pointPos.x, pInfo->m_pointPos.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    DelayShow(pInfo->m_bVisible);
}

// ---- Fly-by prompts --------------------------------------------------------------------------

BOOL CControlBar::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (!(m_dwStyle & CBRS_FLYBY) || pMsg->message != WM_MOUSEMOVE)
        return FALSE;
    INT_PTR nHit = HitAt(pMsg->pt);
    m_nFlyByHit = nHit;
    if (m_nStateFlags & statusSet) {
        // a prompt shows already: it follows the mouse at once
        if (nHit != -1 && nHit != m_nStatusHit)
            SetStatusText(nHit);
    } else if (nHit != -1) {
        SetTimer(timerShowStatus, 300, NULL);  // (again) a rest before the first prompt
    } else {
        KillTimer(timerShowStatus);
    }
    return FALSE;
}

void CControlBar::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == timerShowStatus) {
        // the mouse rested on the item its last move over this bar found
        KillTimer(timerShowStatus);
        if (m_nFlyByHit != -1)
            SetStatusText(m_nFlyByHit);
    } else if (nIDEvent == timerClearStatus) {
        // moves over other windows never reach this bar: it looks where the cursor is (until
        // it has caught up with the input, the next tick looks again)
        CPoint point;
        ::GetCursorPos(&point);
        if (HitAt(point) == -1)
            SetStatusText(-1);
    } else {
        CWnd::OnTimer(nIDEvent);
    }
}

INT_PTR CControlBar::HitAt(CPoint point) const
{
    HWND hWndUnder = ::WindowFromPoint(point);
    if (hWndUnder != m_hWnd && !::IsChild(m_hWnd, hWndUnder))
        return -1;
    ScreenToClient(&point);
    return OnToolHitTest(point, NULL);
}

BOOL CControlBar::SetStatusText(INT_PTR nHit)
{
    CWnd* pOwner = GetOwner();
    if (nHit == -1) {
        KillTimer(timerClearStatus);
        if ((m_nStateFlags & statusSet) && pOwner != NULL)
            pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
        m_nStateFlags &= ~statusSet;
        m_nStatusHit = -1;
        return TRUE;
    }
    if (pOwner == NULL)
        return FALSE;
    pOwner->SendMessage(WM_SETMESSAGESTRING, (WPARAM)nHit);
    m_nStateFlags |= statusSet;
    m_nStatusHit = nHit;
    SetTimer(timerClearStatus, 200, NULL);  // watches for the mouse leaving
    return TRUE;
}
