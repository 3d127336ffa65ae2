// The application object's start-up and shut-down in the test's own process, on a display of its
// own: a start refused at the start-up mutex ends with one fatal line and its shut-down touches
// nothing the start did not do (no profile written, no service asked, the other program's mutex
// left alone); a main frame that cannot be created ends start-up quietly with a log line instead
// of using a window that is not there, and shut-down then undoes what start-up had done (the
// items unloaded and saved, the mutex let go).
#include "orv/gtest.h"
#include "orv/TestEnv.h"

#include <windows.h>

#include <string>

#include "CSDIApp.h"
#include "Monitor/LogSetup.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "ProfileStore.h"
#include "SingleInstance.h"

namespace {

// A frame whose creation fails, as a frame does when one of its bars cannot be made.
class FailingFrame : public CFrameWnd {
public:
    static int s_created;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT)
    {
        ++s_created;
        return -1;
    }
    DECLARE_MESSAGE_MAP()
};
int FailingFrame::s_created = 0;

BEGIN_MESSAGE_MAP(FailingFrame, CFrameWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

class TestApp : public CSDIApp {
public:
    int framesMade = 0;

protected:
    CFrameWnd* CreateMainFrame() override
    {
        ++framesMade;
        return new FailingFrame;
    }
};

// The process's one application object.
TestApp theApp;

std::string dataFolder()
{
    char appData[MAX_PATH] = "";
    ExpandEnvironmentStringsA("%APPDATA%", appData, sizeof appData);
    return std::string(appData) + "\\Orvane\\";
}

bool exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

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

size_t countOf(const std::string& text, const std::string& what)
{
    size_t count = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++count;
    return count;
}

class StartupApp : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        AfxWinInit(::GetModuleHandleA(NULL), NULL, const_cast<LPSTR>(""), SW_SHOW);
        theApp.InitApplication();
        // the application's log into a file of the test's
        const std::string folder = orvtest::fixtureDir();
        s_log = orvtest::windowsPath(folder + "/app.log");
        const std::string config = orvtest::windowsPath(folder + "/log4cxx.cfg");
        LogSetup::instance();
        writeFile(config, "log4j.rootLogger=INFO, F\n"
                          "log4j.appender.F=org.apache.log4j.FileAppender\n"
                          "log4j.appender.F.File=" + folder + "/app.log\n"
                          "log4j.appender.F.Append=true\n"
                          "log4j.appender.F.layout=org.apache.log4j.PatternLayout\n"
                          "log4j.appender.F.layout.ConversionPattern=%p %c - %m%n\n");
        ASSERT_TRUE(LogSetup::configure(config));
    }

    void SetUp() override
    {
        writeFile(s_log, "");
        CreateDirectoryA(dataFolder().c_str(), nullptr);
        DeleteFileA((dataFolder() + "profile.cfg").c_str());
    }

    static std::string log() { return orvtest::readFile(s_log); }
    static std::string s_log;
};
std::string StartupApp::s_log;

}  // namespace

TEST_F(StartupApp, AStartRefusedAtTheMutexEndsWithOneFatalLineAndItsShutDownTouchesNothing)
{
    // another program holds the mutex
    HANDLE other = CreateMutexA(NULL, FALSE, SingleInstance::kMutexName);
    ASSERT_NE(HANDLE(NULL), other);
    ASSERT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());

    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ(0, theApp.framesMade);
    const CSDIApp::Progress done = theApp.progress();
    EXPECT_FALSE(done.mutexHeld);
    EXPECT_FALSE(done.profileRead);
    EXPECT_FALSE(done.itemsLoaded);
    EXPECT_FALSE(done.xmlInitialised);

    EXPECT_EQ(0, theApp.ExitInstance());
    const std::string text = log();
    EXPECT_EQ(1u, countOf(text, "FATAL orv.CWinApp - Application is already running")) << text;
    EXPECT_EQ(0u, countOf(text, "Finishing application")) << text;
    EXPECT_EQ(0u, countOf(text, "background service")) << text;
    EXPECT_EQ(0u, countOf(text, "Loading the items")) << text;
    // nothing of the profile was made, so nothing is written at the process's end
    EXPECT_FALSE(exists(dataFolder() + "profile.cfg"));

    // the other program's mutex is untouched: it still exists while that program holds it
    HANDLE probe = OpenMutexA(SYNCHRONIZE, FALSE, SingleInstance::kMutexName);
    EXPECT_NE(HANDLE(NULL), probe);
    if (probe)
        CloseHandle(probe);
    CloseHandle(other);
}

TEST_F(StartupApp, AMainFrameThatCannotBeCreatedEndsStartUpQuietlyAndShutDownUndoesTheRest)
{
    // a data folder with one item, the first run over (no file beside the test program)
    {
        ProfileStore profile(dataFolder() + "profile.cfg");
        profile.setInt(ProfileFirstRun, 0);
    }
    MonitorItemManager* items = MonitorItemManager::instance();
    items->load(dataFolder());
    while (items->begin() != items->end())
        items->deleteItem(*items->begin());
    MonitorItemSettings* item = items->createItem();
    ASSERT_NE(nullptr, item);
    item->getGeneral().name = "kept";
    item->getGeneral().type = 99;   // no worker: nothing runs against it
    const std::string itemFolder = item->getDirectory();
    item->save();
    items->unloadAll();
    items->release();
    DeleteFileA((itemFolder + "statistics.cfg").c_str());

    const int createdBefore = FailingFrame::s_created;
    EXPECT_FALSE(theApp.InitInstance());
    EXPECT_EQ(nullptr, theApp.m_pMainWnd);
    EXPECT_EQ(createdBefore + 1, FailingFrame::s_created) << "the frame's creation ran";
    const CSDIApp::Progress done = theApp.progress();
    EXPECT_TRUE(done.mutexHeld);
    EXPECT_TRUE(done.itemsLoaded);
    EXPECT_TRUE(done.xmlInitialised);
    EXPECT_FALSE(done.frameLoaded);
    // no quit message is left for a loop that will not run
    MSG msg;
    EXPECT_FALSE(PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_NOREMOVE));

    std::string text = log();
    EXPECT_EQ(1u, countOf(text, std::string("FATAL orv.CWinApp - ") + CSDIApp::kFrameFailed)) << text;
    EXPECT_EQ(0u, countOf(text, "Application started")) << text;

    EXPECT_EQ(0, theApp.ExitInstance());
    text = log();
    EXPECT_EQ(1u, countOf(text, "Finishing application")) << text;
    EXPECT_EQ(1u, countOf(text, "Application ended")) << text;
    // the items were unloaded, each saving itself
    EXPECT_TRUE(exists(itemFolder + "statistics.cfg")) << itemFolder;
    // the mutex was let go: a new program makes it afresh
    HANDLE mutex = CreateMutexA(NULL, FALSE, SingleInstance::kMutexName);
    EXPECT_NE(static_cast<DWORD>(ERROR_ALREADY_EXISTS), GetLastError());
    if (mutex)
        CloseHandle(mutex);
}
