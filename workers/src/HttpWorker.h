// Checks an item of type HTTP or HTTPS (secure mode, set by the worker manager for type 2): each
// cycle downloads the item's page with a fresh HttpDownloader, records the HTTP status as the
// result code, looks for the item's search text in the page and in its visible text, keeps the
// page for the GUI and saves a copy in the item's folder when the item asks for it.
//
// A download counts when the server answers with a status below 400; 400 and above (and an
// answer with no status at all) fail the check, which still records the status. A test run
// reports its steps as texts and records nothing.
#pragma once

#include <windows.h>

#include <ctime>
#include <string>

#include "workers/CommonWorkerImpl.h"

class HttpDownloader;

class HttpWorker : public CommonWorkerImpl {
public:
    explicit HttpWorker(MonitorItemSettings* item);
    ~HttpWorker() override;

    void setSecureMode(bool secure) { secureMode_ = secure; }
    // A copy of the page of the last cycle (empty when its download failed).
    std::string getLastPage() const override;

    // Folder names under the item's folder (the spelling is what stored data already uses).
    static const char* const kSuccessfulPagesFolder;
    static const char* const kFailedPagesFolder;

protected:
    void threadStarting() override;
    void threadEnding() override;
    void cycleStarting(const ItemGeneralSettings& general) override;
    void check(const ItemGeneralSettings& general, CheckResult& result) override;
    void cycleRecorded(bool ok, std::time_t checkTime) override;
    // Opens the downloader's session (a test may make it fail).
    virtual bool openSession(HttpDownloader& downloader);

private:
    void setLastPage(const std::string& page);
    // Writes the last page into the item's folder for a cycle that ended at checkTime.
    void savePage(bool succeeded, std::time_t checkTime, const HttpSettings& http);

    std::string lastPage_;
    HttpSettings http_;   // the settings of the cycle under way (where its page is saved)
    bool secureMode_;
    bool comInitialised_;
    // The GUI copies the last page from its own thread while the worker replaces it.
    mutable CRITICAL_SECTION pageLock_;
};
