#include "CMDIFrameWnd.h"
#include "CMDIChildWnd.h"

IMPLEMENT_DYNCREATE(CMDIFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMDIFrameWnd, CFrameWnd)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

// ---- The client ---------------------------------------------------------------------------------

HMENU CMDIFrameWnd::FindWindowMenuPopup(HMENU hMenu)
{
    if (hMenu == NULL || !::IsMenu(hMenu))
        return NULL;
    for (int nItem = ::GetMenuItemCount(hMenu) - 1; nItem >= 0; nItem--) {
        HMENU hPopup = ::GetSubMenu(hMenu, nItem);
        if (hPopup == NULL)
            continue;
        int nCount = ::GetMenuItemCount(hPopup);
        for (int i = 0; i < nCount; i++) {
            UINT nID = ::GetMenuItemID(hPopup, i);
            if (nID >= ID_WINDOW_NEW && nID <= ID_WINDOW_SPLIT)
                return hPopup;
        }
    }
    return NULL;
}

BOOL CMDIFrameWnd::OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext*)
{
    if (m_hMenuDefault == NULL)
        m_hMenuDefault = lpcs->hMenu;  // made by Create, not LoadFrame
    HMENU hWindowMenu = FindWindowMenuPopup(lpcs->hMenu);
    return CreateClient(lpcs, hWindowMenu != NULL ? CMenu::FromHandle(hWindowMenu) : NULL);
}

BOOL CMDIFrameWnd::CreateClient(LPCREATESTRUCT, CMenu* pWindowMenu)
{
    CLIENTCREATESTRUCT ccs = {};
    ccs.hWindowMenu = pWindowMenu != NULL ? pWindowMenu->m_hMenu : NULL;
    ccs.idFirstChild = AFX_IDM_FIRST_MDICHILD;
    // MDIS_ALLCHILDSTYLES: the children keep the styles they are made with
    m_hWndMDIClient = ::CreateWindowExA(WS_EX_CLIENTEDGE, "MDICLIENT", NULL,
                                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_VSCROLL |
                                            WS_HSCROLL | MDIS_ALLCHILDSTYLES,
                                        0, 0, 0, 0, m_hWnd, (HMENU)(UINT_PTR)AFX_IDW_PANE_FIRST,
                                        AfxGetInstanceHandle(), (LPVOID)&ccs);
    if (m_hWndMDIClient == NULL) {
        TRACE("CMDIFrameWnd: no MDI client (%u)\n", (unsigned)::GetLastError());
        return FALSE;
    }
    ::BringWindowToTop(m_hWndMDIClient);  // under the bars in z-order: they are laid out first
    return TRUE;
}

// ---- Messages to the client ---------------------------------------------------------------------

CMDIChildWnd* CMDIFrameWnd::MDIGetActive(BOOL* pbMaximized) const
{
    BOOL bMaximized = FALSE;
    HWND hWnd = m_hWndMDIClient != NULL && ::IsWindow(m_hWndMDIClient)
                    ? (HWND)::SendMessageA(m_hWndMDIClient, WM_MDIGETACTIVE, 0, (LPARAM)&bMaximized)
                    : NULL;
    if (pbMaximized != NULL)
        *pbMaximized = hWnd != NULL && bMaximized;
    return hWnd != NULL ? DYNAMIC_DOWNCAST(CMDIChildWnd, CWnd::FromHandle(hWnd)) : NULL;
}

void CMDIFrameWnd::MDIActivate(CWnd* pWndActivate)
{
    if (m_hWndMDIClient != NULL && pWndActivate != NULL)
        ::SendMessageA(m_hWndMDIClient, WM_MDIACTIVATE, (WPARAM)pWndActivate->m_hWnd, 0);
}

void CMDIFrameWnd::MDIMaximize(CWnd* pWnd)
{
    if (m_hWndMDIClient != NULL && pWnd != NULL)
        ::SendMessageA(m_hWndMDIClient, WM_MDIMAXIMIZE, (WPARAM)pWnd->m_hWnd, 0);
}

void CMDIFrameWnd::MDIRestore(CWnd* pWnd)
{
    if (m_hWndMDIClient != NULL && pWnd != NULL)
        ::SendMessageA(m_hWndMDIClient, WM_MDIRESTORE, (WPARAM)pWnd->m_hWnd, 0);
}

void CMDIFrameWnd::MDINext()
{
    if (m_hWndMDIClient != NULL)
        ::SendMessageA(m_hWndMDIClient, WM_MDINEXT, 0, 0);
}

CMenu* CMDIFrameWnd::MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu)
{
    if (m_hWndMDIClient == NULL)
        return NULL;
    HMENU hOld = (HMENU)::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)(pFrameMenu != NULL ? pFrameMenu->m_hMenu : NULL),
                                       (LPARAM)(pWindowMenu != NULL ? pWindowMenu->m_hMenu : NULL));
    return hOld != NULL ? CMenu::FromHandle(hOld) : NULL;
}

void CMDIFrameWnd::OnUpdateFrameMenu(HMENU hMenuAlt)
{
    if (m_hWndMDIClient == NULL)
        return;
    HMENU hMenu = hMenuAlt;
    if (hMenu == NULL) {
        CMDIChildWnd* pActive = MDIGetActive();
        hMenu = pActive != NULL && pActive->m_hMenuShared != NULL ? pActive->m_hMenuShared : m_hMenuDefault;
    }
    if (hMenu == NULL || !::IsMenu(hMenu))
        return;
    ::SendMessageA(m_hWndMDIClient, WM_MDISETMENU, (WPARAM)hMenu, (LPARAM)FindWindowMenuPopup(hMenu));
    ::DrawMenuBar(m_hWnd);
}

// ---- Routing and the default procedure ----------------------------------------------------------

CFrameWnd* CMDIFrameWnd::GetActiveFrame()
{
    CMDIChildWnd* pActive = MDIGetActive();
    return pActive != NULL ? static_cast<CFrameWnd*>(pActive) : this;
}

BOOL CMDIFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    CMDIChildWnd* pActive = MDIGetActive();
    if (pActive != NULL && pActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    return CFrameWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CMDIFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    // Ctrl+F6, Ctrl+F4 and Alt+minus of the document windows
    if (m_hWndMDIClient != NULL && (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN) &&
        ::TranslateMDISysAccel(m_hWndMDIClient, pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

LRESULT CMDIFrameWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::DefFrameProcA(m_hWnd, m_hWndMDIClient, message, wParam, lParam);
}

void CMDIFrameWnd::OnDestroy()
{
    // the document windows go first, through the client while it still lists them (left to
    // the window's end, the system's child procedure meets a client already torn down)
    if (m_hWndMDIClient != NULL) {
        HWND hWndChild;
        while ((hWndChild = ::GetWindow(m_hWndMDIClient, GW_CHILD)) != NULL) {
            ::SendMessageA(m_hWndMDIClient, WM_MDIDESTROY, (WPARAM)hWndChild, 0);
            if (::IsWindow(hWndChild) && ::GetParent(hWndChild) == m_hWndMDIClient)
                ::DestroyWindow(hWndChild);  // not a document window: the loop must go on
        }
    }
    CFrameWnd::OnDestroy();
    // the menu shown goes with the window; the frame's own, when a document window's menu
    // shows instead, is destroyed here (a document window's menu is the child's to destroy)
    HMENU hMenu = ::GetMenu(m_hWnd);
    if (m_hMenuDefault != NULL && hMenu != NULL && hMenu != m_hMenuDefault && ::IsMenu(m_hMenuDefault))
        ::DestroyMenu(m_hMenuDefault);
    m_hMenuDefault = NULL;
}
