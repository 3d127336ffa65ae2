#include "CMDIChildWnd.h"
#include "CMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(CMDIChildWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIChildWnd, CFrameWnd)
    ON_WM_CREATE()
    ON_WM_SETFOCUS()
    ON_WM_MOUSEACTIVATE()
    ON_MESSAGE(WM_MDIACTIVATE, OnMDIActivate)
END_MESSAGE_MAP()

CMDIChildWnd::CMDIChildWnd() = default;

CMDIChildWnd::~CMDIChildWnd()
{
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
}

// ---- Creation ------------------------------------------------------------------------------------

BOOL CMDIChildWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CMDIFrameWnd* pParentWnd, CCreateContext* pContext)
{
    if (pParentWnd == NULL) {
        CWinThread* pThread = AfxGetThread();
        pParentWnd = pThread != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, pThread->m_pMainWnd) : NULL;
    }
    if (pParentWnd == NULL || pParentWnd->m_hWndMDIClient == NULL) {
        TRACE("CMDIChildWnd::Create: no MDI frame with a client\n");
        PostNcDestroy();
        return FALSE;
    }
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : "";

    CREATESTRUCTA cs = {};
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle | WS_CHILD;
    cs.dwExStyle = WS_EX_MDICHILD;
    cs.hwndParent = pParentWnd->m_hWndMDIClient;
    cs.hInstance = AfxGetInstanceHandle();
    cs.x = cs.y = cs.cx = cs.cy = CW_USEDEFAULT;
    if (rect.left != CW_USEDEFAULT) {
        cs.x = rect.left;
        cs.y = rect.top;
        cs.cx = rect.right - rect.left;
        cs.cy = rect.bottom - rect.top;
    }
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }
    MDICREATESTRUCTA mcs = {};
    mcs.szClass = cs.lpszClass;
    mcs.szTitle = cs.lpszName;
    mcs.hOwner = cs.hInstance;
    mcs.x = cs.x;
    mcs.y = cs.y;
    mcs.cx = cs.cx;
    mcs.cy = cs.cy;
    mcs.style = cs.style & ~(WS_MAXIMIZE | WS_VISIBLE);  // shown below, once it is whole
    mcs.lParam = (LPARAM)pContext;
    HWND hWndClient = pParentWnd->m_hWndMDIClient;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::SendMessageA(hWndClient, WM_MDICREATE, 0, (LPARAM)&mcs);
    // as CWnd::CreateEx: without a window ever attached the object gets its last call here;
    // otherwise a failed creation went through WM_NCDESTROY. 'this' may be gone now.
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();
    if (hWnd == NULL)
        return FALSE;
    if (cs.style & WS_MAXIMIZE)
        ::SendMessageA(hWndClient, WM_MDIMAXIMIZE, (WPARAM)hWnd, 0);
    if (cs.style & WS_VISIBLE) {
        ::ShowWindow(hWnd, SW_SHOW);
        ::SendMessageA(hWndClient, WM_MDIACTIVATE, (WPARAM)hWnd, 0);
    }
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    CString strTitle;
    if (strFullString.LoadString(nIDResource)) {
        int nNewLine = strFullString.Find('\n');
        strTitle = nNewLine >= 0 ? strFullString.Left(nNewLine) : strFullString;
    }
    LPCTSTR lpszResource = MAKEINTRESOURCEA(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    HMENU hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszResource, RT_MENU), lpszResource);  // none: the frame's
    HACCEL hAccel =
        ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResource, RT_ACCELERATOR), lpszResource);
    // the menu and the table are the window's before it is made, so its activation finds them
    if (m_hMenuShared != NULL)
        ::DestroyMenu(m_hMenuShared);
    m_hMenuShared = hMenu;
    if (m_hAccelTable == NULL)
        m_hAccelTable = hAccel;
    else if (hAccel != NULL)
        ::DestroyAcceleratorTable(hAccel);
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, DYNAMIC_DOWNCAST(CMDIFrameWnd, pParentWnd),
                pContext))
        return FALSE;  // 'this' is gone, and the menu and table with it
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CMDIChildWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    // the context comes inside the MDI creation data
    const MDICREATESTRUCTA* pmcs = static_cast<const MDICREATESTRUCTA*>(lpcs->lpCreateParams);
    return OnCreateHelper(lpcs, pmcs != NULL ? reinterpret_cast<CCreateContext*>(pmcs->lParam) : NULL);
}

// ---- The client's operations on this window ------------------------------------------------------

CMDIFrameWnd* CMDIChildWnd::GetMDIFrame() const
{
    HWND hWndClient = ::GetParent(m_hWnd);
    HWND hWndFrame = hWndClient != NULL ? ::GetParent(hWndClient) : NULL;
    return hWndFrame != NULL ? DYNAMIC_DOWNCAST(CMDIFrameWnd, CWnd::FromHandlePermanent(hWndFrame)) : NULL;
}

void CMDIChildWnd::MDIDestroy()
{
    HWND hWndClient = ::GetParent(m_hWnd);
    if (hWndClient != NULL)
        ::SendMessageA(hWndClient, WM_MDIDESTROY, (WPARAM)m_hWnd, 0);  // deletes 'this'
}

void CMDIChildWnd::MDIActivate()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIMaximize()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIMAXIMIZE, (WPARAM)m_hWnd, 0);
}

void CMDIChildWnd::MDIRestore()
{
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIRESTORE, (WPARAM)m_hWnd, 0);
}

BOOL CMDIChildWnd::DestroyWindow()
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return FALSE;
    MDIDestroy();
    return TRUE;
}

void CMDIChildWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1 && IsIconic())
        nCmdShow = SW_RESTORE;
    if (nCmdShow == -1 && !IsWindowVisible())
        nCmdShow = SW_SHOW;
    if (nCmdShow != -1)
        ShowWindow(nCmdShow);
    MDIActivate();
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}

// ---- Activation ----------------------------------------------------------------------------------

void CMDIChildWnd::OnSetFocus(CWnd* pOldWnd)
{
    // the focus reaching a window that is not the active one makes it so (the system's rule)
    // (once: the activation moves the focus here again, and a window the client will not make
    // active must not ask for ever)
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && !m_bInFocusActivation && pFrame->MDIGetActive() != this) {
        m_bInFocusActivation = TRUE;
        MDIActivate();
        m_bInFocusActivation = FALSE;
    }
    CFrameWnd::OnSetFocus(pOldWnd);
}

int CMDIChildWnd::OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message)
{
    int nResult = CFrameWnd::OnMouseActivate(pDesktopWnd, nHitTest, message);
    if (nResult == MA_NOACTIVATE || nResult == MA_NOACTIVATEANDEAT)
        return nResult;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && pFrame->MDIGetActive() != this)
        MDIActivate();
    return nResult;
}

LRESULT CMDIChildWnd::OnMDIActivate(WPARAM, LPARAM lParam)
{
    LRESULT lResult = Default();
    // the frame shows the menu of the window that becomes active, its own when none does
    HWND hWndActivate = (HWND)lParam;
    CMDIFrameWnd* pFrame = GetMDIFrame();
    if (pFrame != NULL && (hWndActivate == m_hWnd || hWndActivate == NULL))
        pFrame->OnUpdateFrameMenu(hWndActivate == m_hWnd && m_hMenuShared != NULL ? m_hMenuShared
                                                                                    : pFrame->m_hMenuDefault);
    return lResult;
}
