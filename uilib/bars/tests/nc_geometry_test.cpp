// The frame geometry of a control bar as functions: which edges carry splitters by side,
// circle, container and place in the rows; where the splitters, caption and client area lie;
// and the limits of row and column resizing.
#include "orv/gtest.h"
#include "ExtBarNcGeometry.h"
#include <afxdocking.h>
#include <string>

using namespace ExtBarNcGeometry;

namespace {

// "ltrb" with '.' for a disabled edge.
std::string EdgeText(const Edges& e) {
    return std::string() + (e.bLeft ? 'l' : '.') + (e.bTop ? 't' : '.') + (e.bRight ? 'r' : '.') +
           (e.bBottom ? 'b' : '.');
}

const UINT T = AFX_IDW_DOCKBAR_TOP, B = AFX_IDW_DOCKBAR_BOTTOM, L = AFX_IDW_DOCKBAR_LEFT, R = AFX_IDW_DOCKBAR_RIGHT;

}  // namespace

TEST(NcGeometry, SplitterEdgesBySideCircleAndPlaceInTheRows) {
    struct Case {
        UINT nSide, nCircle;
        bool bContainer;
        RowPosition pos;   // first, last, earlier rows, later rows
        const char* expected;
    } cases[] = {
        // alone in a circle round the view: only the edge toward the view stays
        {T, 1, false, {true, true, false, false}, "...b"},
        {B, 1, false, {true, true, false, false}, ".t.."},
        {L, 1, false, {true, true, false, false}, "..r."},
        {R, 1, false, {true, true, false, false}, "l..."},
        // the outer dock bars (circle 0) keep every edge
        {T, 0, false, {true, true, false, false}, "ltrb"},
        {L, 0, false, {true, true, false, false}, "ltrb"},
        // a bar between two others keeps its row's ends; rows on the outer side keep that edge
        {T, 2, false, {false, false, false, false}, "l.rb"},
        {T, 1, false, {true, false, true, false}, ".trb"},
        {B, 1, false, {false, true, false, true}, "lt.b"},
        {L, 1, false, {false, true, true, false}, "ltr."},
        {R, 1, false, {true, false, false, true}, "l.rb"},
        {B, 1, false, {true, true, true, false}, ".t.."},   // a row before it is inward: no edge
        // a container's inner dock bar: rows and row ends by its own axis
        {T, 1, true, {true, true, false, false}, "...."},
        {T, 1, true, {false, false, true, true}, "ltrb"},
        {B, 1, true, {true, false, false, true}, "..rb"},
        {L, 1, true, {true, true, true, false}, "l..."},
        {R, 1, true, {false, true, false, true}, ".tr."},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.expected, EdgeText(SplitterEdges(c.nSide, c.nCircle, c.bContainer, c.pos)))
            << "side " << std::hex << c.nSide << std::dec << " circle " << c.nCircle << " container "
            << c.bContainer << " first " << c.pos.bFirstInRow << " last " << c.pos.bLastInRow << " earlier "
            << c.pos.bEarlierRows << " later " << c.pos.bLaterRows;
    }
}

TEST(NcGeometry, SplittersCaptionAndClientOfADockedBar) {
    const int c = 17, a = 4, g = 4;   // caption height, splitter across, splitter along
    struct Case {
        const char* what;
        UINT nSide;
        const char* edges;
        bool bLeading, bHorzCaption, bFixed;
        CRect client, caption, row, column, leading;
        int nMinHorz, nMinVert;
    } cases[] = {
        {"top, row and column splitters", T, "ltrb", false, true, false, CRect(0, c + 1, 200 - g, 100 - a),
         CRect(0, 0, 200 - g, c), CRect(0, 100 - a, 200, 100), CRect(200 - g, 0, 200, 100), CRect(), g, a + c},
        {"top, alone (row splitter only)", T, "...b", false, true, false, CRect(0, c + 1, 200, 100 - a),
         CRect(0, 0, 200, c), CRect(0, 100 - a, 200, 100), CRect(), CRect(), g, a + c},
        {"bottom: the row splitter on top, the caption below it", B, ".t..", false, true, false,
         CRect(0, a + c + 1, 200, 100), CRect(0, a, 200, a + c), CRect(0, 0, 200, a), CRect(), CRect(), g, a + c},
        {"top with a side gripper", T, "...b", false, false, false, CRect(c + 1, 0, 200, 100 - a),
         CRect(0, 0, c, 100 - a), CRect(0, 100 - a, 200, 100), CRect(), CRect(), g + c, a},
        {"top, after a tool bar that follows a resizable bar", T, "l.rb", true, true, false,
         CRect(g, c + 1, 200 - g, 100 - a), CRect(g, 0, 200 - g, c), CRect(0, 100 - a, 200, 100),
         CRect(200 - g, 0, 200, 100), CRect(0, 0, g, 100 - a), g, a + c},
        {"left: the row splitter at the right, the column splitter below", L, "lt.b", false, true, false,
         CRect(0, c + 1, 200, 100 - a), CRect(0, 0, 200, c), CRect(), CRect(0, 100 - a, 200, 100), CRect(), g,
         a + c},
        {"left, alone", L, "..r.", false, true, false, CRect(0, c + 1, 200 - a, 100), CRect(0, 0, 200 - a, c),
         CRect(200 - g, 0, 200, 100), CRect(), CRect(), g, a + c},
        {"right, alone: the caption moves right of the row splitter", R, "l...", false, true, false,
         CRect(a, c + 1, 200, 100), CRect(g, 0, 200, c), CRect(0, 0, g, 100), CRect(), CRect(), g, a + c},
        {"a fixed-size bar: a grip trimmed at its ends and toward the frame's edge", T, "ltrb", false, false, true,
         CRect(c + 1, 0, 200, 100), CRect(0, 2, c, 99), CRect(), CRect(), CRect(), g + c, a},
        {"too small: the client area is empty, never inside out", T, "ltrb", false, true, false,
         CRect(0, c + 1, 2, c + 1), CRect(0, 0, 2, c), CRect(0, 16, 6, 20), CRect(2, 0, 6, 20), CRect(), g, a + c},
    };
    for (const Case& k : cases) {
        NcInput in;
        in.rcWindow = std::string(k.what).find("too small") == 0 ? CRect(0, 0, 6, 20) : CRect(0, 0, 200, 100);
        in.nDockBarID = k.nSide;
        in.bFixedSize = k.bFixed;
        in.edges.bLeft = k.edges[0] != '.';
        in.edges.bTop = k.edges[1] != '.';
        in.edges.bRight = k.edges[2] != '.';
        in.edges.bBottom = k.edges[3] != '.';
        in.bLeadingSplitter = k.bLeading;
        in.bCaption = true;
        in.bHorzCaption = k.bHorzCaption;
        in.nCaptionHeight = in.nGripperWidth = c;
        in.nSeparatorAcross = a;
        in.nSeparatorAlong = g;
        const NcLayout out = CalcDockedNcLayout(in);
        EXPECT_EQ(k.client, out.rcClient) << k.what;
        EXPECT_EQ(k.caption, out.rcCaption) << k.what;
        EXPECT_EQ(k.row, out.rcRowSplitter) << k.what;
        EXPECT_EQ(k.column, out.rcColumnSplitter) << k.what;
        EXPECT_EQ(k.leading, out.rcLeadingSplitter) << k.what;
        EXPECT_EQ(k.nMinHorz, out.nMinHorz) << k.what;
        EXPECT_EQ(k.nMinVert, out.nMinVert) << k.what;
        EXPECT_LE(out.rcClient.top, out.rcClient.bottom) << k.what;
        EXPECT_LE(out.rcClient.left, out.rcClient.right) << k.what;
    }
}

TEST(NcGeometry, RowsClampAtTwiceTheMinimumAndAtTheFrameLessTheMinimum) {
    // cursor offset from the bar's top (left) → thickness, near side (top/left) or far side
    EXPECT_EQ(62, RowThicknessAt(60, 4, 100, true));    // half the splitter below the cursor
    EXPECT_EQ(42, RowThicknessAt(60, 4, 100, false));   // far side: the bar grows as the cursor rises
    EXPECT_EQ(122, RowThicknessAt(-20, 4, 100, false));
    struct Case {
        int nWanted, nMin, nFrame, expected;
    } cases[] = {
        {100, 21, 400, 100},
        {10, 21, 400, 42},     // twice the minimum
        {-50, 21, 400, 42},
        {500, 21, 400, 379},   // the frame less the minimum
        {379, 21, 400, 379},
        {42, 21, 400, 42},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.expected, ClampRowThickness(c.nWanted, c.nMin, c.nFrame)) << c.nWanted;
}

TEST(NcGeometry, AColumnResizeHandsBackWhatTheNeighbourCannotGive) {
    EXPECT_EQ(150, ColumnLengthAt(148, 4, 200, 30, false));
    EXPECT_EQ(30, ColumnLengthAt(5, 4, 200, 30, false));   // never below the minimum
    EXPECT_EQ(222, ColumnLengthAt(-20, 4, 200, 30, true));  // leading splitter: moving left grows
    struct Case {
        const char* what;
        int nLength, nMin, nNeighbour, nNeighbourMin, nDelta;
        int expectedLength, expectedNeighbour;
    } cases[] = {
        {"the bar gives 50 to the neighbour", 200, 30, 200, 30, 50, 150, 250},
        {"the bar takes 50 from the neighbour", 200, 30, 200, 30, -50, 250, 150},
        {"the neighbour stops at its minimum; the rest stays with the bar", 200, 30, 60, 30, -50, 230, 30},
        {"a neighbour at its minimum gives nothing", 200, 30, 30, 30, -80, 200, 30},
        {"no change", 200, 30, 200, 30, 0, 200, 200},
    };
    for (const Case& c : cases) {
        int nLength = c.nLength, nNeighbour = c.nNeighbour;
        ApplyColumnResize(nLength, c.nMin, nNeighbour, c.nNeighbourMin, c.nDelta);
        EXPECT_EQ(c.expectedLength, nLength) << c.what;
        EXPECT_EQ(c.expectedNeighbour, nNeighbour) << c.what;
        if (nNeighbour > c.nNeighbourMin || c.nDelta >= 0) {
            EXPECT_EQ(c.nLength + c.nNeighbour, nLength + nNeighbour) << c.what << ": the row keeps its length";
        }
    }
}
