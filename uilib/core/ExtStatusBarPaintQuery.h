// What the painters and the painter holder ask of a status bar: only whether a window is the
// library's status bar (its separators keep their full height, and a frame forwards system
// changes through it). The status bar of the menu layer (uilib_menus) implements this interface;
// the core reaches it by a cross cast and never names the status-bar class, so the core does not
// need the menu layer while the menu layer is built on the core.
#pragma once
#include "afxwin.h"

class IExtStatusBarPaintQuery {
public:
    // True for the library's status bar (the interface exists to be found by a cross cast).
    virtual bool QueryIsStatusBar() const = 0;

protected:
    virtual ~IExtStatusBarPaintQuery() = default;
};

// True when the object is the library's status bar.
inline bool ExtIsStatusBar(const CObject* p) {
    const IExtStatusBarPaintQuery* q = p != NULL ? dynamic_cast<const IExtStatusBarPaintQuery*>(p) : NULL;
    return q != NULL && q->QueryIsStatusBar();
}
