// The resizable property sheet (see CExtResizablePropertySheet.h).
#include "CExtResizablePropertySheet.h"
#include "CExtPaintManager.h"
#include "CExtPaintManagerHolder.h"

IMPLEMENT_DYNCREATE(CExtResizablePropertySheet, CExtResPS)

BEGIN_MESSAGE_MAP(CExtResizablePropertySheet, CExtResPS)
    ON_WM_SIZE()
    ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

using CExtResizablePropertySheetLayers = CExtWA<CExtWS<CExtResPS>>;

// ---- the re-skinning button ----

CExtResizablePropertySheet::CButtonInSheetHook::CButtonInSheetHook() {}

CExtResizablePropertySheet::CButtonInSheetHook::~CButtonInSheetHook() {}

void CExtResizablePropertySheet::CButtonInSheetHook::PostNcDestroy()
{
    CExtButton::PostNcDestroy();
    delete this;
}

LRESULT CExtResizablePropertySheet::CButtonInSheetHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CExtButton::WindowProc(message, wParam, lParam);
    if (message == WM_GETDLGCODE && IsPushButtonType()) {
        lResult &= ~(LRESULT)(DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON);
        lResult |= IsDefaultButton() ? DLGC_DEFPUSHBUTTON : DLGC_UNDEFPUSHBUTTON;
    }
    return lResult;
}

// ---- the sheet ----

CExtResizablePropertySheet::CExtResizablePropertySheet() : m_nSheetFlags(0), m_hWndPageBeforeMove(NULL)
{
    ShowSizeGrip(true);
}

CExtResizablePropertySheet::CExtResizablePropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CExtResizablePropertySheetLayers(nIDCaption, pParentWnd, iSelectPage), m_nSheetFlags(0),
      m_hWndPageBeforeMove(NULL)
{
    ShowSizeGrip(true);
}

CExtResizablePropertySheet::CExtResizablePropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CExtResizablePropertySheetLayers(pszCaption, pParentWnd, iSelectPage), m_nSheetFlags(0),
      m_hWndPageBeforeMove(NULL)
{
    ShowSizeGrip(true);
}

CExtResizablePropertySheet::~CExtResizablePropertySheet() {}

void CExtResizablePropertySheet::PreSubclassWindow()
{
    CExtResizablePropertySheetLayers::PreSubclassWindow();
    EnableToolTips(TRUE);
}

BOOL CExtResizablePropertySheet::PreCreateWindow(CREATESTRUCT& cs)
{
    return CExtResizablePropertySheetLayers::PreCreateWindow(cs) ? TRUE : FALSE;
}

namespace {

bool IsWizardCommand(UINT message, WPARAM wParam)
{
    return message == WM_COMMAND && HIWORD(wParam) == 0 &&
           (LOWORD(wParam) == ID_WIZBACK || LOWORD(wParam) == ID_WIZNEXT);
}

// A window's rectangle in its parent's client coordinates.
CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

}  // namespace

LRESULT CExtResizablePropertySheet::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // before the layers
    switch (message) {
    case WM_DESTROY:
    case WM_NCDESTROY:
        m_nSheetFlags &= ~SHEET_LAYOUT_SET_UP;
        break;
    case WM_SIZE:
        SyncActivePageLayout(NULL);
        break;
    case WM_CLOSE:
        if (m_nStateFlags & WS_STATE_SAVE_RESTORE)
            SaveWindowRect();
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE && (m_nStateFlags & WS_STATE_SAVE_RESTORE))
            SaveWindowRect();
        break;
    case WM_COMMAND:
        if ((LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && (m_nStateFlags & WS_STATE_SAVE_RESTORE))
            SaveWindowRect();
        if (IsWizardCommand(message, wParam)) {
            CPropertyPage* pPage = GetActivePage();
            m_hWndPageBeforeMove = pPage != NULL ? pPage->GetSafeHwnd() : NULL;
        }
        break;
    default:
        break;
    }

    // until the set-up, the system's sheet is left to itself
    const HWND hWndOwn = m_hWnd;
    const bool bSetUp = IsLayoutSetUp();
    LRESULT lResult = bSetUp ? CExtResizablePropertySheetLayers::WindowProc(message, wParam, lParam)
                             : CExtResPS::WindowProc(message, wParam, lParam);
    if (hWndOwn == NULL || !::IsWindow(hWndOwn) || CWnd::FromHandlePermanent(hWndOwn) != this)
        return lResult;

    // after them
    switch (message) {
    case WM_CREATE:
        ModifyStyle(0, WS_CLIPCHILDREN | WS_THICKFRAME);
        PostMessage(WM_SHEET_SET_UP, 0, 0);
        break;
    case WM_COMMAND:
        if (IsWizardCommand(message, wParam) && IsLayoutSetUp())
            KeepPageRectangle();
        break;
    case WM_SHEET_SET_UP:
        if (!IsLayoutSetUp())
            SetUpLayout();
        break;
    default:
        break;
    }
    return lResult;
}

void CExtResizablePropertySheet::KeepPageRectangle()
{
    CPropertyPage* pActive = GetActivePage();
    if (m_hWndPageBeforeMove != NULL && ::IsWindow(m_hWndPageBeforeMove) && pActive != NULL &&
        pActive->GetSafeHwnd() != NULL && pActive->m_hWnd != m_hWndPageBeforeMove)
        pActive->MoveWindow(RectInParent(m_hWndPageBeforeMove), TRUE);
    m_hWndPageBeforeMove = NULL;
    SyncActivePageLayout(NULL);
    ArrangeLayout(-1, -1);
}

// The visual style draws the tabs and the page frame from pictures with alpha that come out
// black on a palette display; there the tab control draws in the classic way (as the system
// itself does at 256 colours), told so by a class list that no style defines.
void CExtResizablePropertySheet::DrawTabClassic(HWND hWndTab)
{
    typedef HRESULT(WINAPI * PFNSETWINDOWTHEME)(HWND, LPCWSTR, LPCWSTR);
    PFNSETWINDOWTHEME pfn =
        reinterpret_cast<PFNSETWINDOWTHEME>(reinterpret_cast<void (*)()>(g_PaintManager.UxProc("SetWindowTheme")));
    static const WCHAR wszNone[] = {'O', 'r', 'v', 'C', 'l', 'a', 's', 's', 'i', 'c', 0};
    if (pfn != NULL && hWndTab != NULL)
        pfn(hWndTab, NULL, wszNone);
}

void CExtResizablePropertySheet::SetUpLayout()
{
    m_nSheetFlags |= SHEET_LAYOUT_SET_UP;
    CRect rcWindow;
    GetWindowRect(&rcWindow);
    SetMinTrackSize(rcWindow.Size());
    SetWindowPos(NULL, 0, 0, 0, 0, 0x227);

    const HWND hWndTab = (HWND)SendMessage(PSM_GETTABCONTROL, 0, 0);
    for (HWND hChild = ::GetWindow(m_hWnd, GW_CHILD); hChild != NULL; hChild = ::GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[64] = "";
        ::GetClassNameA(hChild, szClass, sizeof szClass);
        if (hChild == hWndTab) {
            ::SetWindowLongA(hChild, GWL_STYLE, ::GetWindowLongA(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
            AddAnchor(hChild, __RDA_LT, __RDA_RB);
            if (CExtPaintManager::GetScreenBitsPerPixel() <= 8)
                DrawTabClassic(hChild);
        } else if (lstrcmpiA(szClass, "static") == 0) {
            ::SetWindowLongA(hChild, GWL_STYLE, ::GetWindowLongA(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
            AddAnchor(hChild, __RDA_LB, __RDA_RB);
        } else if (lstrcmpiA(szClass, "button") == 0) {
            CRect rc = RectInParent(hChild);
            rc.OffsetRect(-10, 0);
            ::MoveWindow(hChild, rc.left, rc.top, rc.Width(), rc.Height(), TRUE);
            ::SetWindowLongA(hChild, GWL_STYLE, ::GetWindowLongA(hChild, GWL_STYLE) | WS_CLIPSIBLINGS);
            AddAnchor(hChild, __RDA_RB);
            CButtonInSheetHook* pHook = new CButtonInSheetHook;
            if (!pHook->SubclassWindow(hChild))
                delete pHook;
        }
    }
    SyncActivePageLayout(NULL);

    CExtPaintManager::MonitorParms mp;
    CExtPaintManager::GetMonitorParmsFromWnd(mp, this);
    SetMaxTrackSize(mp.m_rcWorkArea.Size());
    SetMaximizedRect(mp.m_rcWorkArea.TopLeft(), mp.m_rcWorkArea.Size());

    GetWindowRect(&rcWindow);
    SendMessage(WM_SIZE, SIZE_RESTORED, MAKELPARAM(rcWindow.Width(), rcWindow.Height()));
    if (GetStyle() & WS_VISIBLE)
        RedrawWindow(NULL, NULL, 0x105);
    InitLayout();
}

void CExtResizablePropertySheet::InitLayout()
{
    if ((GetStyle() & WS_CHILD) == 0) {
        ModifyStyle(0, WS_CLIPCHILDREN);
        if (m_nStateFlags & WS_STATE_SAVE_RESTORE)
            LoadWindowRect(false);
    } else {
        OnLayoutHook();
    }
    SetWindowPos(NULL, 0, 0, 0, 0, 0x327);
    ArrangeLayout(-1, -1);
}

void CExtResizablePropertySheet::SyncActivePageLayout(CPropertyPage* pPage)
{
    if (m_hWnd == NULL || !::IsWindow(m_hWnd))
        return;
    if (pPage == NULL || pPage->GetSafeHwnd() == NULL)
        pPage = GetActivePage();
    RDI_t rdi;
    if (pPage != NULL && pPage->GetSafeHwnd() != NULL && ::IsWindow(pPage->m_hWnd) && !LookupAnchor(pPage->m_hWnd, rdi)) {
        // a page the system made after the set-up takes the place of the pages already there
        POSITION pos = m_mapAnchors.GetStartPosition();
        while (pos != NULL) {
            HWND hWnd;
            m_mapAnchors.GetNextAssoc(pos, hWnd, rdi);
            if (hWnd != pPage->m_hWnd && ::IsWindow(hWnd) &&
                DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWnd)) != NULL) {
                pPage->MoveWindow(RectInParent(hWnd), TRUE);
                break;
            }
        }
        AddAnchor(pPage->m_hWnd, __RDA_LT, __RDA_RB);
    }
    ArrangeLayout(-1, -1);
}

void CExtResizablePropertySheet::OnSize(UINT nType, int cx, int cy)
{
    CExtResizablePropertySheetLayers::OnSize(nType, cx, cy);
    if (GetStyle() & WS_CHILD)
        FitChildSheet(cx, cy);
}

void CExtResizablePropertySheet::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CExtResizablePropertySheetLayers::OnWindowPosChanged(lpwndpos);
    if ((GetStyle() & (WS_CHILD | WS_VISIBLE)) == (WS_CHILD | WS_VISIBLE)) {
        CRect rcClient;
        GetClientRect(&rcClient);
        FitChildSheet(rcClient.Width(), rcClient.Height());
    }
}

void CExtResizablePropertySheet::FitChildSheet(int cx, int cy)
{
    CWnd* pTab = GetTabControl();
    if (pTab != NULL && pTab->GetSafeHwnd() != NULL)
        pTab->SetWindowPos(NULL, 0, 0, cx, cy, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
    ArrangeLayout(-1, -1);
    OnLayoutHook();
}

BOOL CExtResizablePropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (m_hWnd != NULL && pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_TAB) {
        HWND hFocus = ::GetFocus();
        if (hFocus != NULL && (hFocus == m_hWnd || ::IsChild(m_hWnd, hFocus))) {
            const bool bCtrl = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
            const bool bShift = (::GetKeyState(VK_SHIFT) & 0x8000) != 0;
            if (!bCtrl) {
                SendMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
            } else {
                const int nActive = GetActiveIndex(), nCount = GetPageCount();
                if (!bShift && nActive < nCount - 1 && IsStepAllowed(ID_WIZNEXT))
                    SendMessage(WM_COMMAND, ID_WIZNEXT, 0);
                else if (bShift && nActive > 0 && IsStepAllowed(ID_WIZBACK))
                    SendMessage(WM_COMMAND, ID_WIZBACK, 0);
            }
            return TRUE;
        }
    }
    return CExtResizablePropertySheetLayers::PreTranslateMessage(pMsg);
}

bool CExtResizablePropertySheet::IsStepAllowed(UINT nID) const
{
    // a wizard page that disables or hides Next (or Back) is not left that way from the
    // keyboard either; a tabbed sheet has no such buttons
    HWND hButton = ::GetDlgItem(m_hWnd, (int)nID);
    return hButton == NULL || (::IsWindowEnabled(hButton) && ::IsWindowVisible(hButton));
}

BOOL CExtResizablePropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (nID == ID_WIZNEXT || nID == ID_WIZBACK) {
        const BOOL bResult = CExtResizablePropertySheetLayers::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
        if (nCode == (int)CN_COMMAND)
            SyncActivePageLayout(NULL);
        return bResult;
    }
    if ((GetStyle() & WS_CHILD) == 0)
        return CExtResizablePropertySheetLayers::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    // a child sheet: its own handlers, then the application's for the program's own commands
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID < 0x8000 || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
