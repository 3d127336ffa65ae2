// The ids of a frame's outer dock bars and the CBRS_ alignment bits the painters read.
// The painters see bar buttons through IExtBarButtonPaintQuery (ExtBarButtonPaintQuery.h): the
// tool-bar buttons and the chevron are the menu layer's (uilib_menus, CExtBarButton.h,
// CExtBarContentExpandButton.h). The bars are the bar layer's (uilib_bars), asked through
// IExtBarPaintQuery; popup menus and the status bar are the menu layer's, asked through
// IExtPopupMenuPaintQuery and IExtStatusBarPaintQuery; the colour button is the menu layer's
// too (CExtBarColorButton.h). What stays here are the dock bars' ids.
#pragma once
#include "afxwin.h"
#include "ExtBarButtonPaintQuery.h"

#ifndef CBRS_ALIGN_LEFT
#define CBRS_ALIGN_LEFT 0x1000L
#define CBRS_ALIGN_TOP 0x2000L
#define CBRS_ALIGN_RIGHT 0x4000L
#define CBRS_ALIGN_BOTTOM 0x8000L
#endif

// Identifiers of a frame's four outer dock bars.
enum : UINT {
    kDockBarTop = 0xE81B,
    kDockBarLeft = 0xE81C,
    kDockBarRight = 0xE81D,
    kDockBarBottom = 0xE81E,
};
