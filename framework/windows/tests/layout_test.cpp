// RepositionBars: the bars take their sides of the client area in z-order, the left-over pane
// takes exactly the rest, and a query moves nothing.
#include "orv/gtest.h"
#include "WindowTestSupport.h"

namespace {

wintest::Recorder g_layout;

// A bar docked to one side: it takes its thickness from what is left.
class CSideBar : public CWnd {
public:
    std::string name;
    UINT side = AFX_IDW_DOCKBAR_TOP;
    int thickness = 0;

protected:
    afx_msg LRESULT OnSizeParent(WPARAM, LPARAM lParam)
    {
        g_layout.add(name);
        AFX_SIZEPARENTPARAMS* pLayout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
        CRect rc = pLayout->rect;
        if (side == AFX_IDW_DOCKBAR_TOP) {
            rc.bottom = rc.top + thickness;
            pLayout->rect.top += thickness;
            pLayout->sizeTotal.cy += thickness;
        } else {
            rc.right = rc.left + thickness;
            pLayout->rect.left += thickness;
            pLayout->sizeTotal.cx += thickness;
        }
        AfxRepositionWindow(pLayout, m_hWnd, &rc);
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSideBar, CWnd)
    ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
END_MESSAGE_MAP()

CRect childRect(CWnd& parent, CWnd& child)
{
    CRect rc;
    child.GetWindowRect(&rc);
    parent.ScreenToClient(&rc);
    return rc;
}

}  // namespace

TEST(Layout, BarsTakeTheirSidesInZOrderAndThePaneTheRest)
{
    CWnd frame;
    ASSERT_TRUE(frame.CreateEx(0, AfxRegisterWndClass(0), "layout", WS_POPUP, 0, 0, 400, 300, NULL, NULL));
    CSideBar top, left;
    top.name = "top";
    top.thickness = 20;
    left.name = "left";
    left.side = AFX_IDW_DOCKBAR_LEFT;
    left.thickness = 30;
    ASSERT_TRUE(top.Create(NULL, "top", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_DOCKBAR_TOP));
    ASSERT_TRUE(left.Create(NULL, "left", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_DOCKBAR_LEFT));
    CWnd pane;
    ASSERT_TRUE(pane.Create(NULL, "pane", WS_VISIBLE, CRect(0, 0, 1, 1), &frame, AFX_IDW_PANE_FIRST));
    CWnd outsider;  // an id outside the range: not asked
    ASSERT_TRUE(outsider.Create(NULL, "outsider", WS_VISIBLE, CRect(5, 5, 6, 6), &frame, 0x100));

    std::vector<std::string> zOrder;
    for (CWnd* p = frame.GetTopWindow(); p != NULL; p = p->GetWindow(GW_HWNDNEXT)) {
        if (p == &top || p == &left)
            zOrder.push_back(p == &top ? "top" : "left");
    }
    // a query: what would be left, nothing moves
    CRect query;
    frame.RepositionBars(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_FLOAT, AFX_IDW_PANE_FIRST, reposQuery, &query);
    EXPECT_EQ(CRect(30, 20, 400, 300), query);
    EXPECT_EQ(CRect(0, 0, 1, 1), childRect(frame, top));

    g_layout.events.clear();
    frame.RepositionBars(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_FLOAT, AFX_IDW_PANE_FIRST);
    EXPECT_EQ(zOrder, g_layout.events);
    EXPECT_EQ(CRect(30, 20, 400, 300), childRect(frame, pane));
    if (zOrder.front() == "top") {
        EXPECT_EQ(CRect(0, 0, 400, 20), childRect(frame, top));
        EXPECT_EQ(CRect(0, 20, 30, 300), childRect(frame, left));
    } else {
        EXPECT_EQ(CRect(0, 0, 30, 300), childRect(frame, left));
        EXPECT_EQ(CRect(30, 0, 400, 20), childRect(frame, top));
    }
    EXPECT_EQ(CRect(5, 5, 6, 6), childRect(frame, outsider));

    // reposExtra: the pane keeps a border inside what is left
    CRect border(2, 3, 4, 5);
    frame.RepositionBars(AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_FLOAT, AFX_IDW_PANE_FIRST, reposExtra, &border);
    EXPECT_EQ(CRect(32, 23, 396, 295), childRect(frame, pane));
    frame.DestroyWindow();
}

namespace {

class CInitialUpdateSpy : public CWnd {
public:
    int updates = 0;

protected:
    afx_msg LRESULT OnInitialUpdate(WPARAM, LPARAM)
    {
        ++updates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CInitialUpdateSpy, CWnd)
    ON_MESSAGE(WM_INITIALUPDATE, OnInitialUpdate)
END_MESSAGE_MAP()

}  // namespace

TEST(Layout, ExecuteDlgInitFillsBoxesAndTellsTheDirectChildren)
{
    CWnd dialog;
    ASSERT_TRUE(dialog.CreateEx(0, AfxRegisterWndClass(0), "dlginit", WS_POPUP, 0, 0, 300, 200, NULL, NULL));
    CInitialUpdateSpy child, grandchild;
    ASSERT_TRUE(child.Create(NULL, "child", 0, CRect(0, 0, 50, 50), &dialog, 1));
    ASSERT_TRUE(grandchild.Create(NULL, "grandchild", 0, CRect(0, 0, 10, 10), &child, 2));
    HWND hCombo = ::CreateWindowExA(0, "COMBOBOX", "", WS_CHILD | CBS_DROPDOWNLIST, 0, 60, 100, 100, dialog.m_hWnd,
                                    (HMENU)(UINT_PTR)3, NULL, NULL);
    // the block a resource compiler writes for a combo box with two strings
    static const BYTE block[] = {3, 0, 0x43, 0x01, 4, 0, 0, 0, 'P', 'O', 'P', 0,
                                 3, 0, 0x43, 0x01, 5, 0, 0, 0, 'S', 'M', 'T', 'P', 0, 0, 0};
    EXPECT_TRUE(dialog.ExecuteDlgInit((LPVOID)block));
    EXPECT_EQ(2, ::SendMessageA(hCombo, CB_GETCOUNT, 0, 0));
    char text[16] = "";
    ::SendMessageA(hCombo, CB_GETLBTEXT, 1, (LPARAM)text);
    EXPECT_STREQ("SMTP", text);
    EXPECT_EQ(1, child.updates);
    EXPECT_EQ(0, grandchild.updates);
    // no block at all still tells the children, and succeeds
    EXPECT_TRUE(dialog.ExecuteDlgInit((LPCTSTR)NULL));
    EXPECT_EQ(2, child.updates);
    dialog.DestroyWindow();
}
