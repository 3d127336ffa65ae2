// The item properties page in its sheet, the protocol settings dialogs and the test run, under
// Xvfb with real input, inside a network namespace of the test's own: the HTTP fixture answers on
// port 80 as a real site would. Pictures per look are kept in build/screenshots.
#include "orv/gtest.h"

#include <afxwin.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "CAlarmSettingDlg.h"
#include "CFtpSettingsDlg.h"
#include "CItemPropertiesDlg.h"
#include "CPageSettingsDlg.h"
#include "CPop3SettingsDlg.h"
#include "CSmtpSettingsDlg.h"
#include "CTestViewDlg.h"
#include "FixedPropertySheet.h"
#include "ContextHelpMap.h"
#include "GuiTestSupport.h"
#include "ItemSettingsRules.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "orv/FixtureServer.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "WindowTestSupport.h"

namespace {

typedef ItemSettingsRules R;

CWinApp& App()
{
    return orvtest::uiApp("orvgui properties test");
}

using wintest::ActiveWithCaption;
using wintest::ItemText;
using wintest::kLooks;
using wintest::Look;
using wintest::TextOf;
using wintest::TypeChars;

void Picture(HWND window, const std::string& name)
{
    wintest::PictureOf(window, name);
}

// Clicks a control with real input (each click a little aside from the last, so that two are
// never one double click). False, without a click, while the control cannot take it; true once
// clicked: a click that opens a modal window (a message box, a dialog) is not seen to arrive
// until that window has gone, and a step must never click twice.
POINT NudgedCentre(HWND control)
{
    static int nudge = 0;
    POINT p = orvtest::centreOf(control);
    p.x += (nudge++ % 3) * 3 - 3;
    return p;
}

bool ClickItem(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    if (control == NULL || !::IsWindowVisible(control) || !::IsWindowEnabled(control))
        return false;
    orvtest::click(NudgedCentre(control), control);
    return true;
}

// The click queued, for a button that opens a modal window: the step ends before the click is
// handled, and the window's loop runs the next steps.
bool QueueClickItem(HWND dialog, int id)
{
    HWND control = ::GetDlgItem(dialog, id);
    return control != NULL && ::IsWindowVisible(control) && ::IsWindowEnabled(control) &&
           orvtest::queueClick(NudgedCentre(control), control);
}

// The dialog is the active window and takes input (no message box over it).
bool Ready(HWND dialog)
{
    return dialog != NULL && ::IsWindowVisible(dialog) && ::IsWindowEnabled(dialog) && ::GetActiveWindow() == dialog;
}

// Replaces the text of an edit by typing, as a user would: the pointer onto the field (a skinned
// button under it lets go first), a click for the focus, everything selected, then the keys.
bool TypeInto(HWND dialog, HWND top, int id, const char* text)
{
    HWND edit = ::GetDlgItem(dialog, id);
    if (!Ready(top))
        return false;
    if (!orvtest::moveTo(orvtest::centreOf(edit), edit) || !orvtest::pumpUntil([] { return ::GetCapture() == NULL; }))
        return false;
    if (!orvtest::click(orvtest::centreOf(edit), edit) || !orvtest::pumpUntil([&] { return ::GetFocus() == edit; }))
        return false;
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    TypeChars(text);
    return orvtest::pumpUntil([&] { return TextOf(edit) == text; });
}

// A step that runs once (an action), done at once.
orvtest::Script::Step Once(std::function<void()> action)
{
    return [action] {
        action();
        return true;
    };
}

// ---- the item store of the tests ----

struct Items {
    MonitorItemSettings* shop = nullptr;      // HTTP on 8080, 5 minutes
    MonitorItemSettings* other = nullptr;     // another item's address, letter case of its own
    MonitorItemSettings* fixture = nullptr;   // the HTTP fixture on port 80
    MonitorItemSettings* secure = nullptr;    // the HTTPS fixture on its stored port 8443
    MonitorItemSettings* closed = nullptr;    // nothing listens on its port
    MonitorItemSettings* ftp = nullptr;       // an FTP item with its account
};

MonitorItemSettings* MakeItem(const char* name, const char* address, int type, int port, int interval, int unit)
{
    MonitorItemSettings* item = MonitorItemManager::instance()->createItem();
    ItemGeneralSettings& general = item->getGeneral();
    general.name = name;
    general.address = address;
    general.type = type;
    general.port = port;
    general.interval = interval;
    general.intervalUnit = unit;
    general.enabled = true;
    general.timeoutMs = 5000;
    item->getStatus().active = true;
    return item;
}

Items& TheItems()
{
    static Items items = [] {
        Items made;
        guitest::scratchProfileFolder();
        MonitorItemManager::instance()->load(orvtest::makeScratchFolder("items") + "\\");
        made.shop = MakeItem("Shop", "shop.example.com", R::TypeHttp, 8080, 5, R::UnitMinutes);
        made.other = MakeItem("Other", "www.Example.com", R::TypeHttp, 80, 60, R::UnitSeconds);
        made.fixture = MakeItem("Fixture", "127.0.0.1/index.html", R::TypeHttp, 80, 60, R::UnitSeconds);
        made.secure = MakeItem("Secure", "localhost/index.html", R::TypeHttps, 8443, 60, R::UnitSeconds);
        made.closed = MakeItem("Closed", "127.0.0.1/index.html", R::TypeHttp, 81, 60, R::UnitSeconds);
        made.ftp = MakeItem("Files", "ftp.example.com", R::TypeFtp, 21, 60, R::UnitSeconds);
        made.ftp->getFtp().userName = "anna";
        made.ftp->getFtp().password = "secret";
        made.ftp->getFtp().downloadRemoteFile = "pub/file.txt";
        // the view-model wraps every stored item on its first use
        MonitorItemWrapperManager::instance();
        return made;
    }();
    return items;
}

MonitorItemWrapper* WrapperOf(MonitorItemSettings* item)
{
    for (MonitorItemWrapper* wrapper : *MonitorItemWrapperManager::instance())
        if (wrapper->getItem() == item)
            return wrapper;
    return nullptr;
}

// What the properties command does before the sheet runs: every value from the item's records,
// of the protocol records only the one of the item's type.
void FillFromItem(CItemPropertiesDlg& page, MonitorItemSettings* item)
{
    page.setWrapper(WrapperOf(item));
    const ItemGeneralSettings& general = item->getGeneral();
    page.name = general.name.c_str();
    page.address = general.address.c_str();
    page.active = general.enabled ? 1 : 0;
    page.frequency = general.interval;
    page.unit = general.intervalUnit;
    page.type = general.type;
    page.port = general.port;
    page.timeout = general.timeoutMs;
    switch (general.type) {
    case R::TypeHttp:
    case R::TypeHttps: {
        const HttpSettings& http = item->getHttp();
        page.searchText = http.searchText.c_str();
        page.caseSensitive = http.caseSensitive;
        page.saveSuccessful = http.saveSuccessfulPages;
        page.saveFailed = http.saveFailedPages;
        break;
    }
    case R::TypeFtp: {
        const FtpSettings& ftp = item->getFtp();
        page.user = ftp.userName.c_str();
        page.password = ftp.password.c_str();
        page.downloadLocal = ftp.downloadLocalFile.c_str();
        page.downloadRemote = ftp.downloadRemoteFile.c_str();
        page.uploadLocal = ftp.uploadLocalFile.c_str();
        page.uploadRemote = ftp.uploadRemoteFile.c_str();
        break;
    }
    default:
        break;
    }
}

// The records a case may change, kept and put back.
struct Saved {
    explicit Saved(MonitorItemSettings* which)
        : item(which), general(which->getGeneral()), http(which->getHttp()), ftp(which->getFtp()), status(which->getStatus())
    {
    }
    ~Saved()
    {
        item->getGeneral() = general;
        item->getHttp() = http;
        item->getFtp() = ftp;
        item->getStatus() = status;
    }
    MonitorItemSettings* item;
    ItemGeneralSettings general;
    HttpSettings http;
    FtpSettings ftp;
    ItemStatus status;
};

// The properties sheet as the properties command shows it: the general and the alarm page.
struct PropertiesSheet {
    FixedPropertySheet sheet{true, "Item Properties"};
    CItemPropertiesDlg page;
    CAlarmSettingDlg alarm;
    HWND box = NULL;   // the sheet window once shown
    HWND general = NULL;   // the page's window

    explicit PropertiesSheet(MonitorItemSettings* item)
    {
        FillFromItem(page, item);
        alarm.setWrapper(WrapperOf(item));
        alarm.loadFrom(*item);
        sheet.AddPage(&page);
        sheet.AddPage(&alarm);
    }
    // A step: the sheet is up and takes input.
    orvtest::Script::Step Shown()
    {
        return [this] {
            box = sheet.m_hWnd;
            general = page.m_hWnd;
            return box != NULL && general != NULL && Ready(box);
        };
    }
    orvtest::Script::Step Type(int id, const char* text)
    {
        return [this, id, text] { return TypeInto(general, box, id, text); };
    }
    orvtest::Script::Step Press(int id)
    {
        return [this, id] { return Ready(box) && ClickItem(box, id); };
    }
    orvtest::Script::Step PressOnPage(int id)
    {
        return [this, id] { return Ready(box) && QueueClickItem(general, id); };
    }
    // Presses a button of the page with the space bar: the step ends at once, while a click waits
    // for its own delivery, which a modal window opened by the button holds back.
    orvtest::Script::Step PressByKey(int id)
    {
        return [this, id] {
            HWND button = ::GetDlgItem(general, id);
            if (!Ready(box) || !::IsWindowEnabled(button))
                return false;
            ::SetFocus(button);
            orvtest::pressKey(VK_SPACE);
            return true;
        };
    }
};

const int kApply = 0x3021;   // the sheet's Apply button

// ---- Apply's checks ----

TEST(PropertiesPage, ApplyChecksAndWritesTheGeneralRecord)
{
    App();
    Items& items = TheItems();
    const std::string rangeMessage = "Please enter an integer between 0 and 10000.";
    struct Case {
        const char* name;
        MonitorItemSettings* item;
        const char* typed;   // typed into the address field
        int frequency, unit, port, type;
        std::vector<std::string> boxes;
        bool applied;
        const char* storedAddress;   // after Apply (when applied)
    };
    const Case cases[] = {
        {"spaces anywhere leave the address", items.shop, " shop . example.org ", 5, R::UnitMinutes, 8080, R::TypeHttp,
         {}, true, "shop.example.org"},
        {"an empty address", items.shop, "   ", 5, R::UnitMinutes, 8080, R::TypeHttp,
         {CItemPropertiesDlg::kNoAddress}, false, ""},
        {"another item's address exactly", items.shop, "www.Example.com", 5, R::UnitMinutes, 8080, R::TypeHttp,
         {CItemPropertiesDlg::kAddressTaken}, false, ""},
        {"spaces do not hide a duplicate", items.shop, "www.Exa mple.com", 5, R::UnitMinutes, 8080, R::TypeHttp,
         {CItemPropertiesDlg::kAddressTaken}, false, ""},
        {"another letter case is another address", items.shop, "www.example.com", 5, R::UnitMinutes, 8080,
         R::TypeHttp, {}, true, "www.example.com"},
        {"the item's own address passes", items.other, "www.Example.com", 60, R::UnitSeconds, 80, R::TypeHttp,
         {}, true, "www.Example.com"},
        {"29 seconds", items.shop, "shop.example.com", 29, R::UnitSeconds, 8080, R::TypeHttp, {R::kTooShort}, false, ""},
        {"30 seconds", items.shop, "shop.example.com", 30, R::UnitSeconds, 8080, R::TypeHttp, {}, true, "shop.example.com"},
        {"29 minutes", items.shop, "shop.example.com", 29, R::UnitMinutes, 8080, R::TypeHttp, {}, true, "shop.example.com"},
        {"0 minutes", items.shop, "shop.example.com", 0, R::UnitMinutes, 8080, R::TypeHttp, {R::kTooShort}, false, ""},
        {"0 hours", items.shop, "shop.example.com", 0, R::UnitHours, 8080, R::TypeHttp, {R::kTooShort}, false, ""},
        {"0 days", items.shop, "shop.example.com", 0, R::UnitDays, 8080, R::TypeHttp, {R::kTooShort}, false, ""},
        {"24 days", items.shop, "shop.example.com", 24, R::UnitDays, 8080, R::TypeHttp, {}, true, "shop.example.com"},
        {"65535 days", items.shop, "shop.example.com", 65535, R::UnitDays, 8080, R::TypeHttp, {R::kTooLong}, false, ""},
        {"65535 hours", items.shop, "shop.example.com", 65535, R::UnitHours, 8080, R::TypeHttp, {R::kTooLong}, false, ""},
        {"port 10000", items.shop, "shop.example.com", 5, R::UnitMinutes, 10000, R::TypeHttp, {}, true, "shop.example.com"},
        {"port 10001", items.shop, "shop.example.com", 5, R::UnitMinutes, 10001, R::TypeHttp, {rangeMessage}, false, ""},
        {"FTP to HTTP keeps the FTP record", items.ftp, "ftp.example.com", 60, R::UnitSeconds, 80, R::TypeHttp,
         {}, true, "ftp.example.com"},
    };
    bool pictured = false;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Saved saved(c.item);
        const FtpSettings ftpBefore = c.item->getFtp();
        PropertiesSheet s(c.item);
        s.page.frequency = c.frequency;
        s.page.unit = c.unit;
        s.page.port = c.port;
        s.page.type = c.type;
        s.page.searchText = "in stock";
        orvtest::Script* running = nullptr;
        orvtest::Script script({
            {"shown", s.Shown()},
            {"Apply starts disabled", [&] { return !::IsWindowEnabled(::GetDlgItem(s.box, kApply)); }},
            {"type the address", s.Type(CItemPropertiesDlg::IDC_ADDRESS, c.typed)},
            {"picture", Once([&] {
                 if (!pictured)
                     Picture(s.box, "properties_general");
                 pictured = true;
             })},
            // queued: a refusal's box runs its loop after the step
            {"Apply", [&] { return Ready(s.box) && QueueClickItem(s.box, kApply); }},
            // a refusal shows its box; a pass disables Apply again
            {"answered", [&] {
                 if (!Ready(s.box))
                     return false;
                 if (c.applied)
                     return !::IsWindowEnabled(::GetDlgItem(s.box, kApply));
                 return running->boxes.texts.size() >= c.boxes.size();
             }},
            {"the page stays, values as typed", Once([&] {
                 if (!c.applied)
                     EXPECT_EQ(c.typed, ItemText(s.general, CItemPropertiesDlg::IDC_ADDRESS));
                 else
                     EXPECT_EQ(c.storedAddress, ItemText(s.general, CItemPropertiesDlg::IDC_ADDRESS));
             })},
            {"Cancel", s.Press(IDCANCEL)},
        });
        running = &script;
        s.sheet.DoModal();
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(c.boxes, script.boxes.texts);
        const ItemGeneralSettings& general = c.item->getGeneral();
        if (c.applied) {
            EXPECT_EQ(c.storedAddress, general.address);
            EXPECT_EQ(c.frequency, general.interval);
            EXPECT_EQ(c.unit, general.intervalUnit);
            EXPECT_EQ(c.port, general.port);
            EXPECT_EQ(c.type, general.type);
            EXPECT_EQ("in stock", c.item->getHttp().searchText);
        } else {
            EXPECT_EQ(saved.general.address, general.address);
            EXPECT_EQ(saved.general.interval, general.interval);
            EXPECT_EQ(saved.general.port, general.port);
            EXPECT_EQ(saved.http.searchText, c.item->getHttp().searchText);
        }
        // only the record of the page's protocol is written
        EXPECT_EQ(ftpBefore.userName, c.item->getFtp().userName);
        EXPECT_EQ(ftpBefore.password, c.item->getFtp().password);
        EXPECT_EQ(ftpBefore.downloadRemoteFile, c.item->getFtp().downloadRemoteFile);
    }
}

// ---- name and frequency typed, protocols picked ----

TEST(PropertiesPage, TypedNameAndFrequencyAreAppliedAndAPickedProtocolSetsItsPort)
{
    App();
    Items& items = TheItems();
    Saved saved(items.shop);
    PropertiesSheet s(items.shop);
    HWND combo = NULL;
    // picks a protocol with a key on the protocol list (closed, as a user tabs to it)
    auto pick = [&](WORD key) {
        return Once([&, key] {
            combo = ::GetDlgItem(s.general, CItemPropertiesDlg::IDC_PROTOCOL);
            ::SetFocus(combo);
            orvtest::pressKey(key);
        });
    };
    auto shows = [&](const char* protocol, const char* port, bool portEnabled) {
        return [&, protocol, port, portEnabled] {
            HWND portEdit = ::GetDlgItem(s.general, CItemPropertiesDlg::IDC_PORT);
            return Ready(s.box) && TextOf(combo) == protocol && ItemText(s.general, CItemPropertiesDlg::IDC_PORT) == port &&
                   (::IsWindowEnabled(portEdit) != FALSE) == portEnabled;
        };
    };
    // the protocol's settings dialog opened on its own: cancelled
    std::vector<std::string> opened;
    auto settingsOpened = [&](const char* caption) {
        return [&, caption] {
            HWND dialog = ActiveWithCaption(caption);
            if (dialog == NULL)
                return false;
            if (!ClickItem(dialog, IDCANCEL))
                return false;
            opened.push_back(caption);
            return true;
        };
    };
    orvtest::Script script({
        {"shown", s.Shown()},
        // the stored port stays when the page opens
        {"8080 kept", [&] { return (combo = ::GetDlgItem(s.general, CItemPropertiesDlg::IDC_PROTOCOL)) && shows("HTTP (Page download)", "8080", true)(); }},
        {"the combos are lists", Once([&] {
             EXPECT_EQ((DWORD)CBS_DROPDOWNLIST, ::GetWindowLongA(combo, GWL_STYLE) & 3);
             EXPECT_EQ((DWORD)CBS_DROPDOWNLIST,
                       ::GetWindowLongA(::GetDlgItem(s.general, CItemPropertiesDlg::IDC_UNIT), GWL_STYLE) & 3);
         })},
        {"type a name", s.Type(CItemPropertiesDlg::IDC_NAME, "Shop front")},
        {"type a frequency", s.Type(CItemPropertiesDlg::IDC_FREQUENCY, "2")},
        {"Port", pick(VK_END)},
        {"Port keeps 8080", shows("Port", "8080", true)},
        {"HTTP", pick('H')},
        {"HTTP opens its settings", settingsOpened("HTTP/HTTPS Settings")},
        {"HTTP takes 80", shows("HTTP (Page download)", "80", true)},
        {"HTTPS", pick('H')},
        {"HTTPS opens its settings", settingsOpened("HTTP/HTTPS Settings")},
        {"HTTPS takes 443", shows("HTTPS (Secure page download)", "443", true)},
        {"SMTP", pick('S')},
        {"SMTP opens its settings", settingsOpened("SMTP Settings")},
        {"SMTP takes 25", shows("SMTP", "25", true)},
        {"FTP", pick('F')},
        {"FTP opens its settings", settingsOpened("FTP Settings")},
        {"FTP takes 21", shows("FTP", "21", true)},
        {"Ping", pick(VK_HOME)},
        {"Ping takes 0, no port", shows("Ping", "0", false)},
        {"POP3", pick('P')},
        {"POP3 opens its settings", settingsOpened("POP3 Settings")},
        {"POP3 takes 110", shows("POP3", "110", true)},
        {"back to HTTP", pick('H')},
        {"HTTP opens its settings again", settingsOpened("HTTP/HTTPS Settings")},
        {"HTTP takes 80 again", shows("HTTP (Page download)", "80", true)},
        {"picture", Once([&] { Picture(s.box, "properties_protocol_switched"); })},
        {"Apply", s.Press(kApply)},
        {"applied", [&] { return !::IsWindowEnabled(::GetDlgItem(s.box, kApply)); }},
        {"OK", s.Press(IDOK)},
    });
    EXPECT_EQ(IDOK, s.sheet.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ(std::vector<std::string>{}, script.boxes.texts);
    EXPECT_EQ((std::vector<std::string>{"HTTP/HTTPS Settings", "HTTP/HTTPS Settings", "SMTP Settings", "FTP Settings",
                                        "POP3 Settings", "HTTP/HTTPS Settings"}),
              opened);
    const ItemGeneralSettings& general = items.shop->getGeneral();
    EXPECT_EQ("Shop front", general.name);
    EXPECT_EQ(2, general.interval);
    EXPECT_EQ(R::UnitMinutes, general.intervalUnit);
    EXPECT_EQ(R::TypeHttp, general.type);
    EXPECT_EQ(80, general.port);
}

TEST(PropertiesPage, OpeningAndClosingWithOkKeepsAStoredPortForEveryProtocol)
{
    App();
    Items& items = TheItems();
    const int types[] = {R::TypeHttp, R::TypeHttps, R::TypeSmtp, R::TypePop3, R::TypeFtp, R::TypePort};
    for (int type : types) {
        SCOPED_TRACE(R::typeCaption(type));
        Saved saved(items.shop);
        items.shop->getGeneral().type = type;
        items.shop->getGeneral().port = 8080;
        PropertiesSheet s(items.shop);
        orvtest::Script script({
            {"shown", s.Shown()},
            {"8080 shown", [&] { return ItemText(s.general, CItemPropertiesDlg::IDC_PORT) == "8080"; }},
            {"OK", s.Press(IDOK)},
        });
        EXPECT_EQ(IDOK, s.sheet.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(8080, items.shop->getGeneral().port);
    }
}

// ---- the Active box ----

TEST(PropertiesPage, TheActiveBoxSuspendsAndResumesTheItem)
{
    App();
    Items& items = TheItems();
    Saved saved(items.shop);
    const struct {
        const char* name;
        bool activeBefore;
        bool click;   // the user clicks the box
        bool activeAfter;
    } cases[] = {
        {"cleared: suspended", true, true, false},
        {"ticked: resumed", false, true, true},
        {"left alone: unchanged", true, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        items.shop->getGeneral().enabled = c.activeBefore;
        items.shop->getStatus().active = c.activeBefore;
        PropertiesSheet s(items.shop);
        orvtest::Script script({
            {"shown", s.Shown()},
            {"click the box", [&] { return !c.click || s.PressOnPage(CItemPropertiesDlg::IDC_ACTIVE)(); }},
            {"the box shows it", [&] {
                 return ::IsDlgButtonChecked(s.general, CItemPropertiesDlg::IDC_ACTIVE) == (c.activeAfter ? BST_CHECKED : BST_UNCHECKED);
             }},
            {"OK", s.Press(IDOK)},
        });
        EXPECT_EQ(IDOK, s.sheet.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(c.activeAfter, items.shop->getGeneral().enabled);
        EXPECT_EQ(c.activeAfter, items.shop->getStatus().active);
    }
}

// ---- HTTP settings and Snapshot ----

TEST(PageSettings, SnapshotFillsTheSearchTextFromTheItemsStoredPage)
{
    App();
    Items& items = TheItems();
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    const std::string certs = orvtest::env("ORV_BINARY_DIR") + "/wine/certs/";
    orvtest::FixtureServer https("http_srv", {"127.0.0.1", "8443", "--tls", certs + "localhost.pem", certs + "localhost.key"});
    ASSERT_TRUE(https.running()) << https.error();
    const struct {
        const char* name;
        MonitorItemSettings* item;
        const char* text;   // the search text afterwards (a part of it for a page)
        orvtest::FixtureServer* server;
    } cases[] = {
        {"HTTP on port 80", items.fixture, "Hello from the fixture", &http},
        // the stored port, not the one the properties page shows
        {"HTTPS on its stored port", items.secure, "Hello from the fixture", &https},
        {"nothing listens", items.closed, CPageSettingsDlg::kNoConnection, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const size_t requestsBefore = c.server != nullptr ? c.server->output().size() : 0;
        CPageSettingsDlg dialog;
        dialog.searchText = "typed before";
        dialog.saveFailed = 0;
        dialog.setWrapper(WrapperOf(c.item));
        HWND box = NULL;
        orvtest::Script script({
            {"shown", [&] { return Ready(box = dialog.m_hWnd); }},
            {"Snapshot", [&] { return ClickItem(box, CPageSettingsDlg::IDC_SNAPSHOT); }},
            {"filled", [&] { return ItemText(box, CPageSettingsDlg::IDC_SEARCH) != "typed before"; }},
            {"picture", Once([&] { Picture(box, std::string("http_settings_snapshot_") + (c.server ? "page" : "failed")); })},
            {"OK", [&] { return ClickItem(box, IDOK); }},
        });
        EXPECT_EQ(IDOK, dialog.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        const std::string text = (LPCTSTR)dialog.searchText;
        if (c.server != nullptr) {
            EXPECT_NE(std::string::npos, text.find(c.text)) << text;
            EXPECT_EQ(std::string::npos, text.find("<p>")) << "the visible text only: " << text;
            std::vector<std::string> log = c.server->outputOfAtLeast(requestsBefore + 1);
            ASSERT_GT(log.size(), requestsBefore);
            EXPECT_EQ(0u, log[requestsBefore].find("REQ GET /index.html")) << log[requestsBefore];
            EXPECT_NE(std::string::npos, log[requestsBefore].find(c.item->getGeneral().name)) << "the item's name is the agent";
        } else {
            EXPECT_EQ(c.text, text);
        }
        EXPECT_EQ(0, dialog.saveFailed) << "the other values keep what was set";
    }
}

TEST(PageSettings, SettingsOfTheSheetSnapshotAndOkCarryTheTextIntoTheItem)
{
    App();
    Items& items = TheItems();
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    Saved saved(items.fixture);
    PropertiesSheet s(items.fixture);
    HWND settings = NULL;
    orvtest::Script script({
        {"shown", s.Shown()},
        {"Settings", s.PressOnPage(CItemPropertiesDlg::IDC_SETTINGS)},
        {"the HTTP dialog", [&] { return (settings = ActiveWithCaption("HTTP/HTTPS Settings")) != NULL; }},
        {"Snapshot", [&] { return ClickItem(settings, CPageSettingsDlg::IDC_SNAPSHOT); }},
        {"filled", [&] { return ItemText(settings, CPageSettingsDlg::IDC_SEARCH).find("Hello from the fixture") != std::string::npos; }},
        {"picture", Once([&] { Picture(settings, "http_settings"); })},
        {"OK", [&] { return ClickItem(settings, IDOK); }},
        {"Apply enabled", [&] { return Ready(s.box) && ::IsWindowEnabled(::GetDlgItem(s.box, kApply)); }},
        {"sheet OK", s.Press(IDOK)},
    });
    EXPECT_EQ(IDOK, s.sheet.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_NE(std::string::npos, items.fixture->getHttp().searchText.find("Hello from the fixture"));
}

// ---- the test run ----

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        if (end > start)
            lines.push_back(text.substr(start, end - start));
    return lines;
}

TEST(TestRun, TestShowsTheStepsInArrivalOrderAndLeavesNoTemporaryItem)
{
    App();
    Items& items = TheItems();
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    Saved saved(items.fixture);
    PropertiesSheet s(items.fixture);
    s.page.searchText = "Hello from the fixture";
    HWND run = NULL;
    std::string shown;
    orvtest::Script script({
        {"shown", s.Shown()},
        {"Test", s.PressByKey(CItemPropertiesDlg::IDC_TEST)},
        {"the test run", [&] { return (run = ActiveWithCaption("Testing Fixture")) != NULL; }},
        {"ended", [&] { return ItemText(run, CTestViewDlg::IDC_LOG).find("Test finished.") != std::string::npos; }},
        {"picture", Once([&] {
             shown = ItemText(run, CTestViewDlg::IDC_LOG);
             Picture(run, "test_run");
         })},
        {"OK", [&] { return ClickItem(run, IDOK); }},
        {"back on the sheet", [&] { return Ready(s.box); }},
        {"Cancel", s.Press(IDCANCEL)},
    });
    s.sheet.DoModal();
    EXPECT_TRUE(script.finished()) << script.failure;
    const std::vector<std::string> lines = Lines(shown);
    ASSERT_EQ(4u, lines.size()) << shown;
    EXPECT_EQ("Connecting to 127.0.0.1/index.html and performing test ...", lines[0]);
    EXPECT_EQ(0u, lines[1].find("Page succesfully downloaded in ")) << lines[1];
    EXPECT_EQ("The search string specified was found on the page.", lines[2]);
    EXPECT_EQ("Test finished.", lines[3]);
    // the edited values were tested, the item itself is unchanged
    EXPECT_EQ("", items.fixture->getHttp().searchText);
}

TEST(TestRun, ClosingWhileASlowCheckRunsStopsTheWorkerAndWaitsForIt)
{
    App();
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    const struct {
        const char* name;
        std::function<bool(HWND)> close;
        INT_PTR result;
    } cases[] = {
        {"OK", [](HWND run) { return ClickItem(run, IDOK); }, IDOK},
        {"Esc", [](HWND) {
             orvtest::pressKey(VK_ESCAPE);
             return true;
         },
         IDCANCEL},
        {"Cancel (Alt+F4)", [](HWND) {
             orvtest::pressKey(VK_F4, orvtest::kAlt);
             return true;
         },
         IDCANCEL},
    };
    MonitorItemManager* store = MonitorItemManager::instance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MonitorItemSettings* trial = store->createTemporaryItem("Slow");
        trial->getGeneral().type = R::TypeHttp;
        trial->getGeneral().address = "127.0.0.1/hang";
        trial->getGeneral().port = 80;
        trial->getGeneral().timeoutMs = 20000;   // the check would hold for 20 s
        const size_t before = http.output().size();
        DWORD closedAt = 0;
        bool endedBeforeClose = true;
        std::unique_ptr<CTestViewDlg> dialog(new CTestViewDlg(trial));
        HWND run = NULL;
        orvtest::Script script({
            {"shown", [&] { return Ready(run = dialog->m_hWnd); }},
            // the fixture holds the request: the worker is inside its check
            {"held", [&] { return http.output().size() > before; }},
            {"close", [&] {
                 endedBeforeClose = dialog->workerEnded();
                 closedAt = ::GetTickCount();
                 return c.close(run);
             }},
        });
        EXPECT_EQ(c.result, dialog->DoModal());
        const DWORD took = ::GetTickCount() - closedAt;
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_FALSE(endedBeforeClose);
        EXPECT_TRUE(dialog->workerEnded()) << "the worker's thread ended before the dialog went";
        EXPECT_FALSE(dialog->testEnded()) << "stopped, not finished";
        EXPECT_LT(took, 10000u) << "the stop cut the check short";
        dialog.reset();
        store->deleteTemporaryItem(trial);
    }
}

// ---- FTP, POP3 and SMTP settings ----

TEST(ProtocolSettings, FtpAsksAboutMissingRemoteNamesAndRequiresTheAccount)
{
    App();
    const char* downloadQuestion =
        "If you leave the field for the remote file to download empty, the root folder will be used as remote "
        "directory. \nAre you sure you want to do this?";
    const char* uploadQuestion =
        "If you leave the field for the remote file to upload empty, the root folder will be used as remote "
        "directory. \nAre you sure you want to do this?";
    const struct {
        const char* name;
        const char *user, *password, *downloadLocal, *downloadRemote, *uploadLocal, *uploadRemote;
        std::vector<int> answers;
        std::vector<std::string> boxes;
        bool closed;   // OK ended the dialog
    } cases[] = {
        {"no user", "", "pw", "", "", "", "", {}, {CFtpSettingsDlg::kNoUser}, false},
        {"no password", "anna", "", "", "", "", "", {}, {CFtpSettingsDlg::kNoPassword}, false},
        {"no files: no question", "anna", "pw", "", "", "", "", {}, {}, true},
        {"remote names without local ones: no question", "anna", "pw", "", "in.txt", "", "out.txt", {}, {}, true},
        {"download without remote, No", "anna", "pw", "c:\\in.txt", "", "", "", {IDNO}, {downloadQuestion}, false},
        {"download without remote, Yes", "anna", "pw", "c:\\in.txt", "", "", "", {IDYES}, {downloadQuestion}, true},
        {"upload without remote, No", "anna", "pw", "", "", "c:\\out.txt", "", {IDNO}, {uploadQuestion}, false},
        {"both without remote, Yes twice", "anna", "pw", "c:\\in.txt", "", "c:\\out.txt", "", {IDYES, IDYES},
         {downloadQuestion, uploadQuestion}, true},
        {"both without remote, Yes then No", "anna", "pw", "c:\\in.txt", "", "c:\\out.txt", "", {IDYES, IDNO},
         {downloadQuestion, uploadQuestion}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFtpSettingsDlg dialog;
        dialog.user = c.user;
        dialog.password = c.password;
        dialog.downloadLocal = c.downloadLocal;
        dialog.downloadRemote = c.downloadRemote;
        dialog.uploadLocal = c.uploadLocal;
        dialog.uploadRemote = c.uploadRemote;
        HWND box = NULL;
        orvtest::Script* running = nullptr;
        bool stayed = false;
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
            {"shown", [&] { return Ready(box = dialog.m_hWnd); }},
            {"OK", [&] { return QueueClickItem(box, IDOK); }},
        };
        if (!c.closed) {
            // the refusal or the No answered, the dialog takes input again
            steps.push_back({"answered", [&] { return running->boxes.texts.size() >= c.boxes.size() && Ready(box); }});
            steps.push_back({"still open: Cancel", [&] {
                                 stayed = ::IsWindow(box) != FALSE;
                                 return ClickItem(box, IDCANCEL);
                             }});
        }
        orvtest::Script script(steps);
        running = &script;
        script.boxes.answers = c.answers;
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(c.boxes, script.boxes.texts);
        EXPECT_EQ(c.closed ? IDOK : IDCANCEL, result);
        EXPECT_EQ(!c.closed, stayed);
        EXPECT_EQ(c.downloadRemote, std::string((LPCTSTR)dialog.downloadRemote));
    }
}

// Browse of the FTP settings picks the local file through the open-file dialog (Cancel there
// changes nothing); the test run of the edited values then sends that file to the FTP fixture.
TEST(ProtocolSettings, FtpBrowsePicksTheLocalFileThatTheCheckSendsToTheServer)
{
    App();
    Items& items = TheItems();
    const std::string unixRoot = orvtest::fixtureDir() + "/ftproot";
    ASSERT_TRUE(::CreateDirectoryA(orvtest::windowsPath(unixRoot).c_str(), NULL));
    const std::string local = orvtest::makeScratchFolder("ftp-local") + "\\report.txt";
    {
        HANDLE file = ::CreateFileA(local.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
        ASSERT_NE(INVALID_HANDLE_VALUE, file);
        DWORD written = 0;
        ::WriteFile(file, "browsed and sent", 16, &written, NULL);
        ::CloseHandle(file);
    }
    orvtest::FixtureServer ftp("ftp_srv", {"127.0.0.1", "21", "anna", "secret", unixRoot});
    ASSERT_TRUE(ftp.running()) << ftp.error();
    Saved saved(items.ftp);
    items.ftp->getGeneral().address = "127.0.0.1";
    items.ftp->getFtp().downloadRemoteFile.clear();   // nothing to fetch: only the upload is checked
    PropertiesSheet s(items.ftp);
    HWND settings = NULL, open = NULL, run = NULL;
    std::string shown;
    orvtest::Script script({
        {"shown", s.Shown()},
        {"Settings", s.PressOnPage(CItemPropertiesDlg::IDC_SETTINGS)},
        {"the FTP dialog", [&] { return (settings = ActiveWithCaption("FTP Settings")) != NULL; }},
        {"Browse for the download", [&] { return QueueClickItem(settings, CFtpSettingsDlg::IDC_DOWNLOAD_BROWSE); }},
        {"the open-file dialog", [&] { return (open = ActiveWithCaption("Open")) != NULL; }},
        {"Esc", Once([] { orvtest::pressKey(VK_ESCAPE); })},
        {"nothing chosen", [&] { return !::IsWindow(open) && Ready(settings); }},
        {"download name still empty", Once([&] { EXPECT_EQ("", ItemText(settings, CFtpSettingsDlg::IDC_DOWNLOAD_LOCAL)); })},
        {"Browse for the upload", [&] { return QueueClickItem(settings, CFtpSettingsDlg::IDC_UPLOAD_BROWSE); }},
        {"the open-file dialog again", [&] { return (open = ActiveWithCaption("Open")) != NULL; }},
        {"the file's path typed", [&] {
             HWND name = ::GetFocus();
             if (name == NULL || ::GetAncestor(name, GA_ROOT) != open)
                 return false;
             TypeChars(local.c_str());
             return orvtest::pumpUntil([&] { return TextOf(name) == local; });
         }},
        {"Enter", Once([] { orvtest::pressKey(VK_RETURN); })},
        {"chosen", [&] { return !::IsWindow(open) && Ready(settings); }},
        {"the path shown", Once([&] { EXPECT_EQ(local, ItemText(settings, CFtpSettingsDlg::IDC_UPLOAD_LOCAL)); })},
        {"the remote name", [&] { return TypeInto(settings, settings, CFtpSettingsDlg::IDC_UPLOAD_REMOTE, "sent.txt"); }},
        {"picture", Once([&] { Picture(settings, "ftp_settings_browsed"); })},
        {"OK", [&] { return ClickItem(settings, IDOK); }},
        {"back on the sheet", [&] { return Ready(s.box); }},
        {"Test", s.PressByKey(CItemPropertiesDlg::IDC_TEST)},
        {"the test run", [&] { return (run = ActiveWithCaption("Testing Files")) != NULL; }},
        {"ended", [&] {
             shown = ItemText(run, CTestViewDlg::IDC_LOG);
             return shown.find("FTP test ended") != std::string::npos;
         }},
        {"close the run", [&] { return ClickItem(run, IDOK); }},
        {"back again", [&] { return Ready(s.box); }},
        {"Cancel", s.Press(IDCANCEL)},
    });
    s.sheet.DoModal();
    EXPECT_TRUE(script.finished()) << script.failure << "\n" << shown;
    // the script reads the open-file dialogs as message boxes too (their first text, an OK with
    // no name that does nothing): no other box, no question, no refusal showed
    std::vector<std::string> boxes = script.boxes.texts;
    boxes.erase(std::remove(boxes.begin(), boxes.end(), "Look &in:"), boxes.end());
    EXPECT_EQ(std::vector<std::string>{}, boxes);
    EXPECT_EQ(local, std::string((LPCTSTR)s.page.uploadLocal));
    EXPECT_EQ("", std::string((LPCTSTR)s.page.downloadLocal));
    // the file the dialog chose is the one the check sent
    EXPECT_NE(std::string::npos, shown.find("Uploaded local file " + local + " to sent.txt")) << shown;
    const std::vector<std::string> log = ftp.outputWith("STORED " + unixRoot + "/sent.txt");
    EXPECT_NE(log.end(), std::find(log.begin(), log.end(), "STORED " + unixRoot + "/sent.txt")) << shown;
    EXPECT_EQ("browsed and sent", orvtest::readFile(orvtest::windowsPath(unixRoot + "/sent.txt"))) << shown;
    EXPECT_EQ("", items.ftp->getFtp().uploadLocalFile) << "the sheet was cancelled";
}

TEST(ProtocolSettings, SmtpRequiresBothAddresses)
{
    App();
    const struct {
        const char *to, *from;
        std::vector<std::string> boxes;
        bool closed;
    } cases[] = {
        {"", "me@example.com", {CSmtpSettingsDlg::kNoTo}, false},
        {"you@example.com", "", {CSmtpSettingsDlg::kNoFrom}, false},
        {"", "", {CSmtpSettingsDlg::kNoTo}, false},
        {"you@example.com", "me@example.com", {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.to) + "|" + c.from);
        CSmtpSettingsDlg dialog;
        dialog.to = c.to;
        dialog.from = c.from;
        HWND box = NULL;
        orvtest::Script* running = nullptr;
        std::vector<std::pair<std::string, orvtest::Script::Step>> steps = {
            {"shown", [&] { return Ready(box = dialog.m_hWnd); }},
            {"type the subject", [&] { return TypeInto(box, box, CSmtpSettingsDlg::IDC_SUBJECT, "Probe"); }},
            {"OK", [&] { return QueueClickItem(box, IDOK); }},
        };
        if (!c.closed) {
            steps.push_back({"answered", [&] { return running->boxes.texts.size() >= c.boxes.size() && Ready(box); }});
            steps.push_back({"Cancel", [&] { return ClickItem(box, IDCANCEL); }});
        }
        orvtest::Script script(steps);
        running = &script;
        const INT_PTR result = dialog.DoModal();
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(c.boxes, script.boxes.texts);
        EXPECT_EQ(c.closed ? IDOK : IDCANCEL, result);
        EXPECT_EQ("Probe", std::string((LPCTSTR)dialog.subject));
    }
}

TEST(ProtocolSettings, Pop3HeaderOnlyDisablesTheBodySearchAndKeepsItsText)
{
    App();
    CPop3SettingsDlg dialog;
    dialog.bodySearch = "invoice";
    dialog.headerOnly = 1;
    HWND box = NULL;
    orvtest::Script* running = nullptr;
    auto bodyEnabled = [&] { return ::IsWindowEnabled(::GetDlgItem(box, CPop3SettingsDlg::IDC_BODY_SEARCH)) != FALSE; };
    orvtest::Script script({
        {"shown", [&] { return Ready(box = dialog.m_hWnd); }},
        {"checked at the start: disabled", [&] { return !bodyEnabled(); }},
        {"untick", [&] { return ClickItem(box, CPop3SettingsDlg::IDC_HEADER_ONLY); }},
        {"enabled", [&] { return bodyEnabled(); }},
        {"tick", [&] { return ClickItem(box, CPop3SettingsDlg::IDC_HEADER_ONLY); }},
        {"disabled, text kept", [&] { return !bodyEnabled() && ItemText(box, CPop3SettingsDlg::IDC_BODY_SEARCH) == "invoice"; }},
        {"OK without a user", [&] { return QueueClickItem(box, IDOK); }},
        {"refused", [&] { return running->boxes.texts.size() == 1 && Ready(box); }},
        {"type a user", [&] { return TypeInto(box, box, CPop3SettingsDlg::IDC_USER, "anna"); }},
        {"OK without a password", [&] { return QueueClickItem(box, IDOK); }},
        {"refused again", [&] { return running->boxes.texts.size() == 2 && Ready(box); }},
        {"type a password", [&] { return TypeInto(box, box, CPop3SettingsDlg::IDC_PASSWORD, "pw"); }},
        {"picture", Once([&] { Picture(box, "pop3_settings"); })},
        {"OK", [&] { return ClickItem(box, IDOK); }},
    });
    running = &script;
    EXPECT_EQ(IDOK, dialog.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((std::vector<std::string>{CPop3SettingsDlg::kNoUser, CPop3SettingsDlg::kNoPassword}), script.boxes.texts);
    EXPECT_EQ(1, dialog.headerOnly);
    EXPECT_EQ("invoice", std::string((LPCTSTR)dialog.bodySearch));
    EXPECT_EQ("anna", std::string((LPCTSTR)dialog.user));
    EXPECT_EQ("pw", std::string((LPCTSTR)dialog.password));
}

// ---- pictures of every dialog per look ----

TEST(Pictures, EveryDialogInEveryLook)
{
    App();
    Items& items = TheItems();
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        g_PaintManager.InstallPaintManager(look.make());
        auto show = [&](CDialog& dialog, const std::string& name) {
            HWND box = NULL;
            orvtest::Script script({
                {"shown", [&] { return Ready(box = dialog.m_hWnd); }},
                {"picture", Once([&] { Picture(box, name + "_" + look.name); })},
                {"Cancel", [&] { return ClickItem(box, IDCANCEL); }},
            });
            EXPECT_EQ(IDCANCEL, dialog.DoModal());
            EXPECT_TRUE(script.finished()) << script.failure;
        };
        {
            CPageSettingsDlg http;
            http.searchText = "in stock";
            show(http, "http_settings");
        }
        {
            CFtpSettingsDlg ftp;
            ftp.user = "anna";
            ftp.downloadRemote = "pub/file.txt";
            show(ftp, "ftp_settings");
        }
        {
            CSmtpSettingsDlg smtp;
            smtp.to = "you@example.com";
            smtp.from = "me@example.com";
            show(smtp, "smtp_settings");
        }
        {
            CPop3SettingsDlg pop3;
            pop3.user = "anna";
            pop3.headerOnly = 1;
            show(pop3, "pop3_settings");
        }
        {
            PropertiesSheet s(items.shop);
            orvtest::Script script({
                {"shown", s.Shown()},
                {"picture", Once([&] { Picture(s.box, std::string("properties_") + look.name); })},
                {"Cancel", s.Press(IDCANCEL)},
            });
            s.sheet.DoModal();
            EXPECT_TRUE(script.finished()) << script.failure;
        }
    }
    g_PaintManager.InstallPaintManager(new CExtPaintManager);
}

// ---- last: the store is released ----

TEST(StoreRelease, NoTemporaryItemOfATestRunIsLeaked)
{
    App();
    Items& items = TheItems();
    orvtest::FixtureServer http("http_srv", {"127.0.0.1", "80"});
    ASSERT_TRUE(http.running()) << http.error();
    {
        PropertiesSheet s(items.fixture);
        HWND run = NULL;
        orvtest::Script script({
            {"shown", s.Shown()},
            {"Test", s.PressByKey(CItemPropertiesDlg::IDC_TEST)},
            {"the test run", [&] { return (run = ActiveWithCaption("Testing Fixture")) != NULL; }},
            {"ended", [&] { return ItemText(run, CTestViewDlg::IDC_LOG).find("Test finished.") != std::string::npos; }},
            {"OK", [&] { return ClickItem(run, IDOK); }},
            {"Cancel", s.Press(IDCANCEL)},
        });
        s.sheet.DoModal();
        EXPECT_TRUE(script.finished()) << script.failure;
    }
    // one left on purpose shows that a leak would be reported
    MonitorItemManager::instance()->createTemporaryItem("Forgotten");
    guitest::LogCapture log("monitor.MonitorItemManager", "store.log");
    MonitorItemManager::instance()->unloadAll();
    MonitorItemManager::instance()->release();
    const std::string text = log.text();
    EXPECT_NE(std::string::npos, text.find("Temporary item leaked: Forgotten")) << text;
    EXPECT_EQ(std::string::npos, text.find("Temporary item leaked: Fixture")) << text;
}

}  // namespace

// The program ends without running the destructors of its statics: in a Winelib GUI process they
// run after ntdll has detached, and a destructor that calls Win32 (the profile store writes its
// file) then crashes the process.
int main(int argc, char** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    int result = RUN_ALL_TESTS();
    ProfileStore::instance()->save();
    std::fflush(stdout);
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), static_cast<UINT>(result));
    return result;
}
