// HTTP/HTTPS settings (template 137): the text to find on the page, its case sensitivity, which
// downloaded pages to keep, and Snapshot, which downloads the item's page (with the item's stored
// name, type, port and address, not the values being edited) and puts its visible text in place
// of the search text; "Error connecting to the internet" when it cannot.
#pragma once

#include <afxwin.h>

#include <string>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtResizableDialog.h"

class CItemPropertiesDlg;
class MonitorItemWrapper;

class CPageSettingsDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 137,
        IDC_SEARCH = 1000,
        IDC_CASE = 1090,
        IDC_SAVE_SUCCESSFUL = 1091,
        IDC_SAVE_FAILED = 1092,
        IDC_SNAPSHOT = 1179,
        IDC_SEARCH_GROUP = 145,
        IDC_SAVE_GROUP = 146,
        IDC_SEARCH_PROMPT = 1102,
    };
    static const char kWaiting[];        // "Please wait while taking a snapshot."
    static const char kNoConnection[];   // "Error connecting to the internet"

    explicit CPageSettingsDlg(CWnd* pParent = NULL);

    void setOwner(CItemPropertiesDlg* owner) { m_pOwner = owner; }
    void setWrapper(MonitorItemWrapper* wrapper) { m_pWrapper = wrapper; }

    // The visible text of the item's page, or kNoConnection (the Snapshot's download).
    static std::string takeSnapshot(const std::string& name, int type, int port, const std::string& address);

    CString searchText;
    int caseSensitive;
    int saveSuccessful;
    int saveFailed;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnSnapshot();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CItemPropertiesDlg* m_pOwner;
    MonitorItemWrapper* m_pWrapper;
    CExtEdit m_search;
    CExtCheckBox m_case, m_saveSuccessful, m_saveFailed;
    CExtGroupBox m_searchGroup, m_saveGroup;
    CExtLabel m_prompt;
    CExtButton m_snapshot, m_ok, m_cancel;
};
