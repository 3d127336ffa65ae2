// Every stored item wrapped once, in the store's order. GUI thread only.
#pragma once

#include <string>
#include <vector>

#include "orv/log4cxx.h"

class MonitorItemSettings;
class MonitorItemWrapper;

class MonitorItemWrapperManager {
public:
    typedef std::vector<MonitorItemWrapper*> Wrappers;
    typedef Wrappers::const_iterator Iterator;

    // Made on the first call, after the item store has loaded the data folder: wraps every item
    // of the store. Destroyed at program exit.
    static MonitorItemWrapperManager* instance();

    // A manager that wraps the items of the store now (tests; instance() uses it too).
    MonitorItemWrapperManager();
    ~MonitorItemWrapperManager();
    MonitorItemWrapperManager(const MonitorItemWrapperManager&) = delete;
    MonitorItemWrapperManager& operator=(const MonitorItemWrapperManager&) = delete;

    Iterator begin() const { return wrappers_.begin(); }
    Iterator end() const { return wrappers_.end(); }
    size_t count() const { return wrappers_.size(); }

    // Wraps a new item and appends it.
    MonitorItemWrapper* add(MonitorItemSettings* item);
    // Takes the item out of the store (which deletes it at its release) and deletes the wrapper;
    // a wrapper not in the list is ignored.
    void remove(MonitorItemWrapper* wrapper);

    // Some item has exactly this address (case counts).
    bool addressExists(const std::string& address) const;
    // The addresses differ and another item already has the new one.
    bool addressTaken(const std::string& oldAddress, const std::string& newAddress) const;

private:
    Wrappers wrappers_;
    log4cxx::LoggerPtr logger_;
};
