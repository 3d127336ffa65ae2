// The report definitions of the program, by name, one of them the default. Process-wide; every
// call may come from any thread (alarm actions run on worker threads).
//
// The first use creates the built-in definitions "Downtime report", "Failure report",
// "Sucess report" and "Summary report" when they are missing; the first definition created is
// the default. Definitions are kept in memory; setDataFolder reads the stored ones from
// reports.cfg in the data folder and flushReports writes them there.
//
// Every read and write of a definition's members happens under the manager's lock: worker threads
// copy the default report (copyDefaultReport) while the GUI edits definitions, and a copy taken
// during an unlocked edit could be torn. So the pointers handed out are read-only; a definition
// is changed through editReport or updateReport, and threads other than the one that makes the
// changes read copies (copyReport, copyDefaultReport).
//
// reports.cfg is written through a new file put in place of the old one; a load reads at most
// kMaxFileBytes of it. A file that holds no definition (empty or damaged) gives the built-in ones
// again, and a file that exists but cannot be read is not written back until a definition changes.
#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "reports/Report.h"

class ReportManager {
public:
    typedef std::vector<std::pair<std::string, const Report*>> Entries;
    typedef Entries::const_iterator Iterator;

    static ReportManager* instance();

    // What a load of reports.cfg reads at most, and the most columns a definition keeps.
    static constexpr std::size_t kMaxFileBytes = 256 * 1024;
    static constexpr std::size_t kMaxColumns = 64;

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
    // The definition whose name is the text (exactly), or null. A definition renamed through
    // editReport is found under its new name. Read-only: see the head of this file.
    const Report* getReport(const std::string& name);
    // The default definition, or null when there is none.
    const Report* getDefaultReport();
    // A copy of the named definition, taken under the lock; false when there is none.
    bool copyReport(const std::string& name, Report& copy);
    // A copy of the default definition, taken under the lock, for threads other than the one that
    // edits the definitions (an alarm on a worker thread); false when there is no default.
    bool copyDefaultReport(Report& copy);
    // Runs the edit on the named definition under the lock (its name may change too); false, and
    // nothing run, when there is none. The edit must not wait for another thread.
    bool editReport(const std::string& name, const std::function<void(Report&)>& edit);
    // Makes the named definition the default; an unknown name changes nothing.
    void setDefaultReport(const std::string& name);
    // A new definition under the name (HTML, failures and successes, the usual columns), or the
    // existing one of that name.
    const Report* createReport(const std::string& name);
    // Stores a copy of the definition under the name (a new one, or in place of the old).
    void updateReport(const std::string& name, const Report& report);
    // Removes and frees the definition; a removed default passes to the first one left.
    void deleteReport(const std::string& name);

    // The (name, definition) pairs, in creation order. The range is valid until the next change.
    Iterator beginReports();
    Iterator endReports();

    // Writes every definition to reports.cfg in the data folder; false when there is no data
    // folder, the file could not be written, or the file could not be read by setDataFolder and no
    // definition has changed since (it is left as it is).
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
    bool unreadable_;   // reports.cfg was there but could not be read
    bool changed_;      // a definition changed since setDataFolder
};
