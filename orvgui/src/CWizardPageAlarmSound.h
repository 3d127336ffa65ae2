// Wizard alarm page "Configure Sound Alarms": the sound file (required, or chosen by Browse) and
// whether it loops until the alarm is reset.
#pragma once

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CWizardPage.h"

class CWizardPageAlarmSound : public CWizardPage {
public:
    enum { IDD = 211, IDC_LOOP = 1034, IDC_BROWSE = 1035, IDC_FILE = 1125 };
    static const char kNoFile[];
    CWizardPageAlarmSound();

    CString soundFile;
    int soundLoop;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const char* refusal() override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

    CExtEdit m_fileEdit;
    CExtCheckBox m_loop;
    CExtButton m_browse;
};
