#include "CAlarmActionSoundPage.h"

#include <CFileDialog.h>

#include "ContextHelpMap.h"

BEGIN_MESSAGE_MAP(CAlarmActionSoundPage, CAlarmActionPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
    ON_BN_CLICKED(IDC_ACTIVE, OnMarkModified)
    ON_BN_CLICKED(IDC_LOOP, OnMarkModified)
    ON_EN_CHANGE(IDC_FILE, OnFileChanged)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAlarmActionSoundPage::CAlarmActionSoundPage() : CAlarmActionPage(IDD), soundActive(0), soundLoop(0) {}

void CAlarmActionSoundPage::DoDataExchange(CDataExchange* pDX)
{
    CAlarmActionPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE, m_fileEdit);
    DDX_Control(pDX, IDC_ACTIVE, m_active);
    DDX_Control(pDX, IDC_LOOP, m_loop);
    DDX_Control(pDX, IDC_BROWSE, m_browse);
    DDX_Check(pDX, IDC_ACTIVE, soundActive);
    DDX_Check(pDX, IDC_LOOP, soundLoop);
    DDX_Text(pDX, IDC_FILE, soundFile);
}

void CAlarmActionSoundPage::OnFileChanged()
{
    if (filling())
        return;
    markModified();
    UpdateData(TRUE);
    soundActive = soundFile.IsEmpty() ? 0 : 1;
    showCheck(IDC_ACTIVE, soundActive);
}

void CAlarmActionSoundPage::OnBrowse()
{
    CFileDialog dialog(TRUE, "wav", NULL, OFN_HIDEREADONLY | OFN_ENABLESIZING, "Sound files (*.wav)|*.wav||", this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    soundFile = dialog.GetPathName();
    markModified();
    soundActive = soundFile.IsEmpty() ? 0 : 1;
    show();
}

BOOL CAlarmActionSoundPage::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
