// The stand-in of the menu bar until the menus layer brings the real class under the same name:
// a real tool bar (uilib/menus, CExtToolControlBar.h) that takes a row of its own, breaks its
// rows when docked and has no chevron. The panel bar is the menus layer's own
// (CExtPanelControlBar.h).
#pragma once
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "ExtBarStandIns.h"
#include "CExtPanelControlBar.h"

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
