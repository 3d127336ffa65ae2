#include "CWizardPageThird.h"

#include <cstdlib>

#include "GuiStrings.h"
#include "ItemSettingsRules.h"

BEGIN_MESSAGE_MAP(CWizardPageThird, CWizardPage)
    ON_LBN_SELCHANGE(IDC_PROTOCOL, OnProtocolChanged)
END_MESSAGE_MAP()

CWizardPageThird::CWizardPageThird() : CWizardPage(IDD, "Select Protocol To Monitor The Site"), type(0), port(0) {}

void CWizardPageThird::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PORT, m_portEdit);
    DDX_Control(pDX, IDC_PROTOCOL, m_protocolList);
    DDX_Text(pDX, IDC_PORT, port);
}

BOOL CWizardPageThird::OnInitDialog()
{
    type = 0;
    CWizardPage::OnInitDialog();
    m_portEdit.EnableWindow(FALSE);
    for (int t = 0; t <= 6; ++t)
        m_protocolList.AddString(GuiStrings::text(StringTypePing + t).c_str());
    m_protocolList.SetCurSel(0);
    return TRUE;
}

void CWizardPageThird::OnProtocolChanged()
{
    const int index = m_protocolList.GetCurSel();
    if (index < 0)
        return;
    CString text;
    m_protocolList.GetText(index, text);
    for (int t = 0; t <= 6; ++t)
        if (text == GuiStrings::text(StringTypePing + t).c_str())
            type = t;
    m_portEdit.EnableWindow(type != 0);
    // Port keeps the number the user typed, also one not yet taken from the edit.
    char typed[32] = "";
    m_portEdit.GetWindowText(typed, sizeof typed);
    char* end = NULL;
    const long value = std::strtol(typed, &end, 10);
    if (end != typed && *end == '\0' && value >= 0 && value <= 65535)
        port = (int)value;
    port = ItemSettingsRules::defaultPort(type, port);
    UpdateData(FALSE);
}
