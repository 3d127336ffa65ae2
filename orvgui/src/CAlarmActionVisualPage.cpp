#include "CAlarmActionVisualPage.h"

#include "ContextHelpMap.h"

const char CAlarmActionVisualPage::kDefaultText[] = "Your website <%WEBSITE_NAME%> is down.";

BEGIN_MESSAGE_MAP(CAlarmActionVisualPage, CAlarmActionPage)
    ON_BN_CLICKED(IDC_ACTIVE, OnMarkModified)
    ON_EN_CHANGE(IDC_TEXT, OnTextChanged)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAlarmActionVisualPage::CAlarmActionVisualPage() : CAlarmActionPage(IDD), visualActive(0), visualText(kDefaultText) {}

void CAlarmActionVisualPage::DoDataExchange(CDataExchange* pDX)
{
    CAlarmActionPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT, m_textEdit);
    DDX_Control(pDX, IDC_ACTIVE, m_active);
    DDX_Check(pDX, IDC_ACTIVE, visualActive);
    DDX_Text(pDX, IDC_TEXT, visualText);
}

void CAlarmActionVisualPage::OnTextChanged()
{
    if (filling())
        return;
    markModified();
    UpdateData(TRUE);
    visualActive = visualText.IsEmpty() ? 0 : 1;
    showCheck(IDC_ACTIVE, visualActive);
}

BOOL CAlarmActionVisualPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
