// The tool-bar stand-in the dialog controls talk to. (The popup menu's recorded tracking is the
// menu layer's: uilib/menus/tests.)
#include <orv/gtest.h>
#include <afxwin.h>
#include "CExtCmdManager.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"
#include "ExtToolBarStandIns.h"

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
