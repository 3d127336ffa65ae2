// SMTP settings (template 207): the test mail's addresses (required), subject and body, and the
// log-in (optional). OK refuses an empty to or from address and keeps the dialog open.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtResizableDialog.h"

class CSmtpSettingsDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 207,
        IDC_TO = 1007,
        IDC_FROM = 1008,
        IDC_SUBJECT = 1009,
        IDC_BODY = 1010,
        IDC_USER = 1024,
        IDC_PASSWORD = 1025,
        IDC_AUTH_GROUP = 1029,
        IDC_MESSAGE_GROUP = 1030,
        IDC_ADDRESS_GROUP = 1031,
    };
    static const char kNoTo[];     // "Please enter a to address"
    static const char kNoFrom[];   // "Please enter a from address"

    explicit CSmtpSettingsDlg(CWnd* pParent = NULL);

    CString body, from, password, subject, to, user;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CExtEdit m_edits[6];
    CExtGroupBox m_groups[3];
    CExtButton m_ok, m_cancel;
};
