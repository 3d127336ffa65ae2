// Windows: creation through the hook, handle maps, subclassing, reflection, exceptions at the
// window-procedure entry and windows that go away inside their own handlers.
#include "orv/gtest.h"
#include "WindowTestSupport.h"
#include <cstring>
#include <stdexcept>

namespace {

std::string messageName(UINT message)
{
    switch (message) {
    case WM_NCCREATE: return "WM_NCCREATE";
    case WM_NCCALCSIZE: return "WM_NCCALCSIZE";
    case WM_CREATE: return "WM_CREATE";
    case WM_GETMINMAXINFO: return "WM_GETMINMAXINFO";
    default: return "";
    }
}

// Records the first messages of its window and the calls the framework makes on it.
class CCreationSpy : public CWnd {
public:
    wintest::Recorder rec;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        std::string name = messageName(message);
        if (!name.empty())
            rec.add(name);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PreSubclassWindow() override { rec.add("PreSubclassWindow"); }
    void PostNcDestroy() override { rec.add("PostNcDestroy"); }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        rec.add(std::string("OnCreate ") + lpcs->lpszName);
        return CWnd::OnCreate(lpcs);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCreationSpy, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

}  // namespace

TEST(WindowCreation, TheHookAttachesTheObjectBeforeTheFirstMessage)
{
    CCreationSpy parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPED, 0, 0, 200, 100, NULL, NULL));
    ASSERT_GE(parent.rec.events.size(), 4u);
    // attached and subclassed before anything reached the window
    EXPECT_EQ("PreSubclassWindow", parent.rec.events[0]);
    std::vector<std::string> creation;
    for (const std::string& e : parent.rec.events) {
        if (e == "WM_NCCREATE" || e == "WM_NCCALCSIZE" || e == "WM_CREATE" || e.rfind("OnCreate", 0) == 0)
            creation.push_back(e);
    }
    EXPECT_EQ((std::vector<std::string>{"WM_NCCREATE", "WM_NCCALCSIZE", "WM_CREATE", "OnCreate parent"}), creation);

    CCreationSpy child;
    ASSERT_TRUE(child.Create(NULL, "child", WS_VISIBLE, CRect(0, 0, 50, 20), &parent, 7));
    // the parent's object is found from the handle, with its real class
    CWnd* pParent = CWnd::FromHandlePermanent(::GetParent(child.m_hWnd));
    EXPECT_EQ(&parent, pParent);
    EXPECT_TRUE(pParent->IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(&parent, child.GetParent());
    EXPECT_EQ(&child, parent.GetDlgItem(7));

    parent.rec.events.clear();
    HWND hWnd = parent.m_hWnd;
    parent.DestroyWindow();
    // the last call, after the object was let go
    EXPECT_EQ(std::vector<std::string>{"PostNcDestroy"}, parent.rec.events);
    EXPECT_EQ(NULL, parent.m_hWnd);
    EXPECT_EQ(NULL, child.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
}

TEST(WindowCreation, AFailedCreationStillEndsWithPostNcDestroy)
{
    CCreationSpy wnd;
    EXPECT_FALSE(wnd.CreateEx(0, "NoSuchWindowClass", "x", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL));
    EXPECT_EQ(std::vector<std::string>{"PostNcDestroy"}, wnd.rec.events);
    EXPECT_EQ(NULL, wnd.m_hWnd);
}

// ---- Handle maps ---------------------------------------------------------------------------------

namespace {

const UINT WM_RUN_IDLE = WM_USER + 20;

class CIdleInHandlerWnd : public CWnd {
public:
    HWND hWndOther = NULL;
    CWnd* pTempSeen = NULL;
    bool sameAfterIdle = false;
    size_t tempsAfterIdle = 0;

protected:
    afx_msg LRESULT OnRunIdle(WPARAM, LPARAM)
    {
        // a temporary handed out during a handler stays valid until the handler returns, even
        // when the handler runs the application's idle work
        pTempSeen = CWnd::FromHandle(hWndOther);
        wintest::testApp().OnIdle(0);
        tempsAfterIdle = CWnd::GetHandleMap().GetTemporaryCount();
        sameAfterIdle = CWnd::FromHandle(hWndOther) == pTempSeen && pTempSeen->m_hWnd == hWndOther;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CIdleInHandlerWnd, CWnd)
    ON_MESSAGE(WM_RUN_IDLE, OnRunIdle)
END_MESSAGE_MAP()

}  // namespace

TEST(HandleMap, PermanentObjectsAreFoundAndTemporariesLiveUntilTopLevelIdle)
{
    wintest::testApp();
    CIdleInHandlerWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "maps", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    HWND hWndPlain = ::CreateWindowExA(0, "STATIC", "plain", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, NULL, NULL, NULL);
    ASSERT_TRUE(hWndPlain);

    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWndPlain));
    CWnd* pTemp = CWnd::FromHandle(hWndPlain);
    ASSERT_TRUE(pTemp != NULL);
    EXPECT_EQ(hWndPlain, pTemp->m_hWnd);
    EXPECT_EQ(pTemp, CWnd::FromHandle(hWndPlain));  // the same one until idle
    EXPECT_EQ(NULL, CWnd::FromHandle(NULL));

    wnd.hWndOther = ::CreateWindowExA(0, "STATIC", "other", WS_CHILD, 0, 0, 10, 10, wnd.m_hWnd, NULL, NULL, NULL);
    wnd.SendMessage(WM_RUN_IDLE);
    EXPECT_TRUE(wnd.sameAfterIdle);
    EXPECT_GE(wnd.tempsAfterIdle, 2u);

    // the top-level idle frees them; the windows themselves stay
    wintest::testApp().OnIdle(0);
    EXPECT_EQ(0u, CWnd::GetHandleMap().GetTemporaryCount());
    EXPECT_TRUE(::IsWindow(hWndPlain));
    EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
    wnd.DestroyWindow();
}

TEST(HandleMap, AttachAndDetachMakeAndEndThePermanentEntry)
{
    HWND hWnd = ::CreateWindowExA(0, "STATIC", "attach", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd);
    CWnd wnd;
    ASSERT_TRUE(wnd.Attach(hWnd));
    EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(hWnd));
    EXPECT_EQ(hWnd, wnd.Detach());
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    EXPECT_TRUE(::IsWindow(hWnd));  // detaching leaves the window alone
    ::DestroyWindow(hWnd);
}

// ---- Subclassing ---------------------------------------------------------------------------------

namespace {

wintest::Recorder g_subclass;
WNDPROC g_buttonProc = NULL;

LRESULT CALLBACK recordingButtonProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == BM_SETCHECK)
        g_subclass.add("original BM_SETCHECK");
    return ::CallWindowProcA(g_buttonProc, hWnd, message, wParam, lParam);
}

class CSubclassSpy : public CWnd {
public:
    LONG_PTR procAtPreSubclass = 0;
    bool attachedAtPreSubclass = false;
    void PreSubclassWindow() override
    {
        g_subclass.add("PreSubclassWindow");
        procAtPreSubclass = ::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC);
        attachedAtPreSubclass = CWnd::FromHandlePermanent(m_hWnd) == this;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == BM_SETCHECK)
            g_subclass.add("object BM_SETCHECK");
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

}  // namespace

TEST(Subclassing, TheObjectSeesTheOriginalProcedureAndGivesItBack)
{
    HWND hWnd = ::CreateWindowExA(0, "BUTTON", "check", WS_OVERLAPPED | BS_CHECKBOX, 0, 0, 80, 20, NULL, NULL, NULL, NULL);
    ASSERT_TRUE(hWnd);
    g_buttonProc = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)recordingButtonProc);
    const LONG_PTR original = ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);

    g_subclass.events.clear();
    CSubclassSpy spy;
    ASSERT_TRUE(spy.SubclassWindow(hWnd));
    EXPECT_EQ(original, spy.procAtPreSubclass);
    EXPECT_TRUE(spy.attachedAtPreSubclass);
    EXPECT_EQ((LONG_PTR)AfxWndProc, ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    ::SendMessageA(hWnd, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_EQ(BST_CHECKED, ::SendMessageA(hWnd, BM_GETCHECK, 0, 0));  // the control still works

    EXPECT_EQ(hWnd, spy.UnsubclassWindow());
    EXPECT_EQ(original, ::GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    ::SendMessageA(hWnd, BM_SETCHECK, BST_UNCHECKED, 0);
    EXPECT_EQ((std::vector<std::string>{"PreSubclassWindow", "object BM_SETCHECK", "original BM_SETCHECK",
                                        "original BM_SETCHECK"}),
              g_subclass.events);
    // a window that already has an object cannot be taken by another
    CSubclassSpy first, second;
    ASSERT_TRUE(first.SubclassWindow(hWnd));
    EXPECT_FALSE(second.SubclassWindow(hWnd));
    first.UnsubclassWindow();
    ::DestroyWindow(hWnd);
}

// ---- Reflection ----------------------------------------------------------------------------------

namespace {

wintest::Recorder g_reflect;
const int IDC_CHILD = 300;
const UINT NM_TESTCODE = (UINT)-880;

class CReflectingChild : public CWnd {
public:
    BOOL passOn = FALSE;  // the _EX handler lets the parent see it too

protected:
    afx_msg BOOL OnClickedReflect()
    {
        g_reflect.add("child clicked");
        return !passOn;
    }
    afx_msg void OnNotifyReflect(NMHDR* pNMHDR, LRESULT* pResult)
    {
        g_reflect.add("child notify " + std::to_string((int)pNMHDR->code));
        *pResult = (LRESULT)0x1122334455667788ll;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingChild, CWnd)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnClickedReflect)
    ON_NOTIFY_REFLECT(NM_TESTCODE, OnNotifyReflect)
END_MESSAGE_MAP()

class CNotifiedParent : public CWnd {
protected:
    afx_msg void OnChildClicked() { g_reflect.add("parent clicked"); }
    afx_msg void OnChildNotify(NMHDR*, LRESULT* pResult)
    {
        g_reflect.add("parent notify");
        *pResult = 5;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CNotifiedParent, CWnd)
    ON_BN_CLICKED(IDC_CHILD, OnChildClicked)
    ON_NOTIFY(NM_TESTCODE, IDC_CHILD, OnChildNotify)
END_MESSAGE_MAP()

}  // namespace

TEST(Reflection, TheControlsOwnHandlerBeatsTheParentsNotification)
{
    CNotifiedParent parent;
    ASSERT_TRUE(parent.CreateEx(0, AfxRegisterWndClass(0), "parent", WS_OVERLAPPED, 0, 0, 200, 100, NULL, NULL));
    HWND hWndChild = ::CreateWindowExA(0, AfxRegisterWndClass(0), "child", WS_CHILD, 0, 0, 20, 20, parent.m_hWnd,
                                       (HMENU)(UINT_PTR)IDC_CHILD, NULL, NULL);
    ASSERT_TRUE(hWndChild);
    CReflectingChild child;
    NMHDR nm = {hWndChild, IDC_CHILD, NM_TESTCODE};
    struct Case {
        bool permanentChild;
        BOOL passOn;
        std::vector<std::string> clicked;
        std::vector<std::string> notified;
        LRESULT notifyResult;
    } cases[] = {
        {false, FALSE, {"parent clicked"}, {"parent notify"}, 5},
        {true, FALSE, {"child clicked"}, {"child notify -880"}, (LRESULT)0x1122334455667788ll},
        {true, TRUE, {"child clicked", "parent clicked"}, {"child notify -880"}, (LRESULT)0x1122334455667788ll},
    };
    for (const Case& c : cases) {
        if (c.permanentChild && child.m_hWnd == NULL) {
            ASSERT_TRUE(child.SubclassWindow(hWndChild));
        }
        child.passOn = c.passOn;
        g_reflect.events.clear();
        parent.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CHILD, BN_CLICKED), (LPARAM)hWndChild);
        EXPECT_EQ(c.clicked, g_reflect.events);
        g_reflect.events.clear();
        EXPECT_EQ(c.notifyResult, parent.SendMessage(WM_NOTIFY, IDC_CHILD, (LPARAM)&nm));
        EXPECT_EQ(c.notified, g_reflect.events);
    }
    child.UnsubclassWindow();
    parent.DestroyWindow();
}

// ---- Exceptions and destruction inside handlers -------------------------------------------------

namespace {

const UINT WM_THROW_CEXCEPTION = WM_USER + 30, WM_THROW_STD = WM_USER + 31, WM_THROW_INT = WM_USER + 32,
           WM_CHECK_CURRENT = WM_USER + 33;

class CThrowingWnd : public CWnd {
public:
    bool failCreate = false;
    bool failNcDestroy = false;
    bool postNcDestroyed = false;
    UINT currentSeen = 0;
    void PostNcDestroy() override { postNcDestroyed = true; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpcs)
    {
        if (failCreate)
            throw std::runtime_error("creation failed on purpose");
        return CWnd::OnCreate(lpcs);
    }
    afx_msg void OnNcDestroy()
    {
        if (failNcDestroy)
            throw std::runtime_error("last message failed on purpose");
        CWnd::OnNcDestroy();
    }
    afx_msg LRESULT OnThrowCException(WPARAM, LPARAM) { AfxThrowNotSupportedException(); }
    afx_msg LRESULT OnThrowStd(WPARAM, LPARAM) { throw std::runtime_error("handler failed on purpose"); }
    afx_msg LRESULT OnThrowInt(WPARAM, LPARAM) { throw 42; }
    afx_msg LRESULT OnCheckCurrent(WPARAM, LPARAM)
    {
        // a failed nested message leaves this one as the current message
        SendMessage(WM_THROW_INT);
        currentSeen = AfxGetCurrentMessage()->message;
        return 1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_NCDESTROY()
    ON_MESSAGE(WM_THROW_CEXCEPTION, OnThrowCException)
    ON_MESSAGE(WM_THROW_STD, OnThrowStd)
    ON_MESSAGE(WM_THROW_INT, OnThrowInt)
    ON_MESSAGE(WM_CHECK_CURRENT, OnCheckCurrent)
END_MESSAGE_MAP()

}  // namespace

TEST(WindowProcedureEntry, AnExceptionInAHandlerIsStoppedThereAndTheProgramGoesOn)
{
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, AfxRegisterWndClass(0), "throwing", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    for (UINT message : {WM_THROW_CEXCEPTION, WM_THROW_STD, WM_THROW_INT})
        EXPECT_EQ(0, wnd.SendMessage(message, 1, 2)) << message;
    EXPECT_EQ(1, wnd.SendMessage(WM_CHECK_CURRENT));
    EXPECT_EQ(WM_CHECK_CURRENT, wnd.currentSeen);
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd));
    wnd.DestroyWindow();

    // a throwing WM_NCDESTROY still ends with the object let go of its window
    CThrowingWnd lastWords;
    ASSERT_TRUE(lastWords.CreateEx(0, AfxRegisterWndClass(0), "last words", WS_OVERLAPPED, 0, 0, 10, 10, NULL, NULL));
    HWND hWndLast = lastWords.m_hWnd;
    lastWords.failNcDestroy = true;
    lastWords.DestroyWindow();
    EXPECT_EQ(NULL, lastWords.m_hWnd);
    EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWndLast));
    EXPECT_TRUE(lastWords.postNcDestroyed);

    // a throwing WM_CREATE answers -1: the creation fails cleanly
    CThrowingWnd failing;
    failing.failCreate = true;
    EXPECT_FALSE(failing.CreateEx(0, AfxRegisterWndClass(0), "failing", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    EXPECT_EQ(NULL, failing.m_hWnd);
}

namespace {

const UINT WM_DESTROY_SELF = WM_USER + 40;
const UINT ID_DESTROY_SELF = 400;
int g_deleted = 0;

// Deletes itself at PostNcDestroy. Its memory is poisoned, never reused, so any use of the object
// after that goes through a garbage table of virtual functions and crashes the test.
class CSelfDestroyingWnd : public CWnd {
public:
    static void* operator new(size_t size) { return ::operator new(size); }
    static void operator delete(void* p, size_t size)
    {
        memset(p, 0xDD, size);  // kept, not freed: a later use reads the poison
        ++g_deleted;
    }
    void PostNcDestroy() override { delete this; }

protected:
    afx_msg LRESULT OnDestroySelf(WPARAM, LPARAM)
    {
        DestroyWindow();
        return 77;
    }
    afx_msg void OnDestroySelfCommand() { DestroyWindow(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfDestroyingWnd, CWnd)
    ON_MESSAGE(WM_DESTROY_SELF, OnDestroySelf)
    ON_COMMAND(ID_DESTROY_SELF, OnDestroySelfCommand)
END_MESSAGE_MAP()

}  // namespace

TEST(WindowProcedureEntry, AWindowDestroyedInItsOwnHandlerIsNotTouchedAfterwards)
{
    for (bool byCommand : {false, true}) {
        g_deleted = 0;
        CSelfDestroyingWnd* pWnd = new CSelfDestroyingWnd;
        ASSERT_TRUE(pWnd->CreateEx(0, AfxRegisterWndClass(0), "self", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
        HWND hWnd = pWnd->m_hWnd;
        LRESULT result = byCommand ? ::SendMessageA(hWnd, WM_COMMAND, ID_DESTROY_SELF, 0)
                                   : ::SendMessageA(hWnd, WM_DESTROY_SELF, 0, 0);
        EXPECT_EQ(byCommand ? 1 : 77, result);
        EXPECT_EQ(1, g_deleted);
        EXPECT_FALSE(::IsWindow(hWnd));
        EXPECT_EQ(NULL, CWnd::FromHandlePermanent(hWnd));
    }
}

// ---- Pre-translation -----------------------------------------------------------------------------

namespace {

wintest::Recorder g_pretranslate;

class CPreTranslating : public CWnd {
public:
    std::string name;
    bool eat = false;
    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message == WM_KEYDOWN)
            g_pretranslate.add(name);
        return eat;
    }
};

}  // namespace

TEST(PreTranslation, TheWalkGoesFromTheTargetUpToTheStopWindowAndEndsWhereItIsEaten)
{
    CPreTranslating top, middle, inner, popup;
    top.name = "top";
    middle.name = "middle";
    inner.name = "inner";
    popup.name = "popup";
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_OVERLAPPED, 0, 0, 200, 200, NULL, NULL));
    ASSERT_TRUE(middle.Create(NULL, "middle", 0, CRect(0, 0, 100, 100), &top, 1));
    ASSERT_TRUE(inner.Create(NULL, "inner", 0, CRect(0, 0, 50, 50), &middle, 2));
    // an owned popup reaches its owner: GetParent answers the owner
    ASSERT_TRUE(popup.CreateEx(0, AfxRegisterWndClass(0), "popup", WS_POPUP, 0, 0, 50, 50, top.m_hWnd, NULL));
    // a window with no object is passed over
    HWND hWndPlain = ::CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 10, 10, inner.m_hWnd, NULL, NULL, NULL);

    struct Case {
        HWND hWnd;
        HWND hWndStop;
        CPreTranslating* pEater;
        BOOL eaten;
        std::vector<std::string> events;
    } cases[] = {
        {hWndPlain, NULL, NULL, FALSE, {"inner", "middle", "top"}},
        {inner.m_hWnd, middle.m_hWnd, NULL, FALSE, {"inner", "middle"}},
        {inner.m_hWnd, NULL, &middle, TRUE, {"inner", "middle"}},
        {popup.m_hWnd, NULL, NULL, FALSE, {"popup", "top"}},
    };
    for (const Case& c : cases) {
        middle.eat = &middle == c.pEater;
        g_pretranslate.events.clear();
        MSG msg = {c.hWnd, WM_KEYDOWN, 'A', 0, 0, {0, 0}};
        EXPECT_EQ(c.eaten, CWnd::WalkPreTranslateTree(c.hWndStop, &msg));
        EXPECT_EQ(c.events, g_pretranslate.events);
    }
    // the thread's pump walks the same way up to the main window before dispatching
    CWinApp& app = wintest::testApp();
    app.m_pMainWnd = &top;
    middle.eat = false;
    g_pretranslate.events.clear();
    ::PostMessageA(inner.m_hWnd, WM_KEYDOWN, 'B', 0);
    ASSERT_TRUE(app.PumpMessage());
    EXPECT_EQ((std::vector<std::string>{"inner", "middle", "top"}), g_pretranslate.events);
    app.m_pMainWnd = NULL;
    popup.DestroyWindow();
    top.DestroyWindow();
}

TEST(PreTranslation, AnyWindowHandsTheKeysOfItsControlsToTheDialogManager)
{
    // a plain window holding two edits and a button, as a bar holds its controls
    CWnd top, panel, other;
    ASSERT_TRUE(top.CreateEx(0, AfxRegisterWndClass(0), "top", WS_OVERLAPPED | WS_VISIBLE, 0, 0, 300, 200, NULL,
                             NULL));
    ASSERT_TRUE(panel.CreateEx(WS_EX_CONTROLPARENT, AfxRegisterWndClass(0), "panel", WS_CHILD | WS_VISIBLE, 0, 0, 280,
                               150, top.m_hWnd, (HMENU)1));
    HWND hFirst = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 100, 20, panel.m_hWnd,
                                    (HMENU)11, NULL, NULL);
    HWND hSecond = ::CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 40, 100, 20, panel.m_hWnd,
                                     (HMENU)12, NULL, NULL);
    ASSERT_TRUE(other.CreateEx(0, AfxRegisterWndClass(0), "other", WS_OVERLAPPED, 0, 0, 100, 100, NULL, NULL));
    ::SetFocus(hFirst);
    ASSERT_EQ(hFirst, ::GetFocus());

    struct Case {
        const char* what;
        HWND hWnd;
        UINT message;
        WPARAM wParam;
        BOOL taken;
        HWND focusAfter;
    } cases[] = {
        {"Tab in the first edit moves on", hFirst, WM_KEYDOWN, VK_TAB, TRUE, hSecond},
        {"Tab in the last edit wraps", hSecond, WM_KEYDOWN, VK_TAB, TRUE, hFirst},
        {"not input: left alone", hFirst, WM_TIMER, 1, FALSE, hFirst},
        {"another window's key: left alone", other.m_hWnd, WM_KEYDOWN, VK_TAB, FALSE, hFirst},
        {"the window's parent: outside it", top.m_hWnd, WM_KEYDOWN, VK_TAB, FALSE, hFirst},
    };
    for (const Case& c : cases) {
        MSG msg = {c.hWnd, c.message, c.wParam, 0, 0, {0, 0}};
        EXPECT_EQ(c.taken, panel.PreTranslateInput(&msg)) << c.what;
        EXPECT_EQ(c.focusAfter, ::GetFocus()) << c.what;
    }
    // an object without a window takes nothing
    CWnd none;
    MSG msg = {hFirst, WM_KEYDOWN, VK_TAB, 0, 0, {0, 0}};
    EXPECT_FALSE(none.PreTranslateInput(&msg));
    other.DestroyWindow();
    top.DestroyWindow();
}
