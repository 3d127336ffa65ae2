// Doubly linked lists: the template CList and the named lists built on it.
//
// A POSITION names one node. GetNext/GetPrev return the element at the position and move the
// position on, so the usual walk may remove the element it has just passed:
//     POSITION pos = list.GetHeadPosition();
//     while (pos) { POSITION cur = pos; T x = list.GetNext(pos); if (...) list.RemoveAt(cur); }
#pragma once
#include "CObject.h"
#include "CException.h"
#include "CString.h"
#include <utility>

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList : public CObject {
    struct CNode {
        CNode* pNext;
        CNode* pPrev;
        TYPE data;
    };

public:
    explicit CList(INT_PTR nBlockSize = 10) { (void)nBlockSize; }
    ~CList() override { RemoveAll(); }

    INT_PTR GetCount() const { return m_nCount; }
    INT_PTR GetSize() const { return m_nCount; }
    BOOL IsEmpty() const { return m_nCount == 0; }

    TYPE& GetHead() { CheckNotEmpty(); return m_pNodeHead->data; }
    const TYPE& GetHead() const { CheckNotEmpty(); return m_pNodeHead->data; }
    TYPE& GetTail() { CheckNotEmpty(); return m_pNodeTail->data; }
    const TYPE& GetTail() const { CheckNotEmpty(); return m_pNodeTail->data; }

    TYPE RemoveHead() {
        CheckNotEmpty();
        TYPE value(std::move(m_pNodeHead->data));
        FreeNode(m_pNodeHead);
        return value;
    }
    TYPE RemoveTail() {
        CheckNotEmpty();
        TYPE value(std::move(m_pNodeTail->data));
        FreeNode(m_pNodeTail);
        return value;
    }

    POSITION AddHead(ARG_TYPE newElement) { return InsertBefore(Pos(m_pNodeHead), newElement); }
    POSITION AddTail(ARG_TYPE newElement) { return InsertAfter(Pos(m_pNodeTail), newElement); }
    void AddHead(const CList* pNewList) {
        for (POSITION pos = pNewList->GetTailPosition(); pos != NULL;)
            AddHead(pNewList->GetPrev(pos));
    }
    void AddTail(const CList* pNewList) {
        for (POSITION pos = pNewList->GetHeadPosition(); pos != NULL;)
            AddTail(pNewList->GetNext(pos));
    }
    void RemoveAll() {
        while (m_pNodeHead != NULL)
            FreeNode(m_pNodeHead);
    }

    POSITION GetHeadPosition() const { return Pos(m_pNodeHead); }
    POSITION GetTailPosition() const { return Pos(m_pNodeTail); }
    TYPE& GetNext(POSITION& rPosition) {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pNext);
        return p->data;
    }
    const TYPE& GetNext(POSITION& rPosition) const {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pNext);
        return p->data;
    }
    TYPE& GetPrev(POSITION& rPosition) {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pPrev);
        return p->data;
    }
    const TYPE& GetPrev(POSITION& rPosition) const {
        CNode* p = Node(rPosition);
        rPosition = Pos(p->pPrev);
        return p->data;
    }
    TYPE& GetAt(POSITION position) { return Node(position)->data; }
    const TYPE& GetAt(POSITION position) const { return Node(position)->data; }
    void SetAt(POSITION pos, ARG_TYPE newElement) { Node(pos)->data = newElement; }
    void RemoveAt(POSITION position) { FreeNode(Node(position)); }

    // A NULL position inserts at the head (InsertBefore) or the tail (InsertAfter).
    POSITION InsertBefore(POSITION position, ARG_TYPE newElement) {
        CNode* pOld = position != NULL ? Node(position) : m_pNodeHead;
        CNode* pNew = NewNode(newElement);
        pNew->pNext = pOld;
        pNew->pPrev = pOld != NULL ? pOld->pPrev : NULL;
        Link(pNew);
        return Pos(pNew);
    }
    POSITION InsertAfter(POSITION position, ARG_TYPE newElement) {
        CNode* pOld = position != NULL ? Node(position) : m_pNodeTail;
        CNode* pNew = NewNode(newElement);
        pNew->pPrev = pOld;
        pNew->pNext = pOld != NULL ? pOld->pNext : NULL;
        Link(pNew);
        return Pos(pNew);
    }

    // The first position after startAfter (or from the head) holding searchValue, else NULL.
    POSITION Find(ARG_TYPE searchValue, POSITION startAfter = NULL) const {
        CNode* p = startAfter != NULL ? Node(startAfter)->pNext : m_pNodeHead;
        for (; p != NULL; p = p->pNext)
            if (p->data == searchValue)
                return Pos(p);
        return NULL;
    }
    // The position of the nIndex-th element (from 0), NULL when out of range.
    POSITION FindIndex(INT_PTR nIndex) const {
        if (nIndex < 0 || nIndex >= m_nCount)
            return NULL;
        CNode* p = m_pNodeHead;
        while (nIndex-- > 0)
            p = p->pNext;
        return Pos(p);
    }

private:
    CNode* m_pNodeHead = NULL;
    CNode* m_pNodeTail = NULL;
    INT_PTR m_nCount = 0;

    static POSITION Pos(CNode* p) { return reinterpret_cast<POSITION>(p); }
    static CNode* Node(POSITION pos) {
        if (pos == NULL || pos == BEFORE_START_POSITION)
            AfxThrowInvalidArgException();
        return reinterpret_cast<CNode*>(pos);
    }
    void CheckNotEmpty() const {
        if (m_pNodeHead == NULL)
            AfxThrowInvalidArgException();
    }
    static CNode* NewNode(ARG_TYPE value) { return new CNode{NULL, NULL, TYPE(value)}; }
    // Puts a node whose pPrev/pNext are set into the chain.
    void Link(CNode* pNew) {
        if (pNew->pPrev != NULL)
            pNew->pPrev->pNext = pNew;
        else
            m_pNodeHead = pNew;
        if (pNew->pNext != NULL)
            pNew->pNext->pPrev = pNew;
        else
            m_pNodeTail = pNew;
        ++m_nCount;
    }
    void FreeNode(CNode* p) {
        if (p->pPrev != NULL)
            p->pPrev->pNext = p->pNext;
        else
            m_pNodeHead = p->pNext;
        if (p->pNext != NULL)
            p->pNext->pPrev = p->pPrev;
        else
            m_pNodeTail = p->pPrev;
        --m_nCount;
        delete p;
    }
};

class CPtrList : public CList<void*, void*> {
public:
    explicit CPtrList(INT_PTR nBlockSize = 10) : CList<void*, void*>(nBlockSize) {}
};

class CStringList : public CList<CString, const CString&> {
public:
    explicit CStringList(INT_PTR nBlockSize = 10) : CList<CString, const CString&>(nBlockSize) {}
};

// A CPtrList seen as a list of TYPE pointers.
template <class BASE_CLASS, class TYPE>
class CTypedPtrList : public BASE_CLASS {
public:
    explicit CTypedPtrList(INT_PTR nBlockSize = 10) : BASE_CLASS(nBlockSize) {}

    TYPE& GetHead() { return (TYPE&)BASE_CLASS::GetHead(); }
    TYPE GetHead() const { return (TYPE)BASE_CLASS::GetHead(); }
    TYPE& GetTail() { return (TYPE&)BASE_CLASS::GetTail(); }
    TYPE GetTail() const { return (TYPE)BASE_CLASS::GetTail(); }
    TYPE RemoveHead() { return (TYPE)BASE_CLASS::RemoveHead(); }
    TYPE RemoveTail() { return (TYPE)BASE_CLASS::RemoveTail(); }
    POSITION AddHead(TYPE newElement) { return BASE_CLASS::AddHead(newElement); }
    POSITION AddTail(TYPE newElement) { return BASE_CLASS::AddTail(newElement); }
    TYPE& GetNext(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetNext(rPosition); }
    TYPE GetNext(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetNext(rPosition); }
    TYPE& GetPrev(POSITION& rPosition) { return (TYPE&)BASE_CLASS::GetPrev(rPosition); }
    TYPE GetPrev(POSITION& rPosition) const { return (TYPE)BASE_CLASS::GetPrev(rPosition); }
    TYPE& GetAt(POSITION position) { return (TYPE&)BASE_CLASS::GetAt(position); }
    TYPE GetAt(POSITION position) const { return (TYPE)BASE_CLASS::GetAt(position); }
    void SetAt(POSITION pos, TYPE newElement) { BASE_CLASS::SetAt(pos, newElement); }
    POSITION InsertBefore(POSITION position, TYPE newElement) { return BASE_CLASS::InsertBefore(position, newElement); }
    POSITION InsertAfter(POSITION position, TYPE newElement) { return BASE_CLASS::InsertAfter(position, newElement); }
    POSITION Find(TYPE searchValue, POSITION startAfter = NULL) const { return BASE_CLASS::Find(searchValue, startAfter); }
};
