#include "CPropertySheet.h"
#include "CDialogTemplate.h"

IMPLEMENT_DYNAMIC(CPropertySheet, CWnd)

BEGIN_MESSAGE_MAP(CPropertySheet, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
END_MESSAGE_MAP()

int CALLBACK AfxPropSheetCallback(HWND, UINT message, LPARAM lParam)
{
    return AfxCallbackBarrier(0, [&] {
        if (message != PSCB_PRECREATE)
            return 0;
        // the sheet being made waits for its window in the creation hook
        CPropertySheet* pSheet = DYNAMIC_DOWNCAST(CPropertySheet, AfxGetThreadState()->m_pWndInit);
        if (pSheet == NULL || pSheet->m_dwCreateStyle == (DWORD)-1)
            return 0;
        DLGTEMPLATE* pTemplate = reinterpret_cast<DLGTEMPLATE*>(lParam);
        DWORD dwStyle = pSheet->m_dwCreateStyle;
        if (dwStyle & WS_CHILD) {
            // a child sheet: no frame of its own, part of its parent's tab order
            dwStyle &= ~(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | WS_THICKFRAME);
            dwStyle |= WS_CHILD | WS_TABSTOP;
        }
        // keep the font the system chose
        DWORD dwOld = CDialogTemplate::GetStyle(pTemplate);
        CDialogTemplate::SetStyle(pTemplate, dwStyle | (dwOld & (DS_SETFONT | DS_3DLOOK | DS_CONTROL)));
        DWORD dwExStyle = CDialogTemplate::GetExStyle(pTemplate) | pSheet->m_dwCreateExStyle;
        if (dwStyle & WS_CHILD)
            dwExStyle |= WS_EX_CONTROLPARENT;
        CDialogTemplate::SetExStyle(pTemplate, dwExStyle);
        return 0;
    });
}

CPropertySheet::CPropertySheet() : m_psh(), m_pParentWnd(NULL), m_dwCreateStyle((DWORD)-1), m_dwCreateExStyle(0),
                                   m_bModeless(FALSE)
{
    CommonConstruct(NULL, 0);
}

CPropertySheet::CPropertySheet(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(nIDCaption, pParentWnd, iSelectPage);
}

CPropertySheet::CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage) : CPropertySheet()
{
    Construct(pszCaption, pParentWnd, iSelectPage);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::Construct(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption.LoadString(nIDCaption);
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::Construct(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
{
    m_strCaption = pszCaption != NULL ? pszCaption : "";
    CommonConstruct(pParentWnd, iSelectPage);
}

void CPropertySheet::CommonConstruct(CWnd* pParentWnd, UINT iSelectPage)
{
    memset(&m_psh, 0, sizeof m_psh);
    m_psh.dwSize = sizeof m_psh;
    m_psh.dwFlags = PSH_PROPSHEETPAGE;
    m_psh.nStartPage = iSelectPage;
    m_pParentWnd = pParentWnd;
}

// ---- Pages -----------------------------------------------------------------------------------------

int CPropertySheet::GetPageCount() const
{
    return (int)m_pages.GetSize();
}

CPropertyPage* CPropertySheet::GetPage(int nPage) const
{
    return nPage >= 0 && nPage < GetPageCount() ? static_cast<CPropertyPage*>(m_pages[nPage]) : NULL;
}

int CPropertySheet::GetPageIndex(CPropertyPage* pPage) const
{
    for (int i = 0; i < GetPageCount(); i++) {
        if (GetPage(i) == pPage)
            return i;
    }
    return -1;
}

void CPropertySheet::AddPage(CPropertyPage* pPage)
{
    m_pages.Add(pPage);
    if (m_hWnd == NULL)
        return;
    // the sheet runs: the system gets a record of its own for the page
    PROPSHEETPAGEA psp = pPage->m_psp;
    if (!pPage->m_strCaption.IsEmpty()) {
        psp.pszTitle = pPage->m_strCaption;
        psp.dwFlags |= PSP_USETITLE;
    }
    pPage->PreProcessPageTemplate(psp, IsWizard());
    HPROPSHEETPAGE hPage = ::CreatePropertySheetPageA(&psp);
    if (hPage == NULL || !::SendMessageA(m_hWnd, PSM_ADDPAGE, 0, (LPARAM)hPage)) {
        if (hPage != NULL)
            ::DestroyPropertySheetPage(hPage);
        m_pages.RemoveAt(m_pages.GetSize() - 1);
        AfxThrowResourceException();
    }
}

void CPropertySheet::RemovePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    if (nPage >= 0)
        RemovePage(nPage);
}

void CPropertySheet::RemovePage(int nPage)
{
    if (nPage < 0 || nPage >= GetPageCount())
        return;
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_REMOVEPAGE, (WPARAM)nPage, 0);
    m_pages.RemoveAt(nPage);
}

CWnd* CPropertySheet::GetTabControl() const
{
    return CWnd::FromHandle((HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0));
}

int CPropertySheet::GetActiveIndex() const
{
    if (m_hWnd == NULL)
        return (int)m_psh.nStartPage;
    HWND hWndTab = (HWND)::SendMessageA(m_hWnd, PSM_GETTABCONTROL, 0, 0);
    return hWndTab != NULL ? (int)::SendMessageA(hWndTab, TCM_GETCURSEL, 0, 0) : -1;
}

CPropertyPage* CPropertySheet::GetActivePage() const
{
    if (m_hWnd != NULL) {
        // the page the system shows (its index is not the tab's in a wizard)
        HWND hWndPage = (HWND)::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0);
        return DYNAMIC_DOWNCAST(CPropertyPage, CWnd::FromHandlePermanent(hWndPage));
    }
    return GetPage(GetActiveIndex());
}

BOOL CPropertySheet::SetActivePage(int nPage)
{
    if (m_hWnd == NULL) {
        m_psh.nStartPage = (UINT)nPage;
        return TRUE;
    }
    return (BOOL)::SendMessageA(m_hWnd, PSM_SETCURSEL, (WPARAM)nPage, 0);
}

BOOL CPropertySheet::SetActivePage(CPropertyPage* pPage)
{
    int nPage = GetPageIndex(pPage);
    return nPage >= 0 && SetActivePage(nPage);
}

void CPropertySheet::SetTitle(LPCTSTR lpszText, UINT nStyle)
{
    m_psh.dwFlags = (m_psh.dwFlags & ~PSH_PROPTITLE) | (nStyle & PSH_PROPTITLE);
    m_strCaption = lpszText;
    if (m_hWnd != NULL)
        ::SendMessageA(m_hWnd, PSM_SETTITLEA, nStyle, (LPARAM)lpszText);
}

void CPropertySheet::SetWizardMode()
{
    m_psh.dwFlags |= PSH_WIZARD;
}

void CPropertySheet::SetWizardButtons(DWORD dwFlags)
{
    ::PostMessageA(m_hWnd, PSM_SETWIZBUTTONS, 0, dwFlags);
}

void CPropertySheet::SetFinishText(LPCTSTR lpszText)
{
    ::SendMessageA(m_hWnd, PSM_SETFINISHTEXTA, 0, (LPARAM)lpszText);
}

BOOL CPropertySheet::PressButton(int nButton)
{
    return (BOOL)::SendMessageA(m_hWnd, PSM_PRESSBUTTON, (WPARAM)nButton, 0);
}

LRESULT CPropertySheet::MapTemplateId(LRESULT nIDTemplate) const
{
    // the system compares a page's template field with the answer; for pages given by
    // pointer that field is the pointer
    const PROPSHEETPAGEA* pRecords = m_psh.ppsp;
    for (int i = 0; i < GetPageCount() && pRecords != NULL && i < (int)m_psh.nPages; i++) {
        const PROPSHEETPAGEA& original = GetPage(i)->m_psp;
        if (IS_INTRESOURCE(original.pszTemplate) && (LRESULT)(UINT_PTR)original.pszTemplate == nIDTemplate) {
            const PROPSHEETPAGEA* pRecord = reinterpret_cast<const PROPSHEETPAGEA*>(
                reinterpret_cast<const BYTE*>(pRecords) + (size_t)i * pRecords->dwSize);
            return (pRecord->dwFlags & PSP_DLGINDIRECT) ? (LRESULT)pRecord->pResource
                                                        : (LRESULT)pRecord->pszTemplate;
        }
    }
    return nIDTemplate;
}

void CPropertySheet::BuildPropPageArray()
{
    m_pageRecords.assign((size_t)GetPageCount(), PROPSHEETPAGEA());
    const BOOL bWizard = IsWizard();
    for (int i = 0; i < GetPageCount(); i++) {
        CPropertyPage* pPage = GetPage(i);
        PROPSHEETPAGEA& psp = m_pageRecords[(size_t)i];
        psp = pPage->m_psp;
        if (!pPage->m_strCaption.IsEmpty()) {
            psp.pszTitle = pPage->m_strCaption;
            psp.dwFlags |= PSP_USETITLE;
        }
        pPage->PreProcessPageTemplate(psp, bWizard);
    }
    m_psh.ppsp = m_pageRecords.empty() ? NULL : m_pageRecords.data();
    m_psh.nPages = (UINT)m_pageRecords.size();
    m_psh.dwFlags |= PSH_PROPSHEETPAGE;
}

// ---- Running -----------------------------------------------------------------------------------

BOOL CPropertySheet::Create(CWnd* pParentWnd, DWORD dwStyle, DWORD dwExStyle)
{
    if (dwStyle == (DWORD)-1)
        dwStyle = DS_MODALFRAME | DS_3DLOOK | WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU;
    m_dwCreateStyle = dwStyle;
    m_dwCreateExStyle = dwExStyle;
    if (pParentWnd == NULL && !(dwStyle & WS_CHILD))
        pParentWnd = m_pParentWnd != NULL ? m_pParentWnd : AfxGetMainWnd();
    BuildPropPageArray();
    m_psh.hwndParent = pParentWnd->GetSafeHwnd();
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_bModeless = TRUE;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    BOOL bAttached = AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;
    if (hWnd == NULL || hWnd == (HWND)-1 || !bAttached) {
        if (hWnd != NULL && hWnd != (HWND)-1)
            ::DestroyWindow(hWnd);
        m_bModeless = FALSE;
        return FALSE;
    }
    return TRUE;
}

INT_PTR CPropertySheet::DoModal()
{
    HWND hWndTop = NULL;
    HWND hWndParent = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop)->GetSafeHwnd();
    BuildPropPageArray();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    m_dwCreateStyle = (DWORD)-1;
    m_psh.hwndParent = hWndParent;
    m_psh.hInstance = AfxGetResourceHandle();
    m_psh.pszCaption = m_strCaption;
    m_psh.dwFlags |= PSH_MODELESS | PSH_USECALLBACK;
    m_psh.pfnCallback = AfxPropSheetCallback;
    m_bModeless = FALSE;
    m_nModalResult = -1;

    INT_PTR nResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    HWND hWnd = (HWND)::PropertySheetA(&m_psh);
    AfxUnhookWindowCreate();
    m_psh.dwFlags &= ~PSH_MODELESS;
    if (hWnd != NULL && hWnd != (HWND)-1 && m_hWnd == hWnd) {
        try {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
            if (m_nModalResult != -1) {
                nResult = m_nModalResult;  // EndDialog (or EndModalLoop) said how it ended
            } else if (m_hWnd != NULL) {
                // the system's verdict: above 0 for OK or Finish, 0 for Cancel
                LRESULT lResult = ::SendMessageA(m_hWnd, PSM_GETRESULT, 0, 0);
                nResult = lResult > 0 ? (IsWizard() ? ID_WIZFINISH : IDOK) : IDCANCEL;
            }
        } catch (CException* e) {
            e->Delete();
            nResult = -1;
        }
        m_nFlags &= ~WF_CONTINUEMODAL;
    } else if (hWnd != NULL && hWnd != (HWND)-1) {
        ::DestroyWindow(hWnd);  // never attached to this object
    }
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && m_hWnd != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    return nResult;
}

BOOL CPropertySheet::ContinueModal()
{
    if (!CWnd::ContinueModal())
        return FALSE;
    // OK, Cancel and Finish leave the system's sheet without a current page
    return ::SendMessageA(m_hWnd, PSM_GETCURRENTPAGEHWND, 0, 0) != 0;
}

void CPropertySheet::EndDialog(int nEndID)
{
    if (m_bModeless) {
        DestroyWindow();
        return;
    }
    EndModalLoop(nEndID);
    ::PostMessageA(m_hWnd, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
}

LRESULT CPropertySheet::HandleInitDialog(WPARAM, LPARAM)
{
    LRESULT lResult = Default();  // the system makes the first page
    OnInitDialog();
    return lResult;
}

BOOL CPropertySheet::OnInitDialog()
{
    return TRUE;
}

BOOL CPropertySheet::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    if ((pMsg->message < WM_KEYFIRST || pMsg->message > WM_KEYLAST) &&
        (pMsg->message < WM_MOUSEFIRST || pMsg->message > WM_MOUSELAST))
        return FALSE;
    if (pMsg->hwnd != m_hWnd && !::IsChild(m_hWnd, pMsg->hwnd))
        return FALSE;
    return (BOOL)::SendMessageA(m_hWnd, PSM_ISDIALOGMESSAGE, 0, (LPARAM)pMsg);
}

BOOL CPropertySheet::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    // the sheet's buttons are the system's (OK, Cancel, Apply, the wizard's): never routed on
    if (nID == IDOK || nID == IDCANCEL || nID == ID_APPLY_NOW || nID == IDHELP ||
        (nID >= ID_WIZBACK && nID <= ID_WIZFINISH))
        return FALSE;
    if ((nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID == 0 || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}
