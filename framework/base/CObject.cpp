#include "CObject.h"
#include "CException.h"
#include <cstring>

namespace {
// Registry head; only written during static initialisation, read afterwards.
CRuntimeClass*& RegistryHead() {
    static CRuntimeClass* head = NULL;
    return head;
}
}  // namespace

CRuntimeClass CObject::classCObject = {"CObject", (int)sizeof(CObject), 0xFFFF, NULL, NULL, NULL};
static AFX_CLASSINIT _init_CObject(&CObject::classCObject);

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) {
    pNewClass->m_pNextClass = RegistryHead();
    RegistryHead() = pNewClass;
}

CRuntimeClass* CObject::GetRuntimeClass() const { return RUNTIME_CLASS(CObject); }

void CObject::Serialize(CArchive&) {}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const {
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* CRuntimeClass::CreateObject() const {
    if (m_pfnCreateObject == NULL)
        return NULL;
    try {
        return (*m_pfnCreateObject)();
    } catch (CException* e) {
        e->Delete();
    } catch (...) {
    }
    return NULL;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const {
    for (const CRuntimeClass* p = this; p != NULL; p = p->m_pBaseClass)
        if (p == pBaseClass)
            return TRUE;
    return FALSE;
}

CRuntimeClass* CRuntimeClass::FromName(LPCSTR lpszClassName) {
    if (lpszClassName == NULL)
        return NULL;
    for (CRuntimeClass* p = RegistryHead(); p != NULL; p = p->m_pNextClass)
        if (strcmp(p->m_lpszClassName, lpszClassName) == 0)
            return p;
    return NULL;
}

CObject* CRuntimeClass::CreateObject(LPCSTR lpszClassName) {
    CRuntimeClass* p = FromName(lpszClassName);
    return p != NULL ? p->CreateObject() : NULL;
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject) {
    return pObject != NULL && pObject->IsKindOf(pClass) ? pObject : NULL;
}
