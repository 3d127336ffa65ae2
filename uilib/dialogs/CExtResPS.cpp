// Resource-template property sheet (see CExtResPS.h).
#include "CExtResPS.h"

IMPLEMENT_DYNCREATE(CExtResPS, CPropertySheet)

BEGIN_MESSAGE_MAP(CExtResPS, CPropertySheet)
END_MESSAGE_MAP()

CExtResPS::CExtResPS() {}

CExtResPS::CExtResPS(UINT nIDCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(nIDCaption, pParentWnd, iSelectPage) {}

CExtResPS::CExtResPS(LPCTSTR pszCaption, CWnd* pParentWnd, UINT iSelectPage)
    : CPropertySheet(pszCaption, pParentWnd, iSelectPage) {}

CExtResPS::~CExtResPS() {}

void CExtResPS::BuildPropPageArray()
{
    // The framework's array is a vector of the platform's PROPSHEETPAGEA records (dwSize equal
    // to the stride), and it pre-processes each record through the page's own virtual
    // PreProcessPageTemplate: exactly the per-page choice this sheet needs.
    CPropertySheet::BuildPropPageArray();
}

LRESULT CExtResPS::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = CPropertySheet::WindowProc(message, wParam, lParam);
    if (message == WM_CREATE)
        OnResSheetCreated();
    return lResult;
}

BOOL CExtResPS::OnInitDialog()
{
    BOOL bResult = CPropertySheet::OnInitDialog();
    OnResSheetInitialized();
    return bResult;
}
