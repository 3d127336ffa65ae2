// Wrapper of a GDI object handle (pen, brush, font, bitmap, palette, region), the base of CPen,
// CBrush, CFont, CBitmap, CPalette and CRgn.
//
// A wrapper that holds a handle owns it: its destructor deletes the GDI object. Detach() lets
// go of the handle without deleting it. FromHandle() answers the permanent wrapper of a handle
// on this thread, else a temporary of the matching class (chosen by the object's type) that is
// freed, without deleting the object, at the next top-level idle (see CHandleMap.h).
#pragma once
#include "afx.h"

class CGdiObject : public CObject {
    DECLARE_DYNCREATE(CGdiObject)
public:
    HGDIOBJ m_hObject;

    CGdiObject() : m_hObject(NULL) {}
    ~CGdiObject() override;

    operator HGDIOBJ() const { return m_hObject; }
    // The handle, or NULL when called on a NULL pointer (callers pass optional objects).
    HGDIOBJ GetSafeHandle() const;

    static CGdiObject* PASCAL FromHandle(HGDIOBJ hObject);
    BOOL Attach(HGDIOBJ hObject);
    HGDIOBJ Detach();
    BOOL DeleteObject();

    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL CreateStockObject(int nIndex);
    BOOL UnrealizeObject();

    BOOL operator==(const CGdiObject& other) const { return m_hObject == other.m_hObject; }
    BOOL operator!=(const CGdiObject& other) const { return m_hObject != other.m_hObject; }
};

// The current thread's map of GDI object wrappers (NULL when bCreate is FALSE and none exists).
CHandleMap<CGdiObject, HGDIOBJ>* AFXAPI AfxGetGdiObjectMap(BOOL bCreate = TRUE);
