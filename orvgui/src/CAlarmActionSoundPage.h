// "Sound" page of the "Set Alarm Actions" sheet: the sound file, whether it loops until the
// alarm is reset, and the Active box that follows whether the file name is empty.
#pragma once

#include "CAlarmActionPage.h"
#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"

class CAlarmActionSoundPage : public CAlarmActionPage {
public:
    enum {
        IDD = 155,
        IDC_FILE = 1001,
        IDC_ACTIVE = 1026,
        IDC_LOOP = 1034,
        IDC_BROWSE = 1035,
    };
    CAlarmActionSoundPage();

    int soundActive;
    int soundLoop;
    CString soundFile;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    afx_msg void OnBrowse();
    afx_msg void OnFileChanged();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CExtEdit m_fileEdit;
    CExtCheckBox m_active, m_loop;
    CExtButton m_browse;
};
