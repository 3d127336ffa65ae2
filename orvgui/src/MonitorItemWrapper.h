// The GUI's object for one item: its pointer is the item's identity in the GUI (list row data,
// alarm registry key, payload of the item-changed message). It turns the item's records into the
// text of every list column. Used on the GUI thread; the records are read under the item's lock,
// since the item's worker thread writes them meanwhile.
#pragma once

#include <ctime>
#include <string>

#include "orv/log4cxx.h"

class MonitorItemSettings;

class MonitorItemWrapper {
public:
    // The item is not owned (the item store owns it).
    explicit MonitorItemWrapper(MonitorItemSettings* item);

    MonitorItemSettings* getItem() const { return item_; }
    // A number no other wrapper of the process gets, not even one made later at the address of a
    // deleted one: what outlives the wrapper (an alarm notifier whose worker still ends) is keyed
    // by it, so a new item never finds an old item's notifier.
    unsigned long long id() const { return id_; }

    // The text of the column (ColumnIdSequence ids) for this item; empty for an unknown id.
    std::string getColumnText(int columnId) const;
    // "miliseconds" when the profile shows response times in milliseconds, else "seconds".
    static std::string formatResponseTime();
    // "N/A" for 0; else the local time as "%H:%M:%S, %A, %B %d, %Y".
    static std::string formatTime(std::time_t time);

    void setVisible(bool visible);
    bool isVisible() const { return visible_; }

private:
    MonitorItemSettings* item_;
    unsigned long long id_;
    bool visible_;
    log4cxx::LoggerPtr logger_;
};
