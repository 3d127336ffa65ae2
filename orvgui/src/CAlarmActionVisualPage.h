// "Visual" page of the "Set Alarm Actions" sheet: the text of the alert page (its
// <%WEBSITE_NAME%> placeholder is filled in only when the page is made) and the Active box that
// follows whether the text is empty.
#pragma once

#include "CAlarmActionPage.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"

class CAlarmActionVisualPage : public CAlarmActionPage {
public:
    enum {
        IDD = 142,
        IDC_TEXT = 1001,
        IDC_ACTIVE = 1026,
    };
    static const char kDefaultText[];
    CAlarmActionVisualPage();

    int visualActive;
    CString visualText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnTextChanged();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CExtEdit m_textEdit;
    CExtCheckBox m_active;
};
