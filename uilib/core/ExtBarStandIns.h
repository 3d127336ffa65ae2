// Small stand-ins of the bar-button classes the painters ask questions of. The painters only
// type-test these objects (IsKindOf) and ask which bar a button sits on; the
// stand-ins answer from plain fields that a caller (or a test) sets. The bars themselves
// (control bars, dock bars, and the tool-bar, menu-bar and panel stand-ins over the real
// control bar) are the bar layer's (uilib_bars): the painters ask them through
// IExtBarPaintQuery. Popup menus are the menu layer's (uilib_menus, CExtPopupMenuWnd.h): the
// painters ask them through IExtPopupMenuPaintQuery; the status bar is the menu layer's too
// (CExtStatusControlBar.h), asked through IExtStatusBarPaintQuery. The menu layer replaces the rest of this
// file with the real classes, keeping the names and the answers.
#pragma once
#include "afxwin.h"

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

class CExtBarButton : public CObject {
    DECLARE_DYNAMIC(CExtBarButton)
public:
    // pBar: the tool bar the button sits on (the painters ask it through IExtBarPaintQuery).
    explicit CExtBarButton(CWnd* pBar = NULL, const RECT& rc = CRect(0, 0, 0, 0))
        : m_pBar(pBar), m_rc(rc) {}
    CWnd* GetBar() const { return m_pBar; }
    virtual void GetRect(CRect& rc) const { rc = m_rc; }
    // Bit value 4 of the second flag byte.
    virtual bool TestFlag4() const { return (m_nFlags2 & 4) != 0; }

    CWnd* m_pBar;
    CRect m_rc;
    BYTE m_nFlags2 = 0;
};

class CExtBarContentExpandButton : public CExtBarButton {
    DECLARE_DYNAMIC(CExtBarContentExpandButton)
public:
    using CExtBarButton::CExtBarButton;
};

class CExtBarColorButton : public CExtBarButton {
    DECLARE_DYNAMIC(CExtBarColorButton)
public:
    using CExtBarButton::CExtBarButton;
};
