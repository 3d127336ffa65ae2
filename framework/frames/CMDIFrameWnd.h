// The frame of a program with several document windows, over the system's MDI client.
//
// OnCreateClient makes the client (class "MDICLIENT", id AFX_IDW_PANE_FIRST, so the layout gives
// it what the bars leave), with the pull-down of the frame's menu that holds an ID_WINDOW_
// command as the window list. The document windows are CMDIChildWnd children of the client with
// ids from AFX_IDM_FIRST_MDICHILD. Unhandled messages go to the system's frame procedure
// (DefFrameProc), so the window list, Ctrl+F6 and the maximised child's menu items work as the
// system makes them.
//
// Menus: each document window may bring its own frame menu (CMDIChildWnd::m_hMenuShared); when
// it becomes active the frame shows it through WM_MDISETMENU, and the frame's own menu
// (m_hMenuDefault) comes back when no document window is active.
//
// Commands go to the active document window first (its view, itself), then the frame.
#pragma once
#include "CFrameWnd.h"

class CMDIChildWnd;

class CMDIFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIFrameWnd)
public:
    HWND m_hWndMDIClient = NULL;

    // Makes the MDI client; pWindowMenu (may be NULL) receives the list of document windows.
    virtual BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu);
    // The pull-down of hMenu that lists the windows: the last one holding an ID_WINDOW_
    // command; NULL when there is none.
    static HMENU FindWindowMenuPopup(HMENU hMenu);

    // The active document window (WM_MDIGETACTIVE of the client), NULL without one.
    CMDIChildWnd* MDIGetActive(BOOL* pbMaximized = NULL) const;
    void MDIActivate(CWnd* pWndActivate);
    void MDIMaximize(CWnd* pWnd);
    void MDIRestore(CWnd* pWnd);
    void MDINext();
    // WM_MDISETMENU: shows pFrameMenu (NULL: keeps the frame's menu) with pWindowMenu as the
    // window list; answers the menu shown before.
    CMenu* MDISetMenu(CMenu* pFrameMenu, CMenu* pWindowMenu);
    // Shows the menu of the active document window, or the frame's own without one (hMenuAlt:
    // the menu to show instead of the frame's own when given).
    virtual void OnUpdateFrameMenu(HMENU hMenuAlt);

    CFrameWnd* GetActiveFrame() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
