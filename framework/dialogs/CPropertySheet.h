// A property sheet or wizard of CPropertyPage objects over the system's property sheet. Modal
// sheets are made modeless and run the framework's modal loop (so PreTranslateMessage and idle
// work go on); the loop ends when the system has no current page any more. Sheets can also be
// modeless windows of their own, or children of another window (Create with WS_CHILD).
#pragma once
#include "CPropertyPage.h"
#include <vector>

class CPropertySheet : public CWnd {
    DECLARE_DYNAMIC(CPropertySheet)
public:
    CPropertySheet();
    explicit CPropertySheet(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    explicit CPropertySheet(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    ~CPropertySheet() override;

    void Construct(UINT nIDCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);
    void Construct(LPCTSTR pszCaption, CWnd* pParentWnd = NULL, UINT iSelectPage = 0);

    PROPSHEETHEADERA m_psh;
    CPtrArray m_pages;       // the CPropertyPage objects, in order
    CString m_strCaption;
    CWnd* m_pParentWnd;

    // IDOK, IDCANCEL, ID_WIZFINISH (a wizard's Finish), what EndDialog was given, or -1.
    virtual INT_PTR DoModal();
    // Modeless (dwStyle -1: a popup with a caption) or a child (WS_CHILD in dwStyle).
    virtual BOOL Create(CWnd* pParentWnd = NULL, DWORD dwStyle = (DWORD)-1, DWORD dwExStyle = 0);

    void AddPage(CPropertyPage* pPage);
    void RemovePage(CPropertyPage* pPage);
    void RemovePage(int nPage);
    int GetPageCount() const;
    CPropertyPage* GetPage(int nPage) const;
    int GetPageIndex(CPropertyPage* pPage) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    BOOL SetActivePage(int nPage);
    BOOL SetActivePage(CPropertyPage* pPage);
    void SetTitle(LPCTSTR lpszText, UINT nStyle = 0);
    CWnd* GetTabControl() const;
    void SetWizardMode();
    void SetWizardButtons(DWORD dwFlags);
    void SetFinishText(LPCTSTR lpszText);
    BOOL PressButton(int nButton);
    // Ends the sheet with nEndID (modal), or destroys it (modeless).
    void EndDialog(int nEndID);

    // Fills the page records handed to the system (m_psh.ppsp), one per page, each processed by
    // its page's PreProcessPageTemplate.
    virtual void BuildPropPageArray();
    virtual BOOL OnInitDialog();

    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL ContinueModal() override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    // The template pointer the system knows the page by whose template id is nIDTemplate (a
    // wizard's page jump); the id itself when no page has it.
    LRESULT MapTemplateId(LRESULT nIDTemplate) const;

    DWORD m_dwCreateStyle;     // the style Create gave (applied to the system's template)
    DWORD m_dwCreateExStyle;

protected:
    afx_msg LRESULT HandleInitDialog(WPARAM wParam, LPARAM lParam);
    void CommonConstruct(CWnd* pParentWnd, UINT iSelectPage);
    BOOL IsWizard() const { return (m_psh.dwFlags & (PSH_WIZARD | PSH_WIZARD97)) != 0; }

    std::vector<PROPSHEETPAGEA> m_pageRecords;
    BOOL m_bModeless;

    DECLARE_MESSAGE_MAP()
};

// The sheet callback: fits the system's template to the style Create asked for.
int CALLBACK AfxPropSheetCallback(HWND hWnd, UINT message, LPARAM lParam);
