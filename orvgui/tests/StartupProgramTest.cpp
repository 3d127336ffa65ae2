// The real program, started as a user starts it: a copy of the staged orvgui.exe (and
// orvservice.exe) in a folder of its own, logging into a file there, on the test's own display
// and Wine prefix. The first run writes service_helper.txt and the reports folder; a second
// program ends quietly with one fatal log line while the first goes on; with "run as service" on,
// the program stops the real service (under Wine's service manager) before it loads its items and
// starts it again only after it let the start-up mutex go; with no service installed start-up
// goes straight on. The program is closed by real keys (Alt+F4).
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "ProfileStore.h"

using ::testing::HasSubstr;
using ::testing::Not;

namespace {

const char kServiceName[] = "Orvane";
const char kParametersKey[] = "SYSTEM\\CurrentControlSet\\Services\\Orvane\\Parameters";
const DWORD kStartMs = 90000;   // a program up, a program ended, a service state reached

// ---- files ---------------------------------------------------------------------------------

bool writeFile(const std::string& path, const std::string& text)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = text.empty() || WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok;
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

size_t countOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

// Where the first occurrence of the text is, npos when it is not there.
size_t at(const std::string& text, const std::string& what)
{
    return text.find(what);
}

// The data folder the program uses: the prefix's application-data folder + "Orvane\".
std::string dataFolder()
{
    char appData[MAX_PATH] = "";
    ExpandEnvironmentStringsA("%APPDATA%", appData, sizeof appData);
    return std::string(appData) + "\\Orvane\\";
}

void removeTree(const std::string& folder)   // no trailing backslash
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                removeTree(path);
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

// A fresh data folder holding one Port item (so that no new-item wizard opens at start), and a
// profile.cfg with the given values and the frame shown at start (the default starts hidden in
// the tray).
void prepareDataFolder(const std::vector<std::pair<int, std::string>>& profile)
{
    std::string folder = dataFolder();
    removeTree(folder.substr(0, folder.size() - 1));
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
    MonitorItemManager* items = MonitorItemManager::instance();
    items->load(folder);
    MonitorItemSettings* item = items->createItem();
    ASSERT_NE(nullptr, item);
    ItemGeneralSettings& general = item->getGeneral();
    general.name = "closed port";
    general.address = "127.0.0.1";
    general.type = 6;            // Port
    general.port = 9;            // nothing listens there
    general.interval = 1;
    general.intervalUnit = 3;    // hours: one check at start, then quiet
    general.timeoutMs = 5000;
    item->save();
    items->unloadAll();
    items->release();
    ProfileStore store(folder + "profile.cfg");
    store.setInt(ProfileStartHidden, 0);
    for (const auto& value : profile)
        store.setString(value.first, value.second);
    ASSERT_TRUE(store.save());
}

// ---- the programs, copied into a folder of their own ---------------------------------------

struct ProgramFolder {
    std::string folder;   // Windows path, ending in a backslash
    std::string log;      // Windows path of the log both programs write

    std::string gui() const { return folder + "orvgui.exe"; }
    std::string service() const { return folder + "orvservice.exe"; }
    std::string logText() const { return orvtest::readFile(log); }
};

ProgramFolder makeProgramFolder(const std::string& name)
{
    ProgramFolder p;
    std::string unixFolder = orvtest::fixtureDir() + "/" + name;
    p.folder = orvtest::windowsPath(unixFolder) + "\\";
    CreateDirectoryA(p.folder.c_str(), nullptr);
    p.log = p.folder + "log.txt";
    const std::string stage = orvtest::windowsPath(orvtest::env("ORV_BINARY_DIR") + "/stage") + "\\";
    EXPECT_TRUE(CopyFileA((stage + "orvgui.exe").c_str(), p.gui().c_str(), FALSE));
    EXPECT_TRUE(CopyFileA((stage + "orvservice.exe").c_str(), p.service().c_str(), FALSE));
    // log4cxx opens its file with the C library: a Unix path. Both programs append to it.
    writeFile(p.folder + "log4cxx.cfg",
              "log4j.rootLogger=INFO, F\n"
              "log4j.appender.F=org.apache.log4j.FileAppender\n"
              "log4j.appender.F.File=" + unixFolder + "/log.txt\n"
              "log4j.appender.F.Append=true\n"
              "log4j.appender.F.layout=org.apache.log4j.PatternLayout\n"
              "log4j.appender.F.layout.ConversionPattern=%p %c - %m%n\n");
    return p;
}

// Waits until the log holds the text (the programs write it as they go); false after timeoutMs.
bool waitForLog(const ProgramFolder& program, const std::string& text, DWORD timeoutMs = kStartMs)
{
    const long long started = orvtest::nowMs();
    while (program.logText().find(text) == std::string::npos) {
        if (orvtest::nowMs() - started > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

struct FrameSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK collectFrame(HWND hWnd, LPARAM lParam)
{
    FrameSearch* s = reinterpret_cast<FrameSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->pid && IsWindowVisible(hWnd) && GetWindow(hWnd, GW_OWNER) == NULL &&
        (GetWindowLongA(hWnd, GWL_STYLE) & WS_CAPTION) == WS_CAPTION)
        s->found.push_back(hWnd);
    return TRUE;
}

BOOL CALLBACK collectAll(HWND hWnd, LPARAM lParam)
{
    FrameSearch* s = reinterpret_cast<FrameSearch*>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == s->pid)
        s->found.push_back(hWnd);
    return TRUE;
}

// One started program.
class Process {
public:
    Process(const std::string& exe, const std::string& arguments = std::string())
    {
        std::string command = "\"" + exe + "\"" + (arguments.empty() ? "" : " " + arguments);
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                  &info_) != FALSE;
    }
    ~Process()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    bool started() const { return started_; }
    bool running() const { return started_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    // The exit code once it ended within timeoutMs; -1 otherwise.
    long waitForEnd(DWORD timeoutMs = kStartMs)
    {
        if (!started_ || WaitForSingleObject(info_.hProcess, timeoutMs) != WAIT_OBJECT_0)
            return -1;
        DWORD code = 0;
        GetExitCodeProcess(info_.hProcess, &code);
        return static_cast<long>(code);
    }
    // The program's visible top-level windows that have a caption and no owner.
    std::vector<HWND> frames() const
    {
        FrameSearch search{info_.dwProcessId, {}};
        EnumWindows(collectFrame, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }
    // Every top-level window of the program: class, style, visibility (for failure messages).
    std::string describeWindows() const
    {
        FrameSearch search{info_.dwProcessId, {}};
        EnumWindows(collectAll, reinterpret_cast<LPARAM>(&search));
        std::string text;
        for (HWND hWnd : search.found) {
            char name[64] = "", caption[64] = "";
            GetClassNameA(hWnd, name, sizeof name);
            GetWindowTextA(hWnd, caption, sizeof caption);
            char line[256];
            snprintf(line, sizeof line, "  %s \"%s\" style %08lx%s\n", name, caption,
                     static_cast<unsigned long>(GetWindowLongA(hWnd, GWL_STYLE)), IsWindowVisible(hWnd) ? " visible" : "");
            text += line;
        }
        return text;
    }
    HANDLE handle() const { return info_.hProcess; }

private:
    bool started_ = false;
    PROCESS_INFORMATION info_ = {};
};

// Waits for the program's start-up to end with its main frame on the screen; the frame.
HWND waitForFrame(const ProgramFolder& program, Process& gui)
{
    if (!waitForLog(program, "Application started"))
        return NULL;
    WaitForInputIdle(gui.handle(), kStartMs);
    std::vector<HWND> frames = gui.frames();
    if (frames.size() != 1)
        ADD_FAILURE() << frames.size() << " frames of the program; its windows:\n" << gui.describeWindows();
    return frames.size() == 1 ? frames[0] : NULL;
}

// Closes the program as a user does: its frame to the front, then Alt+F4; its exit code.
long closeByKeys(HWND frame, Process& gui)
{
    SetForegroundWindow(frame);
    const long long started = orvtest::nowMs();
    while (GetForegroundWindow() != frame && orvtest::nowMs() - started < 10000)
        Sleep(20);
    EXPECT_EQ(frame, GetForegroundWindow());
    orvtest::pressKey(VK_F4, orvtest::kAlt);
    return gui.waitForEnd();
}

// ---- the service control manager -------------------------------------------------------------

DWORD serviceState()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return 0;
    DWORD state = 0;
    if (SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_QUERY_STATUS)) {
        SERVICE_STATUS status = {};
        if (QueryServiceStatus(service, &status))
            state = status.dwCurrentState;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return state;
}

bool waitForServiceState(DWORD wanted, DWORD timeoutMs = kStartMs)
{
    const long long started = orvtest::nowMs();
    while (serviceState() != wanted) {
        if (orvtest::nowMs() - started > timeoutMs)
            return false;
        Sleep(50);
    }
    return true;
}

bool startService()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return false;
    bool ok = false;
    if (SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_START)) {
        ok = StartServiceA(service, 0, nullptr) != FALSE;
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
    return ok;
}

void stopService()
{
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_CONNECT);
    if (!manager)
        return;
    if (SC_HANDLE service = OpenServiceA(manager, kServiceName, SERVICE_STOP)) {
        SERVICE_STATUS status = {};
        ControlService(service, SERVICE_CONTROL_STOP, &status);
        CloseServiceHandle(service);
    }
    CloseServiceHandle(manager);
}

// The service starts its items at once (no start-up delay).
void setNoStartDelay()
{
    HKEY key;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, kParametersKey, 0, nullptr, 0, KEY_SET_VALUE,
                                             nullptr, &key, nullptr));
    DWORD zero = 0;
    RegSetValueExA(key, "StartDelay", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero), sizeof zero);
    RegCloseKey(key);
}

}  // namespace

// ---- first run and a second program -----------------------------------------------------------

TEST(StartupProgram, TheFirstRunWritesItsFilesAndASecondProgramEndsQuietlyWhileTheFirstGoesOn)
{
    prepareDataFolder({{ProfileFirstRun, "1"}});
    ProgramFolder program = makeProgramFolder("first_run");
    const std::string data = dataFolder();

    Process first(program.gui());
    ASSERT_TRUE(first.started());
    HWND frame = waitForFrame(program, first);
    ASSERT_NE(HWND(NULL), frame) << program.logText();
    EXPECT_TRUE(orvtest::screenshot("orvgui_startup_first_run"));

    // the first run's files: the data folder and a line break, the reports folder
    EXPECT_EQ(data + "\n", orvtest::readFile(program.folder + "service_helper.txt", "(missing)"));
    EXPECT_TRUE(exists(data + "Reports"));

    // a second program: one fatal line, no window, an exit of its own; the first goes on
    Process second(program.gui());
    ASSERT_TRUE(second.started());
    EXPECT_EQ(0, second.waitForEnd());
    std::string log = program.logText();
    EXPECT_EQ(1u, countOf(log, "FATAL orv.CWinApp - Application is already running")) << log;
    EXPECT_EQ(2u, countOf(log, "Starting application session")) << log;
    EXPECT_EQ(1u, countOf(log, "Loading the items of")) << "the second program loaded items:\n" << log;
    EXPECT_EQ(0u, countOf(log, "Finishing application")) << "the second program ran a shut-down:\n" << log;
    EXPECT_EQ(0u, countOf(log, "background service")) << log;
    EXPECT_TRUE(first.running());
    EXPECT_TRUE(IsWindowVisible(frame));
    EXPECT_TRUE(orvtest::screenshot("orvgui_startup_second_refused"));

    // closed by keys: an orderly shut-down, and the first run is over
    EXPECT_EQ(0, closeByKeys(frame, first));
    log = program.logText();
    EXPECT_EQ(1u, countOf(log, "Finishing application")) << log;
    EXPECT_EQ(1u, countOf(log, "Application ended")) << log;
    EXPECT_LT(at(log, "Finishing application"), at(log, "Application ended"));
    ProfileStore profile(data + "profile.cfg");
    EXPECT_EQ(0, profile.getInt(ProfileFirstRun));

    // a later start is no first run: the file is not written again
    writeFile(program.folder + "service_helper.txt", "kept\n");
    Process again(program.gui());
    HWND frameAgain = waitForFrame(program, again);
    ASSERT_NE(HWND(NULL), frameAgain) << program.logText();
    EXPECT_EQ(0, closeByKeys(frameAgain, again));
    EXPECT_EQ("kept\n", orvtest::readFile(program.folder + "service_helper.txt"));
}

// ---- the hand-over with the background service ------------------------------------------------

TEST(StartupProgram, WithRunAsServiceTheServiceStopsBeforeTheItemsLoadAndStartsAfterTheMutexIsLetGo)
{
    // "run as service" on, first run over; the service folder is the program's folder
    prepareDataFolder({{ProfileFirstRun, "0"}, {ProfileRunAsService, "1"}});
    ProgramFolder program = makeProgramFolder("hand_over");
    writeFile(program.folder + "service_helper.txt", dataFolder() + "\r\n");

    // no service installed: start-up goes straight on to the items
    {
        ASSERT_EQ(0u, serviceState()) << "a service is installed already";
        Process gui(program.gui());
        HWND frame = waitForFrame(program, gui);
        ASSERT_NE(HWND(NULL), frame) << program.logText();
        std::string log = program.logText();
        const size_t asked = at(log, "Stopping the background service");
        const size_t none = at(log, "No background service is installed");
        const size_t loading = at(log, "Loading the items of");
        ASSERT_NE(std::string::npos, none) << log;
        EXPECT_LT(asked, none);
        EXPECT_LT(none, loading);
        EXPECT_EQ(0, closeByKeys(frame, gui));
        EXPECT_EQ(2u, countOf(program.logText(), "No background service is installed")) << program.logText();
    }

    // the real service, installed from the program's folder and running
    Process install(program.service(), "-i");
    ASSERT_EQ(0, install.waitForEnd());
    setNoStartDelay();
    ASSERT_TRUE(startService());
    ASSERT_TRUE(waitForServiceState(SERVICE_RUNNING));
    writeFile(program.log, "");

    {
        Process gui(program.gui());
        HWND frame = waitForFrame(program, gui);
        ASSERT_NE(HWND(NULL), frame) << program.logText();
        // the service has stopped, and it had before the program loaded its items
        EXPECT_EQ(static_cast<DWORD>(SERVICE_STOPPED), serviceState());
        std::string log = program.logText();
        const size_t stopped = at(log, "The background service has stopped");
        const size_t loading = at(log, "Loading the items of");
        ASSERT_NE(std::string::npos, stopped) << log;
        EXPECT_LT(stopped, loading) << log;
        EXPECT_TRUE(orvtest::screenshot("orvgui_startup_service_taken_over"));

        EXPECT_EQ(0, closeByKeys(frame, gui));
    }
    // the program has ended; the service it started runs: it could start, so the mutex was let
    // go before (the service refuses to start while the mutex exists)
    EXPECT_TRUE(waitForServiceState(SERVICE_RUNNING)) << program.logText();
    std::string log = program.logText();
    EXPECT_THAT(log, HasSubstr("The background service has started"));
    EXPECT_THAT(log, Not(HasSubstr("cannot start service")));
    EXPECT_LT(at(log, "Finishing application"), at(log, "Starting the background service"));

    stopService();
    EXPECT_TRUE(waitForServiceState(SERVICE_STOPPED));
    Process uninstall(program.service(), "-u");
    EXPECT_EQ(0, uninstall.waitForEnd());
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, kParametersKey);
}
