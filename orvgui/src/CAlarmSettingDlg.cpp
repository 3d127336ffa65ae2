#include "CAlarmSettingDlg.h"

#include "AlarmRecipients.h"
#include "CAlarmActionCommandsPage.h"
#include "CAlarmActionEmailPage.h"
#include "CAlarmActionSoundPage.h"
#include "CAlarmActionVisualPage.h"
#include "ContextHelpMap.h"
#include "FixedPropertySheet.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"

BEGIN_MESSAGE_MAP(CAlarmSettingDlg, CExtResizablePropertyPage)
    ON_BN_CLICKED(IDC_TRIGGER, OnTriggerToggled)
    ON_BN_CLICKED(IDC_AUTO_RESET, OnResetToggled)
    ON_BN_CLICKED(IDC_ACTIONS, OnActions)
    ON_WM_HELPINFO()
END_MESSAGE_MAP()

CAlarmSettingDlg::CAlarmSettingDlg()
    : CExtResizablePropertyPage(IDD), trigger(1), failures(1), autoReset(1), successes(1), cmdRun(0), urlRun(0),
      mailActive(0), mailReport(0), mailOption23(0), mailSms(0), mailOption25(0), soundActive(0), soundLoop(0),
      visualActive(0), visualText(CAlarmActionVisualPage::kDefaultText), wrapper(NULL)
{
}

CAlarmSettingDlg::~CAlarmSettingDlg() = default;

void CAlarmSettingDlg::loadFrom(MonitorItemSettings& item)
{
    item.lock();
    const AlarmTrigger& t = item.getAlarmTrigger();
    trigger = t.enabled ? 1 : 0;
    failures = t.failureThreshold;
    autoReset = t.autoReset ? 1 : 0;
    successes = t.resetThreshold;
    const CommandAction& c = item.getCommandAction();
    cmdRun = c.programEnabled ? 1 : 0;
    program = c.program.c_str();
    urlRun = c.urlEnabled ? 1 : 0;
    url = c.url.c_str();
    const MailAction& m = item.getMailAction();
    mailActive = m.enabled ? 1 : 0;
    addresses = AlarmRecipients::join(m.recipients).c_str();
    mailOption23 = m.reservedFlag2 ? 1 : 0;
    mailReport = m.attachReport ? 1 : 0;
    mailSms = m.sendSms ? 1 : 0;
    mailOption25 = m.reservedFlag1 ? 1 : 0;
    const SoundAction& s = item.getSoundAction();
    soundActive = s.enabled ? 1 : 0;
    soundLoop = s.loop ? 1 : 0;
    soundFile = s.soundFile.c_str();
    const VisualAction& v = item.getVisualAction();
    visualActive = v.enabled ? 1 : 0;
    visualText = v.text.c_str();
    item.unlock();
}

void CAlarmSettingDlg::writeTo(MonitorItemSettings& item) const
{
    item.lock();
    AlarmTrigger& t = item.getAlarmTrigger();
    t.failureThreshold = failures;
    t.resetThreshold = successes;
    t.autoReset = autoReset != 0;
    t.enabled = trigger != 0;
    CommandAction& c = item.getCommandAction();
    c.programEnabled = cmdRun != 0;
    c.program = (LPCTSTR)program;
    c.urlEnabled = urlRun != 0;
    c.url = (LPCTSTR)url;
    MailAction& m = item.getMailAction();
    m.enabled = mailActive != 0;
    m.recipients = AlarmRecipients::split((LPCTSTR)addresses);
    m.reservedFlag2 = mailOption23 != 0;
    m.attachReport = mailReport != 0;
    m.sendSms = mailSms != 0;
    m.reservedFlag1 = mailOption25 != 0;
    SoundAction& s = item.getSoundAction();
    s.enabled = soundActive != 0;
    s.loop = soundLoop != 0;
    s.soundFile = (LPCTSTR)soundFile;
    VisualAction& v = item.getVisualAction();
    v.enabled = visualActive != 0;
    v.text = (LPCTSTR)visualText;
    item.unlock();
}

void CAlarmSettingDlg::DoDataExchange(CDataExchange* pDX)
{
    CExtResizablePropertyPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_GROUP, m_group);
    DDX_Control(pDX, IDC_FAILURES, m_failuresEdit);
    DDX_Control(pDX, IDC_SUCCESSES, m_successesEdit);
    DDX_Control(pDX, IDC_TRIGGER, m_triggerBox);
    DDX_Control(pDX, IDC_AUTO_RESET, m_autoResetBox);
    DDX_Control(pDX, IDC_ACTIONS, m_actions);
    DDX_Check(pDX, IDC_TRIGGER, trigger);
    DDX_Text(pDX, IDC_FAILURES, failures);
    DDV_MinMaxInt(pDX, failures, 0, 999999);
    DDX_Check(pDX, IDC_AUTO_RESET, autoReset);
    DDX_Text(pDX, IDC_SUCCESSES, successes);
    DDV_MinMaxInt(pDX, successes, 0, 999999);
}

BOOL CAlarmSettingDlg::OnInitDialog()
{
    CExtResizablePropertyPage::OnInitDialog();
    m_group.SetStyle(CExtGroupBox::STYLE_ROUNDED);
    resetRule();
    triggerRule();
    return TRUE;
}

void CAlarmSettingDlg::enable(int nID, bool bEnable)
{
    if (CWnd* pControl = GetDlgItem(nID))
        pControl->EnableWindow(bEnable);
}

void CAlarmSettingDlg::markModified()
{
    HWND hSheet = ::GetParent(m_hWnd);
    if (hSheet != NULL)
        ::SendMessageA(hSheet, PSM_CHANGED, (WPARAM)m_hWnd, 0);
}

// The rules read only their check box: a count being typed is checked when the page is left.
void CAlarmSettingDlg::resetRule()
{
    autoReset = IsDlgButtonChecked(IDC_AUTO_RESET) == BST_CHECKED ? 1 : 0;
    enable(IDC_SUCCESSES, autoReset != 0);
    markModified();
}

void CAlarmSettingDlg::triggerRule()
{
    trigger = IsDlgButtonChecked(IDC_TRIGGER) == BST_CHECKED ? 1 : 0;
    enable(IDC_FAILURES, trigger != 0);
    enable(IDC_SUCCESSES, trigger != 0);
    enable(IDC_AUTO_RESET, trigger != 0);
    markModified();
}

void CAlarmSettingDlg::OnTriggerToggled()
{
    triggerRule();
}

void CAlarmSettingDlg::OnResetToggled()
{
    resetRule();
}

void CAlarmSettingDlg::copyTo(CAlarmActionCommandsPage& commands, CAlarmActionEmailPage& email,
                              CAlarmActionSoundPage& sound, CAlarmActionVisualPage& visual) const
{
    commands.cmdRun = cmdRun;
    commands.urlRun = urlRun;
    commands.program = program;
    commands.url = url;
    email.mailActive = mailActive;
    email.mailReport = mailReport;
    email.mailSms = mailSms;
    email.mailOption25 = mailOption25;
    email.addresses = addresses;
    sound.soundActive = soundActive;
    sound.soundLoop = soundLoop;
    sound.soundFile = soundFile;
    visual.visualActive = visualActive;
    visual.visualText = visualText;
}

void CAlarmSettingDlg::takeBack(const CAlarmActionCommandsPage& commands, const CAlarmActionEmailPage& email,
                                const CAlarmActionSoundPage& sound, const CAlarmActionVisualPage& visual)
{
    if (commands.applied) {
        cmdRun = commands.cmdRun;
        urlRun = commands.urlRun;
        program = commands.program;
        url = commands.url;
        markModified();
    }
    if (email.applied) {
        mailActive = email.mailActive;
        mailReport = email.mailReport;
        mailSms = email.mailSms;
        mailOption25 = email.mailOption25;
        addresses = email.addresses;
        markModified();
    }
    if (sound.applied) {
        soundActive = sound.soundActive;
        soundLoop = sound.soundLoop;
        soundFile = sound.soundFile;
        markModified();
    }
    if (visual.applied) {
        visualActive = visual.visualActive;
        visualText = visual.visualText;
        markModified();
    }
}

void CAlarmSettingDlg::runActionSheet(CAlarmActionCommandsPage& commands, CAlarmActionEmailPage& email,
                                      CAlarmActionSoundPage& sound, CAlarmActionVisualPage& visual)
{
    FixedPropertySheet sheet(true, "Set Alarm Actions", this);
    sheet.AddPage(&commands);
    sheet.AddPage(&email);
    sheet.AddPage(&sound);
    sheet.AddPage(&visual);
    sheet.DoModal();
}

void CAlarmSettingDlg::OnActions()
{
    CAlarmActionCommandsPage commands;
    CAlarmActionEmailPage email;
    CAlarmActionSoundPage sound;
    CAlarmActionVisualPage visual;
    copyTo(commands, email, sound, visual);
    runActionSheet(commands, email, sound, visual);
    takeBack(commands, email, sound, visual);
}

bool CAlarmSettingDlg::store()
{
    if (!UpdateData(TRUE))
        return false;
    if (wrapper != NULL && wrapper->getItem() != NULL)
        writeTo(*wrapper->getItem());
    return true;
}

void CAlarmSettingDlg::OnOK()
{
    // On a sheet OK arrives as Apply; this is the page running on its own.
    store();
    CExtResizablePropertyPage::OnOK();
}

BOOL CAlarmSettingDlg::OnApply()
{
    return store() ? TRUE : FALSE;
}

BOOL CAlarmSettingDlg::OnHelpInfo(HELPINFO*)
{
    ContextHelpMap::showHelp(m_hWnd, IDD);
    return TRUE;
}
