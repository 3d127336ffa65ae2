#include "CWnd.h"
#include "CCmdUI.h"
#include "CMenu.h"
#include "CWinThread.h"
#include "AfxWinGlobals.h"

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

HWND AFXAPI AfxGetSafeHwnd(const CWnd* pWnd)
{
    return pWnd == NULL ? NULL : pWnd->m_hWnd;
}

// ---- Handle map ---------------------------------------------------------------------------------

CWnd::CWnd() : CWnd(HWND(NULL)) {}

CWnd::CWnd(HWND hWnd)
    : m_hWnd(hWnd), m_hWndOwner(NULL), m_nFlags(0), m_pfnSuper(NULL), m_nModalResult(0), m_bPermanent(FALSE)
{
}

CWnd::~CWnd()
{
    // An object going away with its window still attached takes the window with it.
    if (m_bPermanent && m_hWnd != NULL)
        DestroyWindow();
    if (m_bPermanent)
        Detach();
}

CHandleMap<CWnd, HWND>& CWnd::GetHandleMap()
{
    static thread_local CHandleMap<CWnd, HWND> map([](HWND h) { return new CWnd(h); },
                                                   [](CWnd* p) { p->m_hWnd = NULL; });
    return map;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    return GetHandleMap().FromHandle(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd == NULL ? NULL : GetHandleMap().LookupPermanent(hWnd);
}

void CWnd::DeleteTempMap()
{
    GetHandleMap().DeleteTemp();
}

BOOL CWnd::Attach(HWND hWndNew)
{
    ASSERT(m_hWnd == NULL);
    if (hWndNew == NULL)
        return FALSE;
    m_hWnd = hWndNew;
    m_bPermanent = TRUE;
    GetHandleMap().SetPermanent(hWndNew, this);
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd != NULL && m_bPermanent && GetHandleMap().LookupPermanent(hWnd) == this)
        GetHandleMap().RemoveHandle(hWnd);
    m_hWnd = NULL;
    m_bPermanent = FALSE;
    return hWnd;
}

// ---- Subclassing and creation --------------------------------------------------------------------

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == NULL || FromHandlePermanent(hWnd) != NULL || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();  // sees the window with its own procedure still in place
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
    if (pfnOld != AfxWndProc)
        *ppfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(pParent->GetSafeHwnd(), (int)nID);
    return hWndControl != NULL && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (m_hWnd != NULL && *ppfnSuper != NULL) {
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
        *ppfnSuper = NULL;
    }
    return Detach();
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID, (LPVOID)pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, pParentWnd->GetSafeHwnd(), (HMENU)(UINT_PTR)nID, lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    CREATESTRUCTA cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    // No window was ever attached: the object gets its last call here. Otherwise a failed
    // creation went through WM_NCDESTROY, which gave it. Either way 'this' may be gone now.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    return hWnd != NULL;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == NULL)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

// ---- The creation hook ---------------------------------------------------------------------------

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    HHOOK hHook = pState->m_hHookOldCbtFilter;
    AfxCallbackBarrier(0, [&] {
        if (code != HCBT_CREATEWND || pState->m_pWndInit == NULL)
            return 0;
        HWND hWnd = (HWND)wParam;
        char className[8] = "";
        ::GetClassNameA(hWnd, className, sizeof className);
        if (lstrcmpiA(className, "IME") == 0)
            return 0;  // the input method's own window, made on the way to ours
        CWnd* pWndInit = pState->m_pWndInit;
        pState->m_pWndInit = NULL;
        // the platform's order: attach, let the object see the original procedure, subclass
        pWndInit->Attach(hWnd);
        pWndInit->PreSubclassWindow();
        WNDPROC* ppfnSuper = pWndInit->GetSuperWndProcAddr();
        WNDPROC pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)AfxWndProc);
        if (pfnOld != AfxWndProc)
            *ppfnSuper = pfnOld;
        return 0;
    });
    return ::CallNextHookEx(hHook, code, wParam, lParam);
}

void AFXAPI AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter == NULL)
        pState->m_hHookOldCbtFilter = ::SetWindowsHookExA(WH_CBT, AfxCbtFilterHook, NULL, ::GetCurrentThreadId());
    pState->m_pWndInit = pWnd;
}

BOOL AFXAPI AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* pState = AfxGetThreadState();
    if (pState->m_hHookOldCbtFilter != NULL) {
        ::UnhookWindowsHookEx(pState->m_hHookOldCbtFilter);
        pState->m_hHookOldCbtFilter = NULL;
    }
    if (pState->m_pWndInit != NULL) {
        pState->m_pWndInit = NULL;
        return FALSE;
    }
    return TRUE;
}

// ---- The window-procedure entry ------------------------------------------------------------------

namespace {

// What a window procedure answers when its handler failed: creation fails, everything else
// reads as "nothing done".
LRESULT FailureResult(UINT nMsg)
{
    switch (nMsg) {
    case WM_CREATE:
        return -1;
    case WM_INITDIALOG:
        return TRUE;
    default:
        return 0;  // WM_NCCREATE: FALSE
    }
}

// Makes a message the thread's current one for the scope, and puts the previous one back.
class CurrentMessage {
public:
    CurrentMessage(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
        : m_pState(AfxGetThreadState()), m_saved(m_pState->m_lastSentMsg)
    {
        MSG& msg = m_pState->m_lastSentMsg;
        msg.hwnd = hWnd;
        msg.message = nMsg;
        msg.wParam = wParam;
        msg.lParam = lParam;
    }
    ~CurrentMessage() { m_pState->m_lastSentMsg = m_saved; }
    CurrentMessage(const CurrentMessage&) = delete;
    CurrentMessage& operator=(const CurrentMessage&) = delete;

private:
    AFX_THREAD_STATE* m_pState;
    MSG m_saved;
};

}  // namespace

const MSG* AFXAPI AfxGetCurrentMessage()
{
    return &AfxGetThreadState()->m_lastSentMsg;
}

LRESULT AFXAPI AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CurrentMessage current(hWnd, nMsg, wParam, lParam);
    CTempMapDispatch dispatch;  // temporaries handed out below stay valid until we return
    if (nMsg != WM_NCDESTROY)
        return pWnd->WindowProc(nMsg, wParam, lParam);  // pWnd may be gone after this
    // The last message: the object lets go of the window even when a handler fails, or a later
    // window given the same handle would find it. Handlers may have deleted it already: it is
    // finished off only if it is still the window's permanent object.
    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        if (CWnd::FromHandlePermanent(hWnd) == pWnd)
            pWnd->FinishNcDestroy(hWnd);
        throw;
    }
    if (CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->FinishNcDestroy(hWnd);
    return lResult;
}

void CWnd::FinishNcDestroy(HWND hWnd)
{
    // our procedure goes, the original one stays with what is left of the window
    WNDPROC* ppfnSuper = GetSuperWndProcAddr();
    if (*ppfnSuper != NULL && (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)*ppfnSuper);
    Detach();
    PostNcDestroy();  // may delete this
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    return AfxCallbackBarrier(FailureResult(nMsg), [&]() -> LRESULT {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd == NULL)
            return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
        return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
    });
}

// ---- Dispatch ------------------------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::PreTranslateInput(MSG* pMsg)
{
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    if (m_hWnd == NULL || (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd)))
        return FALSE;
    return ::IsDialogMessageA(m_hWnd, pMsg);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC pfnSuper = *GetSuperWndProcAddr();
    if (pfnSuper != NULL)
        return ::CallWindowProcA(pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        lResult = 1;
    } else if (message == WM_NOTIFY) {
        const NMHDR* pNMHDR = reinterpret_cast<const NMHDR*>(lParam);
        if (pNMHDR == NULL || pNMHDR->hwndFrom == NULL || !OnNotify(wParam, lParam, &lResult))
            return FALSE;
    } else {
        AFX_MSGARGS args = {};
        args.message = message;
        args.wParam = wParam;
        args.lParam = lParam;
        UINT nLookup = message;
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
            // every colour message goes to the one ON_WM_CTLCOLOR entry with its kind
            nLookup = WM_CTLCOLOR;
            args.nCode = message - WM_CTLCOLORMSGBOX;
        }
        const AFX_MSGMAP_ENTRY* pEntry = NULL;
        for (const AFX_MSGMAP* pMap = GetMessageMap(); pMap != NULL && pEntry == NULL;
             pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : NULL)
            pEntry = AfxFindMessageEntry(pMap->lpEntries, nLookup, 0, 0);
        if (pEntry == NULL)
            return FALSE;
        lResult = pEntry->pfnThunk(this, args);  // 'this' may be gone after this call
    }
    if (pResult != NULL)
        *pResult = lResult;
    return TRUE;
}

BOOL CWnd::ReflectChildMsg(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != NULL && pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    UINT nID = LOWORD(wParam);
    HWND hWndCtrl = (HWND)lParam;
    int nCode = HIWORD(wParam);
    if (hWndCtrl == NULL) {
        // a menu item or an accelerator: a command that is disabled now does nothing
        if (nID == 0)
            return FALSE;
        class CTestCmdUI : public CCmdUI {
        public:
            BOOL m_bEnabled = TRUE;
            void Enable(BOOL bOn) override { m_bEnabled = bOn; m_bEnableChanged = TRUE; }
            void SetCheck(int) override {}
            void SetRadio(BOOL) override {}
            void SetText(LPCTSTR) override {}
        } state;
        state.m_nID = nID;
        OnCmdMsg(nID, (int)CN_UPDATE_COMMAND_UI, &state, NULL);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
    } else {
        // notifications caused by the window's own data exchange are not the user's doing
        if (AfxGetThreadState()->m_hLockoutNotifyWindow == m_hWnd)
            return TRUE;
        // the control may handle its own notification (ON_CONTROL_REFLECT)
        if (ReflectChildMsg(hWndCtrl, WM_COMMAND, wParam, lParam, NULL))
            return TRUE;
        if (nID == 0)
            return FALSE;
    }
    return OnCmdMsg(nID, nCode, NULL, NULL);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    HWND hWndCtrl = pNMHDR->hwndFrom;
    if (ReflectChildMsg(hWndCtrl, WM_NOTIFY, wParam, lParam, pResult))
        return TRUE;
    UINT nID = (UINT)::GetDlgCtrlID(hWndCtrl);
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(nID, (int)MAKELONG(pNMHDR->code, WM_NOTIFY), &notify, NULL);
}

BOOL CWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND: {
        // only the control's own map: its OnCmdMsg overrides route commands elsewhere
        if (!CCmdTarget::OnCmdMsg(0, (int)MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND), NULL, NULL))
            return FALSE;
        if (pResult != NULL)
            *pResult = 1;
        return TRUE;
    }
    case WM_NOTIFY: {
        NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT lDummy = 0;
        AFX_NOTIFY notify = {pResult != NULL ? pResult : &lDummy, pNMHDR};
        return CCmdTarget::OnCmdMsg(0, (int)MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY), &notify, NULL);
    }
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
        // CtlColor answering NULL leaves the colours to the parent
        LRESULT lBrush = 0;
        if (!OnWndMsg(WM_REFLECT_BASE + WM_CTLCOLOR, wParam, message - WM_CTLCOLORMSGBOX, &lBrush) || lBrush == 0)
            return FALSE;
        if (pResult != NULL)
            *pResult = lBrush;
        return TRUE;
    }
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_PARENTNOTIFY:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    default:
        return FALSE;
    }
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return ReflectChildMsg(hWndChild, msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::SendChildNotifyLastMsg(LRESULT* pResult)
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

// ---- Pre-translation and modal loops -------------------------------------------------------------

BOOL CWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_nFlags & WF_TOOLTIPS)
        FilterToolTipMessage(pMsg);
    return FALSE;
}

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    // GetParent answers the owner of a popup, so owned windows reach their owner's chain
    for (HWND hWnd = pMsg->hwnd; hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (m_nFlags & WF_CONTINUEMODAL) {
        m_nFlags &= ~WF_CONTINUEMODAL;
        PostMessage(WM_NULL);  // wake the loop
    }
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    const HWND hWnd = m_hWnd;
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    BOOL bShowIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    HWND hWndParent = ::GetParent(hWnd);
    m_nFlags |= (WF_MODALLOOP | WF_CONTINUEMODAL);
    MSG* pMsg = &AfxGetThreadState()->m_msgCur;

    for (;;) {
        // idle: show the window, tell the parent, kick the window's idle work
        while (bIdle && !::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE)) {
            if (!::IsWindow(hWnd))
                return -1;  // destroyed (and perhaps deleted) while the loop ran
            if (bShowIdle) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (hWndParent != NULL && !(dwFlags & MLF_NOIDLEMSG) && lIdleCount == 0)
                ::SendMessageA(hWndParent, WM_ENTERIDLE, MSGF_DIALOGBOX, (LPARAM)hWnd);
            if ((dwFlags & MLF_NOKICKIDLE) || !::SendMessageA(hWnd, WM_KICKIDLE, MSGF_DIALOGBOX, lIdleCount++))
                bIdle = FALSE;
        }
        // pump until the queue is empty
        do {
            if (!AfxPumpMessage()) {
                // WM_QUIT ends the loop; the outer loops must see it too, with its code
                ::PostQuitMessage((int)pMsg->wParam);
                if (::IsWindow(hWnd))
                    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
                return -1;
            }
            if (!::IsWindow(hWnd))
                return -1;
            if (bShowIdle && (pMsg->message == 0x118 /* WM_SYSTIMER */ || pMsg->message == WM_SYSKEYDOWN)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                bShowIdle = FALSE;
            }
            if (!ContinueModal())
                goto ExitModal;
            if (AfxIsIdleMessage(pMsg)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(pMsg, NULL, 0, 0, PM_NOREMOVE));
    }

ExitModal:
    m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
    return m_nModalResult;
}

// ---- Layout --------------------------------------------------------------------------------------

void CWnd::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    DWORD dwExStyle = GetExStyle();
    if (nAdjustType == adjustBorder)
        dwExStyle &= ~WS_EX_CLIENTEDGE;
    ::AdjustWindowRectEx(lpClientRect, GetStyle(), FALSE, dwExStyle);
}

BOOL CWnd::IsFrameWnd() const
{
    return FALSE;
}

void AFXAPI AfxRepositionWindow(AFX_SIZEPARENTPARAMS* lpLayout, HWND hWnd, LPCRECT lpRect)
{
    HWND hWndParent = ::GetParent(hWnd);
    if (lpLayout != NULL && lpLayout->hDWP == NULL)
        return;  // a query moves nothing
    RECT rectOld;
    ::GetWindowRect(hWnd, &rectOld);
    ::MapWindowPoints(NULL, hWndParent, reinterpret_cast<LPPOINT>(&rectOld), 2);
    if (::EqualRect(&rectOld, lpRect))
        return;
    if (lpLayout != NULL)
        lpLayout->hDWP = ::DeferWindowPos(lpLayout->hDWP, hWnd, NULL, lpRect->left, lpRect->top,
                                          lpRect->right - lpRect->left, lpRect->bottom - lpRect->top,
                                          SWP_NOACTIVATE | SWP_NOZORDER);
    else
        ::SetWindowPos(hWnd, NULL, lpRect->left, lpRect->top, lpRect->right - lpRect->left,
                       lpRect->bottom - lpRect->top, SWP_NOACTIVATE | SWP_NOZORDER);
}

void CWnd::RepositionBars(UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver, UINT nFlags, LPRECT lpRectParam,
                          LPCRECT lpRectClient, BOOL bStretch)
{
    AFX_SIZEPARENTPARAMS layout = {};
    layout.bStretch = bStretch;
    if (lpRectClient != NULL)
        layout.rect = *lpRectClient;
    else
        ::GetClientRect(m_hWnd, &layout.rect);
    if ((nFlags & ~reposNoPosLeftOver) != reposQuery)
        layout.hDWP = ::BeginDeferWindowPos(8);

    // the bars, in z-order, each take their side of what is left
    HWND hWndLeftOver = NULL;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nIDC = (UINT)::GetDlgCtrlID(hWndChild);
        if (nIDC == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nIDC >= nIDFirst && nIDC <= nIDLast && FromHandlePermanent(hWndChild) != NULL)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, (LPARAM)&layout);
    }

    if ((nFlags & ~reposNoPosLeftOver) == reposQuery) {
        // the caller learns what would be left
        if (bStretch)
            ::CopyRect(lpRectParam, &layout.rect);
        else {
            lpRectParam->left = lpRectParam->top = 0;
            lpRectParam->right = layout.sizeTotal.cx;
            lpRectParam->bottom = layout.sizeTotal.cy;
        }
        return;
    }
    if (nIDLeftOver != 0 && hWndLeftOver != NULL) {
        if ((nFlags & ~reposNoPosLeftOver) == reposExtra && lpRectParam != NULL) {
            layout.rect.left += lpRectParam->left;
            layout.rect.top += lpRectParam->top;
            layout.rect.right -= lpRectParam->right;
            layout.rect.bottom -= lpRectParam->bottom;
        }
        if (!(nFlags & reposNoPosLeftOver)) {
            CWnd* pLeftOver = FromHandle(hWndLeftOver);
            pLeftOver->CalcWindowRect(&layout.rect);
            AfxRepositionWindow(&layout, hWndLeftOver, &layout.rect);
        }
    }
    if (layout.hDWP != NULL)
        ::EndDeferWindowPos(layout.hDWP);
}

void CWnd::SendMessageToDescendants(UINT message, WPARAM wParam, LPARAM lParam, BOOL bDeep, BOOL bOnlyPerm)
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (bOnlyPerm) {
            // permanent objects get the message straight through their WindowProc
            if (CWnd* pWnd = FromHandlePermanent(hWndChild))
                AfxCallWndProc(pWnd, hWndChild, message, wParam, lParam);
        } else {
            ::SendMessageA(hWndChild, message, wParam, lParam);
        }
        if (bDeep && ::GetTopWindow(hWndChild) != NULL) {
            CWnd child(hWndChild);
            child.SendMessageToDescendants(message, wParam, lParam, bDeep, bOnlyPerm);
            child.m_hWnd = NULL;
        }
    }
}

void CWnd::UpdateDialogControls(CCmdTarget* pTarget, BOOL bDisableIfNoHandler)
{
    CCmdUI state;
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        state.m_nID = (UINT)::GetDlgCtrlID(hWndChild);
        state.m_pOther = FromHandle(hWndChild);
        // a control that updates itself (through its own map) comes first
        if (CWnd* pPerm = FromHandlePermanent(hWndChild); pPerm != NULL && pPerm != pTarget &&
                                                           state.DoUpdate(pPerm, FALSE))
            continue;
        // buttons that check themselves are never disabled for lack of a handler
        BOOL bDisable = bDisableIfNoHandler;
        if (bDisable && (::SendMessageA(hWndChild, WM_GETDLGCODE, 0, 0) & DLGC_BUTTON)) {
            UINT nStyle = (UINT)(::GetWindowLongA(hWndChild, GWL_STYLE) & 0x0F);
            if (nStyle == BS_AUTOCHECKBOX || nStyle == BS_AUTO3STATE || nStyle == BS_GROUPBOX ||
                nStyle == BS_AUTORADIOBUTTON)
                bDisable = FALSE;
        }
        state.DoUpdate(pTarget, bDisable);
    }
}

BOOL CWnd::ExecuteDlgInit(LPCTSTR lpszResourceName)
{
    LPVOID lpResource = NULL;
    if (lpszResourceName != NULL) {
        HINSTANCE hInst = AfxGetResourceHandle();
        HRSRC hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(240) /* RT_DLGINIT */);
        if (hResource == NULL) {
            hInst = AfxGetInstanceHandle();
            hResource = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(240));
        }
        if (hResource != NULL)
            lpResource = ::LockResource(::LoadResource(hInst, hResource));
    }
    return ExecuteDlgInit(lpResource);
}

BOOL CWnd::ExecuteDlgInit(LPVOID lpResource)
{
    // the initial strings of combo and list boxes: (WORD id, WORD message, DWORD length, data)*
    if (lpResource != NULL) {
        const BYTE* p = static_cast<const BYTE*>(lpResource);
        for (;;) {
            WORD nIDC = *reinterpret_cast<const WORD*>(p);
            if (nIDC == 0)
                break;
            WORD nMsg = *reinterpret_cast<const WORD*>(p + 2);
            DWORD dwLen = *reinterpret_cast<const DWORD*>(p + 4);
            const char* text = reinterpret_cast<const char*>(p + 8);
            if (nMsg == LB_ADDSTRING || nMsg == CB_ADDSTRING || nMsg == 0x0401 /* CBEM_INSERTITEM */)
                ::SendDlgItemMessageA(m_hWnd, nIDC, nMsg == 0x0401 ? CB_ADDSTRING : nMsg, 0, (LPARAM)text);
            p += 8 + dwLen;
        }
    }
    // the children learn that the dialog's controls are all there
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
    return TRUE;
}

BOOL CWnd::UpdateData(BOOL)
{
    return TRUE;
}

void CWnd::DoDataExchange(CDataExchange*) {}

void CWnd::CenterWindow(CWnd* pAlternateOwner)
{
    RECT rcDlg;
    ::GetWindowRect(m_hWnd, &rcDlg);
    RECT rcArea;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcArea, 0);
    RECT rcCenter = rcArea;
    HWND hWndCenter = pAlternateOwner != NULL ? pAlternateOwner->m_hWnd
                                              : ((GetStyle() & WS_CHILD) ? ::GetParent(m_hWnd) : ::GetWindow(m_hWnd, GW_OWNER));
    if (hWndCenter != NULL && ::IsWindowVisible(hWndCenter) && !::IsIconic(hWndCenter)) {
        ::GetWindowRect(hWndCenter, &rcCenter);
    }
    int x = (rcCenter.left + rcCenter.right) / 2 - (rcDlg.right - rcDlg.left) / 2;
    int y = (rcCenter.top + rcCenter.bottom) / 2 - (rcDlg.bottom - rcDlg.top) / 2;
    if (GetStyle() & WS_CHILD) {
        POINT pt = {x, y};
        ::ScreenToClient(::GetParent(m_hWnd), &pt);
        x = pt.x;
        y = pt.y;
    } else {
        // keep the window on the work area
        if (x + (rcDlg.right - rcDlg.left) > rcArea.right)
            x = rcArea.right - (rcDlg.right - rcDlg.left);
        if (x < rcArea.left)
            x = rcArea.left;
        if (y + (rcDlg.bottom - rcDlg.top) > rcArea.bottom)
            y = rcArea.bottom - (rcDlg.bottom - rcDlg.top);
        if (y < rcArea.top)
            y = rcArea.top;
    }
    ::SetWindowPos(m_hWnd, NULL, x, y, -1, -1, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---- Relatives -----------------------------------------------------------------------------------

CWnd* CWnd::GetOwner() const
{
    return m_hWndOwner != NULL ? FromHandle(m_hWndOwner) : GetParent();
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND hWnd = m_hWnd;
    for (HWND hWndParent; (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD) && (hWndParent = ::GetParent(hWnd)) != NULL;)
        hWnd = hWndParent;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetSafeOwner(CWnd* pParent, HWND* pWndTop)
{
    // the given window, else the main window; either way its top-level window
    HWND hWnd = pParent->GetSafeHwnd();
    if (hWnd == NULL)
        hWnd = AfxGetMainWnd()->GetSafeHwnd();
    while (hWnd != NULL && (::GetWindowLongA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    if (pWndTop != NULL)
        *pWndTop = hWnd;
    return FromHandle(hWnd);
}

CWnd* CWnd::GetDescendantWindow(int nID, BOOL bOnlyPerm) const
{
    for (HWND hWndChild = ::GetTopWindow(m_hWnd); hWndChild != NULL; hWndChild = ::GetWindow(hWndChild, GW_HWNDNEXT)) {
        if (::GetDlgCtrlID(hWndChild) == nID) {
            CWnd* pWnd = bOnlyPerm ? FromHandlePermanent(hWndChild) : FromHandle(hWndChild);
            if (pWnd != NULL)
                return pWnd;
        }
        if (::GetTopWindow(hWndChild) != NULL) {
            CWnd child(hWndChild);
            CWnd* pWnd = child.GetDescendantWindow(nID, bOnlyPerm);
            child.m_hWnd = NULL;
            if (pWnd != NULL)
                return pWnd;
        }
    }
    return NULL;
}

void CWnd::ActivateTopParent()
{
    HWND hWndTop = GetTopLevelParent()->GetSafeHwnd();
    if (hWndTop != NULL && ::GetActiveWindow() != hWndTop)
        ::SetActiveWindow(hWndTop);
}

// ---- Styles and geometry -------------------------------------------------------------------------

BOOL CWnd::ModifyStyle(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_STYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_STYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyleEx(HWND hWnd, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    DWORD dwStyle = (DWORD)::GetWindowLongA(hWnd, GWL_EXSTYLE);
    DWORD dwNewStyle = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNewStyle)
        return FALSE;
    ::SetWindowLongA(hWnd, GWL_EXSTYLE, (LONG)dwNewStyle);
    if (nFlags != 0)
        ::SetWindowPos(hWnd, NULL, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyle(m_hWnd, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleEx(m_hWnd, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::MapWindowPoints(m_hWnd, NULL, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::MapWindowPoints(NULL, m_hWnd, reinterpret_cast<LPPOINT>(lpRect), 2);
}

void CWnd::GetWindowText(CString& rString) const
{
    int nLen = ::GetWindowTextLengthA(m_hWnd);
    ::GetWindowTextA(m_hWnd, rString.GetBuffer(nLen), nLen + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    HWND hWnd = ::GetDlgItem(m_hWnd, nID);
    if (hWnd != NULL) {
        int nLen = ::GetWindowTextLengthA(hWnd);
        ::GetWindowTextA(hWnd, rString.GetBuffer(nLen), nLen + 1);
        rString.ReleaseBuffer();
    }
    return rString.GetLength();
}

int CWnd::GetCheckedRadioButton(int nIDFirstButton, int nIDLastButton) const
{
    for (int nID = nIDFirstButton; nID <= nIDLastButton; nID++) {
        if (::IsDlgButtonChecked(m_hWnd, nID))
            return nID;
    }
    return 0;
}

// ---- Menus ------------------------------------------------------------------------------------

CMenu* CWnd::GetMenu() const
{
    return CMenu::FromHandle(::GetMenu(m_hWnd));
}

BOOL CWnd::SetMenu(CMenu* pMenu)
{
    return ::SetMenu(m_hWnd, pMenu != NULL ? pMenu->m_hMenu : NULL);
}

CMenu* CWnd::GetSystemMenu(BOOL bRevert) const
{
    return CMenu::FromHandle(::GetSystemMenu(m_hWnd, bRevert));
}

// ---- Default handlers ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
    ON_WM_NCDESTROY()
END_MESSAGE_MAP()

CWnd* AFXAPI AfxMsgWnd(LPARAM hWnd)
{
    return CWnd::FromHandle((HWND)hWnd);
}


void CWnd::OnActivate(UINT, CWnd*, BOOL) { Default(); }
void CWnd::OnActivateApp(BOOL, DWORD) { Default(); }
void CWnd::OnCancelMode() { Default(); }
void CWnd::OnCaptureChanged(CWnd*) { Default(); }
void CWnd::OnChar(UINT, UINT, UINT) { Default(); }
void CWnd::OnClose() { Default(); }
void CWnd::OnContextMenu(CWnd*, CPoint) { Default(); }
int CWnd::OnCreate(LPCREATESTRUCT) { return (int)Default(); }
void CWnd::OnDestroy() { Default(); }
void CWnd::OnEnable(BOOL) { Default(); }
BOOL CWnd::OnEraseBkgnd(CDC*) { return (BOOL)Default(); }
void CWnd::OnGetMinMaxInfo(MINMAXINFO*) { Default(); }
BOOL CWnd::OnHelpInfo(HELPINFO*) { return TRUE; }
void CWnd::OnKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKeyUp(UINT, UINT, UINT) { Default(); }
void CWnd::OnSysKeyDown(UINT, UINT, UINT) { Default(); }
void CWnd::OnKillFocus(CWnd*) { Default(); }
void CWnd::OnSetFocus(CWnd*) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnMButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnMButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
int CWnd::OnMouseActivate(CWnd*, UINT, UINT) { return (int)Default(); }
void CWnd::OnMove(int, int) { Default(); }
BOOL CWnd::OnNcActivate(BOOL) { return (BOOL)Default(); }
void CWnd::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS*) { Default(); }
BOOL CWnd::OnNcCreate(LPCREATESTRUCT) { return (BOOL)Default(); }
LRESULT CWnd::OnNcHitTest(CPoint) { return Default(); }
void CWnd::OnNcLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcLButtonDblClk(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnNcRButtonUp(UINT, CPoint) { Default(); }
void CWnd::OnNcMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnNcPaint() { Default(); }
void CWnd::OnPaint() { Default(); }
void CWnd::OnPaletteChanged(CWnd*) { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return (HCURSOR)Default(); }
BOOL CWnd::OnQueryNewPalette() { return (BOOL)Default(); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return (BOOL)Default(); }
void CWnd::OnSettingChange(UINT, LPCTSTR) { Default(); }
void CWnd::OnShowWindow(BOOL, UINT) { Default(); }
void CWnd::OnSize(UINT, int, int) { Default(); }
void CWnd::OnSysColorChange() { Default(); }
void CWnd::OnSysCommand(UINT, LPARAM) { Default(); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(pWnd->GetSafeHwnd(), &lResult))
        return (HBRUSH)lResult;
    return (HBRUSH)Default();
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // menus have no window to reflect to
    if (lpDrawItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDrawItemStruct->hwndItem))
        return;
    Default();
}

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType != ODT_MENU) {
        HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
        if (hWndChild != NULL && ReflectLastMsg(hWndChild))
            return;
    }
    Default();
}

void CWnd::OnNcDestroy()
{
    // the main window going ends the thread's run loop
    CWinThread* pThread = AfxGetThread();
    if (pThread != NULL && pThread->m_pMainWnd == this) {
        pThread->m_pMainWnd = NULL;
        ::PostQuitMessage(0);
    }
    Default();
}
