// The thread's tool tip: a window that enables tool tips has the mouse messages it pre-translates
// checked against OnToolHitTest, the tool found is shown by the thread's tool-tip control, and
// the text OnToolHitTest made is freed by the framework exactly once.
#include "orv/gtest.h"
#include "WindowTestSupport.h"
#include <malloc.h>
#include <cstring>

namespace {

const size_t kTextSize = 1 << 20;  // large: glibc maps it on its own, so its release shows at once

class CTippedWnd : public CWnd {
public:
    int hits = 0;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override
    {
        CRect rc;
        GetClientRect(&rc);
        if (point.x >= rc.Width() / 2)
            return -1;
        const_cast<CTippedWnd*>(this)->hits++;
        char* text = static_cast<char*>(malloc(kTextSize));
        memset(text, 'x', kTextSize - 1);
        memcpy(text, "left half", 9);
        text[9] = '\0';
        pTI->hwnd = m_hWnd;
        pTI->uId = 1;
        pTI->rect = CRect(0, 0, rc.Width() / 2, rc.Height());
        pTI->lpszText = text;
        return 1;
    }
};

MSG mouseMove(CWnd& wnd, int x, int y)
{
    CPoint pt(x, y);
    wnd.ClientToScreen(&pt);
    MSG msg = {wnd.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(x, y), 0, pt};
    return msg;
}

}  // namespace

TEST(ToolTips, TheHitToolIsShownAndItsTextFreedOnce)
{
    CTippedWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "tips", WS_POPUP | WS_VISIBLE, 100, 100, 200, 100, NULL, NULL));
    wnd.EnableToolTips(TRUE);
    const size_t mappedBefore = mallinfo2().hblkhd;

    for (int i = 0; i < 3; i++) {
        MSG left = mouseMove(wnd, 20 + i, 50);
        EXPECT_FALSE(wnd.PreTranslateMessage(&left));
    }
    HWND hWndTip = AfxGetThreadState()->m_hWndToolTip;
    ASSERT_TRUE(hWndTip != NULL);
    EXPECT_EQ(1, ::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    ti.hwnd = wnd.m_hWnd;
    ti.uId = 1;
    char text[32] = "";
    ti.lpszText = text;
    ::SendMessageA(hWndTip, TTM_GETTEXTA, sizeof text, (LPARAM)&ti);
    EXPECT_STREQ("left half", text);

    MSG right = mouseMove(wnd, 150, 50);
    wnd.PreTranslateMessage(&right);
    EXPECT_EQ(0, ::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    EXPECT_EQ(3, wnd.hits);
    // all three texts were given back (a second free of one would have ended the process)
    EXPECT_EQ(mappedBefore, mallinfo2().hblkhd);
    wnd.DestroyWindow();
}

// A window inside another that also shows tool tips keeps its tool: the parent pre-translates
// the same message after it and leaves it to the nearer window (else it would find the child
// window as its own tool and put that in place of the child's).
TEST(ToolTips, TheNearestWindowWithTipsHandlesTheMessage)
{
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_POPUP | WS_VISIBLE, 100, 100, 300, 120, NULL, NULL));
    parent.EnableToolTips(TRUE);
    CTippedWnd child;
    ASSERT_TRUE(child.Create(AfxRegisterWndClass(0), "child", WS_CHILD | WS_VISIBLE, CRect(10, 10, 210, 110), &parent, 7));
    child.EnableToolTips(TRUE);

    MSG msg = mouseMove(child, 20, 50);
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(NULL, &msg));
    HWND hWndTip = AfxGetThreadState()->m_hWndToolTip;
    ASSERT_TRUE(hWndTip != NULL);
    EXPECT_EQ(1, ::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0));
    TOOLINFOA ti = {};
    ti.cbSize = sizeof ti;
    char text[32] = "";
    ti.lpszText = text;
    ASSERT_TRUE(::SendMessageA(hWndTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_EQ(child.m_hWnd, ti.hwnd) << "the parent's tool took the child's place";
    EXPECT_EQ(1u, ti.uId);
    EXPECT_STREQ("left half", text);
    EXPECT_EQ(1, child.hits);

    // a message of the parent itself is the parent's: its own hit test finds the child
    MSG own = mouseMove(parent, 50, 50);
    EXPECT_FALSE(CWnd::WalkPreTranslateTree(NULL, &own));
    ti = TOOLINFOA();
    ti.cbSize = sizeof ti;
    ASSERT_TRUE(::SendMessageA(hWndTip, TTM_ENUMTOOLSA, 0, (LPARAM)&ti));
    EXPECT_EQ(parent.m_hWnd, ti.hwnd);
    EXPECT_EQ((UINT_PTR)child.m_hWnd, ti.uId);
    CWnd::CancelToolTips();
    parent.DestroyWindow();
}
