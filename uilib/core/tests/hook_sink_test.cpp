// Window hook sinks on real windows: chain order, dispatch, teardown at WM_NCDESTROY, and
// handlers that unhook sinks or destroy the window while the chain is being walked.
#include <orv/gtest.h>
#include <afxwin.h>
#include <functional>
#include <string>
#include <vector>
#include "CExtHookSink.h"

namespace {

std::vector<std::string> g_log;
int g_deleted = 0;
WNDPROC g_procAtNcDestroy = NULL;

LRESULT CALLBACK OriginalProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    if (nMsg == WM_COMMAND) {
        g_log.push_back("orig");
        return 7;
    }
    if (nMsg == WM_NCDESTROY) {
        g_log.push_back("orig-ncdestroy");
        g_procAtNcDestroy = (WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC);
    }
    return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
}

HWND MakeWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = OriginalProc;
        wc.hInstance = ::GetModuleHandleA(NULL);
        wc.lpszClassName = "OrvHookSinkTest";
        registered = ::RegisterClassA(&wc) != 0;
    }
    return ::CreateWindowExA(0, "OrvHookSinkTest", "hook", WS_OVERLAPPED, 0, 0, 50, 50, NULL, NULL,
                             ::GetModuleHandleA(NULL), NULL);
}

class TestSink : public CExtHookSink {
public:
    TestSink(const char* name, bool dispatch = true, bool autoDelete = false)
        : CExtHookSink(dispatch), m_name(name), m_autoDelete(autoDelete)
    {
    }
    ~TestSink() override { ++g_deleted; }
    bool IsAutoDeleteHookWndSink() override { return m_autoDelete; }
    bool OnHookCmdMsg(LRESULT& lResult, HWND hWnd, WORD, WORD wID, HWND) override
    {
        // the handler may unhook (and so delete) this sink: no member is touched after it
        const bool answer = m_answer;
        const std::function<void(HWND)> onCommand = m_onCommand;
        g_log.push_back(m_name);
        if (onCommand)
            onCommand(hWnd);
        if (answer) {
            lResult = wID == 2 ? CallOriginalWndProc() + 100 : 42;
            return true;
        }
        return false;
    }
    void OnHookWndNcDestroy() override { g_log.push_back(m_name + "-ncdestroy"); }
    void OnHookWndAttach(HWND) override { g_log.push_back(m_name + "-attach"); }
    void OnHookWndDetach(HWND) override { g_log.push_back(m_name + "-detach"); }

    std::string m_name;
    bool m_autoDelete;
    bool m_answer = false;
    std::function<void(HWND)> m_onCommand;
};

std::string Joined()
{
    std::string s;
    for (const std::string& e : g_log)
        s += (s.empty() ? "" : ",") + e;
    return s;
}

}  // namespace

TEST(HookSink, ChainsDispatchAndTeardown)
{
    struct Case {
        const char* name;
        // hooks sinks on the window; the sinks live in the vector (auto-delete ones are released)
        std::function<void(HWND, std::vector<TestSink*>&)> setup;
        WPARAM command;
        const char* log;       // after WM_COMMAND, before destruction
        LRESULT result;
        bool windowAlive;
    };
    const Case cases[] = {
        {"order of hooking",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A"), new TestSink("B")};
             s[0]->SetupHookWndSink(h);
             s[1]->SetupHookWndSink(h);
         },
         1, "A-attach,B-attach,A,B,orig", 7, true},
        {"add to head",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A"), new TestSink("B")};
             s[0]->SetupHookWndSink(h);
             s[1]->SetupHookWndSink(h, false, true);
         },
         1, "A-attach,B-attach,B,A,orig", 7, true},
        {"duplicate hook is one entry",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A")};
             EXPECT_TRUE(s[0]->SetupHookWndSink(h));
             EXPECT_TRUE(s[0]->SetupHookWndSink(h));
         },
         1, "A-attach,A,orig", 7, true},
        {"dispatch off",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A", false)};
             s[0]->m_answer = true;
             s[0]->SetupHookWndSink(h);
         },
         1, "A-attach,orig", 7, true},
        {"first answer wins",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A"), new TestSink("B")};
             s[0]->m_answer = true;
             s[0]->SetupHookWndSink(h);
             s[1]->SetupHookWndSink(h);
         },
         1, "A-attach,B-attach,A", 42, true},
        {"original procedure called from a handler",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A")};
             s[0]->m_answer = true;
             s[0]->SetupHookWndSink(h);
         },
         2, "A-attach,A,orig", 107, true},
        {"unhook self and the next sink inside a handler",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A", true, true), new TestSink("B"), new TestSink("C")};
             TestSink* a = s[0];
             TestSink* b = s[1];
             a->m_onCommand = [a, b](HWND w) {
                 b->SetupHookWndSink(w, true);
                 a->SetupHookWndSink(w, true);  // auto-delete: gone now
             };
             s[0] = NULL;  // deletes itself
             for (TestSink* p : {a, b, s[2]})
                 p->SetupHookWndSink(h);
         },
         1, "A-attach,B-attach,C-attach,A,B-detach,A-detach,C,orig", 7, true},
        {"window destroyed inside a handler",
         [](HWND h, std::vector<TestSink*>& s) {
             s = {new TestSink("A"), new TestSink("B")};
             s[0]->m_onCommand = [](HWND w) { ::DestroyWindow(w); };
             s[0]->SetupHookWndSink(h);
             s[1]->SetupHookWndSink(h);
         },
         1, "A-attach,B-attach,A,A-ncdestroy,B-ncdestroy,orig-ncdestroy", 0, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        g_log.clear();
        g_deleted = 0;
        HWND h = MakeWindow();
        ASSERT_NE((HWND)NULL, h);
        std::vector<TestSink*> sinks;
        c.setup(h, sinks);
        const LRESULT r = ::SendMessageA(h, WM_COMMAND, c.command, 0);
        EXPECT_EQ(c.log, Joined());
        EXPECT_EQ(c.result, r);
        EXPECT_EQ(c.windowAlive, ::IsWindow(h) != FALSE);
        if (::IsWindow(h)) {
            g_log.clear();
            g_procAtNcDestroy = NULL;
            ::DestroyWindow(h);
            EXPECT_EQ((WNDPROC)OriginalProc, g_procAtNcDestroy);  // saved procedure put back first
            EXPECT_EQ(std::string::npos, Joined().find("detach"));
        }
        EXPECT_EQ(nullptr, CExtHookSink::GetChain(h));
        for (TestSink* p : sinks) {
            if (p != NULL) {
                EXPECT_FALSE(p->IsHookedWindow(h));
                delete p;
            }
        }
    }
}

TEST(HookSink, SuppressedNcDestroyNeverReachesTheWindow)
{
    g_log.clear();
    HWND h = MakeWindow();
    TestSink a("A");
    a.m_nHookSinkFlags |= CExtHookSink::HOOK_FLAG_SUPPRESS_NCDESTROY;
    ASSERT_TRUE(a.SetupHookWndSink(h));
    ::DestroyWindow(h);
    EXPECT_EQ("A-attach,A-ncdestroy", Joined());
    EXPECT_FALSE(a.IsHookedWindow(h));
}

TEST(HookSink, AnAutoDeleteSinkOnSeveralWindowsGoesWithItsLastChain)
{
    g_deleted = 0;
    HWND h1 = MakeWindow(), h2 = MakeWindow(), h3 = MakeWindow();
    TestSink* p = new TestSink("A", true, true);
    ASSERT_TRUE(p->SetupHookWndSink(h1));
    ASSERT_TRUE(p->SetupHookWndSink(h2));
    ASSERT_TRUE(p->SetupHookWndSink(h3));
    ::DestroyWindow(h1);
    EXPECT_EQ(0, g_deleted);
    ASSERT_TRUE(p->SetupHookWndSink(h2, true));
    EXPECT_EQ(0, g_deleted);
    EXPECT_TRUE(p->IsHookedWindow(h3));
    g_log.clear();
    ::SendMessageA(h3, WM_COMMAND, 1, 0);
    EXPECT_EQ("A,orig", Joined());
    ::DestroyWindow(h3);
    EXPECT_EQ(1, g_deleted);
    ::DestroyWindow(h2);  // its chain is empty now: nothing left to delete
    EXPECT_EQ(1, g_deleted);

    // RemoveAllWndHooks deletes it once, after its last window
    HWND h4 = MakeWindow(), h5 = MakeWindow();
    p = new TestSink("B", true, true);
    p->SetupHookWndSink(h4);
    p->SetupHookWndSink(h5);
    p->RemoveAllWndHooks();
    EXPECT_EQ(2, g_deleted);
    EXPECT_EQ(0, CExtHookSink::GetChain(h4)->m_sinks.GetSize());
    ::DestroyWindow(h4);
    ::DestroyWindow(h5);
    EXPECT_EQ(2, g_deleted);
}

TEST(HookSink, SetupRefusesWhatIsNoWindowAndUnhookingIsQuiet)
{
    TestSink a("A");
    EXPECT_FALSE(a.SetupHookWndSink(NULL));
    EXPECT_FALSE(a.SetupHookWndSink((HWND)(UINT_PTR)0x7FFF0));
    HWND h = MakeWindow();
    g_log.clear();
    EXPECT_TRUE(a.SetupHookWndSink(h, true));  // not hooked: true, nothing called
    EXPECT_EQ("", Joined());
    {
        TestSink b("B");
        b.SetupHookWndSink(h);
    }  // a sink that goes away leaves the chain
    ASSERT_NE(nullptr, CExtHookSink::GetChain(h));
    EXPECT_EQ(0, CExtHookSink::GetChain(h)->m_sinks.GetSize());
    g_log.clear();
    EXPECT_EQ(7, ::SendMessageA(h, WM_COMMAND, 1, 0));
    EXPECT_EQ("orig", Joined());
    ::DestroyWindow(h);
}
