// The service's alarm action for one item: counts the item's consecutive failed cycles and, from
// the item's alarm threshold on, queues one alarm mail per recipient at every further failure.
// Called only on the item's worker thread.
//
// Only a failed cycle can raise the alarm: a successful cycle resets the count and mails nothing,
// and a threshold below 1 counts as 1.
#pragma once

#include <string>

#include "orv/log4cxx.h"
#include "workers/Notifier.h"

class MailSender;
class MonitorItemSettings;

class MailAlarmNotifier : public Notifier {
public:
    // Sender of every alarm mail.
    static const char kSenderAddress[];

    // item is not owned; mail goes to sender, or to MailSender::instance() when it is null.
    MailAlarmNotifier(MonitorItemSettings* item, const std::string& dataFolder,
                      MailSender* sender = nullptr);

    void notify(int event, const std::string& text) override;
    // Deletes the notifier (the worker's notifier list calls it when the worker ends).
    void release() override;

    int failureCount() const { return count_; }

private:
    void sendAlarm();
    MailSender& queue();

    MonitorItemSettings* item_;
    std::string key_;          // the item's address when the notifier was made
    std::string dataFolder_;
    int count_;
    MailSender* sender_;
    log4cxx::LoggerPtr logger_;
};
