#include "CFrameWnd.h"
#include "CView.h"

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

const CRect CFrameWnd::rectDefault(CW_USEDEFAULT, CW_USEDEFAULT, 0, 0);

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_DESTROY()
    ON_WM_SETFOCUS()
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_SETMESSAGESTRING, OnSetMessageString)
    ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
    ON_MESSAGE(WM_INITMENUPOPUP, OnInitMenuPopup)
    ON_MESSAGE(WM_MENUSELECT, OnMenuSelect)
END_MESSAGE_MAP()

// ---- CWnd's ways to its frame -------------------------------------------------------------------

CFrameWnd* CWnd::GetParentFrame() const
{
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd != NULL; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
        if (pWnd != NULL && pWnd->IsFrameWnd())
            return static_cast<CFrameWnd*>(pWnd);
    }
    return NULL;
}

CFrameWnd* CWnd::GetTopLevelFrame() const
{
    CFrameWnd* pFrame = IsFrameWnd() ? static_cast<CFrameWnd*>(const_cast<CWnd*>(this)) : GetParentFrame();
    while (pFrame != NULL) {
        CFrameWnd* pNext = pFrame->GetParentFrame();
        if (pNext == NULL)
            break;
        pFrame = pNext;
    }
    return pFrame;
}

// ---- Creation ------------------------------------------------------------------------------------

CFrameWnd::CFrameWnd()
    : m_pFloatingFrameClass(NULL), m_bAutoMenuEnable(TRUE), m_hAccelTable(NULL), m_hMenuDefault(NULL), m_nIDHelp(0),
      m_nIdleFlags(0), m_bInRecalcLayout(FALSE), m_rectBorder(0, 0, 0, 0), m_bHelpMode(FALSE), m_nIDTracking(0),
      m_nIDLastMessage(0), m_pViewActive(NULL)
{
}

void (*CFrameWnd::s_pfnReleaseControlBars)(CFrameWnd*) = NULL;

CFrameWnd::~CFrameWnd()
{
    if (s_pfnReleaseControlBars != NULL)
        s_pfnReleaseControlBars(this);
    if (m_hAccelTable != NULL)
        ::DestroyAcceleratorTable(m_hAccelTable);
}

BOOL CFrameWnd::IsFrameWnd() const
{
    return TRUE;
}

void CFrameWnd::PostNcDestroy()
{
    delete this;
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (cs.lpszClass == NULL)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                           (HBRUSH)(COLOR_WINDOW + 1));
    return TRUE;
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                       CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle, CCreateContext* pContext)
{
    HMENU hMenu = NULL;
    if (lpszMenuName != NULL)
        hMenu = ::LoadMenuA(AfxFindResourceHandle(lpszMenuName, RT_MENU), lpszMenuName);  // none: no menu
    m_strTitle = lpszWindowName != NULL ? lpszWindowName : "";
    // CW_USEDEFAULT in the rectangle's corner: the system chooses place and size
    int x = rect.left, y = rect.top, cx = CW_USEDEFAULT, cy = CW_USEDEFAULT;
    if (rect.left != CW_USEDEFAULT) {
        cx = rect.right - rect.left;
        cy = rect.bottom - rect.top;
    }
    if (!CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy, pParentWnd->GetSafeHwnd(), hMenu,
                  (LPVOID)pContext)) {
        // 'this' is gone (PostNcDestroy)
        if (hMenu != NULL)
            ::DestroyMenu(hMenu);
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    CString strFullString;
    if (strFullString.LoadString(nIDResource)) {
        int nNewLine = strFullString.Find('\n');
        m_strTitle = nNewLine >= 0 ? strFullString.Left(nNewLine) : strFullString;
    }
    LPCTSTR lpszResource = MAKEINTRESOURCEA(nIDResource);
    HICON hIcon = ::LoadIconA(AfxFindResourceHandle(lpszResource, RT_GROUP_ICON), lpszResource);
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(NULL, (LPCSTR)IDC_ARROW),
                                            (HBRUSH)(COLOR_WINDOW + 1), hIcon);
    CString strTitle = m_strTitle;
    if (!Create(lpszClass, strTitle, dwDefaultStyle, rectDefault, pParentWnd, lpszResource, 0, pContext))
        return FALSE;  // 'this' is gone
    m_hMenuDefault = ::GetMenu(m_hWnd);
    LoadAccelTable(lpszResource);
    if (pContext == NULL)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

BOOL CFrameWnd::LoadAccelTable(LPCTSTR lpszResourceName)
{
    if (m_hAccelTable != NULL)
        return FALSE;  // one table per frame
    m_hAccelTable = ::LoadAcceleratorsA(AfxFindResourceHandle(lpszResourceName, RT_ACCELERATOR), lpszResourceName);
    return m_hAccelTable != NULL;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    return OnCreateHelper(lpcs, static_cast<CCreateContext*>(lpcs->lpCreateParams));
}

int CFrameWnd::OnCreateHelper(LPCREATESTRUCT lpcs, CCreateContext* pContext)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext != NULL && pContext->m_pNewViewClass != NULL)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != NULL;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (pContext == NULL || pContext->m_pNewViewClass == NULL)
        return NULL;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    CWnd* pView = DYNAMIC_DOWNCAST(CWnd, pObject);
    if (pView == NULL) {
        TRACE("CreateView: %s is no window class\n", pContext->m_pNewViewClass->m_lpszClassName);
        delete pObject;
        return NULL;
    }
    CCreateContext context = *pContext;
    context.m_pCurrentFrame = this;
    if (!pView->Create(NULL, NULL, AFX_WS_DEFAULT_VIEW, CRect(0, 0, 0, 0), this, nID, &context))
        return NULL;  // the view deleted itself
    return pView;
}

void CFrameWnd::InitialUpdateFrame(CDocument*, BOOL bMakeVisible)
{
    // a frame without an active view takes its first pane
    if (GetActiveView() == NULL) {
        CView* pView = DYNAMIC_DOWNCAST(CView, GetDescendantWindow(AFX_IDW_PANE_FIRST, TRUE));
        if (pView != NULL)
            SetActiveView(pView, FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        ActivateFrame();
        if (m_pViewActive != NULL)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        if (!IsWindowVisible())
            nCmdShow = SW_SHOWNORMAL;
        else if (IsIconic())
            nCmdShow = SW_RESTORE;
    }
    if (nCmdShow == -1)
        nCmdShow = SW_SHOW;
    ShowWindow(nCmdShow);
    if (nCmdShow != SW_HIDE && nCmdShow != SW_MINIMIZE && nCmdShow != SW_SHOWMINNOACTIVE && nCmdShow != SW_SHOWNA &&
        nCmdShow != SW_SHOWNOACTIVATE) {
        BringWindowToTop();
        HWND hWndPopup = ::GetLastActivePopup(m_hWnd);
        if (hWndPopup != NULL && hWndPopup != m_hWnd)
            ::BringWindowToTop(hWndPopup);
    }
}

// ---- Views and routing -----------------------------------------------------------------------

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = NULL;
    if (bNotify && pViewOld != NULL)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (bNotify && pViewNew != NULL)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // the active view, the frame, the application
    CView* pView = GetActiveView();
    if (pView != NULL && pView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp != NULL && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable != NULL)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg);
    return FALSE;
}

// ---- Layout ----------------------------------------------------------------------------------

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout)
        return;
    // the flag is put back however the layout ends (a bar's handler may fail)
    struct InLayout {
        BOOL& flag;
        explicit InLayout(BOOL& f) : flag(f) { flag = TRUE; }
        ~InLayout() { flag = FALSE; }
    } inLayout(m_bInRecalcLayout);
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    if (GetStyle() & FWS_SNAPTOBARS) {
        // a frame made to fit its bars (a floating tool window): ask them how much room they
        // take, size the frame to that, then lay them out in it
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        CRect rectWindow = rect;
        CalcWindowRect(&rectWindow);
        CRect rectNow;
        GetWindowRect(&rectNow);
        if (rectWindow.Size() != rectNow.Size())
            SetWindowPos(NULL, 0, 0, rectWindow.Width(), rectWindow.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposDefault, NULL, &rect, FALSE);
        return;
    }
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
}

void CFrameWnd::OnSize(UINT nType, int, int)
{
    Default();
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM, LPARAM)
{
    if (m_nIdleFlags & idleLayout)
        RecalcLayout((m_nIdleFlags & idleNotify) != 0);
    if (m_nIdleFlags & idleTitle)
        OnUpdateFrameTitle(TRUE);
    m_nIdleFlags = 0;
    return 0;
}

void CFrameWnd::OnUpdateFrameTitle(BOOL)
{
    if (!(GetStyle() & FWS_ADDTOTITLE))
        return;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != m_strTitle)
        SetWindowText(m_strTitle);
}

// ---- Prompts -------------------------------------------------------------------------------------

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    CString strFull = AfxLoadFrameworkString(nID);
    int nNewLine = strFull.Find('\n');
    rMessage = nNewLine >= 0 ? strFull.Left(nNewLine) : strFull;
}

CWnd* CFrameWnd::GetMessageBar()
{
    return GetDescendantWindow(AFX_IDW_STATUS_BAR, TRUE);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    SendMessage(WM_SETMESSAGESTRING, 0, (LPARAM)lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    SendMessage(WM_SETMESSAGESTRING, (WPARAM)nID, 0);
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    UINT nIDLast = m_nIDLastMessage;
    CWnd* pMessageBar = GetMessageBar();
    if (pMessageBar != NULL) {
        CString strMessage;
        LPCTSTR lpsz = reinterpret_cast<LPCTSTR>(lParam);
        if (lpsz == NULL && wParam != 0) {
            GetMessageString((UINT)wParam, strMessage);
            lpsz = strMessage;
        }
        pMessageBar->SetWindowText(lpsz != NULL ? lpsz : "");
    }
    m_nIDLastMessage = (UINT)wParam;
    m_nIDTracking = (UINT)wParam;
    return nIDLast;
}

LRESULT CFrameWnd::OnMenuSelect(WPARAM wParam, LPARAM lParam)
{
    UINT nItemID = LOWORD(wParam);
    UINT nFlags = HIWORD(wParam);
    UINT nIDTracking;
    if (nFlags == 0xFFFF && lParam == 0)
        nIDTracking = AFX_IDS_IDLEMESSAGE;  // the menu closed
    else if (nFlags & (MF_SEPARATOR | MF_POPUP))
        nIDTracking = 0;
    else if (nItemID >= 0xF000 && nItemID < 0xF1F0)
        nIDTracking = AFX_IDS_SCFIRST + ((nItemID - 0xF000) >> 4);  // system commands
    else
        nIDTracking = nItemID;
    if (nIDTracking != m_nIDTracking || nIDTracking == AFX_IDS_IDLEMESSAGE)
        SendMessage(WM_SETMESSAGESTRING, nIDTracking == 0 ? AFX_IDS_IDLEMESSAGE : nIDTracking);
    return Default();
}

LRESULT CFrameWnd::OnInitMenuPopup(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(lParam) == 0) {  // not the system menu
        CMenu* pMenu = CMenu::FromHandle((HMENU)wParam);
        CCmdUI state;
        state.m_pMenu = pMenu;
        state.m_nIndexMax = (UINT)pMenu->GetMenuItemCount();
        for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; state.m_nIndex++) {
            state.m_nID = pMenu->GetMenuItemID((int)state.m_nIndex);
            if (state.m_nID == 0 || state.m_nID == (UINT)-1)
                continue;  // separators and popups
            state.m_pSubMenu = NULL;
            state.DoUpdate(this, m_bAutoMenuEnable && state.m_nID < 0xF000);
            state.m_nIndexMax = (UINT)pMenu->GetMenuItemCount();  // a handler may add or remove items
        }
    }
    return Default();
}

// ---- Lifetime, focus, activation --------------------------------------------------------------

void CFrameWnd::OnClose()
{
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    m_pViewActive = NULL;  // the views go with the frame
    Default();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive != NULL && ::IsWindow(m_pViewActive->m_hWnd))
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CWnd::OnActivate(nState, pWndOther, bMinimized);
    if (nState != WA_INACTIVE && !bMinimized && m_pViewActive != NULL)
        m_pViewActive->OnActivateFrame(nState, this);
}
