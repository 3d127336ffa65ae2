// The row rules without windows: how a dock row's length is shared among its bars, the space a
// reappearing bar takes back, and the operations on a dock bar's array of rows.
#include "orv/gtest.h"
#include "ExtBarRowSizing.h"
#include "ExtDockRows.h"
#include <functional>
#include <string>

namespace {

// ---- row sizing ---------------------------------------------------------------------------------

ExtRowSizingItem Res(int nMin, int nLength) {
    ExtRowSizingItem item;
    item.bResizable = true;
    item.nMin = nMin;
    item.nLength = nLength;
    return item;
}

ExtRowSizingItem Fixed(int nLength) {
    ExtRowSizingItem item;
    item.bResizable = false;
    item.nLength = nLength;
    return item;
}

std::string Lengths(const std::vector<ExtRowSizingItem>& items) {
    std::string s;
    for (const ExtRowSizingItem& item : items)
        s += (s.empty() ? "" : " ") + std::to_string(item.nLength);
    return s;
}

struct RowCase {
    const char* name;
    int nAvailable;
    std::vector<ExtRowSizingItem> items;
    int nThis;
    const char* lengths;   // the lengths of the items left in the row
    bool bPlain;
    int nBreakAfter, nBreakBefore;
};

TEST(RowSizing, Table) {
    const int kBorder = 2;
    const RowCase cases[] = {
        {"alone takes the whole row", 300, {Res(30, 100)}, 0, "300", false, -1, -1},
        {"alone never below its minimum", 20, {Res(30, 100)}, 0, "30", false, -1, -1},
        {"two grow by turns", 302, {Res(30, 100), Res(30, 100)}, 0, "151 151", false, -1, -1},
        {"two shrink by turns", 302, {Res(30, 200), Res(30, 200)}, 0, "151 151", false, -1, -1},
        {"odd pixel to the first", 303, {Res(30, 100), Res(30, 100)}, 0, "152 151", false, -1, -1},
        {"one reaches its minimum, the other gives the rest", 202, {Res(30, 40), Res(30, 300)}, 0, "30 172",
         false, -1, -1},
        {"a bar raised to its minimum stays there, the other grows", 302, {Res(50, 10), Res(30, 100)}, 0, "50 252", false, -1, -1},
        {"fixed-size bars keep their length", 300, {Fixed(100), Res(30, 100), Res(30, 100)}, 1, "100 100 100",
         false, -1, -1},
        {"a bar before this one overflows: break after it", 300, {Fixed(200), Fixed(150), Res(30, 100)}, 2,
         "200 150 100", true, 1, -1},
        {"a bar after this one overflows: break before it", 300, {Res(30, 100), Fixed(200), Fixed(150)}, 0,
         "100 200", false, -1, 2},
        {"this bar overflows: it keeps its minimum, the rest leaves", 100,
         {Res(60, 60), Res(60, 60), Fixed(20)}, 1, "60 60", false, -1, 2},
    };
    for (const RowCase& c : cases) {
        std::vector<ExtRowSizingItem> items = c.items;
        const ExtRowSizingResult r = ExtDistributeRowLength(items, c.nThis, c.nAvailable, kBorder);
        EXPECT_EQ(c.lengths, Lengths(items)) << c.name;
        EXPECT_EQ(c.bPlain, r.bPlain) << c.name;
        EXPECT_EQ(c.nBreakAfter, r.nBreakAfter) << c.name;
        EXPECT_EQ(c.nBreakBefore, r.nBreakBefore) << c.name;
    }
}

TEST(RowSizing, DistributionStopsWithinTwiceTheDifference) {
    // 7 pixels over three bars: three rounds, the first bar gets the extra pixel
    std::vector<ExtRowSizingItem> items = {Res(10, 50), Res(10, 50), Res(10, 50)};
    ExtRowSizingResult r = ExtDistributeRowLength(items, 0, 157, 0);
    EXPECT_EQ("53 52 52", Lengths(items));
    EXPECT_EQ(3, r.nRounds);
    // every bar at its minimum: no round at all, the last resizable bar takes the difference
    items = {Res(40, 40), Fixed(10), Res(40, 40)};
    r = ExtDistributeRowLength(items, 0, 100, 0);
    EXPECT_EQ(0, r.nRounds);
    EXPECT_EQ("40 10 50", Lengths(items));
    // shrinking: 5 pixels in three rounds
    items = {Res(40, 45), Res(40, 45)};
    r = ExtDistributeRowLength(items, 0, 85, 0);
    EXPECT_EQ("42 43", Lengths(items));
    EXPECT_EQ(3, r.nRounds);
}

TEST(RowSizing, TakeBack) {
    // in turn, one pixel each; a bar at its minimum leaves the round
    std::vector<ExtRowSizingItem> others = {Res(30, 100), Res(30, 35)};
    EXPECT_EQ(0, ExtTakeBackRowSpace(others, 20));
    EXPECT_EQ("85 30", Lengths(others));
    // more owed than the others can give: they stop at their minimums
    others = {Res(30, 40), Res(30, 33)};
    EXPECT_EQ(7, ExtTakeBackRowSpace(others, 20));
    EXPECT_EQ("30 30", Lengths(others));
    // alone in the row: nothing to take
    others.clear();
    EXPECT_EQ(5, ExtTakeBackRowSpace(others, 5));
}

// ---- dock-bar rows ------------------------------------------------------------------------------

// Bars A..H stand at fake addresses; placeholders are ids below 0x10000.
void* Bar(char c) { return (void*)(UINT_PTR)(0x100000 + c); }

std::string Text(const CPtrArray& arr) {
    std::string s;
    for (INT_PTR i = 0; i < arr.GetSize(); i++) {
        const UINT_PTR v = (UINT_PTR)arr[i];
        if (i > 0)
            s += " ";
        if (v == 0)
            s += "|";
        else if (v < 0x10000)
            s += "(" + std::to_string(v) + ")";
        else
            s += (char)(v - 0x100000);
    }
    return s;
}

TEST(DockRows, OperationsKeepTheRules) {
    using namespace ExtDockRows;
    CPtrArray arr;
    arr.Add(NULL);
    struct Step {
        const char* what;
        std::function<void()> run;
        const char* expected;
    };
    const Step steps[] = {
        {"append A", [&] { AppendRow(arr, Bar('A')); }, "| A |"},
        {"append B", [&] { AppendRow(arr, Bar('B')); }, "| A | B |"},
        {"C joins the last row", [&] { JoinLastRow(arr, Bar('C')); }, "| A | B C |"},
        {"D in a row before C's", [&] { InsertOwnRow(arr, Find(arr, Bar('C')), true, Bar('D')); },
         "| A | D | B C |"},
        {"E in a row after A's", [&] { InsertOwnRow(arr, Find(arr, Bar('A')), false, Bar('E')); },
         "| A | E | D | B C |"},
        {"B leaves its place to id 5", [&] { ReplaceWithPlaceholder(arr, Find(arr, Bar('B')), 5); },
         "| A | E | D | (5) C |"},
        {"a second place of id 5 is not kept",
         [&] { ReplaceWithPlaceholder(arr, Find(arr, Bar('E')), 5); }, "| A | D | (5) C |"},
        {"C goes; the placeholder stays", [&] { RemoveAt(arr, Find(arr, Bar('C'))); }, "| A | D | (5) |"},
        {"the placeholder goes with its row", [&] { EXPECT_TRUE(RemovePlaceholder(arr, 5)); }, "| A | D |"},
        {"no placeholder of id 6", [&] { EXPECT_FALSE(RemovePlaceholder(arr, 6)); }, "| A | D |"},
        {"D goes with its row", [&] { RemoveAt(arr, Find(arr, Bar('D'))); }, "| A |"},
        {"F at the start, in a row of its own", [&] { InsertAtStart(arr, Bar('F')); }, "| F | A |"},
        {"G joins the last row", [&] { JoinLastRow(arr, Bar('G')); }, "| F | A G |"},
        {"G, the last of its row, takes its own after it", [&] { GiveOwnRow(arr, Find(arr, Bar('G'))); },
         "| F | A | G |"},
        {"H joins G", [&] { JoinLastRow(arr, Bar('H')); }, "| F | A | G H |"},
        {"H, not the last of its row, takes its own row before the rest",
         [&] { JoinLastRow(arr, Bar('B')); GiveOwnRow(arr, Find(arr, Bar('H'))); }, "| F | A | H | G B |"},
        {"a bar alone keeps its row", [&] { GiveOwnRow(arr, Find(arr, Bar('F'))); }, "| F | A | H | G B |"},
        {"the first entry cannot be removed", [&] { RemoveAt(arr, 0); }, "| F | A | H | G B |"},
    };
    for (const Step& step : steps) {
        step.run();
        EXPECT_EQ(step.expected, Text(arr)) << step.what;
        CString strWhy;
        EXPECT_TRUE(IsWellFormed(arr, &strWhy)) << step.what << ": " << (LPCTSTR)strWhy;
    }
    EXPECT_FALSE(IsEmpty(arr));
    while (arr.GetSize() > 1)
        RemoveAt(arr, 1);
    EXPECT_EQ("|", Text(arr));
    EXPECT_TRUE(IsEmpty(arr));
    // placeholders count as content
    AppendRow(arr, ExtDockRows::PlaceholderOf(7));
    EXPECT_FALSE(IsEmpty(arr));
}

TEST(DockRows, BrokenArraysAreSeen) {
    CPtrArray arr;
    EXPECT_FALSE(ExtDockRows::IsWellFormed(arr));
    arr.Add(Bar('A'));
    arr.Add(NULL);
    EXPECT_FALSE(ExtDockRows::IsWellFormed(arr));   // entry 0 not NULL
    arr.InsertAt(0, (void*)NULL);
    arr.Add(NULL);
    EXPECT_FALSE(ExtDockRows::IsWellFormed(arr));   // an empty row
    arr.RemoveAt(arr.GetSize() - 1);
    arr.Add(Bar('B'));
    EXPECT_FALSE(ExtDockRows::IsWellFormed(arr));   // not ended by NULL
}

}  // namespace
