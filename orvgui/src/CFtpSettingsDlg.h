// FTP settings (template 165): the log-in (required) and a file to download and one to upload
// (optional). A local name without a remote one asks whether the root folder is meant.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtResizableDialog.h"

class CFtpSettingsDlg : public CExtResizableDialog {
public:
    enum {
        IDD = 165,
        IDC_UPLOAD_BROWSE = 1005,
        IDC_DOWNLOAD_BROWSE = 1009,
        IDC_ACCOUNT_GROUP = 1018,
        IDC_DOWNLOAD_GROUP = 1019,
        IDC_UPLOAD_GROUP = 1023,
        IDC_USER = 1024,
        IDC_PASSWORD = 1025,
        IDC_DOWNLOAD_LOCAL = 1041,
        IDC_DOWNLOAD_REMOTE = 1042,
        IDC_UPLOAD_LOCAL = 1043,
        IDC_UPLOAD_REMOTE = 1044,
        IDS_DOWNLOAD_ROOT = 61205,   // the question for a download without a remote name
        IDS_UPLOAD_ROOT = 61206,     // the same for an upload
    };
    static const char kNoUser[];       // "Please enter a username"
    static const char kNoPassword[];   // "Please enter a password"

    explicit CFtpSettingsDlg(CWnd* pParent = NULL);

    CString user, password, downloadLocal, downloadRemote, uploadLocal, uploadRemote;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    afx_msg void OnBrowseDownload();
    afx_msg void OnBrowseUpload();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    // An open-file dialog; the chosen full path into value (shown), nothing on Cancel.
    void Browse(CString& value);

    CExtEdit m_edits[6];
    CExtGroupBox m_groups[3];
    CExtButton m_browseDownload, m_browseUpload, m_ok, m_cancel;
};
