// Wizard alarm page "Configure Email Alarms": the recipients, separated by commas (at least one
// address); the report and SMS boxes stay hidden.
#pragma once

#include "CExtEdit.h"
#include "CWizardPage.h"

class CWizardPageAlarmEmail : public CWizardPage {
public:
    enum { IDD = 206, IDC_ADDRESSES = 1001, IDC_SMS = 1014, IDC_REPORT = 1124 };
    static const char kNoAddress[];
    CWizardPageAlarmEmail();

    CString addresses;
    int mailReport;
    int mailSms;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const char* refusal() override;

    CExtEdit m_addressesEdit;
};
