// The stand-in of the panel bar until the menus layer brings the real class under the same name:
// a fixed-size control bar. The menu bar is the menus layer's own (CExtMenuControlBar.h).
#pragma once
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "CExtMenuControlBar.h"
#include "ExtBarStandIns.h"

class CExtPanelControlBar : public CExtControlBar {
    DECLARE_DYNCREATE(CExtPanelControlBar)
public:
    CExtPanelControlBar();
    BarKind QueryBarKind() const override { return kindPanelBar; }
};
