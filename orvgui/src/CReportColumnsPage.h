// The columns page of the report sheet, on the columns chooser's template (135): captions move
// between the sorted "available" list and the "active" list (in report order) with Add, Remove,
// Move Up and Move Down or a double click. The sheet's own buttons serve: the template's OK,
// Cancel and Reset are removed. The lists are given back when the sheet applies the page.
//
// The modal chooser of the item list stands on the resizable dialog, which cannot be a page of a
// sheet; this page does the same on the resizable page.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtButton.h"
#include "CExtLabel.h"
#include "CExtResizablePropertyPage.h"
#include "CExtWFF.h"

class CReportColumnsPage : public CExtResizablePropertyPage {
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

    CReportColumnsPage();

    // In before the sheet runs, out once it applied the page.
    Captions active;
    Captions available;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    BOOL OnApply() override;
    afx_msg void OnAvailableSelChange();
    afx_msg void OnActiveSelChange();
    afx_msg void OnAdd();
    afx_msg void OnRemove();
    afx_msg void OnUp();
    afx_msg void OnDown();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    void Enable(int id, bool enable);
    static Captions Contents(CListBox& list);
    void Move(int from, int to);

    CExtLabel m_availableLabel, m_activeLabel;
    CExtButton m_add, m_remove, m_up, m_down;
    CExtWFF<CListBox> m_availableList;
    CExtWFF<CListBox> m_activeList;
};
