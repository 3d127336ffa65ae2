// One page of a property sheet or wizard: a dialog made by the sheet (the system's property
// sheet) from the page's template. The sheet's notifications (WM_NOTIFY PSN_...) reach the
// page's virtual handlers, each once; the page can also run on its own as a modal dialog.
#pragma once
#include "CDialog.h"
#include <commctrl.h>

class CPropertySheet;

class CPropertyPage : public CDialog {
    DECLARE_DYNAMIC(CPropertyPage)
public:
    CPropertyPage();
    explicit CPropertyPage(UINT nIDTemplate, UINT nIDCaption = 0);
    explicit CPropertyPage(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);
    ~CPropertyPage() override;

    void Construct(UINT nIDTemplate, UINT nIDCaption = 0);
    void Construct(LPCTSTR lpszTemplateName, UINT nIDCaption = 0);

    PROPSHEETPAGEA m_psp;   // the page's record; the sheet hands a processed copy to the system
    CString m_strCaption;   // the tab's text (PSP_USETITLE) when not empty
    BOOL m_bFirstSetActive; // no data exchange on the first activation (OnInitDialog did it)

    // The sheet the page is on (NULL while it is not on one).
    CPropertySheet* GetParentSheet() const;
    void SetModified(BOOL bChanged = TRUE);
    void CancelToClose();
    LRESULT QuerySiblings(WPARAM wParam, LPARAM lParam);

    // The sheet's notifications.
    // Becoming the current page: FALSE keeps it from showing. Default: data to the controls
    // (except the first time).
    virtual BOOL OnSetActive();
    // Leaving the page (or OK, Apply, Next): FALSE keeps it. Default: data from the controls.
    virtual BOOL OnKillActive();
    // Apply or OK: FALSE keeps the sheet open on this page. Default: OnOK.
    virtual BOOL OnApply();
    virtual void OnReset();   // Cancel: default OnCancel
    virtual void OnOK();      // default: nothing (ends the page when it runs as a dialog)
    virtual void OnCancel();  // likewise
    virtual BOOL OnQueryCancel();
    // Wizards: 0 goes to the next (previous) page, -1 stays, a page's template id goes to that
    // page.
    virtual LRESULT OnWizardBack();
    virtual LRESULT OnWizardNext();
    // FALSE keeps the wizard open.
    virtual BOOL OnWizardFinish();

    // Makes the record the sheet hands to the system: the page's template is loaded and copied
    // (the copy belongs to the page) and given by pointer (PSP_DLGINDIRECT). Classes that change
    // templates (fonts) override it.
    virtual void PreProcessPageTemplate(PROPSHEETPAGEA& psp, BOOL bWizard);

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void CommonConstruct(LPCTSTR lpszTemplateName, UINT nIDCaption);
    // Keeps hTemplate as the page's template copy, freeing the previous one.
    void SetTemplateCopy(HGLOBAL hTemplate);

    HGLOBAL m_hTemplateCopy;  // made by PreProcessPageTemplate

private:
    // A template id answered by a wizard handler, as the system finds pages (by template pointer).
    LRESULT MapWizardResult(LRESULT lResult) const;
};

// The page callback: the page's window is attached to its object as it is made.
UINT CALLBACK AfxPropPageCallback(HWND hWnd, UINT message, LPPROPSHEETPAGEA pPropPage);
