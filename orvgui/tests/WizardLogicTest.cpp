// The alarm and wizard rules that need no window: the recipient split, the address as the wizard
// stores it, the alarm page chain per choice, the protocol's default port, the fixed sheet's hit
// test, and the alarm page's values to and from the item's records and the action pages.
#include "orv/gtest.h"

#include <string>
#include <vector>

#include "AlarmRecipients.h"
#include "CAlarmActionCommandsPage.h"
#include "CAlarmActionEmailPage.h"
#include "CAlarmActionSoundPage.h"
#include "CAlarmActionVisualPage.h"
#include "CAlarmSettingDlg.h"
#include "FixedPropertySheet.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "WizardRules.h"

typedef std::vector<std::string> Texts;

TEST(AlarmRecipients, SplitsAtCommasTrimsAndDropsEmptyPieces)
{
    const struct {
        const char* text;
        Texts recipients;
    } cases[] = {
        {"a@x.test, b@y.test", {"a@x.test", "b@y.test"}},       // no leading blank on the second
        {"a@x.test,", {"a@x.test"}},                            // the joined form's tail
        {",a@x.test", {"a@x.test"}},                            // no mail to ""
        {"a@x.test,,b@y.test", {"a@x.test", "b@y.test"}},
        {" a@x.test ,\r\n\tb@y.test\r\n", {"a@x.test", "b@y.test"}},   // lines of the multi-line edit
        {" , ,", {}},
        {"", {}},
        {"one@x.test", {"one@x.test"}},
        {"first last@x.test", {"first last@x.test"}},         // blanks inside stay
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(c.recipients, AlarmRecipients::split(c.text));
    }
}

TEST(AlarmRecipients, JoinPutsACommaAfterEveryAddressAndSplitGivesTheListBack)
{
    const Texts lists[] = {{}, {"a@x.test"}, {"a@x.test", "b@y.test", "c@z.test"}};
    const char* joined[] = {"", "a@x.test,", "a@x.test,b@y.test,c@z.test,"};
    for (size_t i = 0; i < sizeof joined / sizeof *joined; ++i) {
        EXPECT_EQ(joined[i], AlarmRecipients::join(lists[i]));
        EXPECT_EQ(lists[i], AlarmRecipients::split(AlarmRecipients::join(lists[i])));
    }
}

TEST(WizardRules, AddressLosesItsSpacesAndOneTrailingSlash)
{
    const struct {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"http://shop.example.test/", "http://shop.example.test"},
        {"http://shop.example.test//", "http://shop.example.test/"},   // only one slash goes
        {"http://shop.example.test/a/", "http://shop.example.test/a"},
        {"\\\\server\\share\\", "\\\\server\\share"},
        {" shop . example.test ", "shop.example.test"},
        {"http://shop.example.test/ ", "http://shop.example.test"},   // spaces go first
        {"10.0.0.1", "10.0.0.1"},
        {"/", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(c.stored, WizardRules::normaliseAddress(c.typed));
    }
}

TEST(WizardRules, AlarmPagesChainInTheFixedOrderForwardsAndBack)
{
    typedef WizardRules W;
    struct Case {
        bool email, sound, visual, command;
        std::vector<int> forwards;   // the pages Next visits after the alarm choice, ending on Finished
        std::vector<int> backwards;  // the pages Back visits from Finished, ending on the alarm choice
    };
    const Case cases[] = {
        {true, false, true, false, {W::PageEmail, W::PageVisual, W::PageFinished},
         {W::PageVisual, W::PageEmail, W::PageAlarms}},
        {false, true, false, false, {W::PageSound, W::PageFinished}, {W::PageSound, W::PageAlarms}},
        {false, false, false, true, {W::PageCommand, W::PageFinished}, {W::PageCommand, W::PageAlarms}},
        {true, true, true, true, {W::PageEmail, W::PageSound, W::PageVisual, W::PageCommand, W::PageFinished},
         {W::PageCommand, W::PageVisual, W::PageSound, W::PageEmail, W::PageAlarms}},
        {false, true, false, true, {W::PageSound, W::PageCommand, W::PageFinished},
         {W::PageCommand, W::PageSound, W::PageAlarms}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.email << c.sound << c.visual << c.command);
        const W::Chain chain = W::chain(c.email, c.sound, c.visual, c.command);
        auto linkOf = [&](int page) -> const W::Link* {
            for (const W::Link& link : chain.pages)
                if (link.page == page)
                    return &link;
            return nullptr;
        };
        std::vector<int> forwards;
        for (int page = chain.first(); page != 0 && forwards.size() < 10;) {
            forwards.push_back(page);
            const W::Link* link = linkOf(page);
            page = link != nullptr ? link->next : 0;
        }
        EXPECT_EQ(c.forwards, forwards);
        std::vector<int> backwards;
        for (int page = chain.finishedBack; page != 0 && backwards.size() < 10;) {
            backwards.push_back(page);
            const W::Link* link = linkOf(page);
            page = link != nullptr ? link->back : 0;
        }
        EXPECT_EQ(c.backwards, backwards);
    }
    const W::Chain none = W::chain(false, false, false, false);
    EXPECT_TRUE(none.pages.empty());
    EXPECT_EQ(0, none.first());
}

TEST(FixedPropertySheet, SizingBordersAreNowhereAndEveryOtherHitStays)
{
    const struct {
        LRESULT hit, answer;
    } cases[] = {
        {HTLEFT, HTNOWHERE},   {HTRIGHT, HTNOWHERE},      {HTTOP, HTNOWHERE},         {HTTOPLEFT, HTNOWHERE},
        {HTTOPRIGHT, HTNOWHERE}, {HTBOTTOM, HTNOWHERE},   {HTBOTTOMLEFT, HTNOWHERE},  {HTBOTTOMRIGHT, HTNOWHERE},
        {HTBORDER, HTNOWHERE}, {HTCAPTION, HTCAPTION},    {HTCLIENT, HTCLIENT},       {HTSYSMENU, HTSYSMENU},
        {HTCLOSE, HTCLOSE},    {HTNOWHERE, HTNOWHERE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.answer, FixedPropertySheet::FixHitTest(c.hit)) << c.hit;
}

namespace {

class AlarmValuesTest : public ::testing::Test {
protected:
    void SetUp() override { item_ = MonitorItemManager::instance()->createTemporaryItem("alarm values"); }
    void TearDown() override { MonitorItemManager::instance()->deleteTemporaryItem(item_); }
    MonitorItemSettings* item_ = nullptr;
};

}  // namespace

TEST_F(AlarmValuesTest, EveryValueGoesToItsRecordFieldAndComesBack)
{
    CAlarmSettingDlg page;
    page.trigger = 0;
    page.failures = 4;
    page.autoReset = 1;
    page.successes = 2;
    page.cmdRun = 1;
    page.program = "C:\\tools\\page.exe";
    page.urlRun = 0;
    page.url = "http://status.example.test/";
    page.mailActive = 1;
    page.addresses = "ops@example.test, ,  night@example.test,";
    page.mailOption23 = 1;
    page.mailReport = 1;
    page.mailSms = 0;
    page.mailOption25 = 1;
    page.soundActive = 1;
    page.soundLoop = 1;
    page.soundFile = "C:\\sounds\\alarm.wav";
    page.visualActive = 0;
    page.visualText = "Down: <%WEBSITE_NAME%>";
    page.writeTo(*item_);

    const AlarmTrigger& t = item_->getAlarmTrigger();
    EXPECT_FALSE(t.enabled);
    EXPECT_EQ(4, t.failureThreshold);
    EXPECT_TRUE(t.autoReset);
    EXPECT_EQ(2, t.resetThreshold);
    const CommandAction& c = item_->getCommandAction();
    EXPECT_TRUE(c.programEnabled);
    EXPECT_EQ("C:\\tools\\page.exe", c.program);
    EXPECT_FALSE(c.urlEnabled);
    EXPECT_EQ("http://status.example.test/", c.url);
    const MailAction& m = item_->getMailAction();
    EXPECT_TRUE(m.enabled);
    EXPECT_EQ((Texts{"ops@example.test", "night@example.test"}), m.recipients);
    EXPECT_TRUE(m.reservedFlag2);   // the unshown option flag goes back as loaded
    EXPECT_TRUE(m.attachReport);
    EXPECT_FALSE(m.sendSms);
    EXPECT_TRUE(m.reservedFlag1);
    const SoundAction& s = item_->getSoundAction();
    EXPECT_TRUE(s.enabled);
    EXPECT_TRUE(s.loop);
    EXPECT_EQ("C:\\sounds\\alarm.wav", s.soundFile);
    const VisualAction& v = item_->getVisualAction();
    EXPECT_FALSE(v.enabled);
    EXPECT_EQ("Down: <%WEBSITE_NAME%>", v.text);

    CAlarmSettingDlg loaded;
    loaded.loadFrom(*item_);
    EXPECT_EQ(0, loaded.trigger);
    EXPECT_EQ(4, loaded.failures);
    EXPECT_EQ(1, loaded.autoReset);
    EXPECT_EQ(2, loaded.successes);
    EXPECT_EQ(1, loaded.cmdRun);
    EXPECT_EQ(0, loaded.urlRun);
    EXPECT_EQ(std::string("ops@example.test,night@example.test,"), (LPCTSTR)loaded.addresses);
    EXPECT_EQ(1, loaded.mailOption23);
    EXPECT_EQ(1, loaded.mailOption25);
    EXPECT_EQ(1, loaded.soundLoop);
    EXPECT_EQ(std::string("Down: <%WEBSITE_NAME%>"), (LPCTSTR)loaded.visualText);
}

TEST(AlarmActionPages, OnlyAppliedPagesGiveTheirValuesBack)
{
    CAlarmSettingDlg page;
    page.program = "old.exe";
    page.addresses = "old@example.test,";
    page.soundFile = "old.wav";
    page.visualText = "old text";
    CAlarmActionCommandsPage commands;
    CAlarmActionEmailPage email;
    CAlarmActionSoundPage sound;
    CAlarmActionVisualPage visual;
    page.copyTo(commands, email, sound, visual);
    EXPECT_EQ(std::string("old.exe"), (LPCTSTR)commands.program);
    EXPECT_EQ(std::string("old@example.test,"), (LPCTSTR)email.addresses);
    EXPECT_EQ(std::string("old.wav"), (LPCTSTR)sound.soundFile);
    EXPECT_EQ(std::string("old text"), (LPCTSTR)visual.visualText);

    commands.program = "new.exe";
    commands.cmdRun = 1;
    email.addresses = "new@example.test";
    email.mailActive = 1;
    sound.soundFile = "new.wav";
    visual.visualText = "new text";
    email.applied = 1;    // applied before the sheet was cancelled
    visual.applied = 1;
    page.takeBack(commands, email, sound, visual);
    EXPECT_EQ(std::string("old.exe"), (LPCTSTR)page.program) << "never applied: nothing back";
    EXPECT_EQ(0, page.cmdRun);
    EXPECT_EQ(std::string("new@example.test"), (LPCTSTR)page.addresses);
    EXPECT_EQ(1, page.mailActive);
    EXPECT_EQ(std::string("old.wav"), (LPCTSTR)page.soundFile);
    EXPECT_EQ(std::string("new text"), (LPCTSTR)page.visualText);
}

