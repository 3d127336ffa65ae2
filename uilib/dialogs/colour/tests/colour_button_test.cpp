// The colour button by real clicks: the popup it opens (through the popup stand-in, which a test
// plays by posting the popup's notifications to its owner as the real one does), what the
// notifications do to the button and its parent, and the dialogs behind the custom item (the
// system's and the library's) ended with Cancel and with OK.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "CExtColorButton.h"
#include "CExtColorDlg.h"
#include "CExtDockBar.h"
#include "ExtToolBarStandIns.h"
#include <afxdocking.h>
#include <string>
#include <vector>

// These tests read what the controls asked a menu for: tracking only records.
[[maybe_unused]] static const bool g_bMenusRecorded = (CExtPopupMenuWnd::standIn().bRecording = true);

using orvtest::Expected;

namespace {

const UINT& kChanged = CExtPopupColorMenuWnd::g_nMsgNotifyColorChanged;
const UINT& kFinally = CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally;
const UINT& kCustom = CExtPopupColorMenuWnd::g_nMsgNotifyCustColor;

// The parent answers the hover notification with a value of its own, to show it is passed back.
class Parent : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kChanged)
            return 77;
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class ColourButtonTest : public ::testing::Test {
protected:
    Parent parent;
    CExtColorButton button;
    std::unique_ptr<orvtest::MessageRecorder> recorder;
    // What the test's "user" does in the popup: notifications posted to its owner.
    std::vector<std::pair<UINT, WPARAM>> choice;
    struct Popup {
        bool bIsColourPopup = false;
        bool bDefault = false, bCustom = false;
        CString strDefault, strCustom;
        COLORREF clrDefault = 0, clrInitial = 0;
        LPARAM lCookie = 0;
        HWND hWndOwner = NULL;
    };
    std::vector<Popup> popups;
    int nClicks = 0;

    void SetUp() override
    {
        orvtest::uiApp("colour buttons test");
        CExtPopupMenuWnd::ResetStandIn();
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0, NULL, (HBRUSH)(COLOR_BTNFACE + 1)), "colour button",
                                    WS_POPUP | WS_VISIBLE, 80, 80, 300, 120, NULL, NULL));
        HWND hButton = ::CreateWindowExA(0, "BUTTON", "Colour", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 160, 32,
                                         parent.m_hWnd, (HMENU)102, NULL, NULL);
        ASSERT_TRUE(hButton != NULL);
        ASSERT_TRUE(button.SubclassWindow(hButton));
        button.m_lParamCookie = 0x5150;
        recorder.reset(new orvtest::MessageRecorder(parent.m_hWnd, {kChanged, kFinally, kCustom}));
        CExtPopupMenuWnd::standIn().onTrack = [this](CExtPopupMenuWnd& popup, const CExtPopupMenuTrackRecord& record) {
            Popup p;
            CExtPopupColorMenuWnd* pColour = DYNAMIC_DOWNCAST(CExtPopupColorMenuWnd, &popup);
            p.bIsColourPopup = pColour != NULL;
            p.hWndOwner = record.hWndOwner;
            if (pColour != NULL) {
                p.bDefault = pColour->m_bEnableBtnColorDefault;
                p.bCustom = pColour->m_bEnableBtnColorCustom;
                p.strDefault = pColour->m_sBtnTextColorDefault;
                p.strCustom = pColour->m_sBtnTextColorCustom;
                p.clrDefault = pColour->m_clrDefaultColor;
                p.clrInitial = pColour->m_clrInitial;
                p.lCookie = pColour->m_lParamCookie;
            }
            popups.push_back(p);
            for (const auto& c : choice)
                ::PostMessageA(record.hWndOwner, c.first, c.second, p.lCookie);
        };
        parent.SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == parent.m_hWnd; }));
    }
    void TearDown() override
    {
        recorder.reset();
        if (button.m_hWnd != NULL)
            button.DestroyWindow();
        parent.DestroyWindow();
        CExtPopupMenuWnd::ResetStandIn();
        AfxDeleteTempMaps();
    }
    // A real click on the button; waits until its popup was tracked. Clicks in a row land a few
    // pixels apart: two at one point would make a double click, which is no second click.
    void Click(POINT client = {-1, -1})
    {
        if (client.x < 0)
            client = {12 + 9 * (nClicks++ % 5), 16};
        const size_t nBefore = CExtPopupMenuWnd::standIn().tracked.size();
        ASSERT_TRUE(orvtest::click(orvtest::screenPoint(button.m_hWnd, client), button.m_hWnd));
        ASSERT_TRUE(orvtest::pumpUntil([&] { return CExtPopupMenuWnd::standIn().tracked.size() > nBefore; }));
    }
};

}  // namespace

// 1. A click opens the colour popup owned by the button, placed on the button, with the
//    button's settings; texts left empty keep the popup's own.
TEST_F(ColourButtonTest, ClickOpensTheColourPopupWithTheButtonsSettings)
{
    button.m_clrSelected = RGB(1, 2, 3);
    Click();
    ASSERT_EQ(1u, popups.size());
    const CExtPopupMenuTrackRecord& r = CExtPopupMenuWnd::standIn().tracked.back();
    CRect rcWindow;
    button.GetWindowRect(&rcWindow);
    EXPECT_EQ(0x24u, r.nFlags);   // alignment 4 kept from the button's flags, 0x20 added
    EXPECT_EQ(rcWindow.CenterPoint(), r.point);
    EXPECT_TRUE(r.bExclude);
    EXPECT_EQ(rcWindow, r.rcExclude);
    EXPECT_TRUE(r.bPainter);
    EXPECT_FALSE(r.bResultPointer);
    const auto& p = popups.back();
    EXPECT_TRUE(p.bIsColourPopup);
    EXPECT_EQ(button.m_hWnd, p.hWndOwner);
    EXPECT_TRUE(p.bDefault);
    EXPECT_TRUE(p.bCustom);
    EXPECT_STREQ("Default Color", p.strDefault);
    EXPECT_STREQ("Custom Color ...", p.strCustom);
    EXPECT_EQ((COLORREF)-1, p.clrDefault);
    EXPECT_EQ(RGB(1, 2, 3), p.clrInitial);
    EXPECT_EQ(0x5150, p.lCookie);
    EXPECT_EQ(0, CExtPopupMenuWnd::standIn().nLive);   // the tracked popup went when it closed

    button.m_sBtnTextColorDefault = "Automatic";
    button.m_sBtnTextColorCustom = "More colours";
    button.m_bEnableBtnColorCustom = false;
    button.m_clrDefault = RGB(9, 9, 9);
    Click();
    ASSERT_EQ(2u, popups.size());
    EXPECT_STREQ("Automatic", popups.back().strDefault);
    EXPECT_STREQ("More colours", popups.back().strCustom);
    EXPECT_FALSE(popups.back().bCustom);
    EXPECT_EQ(RGB(9, 9, 9), popups.back().clrDefault);

    // a popup that cannot be tracked is deleted, and nothing changes
    CExtPopupMenuWnd::standIn().bTrackSucceeds = false;
    Click();
    EXPECT_EQ(0, CExtPopupMenuWnd::standIn().nLive);
    EXPECT_EQ(RGB(1, 2, 3), button.m_clrSelected);
    EXPECT_TRUE(recorder->received().empty());
}

// 2. What the popup's notifications do: hover colours only pass through (the parent's answer
//    comes back); a final colour is kept and passed on unchanged; the default item of a button
//    whose default colour is -1 stores black and reports -1.
TEST_F(ColourButtonTest, NotificationsReachTheParentAndFinalColoursStay)
{
    struct Case {
        std::vector<std::pair<UINT, WPARAM>> choice;
        COLORREF kept;
        std::vector<Expected> parentGets;
    } cases[] = {
        {{{kChanged, RGB(10, 20, 30)}, {kChanged, RGB(40, 50, 60)}},
         RGB(1, 2, 3),
         {{kChanged, RGB(10, 20, 30), 0x5150}, {kChanged, RGB(40, 50, 60), 0x5150}}},
        {{{kChanged, RGB(10, 20, 30)}, {kFinally, RGB(200, 100, 0)}},
         RGB(200, 100, 0),
         {{kChanged, RGB(10, 20, 30), 0x5150}, {kFinally, RGB(200, 100, 0), 0x5150}}},
        {{{kFinally, (WPARAM)(COLORREF)-1}}, RGB(0, 0, 0), {{kFinally, (WPARAM)(COLORREF)-1, 0x5150}}},
        {{{kFinally, RGB(255, 255, 255)}}, RGB(255, 255, 255), {{kFinally, RGB(255, 255, 255), 0x5150}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(&c - cases));
        button.m_clrSelected = RGB(1, 2, 3);
        recorder->clear();
        choice = c.choice;
        Click();
        ASSERT_TRUE(recorder->waitFor(c.parentGets.size()));
        orvtest::pumpWaiting();
        EXPECT_TRUE(recorder->matches(c.parentGets));
        EXPECT_EQ(c.kept, button.m_clrSelected);
    }
    // the hover notification's answer is the parent's
    EXPECT_EQ(77, button.SendMessage(kChanged, RGB(1, 1, 1), 0));
}

// 3. The main part of a split colour button applies the current colour again without a popup;
//    its arrow part opens the popup.
TEST_F(ColourButtonTest, SplitButtonMainPartReappliesTheColour)
{
    button.m_nStateFlags |= CExtButton::STATE_SPLIT;
    button.m_clrSelected = RGB(5, 6, 7);
    ASSERT_TRUE(orvtest::click(orvtest::screenPoint(button.m_hWnd, {20, 16}), button.m_hWnd));
    ASSERT_TRUE(recorder->waitFor(1));
    EXPECT_TRUE(recorder->matches({{kFinally, RGB(5, 6, 7), 0x5150}}));
    EXPECT_TRUE(CExtPopupMenuWnd::standIn().tracked.empty());
    Click({155, 16});
    EXPECT_EQ(1u, popups.size());
}

// 4. The custom item: the system's dialog or the library's, opened on the current colour; Cancel
//    changes nothing and sends nothing; OK takes the dialog's colour and reports it.
TEST_F(ColourButtonTest, CustomItemOpensADialogThatAppliesOnlyOnOk)
{
    struct Case {
        bool bSystemDialog;
        bool bOk;
        COLORREF kept;
        bool bReported;
    } cases[] = {
        {true, false, RGB(30, 60, 90), false},
        {true, true, RGB(30, 60, 90), true},   // OK without a change: the same colour, reported again
        {false, false, RGB(30, 60, 90), false},
        {false, true, RGB(255, 60, 90), true}, // the library's dialog with red typed as 255
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.bSystemDialog ? "system" : "library") + (c.bOk ? " OK" : " Cancel"));
        button.m_bUseStdColorDlg = c.bSystemDialog;
        button.m_clrSelected = RGB(30, 60, 90);
        recorder->clear();
        choice = {{kCustom, 0}};
        if (c.bSystemDialog) {
            // The script helper closes every dialog no framework object owns as a message box
            // (with OK), the system's colour dialog included: this one is ended by a timer of
            // the test's own, through the command of the dialog's own button.
            static UINT s_nCommand;
            static bool s_bEnded;
            s_nCommand = c.bOk ? IDOK : IDCANCEL;
            s_bEnded = false;
            const UINT_PTR nTimer = ::SetTimer(NULL, 0, 30, [](HWND, UINT, UINT_PTR nId, DWORD) WINAPI {
                HWND hDialog = ::GetActiveWindow();
                if (s_bEnded || hDialog == NULL || orvtest::className(hDialog) != "#32770" || !::IsWindowVisible(hDialog))
                    return;
                ::PostMessageA(hDialog, WM_COMMAND, MAKEWPARAM(s_nCommand, BN_CLICKED), (LPARAM)::GetDlgItem(hDialog, s_nCommand));
                s_bEnded = true;
                ::KillTimer(NULL, nId);
            });
            Click();
            EXPECT_TRUE(orvtest::pumpUntil([&] { return s_bEnded && orvtest::className(::GetActiveWindow()) != "#32770"; }));
            ::KillTimer(NULL, nTimer);
        } else {
            HWND hDialog = NULL;
            orvtest::Script script({
                {"dialog up",
                 [&] {
                     hDialog = ::GetActiveWindow();
                     return hDialog != NULL && hDialog != parent.m_hWnd && orvtest::className(hDialog) == "#32770" &&
                            ::IsWindowVisible(hDialog);
                 }},
                {"type red",
                 [&] {
                     if (c.bOk) {
                         HWND hRed = ::GetDlgItem(hDialog, IDC_EXT_COLOR_R);
                         ::SetFocus(hRed);
                         ::SendMessageA(hRed, EM_SETSEL, 0, -1);
                         orvtest::typeText("255");
                     }
                     return true;
                 }},
                {"red typed",
                 [&] {
                     if (!c.bOk)
                         return true;
                     char text[16] = "";
                     ::GetDlgItemTextA(hDialog, IDC_EXT_COLOR_C, text, sizeof text);
                     return std::string(text) == "0";
                 }},
                {"end", [&] {
                     HWND hButton = ::GetDlgItem(hDialog, c.bOk ? IDOK : IDCANCEL);
                     return hButton != NULL && orvtest::click(orvtest::centreOf(hButton), hButton);
                 }},
                {"dialog gone", [&] { return !::IsWindow(hDialog); }},
            });
            Click();
            EXPECT_TRUE(script.run()) << script.failure;
        }
        orvtest::pumpWaiting();
        EXPECT_EQ(c.kept, button.m_clrSelected);
        if (c.bReported) {
            EXPECT_TRUE(recorder->matches({{kFinally, c.kept, 0x5150}}));
        } else {
            EXPECT_TRUE(recorder->matches({}));
        }
    }
}

// 5. The face shows a swatch of the current colour (a 24-bit display shows it exactly).
TEST_F(ColourButtonTest, FaceShowsTheCurrentColour)
{
    recorder->clear();
    choice = {{kFinally, RGB(0, 128, 255)}};
    Click();
    ASSERT_TRUE(recorder->waitFor(1));
    button.RedrawWindow();
    orvtest::pumpWaiting();
    orvtest::Picture picture;
    const int nBits = ::GetDeviceCaps(CClientDC(&button).GetSafeHdc(), BITSPIXEL);
    ASSERT_TRUE(orvtest::screenshot(std::string("colour_button_") + (nBits > 8 ? "24" : "8"), &picture));
    CRect rc;
    button.GetWindowRect(&rc);
    if (nBits > 8) {
        EXPECT_GT(picture.count(RGB(0, 128, 255), rc.left, rc.top, rc.right, rc.bottom), 100);
    }
}

// 6. On a tool bar docked at the left: the popup is aligned by the dock bar (code 1), the frame
//    above the bars owns it (and so gets the notifications), the bars' tracking is ended first
//    and the bars' menu-tracking flag is set once the popup is tracked.
TEST(ColourButtonOnBar, PopupBelongsToTheFrameAndIsAlignedByTheDockBar)
{
    orvtest::uiApp("colour buttons test");
    CExtPopupMenuWnd::ResetStandIn();
    CFrameWnd* pFrame = new CFrameWnd;
    ASSERT_TRUE(pFrame->Create(NULL, "bars", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(100, 100, 600, 400)));
    HWND hFrame = pFrame->m_hWnd;
    ASSERT_TRUE(CExtControlBar::FrameEnableDocking(pFrame));
    CExtToolControlBar* pBar = new CExtToolControlBar;
    ASSERT_TRUE(pBar->Create("Colours", pFrame, 0xE900, WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | CBRS_LEFT));
    pBar->EnableDocking(CBRS_ALIGN_ANY);
    CExtDockBar::GetOuterDockBar(pFrame, AFX_IDW_DOCKBAR_LEFT)->DockControlBar(pBar);
    pFrame->RecalcLayout();
    CExtColorButton button;
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 2, 10, 30, 24, pBar->m_hWnd,
                                     (HMENU)103, NULL, NULL);
    ASSERT_TRUE(button.SubclassWindow(hButton));
    button.m_clrSelected = RGB(9, 8, 7);
    orvtest::MessageRecorder frameGets(hFrame, {kFinally});
    CExtPopupMenuWnd::standIn().onTrack = [&](CExtPopupMenuWnd&, const CExtPopupMenuTrackRecord& record) {
        ::PostMessageA(record.hWndOwner, kFinally, RGB(1, 2, 3), 0);
    };
    const int nCancels = CExtToolControlBar::g_nCancelAllBarsTrackingCalls;
    CExtToolControlBar::g_bMenuTracking = false;
    EXPECT_TRUE(button.TrackButtonMenu(false));
    ASSERT_EQ(1u, CExtPopupMenuWnd::standIn().tracked.size());
    const CExtPopupMenuTrackRecord& r = CExtPopupMenuWnd::standIn().tracked.back();
    EXPECT_EQ(0x21u, r.nFlags);
    EXPECT_EQ(hFrame, r.hWndOwner);
    EXPECT_EQ(nCancels + 1, CExtToolControlBar::g_nCancelAllBarsTrackingCalls);
    EXPECT_TRUE(CExtToolControlBar::g_bMenuTracking);
    ASSERT_TRUE(frameGets.waitFor(1));
    EXPECT_TRUE(frameGets.matches({{kFinally, RGB(1, 2, 3), 0}}));
    EXPECT_EQ(RGB(9, 8, 7), button.m_clrSelected);   // the frame's to handle
    CExtToolControlBar::g_bMenuTracking = false;
    button.DestroyWindow();
    pFrame->DestroyWindow();
    CExtPopupMenuWnd::ResetStandIn();
    AfxDeleteTempMaps();
}

