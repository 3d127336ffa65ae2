// An item stored in a folder of its own:
//   options.cfg     51 values: the settings records (see the field table in the .cpp)
//   statistics.cfg  7 values: totalChecks, history, failedChecks, lastFailureTime,
//                   lastSuccessTime, lastResponseMs, lastMessage
//   actlog.txt      written by the worker; the item only hands out its path
// Files are read when the item is built and written by save() and when the item is deleted.
#pragma once

#include <string>

#include "MonitorItemRecords.h"
#include "ValueFile.h"

class MonitorItemSettingsImpl : public MonitorItemRecords {
public:
    static const std::size_t kOptionCount = 51;
    static const std::size_t kStatisticsCount = 7;

    // folder: the item folder; a trailing backslash is added when missing.
    explicit MonitorItemSettingsImpl(const std::string& folder);
    // Saves first.
    ~MonitorItemSettingsImpl() override;

    std::string getLogPath() override;
    std::string getDirectory() override;
    void addResult(std::time_t time, int code, const std::string& message, int responseMs,
                   bool ok) override;
    void resetStatistics() override;
    void save() override;

    // The folder name ("Item_" and a number), also the item's internal name.
    std::string getName() const { return name_; }
    void setName(const std::string& name) { name_ = name; }

private:
    void readRecords();
    void writeRecords();

    std::string folder_;
    std::string name_;
    ValueFile options_;
    ValueFile statistics_;
    // The history value of statistics_ is the history in written form, kept in step entry by
    // entry by addResult. False after a load: the file's text may not be in written form (the
    // first save then encodes the history whole).
    bool historyEncoded_;
};
