// The alarm page of the item's properties, the "Set Alarm Actions" sheet and the fixed-size sheet
// under Xvfb, driven by real input: the enable states of the counts, Apply writing the records,
// the action pages' Active boxes following what is typed, Apply then Cancel in the action sheet,
// the sheet's border that does not size it while its caption moves it. Pictures per look.
#include "orv/gtest.h"

#include <memory>
#include <string>
#include <vector>

#include "CAlarmActionCommandsPage.h"
#include "CAlarmActionEmailPage.h"
#include "CAlarmActionSoundPage.h"
#include "CAlarmActionVisualPage.h"
#include "CAlarmSettingDlg.h"
#include "FixedPropertySheet.h"
#include "Monitor/MonitorItemManager.h"
#include "Monitor/MonitorItemSettings.h"
#include "MonitorItemWrapper.h"
#include "WindowTestSupport.h"

using namespace wintest;

namespace {

CWinApp& App()
{
    return orvtest::uiApp("orvgui alarm and wizard test");
}

const DWORD kWaitMs = 20000;
const UINT kApplyButton = 0x3021;

// A sheet made modeless, laid out, in front and at a fixed place.
template <class Sheet>
bool Show(Sheet& sheet, int x = 80, int y = 80)
{
    if (!sheet.Create())
        return false;
    if (!orvtest::pumpUntil([&] { return sheet.IsLayoutSetUp(); }, kWaitMs))
        return false;
    sheet.SetWindowPos(&CWnd::wndTop, x, y, 0, 0, SWP_NOSIZE);
    sheet.SetForegroundWindow();
    return orvtest::pumpUntil([&] { return ::GetForegroundWindow() == sheet.m_hWnd; }, kWaitMs);
}

// Ctrl+Tab (the focus in a page) until the sheet shows the page with that index.
bool GoToPage(CPropertySheet& sheet, int index)
{
    for (int tries = 0; tries < 4 && sheet.GetActiveIndex() != index; ++tries) {
        const int before = sheet.GetActiveIndex();
        orvtest::pressKey(VK_TAB, index > before ? orvtest::kCtrl : orvtest::kCtrl | orvtest::kShift);
        if (!orvtest::pumpUntil([&] { return sheet.GetActiveIndex() != before; }, kWaitMs))
            return false;
    }
    return sheet.GetActiveIndex() == index;
}

bool ApplyEnabled(HWND sheet)
{
    return ::IsWindowEnabled(::GetDlgItem(sheet, kApplyButton)) != FALSE;
}

class AlarmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        item = MonitorItemManager::instance()->createTemporaryItem("alarm page");
        wrapper.reset(new MonitorItemWrapper(item));
    }
    void TearDown() override
    {
        g_PaintManager.InstallPaintManager(new CExtPaintManager);
        wrapper.reset();
        MonitorItemManager::instance()->deleteTemporaryItem(item);
        orvtest::pumpWaiting();
    }

    MonitorItemSettings* item = nullptr;
    std::unique_ptr<MonitorItemWrapper> wrapper;
};

// The alarm page with the action sheet's pages open while Actions runs.
class WatchedAlarmPage : public CAlarmSettingDlg {
public:
    CAlarmActionCommandsPage* commands = nullptr;
    CAlarmActionEmailPage* email = nullptr;
    CAlarmActionSoundPage* sound = nullptr;
    CAlarmActionVisualPage* visual = nullptr;

protected:
    void runActionSheet(CAlarmActionCommandsPage& c, CAlarmActionEmailPage& e, CAlarmActionSoundPage& s,
                        CAlarmActionVisualPage& v) override
    {
        commands = &c;
        email = &e;
        sound = &s;
        visual = &v;
        CAlarmSettingDlg::runActionSheet(c, e, s, v);
        commands = nullptr;
        email = nullptr;
        sound = nullptr;
        visual = nullptr;
    }
};

}  // namespace

TEST_F(AlarmTest, TheCountsAndTheResetBoxFollowTheTwoBoxesAndApplyWritesTheRecords)
{
    CAlarmSettingDlg page;   // the page's defaults: trigger and auto-reset on
    page.setWrapper(wrapper.get());
    FixedPropertySheet sheet(true, "Item Properties");
    sheet.AddPage(&page);
    ASSERT_TRUE(Show(sheet));
    const HWND p = page.m_hWnd;
    typedef CAlarmSettingDlg A;

    const struct {
        int toggle;   // the box clicked (0: none)
        bool failures, successes, reset;
    } steps[] = {
        {0, true, true, true},                     // the store's default: trigger on, auto-reset on
        {A::IDC_AUTO_RESET, true, false, true},    // manual reset: no success count
        {A::IDC_TRIGGER, false, false, false},     // no trigger: nothing to set
        {A::IDC_TRIGGER, true, true, true},        // the trigger enables all three, the count too
        {A::IDC_AUTO_RESET, true, true, true},
        {A::IDC_AUTO_RESET, true, false, true},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(step.toggle);
        if (step.toggle != 0) {
            ASSERT_TRUE(Toggle(p, step.toggle));
        }
        // the box shows its new state before the page has heard of the click
        orvtest::pumpUntil([&] {
            return Enabled(p, A::IDC_FAILURES) == step.failures && Enabled(p, A::IDC_SUCCESSES) == step.successes &&
                   Enabled(p, A::IDC_AUTO_RESET) == step.reset;
        }, kWaitMs);
        EXPECT_EQ(step.failures, Enabled(p, A::IDC_FAILURES));
        EXPECT_EQ(step.successes, Enabled(p, A::IDC_SUCCESSES));
        EXPECT_EQ(step.reset, Enabled(p, A::IDC_AUTO_RESET));
    }
    EXPECT_TRUE(ApplyEnabled(sheet.m_hWnd)) << "the rules mark the page modified";

    orvtest::Script script({
        {"auto-reset on again", [&] { return Toggle(p, A::IDC_AUTO_RESET); }},
        {"failures 7, successes 2", [&] {
             return FocusEdit(p, A::IDC_FAILURES, true) && TypeInto(::GetDlgItem(p, A::IDC_FAILURES), "7", "7") &&
                    FocusEdit(p, A::IDC_SUCCESSES, true) && TypeInto(::GetDlgItem(p, A::IDC_SUCCESSES), "2", "2");
         }},
        {"no trigger", [&] { return Toggle(p, A::IDC_TRIGGER); }},
        {"apply", [&] { return ClickItem(sheet.m_hWnd, kApplyButton); }},
        {"written", [&] { return item->getAlarmTrigger().failureThreshold == 7; }},
    });
    EXPECT_TRUE(script.run()) << script.failure;
    const AlarmTrigger& t = item->getAlarmTrigger();
    EXPECT_EQ(7, t.failureThreshold);
    EXPECT_EQ(2, t.resetThreshold);
    EXPECT_FALSE(t.enabled);
    EXPECT_TRUE(t.autoReset);
    sheet.DestroyWindow();
}

// A count typed beyond its range (0 .. 999999) or no number at all is refused by Apply with the
// standard message: the page stays with the typed text, the item keeps its trigger. Both ends of
// the range are taken.
TEST_F(AlarmTest, CountsOutsideTheirRangeAreRefusedByApplyAndTheEndsAreTaken)
{
    typedef CAlarmSettingDlg A;
    const std::string range = "Please enter an integer between 0 and 999999.";
    const std::string notANumber = "Please enter an integer.";
    const struct {
        const char* name;
        int edit;
        const char* typed;
        std::vector<std::string> boxes;   // empty: applied
        int stored;
    } cases[] = {
        {"failures one beyond", A::IDC_FAILURES, "1000000", {range}, 0},
        {"successes one beyond", A::IDC_SUCCESSES, "1000000", {range}, 0},
        {"failures below zero", A::IDC_FAILURES, "-1", {range}, 0},
        {"beyond a 32-bit number", A::IDC_FAILURES, "99999999999", {notANumber}, 0},
        {"letters after the digits", A::IDC_SUCCESSES, "12x", {notANumber}, 0},
        {"failures at the top", A::IDC_FAILURES, "999999", {}, 999999},
        {"successes at the top", A::IDC_SUCCESSES, "999999", {}, 999999},
        {"successes at zero", A::IDC_SUCCESSES, "0", {}, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        // both counts editable
        item->getAlarmTrigger() = AlarmTrigger{true, 3, true, 2};
        CAlarmSettingDlg page;
        page.setWrapper(wrapper.get());
        page.loadFrom(*item);
        FixedPropertySheet sheet(true, "Item Properties");
        sheet.AddPage(&page);
        ASSERT_TRUE(Show(sheet));
        const HWND p = page.m_hWnd;
        const HWND edit = ::GetDlgItem(p, c.edit);
        orvtest::Script* running = nullptr;
        orvtest::Script script({
            // typing into a count is no change of the page's: the reset box off and on again is
            {"changed", [&] { return Toggle(p, A::IDC_AUTO_RESET) && Toggle(p, A::IDC_AUTO_RESET); }},
            {"type", [&] { return FocusEdit(p, c.edit, true) && TypeInto(edit, c.typed, c.typed); }},
            // queued: a refusal's message box runs its loop after the step
            {"apply", [&] { return ApplyEnabled(sheet.m_hWnd) && QueueClickItem(sheet.m_hWnd, kApplyButton); }},
            {"answered", [&] {
                 if (c.boxes.empty())
                     return !ApplyEnabled(sheet.m_hWnd);
                 return running->boxes.texts.size() >= c.boxes.size() && ::GetForegroundWindow() == sheet.m_hWnd;
             }},
        });
        running = &script;
        EXPECT_TRUE(script.run()) << script.failure;
        EXPECT_EQ(c.boxes, script.boxes.texts);
        const AlarmTrigger& t = item->getAlarmTrigger();
        if (c.boxes.empty()) {
            EXPECT_EQ(c.stored, c.edit == A::IDC_FAILURES ? t.failureThreshold : t.resetThreshold);
        } else {
            EXPECT_EQ(c.typed, TextOf(edit)) << "the typed text stays";
            EXPECT_TRUE(ApplyEnabled(sheet.m_hWnd));
            EXPECT_EQ(3, t.failureThreshold) << "nothing written";
            EXPECT_EQ(2, t.resetThreshold) << "nothing written";
        }
        sheet.DestroyWindow();
        orvtest::pumpWaiting();
    }
}

TEST_F(AlarmTest, ActiveBoxesFollowTypingClearingAndTheUsersOwnClick)
{
    CAlarmSettingDlg values;
    CAlarmActionCommandsPage commands;
    CAlarmActionEmailPage email;
    CAlarmActionSoundPage sound;
    CAlarmActionVisualPage visual;
    values.copyTo(commands, email, sound, visual);
    FixedPropertySheet sheet(true, "Set Alarm Actions");
    sheet.AddPage(&commands);
    sheet.AddPage(&email);
    sheet.AddPage(&sound);
    sheet.AddPage(&visual);
    ASSERT_TRUE(Show(sheet));
    EXPECT_FALSE(ApplyEnabled(sheet.m_hWnd)) << "filling the pages is no change";

    enum Action { Type, Clear, Click };
    CPropertyPage* pages[] = {&commands, &email, &sound, &visual};
    const struct {
        int page, edit, box;
        Action action;
        const char* keys;
        bool checked;
    } steps[] = {
        // the program's box follows every keystroke
        {0, 1001, 1031, Type, "a", true},
        {0, 1001, 1031, Clear, "", false},
        {0, 1001, 1031, Type, "b", true},
        {0, 1001, 1031, Click, "", false},
        {0, 1001, 1031, Type, "c", true},
        // the URL's box follows only the change between empty and not empty
        {0, 1033, 1032, Type, "u", true},
        {0, 1033, 1032, Click, "", false},
        {0, 1033, 1032, Type, "v", false},
        {0, 1033, 1032, Clear, "", false},
        {0, 1033, 1032, Type, "w", true},
        {1, 1001, 1026, Type, "ops@x.test", true},
        {1, 1001, 1026, Clear, "", false},
        {1, 1001, 1026, Click, "", true},
        {1, 1001, 1026, Type, "n", true},
        {2, 1001, 1026, Type, "a.wav", true},
        {2, 1001, 1026, Click, "", false},
        {2, 1001, 1026, Type, "x", true},
        {2, 1001, 1026, Clear, "", false},
        {3, 1001, 1026, Type, "x", true},   // the default text is there, unchecked
        {3, 1001, 1026, Clear, "", false},
    };
    for (const auto& step : steps) {
        SCOPED_TRACE(testing::Message() << "page " << step.page << " edit " << step.edit << " '" << step.keys << "'");
        ASSERT_TRUE(GoToPage(sheet, step.page));
        const HWND p = pages[step.page]->m_hWnd;
        const HWND edit = ::GetDlgItem(p, step.edit);
        switch (step.action) {
        case Type: {
            ASSERT_TRUE(FocusEdit(p, step.edit, false));
            const std::string expected = TextOf(edit) + step.keys;
            ASSERT_TRUE(TypeInto(edit, step.keys, expected));
            break;
        }
        case Clear:
            ASSERT_TRUE(FocusEdit(p, step.edit, true));
            orvtest::pressKey(VK_DELETE);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return TextOf(edit).empty(); }, kWaitMs));
            break;
        case Click:
            ASSERT_TRUE(Toggle(p, step.box));
            break;
        }
        EXPECT_EQ(step.checked, Checked(p, step.box));
        EXPECT_TRUE(ApplyEnabled(sheet.m_hWnd));
    }
    sheet.DestroyWindow();
}

TEST_F(AlarmTest, ValuesAppliedInTheActionSheetStayAfterItsCancel)
{
    WatchedAlarmPage page;
    page.loadFrom(*item);
    page.setWrapper(wrapper.get());
    page.soundFile = "C:\\sounds\\old.wav";
    FixedPropertySheet sheet(true, "Item Properties");
    sheet.AddPage(&page);
    ASSERT_TRUE(Show(sheet));
    HWND actions = NULL;
    // the first page is made with the sheet, the others when they are first shown
    auto actionSheet = [&]() -> CPropertySheet* {
        return page.commands != nullptr && page.commands->m_hWnd != NULL ? page.commands->GetParentSheet() : nullptr;
    };
    orvtest::Script script({
        // the click is handled after the step: the sheet's modal loop then runs the next steps
        {"actions", [&] { return QueueClickItem(page.m_hWnd, CAlarmSettingDlg::IDC_ACTIONS); }},
        {"sheet shown", [&] {
             actions = ::FindWindowA(NULL, "Set Alarm Actions");
             return actions != NULL && ::IsWindowVisible(actions) && actionSheet() != nullptr &&
                    ::GetForegroundWindow() == actions;
         }},
        {"email page", [&] { return GoToPage(*actionSheet(), 1); }},
        {"type an address", [&] {
             HWND e = page.email->m_hWnd;
             return FocusEdit(e, 1001, true) && TypeInto(::GetDlgItem(e, 1001), "ops@x.test", "ops@x.test");
         }},
        {"apply", [&] { return ClickItem(actions, kApplyButton); }},
        {"applied", [&] { return page.email->applied != 0; }},
        {"back into the page", [&] { return FocusEdit(page.email->m_hWnd, 1001, false); }},
        {"sound page", [&] { return GoToPage(*actionSheet(), 2); }},
        {"type a file", [&] {
             HWND s = page.sound->m_hWnd;
             return FocusEdit(s, 1001, true) && TypeInto(::GetDlgItem(s, 1001), "new.wav", "new.wav");
         }},
        {"cancel", [&] { return ClickItem(actions, IDCANCEL); }},
        {"gone", [&] { return !::IsWindow(actions); }},
    });
    EXPECT_TRUE(script.run()) << script.failure;
    EXPECT_EQ(std::string("ops@x.test"), (LPCTSTR)page.addresses);
    EXPECT_EQ(1, page.mailActive);
    EXPECT_EQ(std::string("C:\\sounds\\old.wav"), (LPCTSTR)page.soundFile) << "never applied";

    ASSERT_TRUE(orvtest::pumpUntil([&] { return ApplyEnabled(sheet.m_hWnd); }, kWaitMs));
    ASSERT_TRUE(ClickItem(sheet.m_hWnd, kApplyButton));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return item->getMailAction().enabled; }, kWaitMs));
    EXPECT_EQ(std::vector<std::string>{"ops@x.test"}, item->getMailAction().recipients);
    EXPECT_EQ("C:\\sounds\\old.wav", item->getSoundAction().soundFile);
    sheet.DestroyWindow();
}

// Mouse input at a screen point, queued without waiting (a press on a caption or border starts
// the system's own move or size loop, which takes the rest of the gesture).
static void MouseAt(POINT pt, DWORD flags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// A real drag of the fixed sheet: from its right border nothing changes; from its caption it
// moves by the drag and keeps its size. A resizable sheet, the control case, is sized by the same
// border drag. The gesture's moves and release are sent from script steps, which run inside the
// system's loop the press starts.
TEST_F(AlarmTest, ARealDragMovesTheFixedSheetByItsCaptionButNeverSizesItByItsBorder)
{
    const struct {
        bool fixed, caption;
        bool moves, widens;
    } cases[] = {{true, false, false, false}, {true, true, true, false}, {false, false, false, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.fixed ? "fixed" : "resizable") + (c.caption ? " caption" : " border"));
        CAlarmSettingDlg page;
        std::unique_ptr<CExtResizablePropertySheet> pSheet(
            c.fixed ? new FixedPropertySheet(false, "Item Properties")
                    : new CExtResizablePropertySheet("Item Properties"));
        CExtResizablePropertySheet& sheet = *pSheet;
        sheet.AddPage(&page);
        ASSERT_TRUE(Show(sheet, 100, 100));
        CRect before;
        ::GetWindowRect(sheet.m_hWnd, &before);
        const POINT from = c.caption ? POINT{before.left + 60, before.top + ::GetSystemMetrics(SM_CYSIZEFRAME) +
                                                                ::GetSystemMetrics(SM_CYCAPTION) / 2}
                                     : POINT{before.right - 2, before.CenterPoint().y};
        // outwards: a sheet is never sized below the size it opened with
        const POINT to = {from.x + 60, from.y + (c.caption ? 40 : 0)};
        int moves = 0;
        orvtest::Script script({
            {"at the start", [&] { return orvtest::moveTo(from, sheet.m_hWnd); }},
            {"press", [&] {
                 MouseAt(from, MOUSEEVENTF_LEFTDOWN);
                 return true;
             }},
            {"move", [&] {
                 ++moves;
                 MouseAt(POINT{from.x + (to.x - from.x) * moves / 8, from.y + (to.y - from.y) * moves / 8}, 0);
                 return moves == 8;
             }},
            {"release", [&] {
                 MouseAt(to, MOUSEEVENTF_LEFTUP);
                 return true;
             }},
            // a release off the sheet with no loop holding the capture goes to another window: a
            // move back onto the sheet, seen there, comes after it
            {"back on the sheet", [&] {
                 CRect now;
                 ::GetWindowRect(sheet.m_hWnd, &now);
                 return ::GetCapture() == NULL && orvtest::moveTo(now.CenterPoint(), sheet.m_hWnd);
             }},
        });
        EXPECT_TRUE(script.run()) << script.failure << "; capture " << ::GetCapture() << ", "
                                  << orvtest::recentMouseMessages();
        orvtest::pumpWaiting();
        CRect after;
        ::GetWindowRect(sheet.m_hWnd, &after);
        // (the system's loop takes the last move it handled before the release: under load that
        // can be a step short of the end, so a change is judged by its direction)
        if (c.widens)
            EXPECT_LT(before.Width() + 30, after.Width());
        else
            EXPECT_EQ(before.Width(), after.Width());
        EXPECT_EQ(before.Height(), after.Height());
        if (c.moves) {
            EXPECT_LT(before.left + 30, after.left);
            EXPECT_LT(before.top + 20, after.top);
        } else {
            EXPECT_EQ(before.TopLeft(), after.TopLeft());
        }
        sheet.DestroyWindow();
        orvtest::pumpWaiting();
    }
}

// The shown sheet answers the system's hit test at its border as nowhere (no sizing can start
// there) and at its caption as the caption (moving works); a resizable sheet, the control case,
// answers the border.
TEST_F(AlarmTest, TheFixedSheetsBorderIsNowhereAndItsCaptionStays)
{
    const struct {
        bool fixed;
        LRESULT right, bottom, corner;
    } cases[] = {{true, HTNOWHERE, HTNOWHERE, HTNOWHERE}, {false, HTRIGHT, HTBOTTOM, HTBOTTOMRIGHT}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fixed ? "fixed sheet" : "resizable sheet");
        CAlarmSettingDlg page;
        std::unique_ptr<CExtResizablePropertySheet> sheet(
            c.fixed ? new FixedPropertySheet(false, "Item Properties")
                    : new CExtResizablePropertySheet("Item Properties"));
        sheet->AddPage(&page);
        ASSERT_TRUE(Show(*sheet, 100, 100));
        const HWND h = sheet->m_hWnd;
        CRect rc;
        ::GetWindowRect(h, &rc);
        auto hit = [&](int x, int y) { return ::SendMessageA(h, WM_NCHITTEST, 0, MAKELPARAM(x, y)); };
        EXPECT_EQ(c.right, hit(rc.right - 2, rc.CenterPoint().y));
        EXPECT_EQ(c.bottom, hit(rc.CenterPoint().x, rc.bottom - 2));
        EXPECT_EQ(c.corner, hit(rc.right - 2, rc.bottom - 2));
        EXPECT_EQ(HTCAPTION, hit(rc.left + 60, rc.top + ::GetSystemMetrics(SM_CYSIZEFRAME) +
                                                   ::GetSystemMetrics(SM_CYCAPTION) / 2));
        EXPECT_EQ(HTCLIENT, hit(rc.CenterPoint().x, rc.CenterPoint().y));
        sheet->DestroyWindow();
        orvtest::pumpWaiting();
    }
}

TEST_F(AlarmTest, PicturesOfTheAlarmPageAndTheActionPagesInEachLook)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        g_PaintManager.InstallPaintManager(look.make());
        {
            CAlarmSettingDlg page;
            page.loadFrom(*item);
            FixedPropertySheet sheet(true, "Item Properties");
            sheet.AddPage(&page);
            ASSERT_TRUE(Show(sheet));
            PictureOf(sheet.m_hWnd, std::string("alarm_page_") + look.name);
            sheet.DestroyWindow();
        }
        CAlarmSettingDlg values;
        values.program = "C:\\tools\\notify.exe";
        values.cmdRun = 1;
        values.addresses = "ops@example.test,night@example.test,";
        values.mailActive = 1;
        CAlarmActionCommandsPage commands;
        CAlarmActionEmailPage email;
        CAlarmActionSoundPage sound;
        CAlarmActionVisualPage visual;
        values.copyTo(commands, email, sound, visual);
        FixedPropertySheet sheet(true, "Set Alarm Actions");
        sheet.AddPage(&commands);
        sheet.AddPage(&email);
        sheet.AddPage(&sound);
        sheet.AddPage(&visual);
        ASSERT_TRUE(Show(sheet));
        const char* names[] = {"commands", "email", "sound", "visual"};
        for (int i = 0; i < 4; ++i) {
            sheet.SetActivePage(i);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return sheet.GetActiveIndex() == i; }, kWaitMs));
            PictureOf(sheet.m_hWnd, std::string("alarm_actions_") + names[i] + "_" + look.name);
        }
        sheet.DestroyWindow();
        orvtest::pumpWaiting();
    }
}
