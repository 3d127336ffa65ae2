// What the painters ask of a tool-bar button they are handed as the owner or helper object:
// which kind of button it is, the bar it sits on, its rectangle and whether its drop-down part
// is separated. The bar buttons of the menu layer (uilib_menus) implement this interface; the
// painters reach it by a cross cast and never name a button class, so the core does not need
// the menu layer while the menu layer is built on the core.
#pragma once
#include "afxwin.h"

class IExtBarButtonPaintQuery {
public:
    enum ButtonKind {
        kindButton,        // a command button, separator or drop-down button
        kindChevron,       // the button at a tool bar's end that lists the hidden buttons
        kindColorButton,   // a button that shows and picks a colour
    };
    virtual ButtonKind QueryButtonKind() const = 0;
    // The bar the button sits on, NULL when none.
    virtual CWnd* QueryButtonBar() const = 0;
    // The button's rectangle in the bar's client coordinates.
    virtual CRect QueryButtonRect() const = 0;
    // The drop-down arrow is a part of its own (pressed apart from the button).
    virtual bool QuerySeparatedDropDown() const = 0;

protected:
    ~IExtBarButtonPaintQuery() = default;
};

// The query of an object, NULL when it is no bar button of the menu layer.
inline const IExtBarButtonPaintQuery* ExtBarButtonPaintQueryOf(const CObject* p) {
    return p != NULL ? dynamic_cast<const IExtBarButtonPaintQuery*>(p) : NULL;
}
