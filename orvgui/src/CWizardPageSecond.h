// Wizard page 2, "Configure Time Thresholds And Monitoring Frequency": how often the item is
// checked (a number and a unit from a drop-down list) and the response-time limit.
#pragma once

#include "CExtComboBox.h"
#include "CExtEdit.h"
#include "CWizardPage.h"

class CWizardPageSecond : public CWizardPage {
public:
    enum { IDD = 173, IDC_UNIT = 1006, IDC_FREQUENCY = 1012, IDC_TIMEOUT = 1095 };
    CWizardPageSecond();

    int frequency;
    int unit;      // 1 seconds .. 4 days
    int timeout;   // milliseconds

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    LRESULT OnWizardBack() override;
    LRESULT OnWizardNext() override;
    afx_msg void OnUnitChanged();
    DECLARE_MESSAGE_MAP()

    CExtEdit m_frequencyEdit, m_timeoutEdit;
    CExtComboBox m_unitCombo;
};
