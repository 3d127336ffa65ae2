// The HTTP and HTTPS check against the loopback fixture: results by status, the search, test-run
// texts, saved pages, ports, certificates and a server that never answers.
#include "orv/gtest.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "HttpWorker.h"
#include "Monitor/MonitorItemLock.h"
#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "workers/HttpDownloader.h"
#include "workers/WorkerManager.h"

using namespace workertest;

namespace {

const char* const kSearchFailed =
    "Page Search Failed - Page was downloaded, however, the search string specified was not found.";

MonitorItemSettings* httpItem(int type, const std::string& address, int port, int limitMs = 5000)
{
    return newStoredItem(type, address, port, 1, UnitHours, limitMs);
}

void setHttp(MonitorItemSettings* item, const std::string& search, bool caseSensitive, bool saveGood = false,
             bool saveBad = false)
{
    MonitorItemLock lock(item);
    HttpSettings& http = item->getHttp();
    http.searchText = search;
    http.caseSensitive = caseSensitive;
    http.saveSuccessfulPages = saveGood;
    http.saveFailedPages = saveBad;
}

// A worker made by the manager for the item, started, with a handle to wait for its end.
struct Running {
    Worker* worker;
    HANDLE thread;
};

Running startFor(MonitorItemSettings* item, RecordingNotifier* notifier, bool testMode)
{
    WorkerManager* manager = WorkerManager::instance();
    Worker* worker = manager->createWorker(item);
    Running r = {worker, NULL};
    if (!worker)
        return r;
    if (testMode) {
        worker->setTestMode(true);
        manager->detachWorker(worker);
    }
    worker->attach(notifier);
    notifier->hold();
    manager->startWorker(worker);
    r.thread = dynamic_cast<Thread*>(worker)->duplicateHandle();
    notifier->letGo();
    return r;
}

// One normal cycle: waits for its end (the second status refresh), lets check() look at the
// worker while it sleeps, then stops it.
template <typename Check>
void runOneCycle(MonitorItemSettings* item, RecordingNotifier* notifier, Check check)
{
    Running r = startFor(item, notifier, false);
    ASSERT_TRUE(r.worker);
    ASSERT_TRUE(notifier->waitForCode(NotifyStatusRefresh, 2, 20000));
    check();
    WorkerManager::instance()->stopWorker(item);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
}

// The test run of an item: its events, once the worker has ended.
std::vector<Event> testRun(MonitorItemSettings* item)
{
    RecordingNotifier* notifier = new RecordingNotifier;
    Running r = startFor(item, notifier, true);
    EXPECT_TRUE(r.worker);
    if (!r.worker)
        return {};
    bool ended = waitEnded(r.thread, 20000);
    EXPECT_TRUE(ended);
    CloseHandle(r.thread);
    std::vector<Event> events = notifier->events();
    EXPECT_EQ(0, notifier->releases());   // a test run leaves its notifiers to the caller
    if (ended)
        delete notifier;   // else the worker may still call it
    return events;
}

class HttpWorkerNet : public ::testing::Test {
protected:
    void SetUp() override
    {
        root_ = orvtest::fixtureDir() + "/www";
        CreateDirectoryA(orvtest::windowsPath(root_).c_str(), NULL);
        writeFile(orvtest::windowsPath(root_ + "/case.html"), "<html><body><p>Hello World</p></body></html>");
        writeFile(orvtest::windowsPath(root_ + "/split.html"),
                  "<html><body><p>Service <b>Sta</b>tus: <i>OK</i> &amp; running</p></body></html>");
        server_.reset(new orvtest::FixtureServer("http_srv", {"127.0.0.1", "8080", "--root", root_}));
        ASSERT_TRUE(server_->running()) << server_->error();
    }

    std::string root_;
    std::unique_ptr<orvtest::FixtureServer> server_;
};

// ---------------------------------------------------------------------------------------------
// Results by status

TEST_F(HttpWorkerNet, StatusDecidesTheResultAndIsTheCode)
{
    struct Case {
        const char* path;
        int code;
        bool ok;
        const char* message;
    };
    const Case cases[] = {
        {"/status/200", 200, true, "Success"},
        {"/redirect?to=/status/200", 200, true, "Success"},
        {"/status/399", 399, true, "Success"},
        {"/status/400", 400, false, "Page download failed - the server answered with HTTP status 400"},
        {"/status/404", 404, false, "Page download failed - the server answered with HTTP status 404"},
        {"/status/500", 500, false, "Page download failed - the server answered with HTTP status 500"},
        {"/status/503", 503, false, "Page download failed - the server answered with HTTP status 503"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        MonitorItemSettings* item = httpItem(ItemHttp, std::string("127.0.0.1") + c.path, 8080);
        RecordingNotifier* notifier = new RecordingNotifier;
        std::string lastPage;
        runOneCycle(item, notifier, [&] { lastPage = WorkerManager::instance()->getLastPage(item); });

        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(c.code, history[0].code);
        EXPECT_EQ(c.ok, history[0].ok);
        EXPECT_EQ(c.message, history[0].message);
        EXPECT_EQ(c.ok ? 0 : 1, statusOf(item).failed);
        const std::vector<int> events = {NotifyStatusRefresh, c.ok ? NotifyCycleSucceeded : NotifyCycleFailed,
                                         NotifyStatusRefresh};
        EXPECT_EQ(events, notifier->codes());
        // the page is kept for the GUI also when the server answered with an error
        EXPECT_NE(std::string::npos, lastPage.find("status " + std::to_string(c.code))) << lastPage;
        EXPECT_EQ(1, notifier->releases());
        delete notifier;
    }
}

TEST_F(HttpWorkerNet, ActivityLogTellsTheCycle)
{
    MonitorItemSettings* item = httpItem(ItemHttp, "127.0.0.1/status/200", 8080);
    setHttp(item, "status", true);
    RecordingNotifier* notifier = new RecordingNotifier;
    runOneCycle(item, notifier, [] {});
    const std::vector<std::string> lines = {"Watch item name: \t\t\ttest item",
                                            "Watch item address: \t\t127.0.0.1/status/200",
                                            "-----------------------------------",
                                            "Starting run cycle",
                                            "Downloading page 127.0.0.1/status/200",
                                            "Page download sucessful",
                                            "The specified search string was found on the page.",
                                            "Ending run cycle",
                                            "Sleeping for 3600 seconds"};
    EXPECT_EQ(lines, readLines(item->getLogPath()));
    delete notifier;
}

// ---------------------------------------------------------------------------------------------
// The search

TEST_F(HttpWorkerNet, SearchHonoursTheCaseFlagAndLooksThroughMarkup)
{
    struct Case {
        const char* path;
        const char* search;
        bool caseSensitive;
        bool found;
    };
    const Case cases[] = {
        {"/case.html", "Hello World", true, true},
        {"/case.html", "hello world", true, false},
        {"/case.html", "hello world", false, true},
        {"/case.html", "HELLO", false, true},
        {"/case.html", "Goodbye", false, false},
        {"/case.html", "Goodbye", true, false},
        // split by tags and written with a reference: only the page's visible text holds it
        {"/split.html", "Status: OK & running", true, true},
        {"/split.html", "status: ok & RUNNING", false, true},
        {"/split.html", "status: ok", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.path) + " '" + c.search + "' case " + (c.caseSensitive ? "on" : "off"));
        MonitorItemSettings* item = httpItem(ItemHttp, std::string("127.0.0.1") + c.path, 8080);
        setHttp(item, c.search, c.caseSensitive);
        RecordingNotifier* notifier = new RecordingNotifier;
        runOneCycle(item, notifier, [] {});

        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(c.found, history[0].ok);
        EXPECT_EQ(200, history[0].code);
        EXPECT_EQ(c.found ? "Success" : kSearchFailed, history[0].message);
        // the failed flag follows the cycle: a failed search fails the item too
        EXPECT_EQ(c.found ? 0 : 1, statusOf(item).failed);
        EXPECT_EQ(c.found ? NotifyCycleSucceeded : NotifyCycleFailed, notifier->codes().at(1));
        delete notifier;
    }
}

TEST_F(HttpWorkerNet, APageSlowerThanTheItemsLimitFailsTheCycle)
{
    // The limit is below the shortest network wait (1 s), so the page arrives, only too late.
    MonitorItemSettings* item = httpItem(ItemHttp, "127.0.0.1/slow?ms=600", 8080, 200);
    RecordingNotifier* notifier = new RecordingNotifier;
    runOneCycle(item, notifier, [] {});
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(200, history[0].code);
    EXPECT_GE(history[0].responseMs, 600);
    EXPECT_EQ(1, statusOf(item).failed);
    EXPECT_EQ(NotifyCycleFailed, notifier->codes().at(1));
    std::vector<std::string> lines = readLines(item->getLogPath());
    EXPECT_NE(lines.end(), std::find(lines.begin(), lines.end(),
                                     "Test failed because the response time was higher than the designated time"));
    delete notifier;
}

// ---------------------------------------------------------------------------------------------
// Test runs

TEST_F(HttpWorkerNet, TestRunReportsTextsAndRecordsNothing)
{
    const std::string connecting = "Connecting to 127.0.0.1/status/200 and performing test ...";
    const std::string downloaded = "Page succesfully downloaded in N miliseconds";
    struct Case {
        const char* name;
        const char* address;
        int port;
        const char* search;
        std::vector<Event> expected;
    };
    const Case cases[] = {
        {"found", "127.0.0.1/status/200", 8080, "status 200",
         {{0, ""}, {0, connecting}, {2, downloaded}, {2, "The search string specified was found on the page."},
          {2, ""}, {4, "Test finished."}, {4, ""}}},
        {"not found", "127.0.0.1/status/200", 8080, "absent",
         {{0, ""}, {0, connecting}, {2, downloaded}, {1, kSearchFailed}, {2, ""}, {4, "Test finished."}, {4, ""}}},
        {"error status", "127.0.0.1/status/404", 8080, "",
         {{0, ""},
          {0, "Connecting to 127.0.0.1/status/404 and performing test ..."},
          {1, "Test failed. Error message:"},
          {1, "the server answered with HTTP status 404"},
          {4, "Test finished."},
          {4, ""}}},
        {"nothing listening", "127.0.0.1/", 8081, "",
         {{0, ""},
          {0, "Connecting to 127.0.0.1/ and performing test ..."},
          {1, "Test failed. Error message:"},
          {1, "error 12029: the connection to the server could not be made"},
          {4, "Test finished."},
          {4, ""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = httpItem(ItemHttp, c.address, c.port);
        setHttp(item, c.search, true, true, true);
        EXPECT_EQ(c.expected, withoutTimes(testRun(item)));
        EXPECT_TRUE(historyOf(item).empty());
        EXPECT_FALSE(exists(item->getDirectory() + "Sucessful Pages"));
        EXPECT_FALSE(exists(item->getDirectory() + "Failed Pages"));
    }
}

// ---------------------------------------------------------------------------------------------
// Saved pages

TEST_F(HttpWorkerNet, PagesAreSavedByOutcomeWhenTheItemAsks)
{
    struct Case {
        const char* name;
        const char* address;
        int port;
        bool saveGood;
        bool saveBad;
        const char* folder;   // null: nothing saved, no folder made
        const char* prefix;
    };
    const Case cases[] = {
        {"success saved", "127.0.0.1/status/200", 8080, true, false, "Sucessful Pages", "Succeeded"},
        {"success not asked", "127.0.0.1/status/200", 8080, false, true, nullptr, nullptr},
        {"error page saved", "127.0.0.1/status/500", 8080, false, true, "Failed Pages", "Failed"},
        {"failure not asked", "127.0.0.1/status/500", 8080, true, false, nullptr, nullptr},
        {"nothing downloaded, nothing saved", "127.0.0.1/", 8081, true, true, nullptr, nullptr},
        {"flags off", "127.0.0.1/status/200", 8080, false, false, nullptr, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = httpItem(ItemHttp, c.address, c.port);
        setHttp(item, "", true, c.saveGood, c.saveBad);
        RecordingNotifier* notifier = new RecordingNotifier;
        std::string lastPage;
        runOneCycle(item, notifier, [&] { lastPage = WorkerManager::instance()->getLastPage(item); });
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        std::string folder = item->getDirectory();
        if (c.folder) {
            std::string file = folder + c.folder + "\\" + c.prefix + std::to_string(history[0].time) + ".html";
            EXPECT_EQ(lastPage, readFile(file)) << file;
            EXPECT_FALSE(lastPage.empty());
        }
        EXPECT_EQ(c.folder && std::string(c.folder) == "Sucessful Pages", exists(folder + "Sucessful Pages"));
        EXPECT_EQ(c.folder && std::string(c.folder) == "Failed Pages", exists(folder + "Failed Pages"));
        delete notifier;
    }
}

// ---------------------------------------------------------------------------------------------
// Ports, HTTPS, time-outs

TEST_F(HttpWorkerNet, AddressPortWinsOverTheItemPort)
{
    struct Case {
        const char* address;
        int port;
        bool ok;
    };
    const Case cases[] = {
        {"127.0.0.1/status/200", 8080, true},
        {"127.0.0.1:8080/status/200", 80, true},
        {"http://127.0.0.1:8080/status/200", 81, true},
        {"127.0.0.1/status/200", 8081, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.address);
        MonitorItemSettings* item = httpItem(ItemHttp, c.address, c.port);
        RecordingNotifier* notifier = new RecordingNotifier;
        runOneCycle(item, notifier, [] {});
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(c.ok, history[0].ok) << history[0].message;
        EXPECT_EQ(c.ok ? 200 : 0, history[0].code);
        delete notifier;
    }
}

TEST(HttpWorkerNetTls, HttpsItemsFetchSecurelyAndRefuseAnUntrustedOrMisnamedCertificate)
{
    struct Case {
        const char* certificate;
        bool ok;
        const char* failure;
    };
    const Case cases[] = {
        {"localhost", true, ""},
        {"selfsigned", false, "error 12045: the server's certificate is not from a trusted authority"},
        {"othername", false, "error 12038: the server's certificate is for another name"},
    };
    std::string certs = orvtest::env("ORV_BINARY_DIR") + "/wine/certs/";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.certificate);
        orvtest::FixtureServer https("http_srv", {"127.0.0.1", "8443", "--tls", certs + c.certificate + ".pem",
                                                  certs + c.certificate + ".key"});
        ASSERT_TRUE(https.running()) << https.error();
        MonitorItemSettings* item = httpItem(ItemHttps, "localhost/status/200", 8443);
        RecordingNotifier* notifier = new RecordingNotifier;
        runOneCycle(item, notifier, [] {});
        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(c.ok, history[0].ok) << history[0].message;
        if (c.ok) {
            EXPECT_EQ(200, history[0].code);
            std::vector<std::string> log = https.outputOfAtLeast(1);
            ASSERT_FALSE(log.empty());
            EXPECT_EQ(0u, log[0].find("REQ GET /status/200 ")) << log[0];
        } else {
            EXPECT_EQ(0, history[0].code);
            EXPECT_EQ("Page download failed - " + std::string(c.failure), history[0].message);
        }
        delete notifier;
    }
}

// An HTTPS item behind a proxy that refuses the tunnel with a redirect: the server was never
// reached, so the check fails, and says why.
TEST(HttpWorkerNetProxy, ARefusedTunnelFailsTheCheckWithTheProxysStatus)
{
    orvtest::FixtureServer proxy("http_srv", {"127.0.0.1", "8080", "--refuse-connect", "302 Found"});
    ASSERT_TRUE(proxy.running()) << proxy.error();
    WorkerManager::instance()->setProxy(true, "127.0.0.1:8080", "", "");
    MonitorItemSettings* item = httpItem(ItemHttps, "localhost/status/200", 8443);
    RecordingNotifier* notifier = new RecordingNotifier;
    runOneCycle(item, notifier, [] {});
    WorkerManager::instance()->setProxy(false, "", "", "");
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(302, history[0].code);
    EXPECT_EQ("Page download failed - the proxy refused the tunnel to the server with HTTP status 302",
              history[0].message);
    EXPECT_EQ(1, statusOf(item).failed);
    delete notifier;
}

// The whole check ends within the item's limit plus a small margin, and the next cycle follows.
TEST_F(HttpWorkerNet, SilentServerFailsWithinTheLimitAndTheWorkerGoesOn)
{
    const int limitMs = 1500;
    MonitorItemSettings* item = newStoredItem(ItemHttp, "127.0.0.1/hang", 8080, 1, UnitSeconds, limitMs);
    RecordingNotifier* notifier = new RecordingNotifier;
    DWORD started = GetTickCount();
    Running r = startFor(item, notifier, false);
    ASSERT_TRUE(r.worker);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 20000));
    DWORD took = GetTickCount() - started;
    EXPECT_LT(took, static_cast<DWORD>(limitMs) + 1500);
    // one second's sleep, then the second cycle
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleFailed, 2, 20000));
    WorkerManager::instance()->stopWorker(item);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_GE(history.size(), 2u);
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(0, history[0].code);
    EXPECT_EQ(0u, history[0].message.find("Page download failed - error ")) << history[0].message;
    EXPECT_EQ(1, statusOf(item).failed);
    delete notifier;
}

TEST_F(HttpWorkerNet, APageThatTricklesFailsAtTheItemsLimitForTheWholeDownload)
{
    // Each receive gets a byte well within the limit, so only a deadline for the whole download
    // ends it; without one the worker would read for ten minutes, recording nothing.
    const int limitMs = 1500;
    MonitorItemSettings* item = newStoredItem(ItemHttp, "127.0.0.1/trickle", 8080, 1, UnitHours, limitMs);
    RecordingNotifier* notifier = new RecordingNotifier;
    DWORD started = GetTickCount();
    Running r = startFor(item, notifier, false);
    ASSERT_TRUE(r.worker);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 20000));
    EXPECT_LT(GetTickCount() - started, static_cast<DWORD>(limitMs) + 2000);
    WorkerManager::instance()->stopWorker(item);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(1, statusOf(item).failed);
    delete notifier;
}

TEST_F(HttpWorkerNet, AStopEndsADownloadAtOnceAndRecordsNothing)
{
    for (const char* path : {"127.0.0.1/hang", "127.0.0.1/trickle"}) {
        SCOPED_TRACE(path);
        MonitorItemSettings* item = newStoredItem(ItemHttp, path, 8080, 1, UnitHours, 60000);
        RecordingNotifier* notifier = new RecordingNotifier;
        Running r = startFor(item, notifier, false);
        ASSERT_TRUE(notifier->waitForCode(NotifyStatusRefresh, 1, 5000));
        Sleep(700);
        DWORD stopAt = GetTickCount();
        WorkerManager::instance()->stopWorker(item);
        ASSERT_TRUE(waitEnded(r.thread, 10000));
        EXPECT_LT(GetTickCount() - stopAt, 1000u);
        CloseHandle(r.thread);
        EXPECT_TRUE(historyOf(item).empty());
        EXPECT_EQ(0, statusOf(item).busy);
        delete notifier;
    }
}

// A host name whose name server takes the query and never answers: the item's limit ends the
// check, and stopAll ends a worker waiting for the lookup, long before the resolver gives up (5 s).
TEST(HttpWorkerNetSilentNameServer, TheItemsLimitAndStopAllEndTheLookup)
{
    orvtest::FixtureServer dns("dns_silent", {});
    ASSERT_TRUE(dns.running()) << dns.error();

    MonitorItemSettings* limited = newStoredItem(ItemHttp, "silent-name.example/", 8080, 1, UnitHours, 1500);
    RecordingNotifier* notifier = new RecordingNotifier;
    DWORD started = GetTickCount();
    Running r = startFor(limited, notifier, false);
    ASSERT_TRUE(r.worker);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 20000));
    DWORD took = GetTickCount() - started;
    printf("[ figure   ] silent name server, HTTP item with a 1500 ms limit: result after %lu ms\n",
           static_cast<unsigned long>(took));
    EXPECT_LT(took, 4000u);
    WorkerManager::instance()->stopWorker(limited);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    std::vector<ResultRecord> history = historyOf(limited);
    ASSERT_EQ(1u, history.size());
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ("Page download failed - error 12002: the server did not answer in time", history[0].message);
    delete notifier;

    // another name, so that what the first lookup still asks cannot be taken for this one's query
    MonitorItemSettings* stopped = newStoredItem(ItemHttp, "stopped-name.example/", 8080, 1, UnitHours, 60000);
    notifier = new RecordingNotifier;
    started = GetTickCount();
    r = startFor(stopped, notifier, false);
    ASSERT_TRUE(r.worker);
    // the lookup is waiting at the name server; the user quits a second into the check
    std::vector<std::string> asked = dns.outputWith("QUERY stopped-name.example");
    ASSERT_NE(asked.end(), std::find(asked.begin(), asked.end(), "QUERY stopped-name.example"));
    DWORD spent = GetTickCount() - started;
    if (spent < 1000)
        Sleep(1000 - spent);
    DWORD stopAt = GetTickCount();
    WorkerManager::instance()->stopAll();
    took = GetTickCount() - stopAt;
    printf("[ figure   ] silent name server, stopAll 1 s into the check: took %lu ms\n",
           static_cast<unsigned long>(took));
    EXPECT_LT(took, 1500u);
    EXPECT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    EXPECT_TRUE(historyOf(stopped).empty());
    delete notifier;
}

// A worker whose session cannot be opened.
class SessionlessHttpWorker : public HttpWorker {
public:
    explicit SessionlessHttpWorker(MonitorItemSettings* item) : HttpWorker(item) {}

protected:
    bool openSession(HttpDownloader&) override
    {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return false;
    }
};

TEST(HttpWorkerUnit, NoSessionIsAFailedCheckAndTheWorkerGoesOn)
{
    MonitorItemSettings* item = newStoredItem(ItemHttp, "127.0.0.1/", 8080, 1, UnitSeconds, 5000);
    RecordingNotifier* notifier = new RecordingNotifier;
    SessionlessHttpWorker* worker = new SessionlessHttpWorker(item);
    worker->attach(notifier);
    notifier->hold();
    worker->start();
    HANDLE thread = worker->duplicateHandle();
    notifier->letGo();
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleFailed, 2, 10000));
    worker->stop();
    ASSERT_TRUE(waitEnded(thread, 10000));
    CloseHandle(thread);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_GE(history.size(), 2u);
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ("Page download failed - the Internet session could not be opened (error 8)", history[0].message);
    delete notifier;
}

}  // namespace
