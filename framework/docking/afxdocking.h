// The docking module: control bars, dock bars, floating mini frames, the dock state and the
// status bar.
#pragma once
#include "CControlBar.h"
#include "CControlBarInfo.h"
#include "CDockBar.h"
#include "CDockContext.h"
#include "CDockState.h"
#include "CMiniDockFrameWnd.h"
#include "CStatusBar.h"
