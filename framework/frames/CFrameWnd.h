// A frame window: the main window of a program (or a floating window), holding control bars
// along its sides and a view in the rest of its client area. LoadFrame makes it from one
// resource id: title string (text before the first '\n'), menu, icon and accelerators.
//
// Commands reach the active view first, then the frame, then the application. The layout
// (RecalcLayout) asks every child bar in z-order for its side (WM_SIZEPARENT, through
// RepositionBars) and gives the view (AFX_IDW_PANE_FIRST) exactly what is left; the docking
// module's bars and dock bars take part in it the same way. Prompts for the status line
// arrive as WM_SETMESSAGESTRING; the bar with AFX_IDW_STATUS_BAR shows them.
//
// Frames delete themselves when their window goes (PostNcDestroy): make them with new. WM_CLOSE
// destroys the frame; the main window's end ends the program's run loop.
#pragma once
#include <afxwincore.h>
#include "CCreateContext.h"

class CView;
class CDocument;
class CControlBar;
class CDockBar;
class CDockState;
class CMiniDockFrameWnd;

// Frame styles (class-specific bits of the window style)
#define FWS_ADDTOTITLE   0x00008000L  // the title is kept in m_strTitle and set by the frame
#define FWS_PREFIXTITLE  0x00004000L
#define FWS_SNAPTOBARS   0x00002000L

// The style CreateView gives a view
#define AFX_WS_DEFAULT_VIEW (WS_CHILD | WS_VISIBLE | WS_BORDER)

class CFrameWnd : public CWnd {
    DECLARE_DYNCREATE(CFrameWnd)
public:
    static const CRect rectDefault;  // let the system place and size the window

    CFrameWnd();
    ~CFrameWnd() override;

    BOOL Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle = WS_OVERLAPPEDWINDOW,
                const RECT& rect = rectDefault, CWnd* pParentWnd = NULL, LPCTSTR lpszMenuName = NULL,
                DWORD dwExStyle = 0, CCreateContext* pContext = NULL);
    // Title, menu, icon and accelerators from nIDResource (any of them may be missing). Without
    // a context the views made during creation get their initial update at once.
    virtual BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
                           CWnd* pParentWnd = NULL, CCreateContext* pContext = NULL);
    // A view of pContext->m_pNewViewClass as the child nID; NULL when it cannot be made.
    CWnd* CreateView(CCreateContext* pContext, UINT nID = AFX_IDW_PANE_FIRST);
    // The views' initial update (each view gets it once), an active view when there is none,
    // and the frame shown when bMakeVisible.
    virtual void InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible);
    // Shows the frame (nCmdShow -1: normal when hidden, restored when minimised) and brings it
    // to the top.
    virtual void ActivateFrame(int nCmdShow = -1);

    CView* GetActiveView() const { return m_pViewActive; }
    void SetActiveView(CView* pViewNew, BOOL bNotify = TRUE);
    virtual CFrameWnd* GetActiveFrame() { return this; }

    // Lays out the bars and the view now (or at the next idle: DelayRecalcLayout).
    virtual void RecalcLayout(BOOL bNotify = TRUE);
    void DelayRecalcLayout(BOOL bNotify = TRUE) { m_nIdleFlags |= idleLayout | (bNotify ? idleNotify : 0); }

    // The prompt of a command: its string's text before the first '\n'.
    virtual void GetMessageString(UINT nID, CString& rMessage) const;
    void SetMessageText(LPCTSTR lpszText);
    void SetMessageText(UINT nID);
    // The window that shows prompts: the descendant with the id AFX_IDW_STATUS_BAR.
    virtual CWnd* GetMessageBar();

    void SetTitle(LPCTSTR lpszTitle) { m_strTitle = lpszTitle; }
    CString GetTitle() const { return m_strTitle; }
    virtual void OnUpdateFrameTitle(BOOL bAddToTitle);
    BOOL LoadAccelTable(LPCTSTR lpszResourceName);

    // ---- Docking (the docking module; a program that docks links it) ----
    // Dock bars on the sides named by dwDockStyle (CBRS_ALIGN_...): top, bottom, left, right.
    void EnableDocking(DWORD dwDockStyle);
    // Docks pBar into the dock bar nDockBarID (0: the first side the bar allows), at lpRect
    // (screen) or as a new last row.
    void DockControlBar(CControlBar* pBar, UINT nDockBarID = 0, LPCRECT lpRect = NULL);
    void DockControlBar(CControlBar* pBar, CDockBar* pDockBar, LPCRECT lpRect = NULL);
    // Floats pBar in a mini frame at point (screen); dwStyle's CBRS_ALIGN_ bit gives its orientation.
    void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = 0x2000L /* CBRS_ALIGN_TOP */);
    // Shows or hides pBar now, or at the next layout (bDelay).
    void ShowControlBar(CControlBar* pBar, BOOL bShow, BOOL bDelay);
    CControlBar* GetControlBar(UINT nID);
    void AddControlBar(CControlBar* pBar);
    void RemoveControlBar(CControlBar* pBar);
    // A new mini frame of m_pFloatingFrameClass; throws CResourceException when it cannot be made.
    CMiniDockFrameWnd* CreateFloatingFrame(DWORD dwStyle);
    // The docking layout of every dockable bar and dock bar, and back. SetDockState refuses
    // (FALSE, nothing changed) a state that names a bar this frame does not have, or one bar in
    // two places.
    void GetDockState(CDockState& state) const;
    BOOL SetDockState(const CDockState& state);

    CPtrList m_listControlBars;          // the bars docked here, in the order they were made
    CRuntimeClass* m_pFloatingFrameClass; // the mini frames FloatControlBar makes
    // Set by the docking module: lets the bars still listed know that their frame is going.
    static void (*s_pfnReleaseControlBars)(CFrameWnd* pFrame);

    BOOL IsFrameWnd() const override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

    enum IdleFlags { idleMenu = 1, idleTitle = 2, idleNotify = 4, idleLayout = 8 };

    BOOL m_bAutoMenuEnable;  // menu items without a handler are disabled when the menu opens
    HACCEL m_hAccelTable;
    HMENU m_hMenuDefault;
    CString m_strTitle;
    UINT m_nIDHelp;
    int m_nIdleFlags;
    BOOL m_bInRecalcLayout;
    CRect m_rectBorder;      // extra space kept free around the view
    BOOL m_bHelpMode;        // no help mode (there are no help files): always FALSE
    UINT m_nIDTracking;      // the command whose prompt shows
    UINT m_nIDLastMessage;

protected:
    virtual BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    // The frame's creation with the context found in the creation data (a document window's
    // comes wrapped in its MDICREATESTRUCT).
    int OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext);
    void PostNcDestroy() override;

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnDestroy();
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg void OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnInitMenuPopup(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMenuSelect(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    CView* m_pViewActive;
};
