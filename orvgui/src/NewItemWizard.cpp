#include "NewItemWizard.h"

#include "AlarmRecipients.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "ProtocolSettingsValues.h"

namespace {

CString SheetCaption()
{
    CString caption;
    if (!caption.LoadString(61204) || caption.IsEmpty())
        caption = "Item Properties";
    return caption;
}

}  // namespace

NewItemWizard::NewItemWizard(MonitorItemManager& store, MonitorItemWrapperManager& wrappers, CWnd* pParent)
    : sheet(true, SheetCaption(), pParent), first(&wrappers), m_store(store), m_wrappers(wrappers)
{
    CWizardPage* pages[] = {&first, &second, &third, &alarms, &email, &sound, &visual, &command, &fourth};
    for (CWizardPage* page : pages) {
        page->setSheet(&sheet);
        sheet.AddPage(page);
    }
    alarms.setChainPages(&email, &sound, &visual, &command, &fourth);
    sheet.SetWizardMode();
}

NewItemWizard::~NewItemWizard() = default;

MonitorItemWrapper* NewItemWizard::run()
{
    if (sheet.DoModal() != ID_WIZFINISH)
        return NULL;
    return createItem();
}

MonitorItemWrapper* NewItemWizard::createItem()
{
    MonitorItemSettings* item = m_store.createItem();
    if (item == NULL)
        return NULL;
    MonitorItemWrapper* wrapper = m_wrappers.add(item);

    item->lock();
    ItemGeneralSettings& general = item->getGeneral();
    general.enabled = true;
    general.interval = second.frequency;
    general.intervalUnit = second.unit;
    general.type = third.type;
    general.name = (LPCTSTR)first.name;
    general.port = third.port;
    general.timeoutMs = second.timeout;
    general.address = (LPCTSTR)first.address;
    item->unlock();

    editProtocolSettings(*wrapper);

    item->lock();
    if (alarms.wantEmail) {
        MailAction& mail = item->getMailAction();
        mail.enabled = true;
        mail.recipients = AlarmRecipients::split((LPCTSTR)email.addresses);
        mail.attachReport = email.mailReport != 0;
        mail.sendSms = email.mailSms != 0;
    }
    if (alarms.wantSound) {
        SoundAction& action = item->getSoundAction();
        action.enabled = true;
        action.soundFile = (LPCTSTR)sound.soundFile;
        action.loop = sound.soundLoop != 0;
    }
    if (alarms.wantCommand) {
        CommandAction& action = item->getCommandAction();
        action.program = (LPCTSTR)command.program;
        action.url = (LPCTSTR)command.url;
        action.programEnabled = !command.program.IsEmpty();
        action.urlEnabled = !command.url.IsEmpty();
    }
    if (alarms.wantVisual) {
        VisualAction& action = item->getVisualAction();
        action.enabled = true;
        action.text = (LPCTSTR)visual.visualText;
    }
    item->unlock();
    // on disk at once: the periodic saving would leave a new item unsaved for up to two minutes
    item->save();
    return wrapper;
}

void NewItemWizard::editProtocolSettings(MonitorItemWrapper& wrapper)
{
    // the dialog starts from its defaults; its Snapshot reads the new item's stored page
    ProtocolSettingsValues values;
    if (!values.editSettings(third.type, nullptr, &wrapper))
        return;   // cancelled, or no dialog: the record keeps the store's defaults
    MonitorItemSettings* item = wrapper.getItem();
    item->lock();
    // the authentication flag is not the wizard's: the store's default stays
    values.writeProtocol(*item, third.type, false);
    item->unlock();
}
