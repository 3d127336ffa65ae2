#include "CWizardPageFirst.h"

#include "MonitorItemWrapperManager.h"
#include "WizardRules.h"

const char CWizardPageFirst::kNoAddress[] = "Please enter an address for your watch item";
const char CWizardPageFirst::kAddressExists[] =
    "A watch item with this address already exists.\nPlease choose another address.";

CWizardPageFirst::CWizardPageFirst(const MonitorItemWrapperManager* wrappers)
    : CWizardPage(IDD, "Add New Watch Item"), m_wrappers(wrappers)
{
}

void CWizardPageFirst::DoDataExchange(CDataExchange* pDX)
{
    CWizardPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_ADDRESS, m_addressEdit);
    DDX_Control(pDX, IDC_NAME, m_nameEdit);
    DDX_Text(pDX, IDC_ADDRESS, address);
    DDX_Text(pDX, IDC_NAME, name);
}

BOOL CWizardPageFirst::OnSetActive()
{
    BOOL result = CWizardPage::OnSetActive();
    setButtons(PSWIZB_NEXT);
    showBackButton(false);
    return result;
}

LRESULT CWizardPageFirst::OnWizardNext()
{
    if (!UpdateData(TRUE))
        return -1;
    if (address.IsEmpty())
        return refuse(kNoAddress);
    address = WizardRules::normaliseAddress((LPCTSTR)address).c_str();
    UpdateData(FALSE);
    if (m_wrappers != NULL && m_wrappers->addressExists((LPCTSTR)address))
        return refuse(kAddressExists);
    showBackButton(true);
    setButtons(PSWIZB_BACK | PSWIZB_NEXT);
    return 0;
}
