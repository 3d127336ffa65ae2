#include "CNoTrackObject.h"
#include "CException.h"
#include <windows.h>

void* CNoTrackObject::operator new(size_t nSize)
{
    void* p = ::HeapAlloc(::GetProcessHeap(), HEAP_ZERO_MEMORY, nSize);
    if (p == NULL)
        AfxThrowMemoryException();
    return p;
}

void CNoTrackObject::operator delete(void* p)
{
    if (p != NULL)
        ::HeapFree(::GetProcessHeap(), 0, p);
}

CNoTrackObject::~CNoTrackObject() = default;
