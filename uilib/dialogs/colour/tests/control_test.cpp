// The colour control in a window, driven by real input as a user drives it: drags across
// cells, cube handles, the wheel and its strip, the Ctrl and Shift locks, a key that ends a
// drag; and the notifications it sends its parent.
//
// Every input waits until the control has handled the message it causes (never a sleep).
//
// The mouse, Ctrl and Shift go through the X server (its test extension, on a connection the
// test keeps open: the server lets go of a client's keys when the client goes); other keys
// through SendInput. Under Wine (virtual desktop) mouse input from SendInput does not suit
// these drags: a modifier held while SendInput moves the mouse is seen down at the first move
// only, however it was pressed, and under load a late pointer event put the cursor back on
// an earlier point of a drag after its last move.
#include "orv/gtest.h"
#include "orv/TestEnv.h"
#include "orv/DesktopPointer.h"
#include "orv/UiTest.h"
#include "orv/XInput.h"
#include "CExtColorCtrl.h"
#include "CExtColorButton.h"
#include "CExtColorDlg.h"
#include <functional>
#include <string>
#include <vector>

using namespace ExtColor;
typedef CExtColorCtrl::selection_colors_t Colors;

namespace {

using orvtest::XInput;

std::string ColorText(COLORREF clr) {
    return "RGB(" + std::to_string(GetRValue(clr)) + "," + std::to_string(GetGValue(clr)) + "," +
           std::to_string(GetBValue(clr)) + ")";
}

// The parent keeps every colour notification.
class RecordingParent : public CWnd {
public:
    struct Note {
        HWND hWndFrom;
        Colors colors;
    };
    std::vector<Note> notes;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == CExtColorCtrl::g_nMsgColorChanged) {
            notes.push_back({(HWND)wParam, *reinterpret_cast<const Colors*>(lParam)});
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

// The control counts the input messages it has handled, by kind.
class CountingColorCtrl : public CExtColorCtrl {
public:
    explicit CountingColorCtrl(int nMode) : CExtColorCtrl(nMode) {}
    int Handled(UINT message) const {
        int n = 0;
        for (UINT m : handled)
            n += m == message;
        return n;
    }
    std::vector<UINT> handled;
    std::vector<UINT> flags;     // the key flags of each message handled
    std::vector<CPoint> points;  // the point of each (the last mouse point for keys)
    CPoint ptLast;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        const LRESULT lResult = CExtColorCtrl::WindowProc(message, wParam, lParam);
        if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_KEYDOWN || message == WM_KEYUP) {
            handled.push_back(message);
            flags.push_back((UINT)wParam);
            if (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST)
                ptLast = CPoint((short)LOWORD(lParam), (short)HIWORD(lParam));
            points.push_back(ptLast);
        }
        return lResult;
    }
};

class ColorCtrlTest : public ::testing::Test {
protected:
    static constexpr int kCx = 260, kCy = 220;

    void Open(int nMode, COLORREF clr = RGB(255, 255, 255)) {
        // the pointer went to the desktop when the last test's window went from under it, and
        // the desktop's program may pass that on late, into this test's drag: wait for it first
        ASSERT_TRUE(orvtest::parkPointer());
        ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "colour control", WS_POPUP | WS_VISIBLE, 40, 40,
                                    kCx + 40, kCy + 40, NULL, NULL));
        pCtrl.reset(new CountingColorCtrl(nMode));
        pCtrl->m_colors.m_clrCurrent = clr;
        pCtrl->m_colors.m_clrPrevious = clr;
        ASSERT_TRUE(pCtrl->CreateEx(0, AfxRegisterWndClass(CS_DBLCLKS), "", WS_CHILD | WS_VISIBLE, CRect(20, 20, 20 + kCx, 20 + kCy),
                                    &parent, 100));
        parent.SetForegroundWindow();
        pCtrl->SetFocus();
        parent.UpdateWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetForegroundWindow() == parent.GetSafeHwnd(); }));
    }
    void TearDown() override {
        // no key stays down for the next test
        XInput::Get().Key(XInput::kControl, false);
        XInput::Get().Key(XInput::kShift, false);
        for (unsigned int nButton : {1u, 2u, 3u})
            XInput::Get().Button(nButton, false);
        pCtrl.reset();
        parent.DestroyWindow();
        AfxDeleteTempMaps();
    }

    // One mouse event at a point of the control (client coordinates), waiting until the control
    // has handled the message it causes (nWait 0: nothing to wait for).
    // One mouse event at a point of the control (client coordinates): a move (nButton 0) or a
    // button (1 left, 2 middle, 3 right) going down or up where the pointer is. Waits until the
    // control has handled the message it causes: for a move, a move to exactly that point.
    void Mouse(CPoint client, int nButton, bool bDown, UINT nWait) {
        const size_t nFirst = pCtrl->handled.size();
        CPoint pt = client;
        pCtrl->ClientToScreen(&pt);
        lastPoint = client;
        if (nButton == 0) {
            ASSERT_TRUE(XInput::Get().Move(pt.x, pt.y));
        } else {
            ASSERT_TRUE(XInput::Get().Button(nButton, bDown));
        }
        ASSERT_TRUE(orvtest::pumpUntil([&] {
            for (size_t i = nFirst; i < pCtrl->handled.size(); i++)
                if (pCtrl->handled[i] == nWait && (nWait != WM_MOUSEMOVE || pCtrl->points[i] == client))
                    return true;
            return false;
        })) << "message " << nWait << " at (" << client.x << "," << client.y << ") never came; the last "
            << pCtrl->handled.back() << " at (" << pCtrl->ptLast.x << "," << pCtrl->ptLast.y << ")";
    }
    void MoveTo(CPoint client) { Mouse(client, 0, false, WM_MOUSEMOVE); }
    void Press(CPoint client) {
        MoveTo(client);
        Mouse(client, 1, true, WM_LBUTTONDOWN);
    }
    void Release(CPoint client) { Mouse(client, 1, false, WM_LBUTTONUP); }
    // A drag through the points, in steps of at most nStep pixels.
    void Drag(std::vector<CPoint> points, int nStep = 6) {
        Press(points[0]);
        CPoint at = points[0];
        for (size_t i = 1; i < points.size(); i++) {
            const CPoint to = points[i];
            const int n = std::max(1, std::max(std::abs(to.x - at.x), std::abs(to.y - at.y)) / nStep);
            for (int k = 1; k <= n; k++)
                MoveTo(CPoint(at.x + (to.x - at.x) * k / n, at.y + (to.y - at.y) * k / n));
            at = to;
        }
        Release(at);
    }
    void Key(WORD vk, bool bUp) {
        const int nBefore = pCtrl->Handled(bUp ? WM_KEYUP : WM_KEYDOWN);
        if (bUp)
            orvtest::keyUp(vk);
        else
            orvtest::keyDown(vk);
        ASSERT_TRUE(orvtest::pumpUntil([&] { return pCtrl->Handled(bUp ? WM_KEYUP : WM_KEYDOWN) > nBefore; }));
    }
    // Holds or lets go of Ctrl or Shift in the X server (see the top of the file), waiting
    // until the control has seen the key.
    void Modifier(WORD vk, bool bDown) {
        const int nBefore = pCtrl->Handled(bDown ? WM_KEYDOWN : WM_KEYUP);
        ASSERT_TRUE(XInput::Get().Key(vk == VK_CONTROL ? XInput::kControl : XInput::kShift, bDown));
        ASSERT_TRUE(orvtest::pumpUntil([&] {
            return pCtrl->Handled(bDown ? WM_KEYDOWN : WM_KEYUP) > nBefore &&
                   ((::GetAsyncKeyState(vk) & 0x8000) != 0) == bDown;
        }));
    }

    // Every note came from the control, changed the colour, and names as previous the colour
    // of the note before (the first: the colour before the drag).
    void ExpectChain(COLORREF clrBefore, size_t nFirst = 0) {
        const auto& notes = parent.notes;
        COLORREF clr = clrBefore;
        for (size_t i = nFirst; i < notes.size(); i++) {
            SCOPED_TRACE("note " + std::to_string(i));
            EXPECT_EQ(pCtrl->GetSafeHwnd(), notes[i].hWndFrom);
            EXPECT_EQ(ColorText(clr), ColorText(notes[i].colors.m_clrPrevious));
            EXPECT_NE(notes[i].colors.m_clrPrevious, notes[i].colors.m_clrCurrent);
            clr = notes[i].colors.m_clrCurrent;
        }
        EXPECT_EQ(ColorText(clr), ColorText(pCtrl->m_colors.m_clrCurrent));
    }
    // The messages the control handled, with their points and key flags: for a failure message.
    std::string Handled() const {
        std::string text = "handled:";
        for (size_t i = 0; i < pCtrl->handled.size(); i++) {
            char item[64];
            snprintf(item, sizeof item, " %04x(%ld,%ld;%x)", pCtrl->handled[i], (long)pCtrl->points[i].x,
                     (long)pCtrl->points[i].y, pCtrl->flags[i]);
            text += item;
        }
        return text;
    }
    void ExpectDragOver() {
        EXPECT_FALSE(pCtrl->IsTracking());
        EXPECT_NE(pCtrl->GetSafeHwnd(), ::GetCapture());
    }

    RecordingParent parent;
    std::unique_ptr<CountingColorCtrl> pCtrl;
    CPoint lastPoint;
};

// ---- 1. drags -------------------------------------------------------------------------------------

// Honeycomb at 260 x 220: cell size 15, centre (130, 90), the gray row at y 200.
TEST_F(ColorCtrlTest, ADragAcrossCellsSendsOneNoteForEachChange) {
    Open(CExtColorCtrl::MODE_HEXAGON);
    // a press on a gap picks nothing and sends nothing
    Press(CPoint(3, 3));
    Release(CPoint(3, 3));
    EXPECT_TRUE(parent.notes.empty());
    // from the white centre right across the rings, down to the gray row and along it
    Drag({CPoint(130, 78), CPoint(225, 78), CPoint(130, 150), CPoint(60, 200), CPoint(230, 200)});
    ExpectDragOver();
    EXPECT_GE(parent.notes.size(), 10u);
    ExpectChain(RGB(255, 255, 255));
    // the drag ends on the large black cell at the end of the gray row
    EXPECT_EQ(ColorText(RGB(0, 0, 0)), ColorText(pCtrl->m_colors.m_clrCurrent));
    EXPECT_TRUE(orvtest::screenshot("colour_control_honeycomb"));
}

// The cube at 260 x 220: square 200 x 200 from (35, 5), so the top vertex is at y 5.
TEST_F(ColorCtrlTest, CubeHandleDragsClampAtTheEndsOfTheirAxes) {
    Open(CExtColorCtrl::MODE_RGB_CUBE);
    pCtrl->SetColor(RGB(100, 50, 200), false);
    EXPECT_TRUE(parent.notes.empty());
    auto& model = static_cast<cube_data_t&>(pCtrl->Model(CExtColorCtrl::MODE_RGB_CUBE));
    const CPoint first = model.m_ptHandle[0];
    // up past the top vertex and out of the control: red 255
    Drag({first, CPoint(first.x, first.y - 30), CPoint(first.x, -30)});
    ExpectDragOver();
    EXPECT_EQ(ColorText(RGB(255, 50, 200)), ColorText(pCtrl->m_colors.m_clrCurrent));
    // down below the centre: red 0
    const size_t nNotes = parent.notes.size();
    Drag({model.m_ptHandle[0], CPoint(first.x, model.m_ptCentre.y + 40)});
    EXPECT_EQ(ColorText(RGB(0, 50, 200)), ColorText(pCtrl->m_colors.m_clrCurrent));
    // the third handle to the right end: blue 255
    Drag({model.m_ptHandle[2], CPoint(kCx + 20, model.m_ptHandle[2].y)});
    EXPECT_EQ(ColorText(RGB(0, 50, 255)), ColorText(pCtrl->m_colors.m_clrCurrent));
    EXPECT_GT(parent.notes.size(), nNotes + 2);
    ExpectChain(RGB(100, 50, 200));
    EXPECT_TRUE(orvtest::screenshot("colour_control_cube"));
}

// The wheel at 260 x 220: area 252 x 188, radius 92 about (130, 98); the strip at y 196 - 216.
TEST_F(ColorCtrlTest, WheelAndStripDragsKeepTheLightnessOfTheStrip) {
    Open(CExtColorCtrl::MODE_HSL_ROLLER, RGB(200, 60, 40));
    auto& model = static_cast<hsl_roller_data_t&>(pCtrl->Model(CExtColorCtrl::MODE_HSL_ROLLER));
    ASSERT_EQ(92, model.m_nRadius);
    ASSERT_EQ(CPoint(130, 98), model.WheelCentre());
    Drag({CPoint(20, 206), CPoint(90, 206)});
    const double fLightness = model.m_fLightness;
    EXPECT_DOUBLE_EQ((double)(pCtrl->ptLast.x - 4) / 252, fLightness);
    Drag({CPoint(130, 40), CPoint(200, 98), CPoint(130, 170), CPoint(60, 110)});
    ExpectDragOver();
    EXPECT_EQ(fLightness, model.m_fLightness);
    ExpectChain(RGB(200, 60, 40));
    EXPECT_GE(parent.notes.size(), 10u);
}

// ---- 2. locks and keys ------------------------------------------------------------------------------

// The red axis plane: x is green, y is blue. Ctrl keeps the green, Shift the blue.
TEST_F(ColorCtrlTest, CtrlAndShiftLockOneCoordinateOfAPlaneDrag) {
    Open(CExtColorCtrl::MODE_XYZ_R, RGB(40, 80, 120));
    const struct { WORD vk; int nChannel; } cases[] = {{VK_CONTROL, 1}, {VK_SHIFT, 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.vk == VK_CONTROL ? "Ctrl" : "Shift");
        const size_t nFirst = parent.notes.size();
        const COLORREF clrBefore = pCtrl->m_colors.m_clrCurrent;
        const size_t nFirstMessage = pCtrl->handled.size();
        Modifier(c.vk, true);
        Drag({CPoint(c.vk == VK_CONTROL ? 40 : 60, 30), CPoint(200, 150)});
        Modifier(c.vk, false);
        for (size_t i = nFirstMessage; i < pCtrl->handled.size(); i++) {
            if (pCtrl->handled[i] == WM_MOUSEMOVE && (pCtrl->flags[i] & MK_LBUTTON)) {
                ASSERT_NE(0u, pCtrl->flags[i] & (c.vk == VK_CONTROL ? MK_CONTROL : MK_SHIFT)) << "the key was let go";
            }
        }
        ASSERT_GT(parent.notes.size(), nFirst + 3);
        // the first note may set the locked channel to the cursor kept by the last pick; from
        // then on it stays
        const COLORREF clrFirst = parent.notes[nFirst].colors.m_clrCurrent;
        const BYTE locked = c.nChannel == 1 ? GetGValue(clrFirst) : GetBValue(clrFirst);
        for (size_t i = nFirst; i < parent.notes.size(); i++) {
            const COLORREF clr = parent.notes[i].colors.m_clrCurrent;
            EXPECT_EQ(locked, c.nChannel == 1 ? GetGValue(clr) : GetBValue(clr)) << "note " << i;
            EXPECT_EQ(40, GetRValue(clr));
        }
        ExpectChain(clrBefore, nFirst);
    }
}

TEST_F(ColorCtrlTest, AKeyEndsTheDragAndGivesTheCaptureBack) {
    Open(CExtColorCtrl::MODE_RGB_MIXER, RGB(0, 0, 0));
    // red column: x 6 to 86 at 260 wide
    Press(CPoint(40, 20));
    for (int y = 30; y <= 90; y += 10)
        MoveTo(CPoint(40, y));
    EXPECT_TRUE(pCtrl->IsTracking());
    EXPECT_EQ(pCtrl->GetSafeHwnd(), ::GetCapture());
    const size_t nNotes = parent.notes.size();
    EXPECT_GE(nNotes, 5u);
    Key(VK_ESCAPE, false);
    ExpectDragOver();
    // the button is still down, but moves over the control pick nothing now
    for (int y = 100; y <= 160; y += 10)
        MoveTo(CPoint(40, y));
    Release(CPoint(40, 160));
    Key(VK_ESCAPE, true);
    EXPECT_EQ(nNotes, parent.notes.size());
    ExpectChain(RGB(0, 0, 0));
    EXPECT_EQ(0, GetGValue(pCtrl->m_colors.m_clrCurrent)) << Handled();
    EXPECT_EQ(0, GetBValue(pCtrl->m_colors.m_clrCurrent)) << Handled();
}

TEST_F(ColorCtrlTest, OtherButtonsAndDoubleClicksPickNothing) {
    Open(CExtColorCtrl::MODE_HEXAGON, RGB(1, 2, 3));
    const CPoint cell(130, 90);   // the white centre
    MoveTo(cell);
    Mouse(cell, 3, true, WM_RBUTTONDOWN);
    Mouse(cell, 3, false, WM_RBUTTONUP);
    Mouse(cell, 2, true, WM_MBUTTONDOWN);
    Mouse(cell, 2, false, WM_MBUTTONUP);
    EXPECT_FALSE(pCtrl->IsTracking());
    EXPECT_TRUE(parent.notes.empty());
    // a double click: the first click picks, the second press (a double click) does nothing
    Mouse(cell, 1, true, WM_LBUTTONDOWN);
    Release(cell);
    Mouse(cell, 1, true, WM_LBUTTONDBLCLK);
    EXPECT_FALSE(pCtrl->IsTracking());
    Release(cell);
    ASSERT_EQ(1u, parent.notes.size());
    EXPECT_EQ(RGB(255, 255, 255), parent.notes[0].colors.m_clrCurrent);
}

// ---- 3. colours set by the owner ---------------------------------------------------------------

TEST_F(ColorCtrlTest, SetColorNotifiesOnlyAChangeItIsAskedToReport) {
    Open(CExtColorCtrl::MODE_HSL_PANEL, RGB(10, 20, 30));
    struct Case { COLORREF clr; bool bNotify; size_t nNotes; };
    const Case cases[] = {
        {RGB(10, 20, 30), true, 0},    // the same colour: a repaint, no note
        {RGB(50, 60, 70), false, 0},   // asked not to report
        {RGB(90, 80, 70), true, 1},
        {RGB(90, 80, 70), true, 1},
    };
    for (const Case& c : cases) {
        pCtrl->SetColor(c.clr, c.bNotify);
        EXPECT_EQ(c.nNotes, parent.notes.size()) << ColorText(c.clr);
        EXPECT_EQ(c.clr, pCtrl->m_colors.m_clrCurrent);
        EXPECT_EQ(c.clr, pCtrl->CurrentModel().m_clrCurrent);
        EXPECT_EQ(RGB(10, 20, 30), pCtrl->m_colors.m_clrPrevious) << "SetColor leaves the previous colour";
    }
    EXPECT_EQ(RGB(90, 80, 70), parent.notes[0].colors.m_clrCurrent);
}

TEST(ColorCtrlNames, ModesHaveTheirNamesAndTheComparisonNone) {
    const struct { int nMode; const char* name; } cases[] = {
        {0, " basic colors"}, {3, " hue, saturation and luminance - roller"}, {6, " gray scale mixer"},
        {14, " yellow axis"}, {15, ""}, {16, ""}, {-1, ""}, {1000, ""}};
    for (const auto& c : cases)
        EXPECT_STREQ(c.name, CExtColorCtrl::GetModeName(c.nMode)) << c.nMode;
}

}  // namespace

// This program carries no colour-dialog template: the dialog cannot be made, never answers OK,
// and a colour button whose custom item asks for it keeps its colour and sends nothing.
TEST(ColourDialogWithoutTemplate, NeverAnswersOk)
{
    orvtest::uiApp();
    CExtColorDlg dlg(RGB(1, 2, 3), RGB(4, 5, 6));
    EXPECT_NE(IDOK, dlg.DoModal());
    EXPECT_EQ(RGB(4, 5, 6), dlg.m_clrNew);

    RecordingParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "no template", WS_POPUP | WS_VISIBLE, 40, 40, 200, 80, NULL, NULL));
    CExtColorButton button;
    HWND hButton = ::CreateWindowExA(0, "BUTTON", "", WS_CHILD | WS_VISIBLE, 10, 10, 60, 24, parent.m_hWnd, (HMENU)5, NULL, NULL);
    ASSERT_TRUE(button.SubclassWindow(hButton));
    button.m_bUseStdColorDlg = false;
    button.m_clrSelected = RGB(7, 8, 9);
    orvtest::MessageRecorder recorder(parent.m_hWnd, {CExtPopupColorMenuWnd::g_nMsgNotifyColorChangedFinally});
    EXPECT_EQ(0, button.SendMessage(CExtPopupColorMenuWnd::g_nMsgNotifyCustColor, 0, 0));
    orvtest::pumpWaiting();
    EXPECT_EQ(RGB(7, 8, 9), button.m_clrSelected);
    EXPECT_TRUE(recorder.received().empty());
    button.DestroyWindow();
    parent.DestroyWindow();
}
