#include "CWizardPageAlarmVisual.h"

#include "CAlarmActionVisualPage.h"

const char CWizardPageAlarmVisual::kNoText[] = "Please enter a text to show";

CWizardPageAlarmVisual::CWizardPageAlarmVisual()
    : CWizardPage(IDD, "Configure Visual Alarms"), visualText(CAlarmActionVisualPage::kDefaultText)
{
}

void CWizardPageAlarmVisual::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TEXT, m_textEdit);
    DDX_Text(pDX, IDC_TEXT, visualText);
}

const char* CWizardPageAlarmVisual::refusal()
{
    return visualText.IsEmpty() ? kNoText : NULL;
}
