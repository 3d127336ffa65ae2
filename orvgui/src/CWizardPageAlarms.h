// Wizard page 4, "Configure Alarms": which alarm kinds to configure. Next chains the chosen
// detail pages in the order Email, Sound, Visual, Command and then the last page, and goes to
// the first of them; at least one kind must be chosen.
#pragma once

#include "CExtCheckBox.h"
#include "CWizardPage.h"

class CWizardPageAlarms : public CWizardPage {
public:
    enum {
        IDD = 205,
        IDC_WANT_EMAIL = 1118,
        IDC_WANT_SOUND = 1119,
        IDC_WANT_VISUAL = 1120,
        IDC_WANT_COMMAND = 1121,
    };
    static const char kNoAlarm[];
    CWizardPageAlarms();

    // The pages the chain links (Email, Sound, Visual, Command, last).
    void setChainPages(CWizardPage* email, CWizardPage* sound, CWizardPage* visual, CWizardPage* command,
                       CWizardPage* finished);

    int wantCommand;
    int wantEmail;
    int wantSound;
    int wantVisual;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT OnWizardNext() override;

    CExtCheckBox m_email, m_sound, m_visual, m_command;
    CWizardPage* m_pages[4];
    CWizardPage* m_finished;
};
