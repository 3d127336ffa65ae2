// Growable arrays: the template CArray and the named arrays built on it.
//
// Growth when the array outgrows its storage: by the grow-by value given to SetSize, or, when
// that is 0 (the default), by an eighth of the current size, at least 4 and at most 1024
// elements. Elements are moved with their own move constructors (never copied bitwise), so any
// copyable type may be stored; new elements start zero-filled and then default-constructed.
#pragma once
#include "CObject.h"
#include "CException.h"
#include "CString.h"
#include <cstdlib>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    ~CArray() override { RemoveAll(); }

    INT_PTR GetSize() const { return m_nSize; }
    INT_PTR GetCount() const { return m_nSize; }
    BOOL IsEmpty() const { return m_nSize == 0; }
    INT_PTR GetUpperBound() const { return m_nSize - 1; }

    void SetSize(INT_PTR nNewSize, INT_PTR nGrowBy = -1);
    void FreeExtra();
    void RemoveAll() { SetSize(0, -1); Release(); }

    const TYPE& GetAt(INT_PTR nIndex) const { CheckIndex(nIndex); return m_pData[nIndex]; }
    TYPE& GetAt(INT_PTR nIndex) { CheckIndex(nIndex); return m_pData[nIndex]; }
    void SetAt(INT_PTR nIndex, ARG_TYPE newElement) { CheckIndex(nIndex); m_pData[nIndex] = newElement; }
    const TYPE& ElementAt(INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return GetAt(nIndex); }
    const TYPE* GetData() const { return m_pData; }
    TYPE* GetData() { return m_pData; }

    void SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement);
    INT_PTR Add(ARG_TYPE newElement);
    INT_PTR Append(const CArray& src);
    void Copy(const CArray& src);

    const TYPE& operator[](INT_PTR nIndex) const { return GetAt(nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return GetAt(nIndex); }

    // Index nIndex may equal the size (append); beyond it the array first grows.
    void InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount = 1);
    void InsertAt(INT_PTR nStartIndex, const CArray* pNewArray);
    void RemoveAt(INT_PTR nIndex, INT_PTR nCount = 1);

protected:
    TYPE* m_pData = NULL;
    INT_PTR m_nSize = 0;
    INT_PTR m_nMaxSize = 0;
    INT_PTR m_nGrowBy = 0;

private:
    void CheckIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nSize)
            AfxThrowInvalidArgException();
    }
    void Release() { std::free(m_pData); m_pData = NULL; m_nMaxSize = 0; }
    static void ConstructElements(TYPE* p, INT_PTR n) {
        std::memset(static_cast<void*>(p), 0, (size_t)n * sizeof(TYPE));
        for (INT_PTR i = 0; i < n; ++i)
            ::new (static_cast<void*>(p + i)) TYPE;
    }
    static void DestructElements(TYPE* p, INT_PTR n) {
        for (INT_PTR i = 0; i < n; ++i)
            p[i].~TYPE();
    }
    // Moves n elements from src to the raw storage dst (the ranges may overlap); src is left
    // as raw storage.
    static void RelocateElements(TYPE* dst, TYPE* src, INT_PTR n) {
        if (n <= 0 || dst == src)
            return;
        if constexpr (std::is_trivially_copyable<TYPE>::value) {
            std::memmove(static_cast<void*>(dst), static_cast<const void*>(src), (size_t)n * sizeof(TYPE));
        } else if (dst < src) {
            for (INT_PTR i = 0; i < n; ++i) {
                ::new (static_cast<void*>(dst + i)) TYPE(std::move(src[i]));
                src[i].~TYPE();
            }
        } else {
            for (INT_PTR i = n - 1; i >= 0; --i) {
                ::new (static_cast<void*>(dst + i)) TYPE(std::move(src[i]));
                src[i].~TYPE();
            }
        }
    }
    void Reserve(INT_PTR nNewMax) {
        if (nNewMax <= m_nMaxSize)
            return;
        if ((size_t)nNewMax > (size_t)-1 / sizeof(TYPE))
            AfxThrowMemoryException();
        TYPE* pNew = static_cast<TYPE*>(std::malloc((size_t)nNewMax * sizeof(TYPE)));
        if (pNew == NULL)
            AfxThrowMemoryException();
        RelocateElements(pNew, m_pData, m_nSize);
        std::free(m_pData);
        m_pData = pNew;
        m_nMaxSize = nNewMax;
    }
};

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetSize(INT_PTR nNewSize, INT_PTR nGrowBy) {
    if (nNewSize < 0)
        AfxThrowInvalidArgException();
    if (nGrowBy >= 0)
        m_nGrowBy = nGrowBy;
    if (nNewSize > m_nMaxSize) {
        INT_PTR grow = m_nGrowBy;
        if (grow == 0) {
            grow = m_nSize / 8;
            grow = grow < 4 ? 4 : (grow > 1024 ? 1024 : grow);
        }
        INT_PTR nNewMax = m_nMaxSize + grow;
        Reserve(nNewSize > nNewMax ? nNewSize : nNewMax);
    }
    if (nNewSize > m_nSize)
        ConstructElements(m_pData + m_nSize, nNewSize - m_nSize);
    else if (nNewSize < m_nSize)
        DestructElements(m_pData + nNewSize, m_nSize - nNewSize);
    m_nSize = nNewSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::FreeExtra() {
    if (m_nSize == m_nMaxSize)
        return;
    if (m_nSize == 0) {
        Release();
        return;
    }
    TYPE* pNew = static_cast<TYPE*>(std::malloc((size_t)m_nSize * sizeof(TYPE)));
    if (pNew == NULL)
        return;  // keeping the larger block is harmless
    RelocateElements(pNew, m_pData, m_nSize);
    std::free(m_pData);
    m_pData = pNew;
    m_nMaxSize = m_nSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::SetAtGrow(INT_PTR nIndex, ARG_TYPE newElement) {
    if (nIndex < 0)
        AfxThrowInvalidArgException();
    if (nIndex >= m_nSize) {
        TYPE copy(newElement);  // the argument may live in this array
        SetSize(nIndex + 1, -1);
        m_pData[nIndex] = std::move(copy);
    } else {
        m_pData[nIndex] = newElement;
    }
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Add(ARG_TYPE newElement) {
    INT_PTR nIndex = m_nSize;
    SetAtGrow(nIndex, newElement);
    return nIndex;
}

template <class TYPE, class ARG_TYPE>
INT_PTR CArray<TYPE, ARG_TYPE>::Append(const CArray& src) {
    if (this == &src)
        AfxThrowInvalidArgException();
    INT_PTR nOldSize = m_nSize;
    SetSize(m_nSize + src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[nOldSize + i] = src.m_pData[i];
    return nOldSize;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::Copy(const CArray& src) {
    if (this == &src)
        return;
    SetSize(src.m_nSize, -1);
    for (INT_PTR i = 0; i < src.m_nSize; ++i)
        m_pData[i] = src.m_pData[i];
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nIndex, ARG_TYPE newElement, INT_PTR nCount) {
    if (nIndex < 0 || nCount <= 0) {
        if (nIndex < 0 || nCount < 0)
            AfxThrowInvalidArgException();
        return;
    }
    TYPE copy(newElement);  // the argument may live in this array
    if (nIndex >= m_nSize) {
        SetSize(nIndex + nCount, -1);
    } else {
        INT_PTR nOldSize = m_nSize;
        SetSize(m_nSize + nCount, -1);
        // the tail moves up over the new (constructed) slots: destroy those, then relocate
        DestructElements(m_pData + nOldSize, nCount);
        RelocateElements(m_pData + nIndex + nCount, m_pData + nIndex, nOldSize - nIndex);
        ConstructElements(m_pData + nIndex, nCount);
    }
    for (INT_PTR i = 0; i < nCount; ++i)
        m_pData[nIndex + i] = copy;
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::InsertAt(INT_PTR nStartIndex, const CArray* pNewArray) {
    if (pNewArray == NULL || pNewArray == this || nStartIndex < 0)
        AfxThrowInvalidArgException();
    for (INT_PTR i = 0; i < pNewArray->GetSize(); ++i)
        InsertAt(nStartIndex + i, pNewArray->GetAt(i), 1);
}

template <class TYPE, class ARG_TYPE>
void CArray<TYPE, ARG_TYPE>::RemoveAt(INT_PTR nIndex, INT_PTR nCount) {
    if (nIndex < 0 || nCount < 0 || nIndex + nCount > m_nSize)
        AfxThrowInvalidArgException();
    if (nCount == 0)
        return;
    DestructElements(m_pData + nIndex, nCount);
    RelocateElements(m_pData + nIndex, m_pData + nIndex + nCount, m_nSize - nIndex - nCount);
    m_nSize -= nCount;
}

class CByteArray : public CArray<BYTE, BYTE> {};
class CWordArray : public CArray<WORD, WORD> {};
class CDWordArray : public CArray<DWORD, DWORD> {};
class CUIntArray : public CArray<UINT, UINT> {};
class CPtrArray : public CArray<void*, void*> {};
class CStringArray : public CArray<CString, const CString&> {};

// A CPtrArray (or another pointer array) seen as an array of TYPE pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrArray : public BASE_CLASS {
public:
    TYPE GetAt(INT_PTR nIndex) const { return (TYPE)BASE_CLASS::GetAt(nIndex); }
    TYPE& ElementAt(INT_PTR nIndex) { return (TYPE&)BASE_CLASS::ElementAt(nIndex); }
    void SetAt(INT_PTR nIndex, TYPE ptr) { BASE_CLASS::SetAt(nIndex, ptr); }
    void SetAtGrow(INT_PTR nIndex, TYPE newElement) { BASE_CLASS::SetAtGrow(nIndex, newElement); }
    INT_PTR Add(TYPE newElement) { return BASE_CLASS::Add(newElement); }
    INT_PTR Append(const CTypedPtrArray& src) { return BASE_CLASS::Append(src); }
    void Copy(const CTypedPtrArray& src) { BASE_CLASS::Copy(src); }
    void InsertAt(INT_PTR nIndex, TYPE newElement, INT_PTR nCount = 1) { BASE_CLASS::InsertAt(nIndex, newElement, nCount); }
    TYPE* GetData() { return (TYPE*)BASE_CLASS::GetData(); }
    TYPE operator[](INT_PTR nIndex) const { return (TYPE)BASE_CLASS::operator[](nIndex); }
    TYPE& operator[](INT_PTR nIndex) { return (TYPE&)BASE_CLASS::operator[](nIndex); }
};
