// What the new-item wizard's pages share: the sheet they are on, their title set on activation,
// the wizard buttons (posted to the sheet), the links of the alarm chain (template ids; 0 is the
// wizard's own order), the plain message of a refused step, and context help by template id.
#pragma once

#include <afxwin.h>

#include "CExtResizablePropertyPage.h"

class CWizardPage : public CExtResizablePropertyPage {
public:
    CWizardPage(UINT nIDTemplate, const char* title, bool bHelp = true);

    void setSheet(CPropertySheet* pSheet) { sheet = pSheet; }
    const char* title() const { return m_title; }
    UINT templateId() const { return m_nTemplate; }

    int nextPage;   // where Next leads (a template id), 0: the next page
    int backPage;   // where Back leads, 0: the previous page

protected:
    BOOL OnSetActive() override;
    // Back goes to backPage; Next takes the values, asks refusal() and goes to nextPage.
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    // The message that keeps the page on Next, or NULL (the values are taken by then).
    virtual const char* refusal() { return NULL; }
    // Posts PSM_SETWIZBUTTONS with PSWIZB_BACK, PSWIZB_NEXT, PSWIZB_FINISH.
    void setButtons(DWORD dwFlags);
    // Shows or hides the sheet's Back button itself.
    void showBackButton(bool bShow);
    // A refused step: a plain message box; the page stays.
    LRESULT refuse(const char* message);

    CPropertySheet* sheet;

    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

private:
    UINT m_nTemplate;
    const char* m_title;
    bool m_bHelp;
};
