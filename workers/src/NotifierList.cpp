#include "workers/NotifierList.h"

#include <algorithm>

#include "workers/Notifier.h"

NotifierList::NotifierList() : owns_(true)
{
    InitializeCriticalSection(&lock_);
}

NotifierList::~NotifierList()
{
    List released;
    EnterCriticalSection(&lock_);
    if (owns_)
        released.swap(notifiers_);
    notifiers_.clear();
    LeaveCriticalSection(&lock_);
    for (Notifier* n : released)
        n->release();
    DeleteCriticalSection(&lock_);
}

void NotifierList::add(Notifier* notifier)
{
    EnterCriticalSection(&lock_);
    if (std::find(notifiers_.begin(), notifiers_.end(), notifier) == notifiers_.end())
        notifiers_.push_back(notifier);
    LeaveCriticalSection(&lock_);
}

void NotifierList::remove(Notifier* notifier)
{
    EnterCriticalSection(&lock_);
    List::iterator it = std::find(notifiers_.begin(), notifiers_.end(), notifier);
    if (it != notifiers_.end())
        notifiers_.erase(it);
    LeaveCriticalSection(&lock_);
}

void NotifierList::notifyAll(int event, const std::string& text)
{
    // Called without the lock held, so that a notifier may attach or detach from inside notify.
    List snapshot = entries();
    for (Notifier* n : snapshot)
        n->notify(event, text);
}

void NotifierList::setOwns(bool owns)
{
    EnterCriticalSection(&lock_);
    owns_ = owns;
    LeaveCriticalSection(&lock_);
}

bool NotifierList::owns() const
{
    EnterCriticalSection(&lock_);
    bool owns = owns_;
    LeaveCriticalSection(&lock_);
    return owns;
}

NotifierList::List NotifierList::entries() const
{
    EnterCriticalSection(&lock_);
    List copy = notifiers_;
    LeaveCriticalSection(&lock_);
    return copy;
}

size_t NotifierList::size() const
{
    EnterCriticalSection(&lock_);
    size_t n = notifiers_.size();
    LeaveCriticalSection(&lock_);
    return n;
}
