// The report manager (dialog 143): the report definitions by name, the default one marked with
// "(Default)". View writes and opens the selected report for the item the dialog was opened
// with; New and Edit fill the report sheet (General, Details and the columns); Delete asks first;
// "Set as default" moves the mark. Close stores the definitions; Esc closes without storing.
//
// Buttons act only on a selected entry: they are disabled without one, View also without an
// item, and "Set as default" on the default itself.
#pragma once

#include <afxwin.h>

#include <string>
#include <vector>

#include "CExtButton.h"
#include "CExtLabel.h"
#include "CExtResizableDialog.h"
#include "CExtWFF.h"

class CReportColumnsPage;
class CReportDetailedOptions;
class CReportGeneralPage;
class MonitorItemWrapper;
class ReportManager;
struct Report;

class CReportManagerDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 143,
        IDC_PROMPT = 1008,
        IDC_VIEW = 1009,
        IDC_LIST = 1018,
        IDC_NEW = 1039,
        IDC_EDIT = 1040,
        IDC_DELETE = 1041,
        IDC_SET_DEFAULT = 1042,
    };
    static const char kNewTitle[];       // "New watch item report"
    static const char kEditTitle[];      // "Edit watch item report"
    static const char kDeleteQuestion[]; // "Are you sure you want to delete "
    static const char kWaitText[];       // "Please wait while generating report"

    // The wrapper may be null (no item selected): View stays disabled.
    CReportManagerDlg(MonitorItemWrapper* wrapper, ReportManager& reports, CWnd* pParent = NULL);

    // The selected display name.
    CString selected;

    // Moves a definition's values into the sheet's pages and back.
    static void FillPages(const Report& report, CReportGeneralPage& general, CReportDetailedOptions& details);
    static void TakePages(const CReportGeneralPage& general, const CReportDetailedOptions& details, Report& report);
    // The column ids of the active captions, top to bottom.
    static std::vector<int> ColumnsOf(const std::vector<std::string>& captions);
    static std::vector<std::string> CaptionsOf(const std::vector<int>& columns);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnSelChange();
    afx_msg void OnView();
    afx_msg void OnNew();
    afx_msg void OnEdit();
    afx_msg void OnDelete();
    afx_msg void OnSetDefault();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    // Runs the report sheet with the three pages; IDOK when the user confirmed it.
    INT_PTR RunSheet(const char* title, CReportGeneralPage& general, CReportDetailedOptions& details,
                     CReportColumnsPage& columns);
    // The plain name of the selected entry; "" without a selection.
    std::string SelectedName();
    // The entry showing exactly this text, or LB_ERR.
    int FindExact(const std::string& display);
    // The entry of the definition, default or not, or LB_ERR.
    int FindName(const std::string& name);
    void Replace(int index, const std::string& display, bool select);
    std::string DefaultName();
    void UpdateButtons();

    MonitorItemWrapper* m_wrapper;
    ReportManager& m_reports;
    CExtLabel m_prompt;
    CExtWFF<CListBox> m_list;
    CExtButton m_close, m_view, m_new, m_edit, m_delete, m_setDefault;
};
