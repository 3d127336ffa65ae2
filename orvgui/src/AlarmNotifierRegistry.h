// The alarm notifier of each item, by wrapper: how the main frame resets alarms and the list view
// silences a deleted item. The notifiers are owned by their workers; a notifier leaves the map
// when its worker releases it, so reset and disable never reach a freed one. Any thread.
//
// The map is keyed by the wrapper's id, not its address: a deleted item's worker may still be
// ending (its notifier still in the map) when a new item's wrapper is made at the same address,
// and that item's reset must not reach the old notifier.
#pragma once

#include <windows.h>

#include <map>

class AlarmActions;
class AlarmNotifier;
class MailSender;
class MonitorItemWrapper;

class AlarmNotifierRegistry {
public:
    static AlarmNotifierRegistry& instance();

    AlarmNotifierRegistry();
    ~AlarmNotifierRegistry();
    AlarmNotifierRegistry(const AlarmNotifierRegistry&) = delete;
    AlarmNotifierRegistry& operator=(const AlarmNotifierRegistry&) = delete;

    // A new notifier for the wrapper, entered unless the wrapper has one already (the first
    // stays; the new one is returned all the same). The item's address is allowed mail again in
    // the queue: an item added with a deleted item's address gets its alarm mail.
    AlarmNotifier* add(MonitorItemWrapper* wrapper, MailSender* mail = nullptr,
                       AlarmActions* actions = nullptr);
    void disable(MonitorItemWrapper* wrapper);
    void reset(MonitorItemWrapper* wrapper);
    bool find(MonitorItemWrapper* wrapper);

    // The notifier is being released: it leaves the map. True when no notifier left in the map
    // has its mail key.
    bool forget(AlarmNotifier* notifier);

private:
    CRITICAL_SECTION lock_;
    std::map<unsigned long long, AlarmNotifier*> notifiers_;   // by MonitorItemWrapper::id
};
