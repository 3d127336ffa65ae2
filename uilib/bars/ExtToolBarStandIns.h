// Stand-ins of the menu bar and the panel bar until the menus layer brings the real classes
// under the same names. The menu bar stand-in is a real tool bar (uilib/menus,
// CExtToolControlBar.h) that takes a row of its own, breaks its rows when docked and has no
// chevron; the panel stand-in is a fixed-size control bar.
#pragma once
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "ExtBarStandIns.h"

class CExtMenuControlBar : public CExtToolControlBar {
    DECLARE_DYNCREATE(CExtMenuControlBar)
public:
    bool IsWholeRowBar() const override { return true; }
    BarKind QueryBarKind() const override { return kindMenuBar; }
    // the menu bar wraps when docked and never hides buttons
    bool IsDockedWrapEnabled() const override { return true; }
    CExtBarButton* CreateChevronButton() override { return NULL; }

    // Set while the menus opened from the menu bar show all their items.
    static bool g_bMenusExpanded;
};

class CExtPanelControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    CExtPanelControlBar();
    BarKind QueryBarKind() const override { return kindPanelBar; }
};
