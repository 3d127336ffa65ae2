#include "CWizardPageAlarmSound.h"

#include <CFileDialog.h>

const char CWizardPageAlarmSound::kNoFile[] = "Please enter a sound file";

BEGIN_MESSAGE_MAP(CWizardPageAlarmSound, CWizardPage)
    ON_BN_CLICKED(IDC_BROWSE, OnBrowse)
END_MESSAGE_MAP()

CWizardPageAlarmSound::CWizardPageAlarmSound() : CWizardPage(IDD, "Configure Sound Alarms"), soundLoop(0) {}

void CWizardPageAlarmSound::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_FILE, m_fileEdit);
    DDX_Control(pDX, IDC_LOOP, m_loop);
    DDX_Control(pDX, IDC_BROWSE, m_browse);
    DDX_Text(pDX, IDC_FILE, soundFile);
    DDX_Check(pDX, IDC_LOOP, soundLoop);
}

const char* CWizardPageAlarmSound::refusal()
{
    return soundFile.IsEmpty() ? kNoFile : NULL;
}

void CWizardPageAlarmSound::OnBrowse()
{
    CFileDialog dialog(TRUE, "wav", NULL, OFN_HIDEREADONLY | OFN_ENABLESIZING, "Sound files (*.wav)|*.wav||", this);
    if (dialog.DoModal() != IDOK)
        return;
    UpdateData(TRUE);
    soundFile = dialog.GetPathName();
    UpdateData(FALSE);
}
