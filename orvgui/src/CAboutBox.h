// The about box: the program's title, "Build number: " with the build string of the running
// program's version block, and a link label.
#pragma once

#include <string>

#include "CExtButton.h"
#include "CExtResizableDialog.h"
#include "CLabel.h"

class CAboutBox : public CExtResizableDialog {
public:
    enum { IDD = 100, IDC_BUILD = 1131, IDC_LINK = 1132 };

    explicit CAboutBox(CWnd* pParent = NULL);

    // The PrivateBuild string of the running program's version block (empty when it has none).
    static std::string BuildString();
    // The web address the link label opens.
    static const char kWebAddress[];

    CString m_strBuild;   // the build-number text shown

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CLabel m_build;
    CLabel m_link;
    CExtButton m_ok;
};
