// The popup-menu and tool-bar stand-ins the dialog controls talk to: items built from a menu,
// tracking requests recorded with the answers a test sets, and who owns a popup afterwards.
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtCmdManager.h"
#include "ExtBarStandIns.h"

namespace {

struct StandInFixture : ::testing::Test {
    HWND owner = NULL;
    CMenu menu;
    void SetUp() override
    {
        CExtPopupMenuWnd::ResetStandIn();
        owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 50, 50, NULL, NULL, NULL, NULL);
        // a bar menu whose first sub-menu is what a button shows: two commands, a separator and
        // a sub-menu of one command
        CMenu sub, inner;
        sub.CreatePopupMenu();
        inner.CreatePopupMenu();
        inner.AppendMenu(MF_STRING, 103, "Third");
        sub.AppendMenu(MF_STRING, 101, "First");
        sub.AppendMenu(MF_SEPARATOR, 0, (LPCTSTR)NULL);
        sub.AppendMenu(MF_STRING, 102, "Second");
        sub.AppendMenu(MF_POPUP, (UINT_PTR)inner.Detach(), "More");
        menu.CreateMenu();
        menu.AppendMenu(MF_POPUP, (UINT_PTR)sub.Detach(), "Bar");
    }
    void TearDown() override
    {
        menu.DestroyMenu();
        ::DestroyWindow(owner);
        CExtPopupMenuWnd::ResetStandIn();
    }
};

}  // namespace

TEST_F(StandInFixture, ItemsComeFromTheFirstSubMenuAndTrackingIsRecorded)
{
    const int live = CExtPopupMenuWnd::standIn().nLive;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->UpdateFromMenu(owner, &menu, true, true));
    ASSERT_EQ(4, pPopup->GetItemCount());
    EXPECT_EQ(101u, pPopup->GetItemAt(0).m_nCmdID);
    EXPECT_EQ(0u, pPopup->GetItemAt(1).m_nCmdID);
    EXPECT_EQ(0x08u, pPopup->GetItemAt(3).m_dwFlags & 0x08);
    EXPECT_THROW(pPopup->GetItemAt(4), CNotSupportedException*);
    EXPECT_EQ(owner, pPopup->GetOwnerWindow());
    pPopup->SetOwnerValue(7);

    bool trackedInside = false;
    CExtPopupMenuWnd::standIn().nChosenCmdID = 102;
    CExtPopupMenuWnd::standIn().onTrack = [&](CExtPopupMenuWnd&, const CExtPopupMenuTrackRecord&) {
        trackedInside = CExtPopupMenuWnd::IsAnyMenuTracked();
    };
    UINT chosen = 0;
    CRect exclude(10, 20, 110, 45);
    EXPECT_TRUE(pPopup->TrackPopupMenu(0x2A4, 60, 32, &exclude, NULL, NULL, &chosen, true));
    // tracking started: the popup went by itself
    EXPECT_EQ(live, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_TRUE(trackedInside);
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    EXPECT_EQ(102u, chosen);
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    const CExtPopupMenuTrackRecord& r = CExtPopupMenuWnd::standIn().tracked[0];
    EXPECT_EQ(0x2A4u, r.nFlags);
    EXPECT_EQ(CPoint(60, 32), r.point);
    EXPECT_TRUE(r.bExclude);
    EXPECT_EQ(exclude, r.rcExclude);
    EXPECT_EQ(7, r.nOwnerValue);
    EXPECT_TRUE(r.bResultPointer);
    ASSERT_EQ(4u, r.items.size());
    EXPECT_EQ(CString("Second"), r.items[2].strText);
    EXPECT_EQ(1, r.items[3].nSubItems);
    EXPECT_EQ(-1, r.items[0].nSubItems);
}

TEST_F(StandInFixture, AFailedTrackingLeavesThePopupToItsCaller)
{
    const int live = CExtPopupMenuWnd::standIn().nLive;
    CExtPopupMenuWnd* pPopup = new CExtPopupMenuWnd;
    ASSERT_TRUE(pPopup->CreatePopupMenu(owner));
    EXPECT_TRUE(pPopup->InsertItem(5, -1, "Five"));
    EXPECT_FALSE(pPopup->InsertItem(6, 3, "beyond the end"));
    CExtPopupMenuWnd* pSub = new CExtPopupMenuWnd;
    EXPECT_TRUE(pPopup->InsertSubMenu(pSub, 0, "Sub"));
    EXPECT_FALSE(pPopup->RemoveItem(2));
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    UINT chosen = 99;
    EXPECT_FALSE(pPopup->TrackPopupMenu(4, 0, 0, NULL, NULL, NULL, &chosen));
    EXPECT_EQ(0u, chosen);
    EXPECT_EQ(live + 2, CExtPopupMenuWnd::standIn().nLive);
    delete pPopup;   // the sub-popup goes with it
    EXPECT_EQ(live, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_FALSE(CExtPopupMenuWnd().CreatePopupMenu(NULL));
}

TEST_F(StandInFixture, WindowsInOneTopLevel)
{
    HWND child = ::CreateWindowExA(0, "STATIC", "child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, owner, NULL, NULL, NULL);
    HWND other = ::CreateWindowExA(0, "STATIC", "other", WS_POPUP, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    struct Case {
        HWND a, b;
        bool checkVisible;
        bool tracked;
        bool expected;
    } cases[] = {
        {child, owner, false, false, true},
        {child, child, false, false, true},
        {owner, child, false, false, true},    // the owner is an ancestor of the second
        {child, other, false, false, false},
        {child, owner, true, false, false},    // the owner is hidden
        {child, owner, false, true, false},    // a menu is tracked
        {child, (HWND)0x1234, false, false, false},
    };
    for (const Case& c : cases) {
        CExtPopupMenuWnd::standIn().bAnyMenuTracked = c.tracked;
        EXPECT_EQ(c.expected, CExtPopupMenuWnd::AreWindowsInSameTopLevel(c.a, c.b, false, c.checkVisible, true))
            << (&c - cases);
    }
    CExtPopupMenuWnd::CancelMenuTracking();
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    ::DestroyWindow(other);
}

TEST(ToolBarStandIn, CancellingAllTrackingClearsTheMenuFlag)
{
    CExtToolControlBar::g_bMenuTracking = true;
    const int calls = CExtToolControlBar::g_nCancelAllBarsTrackingCalls;
    CExtToolControlBar::CancelAllBarsTracking();
    EXPECT_FALSE(CExtToolControlBar::g_bMenuTracking);
    EXPECT_EQ(calls + 1, CExtToolControlBar::g_nCancelAllBarsTrackingCalls);
    EXPECT_NE(0u, CExtToolControlBar::g_nMsgContinueTrackMenu);
    EXPECT_NE(CExtControlBar::g_nMsgPutToPopupMenu, CExtPopupMenuWnd::g_nMsgPrepareMenu);
}
