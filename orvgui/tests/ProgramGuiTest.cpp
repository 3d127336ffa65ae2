// The preferences, the internet options and the report manager with its sheet, under Xvfb and
// driven by real input: the service program run once per change with its answer, a failing one
// keeping the old choice; the start entry on every OK; the proxy fields' enabling, the port range
// and the settings reaching the workers; the report list's default mark moving with "Set as
// default" and Delete, names refused by the sheet, New, Edit and View. Pictures per look.
#include "orv/gtest.h"

#include <memory>
#include <typeinfo>
#include <string>
#include <vector>

#include "CGeneralPreferencesDlg.h"
#include "CInternetOptionsDlg.h"
#include "CReportColumnsPage.h"
#include "CReportDetailedOptions.h"
#include "CReportGeneralPage.h"
#include "CReportManagerDlg.h"
#include "ContextHelpMap.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "PreferencesSystem.h"
#include "ProfileStore.h"
#include "ReportViewer.h"
#include "ThemeChoice.h"
#include "WindowTestSupport.h"
#include "reports/Report.h"
#include "reports/ReportManager.h"
#include "workers/WorkerManager.h"

using namespace wintest;

namespace {

CWinApp& App()
{
    return orvtest::uiApp("orvgui program dialogs test");
}

}  // namespace

namespace {

const DWORD kWaitMs = 20000;

std::vector<std::pair<UINT, ULONG_PTR>> g_help;
BOOL RecordHelp(HWND, const char*, UINT command, ULONG_PTR data)
{
    g_help.push_back({command, data});
    return TRUE;
}
void NoMessage(HWND, const char*) {}
bool FileExists(const std::string&) { return true; }
const ContextHelpMap::Engine kRecordingEngine = {&RecordHelp, &NoMessage, &FileExists};

// Records what the preferences ask of the system; the service program answers exitCode.
class RecordingSystem : public PreferencesSystem {
public:
    InstallerResult runServiceInstaller(bool install) override
    {
        installs.push_back(install);
        return {outcome, exitCode};
    }
    bool writeRunValue(const std::string& text) override
    {
        runValues.push_back(text);
        return true;
    }
    std::string programPath() override { return "C:\\Orvane\\orvgui.exe"; }

    Outcome outcome = Outcome::Ran;
    DWORD exitCode = 0;
    std::vector<bool> installs;
    std::vector<std::string> runValues;
};

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        g_help.clear();
        ContextHelpMap::setEngine(&kRecordingEngine);
        folder = orvtest::makeScratchFolder(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "\\";
        profile.reset(new ProfileStore(folder + "profile.cfg"));
    }
    void TearDown() override
    {
        ContextHelpMap::setEngine(nullptr);
        g_PaintManager.InstallPaintManager(new CExtPaintManager);
        profile.reset();
    }
    // The profile as the file holds it now.
    std::string Stored(int position)
    {
        ProfileStore stored(folder + "profile.cfg");
        return stored.getString(position);
    }
    // Presses a button whose click opens a modal window (a message box, a sheet): queued, so
    // the step does not wait inside the new modal loop.
    static orvtest::Script::Step Queue(HWND* dialog, int id)
    {
        return [dialog, id] {
            HWND button = ::GetDlgItem(*dialog, id);
            return button != NULL && orvtest::queueClick(orvtest::centreOf(button), button);
        };
    }
    static orvtest::Script::Step Shown(CWnd& dlg, HWND* box)
    {
        return [&dlg, box] { return (*box = dlg.m_hWnd) != NULL && ::IsWindowVisible(*box); };
    }
    static orvtest::Script::Step PressF1()
    {
        auto pressed = std::make_shared<bool>(false);
        return [pressed] {
            if (!*pressed) {
                orvtest::pressKey(VK_F1);
                *pressed = true;
            }
            return !g_help.empty();
        };
    }
    static void Pictures(HWND box, const std::string& name)
    {
        for (const Look& look : kLooks) {
            g_PaintManager.InstallPaintManager(look.make());
            PictureOf(box, name + "_" + look.name);
        }
        g_PaintManager.InstallPaintManager(new CExtPaintManager);
    }

    std::string folder;
    std::unique_ptr<ProfileStore> profile;
};

// ---- preferences ----

TEST_F(ProgramTest, PreferencesRunTheServiceProgramOncePerChangeAndWriteTheStartEntryOnEveryOk)
{
    RecordingSystem system;
    for (int position : {ProfileStartWithWindows, ProfileStartHidden, ProfileMinimizeToTray, ProfileRunAsService})
        profile->setInt(position, 0);
    const struct {
        const char* name;
        std::vector<int> toggles;   // boxes clicked before OK
        std::vector<bool> installs; // service program runs (true: install)
        const char* runValue;
        const char* stored;         // positions 4, 5, 6, 7 in the saved file
    } rounds[] = {
        {"service on", {CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE}, {true}, "", "0001"},
        {"no change", {}, {}, "", "0001"},
        {"start with windows, hidden, tray",
         {CGeneralPreferencesDlg::IDC_START_WITH_WINDOWS, CGeneralPreferencesDlg::IDC_START_HIDDEN,
          CGeneralPreferencesDlg::IDC_MINIMIZE_TO_TRAY},
         {},
         "C:\\Orvane\\orvgui.exe",
         "1111"},
        {"service off, start entry off",
         {CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE, CGeneralPreferencesDlg::IDC_START_WITH_WINDOWS},
         {false},
         "",
         "0110"},
        {"service on and off again", {CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE, CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE}, {}, "", "0110"},
    };
    bool pictured = false;
    for (const auto& round : rounds) {
        SCOPED_TRACE(round.name);
        system.installs.clear();
        system.runValues.clear();
        CGeneralPreferencesDlg dlg(*profile, system);
        HWND box = NULL;
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {{"shown", Shown(dlg, &box)}};
        for (int id : round.toggles)
            steps.push_back({"toggle", [&box, id] { return Toggle(box, id); }});
        if (!pictured) {
            steps.push_back({"F1", PressF1()});
            steps.push_back({"pictures", [&box] {
                                 Pictures(box, "preferences");
                                 return true;
                             }});
            pictured = true;
        }
        steps.push_back({"OK", [&box] { return ClickItem(box, IDOK); }});
        orvtest::Script script(steps);
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_TRUE(script.boxes.texts.empty());
        EXPECT_EQ(round.installs, system.installs);
        EXPECT_EQ(std::vector<std::string>{round.runValue}, system.runValues);
        EXPECT_EQ(round.stored, Stored(ProfileStartWithWindows) + Stored(ProfileStartHidden) +
                                    Stored(ProfileMinimizeToTray) + Stored(ProfileRunAsService));
    }
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 24}}), g_help);
}

TEST_F(ProgramTest, AFailingServiceProgramKeepsTheOldChoiceAndTellsTheUser)
{
    const struct {
        const char* name;
        bool wasOn;
        PreferencesSystem::Outcome outcome;
        DWORD exitCode;
        const char* message;
    } cases[] = {
        {"install ends with 3", false, PreferencesSystem::Outcome::Ran, 3,
         "The monitoring service could not be installed (orvservice.exe ended with code 3). The setting was not changed."},
        {"install not started", false, PreferencesSystem::Outcome::NotStarted, 0,
         "The monitoring service could not be installed: orvservice.exe could not be started. The setting was not "
         "changed."},
        {"removal times out", true, PreferencesSystem::Outcome::TimedOut, 0,
         "The monitoring service could not be removed: orvservice.exe did not finish in time. The setting was not "
         "changed."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        profile->setInt(ProfileRunAsService, c.wasOn);
        profile->setInt(ProfileMinimizeToTray, 0);
        RecordingSystem system;
        system.outcome = c.outcome;
        system.exitCode = c.exitCode;
        CGeneralPreferencesDlg dlg(*profile, system);
        HWND box = NULL;
        orvtest::Script script({
            {"shown", Shown(dlg, &box)},
            {"service box", [&] { return Toggle(box, CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE); }},
            {"tray box", [&] { return Toggle(box, CGeneralPreferencesDlg::IDC_MINIMIZE_TO_TRAY); }},
            {"OK", Queue(&box, IDOK)},
            {"told", [&] { return !script.boxes.texts.empty(); }},
        });
        EXPECT_EQ(IDOK, dlg.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(std::vector<std::string>{c.message}, script.boxes.texts);
        EXPECT_EQ(std::vector<bool>{!c.wasOn}, system.installs);
        // the old service choice is stored, the other change is kept
        EXPECT_EQ(c.wasOn ? "1" : "0", Stored(ProfileRunAsService));
        EXPECT_EQ("1", Stored(ProfileMinimizeToTray));
    }
}

TEST_F(ProgramTest, PreferencesCancelLeavesTheProfileAndRunsNothing)
{
    RecordingSystem system;
    CGeneralPreferencesDlg dlg(*profile, system);
    HWND box = NULL;
    orvtest::Script script({
        {"shown", Shown(dlg, &box)},
        {"service box", [&] { return Toggle(box, CGeneralPreferencesDlg::IDC_RUN_AS_SERVICE); }},
        {"cancel", [&] { return ClickItem(box, IDCANCEL); }},
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_TRUE(system.installs.empty());
    EXPECT_TRUE(system.runValues.empty());
    EXPECT_EQ(0, profile->getInt(ProfileRunAsService));
}

// ---- internet options ----

TEST_F(ProgramTest, InternetOptionsEnableTheFieldsWithTheBoxRefuseABadPortAndReachTheWorkers)
{
    typedef CInternetOptionsDlg D;
    WorkerManager* workers = WorkerManager::instance();
    workers->setProxy(false, "", "", "");
    CInternetOptionsDlg dlg(*profile, *workers);
    HWND box = NULL;
    const int fields[] = {D::IDC_USER,       D::IDC_ADDRESS,       D::IDC_PORT,       D::IDC_PASSWORD,
                          D::IDC_USER_LABEL, D::IDC_ADDRESS_LABEL, D::IDC_PORT_LABEL, D::IDC_PASSWORD_LABEL};
    auto fieldsEnabled = [&](bool enabled) {
        return [&, enabled] {
            for (int id : fields)
                EXPECT_EQ(enabled, Enabled(box, id)) << id;
            return true;
        };
    };
    auto type = [&](int id, const char* text) {
        return [&, id, text] { return FocusEdit(box, id, true) && TypeInto(::GetDlgItem(box, id), text, text); };
    };
    orvtest::Script script({
        {"shown", Shown(dlg, &box)},
        {"greyed at first", fieldsEnabled(false)},
        {"use a proxy", [&] { return Toggle(box, D::IDC_USE_PROXY); }},
        {"enabled", fieldsEnabled(true)},
        {"address", type(D::IDC_ADDRESS, "proxy.example")},
        {"port", type(D::IDC_PORT, "70000")},
        {"user", type(D::IDC_USER, "me")},
        {"password", type(D::IDC_PASSWORD, "pw")},
        {"F1", PressF1()},
        {"pictures", [&] {
             Pictures(box, "internet_options");
             return true;
         }},
        {"OK with port 70000", Queue(&box, IDOK)},
        {"refused", [&] { return !script.boxes.texts.empty(); }},
        {"still open, nothing stored", [&] {
             EXPECT_TRUE(::IsWindowVisible(box));
             EXPECT_EQ(0, profile->getInt(ProfileUseProxy));
             return true;
         }},
        {"port 0 with a proxy", type(D::IDC_PORT, "0")},
        {"OK with port 0", Queue(&box, IDOK)},
        {"refused again", [&] { return script.boxes.texts.size() == 2; }},
        {"port 30000", type(D::IDC_PORT, "30000")},
        {"unuse the proxy", [&] { return Toggle(box, D::IDC_USE_PROXY); }},
        {"greyed again", fieldsEnabled(false)},
        {"use it again", [&] { return Toggle(box, D::IDC_USE_PROXY); }},
        {"OK", [&] { return ClickItem(box, IDOK); }},
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((std::vector<std::string>{"Please enter a port from 1 to 65535.", "Please enter a port from 1 to 65535."}),
              script.boxes.texts);
    EXPECT_EQ(1, profile->getInt(ProfileUseProxy));
    EXPECT_EQ("proxy.example", profile->getString(ProfileProxyAddress));
    EXPECT_EQ(30000, profile->getInt(ProfileProxyPort));
    EXPECT_EQ("me", profile->getString(ProfileProxyUser));
    EXPECT_EQ("pw", profile->getString(ProfileProxyPassword));
    bool use = false;
    std::string proxy, user, password;
    workers->getProxy(use, proxy, user, password);
    EXPECT_TRUE(use);
    EXPECT_EQ("proxy.example:30000", proxy);
    EXPECT_EQ("me", user);
    EXPECT_EQ("pw", password);
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 25}}), g_help);
    workers->setProxy(false, "", "", "");
}

TEST_F(ProgramTest, InternetOptionsKeepTheTextsOfAnUnusedProxyAndCancelChangesNothing)
{
    typedef CInternetOptionsDlg D;
    profile->setString(ProfileProxyAddress, "old.example");
    profile->setInt(ProfileProxyPort, 8080);
    for (int ending : {IDOK, IDCANCEL}) {
        SCOPED_TRACE(ending == IDOK ? "OK" : "Cancel");
        WorkerManager::instance()->setProxy(true, "before:1", "", "");
        CInternetOptionsDlg dlg(*profile, *WorkerManager::instance());
        HWND box = NULL;
        orvtest::Script script({
            {"shown", Shown(dlg, &box)},
            {"filled", [&] { return TextOf(::GetDlgItem(box, D::IDC_ADDRESS)) == "old.example" &&
                                    TextOf(::GetDlgItem(box, D::IDC_PORT)) == "8080"; }},
            {"use a proxy", [&] { return Toggle(box, D::IDC_USE_PROXY); }},
            {"not after all", [&] { return Toggle(box, D::IDC_USE_PROXY); }},
            {"ending", [&] { return ClickItem(box, ending); }},
        });
        EXPECT_EQ(ending, dlg.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ("old.example", profile->getString(ProfileProxyAddress));
        EXPECT_EQ(8080, profile->getInt(ProfileProxyPort));
        bool use = true;
        std::string proxy, user, password;
        WorkerManager::instance()->getProxy(use, proxy, user, password);
        // OK hands the unused proxy over; Cancel leaves the workers as they were
        EXPECT_EQ(ending == IDCANCEL, use);
    }
    WorkerManager::instance()->setProxy(false, "", "", "");
}

// ---- the report manager ----

std::string SelectedText(HWND list)
{
    const int sel = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
    if (sel < 0)
        return std::string();
    char text[256] = "";
    ::SendMessageA(list, LB_GETTEXT, sel, reinterpret_cast<LPARAM>(text));
    return text;
}

// Clicks the entry showing exactly the text, with real input.
bool ClickEntry(HWND list, const std::string& text)
{
    const std::vector<std::string> texts = ListTexts(list);
    int index = -1;
    for (size_t i = 0; i < texts.size(); ++i)
        if (texts[i] == text)
            index = static_cast<int>(i);
    if (index < 0)
        return false;
    RECT item = {};
    ::SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    static int nudge = 0;
    POINT p = orvtest::screenPoint(list, POINT{(item.left + item.right) / 2 + (nudge++ % 3) * 4 - 4, (item.top + item.bottom) / 2});
    return orvtest::click(p, list) && orvtest::pumpUntil([&] { return SelectedText(list) == text; }, kWaitMs);
}

// Types with real keys, the brackets included.
void TypeKeys(const std::string& text)
{
    for (char c : text) {
        if (c == '(')
            orvtest::pressKey('9', orvtest::kShift);
        else if (c == ')')
            orvtest::pressKey('0', orvtest::kShift);
        else
            PressChar(c);
    }
}

std::vector<std::string> g_opened;
INT_PTR g_openAnswer = 42;
INT_PTR RecordOpen(HWND, const char* path)
{
    g_opened.push_back(path);
    return g_openAnswer;
}

class ReportManagerTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        reports.setDataFolder(folder);
        g_opened.clear();
        g_openAnswer = 42;
        ReportViewer::setOpenFunction(&RecordOpen);
    }
    void TearDown() override
    {
        ReportViewer::setOpenFunction(nullptr);
        ProgramTest::TearDown();
    }
    HWND list() { return ::GetDlgItem(box, CReportManagerDlg::IDC_LIST); }
    orvtest::Script::Step pick(const std::string& text)
    {
        return [this, text] { return ClickEntry(list(), text); };
    }
    orvtest::Script::Step expectList(std::vector<std::string> texts)
    {
        return [this, texts] {
            EXPECT_EQ(texts, ListTexts(list()));
            return true;
        };
    }
    // Which of View, Edit, Delete and "Set as default" are enabled, as "VEDS" with '-' for off.
    std::string buttons()
    {
        std::string state;
        const char letters[] = "VEDS";
        const int ids[] = {CReportManagerDlg::IDC_VIEW, CReportManagerDlg::IDC_EDIT, CReportManagerDlg::IDC_DELETE,
                           CReportManagerDlg::IDC_SET_DEFAULT};
        for (int i = 0; i < 4; ++i)
            state += Enabled(box, ids[i]) ? letters[i] : '-';
        return state;
    }
    orvtest::Script::Step expectButtons(const std::string& state)
    {
        return [this, state] {
            EXPECT_EQ(state, buttons());
            return true;
        };
    }
    std::string defaultName()
    {
        const Report* def = reports.getDefaultReport();
        return def != nullptr ? def->name : "(none)";
    }
    // The report sheet with that title, once it is shown, and its current page.
    HWND sheet(const char* title) { return ::FindWindowA(NULL, title); }
    static HWND page(HWND sheetWnd) { return reinterpret_cast<HWND>(::SendMessageA(sheetWnd, PSM_GETCURRENTPAGEHWND, 0, 0)); }
    orvtest::Script::Step sheetShown(const char* title)
    {
        return [this, title] {
            HWND s = sheet(title);
            return s != NULL && ::IsWindowVisible(s) && page(s) != NULL && ::GetForegroundWindow() == s;
        };
    }
    // Replaces the text of an edit of the sheet's current page by typing.
    orvtest::Script::Step typeInPage(const char* title, int id, std::string text)
    {
        return [this, title, id, text] {
            HWND p = page(sheet(title));
            if (!FocusEdit(p, id, true))
                return false;
            TypeKeys(text);
            return orvtest::pumpUntil([&] { return TextOf(::GetDlgItem(p, id)) == text; }, kWaitMs);
        };
    }

    // Clicks the sheet's tab of the page holding the control until that page shows.
    orvtest::Script::Step pageWith(const char* title, int index, int id)
    {
        return [this, title, index, id] {
            HWND s = sheet(title);
            HWND tabs = reinterpret_cast<HWND>(::SendMessageA(s, PSM_GETTABCONTROL, 0, 0));
            RECT tab = {};
            if (tabs == NULL || !::SendMessageA(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&tab)))
                return false;
            const POINT p = orvtest::screenPoint(tabs, POINT{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
            return orvtest::click(p, tabs) &&
                   orvtest::pumpUntil([&] { return ::GetDlgItem(page(s), id) != NULL; }, kWaitMs);
        };
    }
    orvtest::Script::Step expectColumns(const char* title, std::vector<std::string> act, std::vector<std::string> avail)
    {
        return [this, title, act, avail] {
            HWND p = page(sheet(title));
            EXPECT_EQ(act, ListTexts(::GetDlgItem(p, CReportColumnsPage::IDC_ACTIVE)));
            EXPECT_EQ(avail, ListTexts(::GetDlgItem(p, CReportColumnsPage::IDC_AVAILABLE)));
            return true;
        };
    }
    orvtest::Script::Step pickColumn(const char* title, int list, const char* caption)
    {
        return [this, title, list, caption] { return ClickEntry(::GetDlgItem(page(sheet(title)), list), caption); };
    }
    orvtest::Script::Step pressInPage(const char* title, int id)
    {
        return [this, title, id] { return ClickItem(page(sheet(title)), id); };
    }

    ReportManager reports;
    HWND box = NULL;
};

TEST_F(ReportManagerTest, TheDefaultMarkMovesWithSetAsDefaultAndDeleteAndButtonsNeedASelection)
{
    CReportManagerDlg dlg(nullptr, reports);
    orvtest::Script script({
        {"shown", Shown(dlg, &box)},
        {"listed", expectList({"Downtime report(Default)", "Failure report", "Sucess report", "Summary report"})},
        {"nothing selected", expectButtons("----")},
        {"pick Failure report", pick("Failure report")},
        // no item: nothing to view
        {"buttons", expectButtons("-EDS")},
        {"F1", PressF1()},
        {"set as default", [&] { return ClickItem(box, CReportManagerDlg::IDC_SET_DEFAULT); }},
        {"mark moved", expectList({"Downtime report", "Failure report(Default)", "Sucess report", "Summary report"})},
        {"the new default is selected", [&] {
             EXPECT_EQ("Failure report(Default)", SelectedText(list()));
             EXPECT_EQ("-ED-", buttons());
             EXPECT_EQ("Failure report", defaultName());
             return true;
         }},
        {"pictures", [&] {
             Pictures(box, "report_manager");
             return true;
         }},
        {"pick Sucess report", pick("Sucess report")},
        {"delete, no", Queue(&box, CReportManagerDlg::IDC_DELETE)},
        {"asked", [&] { return script.boxes.texts.size() == 1; }},
        {"kept", expectList({"Downtime report", "Failure report(Default)", "Sucess report", "Summary report"})},
        {"pick the default", pick("Failure report(Default)")},
        {"delete the default", Queue(&box, CReportManagerDlg::IDC_DELETE)},
        {"asked again", [&] { return script.boxes.texts.size() == 2; }},
        // the definition that took over is marked
        {"deleted", expectList({"Downtime report(Default)", "Sucess report", "Summary report"})},
        {"nothing selected after delete", expectButtons("----")},
        {"pick Summary report", pick("Summary report")},
        {"delete Summary report", Queue(&box, CReportManagerDlg::IDC_DELETE)},
        {"asked a third time", [&] { return script.boxes.texts.size() == 3; }},
        {"pick Sucess report", pick("Sucess report")},
        {"delete Sucess report", Queue(&box, CReportManagerDlg::IDC_DELETE)},
        {"asked a fourth time", [&] { return script.boxes.texts.size() == 4; }},
        {"one left", expectList({"Downtime report(Default)"})},
        {"pick the only one", pick("Downtime report(Default)")},
        {"delete the only one", Queue(&box, CReportManagerDlg::IDC_DELETE)},
        {"asked a last time", [&] { return script.boxes.texts.size() == 5; }},
        {"empty", expectList({})},
        {"no buttons", expectButtons("----")},
        {"close", [&] { return ClickItem(box, IDOK); }},
    });
    script.boxes.answers = {IDNO, IDYES, IDYES, IDYES, IDYES};
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((std::vector<std::string>{"Are you sure you want to delete Sucess report",
                                        "Are you sure you want to delete Failure report(Default)",
                                        "Are you sure you want to delete Summary report",
                                        "Are you sure you want to delete Sucess report",
                                        "Are you sure you want to delete Downtime report(Default)"}),
              script.boxes.texts);
    EXPECT_EQ(0u, reports.size());
    EXPECT_EQ("(none)", defaultName());
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 34}}), g_help);
    // Close stored the definitions
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + "reports.cfg").c_str()));
}

TEST_F(ReportManagerTest, NewRefusesNamesWithTheMarkOrOfAnotherReportAndCreatesTheDefinition)
{
    typedef CReportGeneralPage G;
    const char* title = CReportManagerDlg::kNewTitle;
    const std::string file = folder + "weekly.xml";
    CReportManagerDlg dlg(nullptr, reports);
    HWND sheetWnd = NULL;
    orvtest::Script* running = nullptr;
    auto told = [&](size_t count) { return [&, count] { return running->boxes.texts.size() == count; }; };
    auto pressOk = [&] {
        HWND ok = ::GetDlgItem(sheetWnd, IDOK);
        return orvtest::queueClick(orvtest::centreOf(ok), ok);
    };
    orvtest::Script script({
        {"shown", Shown(dlg, &box)},
        {"new", Queue(&box, CReportManagerDlg::IDC_NEW)},
        {"sheet", [&] { return sheetShown(title)() && (sheetWnd = sheet(title)) != NULL; }},
        {"general page defaults", [&] {
             HWND p = page(sheetWnd);
             EXPECT_TRUE(Checked(p, G::IDC_HTML));
             EXPECT_EQ("", TextOf(::GetDlgItem(p, G::IDC_NAME)));
             return true;
         }},
        {"pictures", [&] {
             Pictures(sheetWnd, "report_general");
             return true;
         }},
        {"OK without a name", pressOk},
        {"no name", told(1)},
        {"a name with the mark", typeInPage(title, G::IDC_NAME, "Weekly(Default)")},
        {"OK", pressOk},
        {"the mark", told(2)},
        {"another report's name", typeInPage(title, G::IDC_NAME, "Failure report")},
        {"OK again", pressOk},
        {"taken", told(3)},
        {"a good name", typeInPage(title, G::IDC_NAME, "Weekly")},
        {"OK without a file", pressOk},
        {"no file", told(4)},
        {"the file", typeInPage(title, G::IDC_FILE, file)},
        {"Xml", [&] { return ClickItem(page(sheetWnd), G::IDC_XML); }},
        {"details page", pageWith(title, 1, CReportDetailedOptions::IDC_USE_RANGE)},
        {"details", [&] {
             HWND p = page(sheetWnd);
             EXPECT_TRUE(Checked(p, CReportDetailedOptions::IDC_FAILURES));
             EXPECT_TRUE(Checked(p, CReportDetailedOptions::IDC_SUCCESSES));
             EXPECT_FALSE(Enabled(p, CReportDetailedOptions::IDC_START));
             return true;
         }},
        {"no failures", [&] { return Toggle(page(sheetWnd), CReportDetailedOptions::IDC_FAILURES); }},
        {"use a range", [&] { return Toggle(page(sheetWnd), CReportDetailedOptions::IDC_USE_RANGE); }},
        {"pickers enabled", [&] {
             EXPECT_TRUE(Enabled(page(sheetWnd), CReportDetailedOptions::IDC_START));
             EXPECT_TRUE(Enabled(page(sheetWnd), CReportDetailedOptions::IDC_END));
             Pictures(sheetWnd, "report_details");
             return true;
         }},
        {"columns page", pageWith(title, 2, CReportColumnsPage::IDC_ACTIVE)},
        {"the usual columns", expectColumns(title, {"Line", "Date", "Response Time", "Last response text"},
                                            {"Http status code", "Http status code(descriptive)", "Monitor Type",
                                             "View saved web page"})},
        {"no reset, no second OK", [&] {
             HWND p = page(sheetWnd);
             EXPECT_EQ(NULL, ::GetDlgItem(p, CReportColumnsPage::IDC_RESET));
             EXPECT_EQ(NULL, ::GetDlgItem(p, IDOK));
             EXPECT_FALSE(Enabled(p, CReportColumnsPage::IDC_ADD));
             return true;
         }},
        {"pick Monitor Type", pickColumn(title, CReportColumnsPage::IDC_AVAILABLE, "Monitor Type")},
        {"add", pressInPage(title, CReportColumnsPage::IDC_ADD)},
        {"pick Line", pickColumn(title, CReportColumnsPage::IDC_ACTIVE, "Line")},
        {"remove", pressInPage(title, CReportColumnsPage::IDC_REMOVE)},
        {"moved", expectColumns(title, {"Date", "Response Time", "Last response text", "Monitor Type"},
                                {"Http status code", "Http status code(descriptive)", "Line", "View saved web page"})},
        {"pick Date", pickColumn(title, CReportColumnsPage::IDC_ACTIVE, "Date")},
        {"F1 in the columns", [&] {
             g_help.clear();
             return true;
         }},
        {"F1", PressF1()},
        {"columns pictures", [&] {
             Pictures(sheetWnd, "report_columns");
             return true;
         }},
        {"OK at last", [&] { return ClickItem(sheetWnd, IDOK); }},
        {"listed", [&] { return SelectedText(list()) == "Weekly"; }},
        {"close", [&] { return ClickItem(box, IDOK); }},
    });
    running = &script;
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((std::vector<std::string>{CReportGeneralPage::kNoName, "A report name cannot contain \"(Default)\"",
                                        "A report named \"Failure report\" already exists", CReportGeneralPage::kNoFile}),
              script.boxes.texts);
    Report weekly;
    ASSERT_TRUE(reports.copyReport("Weekly", weekly));
    EXPECT_EQ(file, weekly.outputPath);
    EXPECT_EQ(int(OutputXml), weekly.outputType);
    EXPECT_FALSE(weekly.failures);
    EXPECT_TRUE(weekly.successes);
    EXPECT_TRUE(weekly.useRange);
    EXPECT_LT(weekly.start, weekly.end);
    EXPECT_EQ((std::vector<int>{ColumnDate, ColumnResponseTime, ColumnLastResponseText, ColumnMonitorType}), weekly.columns);
    EXPECT_EQ("Downtime report", defaultName());
    // the columns page has the chooser's topic as a page of the report sheet
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, ContextHelpMap::contextOf(214)}}), g_help);
}

TEST_F(ReportManagerTest, BrowseProposesMyReportInTheReportsFolderWithTheCheckedTypesExtension)
{
    typedef CReportGeneralPage G;
    const char* title = CReportManagerDlg::kNewTitle;
    CReportManagerDlg dlg(nullptr, reports);
    HWND sheetWnd = NULL;
    // The script closes the file dialog as it closes message boxes, with OK: the file taken is
    // the one the dialog proposed.
    const struct {
        int radio;
        const char* file;
    } cases[] = {{G::IDC_DELIMITED, "MyReport.csv"}, {G::IDC_XML, "MyReport.xml"}, {G::IDC_HTML, "MyReport.html"}};
    std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
        {"shown", Shown(dlg, &box)},
        {"new", Queue(&box, CReportManagerDlg::IDC_NEW)},
        {"sheet", [&] { return sheetShown(title)() && (sheetWnd = sheet(title)) != NULL; }},
    };
    for (const auto& c : cases) {
        steps.push_back({"type", [&, c] { return ClickItem(page(sheetWnd), c.radio); }});
        steps.push_back({"browse", [&] {
                             HWND p = page(sheetWnd);
                             ::SetWindowTextA(::GetDlgItem(p, G::IDC_FILE), "");
                             HWND button = ::GetDlgItem(p, G::IDC_BROWSE);
                             return orvtest::queueClick(orvtest::centreOf(button), button);
                         }});
        steps.push_back({"chosen", [&, c] {
                             const std::string chosen = TextOf(::GetDlgItem(page(sheetWnd), G::IDC_FILE));
                             if (chosen.empty())
                                 return false;
                             EXPECT_EQ(folder + "Reports\\" + c.file, chosen);
                             return true;
                         }});
    }
    steps.push_back({"cancel", [&] { return ClickItem(sheetWnd, IDCANCEL); }});
    steps.push_back({"close", [&] { return ClickItem(box, IDOK); }});
    orvtest::Script script(steps);
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ(3u, script.boxes.texts.size());
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA((folder + "Reports").c_str()));
    // Cancel made nothing
    EXPECT_EQ(4u, reports.size());
}

TEST_F(ReportManagerTest, EditRenamesTheDefaultInPlaceAndViewOpensTheReportOfTheItem)
{
    typedef CReportGeneralPage G;
    const char* title = CReportManagerDlg::kEditTitle;
    MonitorItemSettings* item = MonitorItemManager::instance()->createTemporaryItem("report item");
    MonitorItemWrapper wrapper(item);
    reports.editReport("Downtime report", [&](Report& r) {
        r.outputPath = folder + "downtime.html";
        r.columns = {ColumnSavedPage, ColumnDate, ColumnDowntime};
    });
    CReportManagerDlg dlg(&wrapper, reports);
    HWND sheetWnd = NULL;
    orvtest::Script script({
        {"shown", Shown(dlg, &box)},
        {"pick the default", pick("Downtime report(Default)")},
        {"an item: View too", expectButtons("VED-")},
        {"edit", Queue(&box, CReportManagerDlg::IDC_EDIT)},
        {"sheet", [&] { return sheetShown(title)() && (sheetWnd = sheet(title)) != NULL; }},
        {"filled", [&] {
             HWND p = page(sheetWnd);
             EXPECT_EQ("Downtime report", TextOf(::GetDlgItem(p, G::IDC_NAME)));
             EXPECT_EQ(folder + "downtime.html", TextOf(::GetDlgItem(p, G::IDC_FILE)));
             return true;
         }},
        {"rename", typeInPage(title, G::IDC_NAME, "Weekly")},
        {"columns page", pageWith(title, 2, CReportColumnsPage::IDC_ACTIVE)},
        // columns never offered stay active where the definition has them
        {"its columns", expectColumns(title, {"View saved web page", "Date", "Downtime"},
                                      {"Http status code", "Http status code(descriptive)", "Last response text",
                                       "Line", "Monitor Type", "Response Time"})},
        {"pick Date", pickColumn(title, CReportColumnsPage::IDC_ACTIVE, "Date")},
        {"up", pressInPage(title, CReportColumnsPage::IDC_UP)},
        {"up on the first", pressInPage(title, CReportColumnsPage::IDC_UP)},
        {"pick Downtime", pickColumn(title, CReportColumnsPage::IDC_ACTIVE, "Downtime")},
        {"down on the last", pressInPage(title, CReportColumnsPage::IDC_DOWN)},
        {"moved up", expectColumns(title, {"Date", "View saved web page", "Downtime"},
                                   {"Http status code", "Http status code(descriptive)", "Last response text", "Line",
                                    "Monitor Type", "Response Time"})},
        {"OK", [&] { return ClickItem(sheetWnd, IDOK); }},
        {"renamed and selected", [&] { return SelectedText(list()) == "Weekly(Default)"; }},
        {"listed", expectList({"Failure report", "Sucess report", "Summary report", "Weekly(Default)"})},
        {"view", [&] { return ClickItem(box, CReportManagerDlg::IDC_VIEW); }},
        {"opened", [&] { return !g_opened.empty(); }},
        {"close", [&] { return ClickItem(box, IDOK); }},
    });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_TRUE(script.boxes.texts.empty()) << script.boxes.texts.front();
    EXPECT_EQ("Weekly", defaultName());
    EXPECT_EQ(nullptr, reports.getReport("Downtime report"));
    EXPECT_EQ(4u, reports.size());
    Report weekly;
    ASSERT_TRUE(reports.copyReport("Weekly", weekly));
    EXPECT_EQ((std::vector<int>{ColumnDate, ColumnSavedPage, ColumnDowntime}), weekly.columns);
    EXPECT_EQ(std::vector<std::string>{folder + "downtime.html"}, g_opened);
    EXPECT_NE("", orvtest::readFile(folder + "downtime.html"));
    MonitorItemManager::instance()->deleteTemporaryItem(item);
}

TEST_F(ReportManagerTest, TheViewerTellsWhyAReportIsNotShown)
{
    MonitorItemSettings* item = MonitorItemManager::instance()->createTemporaryItem("viewer item");
    ReportManager empty;
    std::vector<std::string> names;
    for (ReportManager::Iterator it = empty.beginReports(); it != empty.endReports(); ++it)
        names.push_back(it->first);
    for (const std::string& name : names)
        empty.deleteReport(name);
    const std::string written = folder + "default.html";
    const std::string unwritable = folder + "missing\\default.html";
    reports.editReport("Downtime report", [&](Report& r) { r.outputPath = written; });
    const struct {
        const char* name;
        ReportManager* manager;
        bool withItem;
        INT_PTR openAnswer;
        std::string outputPath;
        bool shown;
        std::vector<std::string> messages;
        size_t opened;
    } cases[] = {
        {"shown", &reports, true, 42, written, true, {}, 1},
        {"no definitions", &empty, true, 42, written, false, {ReportViewer::kNoReports}, 0},
        {"no item", &reports, false, 42, written, false, {ReportViewer::kNoItem}, 0},
        {"no association", &reports, true, SE_ERR_NOASSOC, written, false,
         {"No association defined for " + written + ". Please define one or view the file manually."}, 1},
        // other failures of the shell are logged only
        {"file not found", &reports, true, SE_ERR_FNF, written, false, {}, 1},
        {"not written", &reports, true, 42, unwritable, false, {ReportViewer::kNotWritten + unwritable}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_opened.clear();
        g_openAnswer = c.openAnswer;
        reports.editReport("Downtime report", [&](Report& r) { r.outputPath = c.outputPath; });
        bool shown = !c.shown;
        orvtest::Script script({
            {"run the default report", [&] {
                 shown = ReportViewer::viewDefault(NULL, *c.manager, c.withItem ? item : nullptr);
                 return true;
             }},
        });
        EXPECT_TRUE(script.run()) << script.failure;
        EXPECT_EQ(c.shown, shown);
        EXPECT_EQ(c.messages, script.boxes.texts);
        EXPECT_EQ(c.opened, g_opened.size());
    }
    EXPECT_NE("", orvtest::readFile(written));
    MonitorItemManager::instance()->deleteTemporaryItem(item);
}

// ---- the look ----

TEST_F(ProgramTest, EachStoredLookGivesItsPainter)
{
    const struct {
        int stored;
        const std::type_info& painter;
    } cases[] = {
        {0, typeid(CExtPaintManagerOffice2003)}, {1, typeid(CExtPaintManager)},
        {2, typeid(CExtPaintManagerXP)},         {3, typeid(CExtPaintManagerStudio2005)},
        {7, typeid(CExtPaintManagerXP)},         {-1, typeid(CExtPaintManagerXP)},
    };
    for (const auto& c : cases) {
        CExtPaintManager* painter = ThemeChoice::painterFor(c.stored);
        ASSERT_NE(nullptr, painter);
        EXPECT_EQ(std::string(c.painter.name()), typeid(*painter).name()) << c.stored;
        // the holder takes it and frees the one it replaces
        g_PaintManager.InstallPaintManager(painter);
    }
}

}  // namespace
