// The FTP check: the provider against the loopback FTP fixture in active and passive mode, its
// bounded calls, and the worker's results, texts and recovery.
#include "orv/gtest.h"

#include <windows.h>
#include <wininet.h>

#include <memory>
#include <string>
#include <vector>

#include "FtpProvider.h"
#include "FtpWorker.h"
#include "Monitor/MonitorItemLock.h"
#include "WorkerTestSupport.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "workers/WorkerManager.h"

using namespace workertest;

namespace {

const char* const kHost = "127.0.0.1";
const int kFtpPort = 2121;
const int kSilentPort = 8080;   // an HTTP server: it waits for a request and never greets
const char* const kHello = "hello over ftp\r\n";

std::string bigContent()
{
    std::string bytes;
    for (int i = 0; i < 200 * 1024; ++i)
        bytes += static_cast<char>(i * 7 % 251);
    return bytes;
}

// The FTP fixture (user orv, password secret) serving a scratch folder, a local scratch folder,
// and a silent server.
class FtpNet : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string unixRoot = orvtest::fixtureDir() + "/ftproot";
        CreateDirectoryA(orvtest::windowsPath(unixRoot).c_str(), NULL);
        root_ = orvtest::windowsPath(unixRoot);
        writeFile(root_ + "\\hello.txt", kHello);
        local_ = orvtest::makeScratchFolder("local");
        writeFile(local_ + "\\upload.bin", bigContent());
        ftp_.reset(new orvtest::FixtureServer("ftp_srv", {kHost, std::to_string(kFtpPort), "orv", "secret", unixRoot}));
        ASSERT_TRUE(ftp_->running()) << ftp_->error();
        silent_.reset(new orvtest::FixtureServer("http_srv", {kHost, std::to_string(kSilentPort)}));
        ASSERT_TRUE(silent_->running()) << silent_->error();
    }

    std::string root_;    // the server's folder (Windows path)
    std::string local_;   // the client's folder (Windows path)
    std::unique_ptr<orvtest::FixtureServer> ftp_;
    std::unique_ptr<orvtest::FixtureServer> silent_;
};

// ---------------------------------------------------------------------------------------------
// The provider

TEST_F(FtpNet, ProviderGetsPutsAndReportsTheServersRefusals)
{
    enum Op { Get, Put, MissingRemote, WrongPassword };
    struct Case {
        const char* name;
        Op op;
    };
    const Case cases[] = {{"get", Get}, {"put", Put}, {"missing remote", MissingRemote}, {"wrong password", WrongPassword}};
    for (bool passive : {false, true}) {
        for (const Case& c : cases) {
            std::string mode = passive ? "passive" : "active";
            SCOPED_TRACE(mode + " " + c.name);
            FtpProvider provider;
            ASSERT_TRUE(provider.open("Orvane test"));
            bool connected = provider.connect(kHost, kFtpPort, "orv", c.op == WrongPassword ? "wrong" : "secret", passive);
            if (c.op == WrongPassword) {
                EXPECT_FALSE(connected);
                EXPECT_EQ(0u, provider.lastResponse().find("530")) << provider.lastResponse();
                EXPECT_NE(0u, provider.lastError());
                continue;
            }
            ASSERT_TRUE(connected) << provider.lastResponse();
            EXPECT_GE(provider.connectTime(), 0);
            if (c.op == Get) {
                std::string target = local_ + "\\got-" + mode + ".txt";
                writeFile(target, "an older, longer file that must be replaced entirely");
                EXPECT_TRUE(provider.download(target, "hello.txt")) << provider.lastResponse();
                EXPECT_EQ(kHello, readFile(target));
            } else if (c.op == Put) {
                std::string remote = "up-" + mode + ".bin";
                EXPECT_TRUE(provider.upload(local_ + "\\upload.bin", remote)) << provider.lastResponse();
                EXPECT_EQ(bigContent(), readFile(root_ + "\\" + remote));
            } else {
                std::string target = local_ + "\\missing-" + mode + ".txt";
                EXPECT_FALSE(provider.download(target, "no-such-file.txt"));
                EXPECT_EQ(0u, provider.lastResponse().find("550")) << provider.lastResponse();
                EXPECT_FALSE(exists(target));
            }
            provider.close();
        }
    }
}

TEST_F(FtpNet, ProviderGivesUpASilentServerAtItsLimitOrOnCancel)
{
    FtpProvider provider;
    provider.setLimits(1500, 1500);
    ASSERT_TRUE(provider.open("Orvane test"));
    DWORD started = GetTickCount();
    EXPECT_FALSE(provider.connect(kHost, kSilentPort, "orv", "secret"));
    DWORD took = GetTickCount() - started;
    EXPECT_GE(took, 1400u);
    EXPECT_LT(took, 3000u);
    EXPECT_EQ(DWORD(ERROR_INTERNET_TIMEOUT), provider.lastError());
    EXPECT_EQ("no answer from the server within 2 seconds", provider.lastResponse());
    EXPECT_FALSE(provider.cancelled());
    // the session went with the call: nothing more to do on it
    EXPECT_FALSE(provider.connect(kHost, kFtpPort, "orv", "secret"));

    FtpProvider stopped;
    stopped.setLimits(30000, 30000);
    started = GetTickCount();
    stopped.setCancel([started] { return GetTickCount() - started > 300; });
    ASSERT_TRUE(stopped.open("Orvane test"));
    EXPECT_FALSE(stopped.connect(kHost, kSilentPort, "orv", "secret"));
    EXPECT_LT(GetTickCount() - started, 2000u);
    EXPECT_TRUE(stopped.cancelled());
}

TEST_F(FtpNet, ProviderSessionsLeaveNoHandleOpen)
{
    uintptr_t before = nextHandleValue();
    for (int i = 0; i < 250; ++i) {
        FtpProvider provider;
        if (i % 100 == 0) {
            // a call given up by the watch
            provider.setLimits(200, 200);
            provider.open("Orvane test");
            provider.connect(kHost, kSilentPort, "orv", "secret");
            continue;
        }
        ASSERT_TRUE(provider.open("Orvane test"));
        if (i % 5 == 0) {
            provider.connect(kHost, kFtpPort, "orv", "wrong");
        } else if (provider.connect(kHost, kFtpPort, "orv", "secret", i % 2 == 0)) {
            provider.download(local_ + "\\loop.txt", i % 7 == 0 ? "no-such-file.txt" : "hello.txt");
        }
        if (i % 3 == 0)
            provider.reset();   // reset and the destructor both close what is open
    }
    EXPECT_EQ(before, nextHandleValue());
}

// ---------------------------------------------------------------------------------------------
// The worker

struct Transfer {
    std::string downloadLocal, downloadRemote, uploadLocal, uploadRemote;
};

MonitorItemSettings* ftpItem(int port, const std::string& password, const Transfer& t, int interval = 1,
                             int unit = UnitHours)
{
    MonitorItemSettings* item = newStoredItem(ItemFtp, kHost, port, interval, unit, 5000);
    MonitorItemLock lock(item);
    FtpSettings& ftp = item->getFtp();
    ftp.userName = "orv";
    ftp.password = password;
    ftp.downloadLocalFile = t.downloadLocal;
    ftp.downloadRemoteFile = t.downloadRemote;
    ftp.uploadLocalFile = t.uploadLocal;
    ftp.uploadRemoteFile = t.uploadRemote;
    return item;
}

struct Running {
    Worker* worker;
    HANDLE thread;
};

Running startWorker(Worker* worker, RecordingNotifier* notifier)
{
    worker->attach(notifier);
    notifier->hold();
    dynamic_cast<Thread*>(worker)->start();
    Running r = {worker, dynamic_cast<Thread*>(worker)->duplicateHandle()};
    notifier->letGo();
    return r;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& prefix)
{
    for (const std::string& line : lines)
        if (line.compare(0, prefix.size(), prefix) == 0)
            return true;
    return false;
}

TEST_F(FtpNet, CycleRecordsLogInAndTransfers)
{
    const std::string got = local_ + "\\fetched.txt";
    const std::string upload = local_ + "\\upload.bin";
    struct Case {
        const char* name;
        const char* password;
        Transfer transfer;
        bool ok;
        const char* message;
        int failedFlag;
        const char* logLine;      // a line the activity log holds
        const char* uploadedAs;   // a file the server must hold afterwards
    };
    const Case cases[] = {
        {"log-in only", "secret", {}, true, "Success", 0, "Succesfully connected to server in ", nullptr},
        {"download with no local path is skipped", "secret", {"", "hello.txt", "", ""}, true, "Success", 0,
         "Succesfully connected to server in ", nullptr},
        {"download and upload", "secret", {got, "hello.txt", upload, "both.bin"}, true, "Success", 0,
         "Uploaded local file ", "both.bin"},
        {"failed download, upload still sent", "secret", {got, "no-such-file.txt", upload, "after.bin"}, false,
         "Failed to download remote file", 1, "Failed to download remote file no-such-file.txt to ", "after.bin"},
        {"failed upload", "secret", {"", "", local_ + "\\no-such-local.bin", "x.bin"}, false,
         "Failed to upload local file", 1, "Failed to upload local file ", nullptr},
        {"wrong password", "wrong", {got, "hello.txt", upload, "never.bin"}, false, "Failure to connect", 1,
         "Connection failed with the error message: 530", nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeleteFileA(got.c_str());
        MonitorItemSettings* item = ftpItem(kFtpPort, c.password, c.transfer);
        RecordingNotifier* notifier = new RecordingNotifier;
        Running r = startWorker(WorkerManager::instance()->createWorker(item), notifier);
        ASSERT_TRUE(notifier->waitForCode(NotifyStatusRefresh, 2, 20000));
        WorkerManager::instance()->stopWorker(item);
        ASSERT_TRUE(waitEnded(r.thread, 10000));
        CloseHandle(r.thread);

        std::vector<ResultRecord> history = historyOf(item);
        ASSERT_EQ(1u, history.size());
        EXPECT_EQ(1, history[0].code);
        EXPECT_EQ(c.ok, history[0].ok);
        EXPECT_EQ(c.message, history[0].message);
        EXPECT_EQ(c.failedFlag, statusOf(item).failed);
        EXPECT_EQ(0, statusOf(item).busy);
        const std::vector<int> events = {NotifyStatusRefresh, c.ok ? NotifyCycleSucceeded : NotifyCycleFailed,
                                         NotifyStatusRefresh};
        EXPECT_EQ(events, notifier->codes());
        std::vector<std::string> log = readLines(item->getLogPath());
        EXPECT_TRUE(hasLine(log, c.logLine)) << c.logLine;
        EXPECT_TRUE(hasLine(log, "Sleeping for "));
        if (c.transfer.downloadLocal == got && c.ok) {
            EXPECT_EQ(kHello, readFile(got));
        }
        if (c.uploadedAs) {
            EXPECT_EQ(bigContent(), readFile(root_ + "\\" + c.uploadedAs));
        }
        delete notifier;
    }
}

TEST_F(FtpNet, TestRunReportsEachStepAndRecordsNothing)
{
    const std::string got = local_ + "\\test-run.txt";
    const std::string connecting = "Connecting to 127.0.0.1 and performing test ...";
    struct Case {
        const char* name;
        const char* password;
        Transfer transfer;
        std::vector<Event> expected;
    };
    const Case cases[] = {
        {"download and upload", "secret", {got, "hello.txt", local_ + "\\upload.bin", "test-run.bin"},
         {{0, "Ftp test started"}, {0, connecting}, {2, "Succesfully connected to server in N miliseconds"},
          {2, "Downloaded remote file hello.txt to " + got + " in N miliseconds"},
          {2, "Uploaded local file " + local_ + "\\upload.bin to test-run.bin in N miliseconds"},
          {4, "Test finished in N miliseconds"}, {4, "FTP test ended"}}},
        {"missing remote", "secret", {got, "no-such-file.txt", "", ""},
         {{0, "Ftp test started"}, {0, connecting}, {2, "Succesfully connected to server in N miliseconds"},
          {1, "Failed to download remote file no-such-file.txt to " + got + "\r\n due to the following error: "},
          {4, "Test finished in N miliseconds"}, {4, "FTP test ended"}}},
        {"wrong password", "wrong", {},
         {{0, "Ftp test started"}, {0, connecting}, {1, "Connection failed with the error message:"}, {1, "530"},
          {4, "Test finished in N miliseconds"}, {4, "FTP test ended"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* item = ftpItem(kFtpPort, c.password, c.transfer);
        Worker* worker = WorkerManager::instance()->createWorker(item);
        worker->setTestMode(true);
        WorkerManager::instance()->detachWorker(worker);
        RecordingNotifier* notifier = new RecordingNotifier;
        Running r = startWorker(worker, notifier);
        ASSERT_TRUE(waitEnded(r.thread, 20000));
        CloseHandle(r.thread);
        std::vector<Event> events = withoutTimes(notifier->events());
        // the server's own reply texts are compared by their start
        ASSERT_EQ(c.expected.size(), events.size());
        for (size_t i = 0; i < events.size(); ++i) {
            EXPECT_EQ(c.expected[i].first, events[i].first) << i;
            EXPECT_EQ(0u, events[i].second.find(c.expected[i].second)) << i << ": " << events[i].second;
        }
        EXPECT_TRUE(historyOf(item).empty());
        EXPECT_EQ(0, notifier->releases());
        delete notifier;
    }
}

TEST_F(FtpNet, SilentServerFailsAtTheLimitAndTheWorkerGoesOn)
{
    MonitorItemSettings* item = ftpItem(kSilentPort, "secret", {}, 1, UnitSeconds);
    {
        // The item's limit bounds the log-in (it was a fixed 30 s whatever the limit).
        MonitorItemLock lock(item);
        item->getGeneral().timeoutMs = 1500;
    }
    Worker* worker = WorkerManager::instance()->createWorker(item);
    ASSERT_TRUE(dynamic_cast<FtpWorker*>(worker));
    RecordingNotifier* notifier = new RecordingNotifier;
    DWORD started = GetTickCount();
    Running r = startWorker(worker, notifier);
    ASSERT_TRUE(notifier->waitForCode(NotifyCycleFailed, 1, 20000));
    EXPECT_LT(GetTickCount() - started, 3000u);
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleFailed, 2, 20000));
    WorkerManager::instance()->stopWorker(item);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_GE(history.size(), 2u);
    EXPECT_EQ("Failure to connect", history[0].message);
    EXPECT_TRUE(hasLine(readLines(item->getLogPath()),
                        "Connection failed with the error message: no answer from the server within 2 seconds"));
    delete notifier;
}

TEST_F(FtpNet, StopCutsAHangingLogInShortAndRecordsNothing)
{
    MonitorItemSettings* item = ftpItem(kSilentPort, "secret", {});
    RecordingNotifier* notifier = new RecordingNotifier;
    Running r = startWorker(WorkerManager::instance()->createWorker(item), notifier);
    Sleep(500);
    DWORD stopped = GetTickCount();
    WorkerManager::instance()->stopWorker(item);
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    EXPECT_LT(GetTickCount() - stopped, 1500u);
    CloseHandle(r.thread);
    EXPECT_TRUE(historyOf(item).empty());
    EXPECT_EQ(0, statusOf(item).busy);
    const std::vector<int> events = {NotifyStatusRefresh, NotifyStatusRefresh};
    EXPECT_EQ(events, notifier->codes());
    delete notifier;
}

// A worker whose session cannot be opened.
class SessionlessFtpWorker : public FtpWorker {
public:
    explicit SessionlessFtpWorker(MonitorItemSettings* item) : FtpWorker(item) {}

protected:
    bool openSession(FtpProvider&, const std::string&) override { return false; }
};

TEST(FtpUnit, NoSessionIsAFailedCheckAndTheWorkerGoesOn)
{
    MonitorItemSettings* item = ftpItem(kFtpPort, "secret", {}, 1, UnitSeconds);
    RecordingNotifier* notifier = new RecordingNotifier;
    Running r = startWorker(new SessionlessFtpWorker(item), notifier);
    EXPECT_TRUE(notifier->waitForCode(NotifyCycleFailed, 2, 10000));
    dynamic_cast<Thread*>(r.worker)->stop();
    ASSERT_TRUE(waitEnded(r.thread, 10000));
    CloseHandle(r.thread);
    std::vector<ResultRecord> history = historyOf(item);
    ASSERT_GE(history.size(), 2u);
    EXPECT_FALSE(history[0].ok);
    EXPECT_EQ(1, history[0].code);
    EXPECT_EQ("Failed to initialize FTP provider", history[0].message);
    EXPECT_EQ(1, statusOf(item).failed);
    EXPECT_TRUE(hasLine(readLines(item->getLogPath()), "Failed to initialize FTP provider due to the following error: "));
    delete notifier;
}

}  // namespace
