// The new-item wizard under Xvfb, driven by real input, inside a network namespace of the test's
// own where the HTTP fixture answers as the watched site: every page in turn, its refusals with
// their messages (the page stays), Back along the same alarm chain, the unit and protocol chosen
// by keys and clicks, and Finish creating the item with its records, the protocol's settings
// dialog (Snapshot of the fixture page) and the recipients; the item made from the pages' values;
// pictures of every page per look.
#include "orv/gtest.h"

#include <memory>
#include <string>
#include <vector>

#include "CAlarmActionVisualPage.h"
#include "CFtpSettingsDlg.h"
#include "CPageSettingsDlg.h"
#include "CPop3SettingsDlg.h"
#include "CSmtpSettingsDlg.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "NewItemWizard.h"
#include "orv/FixtureServer.h"
#include "WindowTestSupport.h"

using namespace wintest;

namespace {

CWinApp& App()
{
    return orvtest::uiApp("orvgui alarm and wizard test");
}

const DWORD kWaitMs = 20000;
const int kBack = ID_WIZBACK, kNext = ID_WIZNEXT, kFinish = ID_WIZFINISH;

// The item store on a scratch folder of its own, loaded once for the whole program.
MonitorItemManager& Store()
{
    static bool loaded = false;
    if (!loaded) {
        MonitorItemManager::instance()->load(orvtest::makeScratchFolder("wizard-items"));
        loaded = true;
    }
    return *MonitorItemManager::instance();
}

bool VisibleAndEnabled(HWND sheet, int id)
{
    HWND button = ::GetDlgItem(sheet, id);
    return button != NULL && ::IsWindowVisible(button) && ::IsWindowEnabled(button);
}

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        Store();
        wrappers.reset(new MonitorItemWrapperManager);
    }
    void TearDown() override
    {
        g_PaintManager.InstallPaintManager(new CExtPaintManager);
        orvtest::pumpWaiting();
    }
    std::unique_ptr<MonitorItemWrapperManager> wrappers;
};

// Steps of a wizard run: pressing a sheet button once and waiting for what follows.
struct Driver {
    NewItemWizard& wizard;
    orvtest::Script* script = nullptr;

    HWND sheet() const { return wizard.sheet.m_hWnd; }
    HWND page() const
    {
        CPropertyPage* active = wizard.sheet.m_hWnd != NULL ? wizard.sheet.GetActivePage() : nullptr;
        return active != nullptr ? active->m_hWnd : NULL;
    }
    bool on(CWizardPage& page) const
    {
        return sheet() != NULL && wizard.sheet.GetActivePage() == &page && ::IsWindowVisible(page.m_hWnd) &&
               ::GetForegroundWindow() == sheet();
    }
    // Presses a wizard button once; done when that page is shown.
    orvtest::Script::Step press(int button, CWizardPage& then)
    {
        auto pressed = std::make_shared<bool>(false);
        return [this, button, &then, pressed] {
            if (!*pressed)
                *pressed = VisibleAndEnabled(sheet(), button) && ClickItem(sheet(), button);
            return *pressed && on(then);
        };
    }
    // Presses Next once; done when the message came and the page is still shown. The click is
    // queued: its message box runs its loop after the step has ended.
    orvtest::Script::Step refused(CWizardPage& stays)
    {
        auto pressed = std::make_shared<bool>(false);
        auto count = std::make_shared<size_t>(0);
        return [this, &stays, pressed, count] {
            if (!*pressed) {
                *count = script->boxes.texts.size();
                *pressed = VisibleAndEnabled(sheet(), kNext) && QueueClickItem(sheet(), kNext);
            }
            return *pressed && script->boxes.texts.size() > *count && on(stays);
        };
    }
    // Replaces an edit's text of the shown page by typing.
    orvtest::Script::Step type(int id, const char* text)
    {
        return [this, id, text] {
            return FocusEdit(page(), id, true) && TypeInto(::GetDlgItem(page(), id), text, text);
        };
    }
    orvtest::Script::Step toggle(int id)
    {
        return [this, id] { return Toggle(page(), id); };
    }
    // Clicks a protocol in the list; done when the port shows the expected number.
    orvtest::Script::Step protocol(int index, const char* port)
    {
        return [this, index, port] {
            HWND list = ::GetDlgItem(page(), CWizardPageThird::IDC_PROTOCOL);
            RECT rc;
            ::SendMessageA(list, LB_GETITEMRECT, index, (LPARAM)&rc);
            POINT p = orvtest::screenPoint(list, {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2});
            return orvtest::click(p, list) &&
                   orvtest::pumpUntil([&] { return TextOf(::GetDlgItem(page(), CWizardPageThird::IDC_PORT)) == port; },
                                      kWaitMs);
        };
    }
    // Moves the unit's drop-down list one entry with a key (Tab from the frequency).
    orvtest::Script::Step unitKey(WORD vk, const char* then)
    {
        return [this, vk, then] {
            HWND combo = ::GetDlgItem(page(), CWizardPageSecond::IDC_UNIT);
            if (!FocusEdit(page(), CWizardPageSecond::IDC_FREQUENCY, false))
                return false;
            orvtest::pressKey(VK_TAB);
            if (!orvtest::pumpUntil([&] { return ::GetFocus() == combo; }, kWaitMs))
                return false;
            orvtest::pressKey(vk);
            return orvtest::pumpUntil([&] { return TextOf(combo) == then; }, kWaitMs);
        };
    }
    orvtest::Script::Step expect(const char* what, std::function<void()> check)
    {
        (void)what;
        return [check] {
            check();
            return true;
        };
    }
};

}  // namespace

// Files of a folder whose name does not start with a dot.
std::vector<std::string> FilesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((folder + (folder.back() == '\\' ? "*" : "\\*")).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0)
            names.push_back(found.cFileName);
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return names;
}

TEST_F(WizardTest, FromFirstToLastPageWithRefusalsBackAlongTheChainAndFinish)
{
    // the watched site: the fixture page on the port typed on the protocol page
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "8080"});
    ASSERT_TRUE(http.running()) << http.error();
    // an item the address may not repeat
    MonitorItemSettings* taken = Store().createItem();
    taken->getGeneral().address = "http://taken.example.test";
    wrappers->add(taken);

    NewItemWizard wizard(Store(), *wrappers);
    Driver d{wizard};
    HWND settings = NULL;
    std::string snapshot;
    orvtest::Script script({
        {"first page", [&] { return d.on(wizard.first); }},
        {"only Next, no Back", d.expect("", [&] {
             EXPECT_EQ("Add New Watch Item", TextOf(d.sheet()));
             EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(d.sheet(), kBack)));
         })},
        {"no address", d.refused(wizard.first)},
        {"a taken address", d.type(CWizardPageFirst::IDC_ADDRESS, "http://taken.example.test/")},
        {"refused as taken", d.refused(wizard.first)},
        {"shown without the slash", d.expect("", [&] {
             EXPECT_EQ("http://taken.example.test", TextOf(::GetDlgItem(d.page(), CWizardPageFirst::IDC_ADDRESS)));
         })},
        // a space inside and one trailing slash: both go
        {"the address", d.type(CWizardPageFirst::IDC_ADDRESS, "127.0.0.1/ index.html/")},
        {"the name", d.type(CWizardPageFirst::IDC_NAME, "Shop")},
        {"next", d.press(kNext, wizard.second)},
        {"titled, Back shown", d.expect("", [&] {
             EXPECT_EQ("Configure Time Thresholds And Monitoring Frequency", TextOf(d.sheet()));
             EXPECT_TRUE(::IsWindowVisible(::GetDlgItem(d.sheet(), kBack)));
         })},
        {"back to the first", d.press(kBack, wizard.first)},
        {"Back hidden again", [&] {
             return !::IsWindowVisible(::GetDlgItem(d.sheet(), kBack)) && VisibleAndEnabled(d.sheet(), kNext);
         }},
        {"stored address shown", d.expect("", [&] {
             EXPECT_EQ("127.0.0.1/index.html", TextOf(::GetDlgItem(d.page(), CWizardPageFirst::IDC_ADDRESS)));
         })},
        {"next again", d.press(kNext, wizard.second)},
        {"20", d.type(CWizardPageSecond::IDC_FREQUENCY, "20")},
        {"seconds", d.unitKey(VK_UP, "Seconds")},
        {"20 seconds refused", d.refused(wizard.second)},
        {"0", d.type(CWizardPageSecond::IDC_FREQUENCY, "0")},
        {"minutes", d.unitKey(VK_DOWN, "Minutes")},
        {"0 minutes refused", d.refused(wizard.second)},
        {"5", d.type(CWizardPageSecond::IDC_FREQUENCY, "5")},
        {"limit", d.type(CWizardPageSecond::IDC_TIMEOUT, "3000")},
        {"to the protocol", d.press(kNext, wizard.third)},
        {"Ping: no port", d.expect("", [&] { EXPECT_FALSE(Enabled(d.page(), CWizardPageThird::IDC_PORT)); })},
        {"HTTP", d.protocol(1, "80")},
        {"own port", d.type(CWizardPageThird::IDC_PORT, "8080")},
        {"Port keeps it", d.protocol(6, "8080")},
        {"HTTPS", d.protocol(2, "443")},
        {"HTTP again", d.protocol(1, "80")},
        // the fixture listens on 8080 only: the Snapshot below reaches it only with this port
        {"own port again", d.type(CWizardPageThird::IDC_PORT, "8080")},
        {"to the alarms", d.press(kNext, wizard.alarms)},
        {"no email", d.toggle(CWizardPageAlarms::IDC_WANT_EMAIL)},
        {"no visual", d.toggle(CWizardPageAlarms::IDC_WANT_VISUAL)},
        {"no alarm refused", d.refused(wizard.alarms)},
        {"email", d.toggle(CWizardPageAlarms::IDC_WANT_EMAIL)},
        {"sound", d.toggle(CWizardPageAlarms::IDC_WANT_SOUND)},
        {"to email", d.press(kNext, wizard.email)},
        {"no address refused", d.refused(wizard.email)},
        {"commas only", d.type(CWizardPageAlarmEmail::IDC_ADDRESSES, " , ")},
        {"commas refused", d.refused(wizard.email)},
        {"addresses", d.type(CWizardPageAlarmEmail::IDC_ADDRESSES, "ops@x.test, ,night@x.test,")},
        {"to sound", d.press(kNext, wizard.sound)},
        {"no file refused", d.refused(wizard.sound)},
        {"file", d.type(CWizardPageAlarmSound::IDC_FILE, "C:\\sounds\\alarm.wav")},
        {"loop", d.toggle(CWizardPageAlarmSound::IDC_LOOP)},
        {"to finished", d.press(kNext, wizard.fourth)},
        {"finished title", d.expect("", [&] { EXPECT_EQ("Finished", TextOf(d.sheet())); })},
        {"back: sound", d.press(kBack, wizard.sound)},
        {"back: email", d.press(kBack, wizard.email)},
        {"back: alarms", d.press(kBack, wizard.alarms)},
        {"next: email", d.press(kNext, wizard.email)},
        {"kept", d.expect("", [&] {
             EXPECT_EQ("ops@x.test, ,night@x.test,", TextOf(::GetDlgItem(d.page(), CWizardPageAlarmEmail::IDC_ADDRESSES)));
         })},
        {"next: sound", d.press(kNext, wizard.sound)},
        {"next: finished", d.press(kNext, wizard.fourth)},
        {"finish", [&] { return VisibleAndEnabled(d.sheet(), kFinish) && ClickItem(d.sheet(), kFinish); }},
        // the wizard has gone; the HTTP settings of the new item open with their defaults
        {"HTTP settings", [&] { return (settings = ActiveWithCaption("HTTP/HTTPS Settings")) != NULL; }},
        {"its defaults", d.expect("", [&] {
             EXPECT_EQ("", ItemText(settings, CPageSettingsDlg::IDC_SEARCH));
             EXPECT_FALSE(Checked(settings, CPageSettingsDlg::IDC_CASE));
             EXPECT_FALSE(Checked(settings, CPageSettingsDlg::IDC_SAVE_SUCCESSFUL));
             EXPECT_TRUE(Checked(settings, CPageSettingsDlg::IDC_SAVE_FAILED));
         })},
        {"Snapshot", [&] { return ClickItem(settings, CPageSettingsDlg::IDC_SNAPSHOT); }},
        {"the page's text", [&] {
             snapshot = ItemText(settings, CPageSettingsDlg::IDC_SEARCH);
             return snapshot.find("Hello from the fixture") != std::string::npos;
         }},
        {"case sensitive", [&] { return Toggle(settings, CPageSettingsDlg::IDC_CASE); }},
        {"picture", d.expect("", [&] { PictureOf(settings, "wizard_10_http_settings"); })},
        {"OK", [&] { return ClickItem(settings, IDOK); }},
    });
    d.script = &script;
    MonitorItemWrapper* made = wizard.run();
    EXPECT_TRUE(script.finished()) << script.failure;
    // each refusal once, in order (each step above waited for its own message with the page kept)
    const std::string tooShort = "You cannot select a frequency lower than 30 seconds.";
    EXPECT_EQ((std::vector<std::string>{CWizardPageFirst::kNoAddress, CWizardPageFirst::kAddressExists,
                                        tooShort,   // 20 seconds
                                        tooShort,   // 0 minutes
                                        CWizardPageAlarms::kNoAlarm,
                                        CWizardPageAlarmEmail::kNoAddress,   // empty
                                        CWizardPageAlarmEmail::kNoAddress,   // blanks and commas only
                                        CWizardPageAlarmSound::kNoFile}),
              script.boxes.texts);
    ASSERT_NE(nullptr, made);
    MonitorItemSettings* item = made->getItem();
    const ItemGeneralSettings& g = item->getGeneral();
    EXPECT_EQ("127.0.0.1/index.html", g.address);
    EXPECT_EQ("Shop", g.name);
    EXPECT_EQ(5, g.interval);
    EXPECT_EQ(UnitMinutes, g.intervalUnit);
    EXPECT_EQ(3000, g.timeoutMs);
    EXPECT_EQ(ItemHttp, g.type);
    EXPECT_EQ(8080, g.port) << "the port typed after picking the protocol";
    EXPECT_TRUE(g.enabled);
    // the Snapshot downloaded the new item's page as stored: its address, its port, its name
    const std::vector<std::string> requests = http.outputOfAtLeast(1);
    ASSERT_EQ(1u, requests.size());
    EXPECT_EQ(0u, requests[0].find("REQ GET /index.html")) << requests[0];
    EXPECT_NE(std::string::npos, requests[0].find("User-Agent=Shop")) << requests[0];
    // the settings dialog's values, OK'd, are the item's HTTP record
    const HttpSettings& settingsRecord = item->getHttp();
    EXPECT_EQ(snapshot, settingsRecord.searchText);
    EXPECT_TRUE(settingsRecord.caseSensitive);
    EXPECT_TRUE(settingsRecord.saveFailedPages) << "the dialog's default, not the store's";
    EXPECT_FALSE(settingsRecord.saveSuccessfulPages);
    EXPECT_EQ((std::vector<std::string>{"ops@x.test", "night@x.test"}), item->getMailAction().recipients);
    EXPECT_TRUE(item->getMailAction().enabled);
    EXPECT_TRUE(item->getSoundAction().enabled);
    EXPECT_TRUE(item->getSoundAction().loop);
    EXPECT_EQ("C:\\sounds\\alarm.wav", item->getSoundAction().soundFile);
    EXPECT_FALSE(item->getVisualAction().enabled) << "not chosen: the store's default";
    EXPECT_FALSE(item->getCommandAction().programEnabled);
    const AlarmTrigger& t = item->getAlarmTrigger();
    EXPECT_TRUE(t.enabled);
    EXPECT_TRUE(t.autoReset);
    // saved: the item's folder holds its records, the search text and the recipients among them
    const std::string folder = item->getDirectory();
    const std::string slash = folder.back() == '\\' ? "" : "\\";
    EXPECT_FALSE(FilesIn(folder).empty()) << folder;
    const std::string options = orvtest::readFile(folder + slash + "options.cfg");
    EXPECT_NE(std::string::npos, options.find("Hello from the fixture")) << options;
    EXPECT_NE(std::string::npos, options.find("ops@x.test")) << options;
    EXPECT_NE(std::string::npos, options.find("night@x.test")) << options;
    EXPECT_NE(std::string::npos, options.find("127.0.0.1/index.html")) << options;
}

// Finish opens the settings dialog of the chosen protocol with its defaults: OK writes what it
// shows into the protocol's record, Cancel leaves the store's defaults; Ping and Port open none.
TEST_F(WizardTest, FinishOpensTheProtocolsSettingsDialogAndOnlyItsOkWritesTheRecord)
{
    struct Field {
        int id;
        const char* text;
    };
    struct Case {
        const char* name;
        int type;
        const char* caption;
        std::vector<Field> typed;
        int button;   // IDOK or IDCANCEL
        std::function<void(MonitorItemSettings&)> check;
    };
    const HttpSettings noHttp;
    const SmtpSettings noSmtp;
    const Case cases[] = {
        {"HTTP, OK", ItemHttp, "HTTP/HTTPS Settings", {{CPageSettingsDlg::IDC_SEARCH, "in stock"}}, IDOK,
         [](MonitorItemSettings& item) {
             EXPECT_EQ("in stock", item.getHttp().searchText);
             EXPECT_TRUE(item.getHttp().saveFailedPages);
         }},
        {"HTTPS, Cancel", ItemHttps, "HTTP/HTTPS Settings", {{CPageSettingsDlg::IDC_SEARCH, "in stock"}}, IDCANCEL,
         [&](MonitorItemSettings& item) {
             EXPECT_EQ(noHttp.searchText, item.getHttp().searchText);
             EXPECT_EQ(noHttp.saveFailedPages, item.getHttp().saveFailedPages);
         }},
        // the authentication flag has no control: the item's own stays
        {"SMTP, OK", ItemSmtp, "SMTP Settings",
         {{CSmtpSettingsDlg::IDC_TO, "ops@x.test"}, {CSmtpSettingsDlg::IDC_FROM, "probe@x.test"},
          {CSmtpSettingsDlg::IDC_USER, "anna"}},
         IDOK,
         [](MonitorItemSettings& item) {
             EXPECT_EQ("ops@x.test", item.getSmtp().to);
             EXPECT_EQ("probe@x.test", item.getSmtp().from);
             EXPECT_EQ("anna", item.getSmtp().authUser);
             EXPECT_TRUE(item.getSmtp().reservedFlag);
         }},
        {"SMTP, Cancel", ItemSmtp, "SMTP Settings", {{CSmtpSettingsDlg::IDC_TO, "ops@x.test"}}, IDCANCEL,
         [&](MonitorItemSettings& item) { EXPECT_EQ(noSmtp.to, item.getSmtp().to); }},
        {"POP3, OK", ItemPop3, "POP3 Settings",
         {{CPop3SettingsDlg::IDC_USER, "anna"}, {CPop3SettingsDlg::IDC_PASSWORD, "pw"},
          {CPop3SettingsDlg::IDC_HEADER_SEARCH, "invoice"}},
         IDOK,
         [](MonitorItemSettings& item) {
             EXPECT_EQ("anna", item.getPop3().userName);
             EXPECT_EQ("pw", item.getPop3().password);
             EXPECT_EQ("invoice", item.getPop3().headerSearchText);
         }},
        {"FTP, OK", ItemFtp, "FTP Settings",
         {{CFtpSettingsDlg::IDC_USER, "anna"}, {CFtpSettingsDlg::IDC_PASSWORD, "pw"},
          {CFtpSettingsDlg::IDC_DOWNLOAD_REMOTE, "pub/file.txt"}},
         IDOK,
         [](MonitorItemSettings& item) {
             EXPECT_EQ("anna", item.getFtp().userName);
             EXPECT_EQ("pw", item.getFtp().password);
             EXPECT_EQ("pub/file.txt", item.getFtp().downloadRemoteFile);
         }},
        {"FTP, Cancel", ItemFtp, "FTP Settings", {{CFtpSettingsDlg::IDC_USER, "anna"}}, IDCANCEL,
         [](MonitorItemSettings& item) { EXPECT_EQ("", item.getFtp().userName); }},
        {"Ping: none", ItemPing, nullptr, {}, 0, [](MonitorItemSettings&) {}},
    };
    int n = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewItemWizard wizard(Store(), *wrappers);
        const std::string address = "protocol" + std::to_string(++n) + ".example.test";
        wizard.first.address = address.c_str();
        wizard.third.type = c.type;
        wizard.alarms.wantEmail = false;
        wizard.alarms.wantVisual = false;
        HWND dialog = NULL;
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps;
        if (c.caption != nullptr) {
            steps.push_back({"the dialog", [&] { return (dialog = ActiveWithCaption(c.caption)) != NULL; }});
            steps.push_back({"the item's own flag", [&] {
                                 for (MonitorItemWrapper* w : *wrappers)
                                     if (w->getItem()->getGeneral().address == address)
                                         w->getItem()->getSmtp().reservedFlag = true;
                                 return true;
                             }});
            for (const Field& f : c.typed)
                steps.push_back({std::string("type ") + f.text, [&dialog, f] {
                                     return FocusEdit(dialog, f.id, true) && TypeInto(::GetDlgItem(dialog, f.id), f.text, f.text);
                                 }});
            steps.push_back({"close", [&] { return ClickItem(dialog, c.button); }});
        }
        orvtest::Script script(steps);
        MonitorItemWrapper* made = wizard.createItem();
        if (c.caption != nullptr) {
            EXPECT_TRUE(script.finished()) << script.failure;
        }
        EXPECT_EQ(std::vector<std::string>{}, script.boxes.texts);
        ASSERT_NE(nullptr, made);
        c.check(*made->getItem());
    }
}

TEST_F(WizardTest, CancelCreatesNothing)
{
    const size_t before = wrappers->count();
    NewItemWizard wizard(Store(), *wrappers);
    Driver d{wizard};
    orvtest::Script script({
        {"first page", [&] { return d.on(wizard.first); }},
        {"address", d.type(CWizardPageFirst::IDC_ADDRESS, "cancelled.example.test")},
        {"next", d.press(kNext, wizard.second)},
        {"cancel", [&] { return ClickItem(d.sheet(), IDCANCEL); }},
    });
    d.script = &script;
    EXPECT_EQ(nullptr, wizard.run());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ(before, wrappers->count());
    EXPECT_FALSE(wrappers->addressExists("cancelled.example.test"));
}

TEST_F(WizardTest, TheItemTakesThePagesValuesAndOnlyTheChosenAlarms)
{
    struct Case {
        const char* name;
        bool email, sound, visual, command;
    };
    const Case cases[] = {
        {"command and visual", false, false, true, true},
        {"email only", true, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        NewItemWizard wizard(Store(), *wrappers);
        wizard.first.address = (std::string("values.example.test/") + c.name).c_str();
        wizard.first.name = c.name;
        wizard.second.frequency = 2;
        wizard.second.unit = UnitHours;
        wizard.second.timeout = 700;
        wizard.third.type = ItemPort;
        wizard.third.port = 8443;
        wizard.alarms.wantEmail = c.email;
        wizard.alarms.wantSound = c.sound;
        wizard.alarms.wantVisual = c.visual;
        wizard.alarms.wantCommand = c.command;
        wizard.email.addresses = " a@x.test,b@x.test ";
        wizard.email.mailReport = 1;
        wizard.command.program = "C:\\tools\\page.exe";
        wizard.command.url = "http://status.example.test";
        MonitorItemWrapper* made = wizard.createItem();
        ASSERT_NE(nullptr, made);
        MonitorItemSettings* item = made->getItem();
        EXPECT_EQ(ItemPort, item->getGeneral().type);
        EXPECT_EQ(8443, item->getGeneral().port);
        EXPECT_EQ(UnitHours, item->getGeneral().intervalUnit);
        EXPECT_EQ(700, item->getGeneral().timeoutMs);
        const MailAction& mail = item->getMailAction();
        EXPECT_EQ(c.email, mail.enabled);
        const std::vector<std::string> recipients =
            c.email ? std::vector<std::string>{"a@x.test", "b@x.test"} : std::vector<std::string>{};
        EXPECT_EQ(recipients, mail.recipients);
        EXPECT_EQ(c.email, mail.attachReport);
        const CommandAction& cmd = item->getCommandAction();
        EXPECT_EQ(c.command, cmd.programEnabled);
        EXPECT_EQ(c.command, cmd.urlEnabled);
        EXPECT_EQ(c.command ? "C:\\tools\\page.exe" : "", cmd.program);
        const VisualAction& visual = item->getVisualAction();
        EXPECT_EQ(c.visual, visual.enabled);
        if (c.visual) {
            EXPECT_EQ(CAlarmActionVisualPage::kDefaultText, visual.text);
        }
        EXPECT_TRUE(wrappers->addressExists((std::string("values.example.test/") + c.name)));
    }
}

TEST_F(WizardTest, PicturesOfEveryPageInEachLook)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        g_PaintManager.InstallPaintManager(look.make());
        NewItemWizard wizard(Store(), *wrappers);
        Driver d{wizard};
        auto picture = [&](const char* name) {
            return d.expect(name, [&, name] { PictureOf(d.sheet(), std::string("wizard_") + name + "_" + look.name); });
        };
        orvtest::Script script({
            {"first page", [&] { return d.on(wizard.first); }},
            {"address", d.type(CWizardPageFirst::IDC_ADDRESS, "pictures.example.test")},
            {"first", picture("1_address")},
            {"second page", d.press(kNext, wizard.second)},
            {"second", picture("2_frequency")},
            {"third page", d.press(kNext, wizard.third)},
            {"HTTP", d.protocol(1, "80")},
            {"third", picture("3_protocol")},
            {"alarms page", d.press(kNext, wizard.alarms)},
            {"sound", d.toggle(CWizardPageAlarms::IDC_WANT_SOUND)},
            {"command", d.toggle(CWizardPageAlarms::IDC_WANT_COMMAND)},
            {"alarms", picture("4_alarms")},
            {"email page", d.press(kNext, wizard.email)},
            {"addresses", d.type(CWizardPageAlarmEmail::IDC_ADDRESSES, "ops@x.test,")},
            {"email", picture("5_email")},
            {"sound page", d.press(kNext, wizard.sound)},
            {"file", d.type(CWizardPageAlarmSound::IDC_FILE, "alarm.wav")},
            {"sound", picture("6_sound")},
            {"visual page", d.press(kNext, wizard.visual)},
            {"visual", picture("7_visual")},
            {"command page", d.press(kNext, wizard.command)},
            {"program", d.type(CWizardPageAlarmCommand::IDC_PROGRAM, "notify.exe")},
            {"url", d.type(CWizardPageAlarmCommand::IDC_URL, "http://status.example.test")},
            {"command", picture("8_command")},
            {"finished page", d.press(kNext, wizard.fourth)},
            {"finished", picture("9_finished")},
            {"cancel", [&] { return ClickItem(d.sheet(), IDCANCEL); }},
        });
        d.script = &script;
        EXPECT_EQ(nullptr, wizard.run());
        EXPECT_TRUE(script.finished()) << script.failure;
    }
}
