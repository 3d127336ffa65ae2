// Resource-template property page and the sheet-font cache (see CExtResPP.h).
#include "CExtResPP.h"
#include "CExtResDlg.h"
#include "CExtResourceManager.h"
#include <commctrl.h>

IMPLEMENT_DYNCREATE(CExtResPP, CPropertyPage)

BEGIN_MESSAGE_MAP(CExtResPP, CPropertyPage)
END_MESSAGE_MAP()

CExtResPP::FAKE_PROPPAGEFONTINFO::~FAKE_PROPPAGEFONTINFO()
{
    if (m_hFaceName != NULL)
        ::GlobalFree(m_hFaceName);
}

namespace {

CExtResPP::FAKE_PROPPAGEFONTINFO& SheetFont()
{
    static CExtResPP::FAKE_PROPPAGEFONTINFO info;
    return info;
}

}  // namespace

CExtResPP::CExtResPP() : m_lpszTemplateName_RES(NULL)
{
    SetUpPage(0, 0);
}

CExtResPP::CExtResPP(UINT nIDTemplate, UINT nIDCaption)
    : CPropertyPage(nIDTemplate, nIDCaption), m_lpszTemplateName_RES(MAKEINTRESOURCEA(nIDTemplate))
{
    SetUpPage(nIDTemplate, nIDCaption);
}

CExtResPP::~CExtResPP() {}

void CExtResPP::SetUpPage(UINT nIDTemplate, UINT nIDCaption)
{
    LPCTSTR lpszTemplate = nIDTemplate != 0 ? MAKEINTRESOURCEA(nIDTemplate) : NULL;
    memset(&m_psp, 0, sizeof m_psp);
    m_psp.dwSize = sizeof m_psp;   // the platform's record: 104 bytes on 64-bit
    m_psp.dwFlags = PSP_USECALLBACK;
    if (lpszTemplate != NULL)
        m_psp.hInstance = g_ResourceManager->FindResourceDefault(RT_DIALOG, lpszTemplate);
    m_psp.pszTemplate = lpszTemplate;
    m_psp.pfnDlgProc = AfxDlgProc;
    m_psp.lParam = (LPARAM)this;
    m_psp.pfnCallback = AfxPropPageCallback;   // hooks the page object as its window is made
    m_strCaption.Empty();
    if (nIDCaption != 0 && g_ResourceManager->LoadStringDefault(m_strCaption, nIDCaption)) {
        m_psp.pszTitle = m_strCaption;
        m_psp.dwFlags |= PSP_USETITLE;
    }
    if (AfxHelpEnabled())
        m_psp.dwFlags |= PSP_HASHELP;
    if (lpszTemplate != NULL)
        m_nIDHelp = nIDTemplate;
    m_lpszTemplateName = m_psp.pszTemplate;
    m_bFirstSetActive = TRUE;
    if (nIDTemplate == 0)
        m_lpszTemplateName_RES = NULL;
}

BOOL CExtResPP::OnInitDialog()
{
    if (m_lpszTemplateName_RES != NULL) {
        m_lpDialogInit = NULL;
        CExtResDlg::ExecuteDlgInitResource(this, m_lpszTemplateName_RES);
    }
    void* lpDialogInit = m_lpDialogInit;
    LPCTSTR lpszTemplateName = m_lpszTemplateName;
    m_lpDialogInit = NULL;
    m_lpszTemplateName = NULL;
    BOOL bResult = CPropertyPage::OnInitDialog();
    m_lpDialogInit = lpDialogInit;
    m_lpszTemplateName = lpszTemplateName;
    return bResult;
}

bool CExtResPP::GetPropSheetFont(CString& strFace, WORD& nSize, BOOL bWizard)
{
    FAKE_PROPPAGEFONTINFO& info = SheetFont();
    if (info.m_nSize == 0) {
        // the common-control library holds the sheet's own page templates; load it first so
        // the cache is never filled from nothing
        INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES};
        ::InitCommonControlsEx(&icc);
        HINSTANCE hComCtl = ::GetModuleHandleA("COMCTL32.DLL");
        if (hComCtl != NULL) {
            CExtResourceManager::ResourceMemoryBuffer buffer;
            LPCTSTR lpszId = MAKEINTRESOURCEA(bWizard > 0 ? 1020 : 1006);
            if (buffer.LoadFromModule(hComCtl, RT_DIALOG, lpszId, g_ResourceManager->GetLangIdDesired()) ||
                buffer.LoadFromModule(hComCtl, RT_DIALOG, lpszId, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL))) {
                CString strRead;
                WORD nRead = 0;
                if (buffer.GetSize() >= sizeof(DLGTEMPLATE) &&
                    CDialogTemplate::GetFont(reinterpret_cast<const DLGTEMPLATE*>(buffer.GetBuffer()), strRead, nRead) &&
                    nRead != 0 && nRead != 0xFFFF && !strRead.IsEmpty()) {
                    const int nBytes = strRead.GetLength() + 1;
                    HGLOBAL hFace = ::GlobalAlloc(GMEM_FIXED | GMEM_ZEROINIT, (SIZE_T)nBytes);
                    if (hFace != NULL) {
                        memcpy(hFace, (LPCTSTR)strRead, (size_t)nBytes);
                        info.m_hFaceName = hFace;
                        info.m_nSize = nRead;
                    }
                }
            }
        }
    }
    if (info.m_nSize == 0 || info.m_hFaceName == NULL)
        return false;
    strFace = static_cast<const char*>(info.m_hFaceName);
    nSize = info.m_nSize;
    return true;
}

HGLOBAL CExtResPP::ChangePropPageFont(LPCDLGTEMPLATE lpTemplate, BOOL bWizard)
{
    CString strSheetFace;
    WORD nSheetSize = 0;
    if (lpTemplate == NULL || !GetPropSheetFont(strSheetFace, nSheetSize, bWizard))
        return NULL;
    CString strFace;
    WORD nSize = 0;
    if (CDialogTemplate::GetFont(lpTemplate, strFace, nSize) && strFace == strSheetFace && nSize == nSheetSize)
        return NULL;
    CDialogTemplate dt(lpTemplate);
    dt.SetFont(strSheetFace, nSheetSize);
    return dt.Detach();
}

void CExtResPP::PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard)
{
    LPCDLGTEMPLATE lpTemplate = NULL;
    if (psp.dwFlags & PSP_DLGINDIRECT) {
        lpTemplate = psp.pResource;
        m_lpszTemplateName_RES = NULL;
    } else {
        HRSRC hRsrc = NULL;
        HINSTANCE hModule = g_ResourceManager->FindResourceDefault(RT_DIALOG, psp.pszTemplate, NULL, &hRsrc);
        if (hModule != NULL && hRsrc != NULL) {
            psp.hInstance = hModule;
            lpTemplate = static_cast<LPCDLGTEMPLATE>(::LockResource(::LoadResource(hModule, hRsrc)));
        }
    }
    if (lpTemplate == NULL)
        return;   // the system reports the missing template
    HGLOBAL hCopy = ChangePropPageFont(lpTemplate, bWizard);
    if (hCopy == NULL) {
        // the sheet font is there already (or unknown): the page still gets a copy of its own
        CDialogTemplate dt(lpTemplate);
        hCopy = dt.Detach();
        if (hCopy == NULL)
            return;
    }
    SetTemplateCopy(hCopy);
    psp.pResource = static_cast<LPCDLGTEMPLATE>(::GlobalLock(hCopy));
    psp.dwFlags |= PSP_DLGINDIRECT;
}
