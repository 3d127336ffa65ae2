// The window device contexts and colour messages: a paint handler draws through CPaintDC,
// CClientDC and CWindowDC read it back, and a control that colours itself beats its parent.
#include "orv/gtest.h"
#include "WindowTestSupport.h"

namespace {

class CPaintingWnd : public CWnd {
public:
    int paints = 0;
    CRect paintRect;

protected:
    afx_msg void OnPaint()
    {
        CPaintDC dc(this);
        paintRect = dc.m_ps.rcPaint;
        CRect rc;
        GetClientRect(&rc);
        dc.FillSolidRect(&rc, RGB(0, 0, 255));
        ++paints;
    }
    afx_msg BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPaintingWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowDC, PaintHandlerDrawsAndTheClientAndWindowDCsReadItBack)
{
    CPaintingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "paint", WS_POPUP | WS_VISIBLE | WS_BORDER, 50, 50, 120, 80,
                             NULL, NULL));
    wnd.UpdateWindow();
    ASSERT_TRUE(wintest::pumpUntil([&] { return wnd.paints > 0; }));
    CRect client;
    wnd.GetClientRect(&client);
    EXPECT_EQ(client, wnd.paintRect);
    {
        CClientDC dc(&wnd);
        EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(10, 10));
        EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(client.right - 1, client.bottom - 1));
    }
    {
        // the window DC starts at the border: its first pixel is the frame, the next one the client area
        CWindowDC dc(&wnd);
        EXPECT_NE(RGB(0, 0, 255), dc.GetPixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 255), dc.GetPixel(1 + 10, 1 + 10));
    }
    // a DC handed out by GetDC is a temporary until idle, released by ReleaseDC
    CDC* pDC = wnd.GetDC();
    ASSERT_TRUE(pDC != NULL);
    EXPECT_EQ(RGB(0, 0, 255), pDC->GetPixel(5, 5));
    EXPECT_EQ(1, wnd.ReleaseDC(pDC));
    wnd.DestroyWindow();
}

namespace {

const int IDC_LABEL = 700;
HBRUSH g_childBrush = NULL;
HBRUSH g_parentBrush = NULL;

class CColouredLabel : public CWnd {
public:
    bool colours = true;
    UINT kindSeen = 99;

protected:
    afx_msg HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        kindSeen = nCtlColor;
        return colours ? g_childBrush : NULL;  // NULL: let the parent colour it
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredLabel, CWnd)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CColourParent : public CWnd {
public:
    UINT kindSeen = 99;
    CWnd* pControlSeen = NULL;

protected:
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
    {
        HBRUSH hbr = CWnd::OnCtlColor(pDC, pWnd, nCtlColor);  // the control first
        if (hbr == g_childBrush)
            return hbr;
        kindSeen = nCtlColor;
        pControlSeen = pWnd;
        return g_parentBrush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColourParent, CWnd)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowDC, AControlThatColoursItselfBeatsItsParent)
{
    g_childBrush = ::CreateSolidBrush(RGB(1, 2, 3));
    g_parentBrush = ::CreateSolidBrush(RGB(4, 5, 6));
    CColourParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "colours", WS_OVERLAPPED, 0, 0, 200, 100, NULL, NULL));
    HWND hWndLabel = ::CreateWindowExA(0, "STATIC", "label", WS_CHILD, 0, 0, 50, 20, parent.m_hWnd,
                                       (HMENU)(UINT_PTR)IDC_LABEL, NULL, NULL);
    CColouredLabel label;
    ASSERT_TRUE(label.SubclassWindow(hWndLabel));
    HDC hDC = ::GetDC(hWndLabel);
    EXPECT_EQ((LRESULT)g_childBrush, parent.SendMessage(WM_CTLCOLORSTATIC, (WPARAM)hDC, (LPARAM)hWndLabel));
    EXPECT_EQ((UINT)CTLCOLOR_STATIC, label.kindSeen);
    EXPECT_EQ(99u, parent.kindSeen);

    label.colours = false;
    EXPECT_EQ((LRESULT)g_parentBrush, parent.SendMessage(WM_CTLCOLOREDIT, (WPARAM)hDC, (LPARAM)hWndLabel));
    EXPECT_EQ((UINT)CTLCOLOR_EDIT, parent.kindSeen);
    EXPECT_EQ(&label, parent.pControlSeen);
    ::ReleaseDC(hWndLabel, hDC);
    label.UnsubclassWindow();
    parent.DestroyWindow();
    ::DeleteObject(g_childBrush);
    ::DeleteObject(g_parentBrush);
}
