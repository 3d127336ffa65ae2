// CFrameWnd's docking members: its dock bars, docking, floating and showing bars, and the dock
// state. They live in the docking module so that frames without bars link none of it.
#include <CFrameWnd.h>
#include "CControlBar.h"
#include "CControlBarInfo.h"
#include "CDockBar.h"
#include "CDockContext.h"
#include "CDockState.h"
#include "CMiniDockFrameWnd.h"

namespace {

// A going frame tells the bars still listed (their windows may outlive it) that it is gone.
void ReleaseControlBars(CFrameWnd* pFrame)
{
    POSITION pos = pFrame->m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(pFrame->m_listControlBars.GetNext(pos));
        pBar->m_pDockSite = NULL;
        if (pBar->m_pDockContext != NULL)
            pBar->m_pDockContext->m_pDockSite = NULL;
    }
    pFrame->m_listControlBars.RemoveAll();
}

struct ReleaseHookSetter {
    ReleaseHookSetter() { CFrameWnd::s_pfnReleaseControlBars = ReleaseControlBars; }
} g_releaseHookSetter;

CControlBarInfo* InfoAt(const CDockState& state, INT_PTR i)
{
    return static_cast<CControlBarInfo*>(state.m_arrBarInfo[i]);
}

}  // namespace

void CFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    m_pFloatingFrameClass = RUNTIME_CLASS(CMiniDockFrameWnd);
    for (const auto& side : dwDockBarMap) {
        if (!(side[1] & dwDockStyle & CBRS_ALIGN_ANY) || GetControlBar(side[0]) != NULL)
            continue;
        CDockBar* pDockBar = new CDockBar;
        if (!pDockBar->Create(this, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | side[1], side[0]))
            AfxThrowResourceException();  // the dock bar deleted itself
    }
}

CControlBar* CFrameWnd::GetControlBar(UINT nID)
{
    if (nID == 0)
        return NULL;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd != NULL && (UINT)pBar->GetDlgCtrlID() == nID)
            return pBar;
    }
    return NULL;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (m_listControlBars.Find(pBar) == NULL)
        m_listControlBars.AddTail(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    POSITION pos = m_listControlBars.Find(pBar);
    if (pos != NULL)
        m_listControlBars.RemoveAt(pos);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, UINT nDockBarID, LPCRECT lpRect)
{
    CDockBar* pDockBar = NULL;
    if (nDockBarID != 0)
        pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(nDockBarID));
    else {
        // the first side both the bar and the frame allow
        for (const auto& side : dwDockBarMap) {
            if (!(side[1] & pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
                continue;
            pDockBar = DYNAMIC_DOWNCAST(CDockBar, GetControlBar(side[0]));
            if (pDockBar != NULL)
                break;
        }
    }
    if (pDockBar == NULL) {
        TRACE("DockControlBar: no dock bar %u for the bar\n", nDockBarID);
        return;
    }
    DockControlBar(pBar, pDockBar, lpRect);
}

void CFrameWnd::DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect)
{
    if (pBar->m_pDockSite == NULL)
        pBar->m_pDockSite = this;
    if (pBar->m_pDockContext != NULL)
        pBar->m_pDockContext->m_pDockSite = pBar->m_pDockSite;
    pDockBar->DockControlBar(pBar, lpRect);
}

CMiniDockFrameWnd* CFrameWnd::CreateFloatingFrame(DWORD dwStyle)
{
    CRuntimeClass* pClass = m_pFloatingFrameClass != NULL ? m_pFloatingFrameClass : RUNTIME_CLASS(CMiniDockFrameWnd);
    CMiniDockFrameWnd* pFrame = DYNAMIC_DOWNCAST(CMiniDockFrameWnd, pClass->CreateObject());
    if (pFrame == NULL || !pFrame->Create(this, dwStyle))
        AfxThrowResourceException();  // a frame that failed to create deleted itself
    return pFrame;
}

void CFrameWnd::FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle)
{
    if (pBar->m_pDockSite == NULL)
        pBar->m_pDockSite = this;  // floated before it was ever docked: this frame docks it
    CDockContext* pContext = pBar->m_pDockContext;
    if (pBar->IsFloating() && pBar->m_pDockBar->GetDockedCount() == 1) {
        // alone in its mini frame: the frame moves
        pBar->m_pDockBar->GetParent()->SetWindowPos(NULL, point.x, point.y, 0, 0,
                                                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if (pContext != NULL && pBar->m_pDockBar != NULL && !pBar->IsFloating()) {
            // where it leaves the side, for docking it back
            pContext->m_uMRUDockID = (UINT)pBar->m_pDockBar->GetDlgCtrlID();
            pBar->GetWindowRect(&pContext->m_rectMRUDockPos);
        }
        CMiniDockFrameWnd* pFrame = CreateFloatingFrame(dwStyle);
        pFrame->SetWindowPos(NULL, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        pFrame->GetDockBar()->DockControlBar(pBar);
        pFrame->RecalcLayout();
        if (pBar->IsVisible()) {
            pFrame->ShowWindow(SW_SHOWNA);
            pFrame->UpdateWindow();
        }
    }
    if (pContext != NULL) {
        pContext->m_ptMRUFloatPos = point;
        pContext->m_dwMRUFloatStyle = dwStyle & CBRS_ALIGN_ANY;
    }
    RecalcLayout();
}

void CFrameWnd::ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay)
{
    CFrameWnd* pParentFrame = pBar->GetDockingFrame();
    if (pParentFrame == NULL)
        pParentFrame = this;  // a bar not docked anywhere yet
    if (bDelay) {
        pBar->DelayShow(bShow);
        pParentFrame->DelayRecalcLayout();
    } else {
        pBar->m_nStateFlags &= ~(CControlBar::delayHide | CControlBar::delayShow);
        pBar->SetWindowPos(NULL, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE |
                                                 (bShow ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
        pParentFrame->RecalcLayout(FALSE);
    }
    // a floating bar's mini frame shows when the bar does (a delayed hide hides it at the
    // layout that carries it out)
    if (pBar->IsFloating() && pParentFrame != this) {
        if (bShow)
            pParentFrame->ShowWindow(SW_SHOWNA);
        else if (pBar->m_pDockBar->GetDockedVisibleCount() == 0 && !bDelay)
            pParentFrame->ShowWindow(SW_HIDE);
    }
}

// ---- The dock state ------------------------------------------------------------------------------

void CFrameWnd::GetDockState(CDockState& state) const
{
    state.Clear();
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->m_hWnd == NULL || (pBar->m_pDockContext == NULL && !pBar->IsDockBar()))
            continue;
        CControlBarInfo* pInfo = new CControlBarInfo;
        pBar->GetBarInfo(pInfo);
        state.m_arrBarInfo.Add(pInfo);
    }
}

BOOL CFrameWnd::SetDockState(const CDockState& state)
{
    // every entry and every bar in the rows must name a bar of this frame, each bar in one
    // place only; otherwise nothing changes
    CMap<UINT, UINT, int, int> mapPlaced;
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
        CControlBarInfo* pInfo = InfoAt(state, i);
        CControlBar* pBar = GetControlBar(pInfo->m_nBarID);
        if (pInfo->m_bDockBar && pInfo->m_bFloating) {
            if (pInfo->m_nBarID != AFX_IDW_DOCKBAR_FLOAT)
                return FALSE;
        } else if (pBar == NULL || pBar->IsDockBar() != pInfo->m_bDockBar ||
                   (pBar->IsDockBar() && pBar->IsFloating())) {
            return FALSE;
        }
        for (INT_PTR j = 0; j < pInfo->m_arrBarID.GetSize(); j++) {
            UINT nID = (UINT)(UINT_PTR)pInfo->m_arrBarID[j];
            if (nID == 0 || (nID & 0x10000))
                continue;
            CControlBar* pDocked = GetControlBar(nID);
            int nSeen;
            if (pDocked == NULL || pDocked->IsDockBar() || mapPlaced.Lookup(nID, nSeen))
                return FALSE;
            mapPlaced[nID] = 1;
        }
    }

    // the floating frames first: when one cannot be made, none is kept and no bar has moved
    CPtrArray arrNewFrames;
    try {
        for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++) {
            CControlBarInfo* pInfo = InfoAt(state, i);
            if (pInfo->m_bDockBar && pInfo->m_bFloating) {
                CMiniDockFrameWnd* pFrame = CreateFloatingFrame(pInfo->m_bHorz ? CBRS_ALIGN_TOP : CBRS_ALIGN_LEFT);
                arrNewFrames.Add(pFrame);
                pInfo->m_pBar = pFrame->GetDockBar();
            } else {
                pInfo->m_pBar = GetControlBar(pInfo->m_nBarID);
            }
        }
    } catch (CException* e) {
        e->Delete();
        for (INT_PTR i = 0; i < arrNewFrames.GetSize(); i++)
            static_cast<CWnd*>(arrNewFrames[i])->DestroyWindow();
        return FALSE;
    }

    // the floating frames there were before, to tidy when their bars have gone
    CPtrArray arrOldFloating;
    POSITION pos = m_listControlBars.GetHeadPosition();
    while (pos != NULL) {
        CControlBar* pBar = static_cast<CControlBar*>(m_listControlBars.GetNext(pos));
        if (pBar->IsDockBar() && pBar->IsFloating())
            arrOldFloating.Add(pBar->GetParent()->m_hWnd);
    }
    for (INT_PTR i = 0; i < arrNewFrames.GetSize(); i++)
        for (INT_PTR j = 0; j < arrOldFloating.GetSize(); j++)
            if (arrOldFloating[j] == static_cast<CWnd*>(arrNewFrames[i])->m_hWnd)
                arrOldFloating.RemoveAt(j--);

    // the rows, then each bar's own place and visibility
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        if (InfoAt(state, i)->m_bDockBar)
            InfoAt(state, i)->m_pBar->SetBarInfo(InfoAt(state, i), this);
    for (INT_PTR i = 0; i < state.m_arrBarInfo.GetSize(); i++)
        if (!InfoAt(state, i)->m_bDockBar)
            InfoAt(state, i)->m_pBar->SetBarInfo(InfoAt(state, i), this);

    // floating frames: the old ones left empty go, the others show what they hold
    for (INT_PTR i = 0; i < arrOldFloating.GetSize(); i++) {
        CMiniDockFrameWnd* pFrame =
            DYNAMIC_DOWNCAST(CMiniDockFrameWnd, CWnd::FromHandlePermanent((HWND)arrOldFloating[i]));
        if (pFrame != NULL)
            arrNewFrames.Add(pFrame);
    }
    for (INT_PTR i = 0; i < arrNewFrames.GetSize(); i++) {
        CMiniDockFrameWnd* pFrame = static_cast<CMiniDockFrameWnd*>(arrNewFrames[i]);
        if (pFrame->GetDockBar()->GetDockedCount() == 0) {
            pFrame->DestroyWindow();
            continue;
        }
        pFrame->RecalcLayout();
        if (pFrame->GetDockBar()->GetDockedVisibleCount() > 0)
            pFrame->ShowWindow(SW_SHOWNA);
    }
    RecalcLayout();
    return TRUE;
}
