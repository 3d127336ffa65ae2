#include "CHandleMap.h"

namespace {
// The current thread's maps and the two counts that keep their temporaries alive. Plain values
// only, so the state needs no construction or destruction of its own on any thread.
struct TempMapState {
    CHandleMapBase* pFirstMap;
    int nDispatchDepth;
    int nLockCount;
    bool bEnded;    // the thread's own maps were deleted: it is ending
};
thread_local TempMapState t_state = {NULL, 0, 0, false};
}  // namespace

// Deletes the maps the thread owns when the thread ends (its temporaries are detached first, as
// always). Made on the thread when it adopts its first map.
struct CHandleMapThreadEnd {
    void Arm() {}
    ~CHandleMapThreadEnd() {
        t_state.bEnded = true;
        t_state.nDispatchDepth = 0;
        t_state.nLockCount = 0;
        AfxDeleteTempMaps();
        CHandleMapBase* pMap = t_state.pFirstMap;
        while (pMap != NULL) {
            CHandleMapBase* pNext = pMap->m_pNextMap;
            if (pMap->m_ppSlot != NULL)
                delete pMap;
            pMap = pNext;
        }
    }
};
namespace {
thread_local CHandleMapThreadEnd t_threadEnd;
}  // namespace

CHandleMapBase::CHandleMapBase() : m_pNextMap(t_state.pFirstMap), m_pPrevMap(NULL), m_ppSlot(NULL) {
    if (m_pNextMap != NULL)
        m_pNextMap->m_pPrevMap = this;
    t_state.pFirstMap = this;
}

CHandleMapBase::~CHandleMapBase() {
    if (m_ppSlot != NULL)
        *m_ppSlot = NULL;
    if (m_pPrevMap != NULL)
        m_pPrevMap->m_pNextMap = m_pNextMap;
    else if (t_state.pFirstMap == this)
        t_state.pFirstMap = m_pNextMap;
    if (m_pNextMap != NULL)
        m_pNextMap->m_pPrevMap = m_pPrevMap;
}

BOOL CHandleMapBase::AdoptForThread(CHandleMapBase** ppSlot) {
    if (t_state.bEnded)
        return FALSE;
    t_threadEnd.Arm();   // registers the thread-end clean-up on this thread
    m_ppSlot = ppSlot;
    *ppSlot = this;
    return TRUE;
}

BOOL AFXAPI AfxDeleteTempMaps() {
    if (t_state.nDispatchDepth != 0 || t_state.nLockCount != 0)
        return FALSE;
    // A temporary's destructor may make new temporaries of another kind: pass over the maps
    // again until every one is empty.
    bool bAgain = true;
    while (bAgain) {
        bAgain = false;
        for (CHandleMapBase* pMap = t_state.pFirstMap; pMap != NULL; pMap = pMap->m_pNextMap)
            pMap->DeleteTemp();
        for (CHandleMapBase* pMap = t_state.pFirstMap; pMap != NULL; pMap = pMap->m_pNextMap)
            bAgain = bAgain || pMap->HasTemporaries();
    }
    return TRUE;
}

void AFXAPI AfxLockTempMaps() { ++t_state.nLockCount; }

BOOL AFXAPI AfxUnlockTempMaps(BOOL bDeleteTemps) {
    ASSERT(t_state.nLockCount > 0);
    if (t_state.nLockCount > 0)
        --t_state.nLockCount;
    if (t_state.nLockCount != 0)
        return FALSE;
    if (bDeleteTemps)
        AfxDeleteTempMaps();
    return TRUE;
}

int AFXAPI AfxGetTempMapDispatchDepth() { return t_state.nDispatchDepth; }
int AFXAPI AfxGetTempMapLockCount() { return t_state.nLockCount; }

CTempMapDispatch::CTempMapDispatch() { ++t_state.nDispatchDepth; }
CTempMapDispatch::~CTempMapDispatch() { --t_state.nDispatchDepth; }
