// The colour popup menu tracked for real under Xvfb and picked with real mouse moves, clicks and
// keys: what reaches the notification target, what the result pointer gets, and that the menu
// closes with no hook or capture left.
#include "orv/UiTest.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupColorMenuWnd.h"
#include "CExtPopupMenuSite.h"
#include "RenderHarness.h"
#include <memory>
#include <string>
#include <vector>

namespace {

typedef CExtPopupColorMenuWnd Menu;
const UINT& kChanged = Menu::g_nMsgNotifyColorChanged;
const UINT& kFinally = Menu::g_nMsgNotifyColorChangedFinally;
const UINT& kCustom = Menu::g_nMsgNotifyCustColor;
const LPARAM kCookie = 0xC0105;
const COLORREF kDefault = RGB(12, 34, 56);
const COLORREF kUntouched = 0x12345678;

CExtPopupMenuSite& Site() { return CExtPopupMenuSite::g_DefPopupMenuSite; }

// A left button event at a screen point. The event carries the point: under Wine a late pointer
// event of an earlier move can still put the cursor back, and a button event sent where the
// cursor was read to be would then land there.
void LeftButtonAt(POINT pt, DWORD dwFlags)
{
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

// An owner window (foreground, so keys come to this thread) and a separate notification target
// that records the three notifications.
class ColourMenuTrack : public ::testing::Test {
protected:
    CWnd owner, target;
    std::unique_ptr<orvtest::MessageRecorder> posted;
    std::unique_ptr<orvtest::MessageRecorder> ownerPosted;
    Menu* pMenu = nullptr;   // the site deletes it when it closes
    HWND hWndMenu = NULL;
    COLORREF result = kUntouched;
    int nAnimation = 0;
    DWORD nKeyInterval = 0;

    void SetUp() override
    {
        orvtest::uiApp("colour menu tracking tests");
        g_PaintManager.InstallPaintManager(new CExtPaintManagerXP);
        nAnimation = CExtPopupMenuWnd::g_nMenuAnimation;
        nKeyInterval = CExtPopupMenuSite::g_nPopupMinKeyInterval;
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "owner",
                                   WS_POPUP | WS_VISIBLE, 20, 20, 600, 400, NULL, NULL));
        ASSERT_TRUE(target.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        posted.reset(new orvtest::MessageRecorder(target.m_hWnd, {kChanged, kFinally, kCustom}));
        ownerPosted.reset(new orvtest::MessageRecorder(owner.m_hWnd, {kChanged, kFinally, kCustom}));
        owner.SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == owner.m_hWnd; }));
        // the pointer rests away from where the menu opens
        ASSERT_TRUE(orvtest::moveTo(orvtest::screenPoint(owner.m_hWnd, {560, 360}), owner.m_hWnd));
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelMenuTracking();
        EXPECT_FALSE(Site().AreHooksInstalled());
        EXPECT_EQ(NULL, ::GetCapture());
        CExtPopupMenuWnd::g_nMenuAnimation = nAnimation;
        CExtPopupMenuSite::g_nPopupMinKeyInterval = nKeyInterval;
        posted.reset();
        ownerPosted.reset();
        if (target.m_hWnd != NULL)
            target.DestroyWindow();
        owner.DestroyWindow();
    }

    // Opens the menu at a point of the owner (animated as the application's menus are).
    void Open(bool bNamedTarget = true)
    {
        pMenu = new Menu;
        ASSERT_TRUE(pMenu->CreatePopupMenu(owner.m_hWnd));
        if (bNamedTarget)
            pMenu->m_hWndNotifyColorChanged = target.m_hWnd;
        pMenu->m_lParamCookie = kCookie;
        pMenu->m_pClrValueFinal = &result;
        pMenu->m_clrDefaultColor = kDefault;
        const POINT pt = orvtest::screenPoint(owner.m_hWnd, {40, 40});
        ASSERT_TRUE(pMenu->TrackPopupMenu(0, pt.x, pt.y));
        hWndMenu = pMenu->m_hWnd;
        ASSERT_TRUE(::IsWindowVisible(hWndMenu));
        ASSERT_TRUE(orvtest::pumpUntil([] { return Site().GetAnimatedMenu() == NULL; }));
        ASSERT_EQ(static_cast<IExtPopupSiteMenu*>(pMenu), Site().GetCapturedMenu());
    }
    bool IsShown() const { return ::IsWindow(hWndMenu) != FALSE; }
    POINT Screen(CPoint ptClient) const { return orvtest::screenPoint(hWndMenu, ptClient); }
    POINT Cell(int i) const { return Screen(pMenu->GetCellRect(i).CenterPoint()); }
    // Moves there and waits until the menu's hot index is what it should be.
    bool MoveTo(POINT pt, int nHot)
    {
        m_ptPointer = pt;
        return orvtest::moveUntil(pt, [&] { return IsShown() && pMenu->m_nColorIdxCurr == nHot; });
    }
    // A click at the point the pointer was moved to; waits until the menu has gone.
    bool ClickHere()
    {
        LeftButtonAt(m_ptPointer, MOUSEEVENTF_LEFTDOWN);
        LeftButtonAt(m_ptPointer, MOUSEEVENTF_LEFTUP);
        return orvtest::pumpUntil([&] { return !IsShown() && !CExtPopupMenuWnd::IsAnyMenuTracked(); });
    }
    POINT m_ptPointer = {0, 0};
    void ExpectClosedCleanly()
    {
        EXPECT_FALSE(IsShown());
        EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
        EXPECT_FALSE(Site().AreHooksInstalled());
        EXPECT_EQ(NULL, ::GetCapture());
    }
};

}  // namespace

// Moving over the menu previews colours (the default button its default colour); gaps, the
// border and the custom button preview nothing; a click on a cell chooses it and closes.
TEST_F(ColourMenuTrack, MovesPreviewAndAClickChooses)
{
    Open();
    const CRect rc13 = pMenu->GetCellRect(13);
    ASSERT_TRUE(MoveTo(Cell(13), 13));
    ASSERT_TRUE(posted->waitFor(1));
    ASSERT_TRUE(MoveTo(Screen(CPoint(rc13.right + 1, rc13.top + 4)), -1));      // the gap right of blue
    ASSERT_TRUE(MoveTo(Screen(CPoint(1, rc13.top + 4)), -1));                  // the border
    ASSERT_TRUE(MoveTo(Screen(pMenu->m_rcCustomColorBtn.CenterPoint()), Menu::IDX_CUSTOM_BUTTON));
    ASSERT_TRUE(MoveTo(Screen(pMenu->m_rcDefaultColorBtn.CenterPoint()), Menu::IDX_DEFAULT_BUTTON));
    ASSERT_TRUE(posted->waitFor(2));
    ASSERT_TRUE(MoveTo(Cell(16), 16));
    ASSERT_TRUE(posted->waitFor(3));
    ASSERT_TRUE(ClickHere());
    ASSERT_TRUE(posted->waitFor(4));
    orvtest::pumpWaiting();
    // the previews, in order (a late pointer event putting the cursor back may repeat one, never
    // add another colour), then the choice
    const std::vector<orvtest::Message>& got = posted->received();
    ASSERT_FALSE(got.empty());
    std::vector<WPARAM> previews;
    for (size_t i = 0; i + 1 < got.size(); i++) {
        EXPECT_EQ(kChanged, got[i].message) << i;
        EXPECT_EQ(kCookie, got[i].lParam) << i;
        if (previews.empty() || previews.back() != got[i].wParam)
            previews.push_back(got[i].wParam);
    }
    EXPECT_EQ((std::vector<WPARAM>{RGB(0, 0, 255), kDefault, RGB(255, 0, 0)}), previews);
    EXPECT_EQ(kFinally, got.back().message);
    EXPECT_EQ((WPARAM)RGB(255, 0, 0), got.back().wParam);
    EXPECT_EQ(kCookie, got.back().lParam);
    EXPECT_EQ(RGB(255, 0, 0), result);
    EXPECT_TRUE(ownerPosted->matches({})) << "a named target gets everything";
    ExpectClosedCleanly();
}

// The custom button writes -2 and posts only its own notification; the default button reports
// the default colour as the final choice.
TEST_F(ColourMenuTrack, ButtonsChoose)
{
    Open();
    ASSERT_TRUE(MoveTo(Screen(pMenu->m_rcCustomColorBtn.CenterPoint()), Menu::IDX_CUSTOM_BUTTON));
    ASSERT_TRUE(ClickHere());
    ASSERT_TRUE(posted->waitFor(1));
    orvtest::pumpWaiting();
    EXPECT_TRUE(posted->matches({{kCustom, 0, kCookie}}));
    EXPECT_EQ((COLORREF)-2, result);
    ExpectClosedCleanly();

    posted->clear();
    result = kUntouched;
    Open();
    ASSERT_TRUE(MoveTo(Screen(pMenu->m_rcDefaultColorBtn.CenterPoint()), Menu::IDX_DEFAULT_BUTTON));
    ASSERT_TRUE(ClickHere());
    ASSERT_TRUE(posted->waitFor(2));
    orvtest::pumpWaiting();
    EXPECT_TRUE(posted->matches({{kChanged, (WPARAM)kDefault, kCookie}, {kFinally, (WPARAM)kDefault, kCookie}}));
    EXPECT_EQ(kDefault, result);
    ExpectClosedCleanly();
}

// Arrow keys walk the grid (from nothing to black first, wrapping at the edges) and preview
// each colour; Enter chooses. Without a named target the owner is told.
TEST_F(ColourMenuTrack, ArrowKeysAndEnter)
{
    CExtPopupMenuSite::g_nPopupMinKeyInterval = 0;   // keys as fast as the test sends them
    Open(false);
    struct Step {
        WORD key;
        int hot;
    };
    const Step steps[] = {
        {VK_RIGHT, 0},   // from nothing: black
        {VK_LEFT, 7},    // wraps to the end of the row
        {VK_DOWN, 15},
        {VK_UP, 7},
        {VK_UP, 39},     // wraps to the last row
        {VK_RIGHT, 32},  // wraps to the start of the row
    };
    std::vector<orvtest::Expected> expected;
    for (const Step& s : steps) {
        orvtest::pressKey(s.key);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return pMenu->m_nColorIdxCurr == s.hot; })) << s.hot;
        expected.push_back({kChanged, (WPARAM)Menu::g_Palette[s.hot].m_clr, kCookie});
        ASSERT_TRUE(ownerPosted->waitFor(expected.size())) << s.hot;
    }
    orvtest::pressKey(VK_RETURN);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !IsShown(); }));
    expected.push_back({kFinally, (WPARAM)RGB(255, 228, 225), kCookie});   // "Rose"
    ASSERT_TRUE(ownerPosted->waitFor(expected.size()));
    orvtest::pumpWaiting();
    EXPECT_TRUE(ownerPosted->matches(expected));
    EXPECT_EQ(RGB(255, 228, 225), result);
    ExpectClosedCleanly();
}

// Esc closes without a word; a release on a gap closes without a word.
TEST_F(ColourMenuTrack, EscAndAReleaseOnAGapChooseNothing)
{
    Open();
    orvtest::pressKey(VK_ESCAPE);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !IsShown() && !CExtPopupMenuWnd::IsAnyMenuTracked(); }));
    ExpectClosedCleanly();

    Open();
    const CRect rc0 = pMenu->GetCellRect(0);
    ASSERT_TRUE(MoveTo(Screen(CPoint(rc0.right + 1, rc0.bottom + 1)), -1));
    ASSERT_TRUE(ClickHere());
    orvtest::pumpWaiting();
    EXPECT_TRUE(posted->matches({}));
    EXPECT_TRUE(ownerPosted->matches({}));
    EXPECT_EQ(kUntouched, result);
    ExpectClosedCleanly();
}

// A target destroyed while the menu is open receives nothing (nor does the owner), the choice
// still lands in the result, and the menu closes.
TEST_F(ColourMenuTrack, GoneTargetAndTheMenuStillCloses)
{
    Open();
    posted.reset();
    target.DestroyWindow();
    orvtest::pumpWaiting();
    ASSERT_TRUE(IsShown());
    ASSERT_TRUE(MoveTo(Cell(26), 26));
    ASSERT_TRUE(ClickHere());
    orvtest::pumpWaiting();
    EXPECT_TRUE(ownerPosted->matches({}));
    EXPECT_EQ(RGB(255, 255, 0), result);
    ExpectClosedCleanly();
}

// The open menu as the display shows it, hot cell and selected cell.
TEST_F(ColourMenuTrack, Picture)
{
    pMenu = new Menu;
    ASSERT_TRUE(pMenu->CreatePopupMenu(owner.m_hWnd));
    pMenu->m_clrInitial = RGB(0, 147, 0);   // "Green"
    const POINT pt = orvtest::screenPoint(owner.m_hWnd, {40, 40});
    ASSERT_TRUE(pMenu->TrackPopupMenu(0, pt.x, pt.y));
    hWndMenu = pMenu->m_hWnd;
    ASSERT_TRUE(orvtest::pumpUntil([] { return Site().GetAnimatedMenu() == NULL; }));
    ASSERT_TRUE(MoveTo(Cell(13), 13));
    CRect rc;
    ::GetClientRect(hWndMenu, &rc);
    orvtest::RenderCanvas canvas(rc.Width(), rc.Height());
    pMenu->PaintPopup(canvas.dc(), true);
    canvas.Keep("colour_menu_open", 2);
    EXPECT_EQ(11, pMenu->m_nInitialColorIdx);
}

// Joined to its owner's button, a press on that button closes the menu at once, with no word.
TEST_F(ColourMenuTrack, APressOnTheJoinedButtonCloses)
{
    pMenu = new Menu;
    ASSERT_TRUE(pMenu->CreatePopupMenu(owner.m_hWnd));
    pMenu->m_hWndNotifyColorChanged = target.m_hWnd;
    pMenu->m_pClrValueFinal = &result;
    CRect rcButton(orvtest::screenPoint(owner.m_hWnd, {40, 40}), CSize(80, 24));
    ASSERT_TRUE(pMenu->TrackPopupMenu(CExtPopupMenuWnd::TMF_ALIGN_BOTTOM | CExtPopupMenuWnd::TMF_COMBINE,
                                      rcButton.left, rcButton.bottom, &rcButton));
    hWndMenu = pMenu->m_hWnd;
    ASSERT_TRUE(orvtest::pumpUntil([] { return Site().GetAnimatedMenu() == NULL; }));
    ASSERT_TRUE(pMenu->IsExcludeAreaUsed()) << "the menu is joined to the button";
    CRect rcMenu;
    ::GetWindowRect(hWndMenu, &rcMenu);
    EXPECT_EQ(rcButton.bottom - 1, rcMenu.top);
    const POINT ptButton = {rcButton.left + 10, rcButton.top + 8};
    ASSERT_TRUE(orvtest::moveUntil(ptButton, [&] {
        POINT pt;
        return ::GetCursorPos(&pt) && pt.x == ptButton.x && pt.y == ptButton.y;
    }));
    LeftButtonAt(ptButton, MOUSEEVENTF_LEFTDOWN);
    ASSERT_TRUE(orvtest::pumpUntil([&] { return !IsShown(); })) << "closed by the press";
    LeftButtonAt(ptButton, MOUSEEVENTF_LEFTUP);
    orvtest::pumpWaiting();
    EXPECT_TRUE(posted->matches({}));
    EXPECT_EQ(kUntouched, result);
    ExpectClosedCleanly();
}
