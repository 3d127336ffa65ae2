// A document holding embedded items (see CDocument.h): none is ever made here, and none is
// ever edited in place.
#pragma once
#include "CDocument.h"

class COleClientItem;

class COleDocument : public CDocument {
    DECLARE_DYNAMIC(COleDocument)
public:
    // The item being edited in place inside pWndContainer: always NULL.
    COleClientItem* GetInPlaceActiveItem(CWnd* pWndContainer);
};
