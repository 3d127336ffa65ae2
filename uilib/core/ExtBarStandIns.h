// Small stand-ins the painters ask questions of, and the ids of a frame's outer dock bars.
// The painters see bar buttons through IExtBarButtonPaintQuery (ExtBarButtonPaintQuery.h): the
// tool-bar buttons and the chevron are the menu layer's (uilib_menus, CExtBarButton.h,
// CExtBarContentExpandButton.h). The bars are the bar layer's (uilib_bars), asked through
// IExtBarPaintQuery; popup menus and the status bar are the menu layer's, asked through
// IExtPopupMenuPaintQuery and IExtStatusBarPaintQuery. What stays here is the colour button,
// until the menu layer brings it under the same name.
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

// The colour button of a tool bar: it answers from plain fields that a caller (or a test) sets.
class CExtBarColorButton : public CObject, public IExtBarButtonPaintQuery {
    DECLARE_DYNAMIC(CExtBarColorButton)
public:
    // pBar: the tool bar the button sits on (the painters ask it through IExtBarPaintQuery).
    explicit CExtBarColorButton(CWnd* pBar = NULL, const RECT& rc = CRect(0, 0, 0, 0)) : m_pBar(pBar), m_rc(rc) {}

    ButtonKind QueryButtonKind() const override { return kindColorButton; }
    CWnd* QueryButtonBar() const override { return m_pBar; }
    CRect QueryButtonRect() const override { return m_rc; }
    bool QuerySeparatedDropDown() const override { return m_bSeparatedDropDown; }

    CWnd* m_pBar;
    CRect m_rc;
    bool m_bSeparatedDropDown = false;
};
