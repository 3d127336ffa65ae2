// The control bar's mouse modes: row resizing (the row splitter changes the thickness of the
// bar's whole dock row), column resizing (a column splitter moves the border between the bar and
// its neighbour) and dragging (the bar follows the mouse; the drop target is computed on each
// move). Each runs its own modal loop until its stop operation ends it. Also the mouse and
// non-client message handlers that start and end the modes, the cursor, and the prompts.
//
// The drop target of each pointer position comes from ComputeDropTarget; without the Studio look
// an outline shows it, in that look the bar moves with the pointer and markers show the places.
// "Live" resizing (bars resized at every move instead of a tracker) is not built: no bar asks for it.
#include "CExtControlBar.h"
#include "CExtBarNcAreaButton.h"
#include "CExtDockBar.h"
#include "CExtPaintManagerHolder.h"
#include "ExtBarNcGeometry.h"
#include "CExtPopupMenuWnd.h"
#include "ExtBarStandIns.h"
#include "ExtDockMarkerSet.h"
#include <windowsx.h>
#include <algorithm>
#include <cstdlib>

namespace {

// The last cursor point a mode was given (screen). Modes read it instead of GetCursorPos: right
// after an absolute move Wine may still answer the old place there.
CPoint g_ptModeCursor(0, 0);
// The tracker on the screen (screen rectangle), drawn by XOR; erased by drawing it again.
CRect g_rcTracker(0, 0, 0, 0);
bool g_bTrackerShown = false;
// Set while UpdateDraggingState runs.
bool g_bDragUpdateGuard = false;

const UINT_PTR kDragTimerId = 4100;

bool IsKeyMessage(UINT nMsg) { return nMsg >= WM_KEYFIRST && nMsg <= 0x108; }

bool IsMouseMessage(UINT nMsg) {
    return (nMsg >= WM_MOUSEFIRST && nMsg <= WM_MOUSELAST) || (nMsg >= WM_NCMOUSEMOVE && nMsg <= WM_NCMBUTTONDBLCLK);
}

// Ends every mode, drag detection included: the application lost activation, the system
// cancels modes, a context menu was asked for.
bool IsModeEndingMessage(UINT nMsg) {
    return nMsg == WM_ACTIVATEAPP || nMsg == WM_CANCELMODE || nMsg == WM_CONTEXTMENU;
}

// Ends a resize or a drag under way: the above, or the right or middle button in the client or
// non-client area (a right button's release in the client area does not).
bool IsModeCancelMessage(UINT nMsg) {
    switch (nMsg) {
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONUP:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return true;
    }
    return IsModeEndingMessage(nMsg);
}

bool IsResizeCancelMessage(UINT nMsg, BYTE nMode) {
    if (nMsg == WM_NCLBUTTONUP)
        return nMode == CExtControlBar::trackRowResizing;
    if (nMsg == WM_NCLBUTTONDOWN)
        return nMode == CExtControlBar::trackColumnResizing;
    return IsModeCancelMessage(nMsg) || IsKeyMessage(nMsg);
}

bool IsDragCancelMessage(UINT nMsg) { return nMsg == WM_NCLBUTTONUP || IsModeCancelMessage(nMsg); }

// Takes and dispatches the next message; false when it was the quit message, whose exit code
// goes to nQuitCode.
bool PumpOne(int& nQuitCode) {
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL) {
        if (pThread->PumpMessage())
            return true;
        nQuitCode = (int)pThread->m_msgCur.wParam;
        return false;
    }
    MSG msg;
    if (::GetMessageA(&msg, NULL, 0, 0) <= 0) {
        nQuitCode = (int)msg.wParam;
        return false;
    }
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
    return true;
}

// Sleeps until input is waiting. Unlike WaitMessage it also wakes for messages an earlier peek
// saw and left in the queue: WaitMessage waits for new ones only, and a loop that peeked a
// message it could not take yet then slept with work waiting.
void WaitForInput() {
    ::MsgWaitForMultipleObjectsEx(0, NULL, INFINITE, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
}

// Removes the first waiting message of the range. A pending quit message is handed out whatever
// range is asked for: it is then noted (bQuit, its code) instead of lost, and the answer is false.
bool RemoveMessage(MSG& msg, HWND hWnd, UINT nFirst, UINT nLast, bool& bQuit, int& nQuitCode) {
    if (!::PeekMessageA(&msg, hWnd, nFirst, nLast, PM_REMOVE))
        return false;
    if (msg.message == WM_QUIT && (nFirst > WM_QUIT || nLast < WM_QUIT)) {
        bQuit = true;
        nQuitCode = (int)msg.wParam;
        return false;
    }
    return true;
}

bool IsResizableExtBar(CControlBar* p) {
    CExtControlBar* pExt = DYNAMIC_DOWNCAST(CExtControlBar, p);
    return pExt != NULL && !pExt->IsFixedSizeBar();
}

}  // namespace

// ---- Drag states --------------------------------------------------------------------------------

bool CExtControlBar::InternalDraggingState_t::operator==(const InternalDraggingState_t& o) const {
    return (m_nBits & 1) == (o.m_nBits & 1) && m_eTarget == o.m_eTarget && m_nCircle == o.m_nCircle &&
           m_rcTarget == o.m_rcTarget && m_pBar == o.m_pBar && m_pTarget == o.m_pTarget &&
           (m_nBits & 2) == (o.m_nBits & 2);
}

void CExtControlBar::InternalDraggingState_t::Clear(CExtControlBar* pBar) {
    m_nBits = 1;
    m_eTarget = kindFloat;
    m_eCursor = 0;
    m_nCircle = 0;
    m_rcTarget.SetRectEmpty();
    m_pBar = pBar;
    m_pTarget = NULL;
}

void CExtControlBar::InternalDraggingState_t::Assign(const InternalDraggingState_t& o) {
    m_nBits = o.m_nBits;
    m_eTarget = o.m_eTarget;
    m_eCursor = o.m_eCursor;
    m_nCircle = o.m_nCircle;
    m_rcTarget = o.m_rcTarget;
    m_pBar = o.m_pBar;
    m_pTarget = o.m_pTarget;
}

CExtControlBar::InternalDraggingState_t& CExtControlBar::DragCandidateState() {
    static InternalDraggingState_t s_state;
    return s_state;
}

CExtControlBar::InternalDraggingState_t& CExtControlBar::DragShownState() {
    static InternalDraggingState_t s_state;
    return s_state;
}

CExtControlBar* CExtControlBar::GetCurrentDragBar() {
    const InternalDraggingState_t& shown = DragShownState();
    return shown.IsEmpty() ? NULL : shown.m_pBar;
}

// ---- Row thickness ------------------------------------------------------------------------------

int CExtControlBar::GetRowThickness() const {
    return IsDockedHorizontally() ? m_sizeDockedH.cy : m_sizeDockedV.cx;
}

void CExtControlBar::SetRowThickness(int nThickness) {
    if (IsDockedHorizontally())
        m_sizeDockedH.cy = nThickness;
    else
        m_sizeDockedV.cx = nThickness;
}

// ---- Splitters ----------------------------------------------------------------------------------

bool CExtControlBar::IsColumnSplitterActive() const {
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i] != this)
            continue;
        CExtControlBar* pNext = i + 1 < arr.GetSize() ? DYNAMIC_DOWNCAST(CExtControlBar, arr[i + 1]) : NULL;
        return !(IsMinimizedInRow() && pNext != NULL && pNext->IsMinimizedInRow());
    }
    return true;
}

bool CExtControlBar::IsLeadingSplitterActive() const {
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i] != this)
            continue;
        CExtControlBar* pPrev = i > 0 ? DYNAMIC_DOWNCAST(CExtControlBar, arr[i - 1]) : NULL;
        if (i > 0 && (pPrev == NULL || !pPrev->IsMinimizedInRow()))
            return true;
        break;
    }
    return !IsMinimizedInRow();
}

// ---- Trackers -----------------------------------------------------------------------------------

void CExtControlBar::DrawTrackerRect(const CRect& rcScreen) {
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL || pFrame->GetSafeHwnd() == NULL || rcScreen.IsRectEmpty())
        return;
    CRect rcFrame;
    pFrame->GetWindowRect(&rcFrame);
    CRect rc(rcScreen);
    rc.OffsetRect(-rcFrame.TopLeft());
    HDC hDC = ::GetDCEx(pFrame->m_hWnd, NULL, DCX_WINDOW | DCX_CACHE | DCX_CLIPSIBLINGS | DCX_LOCKWINDOWUPDATE);
    if (hDC == NULL)
        return;
    CBrush* pBrush = CDC::GetHalftoneBrush();
    HGDIOBJ hOld = ::SelectObject(hDC, pBrush != NULL ? pBrush->m_hObject : ::GetStockObject(GRAY_BRUSH));
    ::PatBlt(hDC, rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(pFrame->m_hWnd, hDC);
}

void CExtControlBar::DrawRowTracker(BOOL bErase) {
    if (bErase) {
        if (g_bTrackerShown)
            DrawTrackerRect(g_rcTracker);
        g_bTrackerShown = false;
        return;
    }
    if (m_pDockBar == NULL)
        return;
    CRect rcDock;
    m_pDockBar->GetWindowRect(&rcDock);
    const int nStart = m_nTrackerOffset - m_nSeparatorHeight / 2;
    CRect rc = IsDockedHorizontally() ? CRect(rcDock.left, nStart, rcDock.right, nStart + m_nSeparatorHeight)
                                      : CRect(nStart, rcDock.top, nStart + m_nSeparatorHeight, rcDock.bottom);
    DrawTrackerRect(rc);
    g_rcTracker = rc;
    g_bTrackerShown = true;
}

void CExtControlBar::DrawColumnTracker(BOOL bErase) {
    if (bErase) {
        DrawRowTracker(TRUE);
        return;
    }
    CRect rcBar;
    GetWindowRect(&rcBar);
    const bool bHorz = IsDockedHorizontally();
    const CRect& rcSplitter = (m_nStates & 2) ? m_rcRowRecalcUp : m_rcRowRecalc;
    const int nThickness = std::max(bHorz ? rcSplitter.Width() : rcSplitter.Height(), 1);
    const int nStart = m_nTrackerOffset - nThickness / 2;
    CRect rc = bHorz ? CRect(nStart, rcBar.top, nStart + nThickness, rcBar.bottom)
                     : CRect(rcBar.left, nStart, rcBar.right, nStart + nThickness);
    DrawTrackerRect(rc);
    g_rcTracker = rc;
    g_bTrackerShown = true;
}

// ---- Row and column resizing --------------------------------------------------------------------

void CExtControlBar::RowResizingStart() { RunResizeLoop(trackRowResizing); }

void CExtControlBar::ColumnResizingStart() { RunResizeLoop(trackColumnResizing); }

void CExtControlBar::RunResizeLoop(BYTE nMode) {
    CWnd::CancelToolTips();
    m_nTracking |= nMode;
    ::SetCapture(m_hWnd);
    const bool bHorz = IsDockedHorizontally();
    if (nMode == trackRowResizing) {
        m_nTrackerOffset = bHorz ? g_ptModeCursor.y : g_ptModeCursor.x;
        m_nMetricOffset = GetRowThickness();
        DrawRowTracker(FALSE);
    } else {
        m_nTrackerOffset = bHorz ? g_ptModeCursor.x : g_ptModeCursor.y;
        m_nMetricOffset = 0;
        DrawColumnTracker(FALSE);
    }
    const HWND hWnd = m_hWnd;
    // the object may go with its window: test the handle before touching a member
    auto running = [&] { return ::IsWindow(hWnd) && (m_nTracking & nMode) != 0; };
    auto stop = [&] {
        if (nMode == trackRowResizing)
            RowResizingStop(TRUE);
        else
            ColumnResizingStop(TRUE);
    };
    while (running()) {
        MSG msg;
        bool bEnded = false;
        while (running() && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            if (IsResizeCancelMessage(msg.message, nMode)) {
                stop();
                bEnded = true;
                break;
            }
            int nQuitCode = 0;
            if (!PumpOne(nQuitCode)) {
                // The application is to end: with a quit pending the wait never blocks, so
                // the mode ends here and the quit goes on to the application's loop.
                if (running())
                    stop();
                ::PostQuitMessage(nQuitCode);
                return;
            }
        }
        if (bEnded || !running())
            break;
        WaitForInput();
    }
}

bool CExtControlBar::EndResizeMode(BYTE nMode) {
    if ((m_nTracking & nMode) == 0)
        return false;
    m_nTracking &= ~nMode;
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return true;
}

void CExtControlBar::RowResizingUpdate() {
    CFrameWnd* pFrame = GetDockSiteFrame(this);
    if (pFrame == NULL)
        return;
    const bool bHorz = IsDockedHorizontally();
    CRect rcFrame, rcBar;
    pFrame->GetWindowRect(&rcFrame);
    GetWindowRect(&rcBar);
    const int nMin = bHorz ? GetMinExtentVert() : GetMinExtentHorz();
    const int nFrameExtent = bHorz ? rcFrame.Height() : rcFrame.Width();
    if (nFrameExtent - nMin <= 0 || nMin <= 0)
        return;
    const CPoint& cur = g_ptModeCursor;
    const int d = bHorz ? cur.y - rcBar.top : cur.x - rcBar.left;
    int nThickness = ExtBarNcGeometry::RowThicknessAt(d, m_nSeparatorHeight, GetRowThickness(),
                                                      IsDockedAtTop() || IsDockedAtLeft());
    nThickness = ExtBarNcGeometry::ClampRowThickness(nThickness, nMin, nFrameExtent);
    m_nMetricOffset = nThickness;
    if (nThickness == GetRowThickness())
        return;
    DrawRowTracker(TRUE);
    m_nTrackerOffset = bHorz ? cur.y : cur.x;
    DrawRowTracker(FALSE);
}

void CExtControlBar::RowResizingStop(BOOL bCancel) {
    if (!EndResizeMode(trackRowResizing))
        return;
    DrawRowTracker(TRUE);
    if (!bCancel && m_nMetricOffset != GetRowThickness()) {
        CArray<CControlBar*, CControlBar*> arr;
        GetRowBars(arr);
        int nOld = -1;
        for (INT_PTR i = 0; i < arr.GetSize(); i++) {
            if (!IsResizableExtBar(arr[i]))
                continue;
            CExtControlBar* pBar = static_cast<CExtControlBar*>(arr[i]);
            if (nOld < 0)
                nOld = pBar->GetRowThickness();
            pBar->SetRowThickness(m_nMetricOffset);
        }
        // the inner neighbour row gives or takes what this row took or gave
        const int nDiff = nOld - m_nMetricOffset;
        CArray<CControlBar*, CControlBar*> arrNext;
        GetAdjacentRowBars(IsDockedAtTop() || IsDockedAtLeft(), arrNext);
        for (INT_PTR i = 0; i < arrNext.GetSize(); i++) {
            if (!IsResizableExtBar(arrNext[i]))
                continue;
            CExtControlBar* pBar = static_cast<CExtControlBar*>(arrNext[i]);
            pBar->SetRowThickness(pBar->GetRowThickness() + nDiff);
        }
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->RecalcLayout();
    }
    if (m_pDockBar != NULL && m_pDockBar->GetSafeHwnd() != NULL)
        m_pDockBar->RedrawWindow(NULL, NULL,
                                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME);
}

void CExtControlBar::ColumnResizingUpdate() {
    const bool bHorz = IsDockedHorizontally();
    CRect rcBar;
    GetWindowRect(&rcBar);
    const CPoint& cur = g_ptModeCursor;
    const int d = bHorz ? cur.x - rcBar.left : cur.y - rcBar.top;
    const bool bLeading = (m_nStates & 2) != 0;
    const CRect& rcSplitter = bLeading ? m_rcRowRecalcUp : m_rcRowRecalc;
    const int nSeparator = bHorz ? rcSplitter.Width() : rcSplitter.Height();
    const int nLength = GetLengthInRow();
    const int nNew = ExtBarNcGeometry::ColumnLengthAt(d, nSeparator, nLength, GetMinLengthInRow(), bLeading);
    const int nOldValue = m_nMetricOffset;
    m_nMetricOffset = nLength - nNew;
    if (m_nMetricOffset == nOldValue)
        return;
    DrawColumnTracker(TRUE);
    m_nTrackerOffset = bHorz ? cur.x : cur.y;
    DrawColumnTracker(FALSE);
}

void CExtControlBar::ColumnResizingStop(BOOL bCancel) {
    if (!EndResizeMode(trackColumnResizing))
        return;
    DrawColumnTracker(TRUE);
    if (bCancel || m_nMetricOffset == 0)
        return;
    CArray<CControlBar*, CControlBar*> arr;
    GetRowBars(arr);
    CExtControlBar* pNeighbour = NULL;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i] != this)
            continue;
        const INT_PTR n = (m_nStates & 2) ? i - 1 : i + 1;
        if (n >= 0 && n < arr.GetSize() && IsResizableExtBar(arr[n]))
            pNeighbour = static_cast<CExtControlBar*>(arr[n]);
        break;
    }
    if (pNeighbour == NULL)
        return;
    int nLength = GetLengthInRow(), nOther = pNeighbour->GetLengthInRow();
    ExtBarNcGeometry::ApplyColumnResize(nLength, GetMinLengthInRow(), nOther, pNeighbour->GetMinLengthInRow(),
                                        m_nMetricOffset);
    pNeighbour->SetLengthInRow(nOther);
    SetLengthInRow(nLength);
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
}

// ---- The drag loop ------------------------------------------------------------------------------

void CExtControlBar::DraggingStart(const POINT* pptScreen, const POINT* pptGrabOffset, int cxThreshold,
                                   int cyThreshold) {
    if (m_hWnd == NULL || pptScreen == NULL)
        return;
    // a drag would move bars the frame's layout save or load is walking
    if (IsFrameStateSerializing(GetDockSiteFrame(this)))
        return;
    const HWND hWnd = m_hWnd;
    const CPoint ptStart(*pptScreen);
    MSG msg;
    bool bQuit = false;
    int nQuitCode = 0;
    while (RemoveMessage(msg, NULL, WM_KEYFIRST, 0x108, bQuit, nQuitCode)) {
    }
    if (bQuit) {
        ::PostQuitMessage(nQuitCode);
        return;
    }
    ::SetCapture(hWnd);
    if (cxThreshold >= 1 && cyThreshold >= 1) {
        // drag detection: the drag starts when the mouse moved far enough with the button down
        bool bStart = false, bAbort = false;
        while (!bStart && !bAbort) {
            while (!bStart && !bAbort && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
                const UINT nMsg = msg.message;
                if (!::IsWindow(hWnd) || ::GetCapture() != hWnd || IsModeEndingMessage(nMsg)) {
                    bAbort = true;
                } else if (msg.hwnd == hWnd && nMsg == WM_MOUSEMOVE) {
                    CPoint pt(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
                    ::ClientToScreen(hWnd, &pt);
                    if (std::abs(pt.x - ptStart.x) >= cxThreshold || std::abs(pt.y - ptStart.y) >= cyThreshold)
                        bStart = true;
                    else
                        // taken by the window it was queued for: a move queued for another
                        // window before the capture was taken would else stay first for ever
                        RemoveMessage(msg, msg.hwnd, WM_MOUSEMOVE, WM_MOUSEMOVE, bQuit, nQuitCode);
                } else if (IsKeyMessage(nMsg)) {
                    if (nMsg == WM_KEYDOWN && msg.wParam == VK_CONTROL)
                        RemoveMessage(msg, msg.hwnd, nMsg, nMsg, bQuit, nQuitCode);
                    else
                        bAbort = true;
                } else if (IsMouseMessage(nMsg)) {
                    bAbort = true;
                } else if (!PumpOne(nQuitCode)) {
                    bQuit = true;
                }
                if (bQuit) {
                    if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
                        ::ReleaseCapture();
                    ::PostQuitMessage(nQuitCode);
                    return;
                }
            }
            if (!bStart && !bAbort) {
                if (!::IsWindow(hWnd) || ::GetCapture() != hWnd)
                    bAbort = true;
                else
                    WaitForInput();
            }
        }
        if (bAbort) {
            if (::IsWindow(hWnd) && ::GetCapture() == hWnd)
                ::ReleaseCapture();
            return;
        }
    }
    InternalDraggingState_t& candidate = DragCandidateState();
    InternalDraggingState_t& shown = DragShownState();
    candidate.Clear(this);
    shown.Clear(this);
    OnTrackingBegin();
    m_nTracking |= trackDragging;
    // where the bar is held: the caption's middle, or what the caller gives for the present state
    const int t = std::min(m_rcGrip.Width(), m_rcGrip.Height());
    const CPoint ptGrab = t >= 3 ? CPoint(t, t / 2)
                                 : CPoint(::GetSystemMetrics(SM_CYSMCAPTION) / 2, ::GetSystemMetrics(SM_CYSMCAPTION) / 2);
    m_ptHelperDragOffsetFloated = m_ptHelperDragOffsetDockedH = m_ptHelperDragOffsetDockedV = ptGrab;
    if (pptGrabOffset != NULL && (pptGrabOffset->x != 0 || pptGrabOffset->y != 0)) {
        if (IsFloating())
            m_ptHelperDragOffsetFloated = *pptGrabOffset;
        else if (IsDockedHorizontally())
            m_ptHelperDragOffsetDockedH = *pptGrabOffset;
        else
            m_ptHelperDragOffsetDockedV = *pptGrabOffset;
    }
    if (g_PaintManager->IsStudioStyle() && !IsFixedSizeBar() && !IsFixedModeBar()) {
        // the bar floats at once and follows the pointer; the markers are made, hidden
        UpdateDraggingState(&ptStart, ::GetKeyState(VK_CONTROL) < 0);
        if (!candidate.IsEmpty() && candidate.m_eTarget == dropFloat && ::IsWindow(hWnd))
            ApplyDraggingState(candidate, false);
        if (CFrameWnd* pSite = GetDockSiteFrame(this)) {
            ExtDockMarkerSet::ShowFrameMarkers(pSite, false);
            ExtDockMarkerSet::UpdateBarMarkers(pSite, false);
        }
    } else {
        UpdateDraggingState(&ptStart, ::GetKeyState(VK_CONTROL) < 0);
    }
    if (!::IsWindow(hWnd))
        return;
    SetTimer(kDragTimerId, 50, NULL);
    if ((m_nTracking & trackDragging) == 0) {
        ::KillTimer(hWnd, kDragTimerId);
        return;
    }
    auto running = [&] { return ::IsWindow(hWnd) && (m_nTracking & trackDragging) != 0; };
    while (running()) {
        bool bEnded = false;
        while (!bEnded && running() && ::PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            const UINT nMsg = msg.message;
            bool bPump = false;
            if (IsDragCancelMessage(nMsg)) {
                DraggingStop(TRUE);
                bEnded = true;
            } else if (nMsg == WM_TIMER && msg.hwnd == hWnd && msg.wParam == kDragTimerId) {
                // the target follows also a mouse at rest (the Ctrl key may have changed)
                if (RemoveMessage(msg, hWnd, WM_TIMER, WM_TIMER, bQuit, nQuitCode)) {
                    CPoint pt;
                    ::GetCursorPos(&pt);
                    ::ScreenToClient(hWnd, &pt);
                    ::PostMessageA(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
                }
            } else if (nMsg == WM_TIMER) {
                bPump = true;
            } else if (nMsg == WM_MOUSEMOVE) {
                // moves that queued up are taken together: only the last one counts
                MSG last = msg;
                while (RemoveMessage(msg, NULL, WM_MOUSEMOVE, WM_MOUSEMOVE, bQuit, nQuitCode))
                    last = msg;
                CPoint pt(GET_X_LPARAM(last.lParam), GET_Y_LPARAM(last.lParam));
                if (last.hwnd != hWnd && last.hwnd != NULL)
                    ::MapWindowPoints(last.hwnd, hWnd, &pt, 1);
                OnMouseClickEvent((UINT)last.wParam, pt.x, pt.y);
            } else if (IsKeyMessage(nMsg) && !g_bDragUpdateGuard) {
                if ((nMsg == WM_KEYDOWN || nMsg == WM_KEYUP) && msg.wParam == VK_CONTROL) {
                    CPoint pt;
                    ::GetCursorPos(&pt);
                    if (m_ptDraggingLast == pt)
                        m_ptDraggingLast.x = pt.x - 1;
                    ::ScreenToClient(hWnd, &pt);
                    ::PostMessageA(hWnd, WM_MOUSEMOVE, nMsg == WM_KEYDOWN ? 0x11 : 0, MAKELPARAM(pt.x, pt.y));
                    bPump = true;
                } else {
                    DraggingStop(TRUE);   // Escape or any other key
                    bEnded = true;
                }
            } else if (IsKeyMessage(nMsg)) {
                bPump = true;
            } else if (::GetCapture() == hWnd && ::GetKeyState(VK_LBUTTON) < 0 && ::GetKeyState(VK_RBUTTON) >= 0 &&
                       ::GetKeyState(VK_MBUTTON) >= 0) {
                bPump = true;   // so the button's release reaches the bar and ends the drag
            } else {
                DraggingStop(TRUE);
                bEnded = true;
            }
            if (bPump && !PumpOne(nQuitCode))
                bQuit = true;
            if (bQuit) {
                // the application is to end: no loop of ours may keep its quit message
                if (running())
                    DraggingStop(TRUE);
                if (::IsWindow(hWnd))
                    ::KillTimer(hWnd, kDragTimerId);
                ::PostQuitMessage(nQuitCode);
                return;
            }
        }
        if (bEnded || !running())
            break;
        WaitForInput();
    }
    if (::IsWindow(hWnd))
        ::KillTimer(hWnd, kDragTimerId);
}

void CExtControlBar::UpdateDraggingState(const POINT* pptScreen, BOOL bCtrlDown) {
    if (g_bDragUpdateGuard || pptScreen == NULL || m_ptDraggingLast == CPoint(*pptScreen))
        return;
    m_ptDraggingLast = *pptScreen;
    g_bDragUpdateGuard = true;
    const HWND hWnd = m_hWnd;
    InternalDraggingState_t& candidate = DragCandidateState();
    InternalDraggingState_t& shown = DragShownState();
    const bool bMarkers = g_PaintManager->IsStudioStyle() && !IsFixedSizeBar() && !IsFixedModeBar();
    CFrameWnd* pSite = GetDockSiteFrame(this);
    ComputeDropTarget(candidate, pptScreen->x, pptScreen->y, bCtrlDown != FALSE);
    if (candidate != shown) {
        CExtPaintManager::PassPaintMessages();
        if (!shown.IsEmpty())
            DrawTrackingOutline(shown, true);
        if (!candidate.IsEmpty())
            DrawTrackingOutline(candidate, false);
        CExtPaintManager::PassPaintMessages();
        if (IsShowContentWhileDragging()) {
            if (bMarkers && pSite != NULL) {
                ExtDockMarkerSet::UpdateBarMarkers(pSite, false);
                ExtDockMarkerSet::ShowAllMarkers(!bCtrlDown);
            }
            if (!candidate.IsEmpty() && ::IsWindow(hWnd))
                ApplyDraggingState(candidate, false);
        }
        shown.Assign(candidate);
    } else if (bCtrlDown) {
        ExtDockMarkerSet::ShowAllMarkers(false);
    } else if (bMarkers && pSite != NULL) {
        ExtDockMarkerSet::UpdateBarMarkers(pSite, false);
        ExtDockMarkerSet::ShowAllMarkers(true);
    }
    if (::IsWindow(hWnd) && ::GetCapture() != hWnd)
        ::SetCapture(hWnd);
    g_bDragUpdateGuard = false;
}

void CExtControlBar::DraggingStop(BOOL bCancel) {
    // the markers and their owner window go at every end of a drag
    ExtDockMarkerSet::DestroyAllMarkers();
    if ((m_nTracking & trackDragging) == 0)
        return;
    m_nTracking &= ~trackDragging;
    m_ptDraggingLast.SetPoint(-1, -1);
    const HWND hWnd = m_hWnd;
    InternalDraggingState_t& candidate = DragCandidateState();
    InternalDraggingState_t& shown = DragShownState();
    if (g_PaintManager->IsStudioStyle())
        bCancel = FALSE;   // the bar is already where the drag left it
    if (!candidate.IsEmpty()) {
        CExtPaintManager::PassPaintMessages();
        DrawTrackingOutline(candidate, true);
        OnTrackingEnd(shown, candidate, bCancel);
        if (!bCancel && (!IsShowContentWhileDragging() || (shown.IsEmpty() && shown != candidate) ||
                         g_PaintManager->IsStudioStyle())) {
            // the drop: the shown state stays set while it runs (the bar is still the one dragged)
            InternalDraggingState_t drop(this);
            drop.Assign(candidate);
            if (hWnd != NULL && ::IsWindow(hWnd))
                ApplyDraggingState(drop, true);
        }
    }
    candidate.Clear(NULL);
    shown.Clear(NULL);
    if (hWnd != NULL && ::IsWindow(hWnd)) {
        if (::GetCapture() == hWnd)
            ::ReleaseCapture();
        if (IsFloating() && !IsShowContentWhileDragging())
            RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        if (CFrameWnd* pSite = GetDockSiteFrame(this))
            pSite->DelayRecalcLayout();
    }
}

// ---- Prompts and the cursor ---------------------------------------------------------------------

void CExtControlBar::OnTrackingBegin() {
    CWnd::CancelToolTips();
    CExtPopupMenuWnd::CancelMenuTracking();
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, 30057);
}

void CExtControlBar::OnTrackingEnd(const InternalDraggingState_t&, const InternalDraggingState_t&, BOOL) {
    if (CWnd* pOwner = GetOwner())
        pOwner->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

void CExtControlBar::SetCursorAtPoint(const POINT* pptClient) {
    if (pptClient == NULL || m_hWnd == NULL || IsFrameInHelpMode(m_pDockSite != NULL ? (CWnd*)m_pDockSite : this))
        return;
    HCURSOR hClass = (HCURSOR)::GetClassLongPtrA(m_hWnd, GCLP_HCURSOR);
    HCURSOR hCursor = NULL;
    const bool bHorz = IsDockedHorizontally();
    if (m_nOptions & optInDialog) {
        hCursor = hClass;
    } else if (m_nTracking & trackDragging) {
        const DWORD eCursor = DragShownState().m_eCursor;
        hCursor = !IsFixedSizeBar() ? hClass
                  : ::LoadCursorA(NULL, (LPCSTR)(eCursor == 1 ? IDC_SIZEWE : eCursor == 2 ? IDC_SIZENS : IDC_SIZEALL));
    } else if (m_nTracking & (trackRowResizing | trackColumnResizing)) {
        const bool bColumn = (m_nTracking & trackColumnResizing) != 0;
        hCursor = ::LoadCursorA(NULL, (LPCSTR)(bColumn == bHorz ? IDC_SIZEWE : IDC_SIZENS));
    } else if (IsFloating()) {
        hCursor = hClass;
    } else {
        CPoint pt(*pptClient);
        ClientToScreen(&pt);
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        pt -= rcWindow.TopLeft();
        if (m_rcGrip.PtInRect(pt)) {
            for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize() && hCursor == NULL; i++)
                if (m_arrCaptionButtons[i]->IsShown())
                    hCursor = m_arrCaptionButtons[i]->GetCursor(pt);
            if (hCursor == NULL)
                hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_SIZEALL);
        } else {
            hCursor = hClass;
        }
    }
    if (hCursor != NULL && hCursor != ::GetCursor())
        ::SetCursor(hCursor);
}

bool CExtControlBar::OnMouseClickEvent(UINT nFlags, int x, int y) {
    (void)nFlags;
    CPoint pt(x, y);
    SetCursorAtPoint(&pt);
    if (m_nStates & 4)
        return true;
    CPoint ptScreen(pt);
    ClientToScreen(&ptScreen);
    if (m_nTracking & trackRowResizing) {
        g_ptModeCursor = ptScreen;
        RowResizingUpdate();
        return true;
    }
    if (m_nTracking & trackColumnResizing) {
        g_ptModeCursor = ptScreen;
        ColumnResizingUpdate();
        return true;
    }
    if (m_nTracking & trackDragging) {
        UpdateDraggingState(&ptScreen, ::GetKeyState(VK_CONTROL) < 0);
        return true;
    }
    return false;
}

// ---- Message handlers ---------------------------------------------------------------------------

bool CExtControlBar::HandleNcAndMouseMessage(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT& lResult) {
    lResult = 0;
    const bool bFramed = m_pDockBar != NULL || (m_nOptions & optInDialog) != 0;
    switch (nMsg) {
    case WM_NCCALCSIZE:
        if (!bFramed)
            return false;
        NcCalcSize(reinterpret_cast<RECT*>(lParam));
        return true;
    case WM_NCHITTEST:
        lResult = NcHitTest(CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)));
        return true;
    case WM_NCPAINT:
        if (!bFramed)
            return false;
        NcPaint();
        return true;
    case WM_NCDESTROY:
        DestroyCaptionButtons();
        return false;
    case WM_NCLBUTTONDOWN: {
        // the bar's own codes (splitters, caption buttons) must never reach the system's sizing
        // and caption-button loops
        if (IsFixedSizeBar() || IsFloating())
            return true;
        const CPoint ptScreen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (wParam != HTLEFT && wParam != HTBOTTOM && !IsMinimizedInRow()) {
            CExtBarNcAreaButton* pBtn = NULL;
            HitTestCaptionButtons(ptScreen, &pBtn);
            if (pBtn == NULL)
                SetFocus();
        }
        if (!::IsWindow(m_hWnd))
            return true;
        CPoint pt;
        if (!NcPointFromScreen(ptScreen, pt))
            return true;
        g_ptModeCursor = ptScreen;
        if (m_rcRowResize.PtInRect(pt)) {
            RowResizingStart();
        } else if (m_rcRowRecalc.PtInRect(pt)) {
            m_nStates &= ~2;
            if (IsColumnSplitterActive())
                ColumnResizingStart();
        } else if (m_rcRowRecalcUp.PtInRect(pt) && IsLeadingSplitterActive()) {
            m_nStates |= 2;
            ColumnResizingStart();
        }
        return true;
    }
    case WM_NCLBUTTONUP:
        if (m_nStates & 4) {
            // a caption button was hot: it gets the click
            CRect rcWindow;
            GetWindowRect(&rcWindow);
            const CPoint pt = CPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)) - rcWindow.TopLeft();
            const HWND hWnd = m_hWnd;
            for (INT_PTR i = 0; i < m_arrCaptionButtons.GetSize(); i++) {
                CExtBarNcAreaButton* pBtn = m_arrCaptionButtons[i];
                if (pBtn->IsShown() && pBtn->Click(pt))
                    break;
            }
            if (::IsWindow(hWnd)) {
                m_nStates &= ~4;
                PostMessage(WM_NCPAINT);
            }
            return true;
        }
        if (m_nTracking & trackRowResizing) {
            RowResizingStop(FALSE);
            return true;
        }
        if (m_nTracking & trackColumnResizing) {
            ColumnResizingStop(FALSE);
            return true;
        }
        return false;
    case WM_LBUTTONUP:
        if (m_nTracking & trackRowResizing) {
            RowResizingStop(FALSE);
            return true;
        }
        if (m_nTracking & trackColumnResizing) {
            ColumnResizingStop(FALSE);
            return true;
        }
        if (m_nTracking & trackDragging) {
            DraggingStop(FALSE);
            return true;
        }
        return false;
    case WM_LBUTTONDOWN: {
        if (m_pDockBar == NULL || CExtPopupMenuWnd::IsAnyMenuTracked())
            return false;
        // a tool bar is dragged by the tool-bar drag path, not by this loop
        if (IsFixedSizeBar() && !IsShowContentWhileDragging())
            return false;
        CPoint ptScreen(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        ClientToScreen(&ptScreen);
        if (!IsFixedSizeBar())
            SetFocus();
        if (!::IsWindow(m_hWnd))
            return true;
        CRect rcWindow;
        GetWindowRect(&rcWindow);
        const CPoint ptGrab = ptScreen - rcWindow.TopLeft();
        DraggingStart(&ptScreen, &ptGrab, 1, 1);
        return true;
    }
    case WM_MOUSEMOVE:
        return OnMouseClickEvent((UINT)wParam, GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    case WM_CANCELMODE:
        RowResizingStop(TRUE);
        ColumnResizingStop(TRUE);
        DraggingStop(TRUE);
        CExtPopupMenuWnd::CancelMenuTracking();
        CWnd::CancelToolTips();
        if (m_nStates & 4) {
            m_nStates &= ~4;
            PostMessage(WM_NCPAINT);
        }
        return false;
    case WM_CAPTURECHANGED:
        RowResizingStop(TRUE);
        ColumnResizingStop(TRUE);
        return false;
    }
    return false;
}
