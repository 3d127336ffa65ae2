// The "Alarm" page of the item's properties sheet: when the alarm fires (consecutive failures)
// and resets (consecutive successes, or by hand), and through Actions the "Set Alarm Actions"
// sheet with the four action pages. It holds every alarm and action value of the item; OK and
// Apply write them into the item's alarm trigger and action records.
#pragma once

#include <afxwin.h>

#include "CExtButton.h"
#include "CExtCheckBox.h"
#include "CExtEdit.h"
#include "CExtGroupBox.h"
#include "CExtResizablePropertyPage.h"

class MonitorItemSettings;
class MonitorItemWrapper;
class CAlarmActionCommandsPage;
class CAlarmActionEmailPage;
class CAlarmActionSoundPage;
class CAlarmActionVisualPage;

class CAlarmSettingDlg : public CExtResizablePropertyPage {
public:
    enum {
        IDD = 140,
        IDC_FAILURES = 1001,
        IDC_GROUP = 1008,
        IDC_ACTIONS = 1009,
        IDC_TRIGGER = 1010,
        IDC_AUTO_RESET = 1011,
        IDC_SUCCESSES = 1012,
    };
    CAlarmSettingDlg();
    ~CAlarmSettingDlg() override;

    void setWrapper(MonitorItemWrapper* wrapper) { this->wrapper = wrapper; }
    // Every value from the item's records (the recipients joined, a comma after each).
    void loadFrom(MonitorItemSettings& item);
    // Every value into the item's records, under the item's lock.
    void writeTo(MonitorItemSettings& item) const;

    // The action sheet's pages with the values copied in, and the values taken back from the
    // pages that were applied (what Actions does around its modal run).
    void copyTo(CAlarmActionCommandsPage& commands, CAlarmActionEmailPage& email, CAlarmActionSoundPage& sound,
                CAlarmActionVisualPage& visual) const;
    void takeBack(const CAlarmActionCommandsPage& commands, const CAlarmActionEmailPage& email,
                  const CAlarmActionSoundPage& sound, const CAlarmActionVisualPage& visual);

    int trigger;
    int failures;
    int autoReset;
    int successes;
    int cmdRun, urlRun;
    CString program, url;
    int mailActive, mailReport, mailOption23, mailSms, mailOption25;
    CString addresses;
    int soundActive, soundLoop;
    CString soundFile;
    int visualActive;
    CString visualText;
    MonitorItemWrapper* wrapper;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    BOOL OnApply() override;
    // Runs the "Set Alarm Actions" sheet modally (tests take it over).
    virtual void runActionSheet(CAlarmActionCommandsPage& commands, CAlarmActionEmailPage& email,
                                CAlarmActionSoundPage& sound, CAlarmActionVisualPage& visual);

    afx_msg void OnTriggerToggled();
    afx_msg void OnResetToggled();
    afx_msg void OnActions();
    afx_msg BOOL OnHelpInfo(HELPINFO* pHelpInfo);
    DECLARE_MESSAGE_MAP()

    // The success count is enabled exactly when auto-reset is on; the page is modified.
    void resetRule();
    // Both counts and the reset box are enabled exactly when the trigger is on; modified.
    void triggerRule();
    void markModified();
    void enable(int nID, bool bEnable);
    // Exchange from the controls and write to the edited item.
    bool store();

    CExtGroupBox m_group;
    CExtEdit m_failuresEdit, m_successesEdit;
    CExtCheckBox m_triggerBox, m_autoResetBox;
    CExtButton m_actions;
};
