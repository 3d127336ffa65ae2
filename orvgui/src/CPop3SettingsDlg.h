// POP3 settings (template 1006): the account's log-in (required) and what to look for in the
// first message (optional). "Retrieve header only" disables the body search, keeping its text.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtResizableDialog.h"

class CPop3SettingsDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 1006,
        IDC_NOTE = 12,
        IDC_BODY_SEARCH = 1011,
        IDC_HEADER_ONLY = 1012,
        IDC_HEADER_SEARCH = 1013,
        IDC_USER = 1024,
        IDC_PASSWORD = 1025,
        IDC_RETRIEVAL_GROUP = 1030,
        IDC_ACCOUNT_GROUP = 1031,
    };
    static const char kNoUser[];       // "Please enter a username"
    static const char kNoPassword[];   // "Please enter a password"

    explicit CPop3SettingsDlg(CWnd* pParent = NULL);

    int headerOnly;
    CString bodySearch, password, user, headerSearch;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnHeaderOnly();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    void EnableBodySearch();

    CExtEdit m_user, m_password, m_headerSearch, m_bodySearch;
    CExtCheckBox m_headerOnly;
    CExtGroupBox m_account, m_retrieval;
    CExtLabel m_note;
    CExtButton m_ok, m_cancel;
};
