// "Commands" page of the "Set Alarm Actions" sheet: the program to run and the URL to load when
// the alarm fires, each with its Active box. Typing a program sets its box from whether the path
// is empty, on every keystroke; the URL's box follows only the change between empty and not.
#pragma once

#include "CAlarmActionPage.h"
#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"

class CAlarmActionCommandsPage : public CAlarmActionPage {
public:
    enum {
        IDD = 154,
        IDC_PROGRAM = 1001,
        IDC_PROGRAM_GROUP = 1018,
        IDC_URL_GROUP = 1019,
        IDC_PROGRAM_RUN = 1031,
        IDC_URL_RUN = 1032,
        IDC_URL = 1033,
        IDC_BROWSE = 1035,
    };
    CAlarmActionCommandsPage();

    int cmdRun;
    int urlRun;
    CString program;
    CString url;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg void OnBrowse();
    afx_msg void OnProgramChanged();
    afx_msg void OnUrlChanged();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    CExtGroupBox m_programGroup, m_urlGroup;
    CExtEdit m_programEdit, m_urlEdit;
    CExtCheckBox m_programRun, m_urlRunBox;
    CExtButton m_browse;
};
