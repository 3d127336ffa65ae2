// The popup menus as the paint manager draws them, in the four looks: one picture per display
// depth (menus_gallery_<depth>.png), a row per look: the menu with its submenu open (an icon, a
// checked and a radio item, a disabled item, the expand item for its hidden rarely used item),
// the menu expanded with the rarely used item in its distinct look and without it, and a menu
// taller than a small work area with both scroll buttons (its top and its bottom, each cut at
// an item's edge, with a grey line between them). Every menu in the picture must read as a
// light area with dark text, at either depth.
#include "orv/UiTest.h"
#include "TestLooks.h"
#include "orv/TestEnv.h"
#include "CExtCmdItem.h"
#include "CExtCmdManager.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPopupMenuWnd.h"
#include "menus_track_resources.h"
#include <algorithm>
#include <string>
#include <vector>

namespace {

bool Is24() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

const CPoint kMenuAt(20, 20);
const CSize kPanel(250, 190);
enum { kPanels = 4, kLooks = 4 };

// The item positions of the gallery menu once the icon item is put first.
enum { kIcon = 0, kOpen = 1, kChecked = 2, kRadio = 3, kDisabled = 5, kSubmenu = 6, kRare = 7 };

struct GalleryTest : ::testing::Test {
    CWnd backdrop;   // plain white behind the menus
    CWnd owner;
    CString profile;
    HICON hIcon = NULL;
    CRect areas[kLooks][kPanels];   // each menu's inside (no border, no shadow) in the picture
    void SetUp() override
    {
        orvtest::uiApp();
        CExtPopupMenuWnd::ResetStandIn();
        ASSERT_TRUE(backdrop.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "",
                                      WS_POPUP | WS_VISIBLE, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                      ::GetSystemMetrics(SM_CYSCREEN), NULL, NULL));
        ASSERT_TRUE(owner.CreateEx(0, AfxRegisterWndClass(0), "owner", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        profile.Format("menus-gallery-%p", (void*)owner.m_hWnd);
        ASSERT_TRUE(g_CmdManager->ProfileSetup(profile, owner.m_hWnd));
        hIcon = (HICON)::CopyImage(::LoadIcon(NULL, IDI_APPLICATION), IMAGE_ICON, 16, 16, 0);
        orvtest::pumpWaiting();
    }
    void TearDown() override
    {
        CExtPopupMenuWnd::CancelMenuTracking();
        g_PaintManager.InstallPaintManager(NULL);
        g_CmdManager->ProfileWndRemove(owner.m_hWnd, true);
        owner.DestroyWindow();
        backdrop.DestroyWindow();
        if (hIcon != NULL)
            ::DestroyIcon(hIcon);
    }
    CExtPopupMenuWnd* GalleryMenu()
    {
        CExtPopupMenuWnd* p = new CExtPopupMenuWnd;
        EXPECT_TRUE(p->LoadMenu(owner.m_hWnd, IDR_MENU_GALLERY));
        CExtCmdIcon icon;
        icon.AssignFromHICON(hIcon, true);
        EXPECT_TRUE(p->InsertCustomItem(ID_TRK_PROPERTIES, 0, "&Icon item", "F4", icon));
        for (UINT id : {ID_TRK_OPEN, ID_TRK_CHECKED, ID_TRK_RADIO, ID_TRK_DISABLED, ID_TRK_SUB_FIRST, ID_TRK_SUB_SECOND, ID_TRK_SAVE})
            g_CmdManager->GetCommand(profile, id)->SetAlwaysVisible(true);
        CExtCmdItem* pRare = g_CmdManager->GetCommand(profile, ID_TRK_RARE);
        pRare->SetAlwaysVisible(false);
        pRare->ResetUsageCount();
        p->GetItemAt(kChecked).m_nStateFlags |= CExtPopupMenuWnd::MENUITEMDATA::STATE_CHECKED;
        p->GetItemAt(kRadio).m_nKindFlags |= CExtPopupMenuWnd::MENUITEMDATA::KIND_RADIO;
        p->GetItemAt(kDisabled).m_nKindFlags &= ~CExtPopupMenuWnd::MENUITEMDATA::KIND_ENABLED;
        return p;
    }
    static bool Finished(CExtPopupMenuWnd* p)
    {
        return p != NULL && p->GetSafeHwnd() != NULL && p->IsAnimationFinished() &&
               CExtPopupMenuSite::g_DefPopupMenuSite.GetAnimatedMenu() == NULL;
    }
    // The inside of a menu (within its border, without its shadow) as the picture shows it
    // when the screen point kMenuAt - 2 lands on the panel's corner.
    void NoteArea(CExtPopupMenuWnd* p, int nLook, int nPanel)
    {
        CRect rc;
        ::GetWindowRect(p->GetSafeHwnd(), &rc);
        rc.right -= p->GetShadowSize();
        rc.bottom -= p->GetShadowSize();
        rc.DeflateRect(3, 3);
        rc.OffsetRect(nPanel * kPanel.cx - (kMenuAt.x - 2), nLook * kPanel.cy - (kMenuAt.y - 2));
        rc.IntersectRect(rc, CRect(nPanel * kPanel.cx, nLook * kPanel.cy, (nPanel + 1) * kPanel.cx - 4,
                                   (nLook + 1) * kPanel.cy - 4));
        areas[nLook][nPanel] = rc;
    }
    // What the screen shows of the menus, into the composite picture.
    static void Capture(CDC& dcComposite, int nLook, int nPanel)
    {
        orvtest::pumpWaiting();
        ::GdiFlush();
        HDC hdcScreen = ::GetDC(NULL);
        ::BitBlt(dcComposite.GetSafeHdc(), nPanel * kPanel.cx, nLook * kPanel.cy, kPanel.cx - 4, kPanel.cy - 4, hdcScreen,
                 kMenuAt.x - 2, kMenuAt.y - 2, SRCCOPY);
        ::ReleaseDC(NULL, hdcScreen);
    }
};

// The window that shows the composite picture for the screenshot.
class PictureWnd : public CWnd {
public:
    CBitmap* pBitmap = NULL;
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* pOld = mem.SelectObject(pBitmap);
        dc.BitBlt(0, 0, kPanels * kPanel.cx, kLooks * kPanel.cy, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PictureWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST_F(GalleryTest, MenusInEveryLook)
{
    struct Switches {
        bool bHiding = CExtPopupMenuWnd::g_bMenuExpanding;
        bool bRarely = CExtPopupMenuWnd::g_bMenuHighlightRarely;
        int nAnimation = CExtPopupMenuWnd::g_nMenuAnimation;
        ~Switches()
        {
            CExtPopupMenuWnd::g_bMenuExpanding = bHiding;
            CExtPopupMenuWnd::g_bMenuHighlightRarely = bRarely;
            CExtPopupMenuWnd::g_nMenuAnimation = nAnimation;
        }
    } switches;
    CExtPopupMenuWnd::g_bMenuExpanding = true;
    CExtPopupMenuWnd::g_nMenuAnimation = CExtPopupBaseWnd::__AT_NONE;

    const auto& looks = kTestLooks;
    CClientDC dcScreen(NULL);
    CDC dcComposite;
    ASSERT_TRUE(dcComposite.CreateCompatibleDC(&dcScreen));
    CBitmap bmpComposite;
    ASSERT_TRUE(bmpComposite.CreateCompatibleBitmap(&dcScreen, kPanels * kPanel.cx, kLooks * kPanel.cy));
    CBitmap* pOldBmp = dcComposite.SelectObject(&bmpComposite);
    dcComposite.FillSolidRect(0, 0, kPanels * kPanel.cx, kLooks * kPanel.cy, RGB(255, 255, 255));
    const UINT kFlags = 0x0400;   // the states set here stay: no update from handlers

    for (int nLook = 0; nLook < kLooks; nLook++) {
        SCOPED_TRACE(looks[nLook].name);
        ASSERT_TRUE(g_PaintManager.InstallPaintManager(looks[nLook].make()));
        // the menu with its submenu open and the expand item
        {
            CExtPopupMenuWnd* p = GalleryMenu();
            ASSERT_TRUE(p->TrackPopupMenu(kFlags, kMenuAt.x, kMenuAt.y));
            ASSERT_TRUE(orvtest::pumpUntil([&] { return Finished(p); }));
            EXPECT_TRUE(p->HasHiddenItems());
            EXPECT_FALSE(p->ItemIsDisplayed(kRare));
            p->ItemFocusSet(kSubmenu, true, true, true);
            CExtPopupMenuWnd* pChild = p->ItemGetPopup(kSubmenu);
            ASSERT_TRUE(orvtest::pumpUntil([&] { return Finished(pChild) && ::IsWindowVisible(pChild->GetSafeHwnd()); }));
            NoteArea(p, nLook, 0);
            Capture(dcComposite, nLook, 0);
            CExtPopupMenuWnd::CancelMenuTracking();
        }
        // expanded, the rarely used item in its own look and without it
        for (int nPanel : {1, 2}) {
            CExtPopupMenuWnd::g_bMenuHighlightRarely = nPanel == 1;
            CExtPopupMenuWnd* p = GalleryMenu();
            ASSERT_TRUE(p->TrackPopupMenu(kFlags, kMenuAt.x, kMenuAt.y));
            ASSERT_TRUE(orvtest::pumpUntil([&] { return Finished(p); }));
            p->ExpandHiddenItems();
            ASSERT_TRUE(orvtest::pumpUntil([&] { return Finished(p) && p->IsExpanded(); }));
            EXPECT_TRUE(p->ItemIsDisplayed(kRare));
            EXPECT_TRUE(p->IsItemRarelyShown(kRare));
            p->ItemFocusSet(kOpen, false, true);
            ::UpdateWindow(p->GetSafeHwnd());
            NoteArea(p, nLook, nPanel);
            Capture(dcComposite, nLook, nPanel);
            CExtPopupMenuWnd::CancelMenuTracking();
        }
        // taller than the work area: both scroll buttons once it is scrolled half way (the
        // panel shows its top and its bottom)
        {
            CExtPopupMenuWnd* p = new CExtPopupMenuWnd;
            ASSERT_TRUE(p->CreatePopupMenu(owner.m_hWnd));
            for (int i = 0; i < 60; i++) {
                CString s;
                s.Format("Line %d", i + 1);
                ASSERT_TRUE(p->InsertCustomItem(ID_TRK_LONG_FIRST + i, -1, s, NULL, CExtCmdIcon()));
            }
            ASSERT_TRUE(p->TrackPopupMenu(kFlags, kMenuAt.x, kMenuAt.y));
            ASSERT_TRUE(orvtest::pumpUntil([&] { return Finished(p); }));
            EXPECT_TRUE(p->IsScrolling());
            p->ItemFocusSet(45, false, true);
            EXPECT_LT(p->GetScrollOffset(), 0);
            EXPECT_GT(p->GetScrollOffset(), p->GetMinScrollPos());
            ::UpdateWindow(p->GetSafeHwnd());
            orvtest::pumpWaiting();
            ::GdiFlush();
            CRect rc;
            ::GetWindowRect(p->GetSafeHwnd(), &rc);
            // the top ends and the bottom starts at an item's edge, within the items' view
            const int nHalf = (kPanel.cy - 4 - 3) / 2;
            const CRect rcView = p->GetItemsViewRect();
            int yTop = rcView.top, yBottom = rcView.bottom;
            for (int i = 0; i < p->GetItemCount(); i++) {
                const CRect rcItem = p->GetItemRect(i);
                if (rcItem.top >= rcView.top && rcItem.bottom <= nHalf)
                    yTop = std::max(yTop, (int)rcItem.bottom);
                if (rcItem.bottom <= rcView.bottom && rcItem.top >= rc.Height() - nHalf)
                    yBottom = std::min(yBottom, (int)rcItem.top);
            }
            const int x = 3 * kPanel.cx, y = nLook * kPanel.cy;
            HDC hdcScreen = ::GetDC(NULL);
            ::BitBlt(dcComposite.GetSafeHdc(), x, y, kPanel.cx - 4, yTop, hdcScreen, rc.left - 2, rc.top, SRCCOPY);
            dcComposite.FillSolidRect(x, y + yTop + 1, rc.Width() + 4, 1, RGB(128, 128, 128));
            ::BitBlt(dcComposite.GetSafeHdc(), x, y + yTop + 3, kPanel.cx - 4, rc.Height() - yBottom, hdcScreen, rc.left - 2,
                     rc.top + yBottom, SRCCOPY);
            areas[nLook][3] = CRect(x + 2 + 3, y + 3, x + 2 + rc.Width() - p->GetShadowSize() - 3, y + yTop);
            ::ReleaseDC(NULL, hdcScreen);
            CExtPopupMenuWnd::CancelMenuTracking();
            // the white behind the next look's menus, not what this one left on the screen
            ::RedrawWindow(backdrop.m_hWnd, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        }
    }
    dcComposite.SelectObject(pOldBmp);

    PictureWnd picture;
    picture.pBitmap = &bmpComposite;
    ASSERT_TRUE(picture.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 kPanels * kPanel.cx, kLooks * kPanel.cy, NULL, NULL));
    picture.UpdateWindow();
    orvtest::pumpWaiting();
    orvtest::Picture shot;
    ASSERT_TRUE(orvtest::screenshot(Is24() ? "menus_gallery_24" : "menus_gallery_8", &shot));
    // every menu reads: a light background with dark text on it
    const char* panels[kPanels] = {"with its submenu", "expanded, rarely used look", "expanded", "scrolled"};
    for (int nLook = 0; nLook < kLooks; nLook++)
        for (int nPanel = 0; nPanel < kPanels; nPanel++) {
            const CRect& rc = areas[nLook][nPanel];
            ASSERT_FALSE(rc.IsRectEmpty()) << looks[nLook].name << ", " << panels[nPanel];
            EXPECT_EQ("", shot.lightAreaProblem(rc.left, rc.top, rc.right, rc.bottom))
                << looks[nLook].name << ", the menu " << panels[nPanel];
        }
    if (Is24()) {
        // the distinct look of rarely used items shows: the expanded panels differ where it is
        for (int nLook = 0; nLook < kLooks; nLook++) {
            int nDiffer = 0;
            for (int y = 0; y < kPanel.cy - 4; y++)
                for (int x = 0; x < kPanel.cx - 4; x++)
                    if (shot.pixel(kPanel.cx + x, nLook * kPanel.cy + y) != shot.pixel(2 * kPanel.cx + x, nLook * kPanel.cy + y))
                        nDiffer++;
            EXPECT_GT(nDiffer, 0) << looks[nLook].name << ": the rarely used item looks the same with and without its look";
        }
    }
    picture.DestroyWindow();
}

}  // namespace
