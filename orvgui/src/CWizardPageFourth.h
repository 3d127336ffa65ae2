// The wizard's last page, "Finished": Back returns along the alarm chain, Finish ends the wizard.
#pragma once

#include "CWizardPage.h"

class CWizardPageFourth : public CWizardPage {
public:
    enum { IDD = 175 };
    CWizardPageFourth();

protected:
    BOOL OnInitDialog() override;
    BOOL OnSetActive() override;
    LRESULT OnWizardBack() override;
};
