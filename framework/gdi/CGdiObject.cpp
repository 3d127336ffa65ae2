#include "CGdiObject.h"
#include "CBitmap.h"
#include "CBrush.h"
#include "CFont.h"
#include "CPalette.h"
#include "CPen.h"
#include "CRgn.h"

IMPLEMENT_DYNCREATE(CGdiObject, CObject)

namespace {

// A temporary of the class that matches the object, so that a caller may treat the wrapper
// SelectObject hands back as the CFont or CBitmap it is.
CGdiObject* NewTempGdiObject(HGDIOBJ hObject) {
    CGdiObject* pObject;
    switch (::GetObjectType(hObject)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: pObject = new CPen; break;
    case OBJ_BRUSH: pObject = new CBrush; break;
    case OBJ_FONT: pObject = new CFont; break;
    case OBJ_BITMAP: pObject = new CBitmap; break;
    case OBJ_PAL: pObject = new CPalette; break;
    case OBJ_REGION: pObject = new CRgn; break;
    default: pObject = new CGdiObject; break;
    }
    pObject->m_hObject = hObject;
    return pObject;
}

void DetachTempGdiObject(CGdiObject* pObject) { pObject->m_hObject = NULL; }

// Callers pass optional objects as NULL pointers and ask them for their handle. Inside a
// member function the compiler takes `this` to be non-null and drops such a test, so the
// test lives here, in a function kept out of every optimisation across calls.
__attribute__((noipa)) HGDIOBJ SafeHandleOf(const CGdiObject* pObject) {
    return pObject != NULL ? pObject->m_hObject : NULL;
}

}  // namespace

CHandleMap<CGdiObject, HGDIOBJ>* AFXAPI AfxGetGdiObjectMap(BOOL bCreate) {
    return CHandleMap<CGdiObject, HGDIOBJ>::ForThread(bCreate, &NewTempGdiObject,
                                                     &DetachTempGdiObject);
}

CGdiObject::~CGdiObject() { DeleteObject(); }

HGDIOBJ CGdiObject::GetSafeHandle() const { return SafeHandleOf(this); }

CGdiObject* PASCAL CGdiObject::FromHandle(HGDIOBJ hObject) {
    CHandleMap<CGdiObject, HGDIOBJ>* pMap = AfxGetGdiObjectMap();
    return pMap != NULL ? pMap->FromHandle(hObject) : NULL;
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    ASSERT(m_hObject == NULL);
    if (hObject == NULL)
        return FALSE;
    m_hObject = hObject;
    if (CHandleMap<CGdiObject, HGDIOBJ>* pMap = AfxGetGdiObjectMap())
        pMap->SetPermanent(hObject, this);
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ hObject = m_hObject;
    if (hObject != NULL) {
        CHandleMap<CGdiObject, HGDIOBJ>* pMap = AfxGetGdiObjectMap(FALSE);
        if (pMap != NULL && pMap->LookupPermanent(hObject) == this)
            pMap->RemoveHandle(hObject);
    }
    m_hObject = NULL;
    return hObject;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == NULL)
        return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return ::GetObjectA(m_hObject, nCount, lpObject);
}

UINT CGdiObject::GetObjectType() const { return (UINT)::GetObjectType(m_hObject); }

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

BOOL CGdiObject::UnrealizeObject() { return ::UnrealizeObject(m_hObject); }
