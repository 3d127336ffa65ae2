// The group boxes of the controls dialog read back from the screen, pixel by pixel: an empty
// caption puts the frame 6 pixels down with no gap; a caption leaves a gap in the frame around
// it; the caption-bar style writes the caption inside the bar in the window colour and leaves
// the frame whole; the rounded and flat frames.
#include "CExtPaintManagerHolder.h"
#include "DialogsTestApp.h"
#include "controls_dialog.h"

using dlgtest::ControlsDialog;

namespace {

// What the screen shows of a window's client area.
struct Shown {
    HWND hWnd;
    HDC hDC;
    int w, h;
    explicit Shown(CWnd& wnd) : hWnd(wnd.m_hWnd), hDC(::GetDC(wnd.m_hWnd))
    {
        CRect rc;
        wnd.GetClientRect(&rc);
        w = rc.Width();
        h = rc.Height();
    }
    ~Shown() { ::ReleaseDC(hWnd, hDC); }
    COLORREF at(int x, int y) const { return ::GetPixel(hDC, x, y); }
    // The colour a painter's colour shows as on this display.
    COLORREF shows(COLORREF clr) const { return ::GetNearestColor(hDC, clr); }
};

// Width and height of a caption in the group box's font.
CSize CaptionSize(CWnd& box, const char* text)
{
    HDC hDC = ::GetDC(box.m_hWnd);
    HGDIOBJ hOld = ::SelectObject(hDC, (HFONT)box.SendMessage(WM_GETFONT, 0, 0));
    CRect rc(0, 0, 0, 0);
    ::DrawTextA(hDC, text, -1, &rc, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(box.m_hWnd, hDC);
    return rc.Size();
}

struct Boxes {
    ControlsDialog dlg;
    Boxes()
    {
        dlgtest::App();
        EXPECT_TRUE(dlg.Open());
        dlg.RedrawWindow(NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
        orvtest::pumpWaiting();
    }
};

}  // namespace

TEST(ControlsGroupBox, EmptyCaptionFrameSixPixelsDownWithoutAGap)
{
    Boxes b;
    Shown s(b.dlg.grpEmpty);
    const COLORREF bg = s.at(s.w / 2, 0);
    const COLORREF frame = s.shows(g_PaintManager->GetColor(16));
    for (int y = 0; y < 6; y++)
        for (int x = 0; x < s.w; x++)
            ASSERT_EQ(bg, s.at(x, y)) << x << "," << y;
    int gap = 0;
    for (int x = 0; x < s.w - 1; x++)
        gap += s.at(x, 6) != frame;
    EXPECT_EQ(0, gap);   // the etched frame's top line runs the whole width
    EXPECT_EQ(frame, s.at(0, s.h / 2));
    EXPECT_EQ(s.shows(g_PaintManager->GetColor(5)), s.at(1, s.h / 2));   // the etched inner line
}

TEST(ControlsGroupBox, CaptionLeavesAGapInTheFrame)
{
    Boxes b;
    struct Case {
        CExtGroupBox* box;
        const char* text;
        int leftEdgeX;   // where the frame's left edge is seen at mid-height
    } cases[] = {
        {&b.dlg.grpEtched, "Check boxes", 0},
        {&b.dlg.grpFlat, "Labels and edits", 0},
        {&b.dlg.grpRounded, "Radio buttons", 0},
    };
    for (const Case& k : cases) {
        Shown s(*k.box);
        const CSize text = CaptionSize(*k.box, k.text);
        const int yFrame = text.cy / 2;
        const COLORREF frame = s.shows(g_PaintManager->GetColor(16));
        const COLORREF bg = s.at(s.w / 2, s.h - 3 < yFrame ? 0 : yFrame + 3);
        // the frame's top line left of the caption, the gap two pixels either side of it, the
        // line again after it
        const int gapLeft = 9 - 2, gapRight = 9 + text.cx + 2;
        EXPECT_EQ(frame, s.at(gapLeft - 1, yFrame)) << k.text;
        EXPECT_EQ(bg, s.at(gapLeft, yFrame)) << k.text;
        EXPECT_EQ(bg, s.at(gapLeft + 1, yFrame)) << k.text;
        EXPECT_EQ(bg, s.at(gapRight - 1, yFrame)) << k.text;
        EXPECT_EQ(frame, s.at(gapRight, yFrame)) << k.text;
        EXPECT_EQ(frame, s.at(std::min(gapRight + 10, s.w - 3), yFrame)) << k.text;
        // nothing of the frame above its top line, beside the caption
        for (int y = 0; y < yFrame; y++)
            EXPECT_EQ(bg, s.at(gapLeft - 1, y)) << k.text << " " << y;
        EXPECT_EQ(frame, s.at(k.leftEdgeX, s.h / 2)) << k.text;
    }
    // the rounded frame leaves its corners out; the flat one is one colour all round
    Shown rounded(b.dlg.grpRounded);
    EXPECT_NE(rounded.shows(g_PaintManager->GetColor(16)), rounded.at(0, rounded.h - 1));
    Shown flat(b.dlg.grpFlat);
    const COLORREF frame = flat.shows(g_PaintManager->GetColor(16));
    EXPECT_EQ(frame, flat.at(flat.w - 1, flat.h / 2));
    EXPECT_EQ(frame, flat.at(flat.w / 2, flat.h - 1));
    EXPECT_EQ(frame, flat.at(0, flat.h - 1));
    EXPECT_NE(flat.at(1, flat.h / 2), frame);   // one line only
}

TEST(ControlsGroupBox, CaptionBarHoldsTheCaptionAndTheFrameStaysWhole)
{
    Boxes b;
    CExtGroupBox& box = b.dlg.grpBar;
    ASSERT_EQ(18, box.m_nCaptionBarHeight);
    Shown s(box);
    const COLORREF bar = s.shows(g_PaintManager->GetColor(16));
    const COLORREF ink = s.shows(g_PaintManager->GetColor(5));
    // the frame: the whole top row and the sides in one colour, no gap
    for (int x = 0; x < s.w; x++)
        ASSERT_EQ(bar, s.at(x, 0)) << x;
    EXPECT_EQ(bar, s.at(0, s.h / 2));
    EXPECT_EQ(bar, s.at(s.w - 1, s.h / 2));
    EXPECT_EQ(bar, s.at(s.w / 2, s.h - 1));
    // the caption: pixels of the window colour inside the bar only, from x 5 on, and only
    // pixels of the bar or of the caption there
    CRect rcInk(s.w, s.h, -1, -1);
    int other = 0;
    for (int y = 0; y < 18; y++)
        for (int x = 0; x < s.w; x++) {
            const COLORREF clr = s.at(x, y);
            if (clr == ink) {
                rcInk.left = std::min(rcInk.left, (LONG)x);
                rcInk.right = std::max(rcInk.right, (LONG)x + 1);
                rcInk.top = std::min(rcInk.top, (LONG)y);
                rcInk.bottom = std::max(rcInk.bottom, (LONG)y + 1);
            } else if (clr != bar) {
                other++;
            }
        }
    ASSERT_LT(rcInk.left, rcInk.right);
    EXPECT_LE(5, rcInk.left);
    EXPECT_LT(0, rcInk.top);
    EXPECT_GE(18, rcInk.bottom);
    EXPECT_EQ(0, other);
    // below the bar the face shows, not the bar
    EXPECT_NE(bar, s.at(s.w / 2, 19));
    // the caption is bold: wider than the same text in the box's own weight
    EXPECT_LT(CaptionSize(box, "Combo boxes").cx, rcInk.Width() + 1);
}
