// A property sheet like the framework's whose pages of the CExtResPP kind get their templates
// through the UI library's resource manager, in the sheet font. The page records handed to the
// system are the platform's own (104 bytes each on 64-bit), one array per sheet.
#pragma once
#include "afxdialogs.h"

class CExtResPS : public CPropertySheet {
    DECLARE_DYNCREATE(CExtResPS)
public:
    CExtResPS();
    explicit CExtResPS(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CExtResPS(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CExtResPS() override;

    // Each page's record is pre-processed by its own page: CExtResPP pages through the resource
    // manager, other pages the framework's way.
    void BuildPropPageArray() override;
    BOOL OnInitDialog() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Called after WM_CREATE and after initialisation; the layers above hook in here.
    virtual void OnResSheetCreated() {}
    virtual void OnResSheetInitialized() {}
    DECLARE_MESSAGE_MAP()
};
