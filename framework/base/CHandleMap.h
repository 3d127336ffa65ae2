// Per-thread maps from OS handles to the framework objects that wrap them.
//
// Each kind of handle (HWND, HDC, HGDIOBJ, HMENU, HIMAGELIST) has one map per thread. A map holds
// two tables:
//   - permanent objects: wrappers the program owns and has attached to a handle (Attach,
//     Create...); they stay until they detach (RemoveHandle);
//   - temporary objects: wrappers FromHandle makes for a handle that has no permanent object.
//     The map owns them. They only borrow the handle: before a temporary is deleted the map
//     detaches it, so the OS object lives on.
// FromHandle answers the permanent object first, so IsKindOf on the answer sees the program's
// real class whenever there is one.
//
// Temporaries of every kind on the thread are freed together by AfxDeleteTempMaps(), and only
// when nothing on the thread may still hold one: while a message is being dispatched (the
// window-procedure entry holds a CTempMapDispatch) or while a nested loop holds a CTempMapLock,
// AfxDeleteTempMaps() frees nothing. The application's top-level idle calls it.
//
// Handles are full 64-bit values; none is ever narrowed.
//
// Winelib trap: a thread_local touched by code compiled into an ms_abi function (a window or
// thread procedure, or anything inlined into one) crashed now and then, mostly on a thread's
// first use of it: the C library's look-up of thread-local storage is an ordinary System V call
// that may clobber registers the ms_abi function expects to keep. The maps therefore touch
// thread-local storage only in functions that are never inlined.
#pragma once
#include "AfxDefs.h"
#include <unordered_map>
#include <utility>

// What AfxDeleteTempMaps needs of a map, whatever the handle kind. Every map links itself into
// its thread's list when it is made and unlinks itself when it goes.
class CHandleMapBase {
public:
    CHandleMapBase(const CHandleMapBase&) = delete;
    CHandleMapBase& operator=(const CHandleMapBase&) = delete;

    // Detaches and deletes every temporary of this map.
    virtual void DeleteTemp() = 0;
    virtual bool HasTemporaries() const = 0;

protected:
    CHandleMapBase();    // links the map into the current thread's list
    virtual ~CHandleMapBase();

    // A thread's own map of a kind (see CHandleMap::ForThread) is deleted when the thread ends;
    // the slot that points at it is cleared then, so late callers find no map instead of a
    // destroyed one. Answers FALSE once the thread's maps are gone: none may be made after.
    BOOL AdoptForThread(CHandleMapBase** ppSlot);

private:
    friend BOOL AFXAPI AfxDeleteTempMaps();
    friend struct CHandleMapThreadEnd;
    CHandleMapBase* m_pNextMap;
    CHandleMapBase* m_pPrevMap;
    CHandleMapBase** m_ppSlot;    // the thread's pointer to this map, when the thread owns it
};

// TObject is the wrapper class (CWnd, CDC, CGdiObject, ...), THandle its handle type.
// The map is told how to make a temporary for a handle (pfnNew: a new wrapper that holds the
// handle but is not attached as a permanent object; it may choose the class from the handle)
// and how to make a temporary let go of its handle before it is deleted (pfnDetach).
template <class TObject, class THandle>
class CHandleMap : public CHandleMapBase {
public:
    typedef TObject* (*PFN_NEW_TEMP)(THandle h);
    typedef void (*PFN_DETACH_TEMP)(TObject* pObject);

    CHandleMap(PFN_NEW_TEMP pfnNew, PFN_DETACH_TEMP pfnDetach)
        : m_pfnNew(pfnNew), m_pfnDetach(pfnDetach) {}
    ~CHandleMap() override { DeleteTemp(); }

    // The calling thread's map of this kind, made on first use when bCreate is set; it lives
    // until the thread ends (the C++ thread-end clean-up, which runs after Win32 has signalled
    // the thread's handle: a temporary's destructor must not call Win32 then, and detached
    // wrappers do not). NULL when there is none: not made yet, or the thread is ending
    // (a static wrapper destroyed at exit then simply lets go of its handle). Each module wraps
    // this in one accessor that names its two functions.
    static CHandleMap* ForThread(BOOL bCreate, PFN_NEW_TEMP pfnNew, PFN_DETACH_TEMP pfnDetach) {
        CHandleMapBase** ppSlot = ThreadSlot();
        if (*ppSlot == NULL && bCreate) {
            CHandleMap* pMap = new CHandleMap(pfnNew, pfnDetach);
            if (!pMap->AdoptForThread(ppSlot))
                delete pMap;
        }
        return static_cast<CHandleMap*>(*ppSlot);
    }

    // The permanent object of h, else a temporary (made on the first call, the same one after
    // that until the temporaries are freed). NULL for a NULL handle.
    TObject* FromHandle(THandle h) {
        if (h == NULL)
            return NULL;
        if (TObject* pObject = LookupPermanent(h))
            return pObject;
        if (TObject* pObject = LookupTemporary(h))
            return pObject;
        TObject* pTemp = m_pfnNew(h);
        if (pTemp != NULL)
            m_temporary[h] = pTemp;
        return pTemp;
    }

    TObject* LookupPermanent(THandle h) const { return Find(m_permanent, h); }
    TObject* LookupTemporary(THandle h) const { return Find(m_temporary, h); }

    // Records pObject as the permanent object of h (replacing any earlier one).
    void SetPermanent(THandle h, TObject* pObject) {
        ASSERT(h != NULL && pObject != NULL);
        m_permanent[h] = pObject;
    }

    // Forgets the permanent object of h. A temporary for h stays until the temporaries are
    // freed: a caller may still hold it.
    void RemoveHandle(THandle h) { m_permanent.erase(h); }

    void DeleteTemp() override {
        // Take the table first: a wrapper's destructor may come back into this map.
        while (!m_temporary.empty()) {
            std::unordered_map<THandle, TObject*> temps;
            temps.swap(m_temporary);
            for (auto& entry : temps) {
                m_pfnDetach(entry.second);
                delete entry.second;
            }
        }
    }

    bool HasTemporaries() const override { return !m_temporary.empty(); }
    size_t GetPermanentCount() const { return m_permanent.size(); }
    size_t GetTemporaryCount() const { return m_temporary.size(); }

private:
    // The thread's pointer to its map of this kind: a plain pointer, readable at any time on
    // the thread, even during its ending. Never inlined: see the Winelib trap above.
    __attribute__((noinline)) static CHandleMapBase** ThreadSlot() {
        static thread_local CHandleMapBase* t_pMap = NULL;
        return &t_pMap;
    }

    static TObject* Find(const std::unordered_map<THandle, TObject*>& table, THandle h) {
        auto it = table.find(h);
        return it == table.end() ? NULL : it->second;
    }

    PFN_NEW_TEMP m_pfnNew;
    PFN_DETACH_TEMP m_pfnDetach;
    std::unordered_map<THandle, TObject*> m_permanent;
    std::unordered_map<THandle, TObject*> m_temporary;
};

// Frees the temporaries of every map on the current thread, unless a dispatch or a lock is
// active on it. Answers TRUE when they were freed.
BOOL AFXAPI AfxDeleteTempMaps();

// Lock count of the current thread's temporary maps. AfxUnlockTempMaps answers TRUE when the
// count reached 0, and then also frees the temporaries if bDeleteTemps is set and no dispatch is
// active.
void AFXAPI AfxLockTempMaps();
BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps = TRUE);

// Depth of message dispatch on the current thread (kept by the window-procedure entry).
int AFXAPI AfxGetTempMapDispatchDepth();
int AFXAPI AfxGetTempMapLockCount();

// Holds the temporaries for a scope (a nested message loop, a handler that runs idle work):
// nothing is freed until it ends. Ending it frees nothing either; the next top-level idle does.
class CTempMapLock {
public:
    CTempMapLock() { AfxLockTempMaps(); }
    ~CTempMapLock() { AfxUnlockTempMaps(FALSE); }
    CTempMapLock(const CTempMapLock&) = delete;
    CTempMapLock& operator=(const CTempMapLock&) = delete;
};

// Counts one level of message dispatch for the scope: the window-procedure entry holds one
// around each message, so a temporary handed out during a handler stays valid until it returns.
class CTempMapDispatch {
public:
    CTempMapDispatch();
    ~CTempMapDispatch();
    CTempMapDispatch(const CTempMapDispatch&) = delete;
    CTempMapDispatch& operator=(const CTempMapDispatch&) = delete;
};
