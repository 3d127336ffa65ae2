// The "General" page (template 133) of an item's properties sheet: name, address, check
// frequency and unit, response-time limit, the Active box, protocol and port, the protocol's
// settings dialog, and a test run of the values being edited. The caller fills the values from
// the item's records before the sheet runs; Apply (and OK) checks them and writes them into the
// item.
//
// Apply refuses an empty address, another item's address (the comparison is exact; the address
// the page opened with always passes) and a check interval outside 30 seconds .. 24 days in any
// unit. Picking a protocol sets its usual port; opening the page keeps the stored one. Ticking or
// clearing the Active box resumes or suspends the item's worker, as the Suspend and Activate
// commands do.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtComboBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtLabel.h"
#include "CExtResizablePropertyPage.h"
#include "ProtocolSettingsValues.h"

class MonitorItemSettings;
class MonitorItemWrapper;

// The protocol values (search text, account, files, mail) are the inherited
// ProtocolSettingsValues members.
class CItemPropertiesDlg : public CExtResizablePropertyPage, public ProtocolSettingsValues {
public:
    enum {
        IDD = 133,
        IDC_ADDRESS = 1001,
        IDC_TEST = 1003,
        IDC_UNIT = 1006,
        IDC_SETTINGS = 1009,
        IDC_PROPERTIES_GROUP = 1010,
        IDC_FREQUENCY = 1012,
        IDC_HOW_GROUP = 1015,
        IDC_TEST_GROUP = 1016,
        IDC_TIMEOUT_LABEL = 1021,
        IDC_TIMEOUT = 1022,
        IDC_PORT = 1023,
        IDC_ACTIVE = 1026,
        IDC_PROTOCOL = 1036,
        IDC_NAME = 1038,
        IDC_PORT_LABEL = 1093,
        IDC_FREQUENCY_LABEL = 1094,
        IDC_ADDRESS_LABEL = 1095,
        IDC_NAME_LABEL = 1098,
    };
    static const char kNoAddress[];      // "Please enter an address for your watch item"
    static const char kAddressTaken[];   // "A watch item with this address already exists.\nPlease choose another address."

    CItemPropertiesDlg();

    void setWrapper(MonitorItemWrapper* item) { wrapper = item; }

    // The values, as the caller fills them and Apply writes them.
    CString name, address;
    int active;
    int frequency;
    int port;
    int timeout;
    int type;
    int unit;
    MonitorItemWrapper* wrapper;
    CString addressAtOpen;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    afx_msg void OnTest();
    afx_msg void OnSettings();
    afx_msg void OnProtocolChanged();
    afx_msg void OnModified();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    // Settings and port follow the type: no settings for Ping and Port, no port for Ping.
    void EnableForType();
    // The general record and the current type's protocol record (only that one) of the item.
    void WriteGeneral(MonitorItemSettings* item) const;
    void WriteProtocol(MonitorItemSettings* item) const { writeProtocol(*item, type, true); }
    // The Active box, changed since the page opened, suspends or resumes the item.
    void ApplyActive(MonitorItemSettings* item);
    int SelectedType() const;
    int SelectedUnit() const;

    int m_activeAtOpen;
    bool m_bFilling;   // the page shows its values: the edits' changes are not the user's
    CExtEdit m_timeoutEdit, m_addressEdit, m_portEdit, m_nameEdit, m_frequencyEdit;
    CExtLabel m_labels[5];
    CExtGroupBox m_howGroup, m_testGroup, m_propertiesGroup;
    CExtCheckBox m_activeCheck;
    CExtButton m_testButton, m_settingsButton;
    CExtComboBox m_unitCombo, m_protocolCombo;
};
