// Resource-template dialog (see CExtResDlg.h).
#include "CExtResDlg.h"
#include "CExtResPP.h"
#include "CExtResourceManager.h"
#include <commctrl.h>

#ifndef RT_DLGINIT
#define RT_DLGINIT MAKEINTRESOURCEA(240)   // not in the platform headers
#endif

IMPLEMENT_DYNCREATE(CExtResDlg, CDialog)

BEGIN_MESSAGE_MAP(CExtResDlg, CDialog)
END_MESSAGE_MAP()

namespace {

bool IsFaceOf(const CString& face, const char* name) { return face.CompareNoCase(name) == 0; }

// Loads and locks a resource found through the resource manager; NULL when it is nowhere or
// cannot be loaded. Its size goes to pnSize.
const void* LoadFromManager(LPCTSTR lpszType, LPCTSTR lpszName, HINSTANCE* phModule, DWORD* pnSize = NULL)
{
    HRSRC hRsrc = NULL;
    HINSTANCE hModule = g_ResourceManager->FindResourceDefault(lpszType, lpszName, NULL, &hRsrc);
    if (phModule != NULL)
        *phModule = hModule;
    if (hModule == NULL || hRsrc == NULL)
        return NULL;
    HGLOBAL hData = ::LoadResource(hModule, hRsrc);
    if (hData == NULL)
        return NULL;
    if (pnSize != NULL)
        *pnSize = ::SizeofResource(hModule, hRsrc);
    return ::LockResource(hData);
}

}  // namespace

CExtResDlg::CExtResDlg() : m_lpszTemplateName_RES(NULL) {}

CExtResDlg::CExtResDlg(UINT nIDTemplate, CWnd* pParentWnd)
    : CDialog(nIDTemplate, pParentWnd), m_lpszTemplateName_RES(NULL) {}

CExtResDlg::CExtResDlg(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
    : CDialog(lpszTemplateName, pParentWnd), m_lpszTemplateName_RES(NULL) {}

CExtResDlg::~CExtResDlg() {}

INT_PTR CExtResDlg::DoModal()
{
    m_lpszTemplateName_RES = m_lpszTemplateName;
    return DoModalFromResource();
}

INT_PTR CExtResDlg::DoModalFromResource()
{
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    HGLOBAL hTemplate = m_hDialogTemplate;
    HINSTANCE hInst = AfxGetResourceHandle();
    if (m_lpszTemplateName_RES != NULL) {
        lpTemplate = static_cast<LPCDLGTEMPLATE>(LoadFromManager(RT_DIALOG, m_lpszTemplateName_RES, &hInst));
        hTemplate = NULL;
    }
    if (hTemplate != NULL)
        lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hTemplate));
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
    if (hTemplate != NULL)
        ::GlobalUnlock(hTemplate);
    if (bEnableParent)
        ::EnableWindow(hWndParent, TRUE);
    if (hWndParent != NULL && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndParent);
    DestroyWindow();
    PostModal();
    return m_nModalResult;
}

BOOL CExtResDlg::Create(LPCTSTR lpszTemplateName, CWnd* pParentWnd)
{
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName) && m_nIDHelp == 0)
        m_nIDHelp = LOWORD((UINT_PTR)lpszTemplateName);
    m_lpszTemplateName_RES = lpszTemplateName;
    HINSTANCE hInst = NULL;
    LPCDLGTEMPLATE lpTemplate = static_cast<LPCDLGTEMPLATE>(LoadFromManager(RT_DIALOG, lpszTemplateName, &hInst));
    if (lpTemplate == NULL)
        return FALSE;
    return CreateIndirect(lpTemplate, pParentWnd, NULL, hInst);
}

BOOL CExtResDlg::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd);
}

BOOL CExtResDlg::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void* lpDialogInit, HINSTANCE hInst)
{
    if (pParentWnd == NULL)
        pParentWnd = AfxGetMainWnd();
    m_lpDialogInit = lpDialogInit;
    return CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
}

BOOL CExtResDlg::CreateIndirect(HGLOBAL hDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    LPCDLGTEMPLATE lpTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hDialogTemplate));
    if (lpTemplate == NULL)
        return FALSE;
    BOOL bResult = CreateIndirect(lpTemplate, pParentWnd, NULL, hInst);
    ::GlobalUnlock(hDialogTemplate);
    return bResult;
}

BOOL CExtResDlg::CreateDlgIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, HINSTANCE hInst)
{
    HGLOBAL hSynced = SyncTemplateFont(lpDialogTemplate);
    if (hSynced != NULL)
        lpDialogTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hSynced));
    if (hInst == NULL)
        hInst = AfxGetInstanceHandle();
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES};
    ::InitCommonControlsEx(&icc);

    // No font in the template, or a double-byte system with one of the classic faces: the
    // system's font, at size 0 for the double-byte case of size 8.
    HGLOBAL hSystemFont = NULL;
    CString strFace;
    WORD nSize = 0;
    const BOOL bHasFont = CDialogTemplate::GetFont(lpDialogTemplate, strFace, nSize);
    bool bUseSystemFont = !bHasFont;
    if (bHasFont && ::GetSystemMetrics(SM_DBCSENABLED) &&
        (IsFaceOf(strFace, "MS Shell Dlg") || IsFaceOf(strFace, "MS Sans Serif") || IsFaceOf(strFace, "Helv"))) {
        bUseSystemFont = true;
        if (nSize == 8)
            nSize = 0;
    }
    if (bUseSystemFont) {
        CDialogTemplate dt(lpDialogTemplate);
        dt.SetSystemFont(nSize);
        hSystemFont = dt.Detach();
        if (hSystemFont != NULL)
            lpDialogTemplate = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hSystemFont));
    }

    BOOL bResult = FALSE;
    if (lpDialogTemplate != NULL) {
        try {
            bResult = CDialog::CreateDlgIndirect(lpDialogTemplate, pParentWnd, hInst);
        } catch (CException* e) {
            e->Delete();
            m_nModalResult = -1;
            bResult = m_hWnd != NULL || !(m_nFlags & WF_CONTINUEMODAL);
        }
    }
    for (HGLOBAL h : {hSystemFont, hSynced}) {
        if (h != NULL) {
            ::GlobalUnlock(h);
            ::GlobalFree(h);
        }
    }
    return bResult;
}

BOOL CExtResDlg::OnInitDialog()
{
    if (m_lpszTemplateName_RES != NULL) {
        m_lpDialogInit = NULL;
        ExecuteDlgInitFromResource(m_lpszTemplateName_RES);
    }
    void* lpDialogInit = m_lpDialogInit;
    LPCTSTR lpszTemplateName = m_lpszTemplateName;
    m_lpDialogInit = NULL;
    m_lpszTemplateName = NULL;
    BOOL bResult = CDialog::OnInitDialog();
    m_lpDialogInit = lpDialogInit;
    m_lpszTemplateName = lpszTemplateName;
    return bResult;
}

BOOL CExtResDlg::ExecuteDlgInitFromResource(LPCTSTR lpszResourceName)
{
    return ExecuteDlgInitResource(this, lpszResourceName);
}

BOOL CExtResDlg::ExecuteDlgInitResource(CWnd* pWnd, LPCTSTR lpszResourceName)
{
    const BYTE* pData = NULL;
    DWORD nSize = 0;
    if (lpszResourceName != NULL) {
        HRSRC hRsrc = NULL;
        HINSTANCE hModule = g_ResourceManager->FindResourceDefault(RT_DLGINIT, lpszResourceName, NULL, &hRsrc);
        if (hModule != NULL && hRsrc != NULL) {
            HGLOBAL hData = ::LoadResource(hModule, hRsrc);
            if (hData == NULL)
                return FALSE;
            pData = static_cast<const BYTE*>(::LockResource(hData));
            if (pData == NULL)
                return FALSE;
            nSize = ::SizeofResource(hModule, hRsrc);
        }
    }
    return ExecuteDlgInitBlock(pWnd, pData, nSize);
}

BOOL CExtResDlg::ExecuteDlgInitBlock(CWnd* pWnd, const BYTE* pData, DWORD nSize)
{
    BOOL bSuccess = TRUE;
    if (pData != NULL) {
        DWORD nPos = 0;
        for (;;) {
            // a block may end without its closing 0 exactly at its size
            if (nSize - nPos < sizeof(WORD))
                break;
            WORD nIDC;
            memcpy(&nIDC, pData + nPos, sizeof nIDC);
            if (nIDC == 0)
                break;
            if (nSize - nPos < 2 * sizeof(WORD) + sizeof(DWORD)) {
                bSuccess = FALSE;   // a record head cut short
                break;
            }
            WORD nMsg;
            DWORD nLen;
            memcpy(&nMsg, pData + nPos + 2, sizeof nMsg);
            memcpy(&nLen, pData + nPos + 4, sizeof nLen);
            nPos += 8;
            if (nLen > nSize - nPos) {
                bSuccess = FALSE;   // the data runs past the block
                break;
            }
            const char* pText = reinterpret_cast<const char*>(pData + nPos);
            nPos += nLen;
            UINT nSend;
            switch (nMsg) {
            case 0x1234:
                nSend = CBEM_INSERTITEMA;
                break;
            case 0x401:
            case LB_ADDSTRING:
                nSend = LB_ADDSTRING;
                break;
            case 0x403:
            case CB_ADDSTRING:
                nSend = CB_ADDSTRING;
                break;
            default:
                continue;   // a record of some other kind: skipped
            }
            if (memchr(pText, '\0', nLen) == NULL) {
                bSuccess = FALSE;   // a text without its terminator inside the record
                break;
            }
            LRESULT lResult;
            if (nSend == CBEM_INSERTITEMA) {
                COMBOBOXEXITEMA item = {};
                item.mask = CBEIF_TEXT;
                item.iItem = -1;
                item.pszText = const_cast<char*>(pText);
                lResult = pWnd->SendDlgItemMessage(nIDC, nSend, 0, (LPARAM)&item);
            } else {
                lResult = pWnd->SendDlgItemMessage(nIDC, nSend, 0, (LPARAM)pText);
            }
            if (lResult == -1) {
                bSuccess = FALSE;
                break;
            }
        }
    }
    if (bSuccess)
        pWnd->SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, FALSE, FALSE);
    return bSuccess;
}

HGLOBAL CExtResDlg::SyncTemplateFont(LPCDLGTEMPLATE lpTemplate)
{
    if (lpTemplate == NULL)
        return NULL;
    CDialogTemplate dt(lpTemplate);
    CString strSheetFace;
    WORD nSheetSize = 0;
    if (CExtResPP::GetPropSheetFont(strSheetFace, nSheetSize, FALSE)) {
        CString strFace;
        WORD nSize = 0;
        if (dt.GetFont(strFace, nSize) && !(strFace == strSheetFace && nSize == nSheetSize) &&
            (IsFaceOf(strFace, "MS Sans Serif") || IsFaceOf(strFace, "MS Shell Dlg")) && nSize == nSheetSize)
            dt.SetFont(strSheetFace, nSheetSize);
    }
    return dt.Detach();
}
