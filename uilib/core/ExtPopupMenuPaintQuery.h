// What the painters ask of a popup menu they are handed as the helper object: the tool bar whose
// button dropped it (the joint continues that button's look) and the icon column of its last
// item (the expand button lines up with it). The popup menu of the menu layer (uilib_menus)
// implements this interface; the painters reach it by a cross cast and never name the menu
// class, so the core does not need the menu layer while the menu layer is built on the core.
#pragma once
#include "afxwin.h"

class IExtPopupMenuPaintQuery {
public:
    // The tool bar whose tracked button dropped the menu, NULL when none.
    virtual CWnd* QueryDroppedFromBar() const = 0;
    // Width of the last item's icon column: 0 for an empty menu or an item without that column.
    virtual int QueryLastItemIconAreaWidth() const = 0;

protected:
    ~IExtPopupMenuPaintQuery() = default;
};

// The query of an object, NULL when it is no popup menu of the menu layer.
inline const IExtPopupMenuPaintQuery* ExtPopupMenuPaintQueryOf(const CObject* p) {
    return p != NULL ? dynamic_cast<const IExtPopupMenuPaintQuery*>(p) : NULL;
}
