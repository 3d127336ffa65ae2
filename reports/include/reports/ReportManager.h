// The report definitions of the program, by name, one of them the default. Process-wide; every
// call may come from any thread (alarm actions run on worker threads).
//
// The first use creates the built-in definitions "Downtime report", "Failure report",
// "Sucess report" and "Summary report" when they are missing; the first definition created is
// the default. Definitions are kept in memory; setDataFolder reads the stored ones from
// reports.cfg in the data folder and flushReports writes them there.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "reports/Report.h"

class ReportManager {
public:
    typedef std::vector<std::pair<std::string, Report*>> Entries;
    typedef Entries::const_iterator Iterator;

    static ReportManager* instance();

    // A manager of one's own (tests); it holds the built-in definitions.
    ReportManager();
    ~ReportManager();
    ReportManager(const ReportManager&) = delete;
    ReportManager& operator=(const ReportManager&) = delete;

    // The data folder (ending in a backslash): where reports.cfg lies and where reports without an
    // output path are written (its "Reports\" subfolder). Reads reports.cfg when it exists; its
    // definitions replace those in memory. False when a file was there but could not be read.
    bool setDataFolder(const std::string& dataFolder);
    std::string dataFolder();

    size_t size();
    // The definition whose name is the text (exactly), or null. A definition renamed in place is
    // found under its new name.
    Report* getReport(const std::string& name);
    // The default definition, or null when there is none.
    Report* getDefaultReport();
    // A copy of the default definition, taken under the lock, for threads other than the one that
    // edits the definitions (an alarm on a worker thread); false when there is no default.
    bool copyDefaultReport(Report& copy);
    // Makes the named definition the default; an unknown name changes nothing.
    void setDefaultReport(const std::string& name);
    // A new definition under the name (HTML, failures and successes, the usual columns), or the
    // existing one of that name.
    Report* createReport(const std::string& name);
    // Stores a copy of the definition under the name (a new one, or in place of the old).
    void updateReport(const std::string& name, const Report& report);
    // Removes and frees the definition; a removed default passes to the first one left.
    void deleteReport(const std::string& name);

    // The (name, definition) pairs, in creation order. The range is valid until the next change.
    Iterator beginReports();
    Iterator endReports();

    // Writes every definition to reports.cfg in the data folder; false when there is no data
    // folder or the file could not be written.
    bool flushReports();

private:
    Report* find(const std::string& name);   // with lock_ held
    void refreshNames();                     // with lock_ held
    void addBuiltIns();                      // with lock_ held
    void clear();                            // with lock_ held

    CRITICAL_SECTION lock_;
    std::vector<Report*> reports_;
    Entries entries_;
    Report* default_;
    std::string dataFolder_;
};
