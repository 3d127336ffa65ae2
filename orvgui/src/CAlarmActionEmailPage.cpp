#include "CAlarmActionEmailPage.h"

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CAlarmActionEmailPage, CAlarmActionPage)
    ON_BN_CLICKED(IDC_ACTIVE, OnMarkModified)
    ON_BN_CLICKED(IDC_REPORT, OnMarkModified)
    ON_BN_CLICKED(IDC_SMS, OnMarkModified)
    ON_EN_CHANGE(IDC_ADDRESSES, OnAddressesChanged)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAlarmActionEmailPage::CAlarmActionEmailPage()
    : CAlarmActionPage(IDD), mailActive(0), mailReport(0), mailSms(0), mailOption25(0)
{
}

void CAlarmActionEmailPage::DoDataExchange(CDataExchange* pDX)
{
    CAlarmActionPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROMPT, m_prompt);
    DDX_Control(pDX, IDC_ADDRESSES, m_addressesEdit);
    DDX_Control(pDX, IDC_ACTIVE, m_active);
    DDX_Control(pDX, IDC_REPORT, m_report);
    DDX_Control(pDX, IDC_SMS, m_sms);
    DDX_Check(pDX, IDC_ACTIVE, mailActive);
    DDX_Check(pDX, IDC_REPORT, mailReport);
    DDX_Check(pDX, IDC_SMS, mailSms);
    DDX_Text(pDX, IDC_ADDRESSES, addresses);
}

void CAlarmActionEmailPage::OnAddressesChanged()
{
    if (filling())
        return;
    markModified();
    UpdateData(TRUE);
    mailActive = addresses.IsEmpty() ? 0 : 1;
    showCheck(IDC_ACTIVE, mailActive);
}

BOOL CAlarmActionEmailPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
