#include "CExtDockOuterBar.h"
#include "CExtControlBar.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "ExtDockRows.h"
#include "ExtOuterRows.h"
#include <CDockContext.h>
#include <algorithm>
#include <vector>

#ifndef WM_THEMECHANGED
#define WM_THEMECHANGED 0x031A
#endif

IMPLEMENT_DYNCREATE(CExtDockOuterBar, CExtDockBar)

BEGIN_MESSAGE_MAP(CExtDockOuterBar, CExtDockBar)
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_MESSAGE(WM_DISPLAYCHANGE, OnDisplayChange)
    ON_MESSAGE(WM_THEMECHANGED, OnThemeChanged)
    ON_WM_TIMER()
    ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {

using ExtOuterRows::Item;

// ---- Waiting for a hidden frame to be shown -----------------------------------------------------
// A relayout cannot run while its frame is hidden (the GUI may start in the tray and stay there
// for hours). Instead of retrying on a timer all that time, the outer dock bar waits for the
// frame's show: a call-window hook of the GUI thread, installed only while some dock bar waits,
// sees the frame's WM_SHOWWINDOW / WM_WINDOWPOSCHANGED and restarts that dock bar's timer.
struct ShowWaiter {
    HWND hWndFrame;
    HWND hWndDockBar;
};
std::vector<ShowWaiter> g_showWaiters;
HHOOK g_hShowHook = NULL;

void Unhook() {
    if (g_showWaiters.empty() && g_hShowHook != NULL) {
        ::UnhookWindowsHookEx(g_hShowHook);
        g_hShowHook = NULL;
    }
}

LRESULT CALLBACK ShowHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    if (nCode == HC_ACTION) {
        const CWPSTRUCT* p = reinterpret_cast<const CWPSTRUCT*>(lParam);
        const bool bShown =
            (p->message == WM_SHOWWINDOW && p->wParam != 0) ||
            (p->message == WM_WINDOWPOSCHANGED && (reinterpret_cast<const WINDOWPOS*>(p->lParam)->flags & SWP_SHOWWINDOW));
        if (bShown) {
            for (size_t i = 0; i < g_showWaiters.size();) {
                if (g_showWaiters[i].hWndFrame == p->hwnd) {
                    // the frame is not visible yet while it is told: the timer tries after it is
                    if (::IsWindow(g_showWaiters[i].hWndDockBar))
                        ::SetTimer(g_showWaiters[i].hWndDockBar, CExtDockOuterBar::kRelayoutTimerId, 1, NULL);
                    g_showWaiters.erase(g_showWaiters.begin() + i);
                } else {
                    i++;
                }
            }
        }
    }
    const HHOOK hHook = g_hShowHook;
    if (g_showWaiters.empty() && g_hShowHook != NULL) {
        ::UnhookWindowsHookEx(g_hShowHook);
        g_hShowHook = NULL;
    }
    return ::CallNextHookEx(hHook, nCode, wParam, lParam);
}

void WaitForShow(HWND hWndFrame, HWND hWndDockBar) {
    for (const ShowWaiter& w : g_showWaiters)
        if (w.hWndDockBar == hWndDockBar)
            return;
    g_showWaiters.push_back({hWndFrame, hWndDockBar});
    if (g_hShowHook == NULL)
        g_hShowHook = ::SetWindowsHookExA(WH_CALLWNDPROC, ShowHookProc, NULL, ::GetCurrentThreadId());
}

bool ForgetWaiter(HWND hWndDockBar) {
    bool bFound = false;
    for (size_t i = 0; i < g_showWaiters.size();) {
        if (g_showWaiters[i].hWndDockBar == hWndDockBar) {
            g_showWaiters.erase(g_showWaiters.begin() + i);
            bFound = true;
        } else {
            i++;
        }
    }
    Unhook();
    return bFound;
}

bool IsWaiting(HWND hWndDockBar) {
    for (const ShowWaiter& w : g_showWaiters)
        if (w.hWndDockBar == hWndDockBar)
            return true;
    return false;
}

// ---- Row items ----------------------------------------------------------------------------------

int Start(const CRect& rc, bool h) { return h ? rc.left : rc.top; }
int End(const CRect& rc, bool h) { return h ? rc.right : rc.bottom; }

// One bar as a row item: its ideal size (a whole-row bar takes the whole length), its minimum
// (non-client extents plus its own minimum, never above the ideal), where it is now.
Item MakeItem(CDockBar* pDock, CControlBar* pBar, int nAvail, bool bHorz) {
    Item item;
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    DWORD dwMode;
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        dwMode = LM_HORZ | LM_MRUWIDTH;
    else if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        dwMode = LM_HORZ | LM_HORZDOCK;
    else
        dwMode = LM_VERTDOCK;
    item.sizeIdeal = pBar->CalcDynamicLayout(-1, dwMode);
    if (pExt != NULL && pExt->IsWholeRowBar()) {
        if (bHorz)
            item.sizeIdeal.cx = nAvail;
        else
            item.sizeIdeal.cy = nAvail;
    }
    CRect rcWnd, rcClient;
    pBar->GetWindowRect(&rcWnd);
    pBar->GetClientRect(&rcClient);
    item.sizeMin = CSize(rcWnd.Width() - rcClient.Width(), rcWnd.Height() - rcClient.Height());
    if (pExt != NULL)
        item.sizeMin += pExt->GetMinSize();
    item.sizeMin.cx = std::min(item.sizeMin.cx, item.sizeIdeal.cx);
    item.sizeMin.cy = std::min(item.sizeMin.cy, item.sizeIdeal.cy);
    item.rcCurrent = rcWnd;
    pDock->ScreenToClient(&item.rcCurrent);
    item.bResizable = pExt != NULL && !pExt->IsFixedSizeBar();
    item.bStretch = pExt != NULL && pExt->CanStretchAcrossRow();
    item.pRecord = pExt != NULL ? pExt->GetDockPosRecord() : NULL;
    return item;
}

CExtControlBar::DockPos_t* RecordOf(CControlBar* pBar) {
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, pBar);
    return pExt != NULL ? pExt->GetDockPosRecord() : NULL;
}

}  // namespace

CExtDockOuterBar::CExtDockOuterBar() : CExtDockBar(0) {}

CExtDockOuterBar::~CExtDockOuterBar() {
    if (m_hWnd != NULL)
        ForgetWaiter(m_hWnd);
}

LRESULT CExtDockOuterBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (nMsg == WM_DESTROY)
        StopWaiting();
    return CExtDockBar::WindowProc(nMsg, wParam, lParam);
}

void CExtDockOuterBar::SyncBarDockPos(CControlBar* pBar) {
    CExtControlBar::DockPos_t* pRecord = RecordOf(pBar);
    if (pRecord == NULL || pBar->m_hWnd == NULL || m_hWnd == NULL)
        return;
    CRect rc;
    pBar->GetWindowRect(&rc);
    ScreenToClient(&rc);
    pRecord->m_rcPreferred = rc;
}

// ---- Layout -------------------------------------------------------------------------------------

CSize CExtDockOuterBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz) {
    HDWP hDWP = NULL;
    const CSize sizeFixed = BeginFixedLayout(bStretch, bHorz, hDWP);
    const int nAvail = AvailableLength(bHorz != FALSE);
    ExtOuterRows::Cursor cursor;
    std::vector<Item> items;
    std::vector<CControlBar*> bars;
    auto layRow = [&]() {
        if (items.empty())
            return;
        ExtOuterRows::LayoutRow(items, nAvail, bHorz != FALSE, m_bFloating != FALSE, cursor);
        for (size_t k = 0; k < items.size(); k++) {
            CControlBar* pBar = bars[k];
            const CRect& rc = items[k].rcLayout;
            if (!m_bLayoutQuery && rc != items[k].rcCurrent) {
                if (hDWP != NULL)
                    hDWP = ::DeferWindowPos(hDWP, pBar->m_hWnd, NULL, rc.left, rc.top, rc.Width(), rc.Height(),
                                            SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
                if (!m_bFloating && pBar->m_pDockContext != NULL) {
                    CRect rcScreen(rc);
                    ClientToScreen(&rcScreen);
                    pBar->m_pDockContext->m_rectMRUDockPos = rcScreen;
                }
            }
            DelayShowNow(pBar, hDWP);
        }
        items.clear();
        bars.clear();
    };
    for (int i = 0; i < (int)m_arrBars.GetSize(); i++) {
        void* pEntry = m_arrBars[i];
        if (pEntry == NULL) {
            layRow();
            continue;
        }
        if (ExtDockRows::IsPlaceholder(pEntry))
            continue;
        CControlBar* pBar = static_cast<CControlBar*>(pEntry);
        if (!pBar->IsVisible()) {
            DelayShowNow(pBar, hDWP);
            continue;
        }
        items.push_back(MakeItem(this, pBar, nAvail, bHorz != FALSE));
        bars.push_back(pBar);
    }
    layRow();
    return EndFixedLayout(hDWP, sizeFixed, cursor.sizeFixed, bStretch, bHorz);
}

bool CExtDockOuterBar::FindRowOf(CControlBar* pBar, int& nStart, int& nEnd) const {
    const int nPos = ExtDockRows::Find(m_arrBars, pBar);
    if (nPos < 1)
        return false;
    nStart = nPos;
    while (nStart > 1 && m_arrBars[nStart - 1] != NULL)
        nStart--;
    nEnd = nPos;
    while (nEnd < (int)m_arrBars.GetSize() && m_arrBars[nEnd] != NULL)
        nEnd++;
    return true;
}

void CExtDockOuterBar::PromoteBar(CControlBar* pBar) {
    CExtControlBar::DockPos_t* pRecord = RecordOf(pBar);
    int nStart, nEnd;
    if (pRecord == NULL || !FindRowOf(pBar, nStart, nEnd))
        return;
    pRecord->m_nOrder = 1;
    std::vector<CExtControlBar::DockPos_t*> recs{pRecord};
    WORD nMax = 1;
    for (int i = nStart; i < nEnd; i++) {
        void* p = m_arrBars[i];
        if (p == pBar || ExtDockRows::IsPlaceholder(p))
            continue;
        CExtControlBar::DockPos_t* pOther = RecordOf(static_cast<CControlBar*>(p));
        if (pOther == NULL)
            continue;
        if (pOther->m_nOrder != 0)
            pOther->m_nOrder++;
        nMax = std::max(nMax, pOther->m_nOrder);
        recs.push_back(pOther);
    }
    for (CExtControlBar::DockPos_t* pOther : recs)
        if (pOther->m_nOrder == 0)
            pOther->m_nOrder = ++nMax;
    if (recs.size() < 2)
        return;
    std::stable_sort(recs.begin() + 1, recs.end(),
                     [](const CExtControlBar::DockPos_t* a, const CExtControlBar::DockPos_t* b) {
                         return a->m_nOrder < b->m_nOrder;
                     });
    for (size_t i = 0; i < recs.size(); i++)
        recs[i]->m_nOrder = (WORD)(i + 1);
}

void CExtDockOuterBar::SlideBarInRow(CControlBar* pBar, int nDelta, bool* pbFull) {
    if (pbFull != NULL)
        *pbFull = false;
    int nStart, nEnd;
    if (nDelta == 0 || !FindRowOf(pBar, nStart, nEnd))
        return;
    const bool h = IsHorzSide((UINT)GetDlgCtrlID());
    const int nAvail = AvailableLength(h);
    // 1. the bars of the row as items, the slid bar's preferred place moved by the delta
    std::vector<Item> items;
    std::vector<CControlBar*> bars;
    int nThis = -1;
    for (int i = nStart; i < nEnd; i++) {
        void* p = m_arrBars[i];
        if (ExtDockRows::IsPlaceholder(p) || !static_cast<CControlBar*>(p)->IsVisible())
            continue;
        if (p == pBar)
            nThis = (int)items.size();
        items.push_back(MakeItem(this, static_cast<CControlBar*>(p), nAvail, h));
        bars.push_back(static_cast<CControlBar*>(p));
    }
    if (nThis < 0)
        return;
    CExtControlBar::DockPos_t* pRecord = items[nThis].pRecord;
    // the user slides the bar from where it shows (a preferred place it could not take is stale)
    CRect rcMoved = items[nThis].rcCurrent;
    if (h)
        rcMoved.OffsetRect(nDelta, 0);
    else
        rcMoved.OffsetRect(0, nDelta);
    if (End(rcMoved, h) >= nAvail)
        rcMoved.OffsetRect(h ? nAvail - End(rcMoved, h) : 0, h ? 0 : nAvail - End(rcMoved, h));
    if (Start(rcMoved, h) < 0)
        rcMoved.OffsetRect(h ? -Start(rcMoved, h) : 0, h ? 0 : -Start(rcMoved, h));
    if (pRecord != NULL) {
        pRecord->m_rcPreferred = rcMoved;
        if (pRecord->m_nOrder == 0)
            pRecord->m_nOrder = 1;
    } else {
        items[nThis].rcCurrent = rcMoved;
    }
    // 2. the row laid out as a query
    std::vector<Item> query(items);
    ExtOuterRows::Cursor cursor;
    const ExtOuterRows::RowResult result = ExtOuterRows::LayoutRow(query, nAvail, h, m_bFloating != FALSE, cursor);
    // 3. what the outcome means for the bar's order and preferred length
    if (!m_bLayoutQuery && pRecord != NULL) {
        bool bPromote = false, bTakeLayout = false;
        const CRect& rcLaid = query[nThis].rcLayout;
        if (!result.bFull && result.nRows == 1) {
            if (nDelta < 0) {
                bool bRoom = false;
                for (int k = 0; k <= nThis && !bRoom; k++)
                    bRoom = Start(query[k].rcLayout, h) > (k == 0 ? 0 : End(query[k - 1].rcLayout, h));
                bPromote = !bRoom;
            } else {
                bool bRoom = false;
                for (int k = nThis + 1; k < (int)query.size() && !bRoom; k++)
                    bRoom = Start(query[k].rcLayout, h) > End(query[k - 1].rcLayout, h);
                bPromote = !bRoom && End(query.back().rcLayout, h) >= nAvail;
            }
        } else if (result.bFull && result.nRows > 1) {
            bPromote = true;
        } else if (result.bFull && nThis > 0) {
            const int nLen = End(rcLaid, h) - Start(rcLaid, h);
            const int nIdeal = h ? items[nThis].sizeIdeal.cx : items[nThis].sizeIdeal.cy;
            const int nMin = h ? items[nThis].sizeMin.cx : items[nThis].sizeMin.cy;
            int& nPref = h ? pRecord->m_nPreferredWidth : pRecord->m_nPreferredHeight;
            const int nChange = nDelta < 0 ? std::min(-nDelta, nIdeal - nLen) : -std::min(nDelta, nLen - nMin);
            const int nNew = std::min(nIdeal, nLen + nChange);
            if (nChange == 0 || nNew == nPref) {
                bPromote = true;
            } else {
                if (pRecord->m_nOrder != 1)
                    PromoteBar(pBar);
                nPref = nNew;
            }
        } else if (result.bFull) {
            bTakeLayout = true;
        }
        if (bPromote)
            PromoteBar(pBar);
        if (bPromote || bTakeLayout)
            pRecord->m_rcPreferred = rcLaid;
    }
    // 4. laid out for real, and the row's bars redrawn
    if (!m_bLayoutQuery) {
        ScheduleFrameRelayout();
        for (CControlBar* p : bars)
            if (DYNAMIC_DOWNCAST(CExtControlBar, p) != NULL && p->IsWindowVisible())
                p->RedrawWindow(NULL, NULL,
                                RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
    }
    if (pbFull != NULL)
        *pbFull = result.bFull;
}

bool CExtDockOuterBar::MoveBarToRow(CControlBar* pBar, const CArray<CControlBar*, CControlBar*>& arrRowBars,
                                    int nDelta) {
    if (arrRowBars.GetSize() == 0)
        return false;
    const bool h = IsHorzSide((UINT)GetDlgCtrlID());
    auto lengthOf = [h](CControlBar* p) {
        CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, p);
        if (pExt != NULL)
            return h ? (int)pExt->GetMinSize().cx : (int)pExt->GetMinSize().cy;
        CRect rc;
        p->GetWindowRect(&rc);
        return h ? rc.Width() : rc.Height();
    };
    CRect rcClient;
    GetClientRect(&rcClient);
    int nSum = 0;
    for (INT_PTR i = 0; i < arrRowBars.GetSize(); i++)
        nSum += lengthOf(arrRowBars[i]);
    if ((h ? rcClient.Width() : rcClient.Height()) - nSum < lengthOf(pBar))
        return false;
    CRect rcBar;
    pBar->GetWindowRect(&rcBar);
    ScreenToClient(&rcBar);
    int nNewStart = Start(rcBar, h) + nDelta;
    if (nNewStart < 0) {
        nDelta -= nNewStart;
        nNewStart = 0;
    }
    // the bar goes before the bar under its new start (after it when past its middle)
    CControlBar* pBefore = NULL;
    bool bAfterLast = false;
    for (INT_PTR i = 0; i < arrRowBars.GetSize(); i++) {
        CRect rc;
        arrRowBars[i]->GetWindowRect(&rc);
        ScreenToClient(&rc);
        if (nNewStart >= Start(rc, h) && nNewStart < End(rc, h)) {
            const bool bFirstHalf = nNewStart < (Start(rc, h) + End(rc, h)) / 2;
            if (bFirstHalf)
                pBefore = arrRowBars[i];
            else if (i + 1 < arrRowBars.GetSize())
                pBefore = arrRowBars[i + 1];
            else
                bAfterLast = true;
            break;
        }
        if (Start(rc, h) >= nNewStart) {
            pBefore = arrRowBars[i];
            break;
        }
    }
    if (pBefore == NULL && !bAfterLast) {
        CRect rcLast;
        arrRowBars[arrRowBars.GetSize() - 1]->GetWindowRect(&rcLast);
        ScreenToClient(&rcLast);
        if (nNewStart < End(rcLast, h))
            return false;
        bAfterLast = true;
    }
    if (pBefore == pBar)
        return true;
    CControlBar* pLast = arrRowBars[arrRowBars.GetSize() - 1];
    const int nOld = ExtDockRows::Find(m_arrBars, pBar);
    if (nOld < 1)
        return false;
    ExtDockRows::RemoveAt(m_arrBars, nOld);
    int nAt;
    if (pBefore != NULL) {
        nAt = ExtDockRows::Find(m_arrBars, pBefore);
    } else {
        nAt = ExtDockRows::Find(m_arrBars, pLast) + 1;
    }
    if (nAt < 1) {
        ExtDockRows::AppendRow(m_arrBars, pBar);
        return false;
    }
    m_arrBars.InsertAt(nAt, pBar);
    // across to the target row, along by the delta, not over the neighbour it joins
    CRect rcTarget;
    (pBefore != NULL ? pBefore : pLast)->GetWindowRect(&rcTarget);
    ScreenToClient(&rcTarget);
    CRect rcNew(rcBar);
    if (h) {
        rcNew.OffsetRect(nDelta, rcTarget.top - rcBar.top);
        if (pBefore != NULL && rcNew.left > rcTarget.left)
            rcNew.OffsetRect(rcTarget.left - rcNew.left, 0);
        if (pBefore == NULL && rcNew.left < rcTarget.right)
            rcNew.OffsetRect(rcTarget.right - rcNew.left, 0);
    } else {
        rcNew.OffsetRect(rcTarget.left - rcBar.left, nDelta);
        if (pBefore != NULL && rcNew.top > rcTarget.top)
            rcNew.OffsetRect(0, rcTarget.top - rcNew.top);
        if (pBefore == NULL && rcNew.top < rcTarget.bottom)
            rcNew.OffsetRect(0, rcTarget.bottom - rcNew.top);
    }
    if (rcNew != rcBar)
        pBar->SetWindowPos(NULL, rcNew.left, rcNew.top, rcNew.Width(), rcNew.Height(),
                           SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOSENDCHANGING);
    return true;
}

// ---- Frame relayout -----------------------------------------------------------------------------

void CExtDockOuterBar::ScheduleFrameRelayout() {
    if (m_bRelayoutPending)
        return;
    CExtDockOuterBar* pChosen = this;
    if (GetDlgCtrlID() != AFX_IDW_DOCKBAR_TOP) {
        CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
        if (pFrame == NULL && m_hWnd != NULL)
            pFrame = GetParentFrame();
        for (UINT nSide : g_arrSides) {
            CExtDockOuterBar* pOuter =
                pFrame != NULL ? DYNAMIC_DOWNCAST(CExtDockOuterBar, GetOuterDockBar(pFrame, nSide)) : NULL;
            if (pOuter != NULL) {
                pChosen = pOuter;
                break;
            }
        }
    }
    pChosen->StartRelayout();
}

void CExtDockOuterBar::StartRelayout() {
    if (m_bRelayoutPending || m_hWnd == NULL)
        return;
    m_bRelayoutPending = true;
    RelayoutOrWait();
}

void CExtDockOuterBar::RelayoutOrWait() {
    const Attempt result = TryRelayout();
    if (result == Attempt::done) {
        StopWaiting();
        m_bRelayoutPending = false;
    } else {
        WaitForRelayout(result);
    }
}

CFrameWnd* CExtDockOuterBar::RelayoutFrame() {
    CFrameWnd* pFrame = CExtControlBar::GetDockSiteFrame(this);
    return pFrame != NULL ? pFrame : GetParentFrame();
}

CExtDockOuterBar::Attempt CExtDockOuterBar::TryRelayout() {
    CFrameWnd* pFrame = RelayoutFrame();
    if (pFrame == NULL || pFrame->m_hWnd == NULL)
        return Attempt::busy;
    if (m_bRelayoutRunning || pFrame->m_bInRecalcLayout || CExtControlBar::IsFrameStateSerializing(pFrame))
        return Attempt::busy;
    if (!pFrame->IsWindowVisible())
        return Attempt::hidden;
    m_bRelayoutRunning = true;
    pFrame->RecalcLayout(TRUE);
    m_bRelayoutRunning = false;
    return Attempt::done;
}

void CExtDockOuterBar::WaitForRelayout(Attempt why) {
    if (why == Attempt::hidden) {
        KillTimer(kRelayoutTimerId);
        WaitForShow(RelayoutFrame()->m_hWnd, m_hWnd);
    } else {
        ForgetWaiter(m_hWnd);
        SetTimer(kRelayoutTimerId, 1, NULL);
    }
}

void CExtDockOuterBar::StopWaiting() {
    if (m_hWnd == NULL)
        return;
    KillTimer(kRelayoutTimerId);
    ForgetWaiter(m_hWnd);
}

bool CExtDockOuterBar::IsRelayoutWaitingForShow() const { return m_hWnd != NULL && IsWaiting(m_hWnd); }

void CExtDockOuterBar::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kRelayoutTimerId) {
        CExtDockBar::OnTimer(nIDEvent);
        return;
    }
    if (!m_bRelayoutPending) {
        StopWaiting();
        return;
    }
    RelayoutOrWait();
}

void CExtDockOuterBar::OnLButtonDblClk(UINT nFlags, CPoint point) {
    if (CExtControlBar::IsFrameInHelpMode(this))
        return;
    CExtDockBar::OnLButtonDblClk(nFlags, point);
}

// ---- System changes -----------------------------------------------------------------------------

void CExtDockOuterBar::OnSysColorChange() {
    CExtDockBar::OnSysColorChange();
    g_PaintManager.OnSysColorChange(this);
    g_CmdManager.OnSysColorChange(this);
}

void CExtDockOuterBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CExtDockBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManager.OnSettingChange(this, uFlags, lpszSection);
    g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
}

LRESULT CExtDockOuterBar::OnDisplayChange(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = Default();
    g_PaintManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    g_CmdManager.OnDisplayChange(this, (INT)wParam, (short)LOWORD(lParam), (short)HIWORD(lParam));
    return lResult;
}

LRESULT CExtDockOuterBar::OnThemeChanged(WPARAM wParam, LPARAM lParam) {
    const LRESULT lResult = Default();
    g_PaintManager.OnThemeChanged(this, wParam, lParam);
    g_CmdManager.OnThemeChanged(this, wParam, lParam);
    return lResult;
}
