// The GUI's alarm listener on an item's worker: counts consecutive failed cycles and, from the
// item's threshold on, runs the item's alarm actions at every further failure, in this order: the
// two commands or URLs, the sound, one mail per recipient (through the mail queue), the alert page.
//
// Only a failed cycle can raise the alarm (a success resets the count); a threshold below 1 counts
// as 1. notify, fire and release run on the worker thread; reset and disable on the GUI thread,
// through the AlarmNotifierRegistry, which keeps them off a released notifier.
//
// The notifier reads the item through its MonitorItemSettings pointer, which lives until the item
// store is released; the wrapper pointer is only its key in the registry (the list view may
// delete the wrapper while the worker still runs).
#pragma once

#include <windows.h>

#include <string>

#include "orv/log4cxx.h"
#include "workers/Notifier.h"

class AlarmActions;
class MailSender;
class MonitorItemSettings;
class MonitorItemWrapper;

class AlarmNotifier : public Notifier {
public:
    // Sender of every alarm mail.
    static const char kSenderAddress[];

    // mail: the queue for alarm mail (null: MailSender::instance()); actions: what opens commands
    // and plays sounds (null: SystemAlarmActions). The mail key is the item's address now.
    AlarmNotifier(MonitorItemWrapper* wrapper, MailSender* mail = nullptr,
                  AlarmActions* actions = nullptr);

    void notify(int event, const std::string& text) override;
    // Leaves the registry; unless a registered notifier has the same key, the key's mail is
    // suppressed in the queue (when there is one: a queue is not made for it); then deletes the
    // object.
    void release() override;

    // The count back to 0, and a playing alarm sound stopped.
    void reset();
    void disable();
    bool enabled() const { return enabled_ != 0; }
    int failureCount() const { return count_; }
    const std::string& mailKey() const { return key_; }
    // The id of the wrapper it was made for (its key in the registry).
    unsigned long long wrapperId() const { return wrapperId_; }
    // The key may be mailed again (an item with this address was added). The process-wide queue
    // is not made for this: before it exists nothing can be suppressed.
    void allowMail();

    // Runs the item's enabled actions now.
    void fire();

private:
    MailSender& mailQueue();
    // The queue given at construction, else the process-wide one when it exists already.
    MailSender* existingQueue();

    MonitorItemWrapper* wrapper_;
    unsigned long long wrapperId_;
    MonitorItemSettings* item_;
    volatile LONG enabled_;
    volatile LONG count_;
    std::string key_;
    MailSender* mail_;
    AlarmActions* actions_;
    log4cxx::LoggerPtr logger_;
};
