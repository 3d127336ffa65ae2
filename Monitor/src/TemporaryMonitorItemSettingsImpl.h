// An in-memory item, used while the GUI edits an item's properties (and test-runs it): no
// folder, no files, no statistics. Every text and list starts empty, every number and flag 0.
#pragma once

#include "MonitorItemRecords.h"

class TemporaryMonitorItemSettingsImpl : public MonitorItemRecords {
public:
    TemporaryMonitorItemSettingsImpl() = default;

    // The system temporary folder + "temp.cfg"; the file is deleted first on every call, so a
    // test run starts with an empty activity log.
    std::string getLogPath() override;
    // "c:\"
    std::string getDirectory() override;

    // Nothing is recorded or stored; the history stays empty.
    void addResult(std::time_t, int, const std::string&, int, bool) override {}
    void resetStatistics() override {}
    void save() override {}
};
