#include "CAlarmActionCommandsPage.h"

#include <CFileDialog.h>

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CAlarmActionCommandsPage, CAlarmActionPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_PROGRAM_RUN, OnMarkModified)
    ON_BN_CLICKED(IDC_URL_RUN, OnMarkModified)
    ON_EN_CHANGE(IDC_PROGRAM, OnProgramChanged)
    ON_EN_CHANGE(IDC_URL, OnUrlChanged)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAlarmActionCommandsPage::CAlarmActionCommandsPage() : CAlarmActionPage(IDD), cmdRun(0), urlRun(0) {}

void CAlarmActionCommandsPage::DoDataExchange(CDataExchange* pDX)
{
    CAlarmActionPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRAM_GROUP, m_programGroup);
    DDX_Control(pDX, IDC_URL_GROUP, m_urlGroup);
    DDX_Control(pDX, IDC_PROGRAM, m_programEdit);
    DDX_Control(pDX, IDC_URL, m_urlEdit);
    DDX_Control(pDX, IDC_PROGRAM_RUN, m_programRun);
    DDX_Control(pDX, IDC_URL_RUN, m_urlRunBox);
    DDX_Control(pDX, IDC_BROWSE, m_browse);
    DDX_Check(pDX, IDC_PROGRAM_RUN, cmdRun);
    DDX_Check(pDX, IDC_URL_RUN, urlRun);
    DDX_Text(pDX, IDC_PROGRAM, program);
    DDX_Text(pDX, IDC_URL, url);
}

BOOL CAlarmActionCommandsPage::OnInitDialog()
{
    CAlarmActionPage::OnInitDialog();
    m_programGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_urlGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    return TRUE;
}

void CAlarmActionCommandsPage::OnProgramChanged()
{
    if (filling())
        return;
    markModified();
    UpdateData(TRUE);
    cmdRun = program.IsEmpty() ? 0 : 1;
    showCheck(IDC_PROGRAM_RUN, cmdRun);
}

void CAlarmActionCommandsPage::OnUrlChanged()
{
    if (filling())
        return;
    markModified();
    const bool wasEmpty = url.IsEmpty();
    UpdateData(TRUE);
    if (wasEmpty && !url.IsEmpty())
        urlRun = 1;
    else if (!wasEmpty && url.IsEmpty())
        urlRun = 0;
    showCheck(IDC_URL_RUN, urlRun);
}

void CAlarmActionCommandsPage::OnBrowse()
{
    CFileDialog dialog(TRUE, "*", NULL, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Executable files (*.exe)|*.exe|All files (*.*)|*.*||", this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    program = dialog.GetPathName();
    cmdRun = program.IsEmpty() ? 0 : 1;
    markModified();
    show();
}

BOOL CAlarmActionCommandsPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
