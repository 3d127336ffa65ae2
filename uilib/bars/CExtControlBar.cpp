// The control bar's core: construction and the list of all bars, creation and naming, the frame
// set-up, the window procedure, the docking-side queries and the command-UI update.
#include "CExtControlBar.h"
#include "CExtMiniDockFrameWnd.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "CExtPaintManagerHolder.h"
#include "CExtCmdManager.h"
#include "CExtCmdItem.h"
#include "CExtResourceManager.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include <CSingleLock.h>
#include <algorithm>

IMPLEMENT_DYNCREATE(CExtControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CExtControlBar, CControlBar)
    ON_WM_SIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_SETTINGCHANGE()
    ON_WM_RBUTTONUP()
    ON_WM_NCRBUTTONUP()
    ON_WM_CONTEXTMENU()
    ON_WM_SHOWWINDOW()
    ON_MESSAGE(WM_HELPHITTEST, OnHelpHitTest)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

const UINT CExtControlBar::g_nMsgQueryRepositionCalcEffect =
    ::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryRepositionCalcEffect");
const UINT CExtControlBar::g_nMsgQueryIcon = ::RegisterWindowMessageA("CExtControlBar::g_nMsgQueryIcon");
const UINT CExtControlBar::g_nMsgPutToPopupMenu = ::RegisterWindowMessageA("CExtControlBar::g_nMsgPutToPopupMenu");
const UINT CExtControlBar::g_nMsgConstructPopupMenu =
    ::RegisterWindowMessageA("CExtControlBar::g_nMsgConstructPopupMenu");
const UINT CExtControlBar::g_nMsgDrawTackedArea = ::RegisterWindowMessageA("CExtControlBar::g_nMsgDrawTackedArea");

namespace {

const char kBarClassName[] = "OrvelUI-ControlBar";

// The list of every bar alive, in order of construction, and its lock. Made on first use so
// that bars made during static initialisation find them.
CArray<CExtControlBar*, CExtControlBar*>& AllBars() {
    static CArray<CExtControlBar*, CExtControlBar*> s_arr;
    return s_arr;
}
CCriticalSection& AllBarsLock() {
    static CCriticalSection s_cs;
    return s_cs;
}

// The CBRS_ bits of a side's dock bar id.
DWORD SideStyle(UINT nDockBarID) {
    switch (nDockBarID) {
    case AFX_IDW_DOCKBAR_TOP: return CBRS_TOP;
    case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_BOTTOM;
    case AFX_IDW_DOCKBAR_LEFT: return CBRS_LEFT;
    case AFX_IDW_DOCKBAR_RIGHT: return CBRS_RIGHT;
    }
    return 0;
}

int SmCaption() { return ::GetSystemMetrics(SM_CYSMCAPTION); }

}  // namespace

// ---- Construction and the list of bars ----------------------------------------------------------

CExtControlBar::CExtControlBar()
    : m_nOptions(optHorzCaption | optFrameLayout | optInBarsMenu),
      m_nCaptionHeight(SmCaption() + 1),
      m_nGripperWidth(SmCaption() + 1),
      m_nSeparatorHeight(std::min(::GetSystemMetrics(SM_CYFRAME), 4)),
      m_nSeparatorWidth(std::min(::GetSystemMetrics(SM_CXFRAME), 4)),
      m_nMinHW(SmCaption() + std::min(::GetSystemMetrics(SM_CYFRAME), 4) + 1),
      m_nMinVH(SmCaption() + std::min(::GetSystemMetrics(SM_CYFRAME), 4) + 1),
      m_nTrackerOffset(0),
      m_nMetricOffset(0),
      m_sizeDockedH(200, 150),
      m_sizeDockedV(150, 200),
      m_sizeFloated(200, 200),
      m_rcGrip(0, 0, 0, 0),
      m_rcRowResize(0, 0, 0, 0),
      m_rcRowRecalc(0, 0, 0, 0),
      m_rcRowRecalcUp(0, 0, 0, 0),
      m_nTracking(trackFitChild),
      m_nDelayedRowUpdateMetric(0),
      m_ptFloatHelper(0, 0),
      m_ptHelperDragOffsetFloated(0, 0),
      m_ptHelperDragOffsetDockedH(0, 0),
      m_ptHelperDragOffsetDockedV(0, 0),
      m_nStates(0),
      m_ptDraggingLast(-1, -1) {
    RegisterBarWindowClass();
    CSingleLock lock(&AllBarsLock(), TRUE);
    AllBars().Add(this);
}

CExtControlBar::~CExtControlBar() {
    CSingleLock lock(&AllBarsLock(), TRUE);
    CArray<CExtControlBar*, CExtControlBar*>& arr = AllBars();
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        if (arr[i] == this) {
            arr.RemoveAt(i);
            break;
        }
    }
}

void CExtControlBar::GetAllBars(CArray<CExtControlBar*, CExtControlBar*>& arr) {
    CSingleLock lock(&AllBarsLock(), TRUE);
    arr.Copy(AllBars());
}

CCriticalSection& CExtControlBar::GetAllBarsLock() { return AllBarsLock(); }

INT_PTR CExtControlBar::GetAllBarsCount() {
    CSingleLock lock(&AllBarsLock(), TRUE);
    return AllBars().GetSize();
}

// ---- Window class and creation ------------------------------------------------------------------

bool CExtControlBar::RegisterLibraryWindowClass(LPCSTR lpszClassName, UINT nClassStyle) {
    WNDCLASSA wc = {};
    wc.style = nClassStyle;
    wc.lpfnWndProc = ::DefWindowProcA;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW);
    wc.lpszClassName = lpszClassName;
    return AfxRegisterClass(&wc) != FALSE;   // a class already there counts as registered
}

bool CExtControlBar::RegisterBarWindowClass() {
    static bool s_bRegistered = false;
    if (!s_bRegistered)
        s_bRegistered = RegisterLibraryWindowClass(kBarClassName);
    return s_bRegistered;
}

BOOL CExtControlBar::PreCreateWindow(CREATESTRUCT& cs) {
    if (!RegisterBarWindowClass() || !CControlBar::PreCreateWindow(cs))
        return FALSE;
    cs.lpszClass = kBarClassName;
    return TRUE;
}

CString CExtControlBar::BarNameFromCommand(CWnd* pParentWnd, UINT nID) {
    CString strName;
    if (nID == 0 || nID == 0xFFFFFFFF)
        return strName;
    const CExtCmdManager::ProfileName profile = pParentWnd->GetSafeHwnd() != NULL
        ? g_CmdManager->ProfileNameFromWnd(pParentWnd->m_hWnd) : CExtCmdManager::ProfileName();
    CExtCmdItem* pCmd = profile.IsFound() ? g_CmdManager->GetCommand(profile, nID) : NULL;
    if (pCmd != NULL)
        strName = pCmd->m_sMenuText;
    else if (!g_ResourceManager->LoadStringDefault(strName, nID))
        strName.Empty();
    // a mnemonic means nothing in a bar's name (the bars menu lists the name as it is)
    strName.Remove('&');
    const int nLF = strName.Find('\n');
    if (nLF >= 0)
        strName = strName.Left(nLF);
    return strName;
}

BOOL CExtControlBar::Create(LPCTSTR lpszWindowName, CWnd* pParentWnd, UINT nID, DWORD dwStyle) {
    if (!RegisterBarWindowClass())
        return FALSE;
    m_dwStyle = dwStyle & CBRS_ALL;
    CString strName = lpszWindowName != NULL ? CString(lpszWindowName) : BarNameFromCommand(pParentWnd, nID);
    const int nLF = strName.Find('\n');
    if (nLF >= 0)
        strName = strName.Left(nLF);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            g_PaintManager->GetBrush(COLOR_3DFACE), NULL);
    const DWORD dwWndStyle = (dwStyle & 0xFFBF0000) | WS_CLIPCHILDREN;
    return CWnd::Create(lpszClass, strName, dwWndStyle, CRect(0, 0, 0, 0), pParentWnd, nID);
}

void CExtControlBar::PreSubclassWindow() {
    CControlBar::PreSubclassWindow();
    m_nOptions &= ~optClosing;
    if ((m_nOptions & optInDialog) == 0) {
        CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
        if (pParent != NULL && !pParent->IsKindOf(RUNTIME_CLASS(CControlBar)) &&
            !pParent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
            m_dwStyle = GetStyle() & CBRS_ALL;
            m_nOptions |= optInDialog;
        }
    }
    if (m_dwStyle & CBRS_TOOLTIPS)
        EnableToolTips();
}

// ---- The frame set-up ---------------------------------------------------------------------------

bool CExtControlBar::FrameEnableDocking(CFrameWnd* pFrame, DWORD dwDockStyle, bool bUseExtMiniFrames) {
    if (pFrame->GetSafeHwnd() == NULL)
        return false;
    pFrame->EnableDocking(dwDockStyle);
    for (UINT nID : CExtDockBar::g_arrSides) {
        const DWORD dwSide = SideStyle(nID);
        if ((dwSide & dwDockStyle & CBRS_ALIGN_ANY) == 0)
            return false;
        CControlBar* pOld = pFrame->GetControlBar(nID);
        if (pOld != NULL && pOld->IsKindOf(RUNTIME_CLASS(CExtDockOuterBar)))
            continue;
        if (pOld != NULL) {
            pFrame->RemoveControlBar(pOld);
            pOld->m_pDockSite = NULL;
            const BOOL bAutoDelete = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bAutoDelete)
                delete pOld;
        }
        CExtDockOuterBar* pOuter = new CExtDockOuterBar;
        if (!pOuter->Create(pFrame, dwSide | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, nID))
            return false;  // the dock bar deleted itself with its window
    }
    // floating bars live in the library's own mini frame
    if (bUseExtMiniFrames)
        pFrame->m_pFloatingFrameClass = RUNTIME_CLASS(CExtMiniDockFrameWnd);
    return true;
}

// ---- Window procedure ---------------------------------------------------------------------------

LRESULT CExtControlBar::WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    LRESULT lHandled = 0;
    if (HandleNcAndMouseMessage(nMsg, wParam, lParam, lHandled))
        return lHandled;
    switch (nMsg) {
    case WM_CREATE:
        if (!IsFixedSizeBar() && (m_nOptions & optInDialog) == 0) {
            // a resizable bar sets up its frame's docking itself
            CWnd* p = CWnd::FromHandlePermanent(::GetParent(m_hWnd));
            while (p != NULL && !p->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
                p = CWnd::FromHandlePermanent(::GetParent(p->m_hWnd));
            if (p != NULL && p->IsKindOf(RUNTIME_CLASS(CMiniFrameWnd)))
                p = p->GetParentFrame();
            if (p != NULL)
                FrameEnableDocking(static_cast<CFrameWnd*>(p), CBRS_ALIGN_ANY, true);
        }
        break;
    case WM_DESTROY:
    case WM_NCDESTROY:
        m_nOptions |= optClosing;
        break;
    case WM_CLOSE:
        // a bar is not closed by WM_CLOSE; it stays alive and keeps its command-UI updates
        return 0;
    case WM_SETFOCUS: {
        const LRESULT lResult = CControlBar::WindowProc(nMsg, wParam, lParam);
        if (IsMinimizedInRow())
            MaximizeInRow();
        if (!IsFixedSizeBar()) {
            CWnd* pChild = GetWindow(GW_CHILD);
            if (pChild != NULL)
                pChild->SetFocus();
        }
        return lResult;
    }
    case WM_SETTEXT: {
        const LRESULT lResult = CControlBar::WindowProc(nMsg, wParam, lParam);
        if (!IsFixedSizeBar() && IsWindowVisible())
            RecalcNonClientArea();
        if (IsFloating()) {
            CFrameWnd* pMini = GetParentFrame();
            if (pMini != NULL && pMini->IsKindOf(RUNTIME_CLASS(CMiniDockFrameWnd))) {
                LPCTSTR lpsz = (LPCTSTR)lParam;
                if (m_pDockBar != NULL)
                    m_pDockBar->SetWindowText(lpsz);
                pMini->SetWindowText(lpsz);
                pMini->m_nIdleFlags |= CFrameWnd::idleNotify | CFrameWnd::idleLayout;
                pMini->SendMessage(WM_NCPAINT);
            }
        }
        return lResult;
    }
    case WM_ERASEBKGND:
        if ((m_nOptions & optEraseBkgnd) == 0)
            return 1;
        break;
    case WM_WINDOWPOSCHANGING:
        if (m_pDockBar != NULL || (m_nOptions & optInDialog) != 0)
            reinterpret_cast<WINDOWPOS*>(lParam)->flags |= SWP_FRAMECHANGED;
        break;
    case WM_WINDOWPOSCHANGED: {
        const LRESULT lResult = CControlBar::WindowProc(nMsg, wParam, lParam);
        if ((m_pDockBar != NULL || (m_nOptions & optInDialog) != 0) &&
            (reinterpret_cast<WINDOWPOS*>(lParam)->flags & SWP_FRAMECHANGED) == 0)
            RecalcNonClientArea();
        return lResult;
    }
    case WM_TIMER:
        if (wParam == 4101) {
            RedrawWindow(NULL, NULL,
                         RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME);
            return 0;
        }
        break;
    }
    return CControlBar::WindowProc(nMsg, wParam, lParam);
}

void CExtControlBar::OnSize(UINT nType, int cx, int cy) {
    CControlBar::OnSize(nType, cx, cy);
    if (m_nTracking & trackReparenting)
        return;
    FitSingleChild(cx, cy, true);
}

void CExtControlBar::OnSysColorChange() {
    CControlBar::OnSysColorChange();
    g_PaintManager.OnSysColorChange(this);
    g_CmdManager.OnSysColorChange(this);
    RecalcParentFrameLayout();
}

void CExtControlBar::OnSettingChange(UINT uFlags, LPCTSTR lpszSection) {
    CControlBar::OnSettingChange(uFlags, lpszSection);
    g_PaintManager.OnSettingChange(this, uFlags, lpszSection);
    g_CmdManager.OnSettingChange(this, uFlags, lpszSection);
    RecalcParentFrameLayout();
}

LRESULT CExtControlBar::OnSizeParent(WPARAM wParam, LPARAM lParam) {
    if ((m_nOptions & optFrameLayout) == 0)
        return 0;
    return CControlBar::OnSizeParent(wParam, lParam);
}

// ---- Virtual operations with simple bodies ------------------------------------------------------

int CExtControlBar::GetMinExtentHorz() const {
    int n = m_nMinHW + m_rcRowRecalcUp.Width();
    if (m_nOptions & optHorzCaption)
        n = std::max(n, 10);
    return n;
}

int CExtControlBar::GetMinExtentVert() const { return m_nMinVH + m_rcRowRecalcUp.Height(); }

void CExtControlBar::SyncDockPosWithOuterBar() {
    if (GetDockPosRecord() == NULL || m_pDockBar == NULL)
        return;
    CExtDockOuterBar* pOuter = DYNAMIC_DOWNCAST(CExtDockOuterBar, m_pDockBar);
    if (pOuter != NULL)
        pOuter->SyncBarDockPos(this);
}

void CExtControlBar::ResetDockPosRecord() {
    DockPos_t* p = GetDockPosRecord();
    if (p != NULL)
        *p = DockPos_t();
}

void CExtControlBar::RecalcParentFrameLayout() {
    if ((m_nOptions & optFrameLayout) == 0 || (m_nOptions & optInDialog) != 0)
        return;
    CFrameWnd* pFrame = GetParentFrame();
    if (pFrame->GetSafeHwnd() == NULL || pFrame->IsIconic() || pFrame->m_bInRecalcLayout)
        return;
    if (IsFixedSizeBar() && IsFloating() && pFrame->IsWindowVisible()) {
        pFrame->RecalcLayout();
        return;
    }
    pFrame->DelayRecalcLayout();
}

void CExtControlBar::RecalcNonClientArea() {
    if (m_hWnd != NULL && IsWindowVisible())
        SetWindowPos(NULL, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED | SWP_NOACTIVATE);
}

bool CExtControlBar::IsShowContentWhileDragging() const { return g_PaintManager->IsStudioStyle(); }

bool CExtControlBar::IsRowResizingLive() const {
    if (g_PaintManager->IsStudioStyle())
        return false;
    return IsShowContentWhileDragging();
}

void CExtControlBar::FitSingleChild(int cx, int cy, bool bRepaint) {
    if ((m_nTracking & trackFitChild) == 0 || m_hWnd == NULL)
        return;
    CWnd* pChild = GetWindow(GW_CHILD);
    if (pChild == NULL)
        return;
    CRect rc(0, 0, cx, cy);
    if (cx < 0 || cy < 0)
        GetClientRect(&rc);
    if (IsFloating())
        rc.DeflateRect(::GetSystemMetrics(SM_CXFRAME), ::GetSystemMetrics(SM_CYFRAME));
    CRect rcNow;
    pChild->GetWindowRect(&rcNow);
    ScreenToClient(&rcNow);
    if (rcNow != rc)
        pChild->MoveWindow(&rc, bRepaint);
}

bool CExtControlBar::EnsureBarVisible() {
    if (m_nOptions & optInDialog)
        return (GetStyle() & WS_VISIBLE) != 0;
    if (IsWindowVisible() && (m_nStateFlags & delayShow) == 0)
        return true;
    if (m_nStateFlags & tempHide)
        return false;
    if (m_pDockSite == NULL)
        return false;
    ShowHideBarCommand(m_pDockSite, (UINT)GetDlgCtrlID(), false);
    CExtPopupMenuWnd::PumpWaitingMessages(false);
    return ::IsWindow(m_hWnd) && IsWindowVisible();
}

void CExtControlBar::GetCaptionText(CString& strText) const {
    strText.Empty();
    if (m_hWnd != NULL)
        GetWindowText(strText);
}

// ---- Docking side -------------------------------------------------------------------------------

bool CExtControlBar::IsDockedAtTop() const {
    return m_pDockSite != NULL ? GetDockSideId() == AFX_IDW_DOCKBAR_TOP : (m_dwStyle & CBRS_TOP) == CBRS_TOP;
}
bool CExtControlBar::IsDockedAtBottom() const {
    return m_pDockSite != NULL ? GetDockSideId() == AFX_IDW_DOCKBAR_BOTTOM
                               : (m_dwStyle & CBRS_BOTTOM) == CBRS_BOTTOM;
}
bool CExtControlBar::IsDockedAtLeft() const {
    return m_pDockSite != NULL ? GetDockSideId() == AFX_IDW_DOCKBAR_LEFT : (m_dwStyle & CBRS_LEFT) == CBRS_LEFT;
}
bool CExtControlBar::IsDockedAtRight() const {
    return m_pDockSite != NULL ? GetDockSideId() == AFX_IDW_DOCKBAR_RIGHT
                               : (m_dwStyle & CBRS_RIGHT) == CBRS_RIGHT;
}
bool CExtControlBar::IsDockedHorizontally() const {
    if (m_pDockSite == NULL)
        return (m_dwStyle & 0xAA00) != 0;
    const UINT nID = GetDockSideId();
    return nID == AFX_IDW_DOCKBAR_TOP || nID == AFX_IDW_DOCKBAR_BOTTOM;
}
bool CExtControlBar::IsDockedVertically() const {
    if (m_pDockSite == NULL)
        return (m_dwStyle & 0x5500) != 0;
    const UINT nID = GetDockSideId();
    return nID == AFX_IDW_DOCKBAR_LEFT || nID == AFX_IDW_DOCKBAR_RIGHT;
}
bool CExtControlBar::IsDocked() const {
    if (m_pDockSite == NULL)
        return true;
    const UINT nID = GetDockSideId();
    return nID >= AFX_IDW_DOCKBAR_TOP && nID <= AFX_IDW_DOCKBAR_BOTTOM;
}
bool CExtControlBar::IsFloating() const { return !IsDocked() && GetParentFrame() != NULL; }

// ---- Command-UI updates -------------------------------------------------------------------------

void CExtControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL) {
    if ((m_nOptions & optInDialog) != 0 || (m_nTracking & (trackRowResizing | trackColumnResizing | trackDragging)))
        return;
    if (!IsWindowVisible() || GetCurrentDragBar() != NULL)
        return;
    // the hot caption button follows the cursor
    CPoint ptCursor;
    ::GetCursorPos(&ptCursor);
    CExtBarNcAreaButton* pHot = NULL;
    HitTestCaptionButtons(ptCursor, &pHot);
    const bool bRepaint = (pHot != NULL) != ((m_nStates & 4) != 0);
    m_nStates = (BYTE)(pHot != NULL ? (m_nStates | 4) : (m_nStates & ~4));
    // the caption's focus look follows the focus
    HWND hFocus = ::GetFocus();
    const bool bActive = hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus));
    if (bActive != ((m_nStates & 1) != 0) || bRepaint) {
        m_nStates = (BYTE)(bActive ? (m_nStates | 1) : (m_nStates & ~1));
        SendMessage(WM_NCPAINT);
        if (CWnd* pParent = GetParent())
            pParent->SendMessage(WM_NCPAINT);
    }
}

void CExtControlBar::GuardedUpdateCmdUI(BOOL bDisableIfNoHndler) {
    if (m_nOptions & optClosing)
        return;
    m_nOptions |= optClosing;
    OnUpdateCmdUI((m_nOptions & optInDialog) ? NULL : m_pDockSite, bDisableIfNoHndler);
    m_nOptions &= ~optClosing;
}

BOOL CExtControlBar::PreTranslateChildBars(CWnd* pWnd, MSG* pMsg) {
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return FALSE;
    const HWND hWnd = pWnd->m_hWnd;
    for (HWND h = ::GetWindow(hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(h));
        if (pBar != NULL && pBar->PreTranslateMessage(pMsg))
            return TRUE;
        if (!::IsWindow(hWnd))
            return FALSE;
    }
    return FALSE;
}

void CExtControlBar::UpdateChildBarsCmdUI(CWnd* pWnd, BOOL bDisableIfNoHndler) {
    if (pWnd == NULL || !::IsWindow(pWnd->GetSafeHwnd()))
        return;
    for (HWND h = ::GetWindow(pWnd->m_hWnd, GW_CHILD); h != NULL; h = ::GetWindow(h, GW_HWNDNEXT)) {
        CExtControlBar* pBar = DYNAMIC_DOWNCAST(CExtControlBar, CWnd::FromHandlePermanent(h));
        if (pBar != NULL)
            pBar->GuardedUpdateCmdUI(bDisableIfNoHndler);
    }
}
