// The tool bar's layout as plain functions over hand-written buttons: line breaking, the
// narrowest floating width, the buttons' extent, and the placement of a docked bar with the
// chevron's hidden list. A row of buttons is written as text: a letter is a 23 by 22 button
// ("C:40" a button 40 wide), "|" a separator (6 wide), a trailing "h" a button hidden by its
// style ("Ch").
#include <orv/gtest.h>
#include "ExtToolBarLayout.h"
#include <sstream>
#include <string>
#include <vector>

using ExtToolBarLayout::Item;

namespace {

struct Row {
    std::vector<Item> items;
    std::vector<std::string> names;
};

Row Parse(const std::string& text, bool bVertical = false) {
    Row row;
    std::istringstream in(text);
    std::string tok;
    while (in >> tok) {
        Item it;
        std::string name = tok;
        if (tok == "|") {
            it.bSeparator = true;
            it.size = bVertical ? CSize(23, 6) : CSize(6, 22);
        } else {
            int w = 23;
            const size_t colon = tok.find(':');
            if (colon != std::string::npos) {
                w = std::stoi(tok.substr(colon + 1));
                name = tok.substr(0, colon);
            }
            if (!name.empty() && name.back() == 'h' && name.size() > 1) {
                it.bHidden = true;
                name.pop_back();
            }
            it.size = bVertical ? CSize(23, w) : CSize(w, 22);
        }
        row.items.push_back(it);
        row.names.push_back(name);
    }
    // a separator right before a hidden button is hidden with it
    for (size_t i = 0; i + 1 < row.items.size(); i++)
        if (row.items[i].bSeparator && row.items[i + 1].bHidden)
            row.items[i].bHidden = true;
    return row;
}

// The rows as text: items in order, " / " where a row breaks.
std::string Rows(const Row& row) {
    std::string s;
    for (size_t i = 0; i < row.items.size(); i++) {
        if (row.items[i].bHidden)
            continue;
        if (!s.empty() && s.back() != ' ')
            s += " ";
        s += row.names[i];
        if (row.items[i].bWrap && i + 1 < row.items.size())
            s += " /";
    }
    return s;
}

std::string Visible(const Row& row) {
    std::string s;
    for (size_t i = 0; i < row.items.size(); i++)
        if (row.items[i].bVisible)
            s += (s.empty() ? "" : " ") + row.names[i];
    return s;
}

std::string Names(const Row& row, const std::vector<int>& indexes) {
    std::string s;
    for (int i : indexes)
        s += (s.empty() ? "" : " ") + row.names[(size_t)i];
    return s;
}

}  // namespace

// 1. Greedy line breaking: a separator never starts a row and takes no room at a row's start.
TEST(ToolBarLayout, WrapTable) {
    struct Case {
        const char* buttons;
        int width;
        int rows;
        const char* wrapped;
    };
    const Case cases[] = {
        {"A B C D", 200, 1, "A B C D"},
        {"A B C D", 50, 2, "A B / C D"},
        {"A B C D", 10, 4, "A / B / C / D"},
        {"A B | C", 52, 2, "A B | / C"},
        {"A B | C", 46, 2, "A B | / C"},   // the separator stays on the row it ends
        {"| A", 23, 1, "| A"},              // a separator at a row's start is nothing wide
        {"A Bh C", 46, 1, "A C"},           // hidden buttons take no room
        {"A:60 B", 50, 2, "A / B"},         // a button wider than the row still gets one
    };
    for (const Case& c : cases) {
        Row row = Parse(c.buttons);
        EXPECT_EQ(c.rows, ExtToolBarLayout::WrapHorizontally(row.items, c.width, false)) << c.buttons << " at " << c.width;
        EXPECT_EQ(c.wrapped, Rows(row)) << c.buttons << " at " << c.width;
    }
    // a panel keeps the breaks it was given
    Row panel = Parse("A B C");
    panel.items[0].bWrap = true;
    EXPECT_EQ(2, ExtToolBarLayout::WrapHorizontally(panel.items, 10, true));
    EXPECT_EQ("A / B C", Rows(panel));
}

// 2. A floating bar keeps the row count its requested width gives, at the narrowest width.
TEST(ToolBarLayout, FloatingWidthKeepsTheRowCount) {
    struct Case {
        const char* buttons;
        int length;
        int width;
        const char* wrapped;
    };
    const Case cases[] = {
        {"A B C D E F", 100, 69, "A B C / D E F"},
        {"A B C D E F", 40, 23, "A / B / C / D / E / F"},
        {"A B C D E F", 500, 138, "A B C D E F"},
        {"A B | C D", 60, 46, "A B | / C D"},   // the separator ending a row is no part of its width
        {"A", 5, 23, "A"},   // below half the default width there is nothing to search
    };
    for (const Case& c : cases) {
        Row row = Parse(c.buttons);
        EXPECT_EQ(c.width, ExtToolBarLayout::FitFloatingWidth(row.items, c.length, 23)) << c.buttons << " at " << c.length;
        EXPECT_EQ(c.wrapped, Rows(row)) << c.buttons << " at " << c.length;
    }
}

// 3. The extent of the laid-out buttons, with the bar's borders, gaps and the chevron.
TEST(ToolBarLayout, ButtonsSizeTable) {
    ExtToolBarLayout::Frame frame;   // default 23 x 22, row gap 6, borders 1 left and right
    Item chevron;
    chevron.size = CSize(11, 22);
    struct Case {
        const char* name;
        const char* buttons;
        int wrapAfter;   // -1 none
        bool vertical, floating, withChevron;
        CSize size;
    };
    const Case cases[] = {
        {"one row", "A B | C", -1, false, false, false, CSize(75 + 3 + 2, 22)},
        {"one row and the chevron", "A B", -1, false, false, true, CSize(57 + 3 + 2, 22)},
        {"two rows", "A B C", 1, false, false, false, CSize(46 + 3 + 2, 50)},
        {"floating: one more each way, no chevron", "A B C", 1, false, true, true, CSize(52, 51)},
        {"a wider button", "A:40 B", -1, false, false, false, CSize(63 + 5, 22)},
        {"stacked in a column", "A B", -1, true, false, false, CSize(24, 46 + 6)},
        {"nothing: the default size", "", -1, false, false, false, CSize(23 + 5, 22)},
    };
    for (const Case& c : cases) {
        Row row = Parse(c.buttons, c.vertical);
        if (c.wrapAfter >= 0)
            row.items[(size_t)c.wrapAfter].bWrap = true;
        frame.bFloating = c.floating;
        Item vchevron = chevron;
        if (c.vertical)
            vchevron.size = CSize(23, 11);
        EXPECT_EQ(c.size, ExtToolBarLayout::ButtonsSize(row.items, c.withChevron ? &vchevron : NULL, c.vertical, frame))
            << c.name;
    }
}

// A docked bar given the size its buttons ask for places every button before its chevron,
// also in a look that leaves room before the chevron and has no row gap; one pixel less
// hides one.
TEST(ToolBarLayout, ADockedBarOfItsOwnSizeHidesNothing) {
    struct Case {
        bool vertical;
        int rowGap;
        int pad;
    };
    const Case cases[] = {
        {false, 6, 0}, {false, 0, 4}, {false, 6, 4}, {true, 6, 0}, {true, 0, 4}, {true, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.vertical ? "vertical" : "horizontal") + ", gap " + std::to_string(c.rowGap) +
                     ", pad " + std::to_string(c.pad));
        ExtToolBarLayout::Frame frame;
        frame.nRowGap = c.rowGap;
        frame.sizeChevronPad = CSize(c.pad, c.pad);
        Item chevron;
        chevron.size = c.vertical ? CSize(23, 11) : CSize(11, 22);
        const Row start = Parse("A B | C:34 D | E", c.vertical);
        const CSize size = ExtToolBarLayout::ButtonsSize(start.items, &chevron, c.vertical, frame);
        // the placement as the bar makes it: the work area within the borders, less the chevron
        // and the room before it
        auto hiddenIn = [&](CSize sizeBar) {
            Row row = start;
            ExtToolBarLayout::PlaceParams p;
            p.bHorz = !c.vertical;
            p.nRowGap = c.rowGap;
            p.rcBorders = frame.rcBorders;
            p.rcWork = CRect(frame.rcBorders.left, frame.rcBorders.top, sizeBar.cx - frame.rcBorders.right,
                             sizeBar.cy - frame.rcBorders.bottom);
            if (c.vertical)
                p.rcWork.bottom -= chevron.size.cy + c.pad;
            else
                p.rcWork.right -= chevron.size.cx + c.pad;
            return Names(row, ExtToolBarLayout::Place(row.items, p));
        };
        EXPECT_EQ("", hiddenIn(size));
        if (c.rowGap == 0) {
            EXPECT_EQ("E", hiddenIn(size - (c.vertical ? CSize(0, 1) : CSize(1, 0))));
        }
    }
}

// 4. A docked bar hides what does not fit: the hidden list in bar order, a separator between
// listed buttons that one divided in the bar, and no visible separator leading, trailing or
// doubled.
TEST(ToolBarLayout, DockedPlacementTable) {
    struct Case {
        const char* buttons;
        int width;
        const char* visible;
        const char* hidden;
    };
    const Case cases[] = {
        {"A B | C", 200, "A B | C", ""},
        {"A B | C D", 60, "A B", "C D"},
        {"A | B | C", 35, "A", "B | C"},
        {"| A B", 200, "A B", ""},
        {"A | | B", 200, "A | B", ""},
        {"A | Bh C", 200, "A C", ""},
        {"A B:60 C", 60, "A C", "B"},           // a smaller button after a hidden one still fits
        {"A | B C | D E", 90, "A | B C", "D E"},
        {"A | B C | D E", 75, "A | B C", "D E"},  // the separator before D would trail
        {"A B C", 10, "", "A B C"},
    };
    for (const Case& c : cases) {
        Row row = Parse(c.buttons);
        ExtToolBarLayout::PlaceParams p;
        p.rcWork = CRect(0, 0, c.width, 22);
        const std::vector<int> hidden = ExtToolBarLayout::Place(row.items, p);
        EXPECT_EQ(c.visible, Visible(row)) << c.buttons << " in " << c.width;
        EXPECT_EQ(c.hidden, Names(row, hidden)) << c.buttons << " in " << c.width;
        // visible buttons lie inside the work area, one after the other
        int x = 0;
        for (const Item& it : row.items) {
            if (!it.bVisible)
                continue;
            EXPECT_EQ(x, it.rc.left) << c.buttons;
            EXPECT_LE(it.rc.right, c.width) << c.buttons;
            x = it.rc.right;
        }
    }
}

// 5. Rows that break (a floating bar, a docked bar that wraps) hide nothing; a docked vertical
// bar hides along its height; a single docked row centres its buttons across the bar.
TEST(ToolBarLayout, RowsColumnsAndCentring) {
    {
        Row row = Parse("A B C");
        ExtToolBarLayout::WrapHorizontally(row.items, 50, false);
        ExtToolBarLayout::PlaceParams p;
        p.rcWork = CRect(0, 0, 50, 22);
        p.bWrapRows = true;
        EXPECT_TRUE(ExtToolBarLayout::Place(row.items, p).empty());
        EXPECT_EQ("A B C", Visible(row));
        EXPECT_EQ(CRect(0, 28, 23, 50), row.items[2].rc);   // the second row, below the row gap
    }
    {
        Row row = Parse("A B C", true);
        ExtToolBarLayout::PlaceParams p;
        p.rcWork = CRect(0, 0, 23, 50);
        p.bHorz = false;
        const std::vector<int> hidden = ExtToolBarLayout::Place(row.items, p);
        EXPECT_EQ("A B", Visible(row));
        EXPECT_EQ("C", Names(row, hidden));
        EXPECT_EQ(23, row.items[1].rc.top);
    }
    {
        Row row = Parse("A | B");
        ExtToolBarLayout::PlaceParams p;
        p.rcWork = CRect(1, 0, 200, 30);
        p.rcBorders = CRect(1, 0, 1, 0);
        ExtToolBarLayout::Place(row.items, p);
        EXPECT_EQ(CRect(1, 4, 24, 26), row.items[0].rc);
        EXPECT_EQ(0, row.items[1].rc.top);
        EXPECT_EQ(30, row.items[1].rc.bottom);
    }
    {
        Row row;   // no buttons at all
        ExtToolBarLayout::PlaceParams p;
        p.rcWork = CRect(0, 0, 100, 22);
        EXPECT_TRUE(ExtToolBarLayout::Place(row.items, p).empty());
    }
}
