// A document: the data a program's views show. There are no document templates here and no
// view is ever given a document (CView::GetDocument answers NULL); the classes exist for code
// that asks a view's document something, such as whether an embedded item is being edited in
// place (COleDocument::GetInPlaceActiveItem), and so always hears no.
#pragma once
#include <afxwincore.h>

class CDocument : public CCmdTarget {
    DECLARE_DYNAMIC(CDocument)
};
