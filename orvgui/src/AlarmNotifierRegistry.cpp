#include "AlarmNotifierRegistry.h"

#include "AlarmNotifier.h"
#include "MonitorItemWrapper.h"
#include "workers/ScopedLock.h"

AlarmNotifierRegistry& AlarmNotifierRegistry::instance()
{
    static AlarmNotifierRegistry registry;
    return registry;
}

AlarmNotifierRegistry::AlarmNotifierRegistry()
{
    InitializeCriticalSection(&lock_);
}

AlarmNotifierRegistry::~AlarmNotifierRegistry()
{
    DeleteCriticalSection(&lock_);
}

AlarmNotifier* AlarmNotifierRegistry::add(MonitorItemWrapper* wrapper, MailSender* mail,
                                          AlarmActions* actions)
{
    AlarmNotifier* notifier = new AlarmNotifier(wrapper, mail, actions);
    {
        ScopedLock guard(lock_);
        notifiers_.insert(std::make_pair(wrapper->id(), notifier));
    }
    notifier->allowMail();
    return notifier;
}

void AlarmNotifierRegistry::disable(MonitorItemWrapper* wrapper)
{
    ScopedLock guard(lock_);
    auto it = notifiers_.find(wrapper->id());
    if (it != notifiers_.end())
        it->second->disable();
}

void AlarmNotifierRegistry::reset(MonitorItemWrapper* wrapper)
{
    // Under the lock: the notifier cannot be released meanwhile.
    ScopedLock guard(lock_);
    auto it = notifiers_.find(wrapper->id());
    if (it != notifiers_.end())
        it->second->reset();
}

bool AlarmNotifierRegistry::find(MonitorItemWrapper* wrapper)
{
    ScopedLock guard(lock_);
    return notifiers_.count(wrapper->id()) != 0;
}

bool AlarmNotifierRegistry::forget(AlarmNotifier* notifier)
{
    ScopedLock guard(lock_);
    auto it = notifiers_.find(notifier->wrapperId());
    if (it != notifiers_.end() && it->second == notifier)
        notifiers_.erase(it);
    for (const auto& entry : notifiers_)
        if (entry.second->mailKey() == notifier->mailKey())
            return false;
    return true;
}
