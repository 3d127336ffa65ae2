// The drop zones of a dragged bar as functions over rectangles: which kind and rectangle each
// pointer position gives beside a floating or a docked bar, in the outer and the inner ring,
// and the floating rectangle with the frame's origin it carries; the highlight's area.
#include "orv/gtest.h"
#include "ExtDropZones.h"
#include "CExtDynDockHighlightWnd.h"
#include <afxdocking.h>
#include <string>

using namespace ExtDropZones;

namespace {

std::string Text(const CRect& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

DraggedBar Bar(int nMinW = 40, int nMinH = 30, DWORD dwStyle = CBRS_ALIGN_ANY) {
    DraggedBar b;
    b.dwDockStyle = dwStyle;
    b.nMinW = nMinW;
    b.nMinH = nMinH;
    b.cyDockedH = 100;
    b.cxDockedV = 150;
    return b;
}

}  // namespace

TEST(DropZones, SplitBesideADockedBarByTheBandUnderThePointer) {
    const CRect R(100, 100, 400, 300);   // the target's window
    struct Case {
        const char* name;
        CPoint pt;
        DraggedBar bar;
        CSize tMin;
        bool bHorz, bLive;
        DWORD nKind;
        const char* rc;
    } cases[] = {
        {"top band", {250, 110}, Bar(), {40, 30}, true, false, 1, "100,100,400,200"},
        {"last pixel of the top band", {250, 131}, Bar(), {40, 30}, true, false, 1, "100,100,400,200"},
        {"just below the top band", {250, 132}, Bar(), {40, 30}, true, false, 0, "0,0,0,0"},
        {"bottom band", {250, 290}, Bar(), {40, 30}, true, false, 2, "100,200,400,300"},
        {"left band", {105, 200}, Bar(), {40, 30}, false, false, 3, "100,100,250,300"},
        {"right band", {395, 200}, Bar(), {40, 30}, false, false, 4, "250,100,400,300"},
        {"middle: nothing", {250, 200}, Bar(), {40, 30}, true, false, 0, "0,0,0,0"},
        {"a corner is a top split first", {105, 105}, Bar(), {40, 30}, true, false, 1, "100,100,400,200"},
        // a bar (or target) whose minimum height exceeds 64 gets no split above or below
        {"dragged min height 65: top band gives left", {105, 110}, Bar(40, 65), {40, 30}, true, false, 3,
         "100,100,250,300"},
        {"dragged min height 65: top band middle gives none", {250, 110}, Bar(40, 65), {40, 30}, true, false, 0,
         "0,0,0,0"},
        {"dragged min height 64 still splits", {250, 110}, Bar(40, 64), {40, 30}, true, false, 1, "100,100,400,200"},
        {"target min height 65: no top split", {250, 110}, Bar(), {40, 65}, true, false, 0, "0,0,0,0"},
        {"target min width 65: no left split", {105, 200}, Bar(), {65, 30}, true, false, 0, "0,0,0,0"},
        {"live, horizontal target: no top split", {250, 110}, Bar(), {40, 30}, true, true, 0, "0,0,0,0"},
        {"live, horizontal target: left split", {105, 200}, Bar(), {40, 30}, true, true, 3, "100,100,250,300"},
        {"live, vertical target: no left split", {105, 200}, Bar(), {40, 30}, false, true, 0, "0,0,0,0"},
        {"no side in the dock style", {250, 110}, Bar(40, 30, 0), {40, 30}, true, false, 0, "0,0,0,0"},
        // the half must hold the dragged bar's minimum along the target's row
        {"half narrower than the minimum width", {105, 200}, Bar(160, 30), {40, 30}, true, false, 0, "0,0,0,0"},
    };
    for (const Case& c : cases) {
        const Zone z = SplitBesideDocked(c.pt, R, c.bar, c.tMin, c.bHorz, c.bLive);
        EXPECT_EQ(c.nKind, z.nKind) << c.name;
        EXPECT_EQ(c.rc, Text(z.rc)) << c.name;
        EXPECT_EQ(c.nKind != 0, z.bSplit) << c.name;
    }
}

TEST(DropZones, SplitBesideAFloatingBarCoversItsDockBarToo) {
    const CRect R(500, 100, 800, 400), D(490, 120, 810, 390);
    struct Case {
        const char* name;
        CPoint pt;
        DraggedBar bar;
        CSize tMin;
        DWORD nKind;
        const char* rc;
    } cases[] = {
        {"top", {600, 110}, Bar(), {40, 30}, 1, "490,100,810,250"},
        {"bottom", {600, 395}, Bar(), {40, 30}, 2, "490,250,810,400"},
        {"left", {505, 250}, Bar(), {40, 30}, 3, "500,100,650,400"},
        {"right", {795, 250}, Bar(), {40, 30}, 4, "650,100,800,400"},
        {"middle", {650, 250}, Bar(), {40, 30}, 0, "0,0,0,0"},
        {"half lower than the target's minimum: no top", {600, 110}, Bar(), {40, 160}, 0, "0,0,0,0"},
        {"half lower than the bar's minimum: no top", {600, 110}, Bar(40, 160), {40, 30}, 0, "0,0,0,0"},
    };
    for (const Case& c : cases) {
        const Zone z = SplitBesideFloating(c.pt, R, D, c.bar, c.tMin);
        EXPECT_EQ(c.nKind, z.nKind) << c.name;
        EXPECT_EQ(c.rc, Text(z.rc)) << c.name;
    }
}

TEST(DropZones, OuterRingBandsReachTwelvePixelsBeyondTheArea) {
    const CRect C(50, 80, 650, 480);   // inside the outer dock bars
    struct Case {
        const char* name;
        CPoint pt;
        DWORD dwStyle;
        DWORD nKind;
        const char* rc;
    } cases[] = {
        {"top band, beyond the area", {300, 70}, CBRS_ALIGN_ANY, 9, "50,80,650,180"},
        {"top band, inside", {300, 83}, CBRS_ALIGN_ANY, 9, "50,80,650,180"},
        {"past the top band", {300, 84}, CBRS_ALIGN_ANY, 0, "0,0,0,0"},
        {"above the ring", {300, 67}, CBRS_ALIGN_ANY, 0, "0,0,0,0"},
        {"bottom", {300, 485}, CBRS_ALIGN_ANY, 10, "50,380,650,480"},
        {"left", {45, 300}, CBRS_ALIGN_ANY, 11, "50,80,200,480"},
        {"right", {655, 300}, CBRS_ALIGN_ANY, 12, "500,80,650,480"},
        {"left not allowed", {45, 300}, CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM, 0, "0,0,0,0"},
        {"top-left corner: top first", {45, 70}, CBRS_ALIGN_ANY, 9, "50,80,650,180"},
        {"top-left corner, top not allowed: left", {45, 70}, CBRS_ALIGN_LEFT, 11, "50,80,200,480"},
    };
    for (const Case& c : cases) {
        const Zone z = OuterRing(c.pt, C, Bar(40, 30, c.dwStyle));
        EXPECT_EQ(c.nKind, z.nKind) << c.name;
        EXPECT_EQ(c.rc, Text(z.rc)) << c.name;
    }
    EXPECT_EQ(0u, OuterRing(CPoint(0, 0), CRect(0, 0, 0, 0), Bar()).nKind) << "an empty area has no ring";
}

TEST(DropZones, InnerRingIsTwelvePixelsDeepAndAtMostThreeQuartersOfTheView) {
    const CRect V(200, 200, 400, 360);   // 200 x 160: at most 150 x 120
    struct Case {
        const char* name;
        CPoint pt;
        int cy, cx;   // the dragged bar's docked thickness
        UINT nSkip;
        DWORD nKind;
        const char* rc;
    } cases[] = {
        {"top", {300, 205}, 50, 60, 0, 5, "200,200,400,250"},
        {"top, thick bar capped", {300, 205}, 500, 60, 0, 5, "200,200,400,320"},
        {"below the top band", {300, 212}, 50, 60, 0, 0, "0,0,0,0"},
        {"bottom", {300, 355}, 50, 60, 0, 6, "200,310,400,360"},
        {"left, wide bar capped", {201, 300}, 50, 900, 0, 7, "200,200,350,360"},
        {"right", {399, 300}, 50, 60, 0, 8, "340,200,400,360"},
        {"outside the view", {300, 199}, 50, 60, 0, 0, "0,0,0,0"},
        {"top skipped (the bar's own side)", {300, 205}, 50, 60, 1, 0, "0,0,0,0"},
    };
    for (const Case& c : cases) {
        DraggedBar bar = Bar();
        bar.cyDockedH = c.cy;
        bar.cxDockedV = c.cx;
        const Zone z = InnerRing(c.pt, V, bar, c.nSkip);
        EXPECT_EQ(c.nKind, z.nKind) << c.name;
        EXPECT_EQ(c.rc, Text(z.rc)) << c.name;
        if (z.nKind == 5 || z.nKind == 6) {
            EXPECT_LE(z.rc.Height(), ::MulDiv(V.Height(), 3, 4)) << c.name;
        }
        if (z.nKind == 7 || z.nKind == 8) {
            EXPECT_LE(z.rc.Width(), ::MulDiv(V.Width(), 3, 4)) << c.name;
        }
    }
}

TEST(DropZones, FloatingRectangleCarriesTheFrameOriginAndEveryUserTakesItBack) {
    const CRect F(30, 40, 630, 490);
    const CRect rcGrip(0, 0, 200, 18);   // d = 18
    struct Case {
        const char* name;
        bool bFloating;
        CPoint pt, ptGrab;
        const char* stored;
        const char* origin;
    } cases[] = {
        // docked: the floating size at the pointer less the grab offset
        {"docked", false, {300, 200}, {10, 5}, "320,235,520,385", "290,195"},
        // floating: the mini frame's size, less the grab offset and (d, d / 2)
        {"floating", true, {300, 200}, {10, 5}, "302,226,522,406", "272,186"},
    };
    for (const Case& c : cases) {
        const CRect S = FloatingRect(c.pt, c.bFloating, CRect(700, 700, 920, 880), CSize(200, 150), c.ptGrab, rcGrip, F);
        EXPECT_EQ(c.stored, Text(S)) << c.name;
        const CPoint o = FloatingOrigin(S, F);
        EXPECT_EQ(c.origin, std::to_string(o.x) + "," + std::to_string(o.y)) << c.name;
    }
}

TEST(DropZones, SideOfEveryKind) {
    const int expected[26] = {-1, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, -1, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
    for (DWORD k = 0; k < 26; k++)
        EXPECT_EQ(expected[k], SideOfKind(k)) << k;
}

TEST(HighlightArea, BesideABarTheViewOrTheFrameSides) {
    const CRect rcFrameMarkers[4] = {{300, 100, 330, 130}, {300, 470, 330, 500}, {50, 280, 80, 310},
                                     {570, 280, 600, 310}};
    struct Case {
        const char* name;
        int nSide;
        bool bHasTarget, bIsBar;
        CRect rcTarget;
        int nFrame;
        CSize extent;
        bool bOk;
        const char* rc;
    } cases[] = {
        {"bar, top half", 0, true, true, {100, 100, 301, 301}, 0, {0, 0}, true, "100,100,301,200"},
        {"bar, right half", 3, true, true, {100, 100, 301, 301}, 0, {0, 0}, true, "201,100,301,301"},
        {"view, top, docked extent", 0, true, false, {100, 100, 500, 400}, 0, {120, 80}, true, "100,100,500,180"},
        {"view, left, thin bar: 30 at least", 2, true, false, {100, 100, 500, 400}, 0, {10, 80}, true,
         "100,100,130,400"},
        {"view, bottom, thin bar: 30 at least", 1, true, false, {100, 100, 500, 400}, 0, {120, 5}, true,
         "100,370,500,400"},
        {"frame, right", 3, false, false, {}, 4, {120, 80}, true, "480,100,600,500"},
        {"frame with three markers: none", 3, false, false, {}, 3, {120, 80}, false, ""},
        {"frame with five markers: none", 3, false, false, {}, 5, {120, 80}, false, ""},
        {"side 4 (the centre): none", 4, true, true, {100, 100, 300, 300}, 0, {0, 0}, false, ""},
    };
    for (const Case& c : cases) {
        CRect rcFive[5];
        for (int i = 0; i < 4; i++)
            rcFive[i] = rcFrameMarkers[i];
        CRect A;
        const bool bOk = CExtDynDockHighlightWnd::CalcArea(c.nSide, c.bHasTarget, c.bIsBar, c.rcTarget, rcFive,
                                                           c.nFrame, c.extent, A);
        EXPECT_EQ(c.bOk, bOk) << c.name;
        if (c.bOk && bOk) {
            EXPECT_EQ(c.rc, Text(A)) << c.name;
        }
    }
}
