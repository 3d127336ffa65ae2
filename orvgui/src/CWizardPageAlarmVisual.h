// Wizard alarm page "Configure Visual Alarms": the text of the alert page (required).
#pragma once

#include "CExtEdit.h"
#include "CWizardPage.h"

class CWizardPageAlarmVisual : public CWizardPage {
public:
    enum { IDD = 212, IDC_TEXT = 1001 };
    static const char kNoText[];
    CWizardPageAlarmVisual();

    CString visualText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    const char* refusal() override;

    CExtEdit m_textEdit;
};
