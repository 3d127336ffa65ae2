// The new-item wizard under Xvfb, driven by real input: every page in turn, its refusals with
// their messages (the page stays), Back along the same alarm chain, the unit and protocol chosen
// by keys and clicks, and Finish creating the item with its records and recipients; the item
// made from the pages' values; pictures of every page per look.
#include "orv/gtest.h"

#include <memory>
#include <string>
#include <vector>

#include "CAlarmActionVisualPage.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "MonitorItemWrapperManager.h"
#include "NewItemWizard.h"
#include "WizardGuiSupport.h"

using namespace wiztest;

namespace {

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
    // Presses Next once; done when the message came and the page is still shown.
    orvtest::Script::Step refused(CWizardPage& stays)
    {
        auto pressed = std::make_shared<bool>(false);
        auto count = std::make_shared<size_t>(0);
        return [this, &stays, pressed, count] {
            if (!*pressed) {
                *count = script->boxes.texts.size();
                *pressed = VisibleAndEnabled(sheet(), kNext) && ClickItem(sheet(), kNext);
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

TEST_F(WizardTest, FromFirstToLastPageWithRefusalsBackAlongTheChainAndFinish)
{
    // an item the address may not repeat
    MonitorItemSettings* taken = Store().createItem();
    taken->getGeneral().address = "http://taken.example.test";
    wrappers->add(taken);

    NewItemWizard wizard(Store(), *wrappers);
    Driver d{wizard};
    std::vector<std::string> backHidden;
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
        {"the address", d.type(CWizardPageFirst::IDC_ADDRESS, "http://shop.example.test/ cart//")},
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
    });
    d.script = &script;
    MonitorItemWrapper* made = wizard.run();
    EXPECT_TRUE(script.finished()) << script.failure;
    // A skinned sheet button still under the pointer when the message box closes may take the
    // press once more (a library matter): a message repeated in a row counts once. Each refusal
    // step above waited for its own message with the page kept.
    std::vector<std::string> messages;
    for (const std::string& text : script.boxes.texts)
        if (messages.empty() || messages.back() != text)
            messages.push_back(text);
    EXPECT_EQ((std::vector<std::string>{
                  CWizardPageFirst::kNoAddress, CWizardPageFirst::kAddressExists,
                  "You cannot select a frequency lower than 30 seconds.",   // 20 seconds, 0 minutes
                  CWizardPageAlarms::kNoAlarm, CWizardPageAlarmEmail::kNoAddress,   // empty, commas only
                  CWizardPageAlarmSound::kNoFile}),
              messages);
    ASSERT_NE(nullptr, made);
    MonitorItemSettings* item = made->getItem();
    const ItemGeneralSettings& g = item->getGeneral();
    EXPECT_EQ("http://shop.example.test/cart/", g.address);
    EXPECT_EQ("Shop", g.name);
    EXPECT_EQ(5, g.interval);
    EXPECT_EQ(UnitMinutes, g.intervalUnit);
    EXPECT_EQ(3000, g.timeoutMs);
    EXPECT_EQ(ItemHttp, g.type);
    EXPECT_EQ(8080, g.port) << "the port typed after picking the protocol";
    EXPECT_TRUE(g.enabled);
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
    // saved: the folder holds the records
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesA(item->getDirectory().c_str()));
    const std::string folder = item->getDirectory();
    WIN32_FIND_DATAA found;
    HANDLE h = ::FindFirstFileA((folder + (folder.back() == '\\' ? "*" : "\\*")).c_str(), &found);
    int files = 0;
    if (h != INVALID_HANDLE_VALUE) {
        do
            files += (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        while (::FindNextFileA(h, &found));
        ::FindClose(h);
    }
    EXPECT_GT(files, 0) << folder;
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
