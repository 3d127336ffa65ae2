#include "HttpWorker.h"

#include <objbase.h>

#include <memory>

#include <boost/format.hpp>

#include "InternetErrorText.h"
#include "Monitor/MonitorItemLock.h"
#include "workers/HtmlText.h"
#include "workers/HttpDownloader.h"

namespace {

// The test run opens with an empty progress text and closes with an empty test-ended text.
const WorkerTexts kHttpTexts = {"Starting worker", "Thread stopped.", "", "", false};

const char* const kSearchFailedText =
    "Page Search Failed - Page was downloaded, however, the search string specified was not found.";

// A status the check accepts: an answer below 400. No status line at all is no answer.
bool acceptedStatus(int status)
{
    return status >= 100 && status < 400;
}

std::string lowered(const std::string& text)
{
    std::string copy = text;
    if (!copy.empty())
        CharLowerBuffA(&copy[0], static_cast<DWORD>(copy.size()));
    return copy;
}

// text holds what; case-insensitive in the ANSI code page unless caseSensitive.
bool containsText(const std::string& text, const std::string& what, bool caseSensitive)
{
    if (caseSensitive)
        return text.find(what) != std::string::npos;
    return lowered(text).find(lowered(what)) != std::string::npos;
}

bool writeWholeFile(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

}  // namespace

const char* const HttpWorker::kSuccessfulPagesFolder = "Sucessful Pages";
const char* const HttpWorker::kFailedPagesFolder = "Failed Pages";

HttpWorker::HttpWorker(MonitorItemSettings* item)
    : CommonWorkerImpl(item, "worker.HttpWorker", kHttpTexts), secureMode_(false), comInitialised_(false)
{
    InitializeCriticalSection(&pageLock_);
}

HttpWorker::~HttpWorker()
{
    DeleteCriticalSection(&pageLock_);
}

std::string HttpWorker::getLastPage() const
{
    EnterCriticalSection(&pageLock_);
    std::string copy = lastPage_;
    LeaveCriticalSection(&pageLock_);
    return copy;
}

void HttpWorker::setLastPage(const std::string& page)
{
    // Build the new text first, so that the lock is held only for the swap.
    std::string copy = page;
    EnterCriticalSection(&pageLock_);
    lastPage_.swap(copy);
    LeaveCriticalSection(&pageLock_);
}

void HttpWorker::threadStarting()
{
    comInitialised_ = SUCCEEDED(CoInitialize(NULL));
}

void HttpWorker::threadEnding()
{
    if (comInitialised_)
        CoUninitialize();
    comInitialised_ = false;
}

bool HttpWorker::openSession(HttpDownloader& downloader)
{
    return downloader.Initialize();
}

void HttpWorker::cycleStarting(const ItemGeneralSettings& general)
{
    if (isTestMode())
        notifyAll(NotifyProgress, (boost::format("Connecting to %1% and performing test ...") % general.address).str());
    writeLog((boost::format("Downloading page %1%") % general.address).str());
}

void HttpWorker::check(const ItemGeneralSettings& general, CheckResult& result)
{
    HttpSettings http;
    {
        MonitorItemLock lock(getItem());
        http = getItem()->getHttp();
    }
    http_ = http;
    // A test run records nothing and ends its cycle with "Test finished.".
    result.recordInTest = false;
    result.hasTestEnded = true;
    result.testEnded = "Test finished.";
    result.elapsedMs = 0;

    std::unique_ptr<HttpDownloader> downloader(new HttpDownloader(general.name.c_str()));
    downloader->setSecureMode(secureMode_);
    downloader->setPort(general.port);
    downloader->SetURL(general.address.c_str());

    bool session = openSession(*downloader);
    bool downloaded = false;
    if (session) {
        // One deadline for the whole download: the item's limit (1 to 60 s); a stop ends it.
        downloader->setTimeout(networkTimeoutMs());
        downloaded = downloader->DownloadPage([this] { return stopRequested(); });
    }
    DWORD error = downloaded ? 0 : GetLastError();
    if (!downloaded && error == ERROR_INTERNET_OPERATION_CANCELLED && stopRequested()) {
        result.stopped = true;
        return;
    }
    int status = downloader->GetStatusCode();
    result.code = status;

    if (downloaded && acceptedStatus(status)) {
        result.elapsedMs = downloader->GetDownloadTime();
        result.event(NotifySuccess,
                     (boost::format("Page succesfully downloaded in %1% miliseconds") % result.elapsedMs).str());
        result.log("Page download sucessful");
        std::string page = downloader->GetPage();
        result.ok = true;
        if (!http.searchText.empty()) {
            // The page's own text first; then what a reader sees, where markup may split the text.
            bool found = containsText(page, http.searchText, http.caseSensitive) ||
                         containsText(getHtmlText(page), http.searchText, http.caseSensitive);
            if (found) {
                result.lines.push_back(CheckLine{"The specified search string was found on the page.", NotifySuccess,
                                                 "The search string specified was found on the page."});
            } else {
                result.ok = false;
                result.message = kSearchFailedText;
                result.both(kSearchFailedText, NotifyFailure);
            }
        }
        setLastPage(page);
        result.event(NotifySuccess, "");
    } else {
        std::string reason;
        if (downloaded) {
            // The server answered, but with an error: the check fails, the page is kept.
            result.elapsedMs = downloader->GetDownloadTime();
            reason = status > 0 ? (boost::format("the server answered with HTTP status %1%") % status).str()
                                : std::string("the server's answer carried no HTTP status");
        } else if (!session) {
            reason = "the Internet session could not be opened (" + internetErrorText(error) + ")";
        } else {
            reason = downloader->getLastError();
            if (reason.empty())
                reason = internetErrorText(error);
        }
        result.message = "Page download failed - " + reason;
        result.log("Page download failed");
        result.log(result.message);
        result.event(NotifyFailure, "Test failed. Error message:");
        result.event(NotifyFailure, reason);
        setLastPage(downloader->GetPage());
    }
    // the session is closed before the sleep, not held through it
}

void HttpWorker::cycleRecorded(bool ok, std::time_t checkTime)
{
    savePage(ok, checkTime, http_);
}

void HttpWorker::savePage(bool succeeded, std::time_t checkTime, const HttpSettings& http)
{
    if (!(succeeded ? http.saveSuccessfulPages : http.saveFailedPages))
        return;
    std::string page = getLastPage();
    std::string folder = getItem()->getDirectory();
    // Nothing to keep, or an item with no folder of its own (an item being edited).
    if (page.empty() || folder.empty())
        return;
    if (folder.back() != '\\')
        folder += '\\';
    folder += succeeded ? kSuccessfulPagesFolder : kFailedPagesFolder;
    if (GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES)
        CreateDirectoryA(folder.c_str(), NULL);
    std::string file = folder + "\\" + (succeeded ? "Succeeded" : "Failed") + std::to_string(checkTime) + ".html";
    if (!writeWholeFile(file, page))
        LOG4CXX_WARN(logger_, "Cannot save the page to " << file);
}
