// The popup menu without input: the keyboard's next item over menus with disabled, separator
// and hidden items; the layout pass (which items show, sizes, the icon column, scroll limits)
// with every metric read from the system and the paint manager; the placement against an
// exclude rectangle in a iconSmall work area; and who owns a menu that failed to open.
#include "orv/UiTest.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "menus_track_resources.h"
#include <string>

namespace {

typedef CExtPopupMenuWnd::MENUITEMDATA MI;

// A popup that shows where it would go and never makes its window (so OpenPopup fails after
// placing it), and one whose window cannot be made.
class PlacedPopup : public CExtPopupMenuWnd {
public:
    CRect rcPlaced;
    bool CreatePopupWindow(CWnd*) override
    {
        rcPlaced = CalcWindowRect();
        return false;
    }
};

// Restores a library switch when the test ends.
struct SwitchGuard {
    bool& b;
    bool bOld;
    SwitchGuard(bool& bSwitch, bool bValue) : b(bSwitch), bOld(bSwitch) { b = bValue; }
    ~SwitchGuard() { b = bOld; }
};

struct LayoutFixture : ::testing::Test {
    HWND owner = NULL;
    CString profile;
    UINT nNextId = 3500;
    void SetUp() override
    {
        orvtest::uiApp();
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        profile.Format("menus-layout-%p", (void*)owner);
        ASSERT_TRUE(g_CmdManager->ProfileSetup(profile, owner));
        CExtPopupMenuWnd::ResetStandIn();
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelMenuTracking();
        g_CmdManager->ProfileWndRemove(owner, true);
        ::DestroyWindow(owner);
    }
    // Items from a pattern: 'e' a command used often enough to show, 'h' a rarely used command
    // (hidden until the menu expands), 'd' a disabled command, '-' a separator.
    void Build(CExtPopupMenuWnd& menu, const std::string& pattern)
    {
        ASSERT_TRUE(menu.CreatePopupMenu(owner));
        for (char c : pattern) {
            if (c == '-') {
                ASSERT_TRUE(menu.InsertItem(0));
                continue;
            }
            const UINT nID = nNextId++;
            CExtCmdItem* pCmd = g_CmdManager->AllocCommand(profile, nID);
            ASSERT_NE(nullptr, pCmd);
            pCmd->m_sMenuText.Format("Command %u", nID);
            pCmd->SetAlwaysVisible(c != 'h');
            ASSERT_TRUE(menu.InsertItem(nID));
            if (c == 'd')
                menu.GetItemAt(menu.GetItemCount() - 1).m_nKindFlags &= ~MI::KIND_ENABLED;
        }
        menu.RecalcItems();
    }
};

// ---- the next item for the arrow keys -----------------------------------------------------------

TEST_F(LayoutFixture, NextItemSkipsWhatCannotBeChosenWrapsAndStopsAtTheExpandButton)
{
    SwitchGuard hiding(CExtPopupMenuWnd::g_bMenuExpanding, true);
    const int kExpand = CExtPopupMenuWnd::HIT_EXPAND;
    const struct {
        const char* name;
        const char* pattern;
        int current;
        int direction;
        int expected;
    } cases[] = {
        {"first from nothing", "-de", -1, CExtPopupMenuWnd::GET_NEXT, 2},
        {"current kept", "eee", 1, CExtPopupMenuWnd::GET_CURRENT, 1},
        {"current from nothing is the first", "dee", -1, CExtPopupMenuWnd::GET_CURRENT, 1},
        {"down skips a separator and a disabled item", "e-de", 0, CExtPopupMenuWnd::GET_NEXT, 3},
        {"down on the last wraps to the first", "e-e-e", 4, CExtPopupMenuWnd::GET_NEXT, 0},
        {"down wraps to the item right above", "ee", 1, CExtPopupMenuWnd::GET_NEXT, 0},
        {"up on the first wraps to the last", "ede-", 0, CExtPopupMenuWnd::GET_PREV, 2},
        {"up skips what cannot be chosen", "ed-e", 3, CExtPopupMenuWnd::GET_PREV, 0},
        {"up with one item finds nothing", "e", 0, CExtPopupMenuWnd::GET_PREV, -1},
        {"the only item: down finds nothing else", "d-e-d", 2, CExtPopupMenuWnd::GET_NEXT, -1},
        {"all disabled", "ddd", -1, CExtPopupMenuWnd::GET_NEXT, -1},
        {"all disabled, current", "d-d", -1, CExtPopupMenuWnd::GET_CURRENT, -1},
        {"empty menu", "", -1, CExtPopupMenuWnd::GET_NEXT, -1},
        {"no direction", "ee", -1, CExtPopupMenuWnd::GET_NONE, -1},
        {"page down while highlighted", "eee", 0, CExtPopupMenuWnd::GET_PAGE_DOWN, -1},
        {"hidden items skipped", "ehe", 0, CExtPopupMenuWnd::GET_NEXT, 2},
        {"below the last shown: the expand button", "ehe", 2, CExtPopupMenuWnd::GET_NEXT, kExpand},
        {"all hidden: the expand button", "hh", -1, CExtPopupMenuWnd::GET_NEXT, kExpand},
        {"no direction with hidden items", "eh", -1, CExtPopupMenuWnd::GET_NONE, kExpand},
    };
    for (const auto& c : cases) {
        CExtPopupMenuWnd menu;
        Build(menu, c.pattern);
        if (c.current >= 0)
            menu.ItemFocusSet(c.current, false, false);
        EXPECT_EQ(c.expected, menu.GetNextItem(c.direction)) << c.name;
    }
}

// ---- layout -------------------------------------------------------------------------------------

TEST_F(LayoutFixture, SeparatorsShowOnlyBetweenShownItems)
{
    SwitchGuard hiding(CExtPopupMenuWnd::g_bMenuExpanding, true);
    const int nSpacing = g_PaintManager->GetMenuSpacing();
    const struct {
        const char* name;
        const char* pattern;
        const char* shown;   // one character per item: '1' displayed, '0' not
        int separatorsShown;
    } cases[] = {
        {"only separators", "---", "000", 0},
        {"trailing separator", "e-", "10", 0},
        {"leading separator", "-e", "01", 0},
        {"two in a row", "e--e", "1101", 1},
        {"around a hidden item", "e-h-e", "11001", 1},
        {"after hidden items only", "hh-e", "0001", 0},
    };
    for (const auto& c : cases) {
        CExtPopupMenuWnd menu;
        Build(menu, c.pattern);
        std::string shown;
        int nHeight = 1, nWidth = 0;
        for (int i = 0; i < menu.GetItemCount(); i++) {
            shown += menu.ItemIsDisplayed(i) ? '1' : '0';
            if (menu.ItemIsDisplayed(i)) {
                nHeight += menu.GetItemAt(i).m_nHeight;
                nWidth = std::max(nWidth, menu.GetItemAt(i).m_nWidth);
            }
        }
        EXPECT_EQ(std::string(c.shown), shown) << c.name;
        EXPECT_EQ(nHeight, menu.GetContentSize().cy) << c.name << ": a hidden separator takes no height";
        EXPECT_EQ(std::max(nWidth, 80), menu.GetContentSize().cx) << c.name;
        for (int i = 0; i < menu.GetItemCount(); i++) {
            if (menu.GetItemAt(i).IsSeparator()) {
                EXPECT_EQ(nSpacing, menu.GetItemAt(i).m_nHeight) << c.name;
            }
        }
    }
}

TEST_F(LayoutFixture, OnlySeparatorsMakeTheLeastContentWidth)
{
    CExtPopupMenuWnd menu;
    Build(menu, "--");
    EXPECT_EQ(CSize(80, 1), menu.GetContentSize());
    EXPECT_FALSE(menu.HasHiddenItems()) << "hidden separators are no rarely used items";
}

TEST_F(LayoutFixture, TextAndAcceleratorAreMeasuredWithoutAGap)
{
    CExtPopupMenuWnd menu;
    ASSERT_TRUE(menu.CreatePopupMenu(owner));
    ASSERT_TRUE(menu.InsertCustomItem(3590, -1, "&File", "Ctrl+F", CExtCmdIcon()));
    ASSERT_TRUE(menu.InsertCustomItem(3591, -1, "&File", "", CExtCmdIcon()));
    menu.RecalcItems();
    CWindowDC dc(NULL);
    CFont* pOld = dc.SelectObject(&g_PaintManager->GetFont(CExtPaintManager::FontNormal));
    auto textWidth = [&](LPCTSTR s) {
        CRect rc(0, 0, 0, 0);
        dc.DrawText(s, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
        return rc.Width();
    };
    const int nJoined = textWidth("FileCtrl+F");
    const int nSpaced = textWidth("File Ctrl+F");
    const int nPlain = textWidth("File");
    dc.SelectObject(pOld);
    ASSERT_LT(nJoined, nSpaced);
    const MI& mi = menu.GetItemAt(0);
    EXPECT_EQ(nJoined, mi.m_nWidth - 21 - 16 - mi.m_nIconAreaWidth) << "the marker gone, the accelerator right after";
    EXPECT_EQ(nPlain, menu.GetItemAt(1).m_nWidth - 21 - 16 - menu.GetItemAt(1).m_nIconAreaWidth);
}

TEST_F(LayoutFixture, IconColumnFollowsTheIconsAndTheLargeIconSwitch)
{
    HICON hIcon = ::LoadIcon(NULL, IDI_APPLICATION);
    // a 16 x 16 copy of the system icon
    HICON hSmall = (HICON)::CopyImage(hIcon, IMAGE_ICON, 16, 16, 0);
    ASSERT_NE(nullptr, hSmall);
    CExtCmdIcon iconSmall;
    iconSmall.AssignFromHICON(hSmall, true);
    ASSERT_EQ(CSize(16, 16), iconSmall.GetSize());
    for (bool bLarge : {false, true}) {
        SwitchGuard large(CExtPopupMenuWnd::g_bMenuLargeIcons, bLarge);
        CExtPopupMenuWnd menu;
        ASSERT_TRUE(menu.CreatePopupMenu(owner));
        ASSERT_TRUE(menu.InsertCustomItem(3592, -1, "Icon", "", iconSmall));
        ASSERT_TRUE(menu.InsertCustomItem(3593, -1, "Plain", "", CExtCmdIcon()));
        menu.RecalcItems();
        const MI& mi = menu.GetItemAt(0);
        if (bLarge) {
            EXPECT_EQ(32 + 4, mi.m_nHeight) << "a doubled icon and its margin set the height";
            EXPECT_GE(menu.GetIconColumnWidth(), 32);
        } else {
            EXPECT_EQ(22, menu.GetIconColumnWidth()) << "a iconSmall icon keeps the least column";
        }
        EXPECT_EQ(menu.GetIconColumnWidth(), menu.GetItemAt(1).m_nIconAreaWidth) << "one column for every item";
    }
    ::DestroyIcon(hSmall);
}

TEST_F(LayoutFixture, SizesComeFromTheSystemAndThePaintManager)
{
    SwitchGuard hiding(CExtPopupMenuWnd::g_bMenuExpanding, true);
    PlacedPopup menu;
    Build(menu, "eeh");
    ASSERT_TRUE(menu.HasHiddenItems());
    const int b = g_PaintManager->GetMenuBorderSize();
    const int s = menu.GetShadowSize();
    const int h = ::GetSystemMetrics(SM_CYMENUCHECK);
    const CSize content = menu.GetContentSize();
    const CSize size = menu.CalcMenuSize();
    EXPECT_EQ(content.cx + 2 * b + s, size.cx);
    EXPECT_EQ(content.cy + 2 * b + s + h + 2, size.cy) << "the expand button is as high as the system's check mark";
    EXPECT_FALSE(menu.OpenPopup(0, 200, 150));
    menu.RecalcServiceRects();
    const CRect rcExpand = menu.GetItemRect(CExtPopupMenuWnd::HIT_EXPAND);
    EXPECT_EQ(h, rcExpand.Height());
    const CRect rcFirst = menu.GetItemRect(0);
    EXPECT_EQ(b, rcFirst.top);
    EXPECT_EQ(b + 1, rcFirst.left);
    EXPECT_EQ(menu.GetItemAt(0).m_nHeight, rcFirst.Height());
    EXPECT_TRUE(menu.GetItemRect(2).IsRectEmpty()) << "a hidden item has no rectangle";
    EXPECT_EQ(CExtPopupMenuWnd::HIT_EXPAND, menu.HitTest(rcExpand.CenterPoint()));
    EXPECT_EQ(1, menu.HitTest(menu.GetItemRect(1).CenterPoint()));
    EXPECT_EQ(CExtPopupMenuWnd::HIT_NOTHING, menu.HitTest(CPoint(-1, 5)));
}

TEST_F(LayoutFixture, ATallMenuScrollsBetweenZeroAndItsMinimum)
{
    PlacedPopup menu;
    Build(menu, std::string(120, 'e'));
    RECT rcWork;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
    ASSERT_GT(menu.GetContentSize().cy, rcWork.bottom - rcWork.top);
    EXPECT_FALSE(menu.OpenPopup(0, rcWork.left + 10, rcWork.top + 10));
    EXPECT_TRUE(menu.IsScrolling());
    EXPECT_EQ(rcWork.bottom - rcWork.top, menu.rcPlaced.Height()) << "cut to the work area";
    menu.RecalcServiceRects();
    const int b = g_PaintManager->GetMenuBorderSize();
    const int nMin = menu.GetMinScrollPos();
    EXPECT_EQ(-(menu.GetContentSize().cy + 2 * b - menu.rcPlaced.Height() + menu.GetShadowSize()), nMin);
    EXPECT_EQ(0, menu.GetScrollOffset());
    EXPECT_EQ(CExtPopupMenuWnd::HIT_NOTHING == menu.HitTest(menu.GetItemRect(CExtPopupMenuWnd::HIT_SCROLL_UP).CenterPoint()),
              false)
        << "at the top the scroll-up button is not there: the item under it is hit";
    menu.ItemFocusSet(119, false, false);
    EXPECT_EQ(nMin, menu.GetScrollOffset()) << "the last item brought into view stops at the minimum";
    const CRect rcLast = menu.GetItemRect(119);
    EXPECT_LE(rcLast.bottom, menu.GetItemRect(CExtPopupMenuWnd::HIT_SCROLL_DOWN).bottom + 1);
    menu.ItemFocusSet(0, false, false);
    EXPECT_EQ(0, menu.GetScrollOffset()) << "the first brought back stops at 0";
    menu.ItemFocusSet(60, false, false);
    EXPECT_GT(menu.GetScrollOffset(), nMin);
    EXPECT_LT(menu.GetScrollOffset(), 0);
}

// A menu scrolled so that an item lies under the scroll-down button (the usual case after the
// keys bring an item into view): the items are cut to the area between the buttons, both in the
// view rectangle, in hit testing and in the painted picture, in the classic and a later look
// (their borders differ), with and without hidden items (the expand button below the scroll
// buttons).
TEST_F(LayoutFixture, AScrolledMenuCutsItsItemsAtTheScrollButtons)
{
    SwitchGuard hiding(CExtPopupMenuWnd::g_bMenuExpanding, true);
    struct Restore {
        ~Restore() { g_PaintManager.InstallPaintManager(NULL); }
    } restore;
    const struct {
        const char* name;
        bool bXP;
        bool bHidden;
    } cases[] = {{"classic", false, false}, {"xp", true, false}, {"classic, hidden items", false, true}, {"xp, hidden items", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(g_PaintManager.InstallPaintManager(c.bXP ? new CExtPaintManagerXP : new CExtPaintManager));
        PlacedPopup menu;
        Build(menu, std::string(120, 'e') + (c.bHidden ? "h" : ""));
        RECT rcWork;
        ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcWork, 0);
        EXPECT_FALSE(menu.OpenPopup(0, rcWork.left + 10, rcWork.top + 10));
        ASSERT_TRUE(menu.IsScrolling());
        ASSERT_EQ(c.bHidden, menu.HasHiddenItems());
        menu.RecalcServiceRects();
        const CRect rcUp = menu.GetItemRect(CExtPopupMenuWnd::HIT_SCROLL_UP);
        const CRect rcDown = menu.GetItemRect(CExtPopupMenuWnd::HIT_SCROLL_DOWN);
        const int b = g_PaintManager->GetMenuBorderSize();
        const int nBodyBottom = menu.rcPlaced.Height() - menu.GetShadowSize();

        // at the top only the scroll-down button (and the expand button) cut the view
        CRect rcView = menu.GetItemsViewRect();
        EXPECT_EQ(b, rcView.top);
        EXPECT_EQ(rcDown.top, rcView.bottom);

        // half way: item 60 ends at the scroll-down button, item 61 reaches under it
        menu.ItemFocusSet(60, false, false);
        ASSERT_LT(menu.GetScrollOffset(), 0);
        ASSERT_GT(menu.GetScrollOffset(), menu.GetMinScrollPos());
        rcView = menu.GetItemsViewRect();
        EXPECT_EQ(rcUp.bottom, rcView.top);
        EXPECT_EQ(rcDown.top, rcView.bottom);
        EXPECT_EQ(rcDown.top, menu.GetItemRect(60).bottom);
        const CRect rcNext = menu.GetItemRect(61);
        ASSERT_LT(rcNext.top, rcDown.bottom);
        ASSERT_GT(rcNext.bottom, rcDown.bottom) << "the next item reaches below the button";
        // the pixel row between the lowest button and the border belongs to no item
        const int yGap = c.bHidden ? menu.GetItemRect(CExtPopupMenuWnd::HIT_EXPAND).bottom : rcDown.bottom;
        ASSERT_LT(yGap, nBodyBottom - b);
        EXPECT_EQ(CExtPopupMenuWnd::HIT_NOTHING, menu.HitTest(CPoint(rcNext.CenterPoint().x, yGap)));
        EXPECT_EQ(60, menu.HitTest(CPoint(rcNext.CenterPoint().x, rcDown.top - 1)));
        EXPECT_EQ(CExtPopupMenuWnd::HIT_SCROLL_DOWN, menu.HitTest(CPoint(rcNext.CenterPoint().x, rcDown.top)));

        // painted: the rows under the scroll-down button, below it down to the border (or to the
        // expand button) and under the scroll-up button hold nothing of an item's text
        CClientDC dcScreen(NULL);
        CDC dc;
        ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = menu.rcPlaced.Width();
        bi.bmiHeader.biHeight = -menu.rcPlaced.Height();
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        void* pBits = NULL;
        HBITMAP hDib = ::CreateDIBSection(dcScreen.GetSafeHdc(), &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
        ASSERT_NE((HBITMAP)NULL, hDib);
        HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hDib);
        menu.PaintPopup(dc, true);
        ::GdiFlush();
        // item text is the only dark paint in these rows (the scroll glyphs are dark too, so
        // only the left third of the buttons is looked at)
        const unsigned* px = static_cast<const unsigned*>(pBits);
        auto darkPixels = [&](int left, int top, int right, int bottom) {
            int n = 0;
            for (int y = top; y < bottom; y++)
                for (int x = left; x < right; x++) {
                    const unsigned v = px[y * menu.rcPlaced.Width() + x];
                    if (((v >> 16) & 0xFF) + ((v >> 8) & 0xFF) + (v & 0xFF) < 3 * 64)
                        n++;
                }
            return n;
        };
        EXPECT_GT(darkPixels(rcView.left, rcView.top, rcView.right, rcView.bottom), 0)
            << "the items between the buttons are painted";
        EXPECT_EQ(0, darkPixels(rcView.left, yGap, rcView.right, nBodyBottom - b)) << "below the lowest button";
        for (const CRect& rcBtn : {rcUp, rcDown})
            EXPECT_EQ(0, darkPixels(rcBtn.left, rcBtn.top, rcBtn.left + rcBtn.Width() / 3, rcBtn.bottom))
                << "under the scroll button at " << rcBtn.top;
        ::SelectObject(dc.GetSafeHdc(), hOld);
        ::DeleteObject(hDib);
    }
}

// ---- placement ----------------------------------------------------------------------------------

TEST_F(LayoutFixture, PlacementAgainstTheExcludeRectangleFlipsAndJoins)
{
    // a iconSmall work area of its own, the menu placed in it
    RECT rcOld;
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &rcOld, 0);
    const CRect rcSmall(rcOld.left + 100, rcOld.top + 80, rcOld.left + 600, rcOld.top + 480);
    ASSERT_TRUE(::SystemParametersInfoA(SPI_SETWORKAREA, 0, (PVOID)&rcSmall, 0));
    struct Restore {
        RECT rc;
        ~Restore() { ::SystemParametersInfoA(SPI_SETWORKAREA, 0, &rc, 0); }
    } restore{rcOld};
    CExtPaintManager::MonitorParms mp;
    CExtPaintManager::GetMonitorParmsFromRect(mp, CRect(rcSmall.CenterPoint(), CSize(2, 2)));
    const CRect area = mp.m_rcWorkArea;
    ASSERT_FALSE(area.IsRectEmpty());

    PlacedPopup probe;
    Build(probe, "eeeee");
    const CSize sz = probe.CalcMenuSize();
    const int s = probe.GetShadowSize();
    const CPoint c = area.CenterPoint();
    enum Expect { Below, Above, RightOf, LeftOf, AtPoint };
    const struct {
        const char* name;
        UINT flags;
        CRect exclude;   // empty: at the point (the exclude's top left)
        Expect expect;
        int combined;    // the joined side, 0 not joined
    } cases[] = {
        {"below", 0x04, CRect(c.x - 20, c.y - 100, c.x + 20, c.y - 80), Below, 0},
        {"below flips above at the bottom", 0x04, CRect(c.x, area.bottom - 30, c.x + 40, area.bottom - 10), Above, 0},
        {"above", 0x06, CRect(c.x, c.y + 100, c.x + 40, c.y + 120), Above, 0},
        {"above flips below at the top", 0x06, CRect(c.x, area.top + 5, c.x + 40, area.top + 25), Below, 0},
        {"right", 0x01, CRect(area.left + 10, c.y - 60, area.left + 50, c.y - 40), RightOf, 0},
        {"right flips left at the right edge", 0x01, CRect(area.right - 40, c.y - 60, area.right - 5, c.y - 40), LeftOf, 0},
        {"left", 0x03, CRect(area.right - 40, c.y - 60, area.right - 5, c.y - 40), LeftOf, 0},
        {"left flips right at the left edge", 0x03, CRect(area.left + 5, c.y - 60, area.left + 40, c.y - 40), RightOf, 0},
        {"joined below", 0x14, CRect(c.x - 20, c.y - 100, c.x + 20, c.y - 80), Below, CExtPaintManager::CombineTop},
        {"joined, flipped above", 0x14, CRect(c.x, area.bottom - 30, c.x + 40, area.bottom - 10), Above,
         CExtPaintManager::CombineBottom},
        {"joined right", 0x11, CRect(area.left + 10, c.y - 60, area.left + 50, c.y - 40), RightOf, CExtPaintManager::CombineLeft},
        {"joined left", 0x13, CRect(area.right - 40, c.y - 60, area.right - 5, c.y - 40), LeftOf, CExtPaintManager::CombineRight},
        {"at a point", 0x00, CRect(c.x, c.y, c.x, c.y), AtPoint, 0},
        {"at a point in the corner stays inside", 0x00, CRect(area.right - 3, area.bottom - 3, area.right - 3, area.bottom - 3),
         AtPoint, 0},
    };
    for (const auto& k : cases) {
        PlacedPopup menu;
        Build(menu, "eeeee");
        const bool bPoint = k.exclude.IsRectEmpty();
        const CRect ex = k.exclude;
        EXPECT_FALSE(menu.OpenPopup(k.flags, ex.left, ex.top, bPoint ? NULL : &ex)) << k.name;
        const CRect rc = menu.rcPlaced;
        const CRect body(rc.left, rc.top, rc.right - s, rc.bottom - s);
        EXPECT_EQ(sz, rc.Size()) << k.name;
        EXPECT_TRUE(area.left <= rc.left && rc.right <= area.right && area.top <= rc.top && rc.bottom <= area.bottom)
            << k.name << ": inside the work area";
        const int j = k.combined != 0 ? 1 : 0;   // a joined menu overlaps its owner by a pixel
        switch (k.expect) {
        case Below: EXPECT_EQ(ex.bottom - j, rc.top) << k.name; break;
        case Above: EXPECT_EQ(ex.top + j, (k.combined != 0 ? body.bottom : rc.bottom)) << k.name; break;
        case RightOf: EXPECT_EQ(ex.right - j, rc.left) << k.name; break;
        case LeftOf: EXPECT_EQ(ex.left + j, (k.combined != 0 ? body.right : rc.right)) << k.name; break;
        case AtPoint:
            if (ex.right + sz.cx <= area.right && ex.bottom + sz.cy <= area.bottom) {
                EXPECT_EQ(ex.TopLeft(), rc.TopLeft()) << k.name;
            }
            break;
        }
        EXPECT_EQ(k.combined, menu.GetCombineAreaState()) << k.name;
    }
}

// ---- ownership of a menu that failed to open ------------------------------------------------

// An owner that cancels every menu through the prepare message.
class CancellingOwner : public CWnd {
public:
    int nPrepared = 0;
    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override
    {
        if (nMsg == CExtPopupMenuWnd::g_nMsgPrepareMenu) {
            ++nPrepared;
            reinterpret_cast<CExtPopupMenuWnd::MsgPrepareMenuData*>(wParam)->nFlags |=
                CExtPopupMenuWnd::MsgPrepareMenuData::PREPARE_CANCEL;
            return 0;
        }
        return CWnd::WindowProc(nMsg, wParam, lParam);
    }
};

class WindowlessPopup : public CExtPopupMenuWnd {
public:
    bool CreatePopupWindow(CWnd*) override { return false; }
};

TEST_F(LayoutFixture, AFailedTrackLeavesTheMenuToItsCaller)
{
    CancellingOwner cancelling;
    ASSERT_TRUE(cancelling.CreateEx(0, AfxRegisterWndClass(0), "cancelling", WS_POPUP, 0, 0, 40, 40, NULL, NULL));
    ASSERT_TRUE(g_CmdManager->ProfileWndAdd(profile, cancelling.m_hWnd));
    const struct {
        const char* name;
        bool bCancel;   // cancelled through the prepare message, else the window fails
        UINT flags;
    } cases[] = {
        {"cancelled by the owner", true, 0x0180},
        {"cancelled by the owner, not modal", true, 0x0100},
        {"no window", false, 0x0180},
        {"no window, not modal", false, 0},
    };
    for (const auto& c : cases) {
        const int nLive = CExtPopupMenuWnd::standIn().nLive;
        CExtPopupMenuWnd* pTracked = c.bCancel ? new CExtPopupMenuWnd : new WindowlessPopup;
        ASSERT_TRUE(pTracked->CreatePopupMenu(c.bCancel ? cancelling.m_hWnd : owner));
        ASSERT_TRUE(pTracked->InsertCustomItem(3594, -1, "Item", "", CExtCmdIcon()));
        const int nPrepared = cancelling.nPrepared;
        UINT nResult = 77;
        EXPECT_FALSE(pTracked->TrackPopupMenu(c.flags, 100, 100, NULL, NULL, NULL, &nResult)) << c.name;
        if (c.bCancel) {
            EXPECT_EQ(nPrepared + 1, cancelling.nPrepared) << c.name;
        }
        EXPECT_EQ(0u, nResult) << c.name;
        EXPECT_EQ(nLive + 1, CExtPopupMenuWnd::standIn().nLive) << c.name << ": the menu is still there";
        EXPECT_TRUE(CExtPopupMenuSite::g_DefPopupMenuSite.IsEmpty()) << c.name << ": the site let go of it";
        EXPECT_FALSE(CExtPopupMenuSite::g_DefPopupMenuSite.AreHooksInstalled()) << c.name;
        EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked()) << c.name;
        EXPECT_EQ(NULL, pTracked->GetSafeHwnd()) << c.name;
        delete pTracked;   // the caller's delete is the only one
        EXPECT_EQ(nLive, CExtPopupMenuWnd::standIn().nLive) << c.name;
    }
    g_CmdManager->ProfileWndRemove(cancelling.m_hWnd, false);
    cancelling.DestroyWindow();
}

}  // namespace

namespace {

// ---- the in-place part of an item, painted by each look --------------------------------------

TEST(InPlacePart, PaintedAsAFieldWithItsTextInEveryMenuLook)
{
    orvtest::uiApp();
    const struct {
        const char* name;
        CExtPaintManager* (*make)();
    } looks[] = {
        {"classic", [] { return new CExtPaintManager; }},
        {"xp", []() -> CExtPaintManager* { return new CExtPaintManagerXP; }},
    };
    for (const auto& look : looks) {
        SCOPED_TRACE(look.name);
        ASSERT_TRUE(g_PaintManager.InstallPaintManager(look.make()));
        const COLORREF clrWindow = g_PaintManager->GetColor(COLOR_WINDOW);
        for (bool bPart : {false, true}) {
            CClientDC dcScreen(NULL);
            CDC dc;
            ASSERT_TRUE(dc.CreateCompatibleDC(&dcScreen));
            BITMAPINFO bi = {};
            bi.bmiHeader.biSize = sizeof bi.bmiHeader;
            bi.bmiHeader.biWidth = 220;
            bi.bmiHeader.biHeight = -24;
            bi.bmiHeader.biPlanes = 1;
            bi.bmiHeader.biBitCount = 32;
            void* pBits = NULL;
            HBITMAP hBmp = ::CreateDIBSection(dcScreen.GetSafeHdc(), &bi, DIB_RGB_COLORS, &pBits, NULL, 0);
            ASSERT_NE(nullptr, hBmp);
            HGDIOBJ hOld = ::SelectObject(dc.GetSafeHdc(), hBmp);
            CExtPaintManager::MenuItemPaintData data(NULL, CRect(0, 0, 220, 24), 22, "&Limit", "", NULL, false, false, false,
                                                     false, false, true, false, false, false, 3595);
            data.m_bHelperPopupDropped = bPart;
            data.m_rcInPlaceWnd = CRect(110, 2, 218, 22);
            data.m_strInPlaceText = "&&42";
            g_PaintManager->PaintMenuItem(dc, data);
            ::GdiFlush();
            // inside the field, right of its text: the window colour
            const COLORREF clrInside = dc.GetPixel(200, 12);
            EXPECT_EQ(bPart, clrInside == clrWindow) << "the field's inside";
            if (bPart) {
                // its text drawn without prefix processing: "&&42" shows both ampersands, so
                // pixels other than the window colour lie in the text's place
                int nText = 0;
                for (int x = 115; x < 160; x++)
                    for (int y = 5; y < 19; y++)
                        if (dc.GetPixel(x, y) != clrWindow)
                            nText++;
                EXPECT_GT(nText, 0) << "the field's text";
                EXPECT_NE(clrWindow, dc.GetPixel(110, 2)) << "its frame";
            }
            ::SelectObject(dc.GetSafeHdc(), hOld);
            ::DeleteObject(hBmp);
        }
    }
    g_PaintManager.InstallPaintManager(NULL);
}

}  // namespace
