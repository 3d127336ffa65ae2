#include "CWizardPageAlarmCommand.h"

#include <CFileDialog.h>

const char CWizardPageAlarmCommand::kNoProgram[] = "Please enter a program to execute";
const char CWizardPageAlarmCommand::kNoUrl[] = "Please enter an url to load";

BEGIN_MESSAGE_MAP(CWizardPageAlarmCommand, CWizardPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWizardPageAlarmCommand::CWizardPageAlarmCommand() : CWizardPage(IDD, "Configure Commands Alarms") {}

void CWizardPageAlarmCommand::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRAM, m_programEdit);
    DDX_Control(pDX, IDC_URL, m_urlEdit);
    DDX_Control(pDX, IDC_BROWSE, m_browse);
    DDX_Text(pDX, IDC_PROGRAM, program);
    DDX_Text(pDX, IDC_URL, url);
}

const char* CWizardPageAlarmCommand::refusal()
{
    if (program.IsEmpty())
        return kNoProgram;
    if (url.IsEmpty())
        return kNoUrl;
    return NULL;
}

void CWizardPageAlarmCommand::OnBrowse()
{
    CFileDialog dialog(TRUE, "*", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, "All files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    program = dialog.GetPathName();
    UpdateData(FALSE);
}
