// The bar kinds over the tool bar in the tool-bar test frame: the panel bar hosting a child at
// its margins, the colour button (colours, icons, its colour popup picked with real clicks, the
// press that sends the colour, its place in a chevron menu). Pictures per look.
#include "ToolBarFixture.h"
#include "CEdit.h"
#include "RenderHarness.h"
#include "CExtBarColorButton.h"
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

struct Look {
    const char* name;
    CExtPaintManager* (*make)();
};
const Look kLooks[] = {
    {"classic", [] { return new CExtPaintManager; }},
    {"xp", [] { return (CExtPaintManager*)new CExtPaintManagerXP; }},
    {"office2003", [] { return (CExtPaintManager*)new CExtPaintManagerOffice2003; }},
    {"studio2005", [] { return (CExtPaintManager*)new CExtPaintManagerStudio2005; }},
};

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
    for (const Look& look : kLooks) {
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
    for (const Look& look : kLooks) {
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

}  // namespace
