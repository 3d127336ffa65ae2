// The service end to end, under the prefix's own service control manager: install, start, the
// items run and the alarms reach the recipients' exchanger (an SMTP sink found through fake root
// and domain name servers), stop, uninstall. Each test leaves the service uninstalled.
#include "orv/gtest.h"
#include "orv/FixtureServer.h"
#include "orv/MailSink.h"
#include "orv/TestEnv.h"

#include <windows.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "Monitor/MonitorItemManager.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char kServiceName[] = "Orvane";
const char kDescription[] = "Monitors the items configured by the user without need of intervention.";
const char kParametersKey[] = "SYSTEM\\CurrentControlSet\\Services\\Orvane\\Parameters";
// What the service tells the manager a stop may take.
const long kStopWaitHintMs = 60000;

// ---- files -------------------------------------------------------------------------------

bool writeFile(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = text.empty() ||
              WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok;
}

std::string readFile(const std::string& path)
{
    return orvtest::readFile(path);
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The files directly in a folder (a Windows path ending in a backslash).
size_t filesIn(const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    size_t files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++files;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

size_t countOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// ---- the program, copied into a folder of its own -----------------------------------------

// A folder holding a copy of the staged program, its log4cxx.cfg (logging to log.txt there) and,
// when a data folder is given, its service_helper.txt.
struct ProgramFolder {
    std::string folder;   // Windows path, no trailing backslash
    std::string exe;
    std::string log;      // Windows path of the log

    std::string logText() const { return readFile(log); }
};

ProgramFolder makeProgramFolder(const std::string& relative, const std::string& dataFolder)
{
    ProgramFolder p;
    std::string unixFolder = orvtest::fixtureDir();
    std::string windowsFolder = orvtest::windowsPath(unixFolder);
    size_t start = 0;
    for (;;) {   // each level of the relative path
        size_t slash = relative.find('/', start);
        std::string part =
            relative.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
        unixFolder += "/" + part;
        windowsFolder += "\\" + part;
        CreateDirectoryA(windowsFolder.c_str(), nullptr);
        if (slash == std::string::npos)
            break;
        start = slash + 1;
    }
    p.folder = windowsFolder;
    p.exe = windowsFolder + "\\orvservice.exe";
    p.log = windowsFolder + "\\log.txt";
    const std::string staged =
        orvtest::windowsPath(orvtest::env("ORV_BINARY_DIR") + "/stage/orvservice.exe");
    EXPECT_TRUE(CopyFileA(staged.c_str(), p.exe.c_str(), FALSE)) << staged << " -> " << p.exe;
    // log4cxx opens its file with the C library: a Unix path.
    writeFile(windowsFolder + "\\log4cxx.cfg",
              "log4j.rootLogger=DEBUG, F\n"
              "log4j.appender.F=org.apache.log4j.FileAppender\n"
              "log4j.appender.F.File=" + unixFolder + "/log.txt\n"
              "log4j.appender.F.Append=true\n"
              "log4j.appender.F.layout=org.apache.log4j.PatternLayout\n"
              "log4j.appender.F.layout.ConversionPattern=%p %c - %m%n\n");
    if (!dataFolder.empty())
        writeFile(windowsFolder + "\\service_helper.txt", dataFolder + "\r\n");
    return p;
}

// Runs the program with the arguments; its exit code, or -1 when it could not start or run out.
long runProgram(const ProgramFolder& program, const std::string& arguments, DWORD timeoutMs = 60000)
{
    std::string command = "\"" + program.exe + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    long code = -1;
    if (WaitForSingleObject(process.hProcess, timeoutMs) == WAIT_OBJECT_0) {
        DWORD exitCode = 0;
        GetExitCodeProcess(process.hProcess, &exitCode);
        code = static_cast<long>(exitCode);
    } else {
        TerminateProcess(process.hProcess, 1);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

// ---- the service control manager ---------------------------------------------------------

class ServiceManager {
public:
    ServiceManager() : manager_(OpenSCManagerA(nullptr, nullptr, SC_MANAGER_ALL_ACCESS)) {}
    ~ServiceManager()
    {
        if (manager_)
            CloseServiceHandle(manager_);
    }

    // 0 when the service can be opened, else the error (1060: not installed).
    DWORD openError()
    {
        SC_HANDLE service = OpenServiceA(manager_, kServiceName, SERVICE_QUERY_STATUS);
        if (!service)
            return GetLastError();
        CloseServiceHandle(service);
        return 0;
    }

    bool status(SERVICE_STATUS& status)
    {
        SC_HANDLE service = OpenServiceA(manager_, kServiceName, SERVICE_QUERY_STATUS);
        if (!service)
            return false;
        bool ok = QueryServiceStatus(service, &status) != FALSE;
        CloseServiceHandle(service);
        return ok;
    }

    DWORD state()
    {
        SERVICE_STATUS s = {};
        return status(s) ? s.dwCurrentState : 0;
    }

    // Polls until the service reports the state; the milliseconds it took, or -1.
    long waitForState(DWORD wanted, DWORD timeoutMs)
    {
        DWORD started = GetTickCount();
        for (;;) {
            if (state() == wanted)
                return static_cast<long>(GetTickCount() - started);
            if (GetTickCount() - started > timeoutMs)
                return -1;
            Sleep(50);
        }
    }

    bool waitUntilGone(DWORD timeoutMs)
    {
        DWORD started = GetTickCount();
        while (openError() != ERROR_SERVICE_DOES_NOT_EXIST) {
            if (GetTickCount() - started > timeoutMs)
                return false;
            Sleep(50);
        }
        return true;
    }

    DWORD start()
    {
        SC_HANDLE service = OpenServiceA(manager_, kServiceName, SERVICE_START);
        if (!service)
            return GetLastError();
        DWORD error = StartServiceA(service, 0, nullptr) ? 0 : GetLastError();
        CloseServiceHandle(service);
        return error;
    }

    DWORD stop()
    {
        SC_HANDLE service = OpenServiceA(manager_, kServiceName, SERVICE_STOP);
        if (!service)
            return GetLastError();
        SERVICE_STATUS s = {};
        DWORD error = ControlService(service, SERVICE_CONTROL_STOP, &s) ? 0 : GetLastError();
        CloseServiceHandle(service);
        return error;
    }

    struct Config {
        DWORD type = 0;
        DWORD startType = 0;
        DWORD errorControl = 0;
        std::string image;
        std::string displayName;
        std::string account;
        std::string description;
    };

    bool config(Config& config)
    {
        SC_HANDLE service = OpenServiceA(manager_, kServiceName, SERVICE_QUERY_CONFIG);
        if (!service)
            return false;
        std::vector<BYTE> buffer(8192);
        DWORD needed = 0;
        bool ok = QueryServiceConfigA(service, reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data()),
                                      static_cast<DWORD>(buffer.size()), &needed) != FALSE;
        if (ok) {
            QUERY_SERVICE_CONFIGA* c = reinterpret_cast<QUERY_SERVICE_CONFIGA*>(buffer.data());
            config.type = c->dwServiceType;
            config.startType = c->dwStartType;
            config.errorControl = c->dwErrorControl;
            config.image = c->lpBinaryPathName ? c->lpBinaryPathName : "";
            config.displayName = c->lpDisplayName ? c->lpDisplayName : "";
            config.account = c->lpServiceStartName ? c->lpServiceStartName : "";
        }
        std::vector<BYTE> described(8192);
        if (ok && QueryServiceConfig2A(service, SERVICE_CONFIG_DESCRIPTION, described.data(),
                                       static_cast<DWORD>(described.size()), &needed)) {
            SERVICE_DESCRIPTIONA* d = reinterpret_cast<SERVICE_DESCRIPTIONA*>(described.data());
            config.description = d->lpDescription ? d->lpDescription : "";
        }
        CloseServiceHandle(service);
        return ok;
    }

private:
    SC_HANDLE manager_;
};

void setStartDelay(DWORD milliseconds)
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0,
                                             KEY_SET_VALUE, nullptr, &key, nullptr));
    RegSetValueExA(key, "StartDelay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&milliseconds),
                   sizeof milliseconds);
    RegCloseKey(key);
}

bool mutexExists()
{
    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "OrvaneStartUpMutex");
    if (!mutex)
        return false;
    CloseHandle(mutex);
    return true;
}

// The service process has ended once it no longer holds the start-up mutex.
bool waitForProcessEnd(DWORD timeoutMs)
{
    DWORD started = GetTickCount();
    while (mutexExists()) {
        if (GetTickCount() - started > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

// ---- items ---------------------------------------------------------------------------------

struct NewItem {
    std::string name;
    std::string address;
    int type;
    int port;
    int threshold;
    std::vector<std::string> recipients;
    int timeoutMs = 3000;
};

// Creates the items through the store (so the files are what the GUI would write); returns the
// item folders in the order given.
std::vector<std::string> createItems(const std::string& dataFolder, const std::vector<NewItem>& wanted)
{
    std::vector<std::string> folders;
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(dataFolder);
    for (const NewItem& plan : wanted) {
        MonitorItemSettings* item = store->createItem();
        ItemGeneralSettings& general = item->getGeneral();
        general.name = plan.name;
        general.address = plan.address;
        general.type = plan.type;
        general.port = plan.port;
        general.interval = 1;
        general.intervalUnit = UnitSeconds;
        general.timeoutMs = plan.timeoutMs;
        general.enabled = true;
        item->getAlarmTrigger().enabled = true;
        item->getAlarmTrigger().failureThreshold = plan.threshold;
        item->getMailAction().enabled = true;
        item->getMailAction().recipients = plan.recipients;
        item->save();
        folders.push_back(item->getDirectory());
    }
    store->unloadAll();
    store->release();
    return folders;
}

struct StoredItem {
    std::string folder;
    int totalChecks = -1;
    int failedChecks = -1;
    size_t historyEntries = 0;
    size_t failedEntries = 0;
};

std::map<std::string, StoredItem> readItems(const std::string& dataFolder)
{
    std::map<std::string, StoredItem> items;
    MonitorItemManager* store = MonitorItemManager::instance();
    store->load(dataFolder);
    for (auto it = store->begin(); it != store->end(); ++it) {
        StoredItem& stored = items[(*it)->getGeneral().name];
        stored.folder = (*it)->getDirectory();
        stored.totalChecks = (*it)->getStatus().totalChecks;
        stored.failedChecks = (*it)->getStatus().failedChecks;
        for (auto h = (*it)->historyBegin(); h != (*it)->historyEnd(); ++h) {
            ++stored.historyEntries;
            stored.failedEntries += h->ok ? 0 : 1;
        }
    }
    store->unloadAll();
    store->release();
    return items;
}

// ---- the SMTP sink's output ----------------------------------------------------------------

typedef orvtest::SinkMail Delivered;
using orvtest::sinkMails;

size_t waitForMails(const std::string& sinkFolder, size_t count, DWORD timeoutMs)
{
    DWORD started = GetTickCount();
    for (;;) {
        size_t have = sinkMails(sinkFolder).size();
        if (have >= count || GetTickCount() - started > timeoutMs)
            return have;
        Sleep(250);
    }
}

// ---- the fixture ---------------------------------------------------------------------------

class ServiceNetTest : public ::testing::Test {
protected:
    // This test runs in a fresh prefix of its own: the service manager (services.exe) is started
    // by the prefix's boot alongside the test program and may not be listening yet, and a manager
    // call made before it is fails. Wait until its pipe is there.
    void SetUp() override
    {
        DWORD started = GetTickCount();
        while (!WaitNamedPipeA("\\\\.\\pipe\\svcctl", 1000)) {
            ASSERT_LT(GetTickCount() - started, 60000u) << "the service manager did not start";
            Sleep(50);
        }
    }

    void TearDown() override
    {
        // Never leave an automatic service behind: it would start with the next wineserver.
        ServiceManager scm;
        if (scm.state() != 0 && scm.state() != SERVICE_STOPPED) {
            scm.stop();
            scm.waitForState(SERVICE_STOPPED, 60000);
        }
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParametersKey);
        if (!program_.exe.empty())
            runProgram(program_, "-u");
        EXPECT_TRUE(scm.waitUntilGone(10000)) << "the service is still installed";
    }

    static std::string sourceFile(const std::string& name)
    {
        return orvtest::env("ORV_SOURCE_DIR") + "/orvservice/tests/net/" + name;
    }

    // The name servers of the mail library's test set-up (Postrel/tests/postrel_hosts):
    // root -> name server of test. -> name server of mail.test., whose exchanger is the sink
    // (127.0.0.21).
    struct MailNameServers {
        MailNameServers()
            : root("dns_srv", {"127.0.0.11", "53", sourceFile("root.zone")}),
              tld("dns_srv", {"127.0.0.31", "53", sourceFile("tld.zone")}),
              domain("dns_srv", {"127.0.0.32", "53", sourceFile("mail.zone")})
        {
        }
        // Empty when all three run, else the first one's error.
        std::string error() const
        {
            for (const orvtest::FixtureServer* server : {&root, &tld, &domain}) {
                if (!server->running())
                    return server->error().empty() ? "a name server did not start" : server->error();
            }
            return "";
        }
        orvtest::FixtureServer root, tld, domain;
    };

    // Installs the service for the data folder, with a start-up wait of one second, and starts it.
    void startService(const std::string& dataFolder, ServiceManager& scm)
    {
        program_ = makeProgramFolder("Orvane", dataFolder + "\\");
        ASSERT_EQ(0, runProgram(program_, "-i"));
        setStartDelay(1000);
        ASSERT_EQ(0u, scm.start());
        ASSERT_GE(scm.waitForState(SERVICE_RUNNING, 10000), 0);
    }

    ProgramFolder program_;
};

}  // namespace

TEST_F(ServiceNetTest, InstallsItselfAsAnAutomaticServiceOnlyForItsOwnSwitches)
{
    // A space in the path: the image path must be quoted to start the right program.
    program_ = makeProgramFolder("Program Files/Orvane", orvtest::makeScratchFolder("data"));
    ServiceManager scm;

    EXPECT_EQ(0, runProgram(program_, "-x"));
    EXPECT_EQ(DWORD(ERROR_SERVICE_DOES_NOT_EXIST), scm.openError()) << "-x installed something";

    EXPECT_EQ(0, runProgram(program_, "-I"));
    ServiceManager::Config config;
    ASSERT_TRUE(scm.config(config));
    EXPECT_EQ("\"" + program_.exe + "\"", config.image);
    EXPECT_EQ(DWORD(SERVICE_WIN32_OWN_PROCESS), config.type);
    EXPECT_EQ(DWORD(SERVICE_AUTO_START), config.startType);
    EXPECT_EQ(DWORD(SERVICE_ERROR_NORMAL), config.errorControl);
    EXPECT_EQ("Orvane", config.displayName);
    EXPECT_EQ(kDescription, config.description);

    // Installing again finds the service there and changes nothing.
    EXPECT_EQ(0, runProgram(program_, "-i"));
    ServiceManager::Config again;
    ASSERT_TRUE(scm.config(again));
    EXPECT_EQ(config.image, again.image);
    EXPECT_EQ(2u, countOf(program_.logText(), "INFO service.NTService - Installing service"));
    EXPECT_THAT(program_.logText(), Not(HasSubstr("ERROR")));

    EXPECT_EQ(0, runProgram(program_, "-U"));
    EXPECT_TRUE(scm.waitUntilGone(10000));
    EXPECT_EQ(0, runProgram(program_, "-u")) << "uninstalling what is not there";
    EXPECT_THAT(program_.logText(), HasSubstr("INFO service.NTService - Uninstalling service"));
    EXPECT_THAT(program_.logText(), HasSubstr("INFO service.main - Exiting ORV service with code 0"));
}

TEST_F(ServiceNetTest, RunsEveryItemAndMailsEachAlarmFromTheThresholdOnUntilStopped)
{
    const std::string dataFolder = orvtest::makeScratchFolder("data");
    const std::string sinkUnix = orvtest::fixtureDir() + "/sink";
    const std::string sink = orvtest::windowsPath(sinkUnix);
    const std::vector<std::string> recipients = {"ops@mail.test", "oncall@mail.test"};
    // Nothing listens on 127.0.0.1:9; the sink's own port answers every check.
    const std::vector<std::string> folders = createItems(
        dataFolder, {{"Closed port", "127.0.0.1", ItemPort, 9, 2, recipients},
                     {"Unknown kind", "127.0.0.1", 9, 9, 1, {"ops@mail.test"}},
                     {"Sink port", "127.0.0.21", ItemPort, 25, 0, {"quiet@mail.test"}}});

    orvtest::FixtureServer mx("smtp_sink", {"127.0.0.21", "25", sinkUnix});
    MailNameServers names;
    ASSERT_TRUE(mx.running()) << mx.error();
    ASSERT_EQ("", names.error());

    ServiceManager scm;
    ASSERT_NO_FATAL_FAILURE(startService(dataFolder, scm));

    // While the service runs, a second copy started without a switch keeps out.
    ProgramFolder second = makeProgramFolder("second", dataFolder);
    ASSERT_TRUE(mutexExists());
    EXPECT_EQ(0, runProgram(second, "", 20000));
    EXPECT_THAT(second.logText(),
                HasSubstr("FATAL service.main - Application is running, cannot start service"));
    EXPECT_THAT(second.logText(), Not(HasSubstr("StartServiceCtrlDispatcher")));

    // Two recipients per alarm: wait for the second alarm.
    ASSERT_GE(waitForMails(sink, 4, 60000), 4u) << program_.logText();

    DWORD stopAsked = GetTickCount();
    ASSERT_EQ(0u, scm.stop());
    long stopMs = scm.waitForState(SERVICE_STOPPED, 30000);
    ASSERT_GE(stopMs, 0) << "the service did not stop";
    EXPECT_LT(stopMs, 10000) << "stopping took too long";
    EXPECT_TRUE(waitForProcessEnd(10000)) << "the service process did not end";
    EXPECT_LT(GetTickCount() - stopAsked, 15000u);

    // The statistics and the history the service saved at its stop.
    std::map<std::string, StoredItem> items = readItems(dataFolder);
    const StoredItem& closed = items["Closed port"];
    const StoredItem& unknown = items["Unknown kind"];
    const StoredItem& open = items["Sink port"];
    EXPECT_GE(closed.totalChecks, 2);
    EXPECT_EQ(closed.totalChecks, closed.failedChecks);
    EXPECT_EQ(size_t(closed.totalChecks), closed.historyEntries);
    EXPECT_EQ(closed.historyEntries, closed.failedEntries);
    EXPECT_EQ(0, unknown.totalChecks);
    EXPECT_GE(open.totalChecks, 2);
    EXPECT_EQ(0, open.failedChecks);

    // The activity logs show the cycles; the item with no check has none.
    const std::string closedLog = readFile(folders[0] + "actlog.txt");
    EXPECT_THAT(closedLog, HasSubstr("Watch item name: \t\t\tClosed port\r\n"));
    EXPECT_EQ(size_t(closed.totalChecks), countOf(closedLog, "Ending run cycle\r\n"));
    EXPECT_FALSE(exists(folders[1] + "actlog.txt"));
    EXPECT_EQ(size_t(open.totalChecks),
              countOf(readFile(folders[2] + "actlog.txt"), "Ending run cycle\r\n"));

    // Mail per recipient from the second failure on, in order, the newest sent before the
    // service ended. Alarms that came while an older mail to the same recipient still waited
    // (the queue idles between deliveries) replaced it: each replacement is logged. The item that
    // never failed mailed nothing.
    std::map<std::string, std::vector<int>> counts;
    for (const Delivered& mail : sinkMails(sink)) {
        EXPECT_EQ("mailer-daemon@orvane.net", mail.sender);
        EXPECT_EQ("Alarm triggered for item Closed port", mail.subject) << "to " << mail.recipient;
        counts[mail.recipient].push_back(mail.failures);
    }
    const std::string serviceLog = program_.logText();
    for (const char* recipient : {"ops@mail.test", "oncall@mail.test"}) {
        const std::vector<int>& got = counts[recipient];
        ASSERT_GE(got.size(), 2u) << recipient;
        // the first alarm's mail may itself have been replaced while the queue idled
        EXPECT_GE(got.front(), 2) << recipient;
        EXPECT_EQ(closed.failedChecks, got.back()) << recipient;
        EXPECT_TRUE(std::is_sorted(got.begin(), got.end()) &&
                    std::adjacent_find(got.begin(), got.end()) == got.end())
            << recipient << ": every alarm mailed once at most, in order";
        const size_t replaced =
            countOf(serviceLog, std::string("Mail to ") + recipient + " for 127.0.0.1 with the "
                                "subject \"Alarm triggered for item Closed port\" replaced by a "
                                "newer one");
        EXPECT_EQ(size_t(closed.failedChecks - 1), got.size() + replaced) << recipient;
    }
    EXPECT_EQ(0u, counts.count("quiet@mail.test"));
    EXPECT_EQ(2u, counts.size());

    const std::string log = program_.logText();
    EXPECT_THAT(log, HasSubstr("INFO service.MyService - Starting job"));
    EXPECT_THAT(log, HasSubstr("INFO service.MyService - Ending job"));
    EXPECT_THAT(log, Not(HasSubstr("not sent")));
}

TEST_F(ServiceNetTest, AStopDuringTheStartUpWaitEndsTheServiceBeforeAnyItemRuns)
{
    const std::string dataFolder = orvtest::makeScratchFolder("data");
    const std::vector<std::string> folders = createItems(
        dataFolder, {{"Closed port", "127.0.0.1", ItemPort, 9, 1, {"ops@mail.test"}}});
    program_ = makeProgramFolder("Orvane", dataFolder);
    ServiceManager scm;
    ASSERT_EQ(0, runProgram(program_, "-i"));   // no StartDelay value: the full 30 seconds
    ASSERT_EQ(0u, scm.start());
    ASSERT_GE(scm.waitForState(SERVICE_RUNNING, 10000), 0);
    Sleep(1500);

    ASSERT_EQ(0u, scm.stop());
    long stopMs = scm.waitForState(SERVICE_STOPPED, 20000);
    ASSERT_GE(stopMs, 0);
    EXPECT_LT(stopMs, 5000);
    EXPECT_TRUE(waitForProcessEnd(10000));

    SERVICE_STATUS status = {};
    ASSERT_TRUE(scm.status(status));
    EXPECT_EQ(0u, status.dwWin32ExitCode);
    const std::string log = program_.logText();
    EXPECT_THAT(log, HasSubstr("INFO service.MyService - Stopped before the job started"));
    EXPECT_THAT(log, Not(HasSubstr("Starting job")));
    EXPECT_THAT(log, HasSubstr("INFO service.main - Exiting ORV service with code 0"));
    EXPECT_FALSE(exists(folders[0] + "actlog.txt")) << "an item ran";
    EXPECT_EQ(0, readItems(dataFolder)["Closed port"].totalChecks);
}

TEST_F(ServiceNetTest, WithoutItsHelperFileTheServiceStopsWithAnError)
{
    program_ = makeProgramFolder("Orvane", "");
    ServiceManager scm;
    ASSERT_EQ(0, runProgram(program_, "-i"));
    setStartDelay(0);
    // The service reports itself running and stops a moment later. Wine's service manager looks
    // at the state only after the report woke it: when the stop is in by then, StartService
    // answers 1053 for a service that did start. What it did next is what counts here.
    const DWORD started = scm.start();
    ASSERT_TRUE(started == 0 || started == DWORD(ERROR_SERVICE_REQUEST_TIMEOUT)) << "StartService: " << started;

    ASSERT_GE(scm.waitForState(SERVICE_STOPPED, 15000), 0) << "the service went on running";
    SERVICE_STATUS status = {};
    ASSERT_TRUE(scm.status(status));
    EXPECT_EQ(DWORD(ERROR_SERVICE_SPECIFIC_ERROR), status.dwWin32ExitCode);
    EXPECT_EQ(DWORD(-1), status.dwServiceSpecificExitCode);
    EXPECT_TRUE(waitForProcessEnd(10000));
    EXPECT_THAT(program_.logText(), HasSubstr("FATAL service.MyService - Cannot open " +
                                              program_.folder + "\\service_helper.txt for reading"));
}

TEST_F(ServiceNetTest, AStopWhileEveryItemIsMidCheckEndsInTimeAndLosesNoMailAndNoFile)
{
    // ORV_STOP_ITEMS sets another number of items (to replay a failure with fewer).
    const char* wanted = getenv("ORV_STOP_ITEMS");
    const int count = wanted && atoi(wanted) > 0 ? atoi(wanted) : 1000;
    const std::string dataFolder = orvtest::makeScratchFolder("data");
    const std::string sinkUnix = orvtest::fixtureDir() + "/sink";
    const std::string sink = orvtest::windowsPath(sinkUnix);

    // Every item checks a POP3 server that accepts and never speaks: each check waits out its
    // limit, fails, and mails its own recipient, so at any moment most items are mid-check and
    // mail is waiting in the queue.
    const int limitMs = 8000;
    std::vector<NewItem> plans;
    for (int i = 0; i < count; ++i) {
        plans.push_back({"Item " + std::to_string(i), "127.0.0.41", ItemPop3, 110, 1,
                         {"r" + std::to_string(i) + "@mail.test"}, limitMs});
    }
    const std::vector<std::string> folders = createItems(dataFolder, plans);
    ASSERT_EQ(size_t(count), folders.size());

    const std::string silentScript = orvtest::fixtureDir() + "/silent.txt";
    ASSERT_TRUE(writeFile(orvtest::windowsPath(silentScript), "silent\n"));
    orvtest::FixtureServer pop3("tcp_script", {"127.0.0.41", "110", silentScript, "600"});
    orvtest::FixtureServer mx("smtp_sink", {"127.0.0.21", "25", sinkUnix});
    MailNameServers names;
    for (orvtest::FixtureServer* server : {&pop3, &mx})
        ASSERT_TRUE(server->running()) << server->error();
    ASSERT_EQ("", names.error());

    ServiceManager scm;
    ASSERT_NO_FATAL_FAILURE(startService(dataFolder, scm));

    // The stop comes once half the items have failed (their alarm mail queued) and nine in ten
    // wait on the server (a connection it accepted and the item has not closed).
    long open = 0;
    {
        const DWORD started = GetTickCount();
        for (;;) {
            std::vector<std::string> seen = pop3.output();
            long connects = static_cast<long>(std::count(seen.begin(), seen.end(), "CONNECT"));
            long done = static_cast<long>(std::count(seen.begin(), seen.end(), "DONE"));
            open = connects - done;
            if (done >= count / 2 && open >= count * 9 / 10)
                break;
            ASSERT_LT(GetTickCount() - started, 180000u) << connects << " connects, " << done << " done";
            Sleep(100);
        }
    }
    DWORD stopAsked = GetTickCount();
    ASSERT_EQ(0u, scm.stop());
    long stopMs = scm.waitForState(SERVICE_STOPPED, 90000);
    ASSERT_GE(stopMs, 0) << "the service did not stop";
    ASSERT_TRUE(waitForProcessEnd(30000)) << "the service process did not end";
    const DWORD endMs = GetTickCount() - stopAsked;
    // The workers end within a poll of the stop; the queue's drain bound is what may be used up.
    EXPECT_LT(stopMs, kStopWaitHintMs) << "stopping took longer than the service said it would";

    // Nothing half-written: every item loads whole, its statistics matching its history.
    std::map<std::string, StoredItem> items = readItems(dataFolder);
    EXPECT_EQ(size_t(count), items.size());
    // Which items got to record a check before the stop depends on how fast the first checks
    // spread out (on a loaded machine the last items may not have finished one): what must hold is
    // that the failures of the half that ended before the stop are on file.
    size_t files = 0;
    int checks = 0;
    int itemsChecked = 0;
    for (int i = 0; i < count; ++i) {
        const StoredItem& item = items["Item " + std::to_string(i)];
        SCOPED_TRACE("Item " + std::to_string(i));
        EXPECT_GE(item.totalChecks, 0) << "not loaded";
        EXPECT_EQ(item.totalChecks, item.failedChecks);
        EXPECT_EQ(size_t(item.totalChecks), item.historyEntries);
        checks += item.totalChecks;
        itemsChecked += item.totalChecks > 0 ? 1 : 0;
        files += filesIn(item.folder);
    }
    // Each item holds one connection at a time for its whole limit, so the ended half comes from
    // hundreds of items; a check the stop caught between its end and its record is not recorded.
    EXPECT_GE(itemsChecked, count / 4);

    // Every mail queued was sent, or is in the log by its recipient: replaced by a newer alarm
    // while it waited, failed, or left unsent when the queue's time ran out.
    std::map<std::string, int> sent;
    for (const Delivered& mail : sinkMails(sink))
        ++sent[mail.recipient];
    const std::string log = program_.logText();
    size_t queued = 0, delivered = 0, replaced = 0, unsent = 0, lost = 0;
    for (int i = 0; i < count; ++i) {
        const std::string recipient = "r" + std::to_string(i) + "@mail.test";
        const size_t q = countOf(log, "INFO service.MailAlarmNotifier - Alarm for Item " + std::to_string(i) +
                                          " after ");
        const size_t r = countOf(log, "Mail to " + recipient + " for 127.0.0.41 with the subject");
        const size_t u = countOf(log, "Mail to " + recipient + " with the subject") +
                         countOf(log, "Mail to " + recipient + " failed");
        const size_t s = static_cast<size_t>(sent[recipient]);
        // A mail still being delivered when the queue's time ran out is logged, and may arrive
        // all the same: counted twice then, never missing.
        EXPECT_GE(s + r + u, q) << recipient;
        EXPECT_LE(s, q) << recipient << ": a mail that was never queued";
        queued += q;
        delivered += s;
        replaced += r;
        unsent += u;
        lost += q > s + r + u ? q - s - r - u : 0;
    }
    EXPECT_EQ(0u, lost);
    printf("| items | open checks at the stop | stop (to stopped / process end) | checks | files loaded | "
           "mails queued | sent | replaced | logged unsent | lost |\n"
           "| %d | %ld | %ld / %lu ms | %d | %zu | %zu | %zu | %zu | %zu | %zu |\n",
           count, open, stopMs, static_cast<unsigned long>(endMs), checks, files, queued, delivered, replaced,
           unsent, lost);
}
