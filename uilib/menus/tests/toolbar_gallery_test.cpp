// The tool bar in the four looks, one picture per display depth (toolbar_gallery_<depth>.png):
// a panel per look with a frame whose tool bars are docked at the top (the frame narrow enough
// that the chevron shows), docked at the left, and floating beside it. Every bar shows a hot, a
// pressed, a checked and a disabled button, a drop-down and a separated drop-down. Every bar
// in the picture must read as a light area with dark marks on it, at either depth.
#include "ToolBarFixture.h"
#include "TestLooks.h"
#include "orv/TestEnv.h"
#include "CExtPaintManagerHolder.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include <string>

namespace {

bool Is24() { return CExtPaintManager::GetScreenBitsPerPixel() > 8; }

enum { kLooks = 4, kBars = 3 };
const CSize kPanel(620, 500);
const CRect kFrame(10, 10, 250, 430);     // screen rectangle of the frame
const CPoint kFloatAt(300, 60);           // where the floating bar is put

// The frame of the tool-bar tests with two more bars: one docked at the left, one floating.
class GalleryFrame : public tbtest::ToolFrame {
public:
    bool BuildAll() {
        if (!Build(kFrame, IDR_TB16))
            return false;
        if (!m_left.Create("Left", this, 0xE803, tbtest::kToolBarStyle) || !m_left.LoadToolBar(IDR_TB16))
            return false;
        m_left.EnableDocking(CBRS_ALIGN_ANY);
        DockControlBar(&m_left, AFX_IDW_DOCKBAR_LEFT);
        if (!m_floating.Create("Floating", this, 0xE804, tbtest::kToolBarStyle) || !m_floating.LoadToolBar(IDR_TB16))
            return false;
        m_floating.EnableDocking(CBRS_ALIGN_ANY);
        m_floating.FloatControlBar(kFloatAt.x, kFloatAt.y);
        RecalcLayout();
        return true;
    }
    CExtToolControlBar* Bar(int n) { return n == 0 ? &m_bar : n == 1 ? &m_left : &m_floating; }
    CExtToolControlBar m_left, m_floating;
};

int IndexOf(CExtToolControlBar& bar, UINT nCmdID) {
    for (int i = 0; i < bar.GetButtonsCount(); i++)
        if (bar.GetButtonCommand(i) == nCmdID && !bar.IsChevronButton(i))
            return i;
    return -1;
}

void GiveDropDown(CExtToolControlBar& bar, UINT nCmdID, UINT nMenu, bool bSeparated) {
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(nMenu));
    HMENU hSub = ::GetSubMenu(menu.m_hMenu, 0);
    ::RemoveMenu(menu.m_hMenu, 0, MF_BYPOSITION);
    CExtBarButton* p = bar.GetButton(IndexOf(bar, nCmdID));
    ASSERT_NE(nullptr, p);
    p->SetMenu(hSub, false, true);
    p->SetSeparatedDropDown(bSeparated);
}

// Hot "new", pressed "properties"; the frame's update handlers disable "delete" and check
// "run now".
void ShowStates(CExtToolControlBar& bar) {
    bar.GetButton(IndexOf(bar, ID_TB_NEW))->SetHover(true);
    const int nProps = IndexOf(bar, ID_TB_PROPS);
    bar.SetButtonStyle(nProps, bar.GetButtonStyle(nProps) | TBBS_PRESSED);
}

// The window that shows the composite picture for the screenshot.
class PictureWnd : public CWnd {
public:
    CBitmap* pBitmap = NULL;
    afx_msg void OnPaint() {
        CPaintDC dc(this);
        CDC mem;
        mem.CreateCompatibleDC(&dc);
        CBitmap* pOld = mem.SelectObject(pBitmap);
        dc.BitBlt(0, 0, 2 * kPanel.cx, 2 * kPanel.cy, &mem, 0, 0, SRCCOPY);
        mem.SelectObject(pOld);
    }
    DECLARE_MESSAGE_MAP()
};
BEGIN_MESSAGE_MAP(PictureWnd, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(ToolBarGallery, BarsInEveryLook) {
    orvtest::uiApp("tool bar tests");
    CExtToolControlBar::g_bMenuTracking = false;
    CWnd backdrop;   // plain white around the frame and the floating bar
    ASSERT_TRUE(backdrop.CreateEx(WS_EX_TOOLWINDOW, AfxRegisterWndClass(0, NULL, (HBRUSH)::GetStockObject(WHITE_BRUSH)), "",
                                  WS_POPUP | WS_VISIBLE, 0, 0, ::GetSystemMetrics(SM_CXSCREEN),
                                  ::GetSystemMetrics(SM_CYSCREEN), NULL, NULL));
    // the pointer rests where no bar is
    ASSERT_TRUE(orvtest::moveTo(CPoint(kPanel.cx - 20, kPanel.cy - 20)));

    GalleryFrame* pFrame = new GalleryFrame;
    ASSERT_TRUE(pFrame->BuildAll());
    const HWND hWndFrame = pFrame->m_hWnd;
    AfxGetApp()->m_pMainWnd = pFrame;
    pFrame->m_enabled[ID_TB_DELETE] = false;
    pFrame->m_checks[ID_TB_RUN_NOW] = 1;
    for (int n = 0; n < kBars; n++) {
        CExtToolControlBar& bar = *pFrame->Bar(n);
        GiveDropDown(bar, ID_TB_RUN_ALL, IDM_TB_RUN, false);
        GiveDropDown(bar, ID_TB_LOG, IDM_TB_LOG, true);
        bar.OnUpdateCmdUI(pFrame, TRUE);
        ShowStates(bar);
    }

    const auto& looks = kTestLooks;
    const char* barNames[kBars] = {"docked at the top", "docked at the left", "floating"};
    CClientDC dcScreen(NULL);
    CDC dcComposite;
    ASSERT_TRUE(dcComposite.CreateCompatibleDC(&dcScreen));
    CBitmap bmpComposite;
    ASSERT_TRUE(bmpComposite.CreateCompatibleBitmap(&dcScreen, 2 * kPanel.cx, 2 * kPanel.cy));
    CBitmap* pOldBmp = dcComposite.SelectObject(&bmpComposite);
    dcComposite.FillSolidRect(0, 0, 2 * kPanel.cx, 2 * kPanel.cy, RGB(255, 255, 255));
    CRect areas[kLooks][kBars];   // each bar's client area in the picture

    for (int nLook = 0; nLook < kLooks; nLook++) {
        SCOPED_TRACE(looks[nLook].name);
        ASSERT_TRUE(g_PaintManager.InstallPaintManager(looks[nLook].make()));
        pFrame->RecalcLayout();
        CFrameWnd* pMini = pFrame->m_floating.GetParentFrame();
        ASSERT_NE(nullptr, pMini);
        pMini->RecalcLayout();
        for (int n = 0; n < kBars; n++)
            pFrame->Bar(n)->AdjustButtonsLayout();
        for (HWND h : {backdrop.m_hWnd, hWndFrame, pMini->m_hWnd})
            ::RedrawWindow(h, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        orvtest::pumpWaiting();

        // what each bar is: the top one hides buttons behind its chevron, the left one has room
        CExtToolControlBar& top = *pFrame->Bar(0);
        ASSERT_NE(nullptr, top.GetChevron());
        EXPECT_TRUE(top.GetChevron()->IsVisible());
        EXPECT_GT(top.GetChevron()->GetHiddenButtons().GetSize(), 0);
        EXPECT_TRUE(top.IsDockedHorizontally());
        EXPECT_TRUE(pFrame->Bar(1)->IsDockedVertically());
        EXPECT_EQ(0, pFrame->Bar(1)->GetChevron()->GetHiddenButtons().GetSize())
            << "the bar at the left has room for every button";
        EXPECT_TRUE(pFrame->Bar(2)->IsFloating());
        for (int n = 0; n < kBars; n++) {
            CExtToolControlBar& bar = *pFrame->Bar(n);
            EXPECT_TRUE(bar.GetButton(IndexOf(bar, ID_TB_NEW))->IsHover()) << barNames[n];
            EXPECT_TRUE(bar.GetButtonStyle(IndexOf(bar, ID_TB_PROPS)) & TBBS_PRESSED) << barNames[n];
            EXPECT_TRUE(bar.GetButtonStyle(IndexOf(bar, ID_TB_DELETE)) & TBBS_DISABLED) << barNames[n];
            EXPECT_TRUE(bar.GetButtonStyle(IndexOf(bar, ID_TB_RUN_NOW)) & TBBS_CHECKED) << barNames[n];
            CRect rc;
            bar.GetClientRect(&rc);
            bar.ClientToScreen(&rc);
            rc.OffsetRect((nLook % 2) * kPanel.cx, (nLook / 2) * kPanel.cy);
            areas[nLook][n] = rc;
        }

        ::GdiFlush();
        HDC hdcScreen = ::GetDC(NULL);
        ::BitBlt(dcComposite.GetSafeHdc(), (nLook % 2) * kPanel.cx, (nLook / 2) * kPanel.cy, kPanel.cx - 4, kPanel.cy - 4,
                 hdcScreen, 0, 0, SRCCOPY);
        ::ReleaseDC(NULL, hdcScreen);
        dcComposite.SetBkMode(TRANSPARENT);
        dcComposite.SetTextColor(RGB(0, 0, 0));
        dcComposite.TextOut((nLook % 2) * kPanel.cx + kFloatAt.x, (nLook / 2) * kPanel.cy + kPanel.cy - 40,
                            looks[nLook].name);
    }
    dcComposite.SelectObject(pOldBmp);

    AfxGetApp()->m_pMainWnd = nullptr;
    g_CmdManager->ProfileWndRemove(hWndFrame, true);
    pFrame->DestroyWindow();
    g_PaintManager.InstallPaintManager(NULL);

    PictureWnd picture;
    picture.pBitmap = &bmpComposite;
    ASSERT_TRUE(picture.CreateEx(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, AfxRegisterWndClass(0), "", WS_POPUP | WS_VISIBLE, 0, 0,
                                 2 * kPanel.cx, 2 * kPanel.cy, NULL, NULL));
    picture.UpdateWindow();
    orvtest::pumpWaiting();
    orvtest::Picture shot;
    ASSERT_TRUE(orvtest::screenshot(Is24() ? "toolbar_gallery_24" : "toolbar_gallery_8", &shot));
    for (int nLook = 0; nLook < kLooks; nLook++)
        for (int n = 0; n < kBars; n++) {
            const CRect& rc = areas[nLook][n];
            ASSERT_FALSE(rc.IsRectEmpty()) << looks[nLook].name << ", " << barNames[n];
            EXPECT_EQ("", shot.lightAreaProblem(rc.left, rc.top, rc.right, rc.bottom))
                << looks[nLook].name << ", the bar " << barNames[n];
        }
    picture.DestroyWindow();
    backdrop.DestroyWindow();
}

}  // namespace
