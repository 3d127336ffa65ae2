// Wizard alarm page "Configure Commands Alarms": the program to run and the URL to load, both
// required; Browse picks the program.
#pragma once

#include "CExtButton.h"
#include "CExtEdit.h"
#include "CWizardPage.h"

class CWizardPageAlarmCommand : public CWizardPage {
public:
    enum { IDD = 213, IDC_PROGRAM = 1001, IDC_URL = 1033, IDC_BROWSE = 1035 };
    static const char kNoProgram[];
    static const char kNoUrl[];
    CWizardPageAlarmCommand();

    CString program;
    CString url;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const char* refusal() override;
    afx_msg void OnBrowse();
    DECLARE_MESSAGE_MAP()

    CExtEdit m_programEdit, m_urlEdit;
    CExtButton m_browse;
};
