#include "MailAlarmNotifier.h"

#include <algorithm>
#include <exception>
#include <vector>

#include <boost/format.hpp>

#include "mailqueue/MailSender.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemSettings.h"
#include "reports/DefaultReport.h"

const char MailAlarmNotifier::kSenderAddress[] = "mailer-daemon@orvane.net";

MailAlarmNotifier::MailAlarmNotifier(MonitorItemSettings* item, const std::string& dataFolder,
                                     MailSender* sender)
    : item_(item), dataFolder_(dataFolder), count_(0), sender_(sender)
{
    LogSetup::getLogger(LogSetup::instance(), logger_, "service.MailAlarmNotifier");
    MonitorItemLock lock(item_);
    key_ = item_->getGeneral().address;
}

void MailAlarmNotifier::release()
{
    delete this;
}

MailSender& MailAlarmNotifier::queue()
{
    // The process-wide queue (and its thread) comes into being with the first alarm.
    return sender_ ? *sender_ : *MailSender::instance();
}

void MailAlarmNotifier::notify(int event, const std::string&)
{
    switch (event) {
    case NotifyCycleFailed:
        ++count_;
        break;
    case NotifyCycleSucceeded:
        count_ = 0;
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
            sendAlarm();
    } catch (const std::exception& e) {
        LOG4CXX_ERROR(logger_, (boost::format("Alarm mail for %1% not queued: %2%") % key_ %
                                e.what()).str());
    }
}

void MailAlarmNotifier::sendAlarm()
{
    MailAction action;
    std::string name;
    std::string address;
    int failures;
    {
        MonitorItemLock lock(item_);
        action = item_->getMailAction();
        name = item_->getGeneral().name;
        address = item_->getGeneral().address;
        failures = item_->getStatus().consecutiveFailures;
    }
    if (!action.enabled)
        return;

    const std::string subject = (boost::format("Alarm triggered for item %1%") % name).str();
    std::string body =
        (boost::format("The site %1% has had %2% consecutive failures") % address % failures).str();
    bool plain = true;
    if (action.attachReport) {
        body = generateDefaultReport(item_, dataFolder_);
        plain = false;
    }

    int queued = 0;
    for (const std::string& recipient : action.recipients) {
        if (recipient.find_first_not_of(" \t") == std::string::npos)
            continue;   // an empty entry of the stored list is no address
        queue().enqueue(kSenderAddress, recipient, subject, body, std::vector<std::string>(), plain,
                        key_);
        ++queued;
    }
    LOG4CXX_INFO(logger_, (boost::format("Alarm for %1% after %2% consecutive failures: %3% "
                                         "mail(s) queued") %
                           name % failures % queued).str());
}
