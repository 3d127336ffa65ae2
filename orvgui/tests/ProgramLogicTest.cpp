// The preferences' and report manager's rules that need no window: report column captions and
// their order, the listed names with the default mark and the names refused, the proxy text and
// port range and the settings reaching the workers, the start entry as stored in the registry,
// the service program run through a stand-in (waited for, its exit code, no handle left open) and
// a missing one, the default report's refusals.
#include "orv/gtest.h"

#include <windows.h>

#include <string>
#include <vector>

#include "ProfileStore.h"
#include "ProxySettings.h"
#include "ReportColumnIdSequence.h"
#include "ReportNames.h"
#include "ReportViewer.h"
#include "WindowsPreferencesSystem.h"
#include "orv/TestEnv.h"
#include "reports/Report.h"
#include "reports/ReportManager.h"
#include "workers/WorkerManager.h"

namespace {

typedef ReportColumnIdSequence Seq;

TEST(ReportColumns, CaptionsTurnIntoIdsIgnoringCaseAndAnUnknownOneIsAll)
{
    const struct {
        const char* caption;
        int id;
    } cases[] = {
        {"Line", ColumnLine},
        {"date", ColumnDate},
        {"DOWNTIME", ColumnDowntime},
        {"Response Time", ColumnResponseTime},
        {"View saved web page", ColumnSavedPage},
        {"Http status code(descriptive)", ColumnHttpStatusText},
        {"Last response text", ColumnLastResponseText},
        {"Http status code ", Seq::kAll},
        {"", Seq::kAll},
        {"All", Seq::kAll},
        {"Status", Seq::kAll},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.id, Seq::FromCaption(c.caption)) << "\"" << c.caption << "\"";
}

TEST(ReportColumns, NextSkipsDowntimeAndTheSavedPageAndEndsAtAll)
{
    EXPECT_EQ((std::vector<int>{ColumnLine, ColumnDate, ColumnResponseTime, ColumnMonitorType, ColumnHttpStatusCode,
                                ColumnHttpStatusText, ColumnLastResponseText}),
              Seq::Offered());
    for (int id : {int(ColumnDowntime), int(ColumnSavedPage), Seq::kAll, 0, 61208})
        EXPECT_EQ(Seq::kAll, Seq::Next(id)) << id;
    // a definition using the saved page keeps it active; it is never offered as available
    const std::vector<int> active = {ColumnSavedPage, ColumnDate};
    EXPECT_EQ((std::vector<int>{ColumnLine, ColumnResponseTime, ColumnMonitorType, ColumnHttpStatusCode,
                                ColumnHttpStatusText, ColumnLastResponseText}),
              Seq::Without(Seq::Offered(), active));
    EXPECT_EQ(std::vector<int>{}, Seq::Without({}, active));
}

TEST(ReportNames, TheDefaultIsMarkedAndTheMarkIsCutOffAgain)
{
    EXPECT_EQ("Weekly(Default)", ReportNames::display("Weekly", true));
    EXPECT_EQ("Weekly", ReportNames::display("Weekly", false));
    const struct {
        const char* display;
        const char* plain;
        bool isDefault;
    } cases[] = {
        {"Weekly(Default)", "Weekly", true},
        {"Weekly", "Weekly", false},
        {"Weekly (Default)", "Weekly ", true},
        {"(Default)", "", true},
        {"", "", false},
        {"A(Default)(Default)", "A", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.plain, ReportNames::plain(c.display)) << c.display;
        EXPECT_EQ(c.isDefault, ReportNames::isDefaultDisplay(c.display)) << c.display;
    }
}

TEST(ReportNames, NamesWithTheMarkOrOfAnotherDefinitionAreRefused)
{
    const std::vector<std::string> existing = {"Weekly", "Failure report", "weekly2"};
    const struct {
        const char* name;
        const char* own;
        bool refused;
    } cases[] = {
        {"Monthly", "", false},
        {"", "", true},
        {"   ", "", true},
        {"Monthly(Default)", "", true},
        {"(Default)", "", true},
        {"My (Default) report", "", true},
        {"Weekly", "", true},
        {"Failure report", "Weekly", true},
        // the definition being edited may keep its name; names differ by case
        {"Weekly", "Weekly", false},
        {"WEEKLY", "", false},
        {"Weekly(Default)", "Weekly", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.refused, !ReportNames::nameError(c.name, existing, c.own).empty()) << "\"" << c.name << "\"";
}

TEST(ProxySettings, TheTextTheWorkersTakeAndThePortRange)
{
    const struct {
        const char* address;
        int port;
        const char* text;
    } texts[] = {
        {"proxy.example", 8080, "proxy.example:8080"},
        {" proxy.example ", 3128, "proxy.example:3128"},
        {"proxy.example", 0, "proxy.example"},
        {"proxy.example:81", 8080, "proxy.example:81"},
        {"", 8080, ""},
        {"   ", 8080, ""},
    };
    for (const auto& t : texts)
        EXPECT_EQ(t.text, ProxySettings::proxyText(t.address, t.port)) << t.address << " " << t.port;

    const struct {
        bool use;
        int port;
        bool refused;
    } ports[] = {
        {true, 0, true},     {true, 1, false},   {true, 20000, false}, {true, 20001, false},
        {true, 65535, false}, {true, 65536, true}, {true, -1, true},     {false, 0, false},
        {false, 65535, false}, {false, 70000, true},
    };
    for (const auto& p : ports)
        EXPECT_EQ(p.refused, !ProxySettings::portError(p.use, p.port).empty()) << p.use << " " << p.port;
}

TEST(ProxySettings, TheProfileReachesTheWorkers)
{
    const std::string folder = orvtest::makeScratchFolder("proxy_profile");
    ProfileStore profile(folder + "\\profile.cfg");
    const struct {
        const char* use;
        const char* address;
        const char* port;
        bool used;
        const char* text;
    } cases[] = {
        {"1", "proxy.example", "8080", true, "proxy.example:8080"},
        {"0", "proxy.example", "8080", false, ""},
        // a proxy without an address cannot be used
        {"1", "", "8080", false, ""},
    };
    for (const auto& c : cases) {
        profile.setString(ProfileUseProxy, c.use);
        profile.setString(ProfileProxyAddress, c.address);
        profile.setString(ProfileProxyPort, c.port);
        profile.setString(ProfileProxyUser, "me");
        profile.setString(ProfileProxyPassword, "secret");
        ProxySettings::apply(profile, *WorkerManager::instance());
        bool use = !c.used;
        std::string proxy = "?", user, password;
        WorkerManager::instance()->getProxy(use, proxy, user, password);
        EXPECT_EQ(c.used, use) << c.use << " " << c.address;
        EXPECT_EQ(c.text, proxy);
        EXPECT_EQ("me", user);
        EXPECT_EQ("secret", password);
    }
    WorkerManager::instance()->setProxy(false, "", "", "");
}

// The handles this process holds, from the system's handle table; -1 when it cannot be read.
int OwnHandles()
{
    struct Entry {
        ULONG ownerPid;
        BYTE objectType;
        BYTE flags;
        USHORT value;
        PVOID object;
        ULONG access;
    };
    struct Table {
        ULONG count;
        Entry entries[1];
    };
    typedef LONG(WINAPI * Query)(ULONG, PVOID, ULONG, PULONG);
    const Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("ntdll.dll"), "NtQuerySystemInformation")));
    std::vector<char> buffer(4 << 20);
    ULONG length = 0;
    const ULONG kSystemHandleInformation = 16;
    if (query == nullptr || query(kSystemHandleInformation, buffer.data(), static_cast<ULONG>(buffer.size()), &length) != 0)
        return -1;
    const Table* table = reinterpret_cast<const Table*>(buffer.data());
    int own = 0;
    for (ULONG i = 0; i < table->count; ++i)
        own += table->entries[i].ownerPid == ::GetCurrentProcessId();
    return own;
}

std::vector<BYTE> StoredRunValue(DWORD& type)
{
    HKEY key = NULL;
    std::vector<BYTE> data;
    if (::RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return data;
    DWORD size = 0;
    if (::RegQueryValueExA(key, "Orv", NULL, &type, NULL, &size) == ERROR_SUCCESS) {
        data.resize(size);
        ::RegQueryValueExA(key, "Orv", NULL, &type, data.data(), &size);
    }
    ::RegCloseKey(key);
    return data;
}

TEST(PreferencesSystem, TheStartEntryIsStoredWithItsTerminatingZero)
{
    WindowsPreferencesSystem& system = WindowsPreferencesSystem::instance();
    const std::string path = system.programPath();
    ASSERT_NE(std::string::npos, path.find("orvgui_program_logic_test")) << path;
    for (const std::string& text : {path, std::string(), std::string("C:\\x.exe")}) {
        const int handlesBefore = OwnHandles();
        ASSERT_TRUE(system.writeRunValue(text)) << text;
        EXPECT_EQ(handlesBefore, OwnHandles()) << "the key is closed";
        DWORD type = 0;
        std::vector<BYTE> stored = StoredRunValue(type);
        EXPECT_EQ(DWORD(REG_SZ), type);
        std::vector<BYTE> expected(text.begin(), text.end());
        expected.push_back(0);
        EXPECT_EQ(expected, stored) << "\"" << text << "\"";
    }
}

TEST(PreferencesSystem, TheServiceProgramBesideTheProgramIsRunAndAMissingOneIsTold)
{
    EXPECT_EQ("\"C:\\Program Files\\Orvane\\orvservice.exe\" -i",
              WindowsPreferencesSystem::installerCommand("C:\\Program Files\\Orvane\\", true));
    EXPECT_EQ("\"C:\\o\\orvservice.exe\" -u", WindowsPreferencesSystem::installerCommand("C:\\o\\", false));
    // the test program's folder holds no service program
    const PreferencesSystem::InstallerResult result = WindowsPreferencesSystem::instance().runServiceInstaller(true);
    EXPECT_EQ(PreferencesSystem::Outcome::NotStarted, result.outcome);
    EXPECT_FALSE(result.succeeded());
}

TEST(PreferencesSystem, TheServiceProgramIsWaitedForItsExitCodeTakenAndItsHandlesClosed)
{
    const std::string folder = orvtest::windowsPath(ORV_SERVICE_STUB_DIR) + "\\";
    const std::string record = folder + "installer_calls.txt";
    ::DeleteFileA(record.c_str());
    WindowsPreferencesSystem system(folder);
    const int handlesBefore = OwnHandles();
    ASSERT_GT(handlesBefore, 0);
    const struct {
        bool install;
        const char* exitCode;
        DWORD expected;
    } cases[] = {{true, "0", 0}, {false, "0", 0}, {true, "3", 3}, {false, "1603", 1603}};
    std::string calls;
    for (const auto& c : cases) {
        ::SetEnvironmentVariableA("ORV_STUB_EXIT", c.exitCode);
        const PreferencesSystem::InstallerResult result = system.runServiceInstaller(c.install);
        EXPECT_EQ(PreferencesSystem::Outcome::Ran, result.outcome) << c.exitCode;
        EXPECT_EQ(c.expected, result.exitCode);
        EXPECT_EQ(c.expected == 0, result.succeeded());
        // waited for: its line is there when the call returns
        calls += WindowsPreferencesSystem::installerCommand(folder, c.install) + "\n";
        EXPECT_EQ(calls, orvtest::readFile(record));
    }
    ::SetEnvironmentVariableA("ORV_STUB_EXIT", NULL);
    EXPECT_EQ(handlesBefore, OwnHandles());
}

TEST(ReportViewer, TheDefaultReportNeedsADefinitionAndAnItem)
{
    ReportManager reports;
    MonitorItemSettings* anyItem = reinterpret_cast<MonitorItemSettings*>(&reports);   // only compared with null
    EXPECT_EQ("", ReportViewer::defaultReportRefusal(reports, anyItem));
    EXPECT_EQ(ReportViewer::kNoItem, ReportViewer::defaultReportRefusal(reports, nullptr));
    std::vector<std::string> names;
    for (ReportManager::Iterator it = reports.beginReports(); it != reports.endReports(); ++it)
        names.push_back(it->first);
    for (const std::string& name : names)
        reports.deleteReport(name);
    EXPECT_EQ(ReportViewer::kNoReports, ReportViewer::defaultReportRefusal(reports, anyItem));
    EXPECT_EQ(ReportViewer::kNoReports, ReportViewer::defaultReportRefusal(reports, nullptr));
}

}  // namespace
