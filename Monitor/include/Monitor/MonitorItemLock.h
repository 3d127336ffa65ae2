// Holds an item's lock for one scope, so that no early return or exception leaves it held.
#pragma once

#include "Monitor/MonitorItemSettings.h"

class MonitorItemLock {
public:
    explicit MonitorItemLock(MonitorItemSettings* item) : item_(item) { item_->lock(); }
    explicit MonitorItemLock(MonitorItemSettings& item) : item_(&item) { item_->lock(); }
    ~MonitorItemLock() { item_->unlock(); }
    MonitorItemLock(const MonitorItemLock&) = delete;
    MonitorItemLock& operator=(const MonitorItemLock&) = delete;

private:
    MonitorItemSettings* item_;
};
