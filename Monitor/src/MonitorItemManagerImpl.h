// The item store behind MonitorItemManager::instance().
#pragma once

#include <string>
#include <vector>

#include "Monitor/MonitorItemManager.h"
#include "orv/log4cxx.h"

class MonitorItemManagerImpl : public MonitorItemManager {
public:
    MonitorItemManagerImpl();
    // Frees leaked temporary items and deletes the items queued by removeItem with their folders.
    ~MonitorItemManagerImpl() override;
    MonitorItemManagerImpl(const MonitorItemManagerImpl&) = delete;
    MonitorItemManagerImpl& operator=(const MonitorItemManagerImpl&) = delete;

    int load(const std::string& dataFolder) override;
    int unloadAll() override;
    ItemIterator begin() override { return items_.begin(); }
    ItemIterator end() override { return items_.end(); }
    MonitorItemSettings* createItem(const std::string& unused) override;
    MonitorItemSettings* createTemporaryItem(const std::string& name) override;
    void deleteItem(MonitorItemSettings* item) override;
    void removeItem(MonitorItemSettings* item) override;
    void deleteTemporaryItem(MonitorItemSettings* item) override;
    void abandonItem(MonitorItemSettings* item) override;
    void release() override;

private:
    // Deletes the item (it saves itself into its folder first), then removes the folder.
    static void deleteWithFolder(MonitorItemSettings* item);

    ItemList items_;
    std::string dataFolder_;  // without trailing separators
    log4cxx::LoggerPtr logger_;
    ItemList temporaryItems_;
    ItemList removed_;
    // Highest "Item_" number seen or given; 64 bits, so it cannot run over into numbers in use.
    long long folderCounter_;
};
