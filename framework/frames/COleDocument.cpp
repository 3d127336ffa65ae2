#include "COleDocument.h"

IMPLEMENT_DYNAMIC(COleDocument, CDocument)

COleClientItem* COleDocument::GetInPlaceActiveItem(CWnd*)
{
    return NULL;
}
