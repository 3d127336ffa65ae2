// Per-thread handle maps: permanent objects first, temporaries freed only at the top level and
// always detached before they are deleted.
#include "orv/gtest.h"
#include "afx.h"
#include <atomic>
#include <memory>
#include <vector>

namespace {

// A wrapper of "widgets": its destructor would destroy the OS object it still holds, so the
// test sees whether a temporary was detached before it was deleted.
class CWidget : public CObject {
    DECLARE_DYNAMIC(CWidget)
public:
    explicit CWidget(HANDLE h = NULL) : m_h(h) {}
    ~CWidget() override {
        ++s_deleted;
        if (m_h != NULL)
            ++s_destroyedHandles;
    }
    HANDLE m_h;
    static int s_deleted;
    static int s_destroyedHandles;
};
int CWidget::s_deleted = 0;
int CWidget::s_destroyedHandles = 0;
IMPLEMENT_DYNAMIC(CWidget, CObject)

class CFancyWidget : public CWidget {
    DECLARE_DYNAMIC(CFancyWidget)
public:
    using CWidget::CWidget;
};
IMPLEMENT_DYNAMIC(CFancyWidget, CWidget)

CWidget* NewTempWidget(HANDLE h) { return new CWidget(h); }
void DetachTempWidget(CWidget* p) { p->m_h = NULL; }

CHandleMap<CWidget, HANDLE>& WidgetMap() {
    return *CHandleMap<CWidget, HANDLE>::ForThread(TRUE, &NewTempWidget, &DetachTempWidget);
}

// A second kind of handle, to show that one call frees the temporaries of every kind.
class CGadget : public CObject {
public:
    explicit CGadget(HMENU h) : m_h(h) {}
    HMENU m_h;
};
CGadget* NewTempGadget(HMENU h) { return new CGadget(h); }
void DetachTempGadget(CGadget* p) { p->m_h = NULL; }
CHandleMap<CGadget, HMENU>& GadgetMap() {
    return *CHandleMap<CGadget, HMENU>::ForThread(TRUE, &NewTempGadget, &DetachTempGadget);
}

// Handle values above 4 GB: a map that narrowed them would mix these two up.
HANDLE const hHigh = (HANDLE)(UINT_PTR)0x123456789A0ULL;
HANDLE const hHighAlias = (HANDLE)(UINT_PTR)0x3456789A0ULL;   // the same low 32 bits

class HandleMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        AfxDeleteTempMaps();
        CWidget::s_deleted = 0;
        CWidget::s_destroyedHandles = 0;
    }
    void TearDown() override { AfxDeleteTempMaps(); }
};

TEST_F(HandleMapTest, PermanentObjectComesFirstAndTemporariesAreStable) {
    CFancyWidget permanent(hHigh);
    WidgetMap().SetPermanent(hHigh, &permanent);

    CWidget* pFound = WidgetMap().FromHandle(hHigh);
    EXPECT_EQ(&permanent, pFound);
    EXPECT_TRUE(pFound->IsKindOf(RUNTIME_CLASS(CFancyWidget)));

    // the alias shares the low 32 bits but is another handle: it gets a temporary of its own
    CWidget* pTemp = WidgetMap().FromHandle(hHighAlias);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_NE(&permanent, pTemp);
    EXPECT_EQ(hHighAlias, pTemp->m_h);
    EXPECT_FALSE(pTemp->IsKindOf(RUNTIME_CLASS(CFancyWidget)));
    EXPECT_EQ(pTemp, WidgetMap().FromHandle(hHighAlias));
    EXPECT_EQ(pTemp, WidgetMap().LookupTemporary(hHighAlias));
    EXPECT_TRUE(WidgetMap().LookupPermanent(hHighAlias) == NULL);
    EXPECT_TRUE(WidgetMap().FromHandle(NULL) == NULL);

    // once the permanent object leaves, the handle is answered by a temporary
    WidgetMap().RemoveHandle(hHigh);
    EXPECT_TRUE(WidgetMap().LookupPermanent(hHigh) == NULL);
    CWidget* pAfter = WidgetMap().FromHandle(hHigh);
    EXPECT_NE(&permanent, pAfter);
    EXPECT_EQ(hHigh, pAfter->m_h);

    // a temporary made before an object attaches is shadowed by the permanent one
    WidgetMap().SetPermanent(hHigh, &permanent);
    EXPECT_EQ(&permanent, WidgetMap().FromHandle(hHigh));
    WidgetMap().RemoveHandle(hHigh);
    permanent.m_h = NULL;
}

TEST_F(HandleMapTest, TemporariesAreDetachedThenDeletedAndPermanentsStay) {
    CWidget permanent((HANDLE)0x10);
    WidgetMap().SetPermanent((HANDLE)0x10, &permanent);
    WidgetMap().FromHandle((HANDLE)0x20);
    WidgetMap().FromHandle((HANDLE)0x30);
    GadgetMap().FromHandle((HMENU)0x40);
    EXPECT_EQ(2u, WidgetMap().GetTemporaryCount());
    EXPECT_EQ(1u, GadgetMap().GetTemporaryCount());

    EXPECT_TRUE(AfxDeleteTempMaps());
    EXPECT_EQ(0u, WidgetMap().GetTemporaryCount());
    EXPECT_EQ(0u, GadgetMap().GetTemporaryCount());
    EXPECT_EQ(2, CWidget::s_deleted);
    EXPECT_EQ(0, CWidget::s_destroyedHandles) << "a temporary destroyed the object it borrowed";
    EXPECT_EQ(&permanent, WidgetMap().FromHandle((HANDLE)0x10));
    WidgetMap().RemoveHandle((HANDLE)0x10);
    permanent.m_h = NULL;
}

// The window-procedure entry holds a dispatch level and nested loops hold a lock: in both cases
// a temporary an outer frame still holds must survive an inner idle.
TEST_F(HandleMapTest, NothingIsFreedWhileADispatchOrALockIsActive) {
    struct Case { int dispatches; int locks; };
    const Case cases[] = {{1, 0}, {0, 1}, {2, 0}, {1, 2}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.dispatches << " dispatch(es), " << c.locks << " lock(s)");
        CWidget* pTemp = NULL;
        {
            std::vector<std::unique_ptr<CTempMapDispatch>> dispatches;
            std::vector<std::unique_ptr<CTempMapLock>> locks;
            for (int i = 0; i < c.dispatches; ++i)
                dispatches.emplace_back(new CTempMapDispatch);
            for (int i = 0; i < c.locks; ++i)
                locks.emplace_back(new CTempMapLock);
            EXPECT_EQ(c.dispatches, AfxGetTempMapDispatchDepth());
            EXPECT_EQ(c.locks, AfxGetTempMapLockCount());
            pTemp = WidgetMap().FromHandle((HANDLE)0x50);
            EXPECT_FALSE(AfxDeleteTempMaps());
            EXPECT_EQ(pTemp, WidgetMap().LookupTemporary((HANDLE)0x50));
        }
        // leaving the scopes frees nothing by itself; the next top-level idle does
        EXPECT_EQ(0, AfxGetTempMapDispatchDepth());
        EXPECT_EQ(0, AfxGetTempMapLockCount());
        EXPECT_EQ(pTemp, WidgetMap().LookupTemporary((HANDLE)0x50));
        EXPECT_TRUE(AfxDeleteTempMaps());
        EXPECT_TRUE(WidgetMap().LookupTemporary((HANDLE)0x50) == NULL);
    }
}

TEST_F(HandleMapTest, UnlockFreesOnlyAtTheOutermostLevel) {
    AfxLockTempMaps();
    AfxLockTempMaps();
    WidgetMap().FromHandle((HANDLE)0x60);
    EXPECT_FALSE(AfxUnlockTempMaps());
    EXPECT_EQ(1u, WidgetMap().GetTemporaryCount());
    {
        CTempMapDispatch dispatch;   // the last unlock inside a handler frees nothing
        EXPECT_TRUE(AfxUnlockTempMaps());
        EXPECT_EQ(1u, WidgetMap().GetTemporaryCount());
    }
    AfxLockTempMaps();
    EXPECT_TRUE(AfxUnlockTempMaps());
    EXPECT_EQ(0u, WidgetMap().GetTemporaryCount());
}

// A wrapper whose destructor looks up another kind of handle (a window freeing a menu wrapper,
// say) must not leave a temporary behind.
class CParentWidget : public CWidget {
public:
    using CWidget::CWidget;
    ~CParentWidget() override { GadgetMap().FromHandle((HMENU)0x77); }
};

TEST_F(HandleMapTest, TemporariesMadeWhileFreeingAreFreedToo) {
    CHandleMap<CWidget, HANDLE> parents([](HANDLE h) -> CWidget* { return new CParentWidget(h); },
                                        &DetachTempWidget);
    parents.FromHandle((HANDLE)0x70);
    EXPECT_TRUE(AfxDeleteTempMaps());
    EXPECT_EQ(0u, parents.GetTemporaryCount());
    EXPECT_EQ(0u, GadgetMap().GetTemporaryCount());
}

// An object that outlives the thread's maps, as a static wrapper outlives them at exit: it
// finds no map, and none is made for it.
struct LateWrapper {
    void Touch() {}
    ~LateWrapper() {
        s_mapAtEnd = CHandleMap<CWidget, HANDLE>::ForThread(FALSE, &NewTempWidget, &DetachTempWidget);
        s_mapMadeAtEnd = CHandleMap<CWidget, HANDLE>::ForThread(TRUE, &NewTempWidget, &DetachTempWidget);
        s_ended = true;
    }
    static CHandleMap<CWidget, HANDLE>* s_mapAtEnd;
    static CHandleMap<CWidget, HANDLE>* s_mapMadeAtEnd;
    static std::atomic<bool> s_ended;
};
CHandleMap<CWidget, HANDLE>* LateWrapper::s_mapAtEnd = NULL;
CHandleMap<CWidget, HANDLE>* LateWrapper::s_mapMadeAtEnd = NULL;
std::atomic<bool> LateWrapper::s_ended{false};

// Not inline in the thread procedure: a thread_local with a destructor declared inside an
// ms_abi function crashed when the thread started (Wine 8, g++ 12).
__attribute__((noinline)) void MakeLateWrapper() {
    static thread_local LateWrapper late;
    late.Touch();
}

TEST_F(HandleMapTest, EachThreadHasItsOwnMapsAndCounts) {
    CWidget* pMine = WidgetMap().FromHandle((HANDLE)0x80);
    CTempMapLock lock;
    struct Theirs {
        CWidget* pTemp = NULL;
        BOOL bFreed = FALSE;
        int tempsAfter = -1;
        CHandleMap<CWidget, HANDLE>* pMap = NULL;
    } theirs;
    HANDLE hThread = CreateThread(NULL, 0, [](LPVOID p) WINAPI -> DWORD {
        Theirs& t = *static_cast<Theirs*>(p);
        MakeLateWrapper();   // before the maps, so it ends after them
        t.pTemp = WidgetMap().FromHandle((HANDLE)0x80);
        t.bFreed = AfxDeleteTempMaps();   // not held by the other thread's lock
        t.tempsAfter = (int)WidgetMap().GetTemporaryCount();
        WidgetMap().FromHandle((HANDLE)0x90);   // freed when the thread ends
        t.pMap = &WidgetMap();
        return 0;
    }, &theirs, 0, NULL);
    ASSERT_TRUE(hThread != NULL);
    ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(hThread, 30000));
    CloseHandle(hThread);
    // The C++ thread-end clean-up runs after Win32 has signalled the thread's end: wait for the
    // object that ends last on that thread.
    for (DWORD until = GetTickCount() + 10000; !LateWrapper::s_ended && GetTickCount() < until;)
        Sleep(1);
    CWidget* pTheirs = theirs.pTemp;
    BOOL bTheirFreeDone = theirs.bFreed;
    int theirTempsAfter = theirs.tempsAfter;
    EXPECT_NE(pMine, pTheirs);
    EXPECT_TRUE(bTheirFreeDone);
    EXPECT_EQ(0, theirTempsAfter);
    EXPECT_NE(&WidgetMap(), theirs.pMap);
    EXPECT_EQ(pMine, WidgetMap().LookupTemporary((HANDLE)0x80));
    EXPECT_EQ(2, CWidget::s_deleted) << "the ended thread's temporaries were not freed";
    EXPECT_EQ(0, CWidget::s_destroyedHandles);
    EXPECT_TRUE(LateWrapper::s_ended);
    EXPECT_TRUE(LateWrapper::s_mapAtEnd == NULL);
    EXPECT_TRUE(LateWrapper::s_mapMadeAtEnd == NULL);
}

}  // namespace
