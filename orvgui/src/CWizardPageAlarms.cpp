#include "CWizardPageAlarms.h"

#include "WizardRules.h"

const char CWizardPageAlarms::kNoAlarm[] = "You must configure at least an alarm";

CWizardPageAlarms::CWizardPageAlarms()
    : CWizardPage(IDD, "Configure Alarms"), wantCommand(0), wantEmail(1), wantSound(0), wantVisual(1),
      m_pages{NULL, NULL, NULL, NULL}, m_finished(NULL)
{
}

void CWizardPageAlarms::setChainPages(CWizardPage* email, CWizardPage* sound, CWizardPage* visual,
                                      CWizardPage* command, CWizardPage* finished)
{
    m_pages[0] = email;
    m_pages[1] = sound;
    m_pages[2] = visual;
    m_pages[3] = command;
    m_finished = finished;
}

void CWizardPageAlarms::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WANT_EMAIL, m_email);
    DDX_Control(pDX, IDC_WANT_SOUND, m_sound);
    DDX_Control(pDX, IDC_WANT_VISUAL, m_visual);
    DDX_Control(pDX, IDC_WANT_COMMAND, m_command);
    DDX_Check(pDX, IDC_WANT_COMMAND, wantCommand);
    DDX_Check(pDX, IDC_WANT_EMAIL, wantEmail);
    DDX_Check(pDX, IDC_WANT_SOUND, wantSound);
    DDX_Check(pDX, IDC_WANT_VISUAL, wantVisual);
}

LRESULT CWizardPageAlarms::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    const WizardRules::Chain chain = WizardRules::chain(wantEmail != 0, wantSound != 0, wantVisual != 0, wantCommand != 0);
    if (chain.pages.empty())
        return refuse(kNoAlarm);
    for (const WizardRules::Link& link : chain.pages)
        for (CWizardPage* page : m_pages)
            if (page != NULL && (int)page->templateId() == link.page) {
                page->nextPage = link.next;
                page->backPage = link.back;
            }
    if (m_finished != NULL)
        m_finished->backPage = chain.finishedBack;
    return chain.first();
}
