#include "CWizardPageFourth.h"

CWizardPageFourth::CWizardPageFourth() : CWizardPage(IDD, "Finished", false) {}

BOOL CWizardPageFourth::OnInitDialog()
{
    CWizardPage::OnInitDialog();
    if (sheet != NULL)
        sheet->SetTitle(title());
    setButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return TRUE;
}

BOOL CWizardPageFourth::OnSetActive()
{
    BOOL result = CWizardPage::OnSetActive();
    setButtons(PSWIZB_BACK | PSWIZB_FINISH);
    return result;
}

LRESULT CWizardPageFourth::OnWizardBack()
{
    setButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return backPage;
}
