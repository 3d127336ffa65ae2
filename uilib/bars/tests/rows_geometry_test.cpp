// The outer dock bar's tool-bar rows and the container's rows without windows: bars in, rectangles
// out.
#include "orv/gtest.h"
#include "ExtContainerRows.h"
#include "ExtOuterRows.h"
#include <string>
#include <vector>

namespace {

using ExtOuterRows::Item;

std::string Str(const CRect& rc) {
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

// ---- outer rows ---------------------------------------------------------------------------------

// A bar of the table: ideal length and thickness, minimum length, current start (-1: at 0 in the
// first row, as a new bar), order (0: no record), preferred start and length (0: unset).
struct BarSpec {
    int nIdeal, nThick, nMin;
    int nCurStart = 0;
    int nOrder = 0;
    int nPrefStart = -1;
    int nPrefLen = 0;
    bool bStretch = true;
};

struct RowCase {
    const char* name;
    int nAvail;
    std::vector<BarSpec> bars;
    const char* rects;   // layout rectangles, " | " between bars
    int nRows;
    bool bFull;
};

struct Laid {
    std::string rects;
    ExtOuterRows::RowResult result;
    ExtOuterRows::Cursor cursor;
    std::vector<CExtControlBar::DockPos_t> records;
};

Laid Layout(const RowCase& c, bool bHorz) {
    Laid laid;
    laid.records.resize(c.bars.size());
    std::vector<Item> items;
    for (size_t i = 0; i < c.bars.size(); i++) {
        const BarSpec& b = c.bars[i];
        Item item;
        item.sizeIdeal = bHorz ? CSize(b.nIdeal, b.nThick) : CSize(b.nThick, b.nIdeal);
        item.sizeMin = bHorz ? CSize(b.nMin, b.nThick) : CSize(b.nThick, b.nMin);
        item.rcCurrent = bHorz ? CRect(b.nCurStart, 0, b.nCurStart + b.nIdeal, b.nThick)
                               : CRect(0, b.nCurStart, b.nThick, b.nCurStart + b.nIdeal);
        item.bStretch = b.bStretch;
        if (b.nOrder != 0) {
            CExtControlBar::DockPos_t& rec = laid.records[i];
            rec.m_nOrder = (WORD)b.nOrder;
            if (b.nPrefStart >= 0)
                rec.m_rcPreferred = bHorz ? CRect(b.nPrefStart, 0, b.nPrefStart + b.nIdeal, b.nThick)
                                          : CRect(0, b.nPrefStart, b.nThick, b.nPrefStart + b.nIdeal);
            (bHorz ? rec.m_nPreferredWidth : rec.m_nPreferredHeight) = b.nPrefLen;
            item.pRecord = &rec;
        }
        items.push_back(item);
    }
    laid.result = ExtOuterRows::LayoutRow(items, c.nAvail, bHorz, false, laid.cursor);
    for (const Item& item : items) {
        CRect rc = item.rcLayout;
        if (!bHorz)   // read a column as the row it would be
            rc = CRect(rc.top, rc.left, rc.bottom, rc.right);
        laid.rects += (laid.rects.empty() ? "" : " | ") + Str(rc);
    }
    return laid;
}

TEST(OuterRows, Table) {
    const RowCase cases[] = {
        {"bars that fit keep the gaps the user left", 400, {{100, 22, 40, 0}, {100, 22, 40, 150}},
         "0,0,100,22 | 150,0,250,22", 1, false},
        {"a short row closes its gaps before anything shrinks", 300,
         {{100, 22, 40, 0}, {100, 22, 40, 120}, {100, 22, 40, 230}},
         "0,0,100,22 | 100,0,200,22 | 200,0,300,22", 1, true},
        {"then the last bar shrinks first", 250, {{100, 22, 40}, {100, 22, 40}, {100, 22, 40}},
         "0,0,100,22 | 100,0,200,22 | 200,0,250,22", 1, true},
        {"and the ones before it when the last is at its minimum", 200,
         {{100, 22, 40}, {100, 22, 40}, {100, 22, 40}}, "0,0,100,22 | 100,0,160,22 | 160,0,200,22", 1, true},
        {"minimum lengths that just fit stay in one row", 120, {{100, 22, 40}, {100, 22, 40}, {100, 22, 40}},
         "0,0,40,22 | 40,0,80,22 | 80,0,120,22", 1, true},
        {"a bar wraps only when the minimum lengths do not fit", 110,
         {{100, 22, 40}, {100, 22, 40}, {100, 22, 40}}, "0,0,70,22 | 70,0,110,22 | 0,22,100,44", 2, true},
        {"22/26/22 take 26 each", 400, {{100, 22, 40}, {100, 26, 40}, {100, 22, 40}},
         "0,0,100,26 | 100,0,200,26 | 200,0,300,26", 1, false},
        {"a bar that may not stretch keeps its thickness", 400,
         {{100, 22, 40}, {100, 26, 40}, {100, 22, 40, 0, 0, -1, 0, false}},
         "0,0,100,26 | 100,0,200,26 | 200,0,300,22", 1, false},
        {"one bar of a wrapped row does not stretch to the first row's thickness", 150,
         {{100, 22, 100}, {100, 26, 100}}, "0,0,100,22 | 0,22,100,48", 2, true},
        {"a bar longer than the row is cut to it, never below its minimum", 80, {{100, 22, 60}},
         "0,0,80,22", 1, true},
        {"a whole-row bar spans the row", 300, {{300, 22, 300}}, "0,0,300,22", 1, true},
        {"the bar moved last (order 1) gets its preferred length back first", 300,
         {{120, 22, 40, 0, 2, 0, 120}, {120, 22, 40, 120, 3, 120, 120}, {120, 22, 40, 240, 1, 180, 120}},
         "0,0,120,22 | 120,0,180,22 | 180,0,300,22", 1, true},
        {"without an order the last bar stays short", 300,
         {{120, 22, 40, 0, 1, 0, 120}, {120, 22, 40, 120, 2, 120, 120}, {120, 22, 40, 240, 3, 180, 120}},
         "0,0,120,22 | 120,0,240,22 | 240,0,300,22", 1, true},
        {"a bar goes back to its preferred start and pushes its neighbour", 400,
         {{100, 22, 40, 0, 1, 50, 100}, {100, 22, 40, 100, 2, 100, 100}},
         "50,0,150,22 | 150,0,250,22", 1, false},
        {"the push stops at the end of the row", 260,
         {{100, 22, 40, 0, 1, 120, 100}, {100, 22, 40, 100, 2, 100, 100}},
         "60,0,160,22 | 160,0,260,22", 1, false},
    };
    for (bool bHorz : {true, false}) {
        for (const RowCase& c : cases) {
            const Laid laid = Layout(c, bHorz);
            EXPECT_EQ(c.rects, laid.rects) << c.name << (bHorz ? "" : " (column)");
            EXPECT_EQ(c.nRows, laid.result.nRows) << c.name;
            EXPECT_EQ(c.bFull, laid.result.bFull) << c.name;
        }
    }
}

TEST(OuterRows, TheCursorMovesPastTheRowsTaken) {
    const RowCase c = {"", 110, {{100, 22, 40}, {100, 24, 40}, {100, 20, 40}}, "", 2, true};
    const Laid laid = Layout(c, true);
    EXPECT_EQ(CPoint(0, 44), laid.cursor.pt) << "a row of 24 (22 and 24 stretched), then one of 20";
    EXPECT_EQ(44, laid.cursor.sizeFixed.cy);
    EXPECT_EQ(110, laid.cursor.sizeFixed.cx);
}

TEST(OuterRows, OrderListAssignsWhatIsMissing) {
    std::vector<CExtControlBar::DockPos_t> recs(3);
    recs[0].m_nOrder = 2;
    recs[1].m_nOrder = 0;   // never ordered
    recs[2].m_nOrder = 1;
    recs[2].m_nPreferredWidth = 500;   // above its ideal length
    std::vector<Item> items(4);
    for (int i = 0; i < 4; i++) {
        items[i].sizeIdeal = CSize(90, 22);
        items[i].rcCurrent = CRect(i * 100, 0, i * 100 + 80, 22);
        items[i].pRecord = i < 3 ? &recs[i] : nullptr;   // the fourth bar has no record
    }
    const std::vector<int> order = ExtOuterRows::OrderList(items, 0, 3, true, true);
    EXPECT_EQ((std::vector<int>{2, 0, 1, 3}), order);
    EXPECT_EQ(3, recs[1].m_nOrder) << "a number after all others";
    EXPECT_EQ(CRect(100, 0, 180, 22), recs[1].m_rcPreferred) << "the current rectangle";
    EXPECT_EQ(80, recs[1].m_nPreferredWidth) << "the current length";
    EXPECT_EQ(90, recs[2].m_nPreferredWidth) << "lowered to the ideal length";
}

// ---- containers ---------------------------------------------------------------------------------

ExtContainerRows::Bar CBar(int nAlong, int nAcross, int nMinAlong = 20, int nMinAcross = 20) {
    ExtContainerRows::Bar b;
    b.nAlong = nAlong;
    b.nAcross = nAcross;
    b.nMinAlong = nMinAlong;
    b.nMinAcross = nMinAcross;
    return b;
}

ExtContainerRows::RowList List(const std::vector<std::vector<ExtContainerRows::Bar>>& rows) {
    ExtContainerRows::RowList list;
    for (const auto& bars : rows) {
        ExtContainerRows::Row row;
        row.bars = bars;
        list.rows.push_back(row);
    }
    ExtContainerRows::Summarise(list);
    return list;
}

std::string Rects(const ExtContainerRows::RowList& list, bool bHorz) {
    std::string s;
    for (const CRect& rc : ExtContainerRows::Positions(list, bHorz))
        s += (s.empty() ? "" : " | ") + Str(rc);
    return s;
}

TEST(ContainerRows, Table) {
    struct Case {
        const char* name;
        std::vector<std::vector<ExtContainerRows::Bar>> rows;
        bool bHorz;
        int cx, cy;
        const char* rects;
    } cases[] = {
        {"growing by 5 across three rows gives +2, +2, +1", {{CBar(100, 30)}, {CBar(100, 30)}, {CBar(100, 30)}},
         true, 100, 95, "0,0,100,32 | 0,32,100,64 | 0,64,100,95"},
        {"the same as columns", {{CBar(100, 30)}, {CBar(100, 30)}, {CBar(100, 30)}}, false, 95, 100,
         "0,0,32,100 | 32,0,64,100 | 64,0,95,100"},
        {"shrinking skips a row at its minimum", {{CBar(100, 20)}, {CBar(100, 40)}, {CBar(100, 40)}}, true, 100,
         96, "0,0,100,20 | 0,20,100,58 | 0,58,100,96"},
        {"shrinking stops when every row is at its minimum", {{CBar(100, 30)}, {CBar(100, 30)}}, true, 100, 10,
         "0,0,100,20 | 0,20,100,40"},
        {"along a row the bars share the difference in turn", {{CBar(50, 30), CBar(50, 30)}}, true, 105, 30,
         "0,0,53,30 | 53,0,105,30"},
        {"shrinking along skips a bar at its minimum", {{CBar(20, 30), CBar(100, 30)}}, true, 90, 30,
         "0,0,20,30 | 20,0,90,30"},
        {"the row takes its first bar's thickness", {{CBar(50, 30), CBar(50, 50)}, {CBar(100, 40)}}, true, 100,
         70, "0,0,50,30 | 50,0,100,30 | 0,30,100,70"},
        {"a size below 1 x 1 changes nothing", {{CBar(50, 30)}}, true, 0, 30, "0,0,50,30"},
    };
    for (const Case& c : cases) {
        ExtContainerRows::RowList list = List(c.rows);
        ExtContainerRows::Distribute(list, c.cx, c.cy, c.bHorz);
        EXPECT_EQ(c.rects, Rects(list, c.bHorz)) << c.name;
    }
}

TEST(ContainerRows, MinimumSizeKeepsItsAxes) {
    // two rows: minimum lengths 30 + 40 and 50, minimum thicknesses min(20, 25) and 15
    ExtContainerRows::RowList list = List({{CBar(100, 30, 30, 20), CBar(100, 30, 40, 25)}, {CBar(100, 30, 50, 15)}});
    EXPECT_EQ(70, list.nLongestMinRow);
    EXPECT_EQ(35, list.nSumMinThickness);
    EXPECT_EQ(CSize(70, 35), ExtContainerRows::MinimumSize(list, true)) << "rows across the container";
    EXPECT_EQ(CSize(35, 70), ExtContainerRows::MinimumSize(list, false)) << "columns side by side";
    EXPECT_TRUE(List({{}}).IsEmpty()) << "one row without bars is no row";
}

}  // namespace
