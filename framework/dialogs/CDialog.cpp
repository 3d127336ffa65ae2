#include "CDialog.h"
#include "CDataExchange.h"

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog()
    : m_lpszTemplateName(NULL), m_hDialogTemplate(NULL), m_lpDialogTemplate(NULL), m_lpDialogInit(NULL),
      m_pParentWnd(NULL), m_hWndTop(NULL), m_nIDHelp(0)
{
}

CDialog::CDialog(LPCTSTR lpszTemplateName, CWnd* pParentWnd) : CDialog()
{
    m_lpszTemplateName = lpszTemplateName;
    m_pParentWnd = pParentWnd;
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(MAKEINTRESOURCEA(nIDTemplate), pParentWnd) {}

CDialog::~CDialog() = default;

// ---- The dialog procedure ----------------------------------------------------------------------

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    if (message != WM_INITDIALOG)
        return FALSE;  // the message map had its turn before the dialog manager called us
    CDialog* pDlg = DYNAMIC_DOWNCAST(CDialog, CWnd::FromHandlePermanent(hWnd));
    if (pDlg == NULL)
        return TRUE;
    bool bDone = false;
    INT_PTR nResult = AfxCallbackBarrier((INT_PTR)FALSE, [&]() -> INT_PTR {
        BOOL bFocus = pDlg->OnInitDialog();
        bDone = true;
        return bFocus;
    });
    if (!bDone && CWnd::FromHandlePermanent(hWnd) == pDlg) {
        // a dialog whose set-up failed half-way is not shown
        AfxCallbackBarrier(0, [&] {
            pDlg->EndDialog(-1);
            return 0;
        });
    }
    return nResult;
}

// ---- Creation ----------------------------------------------------------------------------------

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CDialog::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    HRSRC hResource = ::FindResourceA(hInst, lpszTemplateName, RT_DIALOG);
    if (hResource == NULL)
        return FALSE;
    HGLOBAL hTemplate = ::LoadResource(hInst, hResource);
    return hTemplate != NULL && CreateIndirect(hTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    LPCDLGTEMPLATE lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hDialogTemplate));
    return lpTemplate != NULL && CreateIndirect(lpTemplate, pParentWnd, NULL, hInst);
}

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit, HINSTANCE hInst)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CDialog::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    if (hInst == NULL)
        hInst = AfxGetInstanceHandle();
    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpDialogTemplate, pParentWnd->GetSafeHwnd(), AfxDlgProc, 0);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy();  // no window was ever attached
    // ended while it was being made (EndDialog in OnInitDialog): it never shows
    if (hWnd != NULL && !(m_nFlags & WF_CONTINUEMODAL)) {
        ::DestroyWindow(hWnd);
        hWnd = NULL;
    }
    return hWnd != NULL || !(m_nFlags & WF_CONTINUEMODAL);
}

// ---- Modal -------------------------------------------------------------------------------------

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit)
{
    m_lpDialogTemplate = lpDialogTemplate;
    m_pParentWnd = pParentWnd;
    m_lpDialogInit = lpDialogInit;
    return TRUE;
}

BOOL CDialog::InitModalIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd)
{
    m_hDialogTemplate = hDialogTemplate;
    m_pParentWnd = pParentWnd;
    return TRUE;
}

HWND CDialog::PreModal()
{
    // the application's own modeless windows stay usable only through the modal one
    HWND hWndTop = NULL;
    CWnd* pOwner = CWnd::GetSafeOwner(m_pParentWnd, &hWndTop);
    m_hWndTop = hWndTop;
    return pOwner->GetSafeHwnd();
}

void CDialog::PostModal()
{
    m_hWndTop = NULL;
}

INT_PTR CDialog::DoModal()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HGLOBAL hTemplate = m_hDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName != NULL) {
        hInst = AfxFindResourceHandle(m_lpszTemplateName, RT_DIALOG);
        HRSRC hResource = ::FindResourceA(hInst, m_lpszTemplateName, RT_DIALOG);
        hTemplate = hResource != NULL ? ::LoadResource(hInst, hResource) : NULL;
    }
    if (hTemplate != NULL)
        lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(hTemplate));
    if (lpTemplate == NULL)
        return -1;

    HWND hWndParent = PreModal();
    AfxUnhookWindowCreate();
    BOOL bEnableParent = FALSE;
    if (hWndParent != NULL && hWndParent != ::GetDesktopWindow() && ::IsWindowEnabled(hWndParent)) {
        ::EnableWindow(hWndParent, FALSE);
        bEnableParent = TRUE;
    }
    try {
        if (CreateDlgIndirect(lpTemplate, CWnd::FromHandle(hWndParent), hInst) && (m_nFlags & WF_CONTINUEMODAL) &&
            m_hWnd != NULL) {
            DWORD dwFlags = MLF_SHOWONIDLE;
            if (GetStyle() & DS_NOIDLEMSG)
                dwFlags |= MLF_NOIDLEMSG;
            RunModalLoop(dwFlags);
        }
        if (m_hWnd != NULL)
            ::SetWindowPos(m_hWnd, NULL, 0, 0, 0, 0,
                           SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    } catch (CException* e) {
        e->Delete();
        m_nModalResult = -1;
    }
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

// ---- Focus and keyboard ------------------------------------------------------------------------

void CDialog::NextDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0);
}

void CDialog::PrevDlgCtrl() const
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0);
}

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl)
{
    ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, (WPARAM)pWndCtrl->GetSafeHwnd(), 1);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    return PreTranslateInput(pMsg);
}

BOOL CDialog::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if ((nCode != (int)CN_COMMAND && nCode != (int)CN_UPDATE_COMMAND_UI) || nID == 0 || nID >= 0xF000)
        return FALSE;
    CWinThread* pThread = AfxGetThread();
    return pThread != NULL && pThread->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

// ---- Default handlers --------------------------------------------------------------------------

BOOL CDialog::OnInitDialog()
{
    BOOL bDlgInit = m_lpDialogInit != NULL ? ExecuteDlgInit(m_lpDialogInit) : ExecuteDlgInit(m_lpszTemplateName);
    if (!bDlgInit) {
        EndDialog(-1);
        return FALSE;
    }
    UpdateData(FALSE);
    if (HWND hWndHelp = ::GetDlgItem(m_hWnd, ID_HELP))
        ::ShowWindow(hWndHelp, AfxHelpEnabled() ? SW_SHOW : SW_HIDE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (!UpdateData(TRUE))
        return;  // the user was told what is wrong; the dialog stays
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    return AfxUpdateData(this, bSaveAndValidate);
}
