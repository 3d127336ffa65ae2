// A document window of a CMDIFrameWnd: a child of the frame's MDI client, made through the
// client (WM_MDICREATE). Unhandled messages go to the system's child procedure
// (DefMDIChildProc), which keeps maximising, restoring, the system menu and activation the
// system's. DestroyWindow asks the client to destroy it (WM_MDIDESTROY); like every frame it
// deletes itself when its window goes.
#pragma once
#include "CFrameWnd.h"

class CMDIFrameWnd;

class CMDIChildWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMDIChildWnd)
public:
    CMDIChildWnd();
    ~CMDIChildWnd() override;

    // Made in pParentWnd's client (NULL: the application's main window). The context reaches
    // OnCreateClient, as for any frame.
    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW, const RECT& rect = rectDefault,
                CMDIFrameWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    // Title, icon and accelerators from nIDResource as for any frame; the menu of that id (if
    // any) becomes the frame's menu while this window is active (m_hMenuShared, owned here).
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW,
                   CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL) override;

    CMDIFrameWnd* GetMDIFrame() const;
    void MDIDestroy();
    void MDIActivate();
    void MDIMaximize();
    void MDIRestore();

    BOOL DestroyWindow() override;
    void ActivateFrame(int nCmdShow = -1) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The frame's menu while this window is active (NULL: the frame's own). A menu given here
    // is the window's to destroy.
    HMENU m_hMenuShared = NULL;
    // The window is kept as the active one while it is not shown (it counts as none).
    BOOL m_bPseudoInactive = FALSE;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnMDIActivate(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    BOOL m_bInFocusActivation = FALSE;
};
