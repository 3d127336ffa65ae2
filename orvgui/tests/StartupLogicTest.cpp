// The start-up and shut-down pieces that stand without the main frame: the program and data
// folders and the first-run file, the start-up mutex (a second program ends with one fatal log
// line), service control against a scripted service manager (the wait hint's clamp, the bounded
// stop wait, failing queries, no progress while starting) and against the system's with no
// service installed, the look from its stored number, and the file for a last downloaded page.
#include "orv/gtest.h"

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

#include "AppPaths.h"
#include "GuiTestSupport.h"
#include "LastPageFile.h"
#include "ServiceControl.h"
#include "ServiceManager.h"
#include "SingleInstance.h"
#include "ThemeChoice.h"
#include "WindowsServiceManager.h"
#include "orv/TestEnv.h"

namespace {

// ---- paths ----

TEST(AppPaths, FoldersOfPathsAndTheDataFolderName)
{
    const struct {
        const char* path;
        const char* folder;
    } folders[] = {
        {"C:\\Program Files\\Orvane\\orvgui.exe", "C:\\Program Files\\Orvane\\"},
        {"C:\\orvgui.exe", "C:\\"},
        {"C:orvgui.exe", "C:"},
        {"orvgui.exe", ""},
        {"/unix/path/orvgui.exe", "/unix/path/"},
    };
    for (const auto& f : folders)
        EXPECT_EQ(f.folder, AppPaths::folderOf(f.path)) << f.path;

    EXPECT_EQ("C:\\users\\me\\AppData\\Roaming\\Orvane\\", AppPaths::dataFolderUnder("C:\\users\\me\\AppData\\Roaming"));
    EXPECT_EQ("C:\\data\\Orvane\\", AppPaths::dataFolderUnder("C:\\data\\"));
    // no application-data folder: files are taken from the current folder
    EXPECT_EQ("", AppPaths::dataFolderUnder(""));

    const std::string program = AppPaths::programFolder();
    EXPECT_EQ('\\', program[program.size() - 1]);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((program + "orvgui_startup_logic_test.exe.so").c_str()))
        << program;
    const std::string data = AppPaths::dataFolder();
    EXPECT_EQ("\\Orvane\\", data.substr(data.size() - 8));
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(data.c_str()));
}

TEST(AppPaths, TheFirstRunFileHoldsTheDataFolderAndTheReportsFolderIsMade)
{
    const std::string folder = orvtest::makeScratchFolder("first_run") + "\\";
    const std::string data = "C:\\users\\me\\AppData\\Roaming\\Orvane\\";
    // written twice: the second write replaces the first whole
    ASSERT_TRUE(AppPaths::writeServiceHelper(folder, data + "longer\\than\\the\\second\\"));
    ASSERT_TRUE(AppPaths::writeServiceHelper(folder, data));
    EXPECT_EQ(data + "\n", orvtest::readFile(folder + "service_helper.txt"));
    EXPECT_FALSE(AppPaths::writeServiceHelper(folder + "missing\\", data));

    const std::string reports = AppPaths::reportsFolder(folder);
    EXPECT_EQ(folder + "Reports\\", reports);
    const DWORD attributes = ::GetFileAttributesA(reports.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attributes);
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(reports, AppPaths::reportsFolder(folder));
}

// ---- the start-up mutex ----

TEST(SingleInstance, ASecondProgramIsRefusedWithOneFatalLineUntilTheFirstLetsGo)
{
    const char* name = "OrvaneStartUpMutexTest";
    SingleInstance first;
    ASSERT_TRUE(first.acquire(name));
    EXPECT_TRUE(first.held());
    {
        guitest::LogCapture log("orv.CWinApp", "single_instance.log");
        SingleInstance second;
        EXPECT_FALSE(second.acquire(name));
        EXPECT_FALSE(second.held());
        second.release();   // nothing held: nothing happens
        EXPECT_EQ("FATAL Application is already running\n", log.text());
    }
    first.release();
    EXPECT_FALSE(first.held());
    SingleInstance third;
    EXPECT_TRUE(third.acquire(name));
}

TEST(SingleInstance, TheMutexIsTheOneTheServiceUses)
{
    EXPECT_STREQ("OrvaneStartUpMutex", SingleInstance::kMutexName);
}

// ---- service control ----

// A service manager that answers from a script and counts time only by its pauses.
class ScriptedManager : public ServiceManager {
public:
    bool opens = true;
    bool stopAccepted = true;
    bool startAccepted = true;
    SERVICE_STATUS stopStatus = {};
    // One entry per query; a query past the end answers the last entry again; failAt (1-based)
    // makes that query fail.
    std::vector<SERVICE_STATUS> statuses;
    size_t failAt = 0;

    std::vector<DWORD> sleeps;
    size_t queries = 0;
    int opened = 0, closed = 0, stops = 0, starts = 0;
    DWORD clock = 5000;

    bool open() override
    {
        if (!opens)
            return false;
        ++opened;
        return true;
    }
    void close() override { ++closed; }
    bool stop(SERVICE_STATUS& status) override
    {
        ++stops;
        status = stopStatus;
        return stopAccepted;
    }
    bool start() override
    {
        ++starts;
        return startAccepted;
    }
    bool query(SERVICE_STATUS& status) override
    {
        ++queries;
        if (queries == failAt)
            return false;
        if (!statuses.empty())
            status = statuses[std::min(queries, statuses.size()) - 1];
        return true;
    }
    void sleep(DWORD ms) override
    {
        sleeps.push_back(ms);
        clock += ms;
    }
    DWORD nowMs() override { return clock; }
};

SERVICE_STATUS Status(DWORD state, DWORD waitHint = 0, DWORD checkPoint = 0)
{
    SERVICE_STATUS status = {};
    status.dwCurrentState = state;
    status.dwWaitHint = waitHint;
    status.dwCheckPoint = checkPoint;
    return status;
}

TEST(ServiceControl, ThePauseIsTheWaitHintHeldToOneToTenSeconds)
{
    const struct {
        DWORD hint;
        DWORD pause;
    } cases[] = {{0, 1000}, {1, 1000}, {999, 1000}, {1000, 1000}, {2500, 2500}, {10000, 10000}, {10001, 10000},
                 {30000, 10000}, {0xFFFFFFFF, 10000}};
    for (const auto& c : cases)
        EXPECT_EQ(c.pause, ServiceControl::pollInterval(c.hint)) << c.hint;
}

TEST(ServiceControl, TheStopWaitEndsWhenStoppedOnAFailingQueryOrAtItsBound)
{
    typedef ServiceControl::Result R;
    const SERVICE_STATUS pending0 = Status(SERVICE_STOP_PENDING, 0), pending30 = Status(SERVICE_STOP_PENDING, 30000),
                         stopped = Status(SERVICE_STOPPED);
    const struct {
        const char* name;
        bool opens, accepted;
        SERVICE_STATUS answer;
        std::vector<SERVICE_STATUS> statuses;
        size_t failAt;
        R result;
        std::vector<DWORD> sleeps;
    } cases[] = {
        {"not installed", false, true, pending0, {}, 0, R::NotInstalled, {}},
        {"stop refused", true, false, pending0, {}, 0, R::Refused, {}},
        {"stopped at once", true, true, stopped, {}, 0, R::Done, {}},
        {"hint 0 then 30 s", true, true, pending0, {pending30, stopped}, 0, R::Done, {1000, 10000}},
        {"the first query fails", true, true, pending30, {}, 1, R::QueryFailed, {10000}},
        {"a later query fails", true, true, pending0, {pending0, pending0}, 3, R::QueryFailed, {1000, 1000, 1000}},
        // the service never says stopped: the wait ends at 60 s
        {"never stopped", true, true, pending30, {pending30}, 0, R::StillRunning,
         {10000, 10000, 10000, 10000, 10000, 10000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedManager manager;
        manager.opens = c.opens;
        manager.stopAccepted = c.accepted;
        manager.stopStatus = c.answer;
        manager.statuses = c.statuses;
        manager.failAt = c.failAt;
        EXPECT_EQ(c.result, ServiceControl::stop(manager));
        EXPECT_EQ(c.sleeps, manager.sleeps);
        EXPECT_EQ(manager.opened, manager.closed);
        EXPECT_EQ(c.opens ? 1 : 0, manager.stops);
    }
}

TEST(ServiceControl, TheStartWaitEndsWhenRunningWithoutProgressOrOnAFailingQuery)
{
    typedef ServiceControl::Result R;
    const struct {
        const char* name;
        bool opens, accepted;
        std::vector<SERVICE_STATUS> statuses;
        size_t failAt;
        R result;
        std::vector<DWORD> sleeps;
    } cases[] = {
        {"not installed", false, true, {}, 0, R::NotInstalled, {}},
        {"start refused", true, false, {}, 0, R::Refused, {}},
        {"running at once", true, true, {Status(SERVICE_RUNNING)}, 0, R::Done, {}},
        {"progress then running", true, true,
         {Status(SERVICE_START_PENDING, 0, 1), Status(SERVICE_START_PENDING, 30000, 2),
          Status(SERVICE_START_PENDING, 30000, 3), Status(SERVICE_RUNNING)},
         0, R::Done, {1000, 10000, 10000}},
        // the check point stands still longer than the hint: no more waiting
        {"no progress", true, true, {Status(SERVICE_START_PENDING, 2500, 4)}, 0, R::StillRunning, {2500, 2500}},
        {"the first query fails", true, true, {}, 1, R::QueryFailed, {}},
        {"a later query fails", true, true, {Status(SERVICE_START_PENDING, 0, 1)}, 2, R::QueryFailed, {1000}},
        {"stopped while starting", true, true, {Status(SERVICE_START_PENDING, 0, 1), Status(SERVICE_STOPPED)}, 0,
         R::Done, {1000}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedManager manager;
        manager.opens = c.opens;
        manager.startAccepted = c.accepted;
        manager.statuses = c.statuses;
        manager.failAt = c.failAt;
        EXPECT_EQ(c.result, ServiceControl::restart(manager));
        EXPECT_EQ(c.sleeps, manager.sleeps);
        EXPECT_EQ(manager.opened, manager.closed);
    }
}

TEST(ServiceControl, WithNoServiceInstalledNeitherWaitWaits)
{
    WindowsServiceManager manager("OrvaneNotInstalledHere");
    const long long before = orvtest::nowMs();
    EXPECT_EQ(ServiceControl::Result::NotInstalled, ServiceControl::stop(manager));
    EXPECT_EQ(ServiceControl::Result::NotInstalled, ServiceControl::restart(manager));
    EXPECT_LT(orvtest::nowMs() - before, 1000);
    SERVICE_STATUS status = {};
    EXPECT_FALSE(manager.query(status));
}

// ---- the look ----

TEST(ThemeChoice, StoredNumbersToLooks)
{
    const struct {
        int stored;
        ThemeChoice::Theme theme;
    } cases[] = {{0, ThemeChoice::Office2003}, {1, ThemeChoice::Classic}, {2, ThemeChoice::Xp},
                 {3, ThemeChoice::Studio2005}, {7, ThemeChoice::Xp},      {-1, ThemeChoice::Xp},
                 {4, ThemeChoice::Xp}};
    for (const auto& c : cases)
        EXPECT_EQ(c.theme, ThemeChoice::themeOf(c.stored)) << c.stored;
}

// ---- the last downloaded page ----

TEST(LastPageFile, TheItemsNameIsMadeSafeForAFileName)
{
    const struct {
        const char* item;
        const char* safe;
    } cases[] = {
        {"My site", "My site"},
        {"http://host/path?q=1", "http___host_path_q=1"},
        {"a<b>c\"d|e*f", "a_b_c_d_e_f"},
        {"..\\..\\windows\\x", "______windows_x"},
        {"../../etc", "______etc"},
        {"...", "___"},
        {"name.", "name_"},
        {"name ", "name_"},
        {"tab\there", "tab_here"},
        {"", "page"},
        {"CON", "_CON"},
        {"nul.txt", "_nul.txt"},
        {"COM1", "_COM1"},
        {"COM10", "COM10"},
        {"Console", "Console"},
        {"www.example.com", "www.example.com"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.safe, LastPageFile::safeName(c.item)) << "\"" << c.item << "\"";
    EXPECT_EQ(LastPageFile::kMaxNameLength, LastPageFile::safeName(std::string(300, 'x')).size());

    EXPECT_EQ("C:\\temp\\My site_1700000000.html", LastPageFile::path("C:\\temp\\", "My site", 1700000000));
    EXPECT_EQ("C:\\temp\\a_b_5.html", LastPageFile::path("C:\\temp", "a/b", 5));
}

TEST(LastPageFile, ThePageIsWrittenIntoTheTemporaryFolder)
{
    char temp[MAX_PATH] = "";
    ASSERT_GT(::GetTempPathA(sizeof temp, temp), 0u);
    const std::string page = "<html><body>last page</body></html>";
    for (const char* item : {"Shop front", "..\\..\\escape", "CON"}) {
        const std::string path = LastPageFile::write(item, page);
        ASSERT_FALSE(path.empty()) << item;
        EXPECT_EQ(std::string(temp), AppPaths::folderOf(path)) << path;
        EXPECT_EQ(page, orvtest::readFile(path));
        ::DeleteFileA(path.c_str());
    }
}

}  // namespace
