// What the painters ask of a bar window: which kind of bar it is, where it is docked, its bar
// style and the button whose menu it has dropped. The control bars, tool bars and dock bars of
// the bar layer (uilib_bars) implement this interface; the painters reach it by a cross cast
// from the window they are given and never name a bar class, so the core does not need the bar
// layer while the bar layer is built on the core.
#pragma once
#include "afxwin.h"

class IExtBarPaintQuery {
public:
    enum BarKind {
        kindControlBar,   // a resizable or plain control bar
        kindToolBar,
        kindMenuBar,      // a tool bar that holds the frame's menu
        kindPanelBar,     // a fixed-size bar that holds windows, painted like a tool bar
        kindDockBar,      // an inner dock bar (circle 1 and up, or inside a container)
        kindOuterDockBar, // a dock bar along one of the frame's outer edges (circle 0)
    };

    virtual BarKind QueryBarKind() const = 0;
    virtual bool QueryDockedHorizontally() const = 0;
    virtual bool QueryDockedVertically() const = 0;
    virtual bool QueryDocked() const = 0;
    virtual bool QueryFloating() const = 0;
    // The frame that docks the bar, NULL when none.
    virtual CWnd* QueryDockSite() const = 0;
    // The bar's CBRS_ style bits.
    virtual DWORD QueryBarStyle() const = 0;
    // Painting opt-outs of the bar itself (value 2: keep the plain look).
    virtual DWORD QueryPaintOptOuts() const = 0;
    // The tool-bar button whose popup menu is dropped, NULL when none (the painters ask it
    // through IExtBarButtonPaintQuery).
    virtual CObject* QueryMenuTrackingButton() const = 0;

    bool IsControlBarKind() const { return QueryBarKind() < kindDockBar; }
    // Tool bars and the menu bar (a menu bar is a tool bar).
    bool IsToolBarKind() const { return QueryBarKind() == kindToolBar || QueryBarKind() == kindMenuBar; }

protected:
    ~IExtBarPaintQuery() = default;
};

// The query of a window or other object, NULL when it is no bar of the bar layer.
inline IExtBarPaintQuery* ExtBarPaintQueryOf(const CObject* p) {
    return p != NULL ? dynamic_cast<IExtBarPaintQuery*>(const_cast<CObject*>(p)) : NULL;
}
