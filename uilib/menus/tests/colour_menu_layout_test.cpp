// The colour popup menu without tracking: its geometry in the looks, its hit tests, its key
// table, and what the input handlers post to the notification target (a window that records
// the three notifications).
#include "orv/UiTest.h"
#include "TestLooks.h"
#include "RenderHarness.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupColorMenuWnd.h"
#include <memory>
#include <string>

namespace {

typedef CExtPopupColorMenuWnd Menu;
const UINT& kChanged = Menu::g_nMsgNotifyColorChanged;
const UINT& kFinally = Menu::g_nMsgNotifyColorChangedFinally;
const UINT& kCustom = Menu::g_nMsgNotifyCustColor;

// The button text's height in the menu font, as the menu measures it.
int TextHeight(const CString& str)
{
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&g_PaintManager->GetFont(CExtPaintManager::FontNormal));
    CRect rc(0, 0, 0, 0);
    dc.DrawText(str, &rc, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(pOld);
    return rc.Height();
}

struct Target {
    CWnd wnd;
    std::unique_ptr<orvtest::MessageRecorder> recorder;
    Target()
    {
        orvtest::uiApp("colour menu tests");
        EXPECT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "target", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        recorder.reset(new orvtest::MessageRecorder(wnd.m_hWnd, {kChanged, kFinally, kCustom}));
    }
    ~Target()
    {
        recorder.reset();
        if (wnd.m_hWnd != NULL)
            wnd.DestroyWindow();
    }
    // What was posted until now.
    const std::vector<orvtest::Message>& Posted()
    {
        orvtest::pumpWaiting();
        return recorder->received();
    }
};

}  // namespace

// Cells, buttons and window size follow the look's border, shadow and separator heights, the
// buttons shown and the owner's left area.
TEST(ColourMenuLayout, GeometryTable)
{
    orvtest::uiApp("colour menu tests");
    struct Case {
        const char* name;
        CExtPaintManager* (*make)();
        bool bDefault, bCustom;
        int nLeftArea;
    };
    const Case cases[] = {
        {"classic_both", [] { return new CExtPaintManager; }, true, true, 0},
        {"xp_both", [] { return (CExtPaintManager*)new CExtPaintManagerXP; }, true, true, 0},
        {"xp_none", [] { return (CExtPaintManager*)new CExtPaintManagerXP; }, false, false, 0},
        {"xp_custom_only", [] { return (CExtPaintManager*)new CExtPaintManagerXP; }, false, true, 0},
        {"office2003_default_only_left_area", [] { return (CExtPaintManager*)new CExtPaintManagerOffice2003; }, true,
         false, 24},
        {"studio2005_both", [] { return (CExtPaintManager*)new CExtPaintManagerStudio2005; }, true, true, 0},
    };
    for (const Case& c : cases) {
        orvtest::ScopedPainter painter(c.make());
        Menu menu;
        menu.m_bEnableBtnColorDefault = c.bDefault;
        menu.m_bEnableBtnColorCustom = c.bCustom;
        menu.SetOwnerValue(c.nLeftArea);
        const CSize size = menu.CalcColorMenuSize();
        const int b = painter->GetMenuBorderSize(), s = menu.GetShadowSize(), sep = painter->GetMenuSpacing();
        const int hDef = std::max(22, TextHeight(menu.m_sBtnTextColorDefault));
        const int hCust = std::max(22, TextHeight(menu.m_sBtnTextColorCustom));
        const int shift = c.bDefault ? sep + hDef + 6 : 0;
        const int cx = s + 2 * b + 160;
        const int cy = s + 2 * b + 100 + (c.bDefault ? sep + 6 + hDef : 0) + (c.bCustom ? sep + 6 + hCust : 0);
        EXPECT_EQ(CSize(cx + c.nLeftArea, cy), size) << c.name;
        // first and last cells: 16 pixels on a 20-pixel pitch
        EXPECT_EQ(CRect(b + 2, b + 2, b + 18, b + 18) + CPoint(c.nLeftArea, shift), menu.GetCellRect(0)) << c.name;
        EXPECT_EQ(CRect(b + 142, b + 82, b + 158, b + 98) + CPoint(c.nLeftArea, shift), menu.GetCellRect(39)) << c.name;
        EXPECT_TRUE(menu.GetCellRect(-1).IsRectEmpty()) << c.name;
        EXPECT_TRUE(menu.GetCellRect(40).IsRectEmpty()) << c.name;
        const CRect rcDef = c.bDefault ? CRect(b + 3, b + 3, cx - b - 3 - s, hDef + b + 3) + CPoint(c.nLeftArea, 0)
                                       : CRect(0, 0, 0, 0);
        EXPECT_EQ(rcDef, menu.m_rcDefaultColorBtn) << c.name;
        const CRect rcCust = c.bCustom ? CRect(b + 3, b + 3, cx - b - 3 - s, hCust + b + 3) +
                                             CPoint(c.nLeftArea, b + 102 + shift)
                                       : CRect(0, 0, 0, 0);
        EXPECT_EQ(rcCust, menu.m_rcCustomColorBtn) << c.name;
        // everything lies inside the menu, none overlaps another
        const CRect rcBody(0, 0, size.cx - s, size.cy - s);
        for (int i = 0; i < Menu::COLOR_COUNT; i++) {
            CRect rcInter;
            EXPECT_TRUE(rcInter.IntersectRect(rcBody, menu.GetCellRect(i)) && rcInter == menu.GetCellRect(i)) << c.name << i;
            EXPECT_FALSE(rcInter.IntersectRect(menu.GetCellRect(i), menu.m_rcDefaultColorBtn)) << c.name << i;
            EXPECT_FALSE(rcInter.IntersectRect(menu.GetCellRect(i), menu.m_rcCustomColorBtn)) << c.name << i;
        }
        if (c.bCustom) {
            EXPECT_LE(menu.m_rcCustomColorBtn.bottom, rcBody.bottom - b) << c.name;
        }
    }
}

// A long button text widens the menu; an initial colour selects its cell, one outside the
// palette none.
TEST(ColourMenuLayout, WideTextAndInitialColour)
{
    orvtest::uiApp("colour menu tests");
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Menu menu;
    menu.m_sBtnTextColorCustom = "A very long custom colour button text that does not fit &160 pixels";
    CString strPlain = menu.m_sBtnTextColorCustom;
    strPlain.Remove('&');
    CClientDC dc(NULL);
    CFont* pOld = dc.SelectObject(&painter->GetFont(CExtPaintManager::FontNormal));
    CRect rcText(0, 0, 0, 0);
    dc.DrawText(strPlain, &rcText, DT_CALCRECT | DT_SINGLELINE);
    dc.SelectObject(pOld);
    ASSERT_GT(rcText.Width() + 6, 160 + 2 * painter->GetMenuBorderSize() + menu.GetShadowSize());
    menu.m_clrInitial = RGB(64, 224, 208);   // "Turquoise"
    EXPECT_EQ(rcText.Width() + 6, menu.CalcColorMenuSize().cx);
    EXPECT_EQ(28, menu.m_nInitialColorIdx);
    menu.m_clrInitial = RGB(1, 2, 3);
    menu.CalcColorMenuSize();
    EXPECT_EQ(-1, menu.m_nInitialColorIdx);
    EXPECT_EQ(35, Menu::FindPaletteIndex(RGB(152, 251, 152)));
    EXPECT_STREQ("Pale green ", Menu::g_Palette[35].m_lpszName);
}

// Points over cells, the gaps between them, the border and the buttons.
TEST(ColourMenuLayout, HitTestTable)
{
    orvtest::uiApp("colour menu tests");
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Menu menu;
    menu.CalcColorMenuSize();
    const CRect rc0 = menu.GetCellRect(0), rc9 = menu.GetCellRect(9), rc39 = menu.GetCellRect(39);
    struct Case {
        const char* name;
        CPoint pt;
        int expected;
    };
    const Case cases[] = {
        {"cell 0 centre", rc0.CenterPoint(), 0},
        {"cell 0 top left", rc0.TopLeft(), 0},
        {"cell 0 right edge is outside", CPoint(rc0.right, rc0.top + 4), -1},
        {"gap between cells 0 and 1", CPoint(rc0.right + 1, rc0.top + 4), -1},
        {"gap between rows", CPoint(rc0.left + 4, rc0.bottom + 1), -1},
        {"cell 9", rc9.CenterPoint(), 9},
        {"cell 39", CPoint(rc39.right - 1, rc39.bottom - 1), 39},
        {"border", CPoint(0, 0), -1},
        {"default button", menu.m_rcDefaultColorBtn.CenterPoint(), Menu::IDX_DEFAULT_BUTTON},
        {"custom button", menu.m_rcCustomColorBtn.CenterPoint(), Menu::IDX_CUSTOM_BUTTON},
        {"below the custom button", CPoint(menu.m_rcCustomColorBtn.left + 2, menu.m_rcCustomColorBtn.bottom + 1), -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, menu.HitTestColor(c.pt)) << c.name;
}

// Arrows wrap in their row or column; from none or a button they go to black (index 0).
TEST(ColourMenuLayout, KeyTable)
{
    struct Case {
        int from;
        UINT key;
        int to;
    };
    const Case cases[] = {
        {0, VK_LEFT, 7},    {8, VK_LEFT, 15},   {7, VK_RIGHT, 0},   {12, VK_RIGHT, 13}, {12, VK_LEFT, 11},
        {0, VK_UP, 32},     {33, VK_DOWN, 1},   {39, VK_DOWN, 7},   {20, VK_UP, 12},    {20, VK_DOWN, 28},
        {-1, VK_LEFT, 0},   {-4, VK_RIGHT, 0},  {-5, VK_UP, 0},     {-5, VK_DOWN, 0},   {5, VK_RETURN, -1},
        {5, VK_SPACE, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.to, Menu::NextIndexForKey(c.from, c.key)) << c.from << " key " << c.key;
}

// What the key handler posts: arrows the live colour, Enter the final one (the default colour,
// or the custom notification with -2 written), Esc and Alt nothing; keys outside Enter..Down
// and the keys in that range without a meaning are not handled.
TEST(ColourMenuInput, KeysPostNotifications)
{
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    struct Case {
        const char* name;
        int hot;
        UINT key;
        bool handled;
        std::vector<orvtest::Expected> posted;
        COLORREF result;   // through the result pointer; 0x12345678 untouched
    };
    const LPARAM cookie = 0x7E57;
    const COLORREF clrDefault = RGB(10, 20, 30);
    const std::vector<Case> cases = {
        {"left from black wraps to grey", 0, VK_LEFT, true, {{kChanged, (WPARAM)RGB(40, 40, 40), cookie}}, 0x12345678},
        {"down from the default button jumps to black", Menu::IDX_DEFAULT_BUTTON, VK_DOWN, true,
         {{kChanged, (WPARAM)RGB(0, 0, 0), cookie}}, 0x12345678},
        {"right from nothing jumps to black", -1, VK_RIGHT, true, {{kChanged, (WPARAM)RGB(0, 0, 0), cookie}}, 0x12345678},
        {"enter on red", 16, VK_RETURN, true, {{kFinally, (WPARAM)RGB(255, 0, 0), cookie}}, RGB(255, 0, 0)},
        {"enter on the default button", Menu::IDX_DEFAULT_BUTTON, VK_RETURN, true, {{kFinally, (WPARAM)clrDefault, cookie}},
         clrDefault},
        {"enter on the custom button", Menu::IDX_CUSTOM_BUTTON, VK_RETURN, true, {{kCustom, 0, cookie}}, (COLORREF)-2},
        {"enter on nothing", -1, VK_RETURN, true, {}, 0x12345678},
        {"esc", 16, VK_ESCAPE, true, {}, 0x12345678},
        {"alt", 16, VK_MENU, true, {}, 0x12345678},
        {"space is in range but means nothing", 16, VK_SPACE, false, {}, 0x12345678},
        {"tab is out of range", 16, VK_TAB, false, {}, 0x12345678},
        {"f1 is out of range", 16, VK_F1, false, {}, 0x12345678},
    };
    for (const Case& c : cases) {
        Target target;
        Menu menu;
        COLORREF result = 0x12345678;
        menu.m_hWndNotifyColorChanged = target.wnd.m_hWnd;
        menu.m_lParamCookie = cookie;
        menu.m_pClrValueFinal = &result;
        menu.m_clrDefaultColor = clrDefault;
        menu.CalcColorMenuSize();
        menu.m_nColorIdxCurr = c.hot;
        bool bPass = false;
        EXPECT_EQ(c.handled, menu.HandleKeyDown(c.key, 1, 0, bPass)) << c.name;
        (void)target.Posted();
        EXPECT_TRUE(target.recorder->matches(c.posted)) << c.name;
        EXPECT_EQ(c.result, result) << c.name;
    }
}

// Moving over the menu: a cell previews its colour, the default button the default colour; the
// custom button, a gap between cells and the border make the hot index change but post nothing
// (a gap once made the menu read the palette at -1 and post that).
TEST(ColourMenuInput, MovesPreviewOnlyColours)
{
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Target target;
    Menu menu;
    menu.m_hWndNotifyColorChanged = target.wnd.m_hWnd;
    menu.m_lParamCookie = 7;
    menu.m_clrDefaultColor = RGB(1, 1, 1);
    menu.CalcColorMenuSize();
    const CRect rc13 = menu.GetCellRect(13);
    struct Step {
        const char* name;
        CPoint pt;
        int hot;
        std::vector<orvtest::Expected> posted;
    };
    const std::vector<Step> steps = {
        {"onto blue", rc13.CenterPoint(), 13, {{kChanged, (WPARAM)RGB(0, 0, 255), 7}}},
        {"within blue again", rc13.TopLeft(), 13, {}},
        {"onto the gap right of blue", CPoint(rc13.right + 1, rc13.top + 3), -1, {}},
        {"onto the border", CPoint(0, 5), -1, {}},
        {"onto the custom button", menu.m_rcCustomColorBtn.CenterPoint(), Menu::IDX_CUSTOM_BUTTON, {}},
        {"onto the default button", menu.m_rcDefaultColorBtn.CenterPoint(), Menu::IDX_DEFAULT_BUTTON,
         {{kChanged, (WPARAM)RGB(1, 1, 1), 7}}},
        {"onto the gap below the default button", CPoint(menu.m_rcDefaultColorBtn.left + 2, menu.m_rcDefaultColorBtn.bottom + 1),
         -1, {}},
    };
    for (const Step& s : steps) {
        target.recorder->clear();
        bool bPass = false;
        EXPECT_TRUE(menu.HandleMouseMove(WM_MOUSEMOVE, s.pt, bPass)) << s.name;
        EXPECT_EQ(s.hot, menu.m_nColorIdxCurr) << s.name;
        (void)target.Posted();
        EXPECT_TRUE(target.recorder->matches(s.posted)) << s.name;
    }
}

// A click's release chooses what is under it; a press is left to others; a release outside
// every cell and button chooses nothing.
TEST(ColourMenuInput, ReleaseChooses)
{
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    struct Case {
        const char* name;
        UINT msg;
        int at;   // cell index, a button code, or -1 for the border
        bool handled;
        std::vector<orvtest::Expected> posted;
    };
    const std::vector<Case> cases = {
        {"release on yellow", WM_LBUTTONUP, 26, true, {{kFinally, (WPARAM)RGB(255, 255, 0), 3}}},
        {"release on the custom button", WM_LBUTTONUP, Menu::IDX_CUSTOM_BUTTON, true, {{kCustom, 0, 3}}},
        {"release on the border", WM_LBUTTONUP, -1, true, {}},
        {"press on yellow", WM_LBUTTONDOWN, 26, false, {}},
        {"right release on yellow", WM_RBUTTONUP, 26, false, {}},
    };
    for (const Case& c : cases) {
        Target target;
        Menu menu;
        menu.m_hWndNotifyColorChanged = target.wnd.m_hWnd;
        menu.m_lParamCookie = 3;
        menu.CalcColorMenuSize();
        const CPoint pt = c.at == Menu::IDX_CUSTOM_BUTTON ? menu.m_rcCustomColorBtn.CenterPoint()
                          : c.at >= 0                   ? menu.GetCellRect(c.at).CenterPoint()
                                                        : CPoint(0, 0);
        bool bPass = false;
        EXPECT_EQ(c.handled, menu.HandleMouseClick(c.msg, pt, bPass)) << c.name;
        (void)target.Posted();
        EXPECT_TRUE(target.recorder->matches(c.posted)) << c.name;
    }
}

// A target that is gone receives nothing (its handle may name another window by then); the
// result is still written.
TEST(ColourMenuInput, GoneTargetGetsNothing)
{
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Target owner;
    CWnd gone;
    ASSERT_TRUE(gone.CreateEx(0, AfxRegisterWndClass(0), "gone", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
    const HWND hGone = gone.m_hWnd;
    gone.DestroyWindow();
    ASSERT_FALSE(::IsWindow(hGone));
    Menu menu;
    ASSERT_TRUE(menu.CreatePopupMenu(owner.wnd.m_hWnd));
    COLORREF result = 0;
    menu.m_hWndNotifyColorChanged = hGone;
    menu.m_pClrValueFinal = &result;
    menu.CalcColorMenuSize();
    menu.m_nColorIdxCurr = 16;
    bool bPass = false;
    EXPECT_TRUE(menu.HandleKeyDown(VK_RETURN, 1, 0, bPass));
    EXPECT_EQ(RGB(255, 0, 0), result);
    // nothing fell back to the owner either: the target was named
    EXPECT_TRUE(owner.recorder->matches({}));
    (void)owner.Posted();
    EXPECT_TRUE(owner.recorder->matches({}));
}

// Without a target the menu's owner window is told.
TEST(ColourMenuInput, OwnerIsTheDefaultTarget)
{
    orvtest::ScopedPainter painter(new CExtPaintManagerXP);
    Target owner;
    Menu menu;
    ASSERT_TRUE(menu.CreatePopupMenu(owner.wnd.m_hWnd));
    menu.CalcColorMenuSize();
    bool bPass = false;
    EXPECT_TRUE(menu.HandleKeyDown(VK_UP, 1, 0, bPass));
    (void)owner.Posted();
    EXPECT_TRUE(owner.recorder->matches({{kChanged, (WPARAM)RGB(0, 0, 0), 0}}));
}

// The menu in each look, hot and selected cells and both buttons, kept as pictures.
TEST(ColourMenuPaint, Looks)
{
    orvtest::uiApp("colour menu tests");
    const auto& looks = kTestLooks;
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP | WS_VISIBLE, 0, 0, 20, 20, NULL, NULL));
    const int nAnimation = CExtPopupMenuWnd::g_nMenuAnimation;
    CExtPopupMenuWnd::g_nMenuAnimation = CExtPopupBaseWnd::__AT_NONE;
    for (const TestLook& l : looks) {
        orvtest::ScopedPainter painter(l.make());
        // shown as the colour button shows it (the site deletes it when it closes)
        Menu* pMenu = new Menu;
        ASSERT_TRUE(pMenu->CreatePopupMenu(owner.m_hWnd));
        pMenu->m_clrInitial = RGB(255, 0, 0);
        ASSERT_TRUE(pMenu->TrackPopupMenu(0, 100, 100));
        Menu& menu = *pMenu;
        CRect rcClient;
        menu.GetClientRect(&rcClient);
        EXPECT_EQ(menu.CalcColorMenuSize(), rcClient.Size()) << l.name;
        menu.m_nColorIdxCurr = 13;
        orvtest::RenderCanvas canvas(rcClient.Width(), rcClient.Height(), RGB(255, 0, 255));
        menu.PaintPopup(canvas.dc(), true);
        canvas.Keep(std::string("colour_menu_") + l.name, 2);
        if (orvtest::DisplayDepth() > 8) {
            // each cell shows its colour inside its frame
            for (int i = 0; i < Menu::COLOR_COUNT; i++) {
                const CRect rc = menu.GetCellRect(i);
                EXPECT_EQ(Menu::g_Palette[i].m_clr, canvas.At(rc.CenterPoint().x, rc.CenterPoint().y)) << l.name << i;
                EXPECT_EQ(painter->GetColor(COLOR_3DDKSHADOW), canvas.At(rc.left + 2, rc.top + 2)) << l.name << i;
            }
            // the hot and the selected cell are raised or lit: their rims differ from a plain cell's
            const CRect rcPlain = menu.GetCellRect(0), rcHot = menu.GetCellRect(13), rcSel = menu.GetCellRect(16);
            EXPECT_NE(canvas.At(rcPlain.left, rcPlain.top + 8), canvas.At(rcHot.left, rcHot.top + 8)) << l.name;
            EXPECT_NE(canvas.At(rcPlain.left, rcPlain.top + 8), canvas.At(rcSel.left, rcSel.top + 8)) << l.name;
        }
        CExtPopupMenuWnd::CancelMenuTracking();
        EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked()) << l.name;
    }
    CExtPopupMenuWnd::g_nMenuAnimation = nAnimation;
    owner.DestroyWindow();
}
