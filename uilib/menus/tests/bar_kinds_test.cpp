// The bar kinds over the tool bar in the tool-bar test frame: the panel bar hosting a child at
// its margins, the colour button (colours, icons, its colour popup picked with real clicks, the
// press that sends the colour, its place in a chevron menu), the slider button (its parts, its
// values, its size, its tracking loop driven by real input and every way that loop ends).
// Pictures per look.
#include "ToolBarFixture.h"
#include "TestLooks.h"
#include "CEdit.h"
#include "RenderHarness.h"
#include "CExtBarColorButton.h"
#include "CExtBarSliderButton.h"
#include "CExtCmdIcon.h"
#include "CExtPaintManagerOffice2003.h"
#include "CExtPaintManagerStudio2005.h"
#include "CExtPaintManagerXP.h"
#include "CExtPanelControlBar.h"
#include "CExtPopupColorMenuWnd.h"
#include "CExtPopupMenuSite.h"
#include "orv/TestEnv.h"
#include <memory>
#include <string>

using tbtest::FrameHolder;

namespace {

// inside the range the test frame has update handlers for (without one it would be disabled)
const UINT ID_COLOUR = 3619;
const UINT kPanelID = 0xE805;
const UINT& kFinally = CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
const UINT& kChanged = CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged;


std::string Text(const CRect& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + " " + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// A left button event at a screen point. The event carries the point: under Wine a late pointer
// event of an earlier move can put the cursor back, and a press sent where the cursor was read
// to be would land there.
void LeftButtonAt(POINT pt, DWORD dwFlags) {
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = dwFlags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

int ScreenDepth() {
    HDC hdc = ::GetDC(NULL);
    const int n = ::GetDeviceCaps(hdc, BITSPIXEL);
    ::ReleaseDC(NULL, hdc);
    return n;
}

// Adds a command of the test profile with a tool-bar and a menu text.
void AddCommand(UINT nCmdID, const char* sText) {
    CExtCmdItem item(nCmdID);
    item.m_sToolbarText = sText;
    item.m_sMenuText = sText;
    item.m_sTipTool = sText;
    ASSERT_TRUE(g_CmdManager->SetCommand("toolbar test", &item, true));
}

// Counts the icons it makes.
class CountingColorButton : public CExtBarColorButton {
public:
    using CExtBarColorButton::CExtBarColorButton;
    HICON GenerateColorIcon() override {
        m_nGenerated++;
        return CExtBarColorButton::GenerateColorIcon();
    }
    int m_nGenerated = 0;
};

// The colour of a pixel of an icon drawn over magenta.
COLORREF IconPixel(HICON hIcon, int x, int y) {
    orvtest::RenderCanvas canvas(16, 16, RGB(255, 0, 255));
    ::DrawIconEx(canvas.dc().m_hDC, 0, 0, hIcon, 16, 16, 0, NULL, DI_NORMAL);
    return canvas.At(x, y);
}

// Repaints the frame with its bars and keeps a picture of the screen.
void KeepPicture(CFrameWnd* pFrame, const std::string& name) {
    pFrame->RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    orvtest::pumpWaiting();
    EXPECT_TRUE(orvtest::screenshot(name + "_" + std::to_string(ScreenDepth() > 8 ? 24 : 8)));
}

// ---- the panel bar ----------------------------------------------------------------------------

// A panel bar docked at the frame's top (no gripper), with an edit of the given size or no child.
struct PanelHolder {
    CExtPanelControlBar panel;
    CEdit edit;
    CWnd plain;
    // bEdit: an edit control (the framework may give it a height of its own), else a plain
    // window of exactly that size.
    bool Build(FrameHolder& f, CSize sizeChild, bool bEdit = true) {
        if (!panel.Create("Panel", f.pFrame, kPanelID, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CBRS_TOP))
            return false;
        const CRect rcChild(CPoint(30, 20), sizeChild);
        if (sizeChild.cx > 0 && bEdit &&
            !edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, rcChild, &panel, 100))
            return false;
        if (sizeChild.cx > 0 && !bEdit &&
            !plain.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_WINDOW + 1)), "", WS_CHILD | WS_VISIBLE,
                            rcChild.left, rcChild.top, rcChild.Width(), rcChild.Height(), panel.m_hWnd, NULL))
            return false;
        panel.EnableDocking(CBRS_ALIGN_ANY);
        f.pFrame->DockControlBar(&panel, AFX_IDW_DOCKBAR_TOP);
        f.pFrame->RecalcLayout();
        orvtest::pumpWaiting();
        return true;
    }
    CRect ChildRect() {
        CRect rc;
        ::GetWindowRect(edit.m_hWnd != NULL ? edit.m_hWnd : plain.m_hWnd, &rc);
        panel.ScreenToClient(&rc);
        return rc;
    }
};

// Its size is the child's plus 5 pixels on every side, and the extra of a docked bar; without
// a child the margins alone. It has no chevron and never stretches across its row.
TEST(PanelBar, MeasuresChildAndMargins) {
    struct Case {
        const char* name;
        CSize child;
    };
    const Case cases[] = {
        {"no child", CSize(0, 0)},
        {"child 120 by 22", CSize(120, 22)},
        {"child 60 by 40", CSize(60, 40)},
    };
    for (const Case& c : cases) {
        FrameHolder f;
        PanelHolder p;
        ASSERT_TRUE(p.Build(f, c.child, false)) << c.name;
        EXPECT_EQ(c.child, p.panel.GetChildSize()) << c.name;
        EXPECT_EQ(CSize(c.child.cx + 10, c.child.cy + 10), p.panel.CalcPanelSize()) << c.name;
        for (int nMode : {0, 1, 2})
            EXPECT_EQ(p.panel.CalcPanelSize(), p.panel.CalcPanelSizeForMode(nMode)) << c.name << nMode;
        ASSERT_TRUE(p.panel.IsDockedHorizontally()) << c.name;
        const CSize sizeFixed = p.panel.CalcFixedLayout(FALSE, TRUE);
        EXPECT_EQ(CSize(c.child.cx + 12, c.child.cy + 12), sizeFixed) << c.name;
        EXPECT_EQ(sizeFixed, p.panel.m_sizeDockedH) << c.name;
        EXPECT_EQ(c.child.cx + 10, p.panel.GetMinExtentHorz()) << c.name;
        EXPECT_EQ(p.panel.CalcPanelSize(), p.panel.GetFloatingMinTrackSize()) << c.name;
        EXPECT_FALSE(p.panel.CanStretchAcrossRow()) << c.name;
        EXPECT_TRUE(p.panel.SetButtons()) << c.name;
        EXPECT_EQ(nullptr, p.panel.GetChevron()) << c.name;
        if (c.child.cx > 0) {
            EXPECT_EQ(CPoint(5, 5), p.ChildRect().TopLeft()) << c.name;
        }
    }
}

// The child stays at (5, 5) with its own size when the bar is resized or the child was moved,
// takes the focus the bar gets, and takes real typing. Pictures per look.
TEST(PanelBar, HostsAnEditAtItsMargins) {
    FrameHolder f;
    PanelHolder p;
    ASSERT_TRUE(p.Build(f, CSize(140, 22)));
    const CRect rcFirst = p.ChildRect();
    EXPECT_EQ(CPoint(5, 5), rcFirst.TopLeft());
    EXPECT_EQ(p.panel.GetChildSize(), rcFirst.Size());
    // resizing the bar never resizes the child
    p.panel.SetWindowPos(NULL, 0, 0, 300, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(rcFirst == p.ChildRect()) << Text(p.ChildRect());
    p.edit.MoveWindow(40, 12, rcFirst.Width(), rcFirst.Height());
    p.panel.SetWindowPos(NULL, 0, 0, 320, 40, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_TRUE(rcFirst == p.ChildRect()) << Text(p.ChildRect());
    f.pFrame->RecalcLayout();
    orvtest::pumpWaiting();
    EXPECT_TRUE(rcFirst == p.ChildRect()) << Text(p.ChildRect());
    // the bar hands its focus on
    p.panel.SetFocus();
    EXPECT_EQ(p.edit.m_hWnd, ::GetFocus());
    f.pFrame->SetFocus();
    // real input reaches the hosted edit
    ASSERT_TRUE(orvtest::click(orvtest::screenPoint(p.edit.m_hWnd, {20, 10}), p.edit.m_hWnd));
    ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetFocus() == p.edit.m_hWnd; }));
    orvtest::typeText("panel-7");
    CString sText;
    ASSERT_TRUE(orvtest::pumpUntil([&] {
        p.edit.GetWindowText(sText);
        return sText == "panel-7";
    })) << (LPCTSTR)sText;
    for (const TestLook& look : kTestLooks) {
        orvtest::ScopedPainter painter(look.make());
        KeepPicture(f.pFrame, std::string("panelbar_") + look.name);
        // the bar's margins are painted (no garbage and no black between bar and child)
        CRect rcPanel;
        p.panel.GetWindowRect(&rcPanel);
        EXPECT_EQ(CPoint(5, 5), p.ChildRect().TopLeft()) << look.name;
    }
}

// Without a child it paints its whole client area with its background.
TEST(PanelBar, PaintsOnlyItsBackgroundWithoutChild) {
    FrameHolder f;
    PanelHolder p;
    ASSERT_TRUE(p.Build(f, CSize(0, 0)));
    CRect rcClient;
    p.panel.GetClientRect(&rcClient);
    ASSERT_FALSE(rcClient.IsRectEmpty());
    p.panel.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_UPDATENOW);
    CClientDC dc(&p.panel);
    const COLORREF clrFirst = dc.GetPixel(rcClient.left, rcClient.top);
    EXPECT_NE(RGB(0, 0, 0), clrFirst);
    int nOther = 0;
    for (int x = rcClient.left; x < rcClient.right; x++)
        nOther += dc.GetPixel(x, rcClient.CenterPoint().y) != dc.GetPixel(x, rcClient.top) ? 1 : 0;
    // a docker gradient runs along the bar, never across it
    EXPECT_EQ(0, nOther);
}

// ---- the colour button ------------------------------------------------------------------------

struct ColourHolder {
    FrameHolder f;
    CountingColorButton* pButton = nullptr;
    explicit ColourHolder(bool bSeparated = false) {
        AddCommand(ID_COLOUR, "Colour");
        pButton = new CountingColorButton(&f.Bar(), ID_COLOUR, 0, RGB(0, 0, 255), RGB(10, 20, 30), 0x5A5A);
        EXPECT_TRUE(f.Bar().InsertSpecButton(-1, pButton));
        pButton->SetSeparatedDropDown(bSeparated);
        pButton->RefreshColorIcon();
        f.pFrame->RecalcLayout();
        f.Bar().AdjustButtonsLayout();
        f.Bar().Invalidate();
        orvtest::pumpWaiting();
    }
    CExtCmdIcon* Icon() { return g_CmdManager->GetCommandIcon("toolbar test", ID_COLOUR); }
    POINT Screen(CPoint pt) { return orvtest::screenPoint(f.Bar().m_hWnd, pt); }
};

// SetColor's flag reads the other way round from GetColor's; an equal colour makes no icon; the
// command's icon shows the selected colour.
TEST(ColorButton, SetColorAndGetColor) {
    ColourHolder h;
    CountingColorButton& b = *h.pButton;
    EXPECT_EQ(RGB(0, 0, 255), b.GetColor(true));
    EXPECT_EQ(RGB(10, 20, 30), b.GetColor(false));
    struct Step {
        COLORREF clr;
        bool bSetDefault;
        COLORREF selected, def;
        int nIcons;   // icons made by this step
    };
    const Step steps[] = {
        {RGB(200, 0, 0), false, RGB(200, 0, 0), RGB(10, 20, 30), 1},
        {RGB(200, 0, 0), false, RGB(200, 0, 0), RGB(10, 20, 30), 0},
        {RGB(0, 128, 0), true, RGB(200, 0, 0), RGB(0, 128, 0), 1},
        {RGB(0, 128, 0), true, RGB(200, 0, 0), RGB(0, 128, 0), 0},
        {RGB(0, 128, 0), false, RGB(0, 128, 0), RGB(0, 128, 0), 1},
    };
    const bool bHighColor = ScreenDepth() > 8;
    for (size_t i = 0; i < sizeof(steps) / sizeof(steps[0]); i++) {
        const Step& s = steps[i];
        const int nBefore = b.m_nGenerated;
        b.SetColor(s.clr, s.bSetDefault);
        EXPECT_EQ(s.selected, b.GetColor(true)) << i;
        EXPECT_EQ(s.def, b.GetColor(false)) << i;
        EXPECT_EQ(s.nIcons, b.m_nGenerated - nBefore) << i;
        ASSERT_NE(nullptr, h.Icon()) << i;
        if (bHighColor) {
            EXPECT_EQ(s.selected, IconPixel(h.Icon()->GetHICON(), 8, 8)) << i;
        }
    }
}

// Each icon kind shows the selected colour where it should and leaves the rest transparent.
TEST(ColorButton, IconKinds) {
    if (ScreenDepth() <= 8)
        GTEST_SKIP() << "icon pixels are exact on a true-colour display only";
    const COLORREF kColour = RGB(0, 160, 200), kBack = RGB(255, 0, 255);
    struct Case {
        int nKind;
        CPoint ptColour, ptTransparent;
    };
    const Case cases[] = {
        {CExtBarColorButton::iconFilled, CPoint(0, 0), CPoint(-1, -1)},
        {CExtBarColorButton::iconSwatch, CPoint(8, 8), CPoint(0, 0)},
        {CExtBarColorButton::iconLetter, CPoint(1, 14), CPoint(0, 0)},
    };
    for (const Case& c : cases) {
        CExtBarColorButton b(NULL, ID_COLOUR, 0, kColour);
        b.m_nIconKind = c.nKind;
        const HICON hIcon = b.GenerateColorIcon();
        ASSERT_NE((HICON)NULL, hIcon) << c.nKind;
        EXPECT_EQ(kColour, IconPixel(hIcon, c.ptColour.x, c.ptColour.y)) << c.nKind;
        if (c.ptTransparent.x >= 0) {
            EXPECT_EQ(kBack, IconPixel(hIcon, c.ptTransparent.x, c.ptTransparent.y)) << c.nKind;
        }
        ::DestroyIcon(hIcon);
    }
}

// A press on the button opens its colour popup set up from the button; a real click on a colour
// closes it and the final colour reaches the frame with the button's value. Pictures per look
// with the popup open.
TEST(ColorButton, PopupPicksAColourByClick) {
    ColourHolder h;
    CountingColorButton& b = *h.pButton;
    b.SetColor(RGB(0, 147, 0));
    b.ShowCustomColorItem(false);
    b.SetDefaultColorText("Automatic");
    orvtest::MessageRecorder frame(h.f.pFrame->m_hWnd, {kFinally, kChanged});
    CExtPopupMenuSite& site = CExtPopupMenuSite::g_DefPopupMenuSite;
    int nLook = 0;
    for (const TestLook& look : kTestLooks) {
        orvtest::ScopedPainter painter(look.make());
        frame.clear();
        const CRect rc = b.GetRect();
        // the press opens the popup, whose hooks take the release
        ASSERT_TRUE(orvtest::moveTo(h.Screen(rc.CenterPoint() + CPoint(nLook % 2, nLook / 2)), h.f.Bar().m_hWnd))
            << look.name;
        const POINT ptButton = h.Screen(rc.CenterPoint() + CPoint(nLook % 2, nLook / 2));
        LeftButtonAt(ptButton, MOUSEEVENTF_LEFTDOWN);
        LeftButtonAt(ptButton, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return site.GetCapturedMenu() != NULL && site.GetAnimatedMenu() == NULL; }))
            << look.name << " tracked " << CExtPopupMenuWnd::IsAnyMenuTracked() << " top " << (site.GetTopMenu() != NULL)
            << " disabled " << b.IsDisabled() << " visible " << b.IsVisible() << " rect " << Text(rc)
            << " mouse " << orvtest::recentMouseMessages();
        CExtPopupColorMenuWnd* pMenu = dynamic_cast<CExtPopupColorMenuWnd*>(site.GetCapturedMenu());
        ASSERT_NE(nullptr, pMenu) << look.name;
        EXPECT_EQ(RGB(0, 147, 0), pMenu->m_clrInitial);
        EXPECT_EQ(RGB(10, 20, 30), pMenu->m_clrDefaultColor);
        EXPECT_EQ((LPARAM)0x5A5A, pMenu->m_lParamCookie);
        EXPECT_TRUE(pMenu->m_bEnableBtnColorDefault);
        EXPECT_FALSE(pMenu->m_bEnableBtnColorCustom);
        EXPECT_EQ(CString("Automatic"), pMenu->m_sBtnTextColorDefault);
        KeepPicture(h.f.pFrame, std::string("colorbutton_") + look.name);
        const HWND hWndMenu = pMenu->m_hWnd;
        const int nCell = 3 + nLook * 5;
        const COLORREF clrCell = CExtPopupColorMenuWnd::g_Palette[nCell].m_clr;
        const POINT ptCell = orvtest::screenPoint(hWndMenu, pMenu->GetCellRect(nCell).CenterPoint());
        ASSERT_TRUE(orvtest::moveUntil(ptCell, [&] { return pMenu->m_nColorIdxCurr == nCell; })) << look.name;
        LeftButtonAt(ptCell, MOUSEEVENTF_LEFTDOWN);
        LeftButtonAt(ptCell, MOUSEEVENTF_LEFTUP);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return !::IsWindow(hWndMenu) && !CExtPopupMenuWnd::IsAnyMenuTracked(); }))
            << look.name;
        ASSERT_TRUE(orvtest::pumpUntil([&] {
            for (const orvtest::Message& m : frame.received())
                if (m.message == kFinally)
                    return true;
            return false;
        })) << look.name;
        const orvtest::Message& last = frame.received().back();
        EXPECT_EQ(kFinally, last.message) << look.name;
        EXPECT_EQ((WPARAM)clrCell, last.wParam) << look.name;
        EXPECT_EQ((LPARAM)0x5A5A, last.lParam) << look.name;
        // the popup tells; the button keeps its colour until its owner sets one
        EXPECT_EQ(RGB(0, 147, 0), b.GetColor());
        EXPECT_TRUE(h.f.Quiet()) << look.name;
        nLook++;
    }
}

// With a separated arrow a real click on the main part sends the final-colour message with the
// current colour at once, and no popup opens.
TEST(ColorButton, PressSendsTheCurrentColour) {
    ColourHolder h(true);
    h.pButton->SetColor(RGB(128, 0, 128));
    h.f.Bar().AdjustButtonsLayout();
    orvtest::MessageRecorder frame(h.f.pFrame->m_hWnd, {kFinally});
    const CRect rc = h.pButton->GetRect();
    ASSERT_TRUE(orvtest::click(h.Screen(CPoint(rc.left + 5, rc.CenterPoint().y)), h.f.Bar().m_hWnd));
    ASSERT_TRUE(frame.waitFor(1));
    EXPECT_TRUE(frame.matches({{kFinally, (WPARAM)RGB(128, 0, 128), (LPARAM)0x5A5A}}));
    EXPECT_FALSE(CExtPopupMenuWnd::IsAnyMenuTracked());
    EXPECT_TRUE(h.f.Quiet());
}

// In a chevron's menu an enabled colour button is a colour sub-menu under its command's menu
// text; a disabled one a plain command item.
TEST(ColorButton, InAPopupMenu) {
    ColourHolder h;
    for (bool bDisabled : {false, true}) {
        h.pButton->ModifyStyle(bDisabled ? TBBS_DISABLED : 0, bDisabled ? 0 : TBBS_DISABLED);
        std::unique_ptr<CExtPopupMenuWnd> pPopup(new CExtPopupMenuWnd);
        ASSERT_TRUE(pPopup->CreatePopupMenu(h.f.pFrame->m_hWnd));
        ASSERT_TRUE(h.pButton->AppendToPopupMenu(pPopup.get())) << bDisabled;
        ASSERT_EQ(1, pPopup->GetItemCount()) << bDisabled;
        CExtPopupMenuWnd* pSub = pPopup->ItemGetPopup(0);
        if (bDisabled) {
            EXPECT_EQ(nullptr, pSub);
            EXPECT_EQ(ID_COLOUR, pPopup->ItemGetCmdID(0));
        } else {
            ASSERT_NE(nullptr, pSub);
            EXPECT_TRUE(pSub->IsKindOf(RUNTIME_CLASS(CExtPopupColorMenuWnd)));
            EXPECT_EQ(CString("Colour"), pPopup->ItemGetText(0));
            EXPECT_EQ(RGB(0, 0, 255), static_cast<CExtPopupColorMenuWnd*>(pSub)->m_clrInitial);
        }
    }
}

// ---- the slider button ------------------------------------------------------------------------

const UINT ID_SLIDER = 3621;   // inside the frame's handled range
const UINT ID_SLIDER2 = 3622;

typedef CExtBarSliderButton Slider;

// The part rectangles for a button at (0, 0)-(width, 22) on no bar (a horizontal layout).
TEST(SliderButton, RecalcPartsTable) {
    struct Case {
        const char* name;
        UINT total, pos, page, extent, length;
        int width;
        UINT range;
        CRect track, thumb, before, after, start, end;
    };
    const CRect e(0, 0, 0, 0);
    const Case cases[] = {
        // the track-bar look: a 6-pixel thumb over the whole range
        {"track bar at 0", 100, 0, 0, 0, 50, 150, 100, CRect(100, 0, 150, 22), CRect(100, 0, 106, 22), e,
         CRect(106, 0, 150, 22), e, e},
        {"track bar at 50", 100, 50, 0, 0, 50, 150, 100, CRect(100, 0, 150, 22), CRect(122, 0, 128, 22),
         CRect(100, 0, 122, 22), CRect(128, 0, 150, 22), e, e},
        // the scroll-bar look: arrows of 16, a thumb of a tenth of the track, a page less to go
        {"scroll bar at 0", 100, 0, 10, 16, 100, 200, 90, CRect(116, 0, 184, 22), CRect(116, 0, 123, 22), e,
         CRect(123, 0, 184, 22), CRect(100, 0, 116, 22), CRect(184, 0, 200, 22)},
        {"scroll bar at the end", 100, 90, 10, 16, 100, 200, 90, CRect(116, 0, 184, 22), CRect(177, 0, 184, 22),
         CRect(116, 0, 177, 22), e, CRect(100, 0, 116, 22), CRect(184, 0, 200, 22)},
        {"small page: a thumb of at least 4", 1000, 0, 10, 16, 100, 200, 990, CRect(116, 0, 184, 22),
         CRect(116, 0, 120, 22), e, CRect(120, 0, 184, 22), CRect(100, 0, 116, 22), CRect(184, 0, 200, 22)},
        // a range equal to the page size covers nothing: the thumb fills the track
        {"range equal to page", 50, 0, 50, 16, 100, 200, 0, CRect(116, 0, 184, 22), CRect(116, 0, 184, 22), e, e,
         CRect(100, 0, 116, 22), CRect(184, 0, 200, 22)},
        // a track of 5 pixels or less has no thumb
        {"short track", 100, 10, 0, 8, 20, 60, 100, CRect(48, 0, 52, 22), e, e, e, CRect(40, 0, 48, 22),
         CRect(52, 0, 60, 22)},
        // a position beyond the range keeps the thumb at the track's end
        {"position beyond the range", 100, 500, 0, 0, 50, 150, 100, CRect(100, 0, 150, 22),
         CRect(144, 0, 150, 22), CRect(100, 0, 144, 22), e, e, e},
    };
    for (const Case& c : cases) {
        Slider b(NULL, ID_SLIDER, 0, c.total, c.pos, c.page, c.extent, c.extent, c.length, c.length);
        b.SetRect(CRect(0, 0, c.width, 22));
        EXPECT_EQ(c.range, b.GetEffectiveRange()) << c.name;
        const CRect expected[] = {CRect(0, 0, c.width - (int)c.length, 22), CRect(c.width - (int)c.length, 0, c.width, 22),
                                  c.track, c.before, c.after, c.start, c.end, c.thumb};
        for (int i = 0; i < Slider::partCount; i++)
            EXPECT_TRUE(expected[i] == b.GetPartRect(i)) << c.name << ": part " << i << " is " << Text(b.GetPartRect(i))
                                                          << ", not " << Text(expected[i]);
    }
}

// The setters answer the old value; a smaller range lowers the position; any position is taken.
TEST(SliderButton, Values) {
    Slider b(NULL, ID_SLIDER, 0, 100, 80);
    b.SetRect(CRect(0, 0, 150, 22));
    EXPECT_EQ(100u, b.SetTotalRange(60));
    EXPECT_EQ(60u, b.GetPosition());
    EXPECT_EQ(60u, b.SetPosition(500));
    EXPECT_EQ(500u, b.GetPosition());
    EXPECT_EQ(0u, b.SetPageSize(60));
    EXPECT_EQ(0u, b.GetEffectiveRange());
    EXPECT_EQ(50u, b.SetSliderLengthHorz(80));
    EXPECT_EQ(CRect(0, 0, 70, 22), b.GetPartRect(Slider::partLabel));
    EXPECT_EQ(0u, b.SetSliderValue2(12));
    EXPECT_EQ(12u, b.GetSliderValue2());
    EXPECT_FALSE(b.HasDropDownMenu());
    b.SetSeparatedDropDown(true);
    EXPECT_FALSE(b.IsSeparatedDropDown());
}

struct SliderHolder {
    FrameHolder f;
    Slider* pTrack = nullptr;    // the track-bar look
    Slider* pScroll = nullptr;   // the scroll-bar look
    SliderHolder() {
        AddCommand(ID_SLIDER, "Zoom");
        AddCommand(ID_SLIDER2, "Pan");
        pTrack = new Slider(&f.Bar(), ID_SLIDER, 0, 100, 20, 0, 0, 0, 80, 80);
        pScroll = new Slider(&f.Bar(), ID_SLIDER2, 0, 1000, 0, 100, 14, 14, 120, 120);
        EXPECT_TRUE(f.Bar().InsertSpecButton(-1, pTrack));
        EXPECT_TRUE(f.Bar().InsertSpecButton(-1, pScroll));
        f.SetFrameWidth(760);
        f.Bar().Invalidate();
        orvtest::pumpWaiting();
    }
    POINT Screen(CPoint pt) { return orvtest::screenPoint(f.Bar().m_hWnd, pt); }
    // Moves the pointer onto the view: the bar lets go of the hover's capture.
    void LeaveBar() {
        const POINT pt = orvtest::screenPoint(f.pFrame->m_pView->m_hWnd, {200, 150});
        EXPECT_TRUE(orvtest::moveUntil(pt, [&] { return ::GetCapture() != f.Bar().m_hWnd; }));
    }
};

std::string DebugState(SliderHolder& h, Slider& s) {
    return std::string(" tracked ") + std::to_string(s.GetTrackedPart()) + " pressed " +
           std::to_string(s.GetPressedPart()) + " bar capture " +
           (::IsWindow(h.f.hWnd) ? std::to_string(h.f.Bar().m_nBtnIdxCapture) : "-") + " capture " +
           orvtest::className(::GetCapture()) + " mouse " + orvtest::recentMouseMessages();
}

// A slider on a horizontal bar is its slider length longer than the same button without one.
TEST(SliderButton, MeasuresTheSliderLength) {
    SliderHolder h;
    CClientDC dc(&h.f.Bar());
    CFont* pOld = dc.SelectObject(h.f.Bar().GetBarFont(false));
    CExtBarButton plain(&h.f.Bar(), ID_SLIDER);
    const CSize sizeDefault = h.f.Bar().GetButtonDefaultSize();
    const CSize sizePlain = plain.MeasureButton(&dc, sizeDefault, true);
    for (UINT nLength : {50u, 80u}) {
        h.pTrack->SetSliderLengthHorz(nLength);
        const CSize size = h.pTrack->MeasureButton(&dc, sizeDefault, true);
        EXPECT_EQ(sizePlain.cx + (int)nLength, size.cx) << nLength;
    }
    dc.SelectObject(pOld);
}

// Clicks on the arrows and the page areas step, holding steps on; the thumb dragged past either
// end of its track stops at the range's end; nothing is left pressed or captured. Pictures per
// look.
TEST(SliderButton, DraggedAndClickedByRealInput) {
    SliderHolder h;
    Slider& s = *h.pScroll;
    const HWND hWndBar = h.f.Bar().m_hWnd;
    ASSERT_FALSE(s.GetPartRect(Slider::partThumb).IsRectEmpty());
    // a click on an arrow moves by one, on a page area by a page, towards that side; the press
    // is the first step, and steps repeat while the button is held (on the timer and on moves
    // over the part), so a click makes at least one and no more than a few
    struct Click {
        int nPart;
        int nStep;   // signed
    };
    const Click clicks[] = {{Slider::partArrowEnd, 1}, {Slider::partPageAfter, 100}, {Slider::partArrowStart, -1},
                            {Slider::partPageBefore, -100}};
    int nShift = 0;
    for (const Click& c : clicks) {
        // from the middle, so that a few steps stay inside the range
        s.SetPosition(500);
        s.RefreshButton(true);
        const CRect rc = s.GetPartRect(c.nPart);
        ASSERT_FALSE(rc.IsRectEmpty()) << c.nPart;
        const int nBefore = (int)s.GetPosition();
        const POINT pt = h.Screen(CPoint(rc.left + 2 + (nShift++ % 3), rc.CenterPoint().y));
        ASSERT_TRUE(orvtest::moveTo(pt, hWndBar));
        orvtest::Script script({
            {"press", [&] { LeftButtonAt(pt, MOUSEEVENTF_LEFTDOWN); return true; }},
            {"tracking", [&] { return s.GetTrackedPart() == c.nPart; }},
            {"release", [&] { LeftButtonAt(pt, MOUSEEVENTF_LEFTUP); return true; }},
            {"ended", [&] { return s.GetTrackedPart() == -1 && h.f.Bar().m_nBtnIdxCapture == -1; }},
        });
        ASSERT_TRUE(script.run()) << script.failure << DebugState(h, s);
        const int nDelta = (int)s.GetPosition() - nBefore;
        EXPECT_TRUE(nDelta % c.nStep == 0 && nDelta / c.nStep >= 1 && nDelta / c.nStep <= 4)
            << c.nPart << ": moved by " << nDelta;
        h.LeaveBar();
        EXPECT_TRUE(h.f.Quiet()) << c.nPart;
    }
    // the thumb dragged beyond the track's end and back before its start
    CRect rcTrack = s.GetPartRect(Slider::partTrack);
    const CPoint ptThumb = s.GetPartRect(Slider::partThumb).CenterPoint();
    const POINT ptPress = h.Screen(ptThumb);
    const POINT ptBeyond = h.Screen(CPoint(rcTrack.right + 30, ptThumb.y + 3));
    const POINT ptBefore = h.Screen(CPoint(rcTrack.left - 30, ptThumb.y - 3));
    ASSERT_TRUE(orvtest::moveTo(ptPress, hWndBar));
    bool bSeenEnd = false;
    orvtest::Script drag({
        {"press", [&] { LeftButtonAt(ptPress, MOUSEEVENTF_LEFTDOWN); return true; }},
        {"tracking", [&] { return s.GetTrackedPart() == Slider::partThumb && s.GetPressedPart() == Slider::partThumb; }},
        {"beyond the end", [&] {
             LeftButtonAt(ptBeyond, 0);
             return true;
         }},
        {"at the end", [&] {
             if (s.GetPosition() != s.GetEffectiveRange()) {
                 LeftButtonAt(ptBeyond, 0);
                 return false;
             }
             bSeenEnd = true;
             return true;
         }},
        {"before the start", [&] {
             LeftButtonAt(ptBefore, 0);
             return true;
         }},
        {"at the start", [&] {
             if (s.GetPosition() != 0) {
                 LeftButtonAt(ptBefore, 0);
                 return false;
             }
             return true;
         }},
        {"release", [&] { LeftButtonAt(ptBefore, MOUSEEVENTF_LEFTUP); return true; }},
        {"ended", [&] { return s.GetTrackedPart() == -1 && h.f.Bar().m_nBtnIdxCapture == -1; }},
    });
    ASSERT_TRUE(drag.run()) << drag.failure << DebugState(h, s);
    EXPECT_TRUE(bSeenEnd);
    EXPECT_EQ(0u, s.GetPosition());
    h.LeaveBar();
    EXPECT_TRUE(h.f.Quiet());
    for (const TestLook& look : kTestLooks) {
        orvtest::ScopedPainter painter(look.make());
        h.pScroll->SetPosition(300);
        h.f.Bar().Invalidate();
        KeepPicture(h.f.pFrame, std::string("sliderbutton_") + look.name);
    }
}

// Every end of the tracking loop (button up, Esc, the capture taken, the bar destroyed) leaves no
// capture with the bar, no step timer, no part tracked; holding the end arrow stops at the range's
// end.
TEST(SliderButton, TrackingLoopEnds) {
    enum End { kButtonUp, kEscape, kCaptureLost, kBarDestroyed };
    struct Case {
        const char* name;
        End end;
    };
    const Case cases[] = {
        {"button up", kButtonUp},
        {"Esc", kEscape},
        {"capture lost", kCaptureLost},
        {"bar destroyed", kBarDestroyed},
    };
    int nShift = 0;
    for (const Case& c : cases) {
        SliderHolder h;
        Slider& s = *h.pScroll;
        const HWND hWndBar = h.f.Bar().m_hWnd;
        // one below the range's end: holding the end arrow reaches it and stays
        s.SetPosition(s.GetEffectiveRange() - 1);
        h.f.Bar().Invalidate();
        CWnd other;
        ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_POPUP, 0, 0, 10, 10, NULL, NULL));
        const CRect rc = s.GetPartRect(Slider::partArrowEnd);
        const POINT pt = h.Screen(CPoint(rc.left + 3 + (nShift++ % 3), rc.CenterPoint().y));
        ASSERT_TRUE(orvtest::moveTo(pt, hWndBar)) << c.name;
        int nTicks = 0;
        orvtest::Script script({
            {"press", [&] { LeftButtonAt(pt, MOUSEEVENTF_LEFTDOWN); return true; }},
            {"tracking", [&] { return s.GetTrackedPart() == Slider::partArrowEnd && ::GetCapture() == hWndBar; }},
            // a few timer steps at the range's end change nothing
            {"held", [&] { return s.GetPosition() == s.GetEffectiveRange() && ++nTicks > 3; }},
            {"end", [&] {
                 switch (c.end) {
                 case kButtonUp: LeftButtonAt(pt, MOUSEEVENTF_LEFTUP); break;
                 case kEscape: orvtest::keyDown(VK_ESCAPE); break;
                 case kCaptureLost: other.SetCapture(); break;
                 case kBarDestroyed: h.f.Bar().DestroyWindow(); break;
                 }
                 return true;
             }},
            {"ended", [&] {
                 return !::IsWindow(hWndBar) || (s.GetTrackedPart() == -1 && h.f.Bar().m_nBtnIdxCapture == -1);
             }},
        });
        ASSERT_TRUE(script.run()) << c.name << ": " << script.failure << DebugState(h, s);
        if (c.end == kEscape)
            orvtest::keyUp(VK_ESCAPE);
        if (c.end != kButtonUp)
            LeftButtonAt(pt, MOUSEEVENTF_LEFTUP);
        orvtest::pumpWaiting();
        EXPECT_TRUE(orvtest::pumpUntil([&] { return (::GetKeyState(VK_LBUTTON) & 0x8000) == 0; })) << c.name;
        if (c.end == kCaptureLost) {
            EXPECT_EQ(other.m_hWnd, ::GetCapture()) << c.name << ": the bar took the capture back";
            ::ReleaseCapture();
        }
        if (::IsWindow(hWndBar))
            h.LeaveBar();
        EXPECT_EQ(NULL, ::GetCapture()) << c.name;
        if (::IsWindow(hWndBar)) {
            EXPECT_EQ(s.GetEffectiveRange(), s.GetPosition()) << c.name;
            EXPECT_EQ(-1, s.GetPressedPart()) << c.name;
            EXPECT_FALSE(::KillTimer(hWndBar, Slider::kStepTimerID)) << c.name << ": the step timer runs on";
            EXPECT_TRUE(h.f.Quiet()) << c.name;
        } else {
            EXPECT_EQ(c.end, kBarDestroyed);
        }
        other.DestroyWindow();
    }
}

}  // namespace
