#include "CPropertyPage.h"
#include "CDialogTemplate.h"
#include "CPropertySheet.h"

IMPLEMENT_DYNAMIC(CPropertyPage, CDialog)

UINT CALLBACK AfxPropPageCallback(HWND, UINT message, LPPROPSHEETPAGEA pPropPage)
{
    return AfxCallbackBarrier((UINT)0, [&]() -> UINT {
        switch (message) {
        case PSPCB_CREATE:
            // the next window the thread makes is this page
            AfxHookWindowCreate(reinterpret_cast<CPropertyPage*>(pPropPage->lParam));
            return 1;
        case PSPCB_RELEASE:
            AfxUnhookWindowCreate();
            return 0;
        default:
            return 1;
        }
    });
}

CPropertyPage::CPropertyPage() : m_psp(), m_bFirstSetActive(TRUE), m_hTemplateCopy(NULL)
{
    CommonConstruct(NULL, 0);
}

CPropertyPage::CPropertyPage(UINT nIDTemplate, UINT nIDCaption) : CPropertyPage()
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

CPropertyPage::CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption) : CPropertyPage()
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

CPropertyPage::~CPropertyPage()
{
    SetTemplateCopy(NULL);
}

void CPropertyPage::Construct(UINT nIDTemplate, UINT nIDCaption)
{
    CommonConstruct(MAKEINTRESOURCEA(nIDTemplate), nIDCaption);
}

void CPropertyPage::Construct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    CommonConstruct(lpszTemplateName, nIDCaption);
}

void CPropertyPage::CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption)
{
    memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = sizeof m_psp;
    m_psp.dwFlags = PSP_USECALLBACK;
    if (lpszTemplateName != NULL)
        m_psp.hInstance = AfxFindResourceHandle(lpszTemplateName, RT_DIALOG);
    m_psp.pszTemplate = lpszTemplateName;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;
    m_strCaption.Empty();
    if (nIDCaption != 0)
        m_strCaption.LoadString(nIDCaption);
    if (IS_INTRESOURCE(lpszTemplateName))
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
    m_lpszTemplateName = lpszTemplateName;
    m_bFirstSetActive = TRUE;
}

void CPropertyPage::SetTemplateCopy(HGLOBAL hTemplate)
{
    if (m_hTemplateCopy != NULL) {
        ::GlobalUnlock(m_hTemplateCopy);
        ::GlobalFree(m_hTemplateCopy);
    }
    m_hTemplateCopy = hTemplate;
}

void CPropertyPage::PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL)
{
    const DLGTEMPLATE* pTemplate = NULL;
    if (psp.dwFlags & PSP_DLGINDIRECT) {
        pTemplate = psp.pResource;
    } else {
        HRSRC hResource = ::FindResourceA(psp.hInstance, psp.pszTemplate, RT_DIALOG);
        if (hResource != NULL)
            pTemplate = static_cast<const DLGTEMPLATE*>(::LockResource(::LoadResource(psp.hInstance, hResource)));
    }
    if (pTemplate == NULL)
        return;  // the system reports the missing template
    CDialogTemplate copy(pTemplate);
    HGLOBAL hCopy = copy.Detach();
    if (hCopy == NULL)
        return;
    SetTemplateCopy(hCopy);
    psp.pResource = static_cast<const DLGTEMPLATE*>(::GlobalLock(hCopy));
    psp.dwFlags |= PSP_DLGINDIRECT;
}

CPropertySheet* CPropertyPage::GetParentSheet() const
{
    return DYNAMIC_DOWNCAST(CPropertySheet, CWnd::FromHandlePermanent(::GetParent(m_hWnd)));
}

void CPropertyPage::SetModified(BOOL bChanged)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != NULL)
        ::SendMessageA(hWndSheet, bChanged ? PSM_CHANGED : PSM_UNCHANGED, (WPARAM)m_hWnd, 0);
}

void CPropertyPage::CancelToClose()
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    if (hWndSheet != NULL)
        ::SendMessageA(hWndSheet, PSM_CANCELTOCLOSE, 0, 0);
}

LRESULT CPropertyPage::QuerySiblings(WPARAM wParam, LPARAM lParam)
{
    HWND hWndSheet = ::GetParent(m_hWnd);
    return hWndSheet != NULL ? ::SendMessageA(hWndSheet, PSM_QUERYSIBLINGS, wParam, lParam) : 0;
}

BOOL CPropertyPage::OnSetActive()
{
    if (m_bFirstSetActive)
        m_bFirstSetActive = FALSE;  // OnInitDialog has just filled the controls
    else
        UpdateData(FALSE);
    return TRUE;
}

BOOL CPropertyPage::OnKillActive()
{
    return UpdateData(TRUE);
}

BOOL CPropertyPage::OnApply()
{
    OnOK();
    return TRUE;
}

void CPropertyPage::OnReset()
{
    OnCancel();
}

void CPropertyPage::OnOK()
{
    if (m_nFlags & WF_MODALLOOP)
        CDialog::OnOK();  // the page runs as a dialog of its own
}

void CPropertyPage::OnCancel()
{
    if (m_nFlags & WF_MODALLOOP)
        CDialog::OnCancel();
}

BOOL CPropertyPage::OnQueryCancel()
{
    return TRUE;
}

LRESULT CPropertyPage::OnWizardBack()
{
    return 0;
}

LRESULT CPropertyPage::OnWizardNext()
{
    return 0;
}

BOOL CPropertyPage::OnWizardFinish()
{
    return TRUE;
}

LRESULT CPropertyPage::MapWizardResult(LRESULT lResult) const
{
    if (lResult == 0 || lResult == -1)
        return lResult;
    CPropertySheet* pSheet = GetParentSheet();
    return pSheet != NULL ? pSheet->MapTemplateId(lResult) : lResult;
}

BOOL CPropertyPage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    // the page's own map first (ON_NOTIFY entries)
    if (CDialog::OnNotify(wParam, lParam, pResult))
        return TRUE;
    NMHDR* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (pNMHDR->hwndFrom != m_hWnd && pNMHDR->hwndFrom != ::GetParent(m_hWnd))
        return FALSE;  // a control's notification nobody handled
    LRESULT lResult = 0;
    switch (pNMHDR->code) {
    case PSN_SETACTIVE:
        lResult = OnSetActive() ? 0 : -1;
        break;
    case PSN_KILLACTIVE:
        lResult = !OnKillActive();
        break;
    case PSN_APPLY:
        lResult = OnApply() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE;
        break;
    case PSN_RESET:
        OnReset();
        break;
    case PSN_QUERYCANCEL:
        lResult = !OnQueryCancel();
        break;
    case PSN_WIZNEXT:
        lResult = MapWizardResult(OnWizardNext());
        break;
    case PSN_WIZBACK:
        lResult = MapWizardResult(OnWizardBack());
        break;
    case PSN_WIZFINISH:
        lResult = !OnWizardFinish();
        break;
    case PSN_HELP:
        SendMessage(WM_COMMAND, ID_HELP);
        break;
    default:
        return FALSE;
    }
    // the answer travels as the window procedure's result and, for the dialog manager's
    // readers, in the dialog's message result
    if (::IsWindow(m_hWnd))
        ::SetWindowLongPtrA(m_hWnd, DWLP_MSGRESULT, lResult);
    *pResult = lResult;
    return TRUE;
}

BOOL CPropertyPage::PreTranslateMessage(MSG* pMsg)
{
    // on a sheet the sheet handles the keyboard; alone the page is a dialog
    if (::GetWindowLongA(m_hWnd, GWL_STYLE) & WS_CHILD)
        return CWnd::PreTranslateMessage(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}
