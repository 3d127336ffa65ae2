// The new-item wizard as the frame's add command runs it: a fixed sheet in wizard mode titled
// "Item Properties" with its nine pages (address and name, frequency and limit, protocol and
// port, the alarm kinds, one page per chosen kind, finished). Finish creates the item: its
// folder, its general record, the protocol's settings dialog, the chosen alarm actions, saved.
// Cancel creates nothing.
#pragma once

#include "CWizardPageAlarmCommand.h"
#include "CWizardPageAlarmEmail.h"
#include "CWizardPageAlarmSound.h"
#include "CWizardPageAlarmVisual.h"
#include "CWizardPageAlarms.h"
#include "CWizardPageFirst.h"
#include "CWizardPageFourth.h"
#include "CWizardPageSecond.h"
#include "CWizardPageThird.h"
#include "FixedPropertySheet.h"

class MonitorItemManager;
class MonitorItemWrapper;
class MonitorItemWrapperManager;

class NewItemWizard {
public:
    NewItemWizard(MonitorItemManager& store, MonitorItemWrapperManager& wrappers, CWnd* pParent = NULL);
    virtual ~NewItemWizard();
    NewItemWizard(const NewItemWizard&) = delete;
    NewItemWizard& operator=(const NewItemWizard&) = delete;

    // The frame's add command: runs the wizard modally; after Finish the new item's wrapper
    // (created and saved; the caller adds its row and starts its worker), NULL when cancelled.
    MonitorItemWrapper* run();
    // What Finish does with the pages' values: the item created, wrapped, filled and saved.
    MonitorItemWrapper* createItem();

    FixedPropertySheet sheet;
    CWizardPageFirst first;
    CWizardPageSecond second;
    CWizardPageThird third;
    CWizardPageAlarms alarms;
    CWizardPageAlarmEmail email;
    CWizardPageAlarmSound sound;
    CWizardPageAlarmVisual visual;
    CWizardPageAlarmCommand command;
    CWizardPageFourth fourth;

protected:
    // Opens the protocol's settings dialog for the new item (HTTP and HTTPS, SMTP, POP3, FTP;
    // Ping and Port have none); on OK its values go into the item's protocol record.
    virtual void editProtocolSettings(MonitorItemWrapper& wrapper);

private:
    MonitorItemManager& m_store;
    MonitorItemWrapperManager& m_wrappers;
};
