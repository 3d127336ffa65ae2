#include "CWizardPageSecond.h"

#include "GuiStrings.h"
#include "ItemSettingsRules.h"

BEGIN_MESSAGE_MAP(CWizardPageSecond, CWizardPage)
    ON_CBN_SELCHANGE(IDC_UNIT, OnUnitChanged)
END_MESSAGE_MAP()

CWizardPageSecond::CWizardPageSecond()
    : CWizardPage(IDD, "Configure Time Thresholds And Monitoring Frequency"), frequency(30), unit(2), timeout(5000)
{
}

void CWizardPageSecond::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FREQUENCY, m_frequencyEdit);
    DDX_Control(pDX, IDC_TIMEOUT, m_timeoutEdit);
    DDX_Control(pDX, IDC_UNIT, m_unitCombo);
    DDX_Text(pDX, IDC_FREQUENCY, frequency);
    DDV_MinMaxInt(pDX, frequency, 0, 100000);
    DDX_Text(pDX, IDC_TIMEOUT, timeout);
    DDV_MinMaxInt(pDX, timeout, 0, 100000);
}

BOOL CWizardPageSecond::OnInitDialog()
{
    frequency = 30;
    timeout = 5000;
    unit = 2;
    CWizardPage::OnInitDialog();
    for (int u = 1; u <= 4; ++u)
        m_unitCombo.AddString(GuiStrings::text(StringUnitSeconds + u - 1).c_str());
    m_unitCombo.SelectString(-1, GuiStrings::text(StringUnitSeconds + unit - 1).c_str());
    return TRUE;
}

void CWizardPageSecond::OnUnitChanged()
{
    const int index = m_unitCombo.GetCurSel();
    if (index < 0)
        return;
    CString text;
    m_unitCombo.GetLBText(index, text);
    for (int u = 1; u <= 4; ++u)
        if (text == GuiStrings::text(StringUnitSeconds + u - 1).c_str())
            unit = u;
}

LRESULT CWizardPageSecond::OnWizardBack()
{
    setButtons(PSWIZB_NEXT);
    return 0;
}

LRESULT CWizardPageSecond::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    if (const char* refusal = ItemSettingsRules::intervalError(frequency, unit))
        return refuse(refusal);
    return 0;
}
