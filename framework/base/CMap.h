// Hash maps: the template CMap and the named maps built on it.
//
// The walk order is fixed and reproducible, because archived tables are written in it: buckets
// in ascending order, and within a bucket the most recently added key first. A key's bucket is
// HashKey(key) modulo the table size (17 unless InitHashTable says otherwise); integer, handle
// and pointer keys hash to their value shifted right by 4, integers taken as 32 bits.
// GetNextAssoc moves the position past the pair it returns, so a walk may remove that pair.
#pragma once
#include "CObject.h"
#include "CException.h"
#include "CString.h"
#include <type_traits>
#include <utility>

template <class ARG_KEY>
inline UINT AFXAPI HashKey(ARG_KEY key) {
    using K = typename std::decay<ARG_KEY>::type;
    if constexpr (std::is_pointer<K>::value)
        return (UINT)(reinterpret_cast<UINT_PTR>(key) >> 4);
    else
        return (UINT)((DWORD)key >> 4);
}

// Strings hash over their characters (up to the first NUL), h = h * 33 + c.
template <>
inline UINT AFXAPI HashKey<LPCTSTR>(LPCTSTR key) {
    UINT nHash = 0;
    if (key != NULL)
        while (*key)
            nHash = (nHash << 5) + nHash + (UINT)(unsigned char)*key++;
    return nHash;
}
template <>
inline UINT AFXAPI HashKey<const CString&>(const CString& key) { return HashKey<LPCTSTR>(key); }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap : public CObject {
    struct CAssoc {
        CAssoc* pNext;
        UINT nHashValue;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CMap() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }
    UINT GetHashTableSize() const { return m_nHashTableSize; }

    BOOL Lookup(ARG_KEY key, VALUE& rValue) const {
        UINT nHash;
        CAssoc* p = GetAssocAt(key, nHash);
        if (p == NULL)
            return FALSE;
        rValue = p->value;
        return TRUE;
    }

    // Adds the key with a default value when it is missing.
    VALUE& operator[](ARG_KEY key) {
        UINT nHash;
        CAssoc* p = GetAssocAt(key, nHash);
        if (p == NULL) {
            if (m_pHashTable == NULL)
                InitHashTable(m_nHashTableSize);
            p = new CAssoc{m_pHashTable[nHash], HashKey<ARG_KEY>(key), KEY(key), VALUE()};
            m_pHashTable[nHash] = p;
            ++m_nCount;
        }
        return p->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE newValue) { (*this)[key] = newValue; }

    BOOL RemoveKey(ARG_KEY key) {
        if (m_pHashTable == NULL)
            return FALSE;
        CAssoc** ppPrev = &m_pHashTable[HashKey<ARG_KEY>(key) % m_nHashTableSize];
        for (CAssoc* p = *ppPrev; p != NULL; ppPrev = &p->pNext, p = p->pNext) {
            if (p->key == key) {
                *ppPrev = p->pNext;
                delete p;
                --m_nCount;
                return TRUE;
            }
        }
        return FALSE;
    }

    void RemoveAll() {
        if (m_pHashTable != NULL) {
            for (UINT i = 0; i < m_nHashTableSize; ++i) {
                for (CAssoc* p = m_pHashTable[i]; p != NULL;) {
                    CAssoc* pNext = p->pNext;
                    delete p;
                    p = pNext;
                }
            }
            delete[] m_pHashTable;
            m_pHashTable = NULL;
        }
        m_nCount = 0;
    }

    POSITION GetStartPosition() const { return m_nCount == 0 ? NULL : BEFORE_START_POSITION; }
    void GetNextAssoc(POSITION& rNextPosition, KEY& rKey, VALUE& rValue) const {
        CAssoc* pRet = reinterpret_cast<CAssoc*>(rNextPosition);
        if (pRet == NULL || m_pHashTable == NULL)
            AfxThrowInvalidArgException();
        if (rNextPosition == BEFORE_START_POSITION)
            pRet = FirstFrom(0);
        CAssoc* pNext = pRet->pNext;
        if (pNext == NULL)
            pNext = FirstFrom(pRet->nHashValue % m_nHashTableSize + 1);
        rNextPosition = reinterpret_cast<POSITION>(pNext);
        rKey = pRet->key;
        rValue = pRet->value;
    }

    // Sets the bucket count; only allowed while the map is empty (the pairs would be lost).
    void InitHashTable(UINT hashSize, BOOL bAllocNow = TRUE) {
        if (m_nCount != 0 || hashSize == 0)
            AfxThrowInvalidArgException();
        delete[] m_pHashTable;
        m_pHashTable = NULL;
        if (bAllocNow)
            m_pHashTable = new CAssoc*[hashSize]();
        m_nHashTableSize = hashSize;
    }

private:
    CAssoc** m_pHashTable = NULL;
    UINT m_nHashTableSize = 17;
    INT_PTR m_nCount = 0;

    CAssoc* GetAssocAt(ARG_KEY key, UINT& nHash) const {
        nHash = HashKey<ARG_KEY>(key) % m_nHashTableSize;
        if (m_pHashTable == NULL)
            return NULL;
        for (CAssoc* p = m_pHashTable[nHash]; p != NULL; p = p->pNext)
            if (p->key == key)
                return p;
        return NULL;
    }
    CAssoc* FirstFrom(UINT nBucket) const {
        for (; nBucket < m_nHashTableSize; ++nBucket)
            if (m_pHashTable[nBucket] != NULL)
                return m_pHashTable[nBucket];
        return NULL;
    }
};

class CMapStringToPtr : public CMap<CString, LPCTSTR, void*, void*> {
public:
    explicit CMapStringToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapStringToString : public CMap<CString, LPCTSTR, CString, LPCTSTR> {
public:
    explicit CMapStringToString(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToPtr : public CMap<void*, void*, void*, void*> {
public:
    explicit CMapPtrToPtr(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
class CMapPtrToWord : public CMap<void*, void*, WORD, WORD> {
public:
    explicit CMapPtrToWord(INT_PTR nBlockSize = 10) : CMap(nBlockSize) {}
};
