// The menus layer's bar kinds that the bars' code and tests ask for: the tool bar, the menu bar
// and the panel bar (all real classes of uilib/menus).
#pragma once
#include "CExtControlBar.h"
#include "CExtToolControlBar.h"
#include "CExtMenuControlBar.h"
#include "ExtBarStandIns.h"
#include "CExtPanelControlBar.h"
