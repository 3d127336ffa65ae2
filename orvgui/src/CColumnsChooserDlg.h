// The columns chooser (dialog 135): captions move between an "available" list (sorted) and an
// "active" list (in display order). Run modally for the item list, or as a page of the report
// sheet. It works on caption texts only; callers turn them into column ids. The result vectors
// change only on OK: Cancel leaves them as they were.
//
// It stands on the resizable dialog: the library's resizable page does not run as a modal dialog
// yet (DoModal answers -1), and the modal run is the one the item list needs. The page mode
// (OK and Cancel hidden, the sheet's help topic) is kept for the report sheet.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtButton.h"
#include "CExtLabel.h"
#include "CExtResizableDialog.h"
#include "CExtWFF.h"

class CColumnsChooserDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 135,
        IDC_AVAILABLE = 1002,
        IDC_ACTIVE = 1003,
        IDC_ADD = 1004,
        IDC_REMOVE = 1005,
        IDC_AVAILABLE_CAPTION = 1006,
        IDC_ACTIVE_CAPTION = 1007,
        IDC_UP = 1009,
        IDC_DOWN = 1043,
        IDC_RESET = 1117,
    };
    typedef std::vector<std::string> Captions;

    explicit CColumnsChooserDlg(CWnd* pParent = NULL);

    void addActive(const std::string& caption) { m_active.push_back(caption); }
    void addAvailable(const std::string& caption) { m_available.push_back(caption); }
    // What Reset restores; without defaults Reset is not shown.
    void setDefaults(const Captions& active, const Captions& available);
    void setPageMode(bool bPageMode) { m_bPageMode = bPageMode; }

    Captions::const_iterator activeBegin() const { return m_active.begin(); }
    Captions::const_iterator activeEnd() const { return m_active.end(); }
    Captions::const_iterator availableBegin() const { return m_available.begin(); }
    Captions::const_iterator availableEnd() const { return m_available.end(); }
    const Captions& active() const { return m_active; }
    const Captions& available() const { return m_available; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    afx_msg void OnAvailableSelChange();
    afx_msg void OnActiveSelChange();
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg void OnReset();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    void Enable(int id, bool bEnable);
    static void Fill(CListBox& list, const Captions& captions);
    static Captions Contents(CListBox& list);
    void SwapActive(int nFrom, int nTo);

    CExtButton m_reset, m_ok, m_cancel;
    CExtLabel m_availableLabel, m_activeLabel;
    CExtButton m_up, m_remove, m_down, m_add;
    CExtWFF<CListBox> m_availableList;
    CExtWFF<CListBox> m_activeList;
    Captions m_active, m_available, m_activeDefaults, m_availableDefaults;
    bool m_bHasDefaults;
    bool m_bPageMode;
};
