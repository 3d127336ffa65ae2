// A property page like the framework's, except that its template and dialog-init block are
// found through the UI library's resource manager and its template gets the system's
// property-sheet font. Also keeps the process-wide cache of that font.
#pragma once
#include "afxdialogs.h"

class CExtResPP : public CPropertyPage {
    DECLARE_DYNCREATE(CExtResPP)
public:
    CExtResPP();
    explicit CExtResPP(UINT nIDTemplate, UINT nIDCaption = 0);
    ~CExtResPP() override;

    BOOL OnInitDialog() override;
    // The record's template: its own pointer (the page then runs no dialog-init block of its
    // own), or the resource found through the resource manager; then a copy with the sheet
    // font when the fonts differ.
    void PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard) override;

    // The font of the system's property sheets (of its wizards when bWizard > 0), read once
    // from the common-control library's own page templates; false while it is not known.
    static bool GetPropSheetFont(CString& strFace, WORD& nSize, BOOL bWizard);
    // A copy of the template with the sheet font (global memory, the caller's), or NULL when
    // the sheet font is not known or the template already has it.
    static HGLOBAL ChangePropPageFont(LPCDLGTEMPLATE lpTemplate, BOOL bWizard);

    // The template name found through the resource manager (an id in the low word), NULL when
    // the page's record carries a template pointer.
    LPCTSTR m_lpszTemplateName_RES;

    // The cache of the sheet font (one per process, freed at exit).
    struct FAKE_PROPPAGEFONTINFO {
        ~FAKE_PROPPAGEFONTINFO();
        HGLOBAL m_hFaceName = NULL;   // a zero-terminated copy of the face, NULL until filled
        WORD m_nSize = 0;             // 0 until filled
    };

protected:
    DECLARE_MESSAGE_MAP()

private:
    void SetUpPage(UINT nIDTemplate, UINT nIDCaption);
};
