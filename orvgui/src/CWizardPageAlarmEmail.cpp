#include "CWizardPageAlarmEmail.h"

#include "AlarmRecipients.h"

const char CWizardPageAlarmEmail::kNoAddress[] = "Please enter at least one email address";

CWizardPageAlarmEmail::CWizardPageAlarmEmail() : CWizardPage(IDD, "Configure Email Alarms"), mailReport(0), mailSms(0) {}

void CWizardPageAlarmEmail::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADDRESSES, m_addressesEdit);
    DDX_Text(pDX, IDC_ADDRESSES, addresses);
    DDX_Check(pDX, IDC_REPORT, mailReport);
    DDX_Check(pDX, IDC_SMS, mailSms);
}

const char* CWizardPageAlarmEmail::refusal()
{
    // blanks and commas alone give no recipient
    return AlarmRecipients::split((LPCTSTR)addresses).empty() ? kNoAddress : NULL;
}
