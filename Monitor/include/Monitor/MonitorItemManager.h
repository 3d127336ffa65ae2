// The item store: owns every item object of the process. Hosts call load once at start-up and
// unloadAll, then release, at shut-down. Called from the host's main thread only: workers use
// the items, never the store.
#pragma once

#include <string>
#include <vector>

#include "Monitor/MonitorItemSettings.h"

class MonitorItemManager {
public:
    typedef std::vector<MonitorItemSettings*> ItemList;
    typedef ItemList::iterator ItemIterator;

    // The process-wide store, created on the first call (and again on the first call after
    // release). Not guarded against two threads making the first call at once.
    static MonitorItemManager* instance();

    virtual ~MonitorItemManager() {}

    // Adds every item folder of dataFolder (a Windows path) that holds options.cfg. Always 0.
    virtual int load(const std::string& dataFolder) = 0;
    // Deletes every stored item, each saving itself first. Always 0.
    virtual int unloadAll() = 0;

    // Stored items in load order, then creation order.
    virtual ItemIterator begin() = 0;
    virtual ItemIterator end() = 0;

    // A new stored item in a new "Item_N" folder, all values at their defaults. The argument is
    // not used. The caller fills the records and calls save().
    virtual MonitorItemSettings* createItem(const std::string& unused = std::string()) = 0;
    // An in-memory item (for editing) whose addResult, resetStatistics and save do nothing.
    virtual MonitorItemSettings* createTemporaryItem(const std::string& name) = 0;
    // Deletes the item (saving it first) and its folder now. Unknown items are ignored.
    virtual void deleteItem(MonitorItemSettings* item) = 0;
    // Takes the item out of the list; it stays valid until the store is released, which then
    // deletes it and its folder. Unknown items are ignored.
    virtual void removeItem(MonitorItemSettings* item) = 0;
    virtual void deleteTemporaryItem(MonitorItemSettings* item) = 0;
    // Saves the item (under its lock) and takes it out of the list without ever freeing it: for
    // an item that a worker thread which did not end may still use. Unknown items are ignored.
    virtual void abandonItem(MonitorItemSettings* item) = 0;
    // Destroys the store. Call unloadAll first: items still listed are not deleted.
    virtual void release() = 0;
};
