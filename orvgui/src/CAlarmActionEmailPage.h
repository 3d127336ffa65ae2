// "Email" page of the "Set Alarm Actions" sheet: the recipients (one text, separated by commas),
// the Active box that follows whether the text is empty, and the report and SMS flags (the SMS
// box stays hidden).
#pragma once

#include "CAlarmActionPage.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtLabel.h"

class CAlarmActionEmailPage : public CAlarmActionPage {
public:
    enum {
        IDD = 141,
        IDC_ADDRESSES = 1001,
        IDC_SMS = 1014,
        IDC_REPORT = 1017,
        IDC_PROMPT = 1020,
        IDC_ACTIVE = 1026,
    };
    CAlarmActionEmailPage();

    int mailActive;
    int mailReport;
    int mailSms;
    int mailOption25;   // no control: kept as it came
    CString addresses;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnAddressesChanged();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CExtLabel m_prompt;
    CExtEdit m_addressesEdit;
    CExtCheckBox m_active, m_report, m_sms;
};
