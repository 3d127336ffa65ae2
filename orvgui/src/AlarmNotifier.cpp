#include "AlarmNotifier.h"

#include <algorithm>
#include <exception>
#include <vector>

#include <boost/format.hpp>

#include "AlarmNotifierRegistry.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "SystemAlarmActions.h"
#include "mailqueue/MailSender.h"
#include "reports/HtmlEscape.h"
#include "reports/Report.h"
#include "reports/ReportMaker.h"
#include "reports/ReportManager.h"

const char AlarmNotifier::kSenderAddress[] = "mailer-daemon@orvane.net";

AlarmNotifier::AlarmNotifier(MonitorItemWrapper* wrapper, MailSender* mail, AlarmActions* actions)
    : wrapper_(wrapper),
      wrapperId_(wrapper->id()),
      item_(wrapper->getItem()),
      enabled_(1),
      count_(0),
      mail_(mail),
      actions_(actions ? actions : SystemAlarmActions::instance())
{
    LogSetup::getLogger(LogSetup::instance(), logger_, "orv.AlarmNotifier");
    MonitorItemLock lock(item_);
    key_ = item_->getGeneral().address;
}

MailSender& AlarmNotifier::mailQueue()
{
    // The process-wide queue (and its thread) comes into being with the first use.
    return mail_ ? *mail_ : *MailSender::instance();
}

MailSender* AlarmNotifier::existingQueue()
{
    return mail_ ? mail_ : MailSender::existingInstance();
}

void AlarmNotifier::allowMail()
{
    if (MailSender* queue = existingQueue())
        queue->allow(key_);
}

void AlarmNotifier::release()
{
    try {
        MailSender* queue = existingQueue();
        if (AlarmNotifierRegistry::instance().forget(this) && queue)
            queue->suppress(key_);
    } catch (const std::exception& e) {
        LOG4CXX_ERROR(logger_, (boost::format("Releasing the alarm of %1%: %2%") % key_ %
                                e.what()).str());
    }
    delete this;
}

void AlarmNotifier::disable()
{
    InterlockedExchange(&enabled_, 0);
}

void AlarmNotifier::reset()
{
    InterlockedExchange(&count_, 0);
    bool sound;
    {
        MonitorItemLock lock(item_);
        sound = item_->getSoundAction().enabled;
    }
    if (sound)
        actions_->stopSound();
}

void AlarmNotifier::notify(int event, const std::string&)
{
    if (!enabled_)
        return;
    switch (event) {
    case NotifyCycleFailed:
        InterlockedIncrement(&count_);
        break;
    case NotifyCycleSucceeded:
        InterlockedExchange(&count_, 0);
        return;
    default:
        return;
    }

    // An exception must not end the worker thread that called us.
    try {
        bool enabled;
        int threshold;
        {
            MonitorItemLock lock(item_);
            enabled = item_->getAlarmTrigger().enabled;
            threshold = item_->getAlarmTrigger().failureThreshold;
        }
        if (enabled && count_ >= std::max(1, threshold))
            fire();
    } catch (const std::exception& e) {
        LOG4CXX_ERROR(logger_, (boost::format("Alarm actions for %1% failed: %2%") % key_ %
                                e.what()).str());
    }
}

void AlarmNotifier::fire()
{
    CommandAction commands;
    SoundAction sound;
    MailAction mail;
    VisualAction visual;
    std::string name;
    std::string address;
    int failures;
    {
        MonitorItemLock lock(item_);
        commands = item_->getCommandAction();
        sound = item_->getSoundAction();
        mail = item_->getMailAction();
        visual = item_->getVisualAction();
        name = item_->getGeneral().name;
        address = item_->getGeneral().address;
        failures = item_->getStatus().consecutiveFailures;
    }
    LOG4CXX_INFO(logger_, (boost::format("Alarm for %1% after %2% consecutive failures") % name %
                           failures).str());

    if (commands.programEnabled)
        actions_->open(commands.program);
    if (commands.urlEnabled)
        actions_->open(commands.url);

    if (sound.enabled)
        actions_->playSound(sound.soundFile, sound.loop);

    if (mail.enabled) {
        const std::string subject = (boost::format("Alarm triggered for item %1%") % name).str();
        std::string body = (boost::format("The site %1% has had %2% consecutive failures") %
                            address % failures).str();
        if (mail.attachReport) {
            // A copy: the report dialogs may edit or delete the definition meanwhile.
            Report report;
            if (ReportManager::instance()->copyDefaultReport(report))
                body = ReportMaker(&report, item_).getReportString();
            else
                body = HtmlEscape::escape(body);   // sent as HTML all the same
        }
        for (const std::string& recipient : mail.recipients) {
            const size_t first = recipient.find_first_not_of(" \t");
            if (first == std::string::npos)
                continue;   // an empty entry of the stored list is no address
            const size_t last = recipient.find_last_not_of(" \t");
            mailQueue().enqueue(kSenderAddress, recipient.substr(first, last - first + 1), subject,
                                body, std::vector<std::string>(), !mail.attachReport, key_);
        }
    }

    if (visual.enabled) {
        const std::string page = ReportMaker(item_).runAlertReport(visual.text);
        if (!page.empty())
            actions_->open(page);
    }
}
