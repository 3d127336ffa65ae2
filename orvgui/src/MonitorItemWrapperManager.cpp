#include "MonitorItemWrapperManager.h"

#include <algorithm>

#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemLock.h"
#include "Monitor/MonitorItemManager.h"
#include "MonitorItemWrapper.h"

MonitorItemWrapperManager* MonitorItemWrapperManager::instance()
{
    static MonitorItemWrapperManager manager;
    return &manager;
}

MonitorItemWrapperManager::MonitorItemWrapperManager()
{
    LogSetup::getLogger(LogSetup::instance(), logger_, "orv.MonitorItemWrapperManager");
    LOG4CXX_DEBUG(logger_, "Creating unique instance");
    MonitorItemManager* store = MonitorItemManager::instance();
    for (MonitorItemManager::ItemIterator it = store->begin(); it != store->end(); ++it)
        wrappers_.push_back(new MonitorItemWrapper(*it));
}

MonitorItemWrapperManager::~MonitorItemWrapperManager()
{
    LOG4CXX_DEBUG(logger_, "Destroying unique instance");
    for (MonitorItemWrapper* wrapper : wrappers_)
        delete wrapper;
}

MonitorItemWrapper* MonitorItemWrapperManager::add(MonitorItemSettings* item)
{
    wrappers_.push_back(new MonitorItemWrapper(item));
    return wrappers_.back();
}

void MonitorItemWrapperManager::remove(MonitorItemWrapper* wrapper)
{
    Wrappers::iterator it = std::find(wrappers_.begin(), wrappers_.end(), wrapper);
    if (it == wrappers_.end())
        return;
    MonitorItemManager::instance()->removeItem(wrapper->getItem());
    wrappers_.erase(it);
    delete wrapper;
}

bool MonitorItemWrapperManager::addressExists(const std::string& address) const
{
    for (MonitorItemWrapper* wrapper : wrappers_) {
        MonitorItemLock lock(wrapper->getItem());
        if (wrapper->getItem()->getGeneral().address == address)
            return true;
    }
    return false;
}

bool MonitorItemWrapperManager::addressTaken(const std::string& oldAddress,
                                             const std::string& newAddress) const
{
    return oldAddress != newAddress && addressExists(newAddress);
}
