#include "CItemPropertiesDlg.h"

#include "CTestViewDlg.h"
#include "ContextHelpMap.h"
#include "ItemSettingsRules.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "workers/WorkerManager.h"

const char CItemPropertiesDlg::kNoAddress[] = "Please enter an address for your watch item";
const char CItemPropertiesDlg::kAddressTaken[] = "A watch item with this address already exists.\nPlease choose another address.";

BEGIN_MESSAGE_MAP(CItemPropertiesDlg, CExtResizablePropertyPage)
    ON_BN_CLICKED(IDC_TEST, OnTest)
    ON_BN_CLICKED(IDC_SETTINGS, OnSettings)
    ON_CBN_SELCHANGE(IDC_PROTOCOL, OnProtocolChanged)
    ON_EN_CHANGE(IDC_FREQUENCY, OnModified)
    ON_EN_CHANGE(IDC_ADDRESS, OnModified)
    ON_EN_CHANGE(IDC_TIMEOUT, OnModified)
    ON_EN_CHANGE(IDC_PORT, OnModified)
    ON_EN_CHANGE(IDC_NAME, OnModified)
    ON_CBN_EDITCHANGE(IDC_PROTOCOL, OnModified)
    ON_CBN_EDITCHANGE(IDC_UNIT, OnModified)
    ON_CBN_SELCHANGE(IDC_UNIT, OnModified)
    ON_BN_CLICKED(IDC_ACTIVE, OnModified)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CItemPropertiesDlg::CItemPropertiesDlg()
    : CExtResizablePropertyPage(IDD),
      active(1),
      frequency(30),
      port(0),
      timeout(5000),
      type(0),
      unit(1),
      wrapper(nullptr),
      m_activeAtOpen(1),
      m_bFilling(false)
{
}

int CItemPropertiesDlg::SelectedType() const
{
    const int index = m_protocolCombo.GetCurSel();
    if (index < 0)
        return -1;
    CString text;
    m_protocolCombo.GetLBText(index, text);
    return ItemSettingsRules::typeFromCaption((LPCTSTR)text);
}

int CItemPropertiesDlg::SelectedUnit() const
{
    const int index = m_unitCombo.GetCurSel();
    if (index < 0)
        return 0;
    CString text;
    m_unitCombo.GetLBText(index, text);
    return ItemSettingsRules::unitFromCaption((LPCTSTR)text);
}

void CItemPropertiesDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizablePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TIMEOUT, m_timeoutEdit);
    const int labels[] = {IDC_TIMEOUT_LABEL, IDC_NAME_LABEL, IDC_ADDRESS_LABEL, IDC_FREQUENCY_LABEL, IDC_PORT_LABEL};
    for (int i = 0; i < 5; ++i)
        DDX_Control(pDX, labels[i], m_labels[i]);
    DDX_Control(pDX, IDC_HOW_GROUP, m_howGroup);
    DDX_Control(pDX, IDC_TEST_GROUP, m_testGroup);
    DDX_Control(pDX, IDC_PROPERTIES_GROUP, m_propertiesGroup);
    DDX_Control(pDX, IDC_ADDRESS, m_addressEdit);
    DDX_Control(pDX, IDC_PORT, m_portEdit);
    DDX_Control(pDX, IDC_NAME, m_nameEdit);
    DDX_Control(pDX, IDC_FREQUENCY, m_frequencyEdit);
    DDX_Control(pDX, IDC_ACTIVE, m_activeCheck);
    DDX_Control(pDX, IDC_TEST, m_testButton);
    DDX_Control(pDX, IDC_SETTINGS, m_settingsButton);
    DDX_Control(pDX, IDC_UNIT, m_unitCombo);
    DDX_Control(pDX, IDC_PROTOCOL, m_protocolCombo);
    if (pDX->m_bSaveAndValidate) {
        // the combos first: a range refusal below stops the exchange, and the choices must not
        // be lost with it
        unit = SelectedUnit();
        type = SelectedType();
    } else if (m_unitCombo.GetCount() > 0) {
        // the captions were added in the order of their numbers
        m_unitCombo.SetCurSel(unit >= ItemSettingsRules::UnitSeconds && unit <= ItemSettingsRules::UnitDays ? unit - 1 : -1);
        m_protocolCombo.SetCurSel(type >= ItemSettingsRules::TypePing && type <= ItemSettingsRules::TypePort ? type : -1);
    }
    DDX_Text(pDX, IDC_NAME, name);
    DDX_Text(pDX, IDC_ADDRESS, address);
    DDX_Check(pDX, IDC_ACTIVE, active);
    DDX_Text(pDX, IDC_FREQUENCY, frequency);
    DDV_MinMaxInt(pDX, frequency, 0, 65535);
    DDX_Text(pDX, IDC_PORT, port);
    DDV_MinMaxInt(pDX, port, 0, 10000);
    DDX_Text(pDX, IDC_TIMEOUT, timeout);
}

BOOL CItemPropertiesDlg::OnInitDialog()
{
    addressAtOpen = address;
    m_activeAtOpen = active;
    m_bFilling = true;
    CExtResizablePropertyPage::OnInitDialog();
    m_howGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_testGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_propertiesGroup.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    m_protocolCombo.ResetContent();
    for (int t = ItemSettingsRules::TypePing; t <= ItemSettingsRules::TypePort; ++t)
        m_protocolCombo.AddString(ItemSettingsRules::typeCaption(t).c_str());
    m_unitCombo.ResetContent();
    for (int u = ItemSettingsRules::UnitSeconds; u <= ItemSettingsRules::UnitDays; ++u)
        m_unitCombo.AddString(ItemSettingsRules::unitCaption(u).c_str());
    // The stored port stays as it is: the protocol's usual port is set only when the user picks
    // a protocol (an item on 8080 keeps 8080).
    EnableForType();
    UpdateData(FALSE);
    m_bFilling = false;
    return TRUE;
}

void CItemPropertiesDlg::EnableForType()
{
    m_settingsButton.EnableWindow(ItemSettingsRules::hasSettings(type));
    m_portEdit.EnableWindow(type != ItemSettingsRules::TypePing);
}

void CItemPropertiesDlg::OnModified()
{
    if (!m_bFilling)
        SetModified(TRUE);
}

void CItemPropertiesDlg::OnProtocolChanged()
{
    UpdateData(TRUE);   // a refused value keeps what was exchanged before it
    type = SelectedType();
    EnableForType();
    port = ItemSettingsRules::defaultPort(type, port);
    m_bFilling = true;
    UpdateData(FALSE);
    m_bFilling = false;
    SetModified(TRUE);
    OnSettings();
}

void CItemPropertiesDlg::OnSettings()
{
    if (editSettings(type, this, wrapper))
        SetModified(TRUE);
}

BOOL CItemPropertiesDlg::OnApply()
{
    if (!UpdateData(TRUE))
        return FALSE;
    address = ItemSettingsRules::withoutSpaces((LPCTSTR)address).c_str();
    if (address.IsEmpty()) {
        AfxMessageBox(kNoAddress);
        return FALSE;
    }
    if (MonitorItemWrapperManager::instance()->addressTaken((LPCTSTR)addressAtOpen, (LPCTSTR)address)) {
        AfxMessageBox(kAddressTaken);
        return FALSE;
    }
    if (const char* refusal = ItemSettingsRules::intervalError(frequency, unit)) {
        AfxMessageBox(refusal);
        return FALSE;
    }
    m_bFilling = true;
    UpdateData(FALSE);
    m_bFilling = false;
    if (wrapper != nullptr && wrapper->getItem() != nullptr) {
        MonitorItemSettings* item = wrapper->getItem();
        WriteGeneral(item);
        WriteProtocol(item);
        ApplyActive(item);
    }
    addressAtOpen = address;
    return CExtResizablePropertyPage::OnApply();
}

void CItemPropertiesDlg::OnOK()
{
    UpdateData(TRUE);
    CExtResizablePropertyPage::OnOK();
}

void CItemPropertiesDlg::WriteGeneral(MonitorItemSettings* item) const
{
    ItemGeneralSettings& general = item->getGeneral();
    general.enabled = active != 0;
    general.interval = frequency;
    general.intervalUnit = unit;
    general.type = type;
    general.name = (LPCTSTR)name;
    general.port = port;
    general.timeoutMs = timeout;
    general.address = (LPCTSTR)address;
}

void CItemPropertiesDlg::ApplyActive(MonitorItemSettings* item)
{
    const bool wanted = active != 0;
    const bool changed = (m_activeAtOpen != 0) != wanted;
    m_activeAtOpen = active;
    ItemStatus& status = item->getStatus();
    // only a change the user made, and only when the item is not so already: a worker is
    // suspended once and resumed once
    if (!changed || status.active == wanted)
        return;
    if (wanted)
        WorkerManager::instance()->resumeWorker(item);
    else
        WorkerManager::instance()->suspendWorker(item);
    status.active = wanted;
}

void CItemPropertiesDlg::OnTest()
{
    UpdateData(TRUE);   // a refused value keeps what was exchanged before it
    MonitorItemManager* store = MonitorItemManager::instance();
    MonitorItemSettings* trial = store->createTemporaryItem((LPCTSTR)name);
    ItemGeneralSettings& general = trial->getGeneral();
    general.enabled = true;
    general.type = type;
    general.port = port;
    general.timeoutMs = timeout;
    general.address = (LPCTSTR)address;
    WriteProtocol(trial);
    {
        CTestViewDlg dialog(trial, this);
        dialog.DoModal();
    }
    // the dialog has waited for its worker's thread: nothing uses the item any more
    store->deleteTemporaryItem(trial);
}

BOOL CItemPropertiesDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
