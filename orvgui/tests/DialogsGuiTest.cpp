// The GUI's small windows under Xvfb, driven by real input: the label (colour, link, pointer) and
// the feedback delivery thread (told only once the mail went; failures reported; a bounded wait
// at exit). Pictures per look are kept in build/screenshots.
#include "orv/gtest.h"

#include <afxwin.h>

#include <string>
#include <vector>

#include "CLabel.h"
#include "ThreadSendFeedback.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"

namespace {

CWinApp& App()
{
    return orvtest::uiApp("orvgui dialogs test");
}

std::string DepthSuffix()
{
    std::string depth = orvtest::env("ORV_DISPLAY_DEPTH");
    return "_" + (depth.empty() ? std::string("24") : depth);
}

void Picture(const std::string& name)
{
    ::GdiFlush();
    orvtest::screenshot("orvgui_" + name + DepthSuffix());
}

// Pixels of a window's client area that show a colour, as the screen has them now.
int PixelsOf(HWND hWnd, COLORREF colour)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    HDC hdc = ::GetDC(hWnd);
    const COLORREF wanted = ::GetNearestColor(hdc, colour);
    int count = 0;
    for (int y = 0; y < rc.bottom; ++y)
        for (int x = 0; x < rc.right; ++x)
            count += ::GetPixel(hdc, x, y) == wanted;
    ::ReleaseDC(hWnd, hdc);
    return count;
}

// ---- the label ----

struct OpenCall {
    HWND window;
    std::string target;
};
std::vector<OpenCall> g_opened;
void RecordOpen(HWND window, const char* target)
{
    g_opened.push_back({window, target != nullptr ? target : "(null)"});
}

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        g_opened.clear();
        CLabel::setOpenFunction(&RecordOpen);
        ASSERT_TRUE(host.CreateEx(0, AfxRegisterWndClass(0, ::LoadCursor(NULL, IDC_ARROW), (HBRUSH)(COLOR_BTNFACE + 1)),
                                  "labels", WS_POPUP | WS_VISIBLE | WS_BORDER, CRect(100, 100, 500, 260), NULL, 0));
        ASSERT_TRUE(label.Create("Visit the Orvane pages", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(20, 20, 380, 60),
                                 &host, 1132));
        label.SetFont(CFont::FromHandle((HFONT)::GetStockObject(DEFAULT_GUI_FONT)));
        host.SetForegroundWindow();
        ASSERT_TRUE(orvtest::pumpUntil([&] { return ::GetUpdateRect(label.m_hWnd, NULL, FALSE) == FALSE; }));
    }
    void TearDown() override
    {
        CLabel::setOpenFunction(nullptr);
        if (::IsWindow(host.m_hWnd))
            host.DestroyWindow();
    }

    CWnd host;
    CLabel label;
};

TEST_F(LabelTest, ANewColourIsOnTheScreenAtOnce)
{
    EXPECT_EQ(::GetSysColor(COLOR_WINDOWTEXT), label.textColor());
    EXPECT_EQ(0, PixelsOf(label.m_hWnd, RGB(0, 0, 255)));
    // no message is handled between the call and the reading: the label painted itself
    label.setTextColor(RGB(0, 0, 255)).setLinkCursor(NULL);
    EXPECT_GT(PixelsOf(label.m_hWnd, RGB(0, 0, 255)), 20);
    Picture("label_blue");
    label.setTextColor(RGB(255, 0, 0));
    EXPECT_EQ(0, PixelsOf(label.m_hWnd, RGB(0, 0, 255)));
    EXPECT_GT(PixelsOf(label.m_hWnd, RGB(255, 0, 0)), 20);
}

TEST_F(LabelTest, AClickOpensTheLinkTargetOnlyWhenTheLabelIsALink)
{
    const struct {
        const char* name;
        bool link;
        const char* target;
        std::vector<std::string> opened;
    } cases[] = {
        {"a link with its target", true, "https://orvane.example/", {"https://orvane.example/"}},
        {"a link without a target asks for an empty name", true, "", {""}},
        {"not a link: the click is the parent's", false, "https://orvane.example/", {}},
    };
    int offset = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        g_opened.clear();
        label.setLinkTarget(c.target).setLink(c.link);
        EXPECT_EQ(c.link, (label.GetStyle() & SS_NOTIFY) != 0);
        // each click a few pixels aside: two on one spot in quick succession are a double click
        POINT p = orvtest::centreOf(label.m_hWnd);
        p.x += offset;
        offset += 12;
        ASSERT_TRUE(orvtest::click(p, c.link ? label.m_hWnd : host.m_hWnd));
        orvtest::pumpWaiting();
        std::vector<std::string> targets;
        for (const OpenCall& call : g_opened) {
            targets.push_back(call.target);
            EXPECT_EQ(label.m_hWnd, call.window);
        }
        EXPECT_EQ(c.opened, targets);
    }
}

TEST_F(LabelTest, TheLinkCursorShowsOverTheLabel)
{
    HCURSOR hand = ::LoadCursor(NULL, IDC_HAND);
    ASSERT_NE(nullptr, hand);
    label.setLink(true).setLinkCursor(hand);
    ASSERT_TRUE(orvtest::moveTo(orvtest::centreOf(label.m_hWnd), label.m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetCursor() == hand; }));
    // none set: the default pointer again
    label.setLinkCursor(NULL);
    ASSERT_TRUE(orvtest::moveTo(POINT{250, 130}, host.m_hWnd));
    ASSERT_TRUE(orvtest::moveTo(orvtest::centreOf(label.m_hWnd), label.m_hWnd));
    EXPECT_TRUE(orvtest::pumpUntil([&] { return ::GetCursor() != hand; }));
}

// ---- the feedback delivery ----

// A mail call that waits until the test lets it go, and records what it was given.
struct MailGate {
    HANDLE entered = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    HANDLE release = ::CreateEventA(NULL, TRUE, FALSE, NULL);
    long result = 0;
    std::string lastError;
    std::vector<std::string> calls;   // "from|to|subject|body"
    CRITICAL_SECTION lock;
    MailGate() { ::InitializeCriticalSection(&lock); }
    ~MailGate()
    {
        ::CloseHandle(entered);
        ::CloseHandle(release);
        ::DeleteCriticalSection(&lock);
    }
};
MailGate* g_gate = nullptr;

long GatedSendMail(const std::string& from, std::string to, const std::string& subject, const std::string& body,
                   const std::vector<std::string>& attachments)
{
    ::EnterCriticalSection(&g_gate->lock);
    g_gate->calls.push_back(from + "|" + to + "|" + subject + "|" + body + "|" + std::to_string(attachments.size()));
    ::LeaveCriticalSection(&g_gate->lock);
    ::SetEvent(g_gate->entered);
    ::WaitForSingleObject(g_gate->release, INFINITE);
    return g_gate->result;
}
std::string GatedLastError()
{
    return g_gate->lastError;
}

class FeedbackThreadTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        g_gate = &gate;
        ThreadSendFeedback::setMailFunctions(&GatedSendMail, &GatedLastError);
        window = ::CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, NULL, NULL, NULL);
        ASSERT_NE(nullptr, window);
    }
    void TearDown() override
    {
        ::SetEvent(gate.release);
        EXPECT_EQ(0, ThreadSendFeedback::joinAll(10000));
        ThreadSendFeedback::setMailFunctions(nullptr, nullptr);
        ::DestroyWindow(window);
        g_gate = nullptr;
    }
    // The finished message, if one is waiting now.
    bool Finished(MSG& msg)
    {
        return ::PeekMessageA(&msg, window, ThreadSendFeedback::kFinished, ThreadSendFeedback::kFinished, PM_REMOVE) !=
               FALSE;
    }
    // Waits for the finished message without dispatching it.
    bool WaitFinished(MSG& msg)
    {
        const DWORD start = ::GetTickCount();
        while (!Finished(msg)) {
            if (::GetTickCount() - start > 10000)
                return false;
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 50, QS_POSTMESSAGE);
        }
        return true;
    }

    MailGate gate;
    HWND window = NULL;
};

TEST_F(FeedbackThreadTest, TheFormHearsOnlyOnceTheMailWentOrFailed)
{
    const struct {
        const char* name;
        long result;
        const char* lastError;
        WPARAM posted;
        const char* error;
    } cases[] = {
        {"accepted", 0, "", 1, ""},
        {"refused with a reply", E_FAIL, "550 5.1.1 no such user", 0, "550 5.1.1 no such user"},
        {"refused without a reply", E_FAIL, "", 0, "the mail was not accepted"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ::ResetEvent(gate.entered);
        ::ResetEvent(gate.release);
        gate.calls.clear();
        gate.result = c.result;
        gate.lastError = c.lastError;
        ThreadSendFeedback* thread = ThreadSendFeedback::start("user@example.test", "Hello", "Body text", window);
        ASSERT_NE(nullptr, thread);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gate.entered, 10000));
        MSG msg;
        EXPECT_FALSE(Finished(msg)) << "told before the mail went";
        EXPECT_FALSE(thread->finished());
        ::SetEvent(gate.release);
        ASSERT_TRUE(WaitFinished(msg));
        EXPECT_EQ(c.posted, msg.wParam);
        EXPECT_EQ(c.result == 0, thread->sent());
        EXPECT_EQ(std::string(c.error), thread->error());
        EXPECT_EQ((std::vector<std::string>{"user@example.test|" + std::string(ThreadSendFeedback::kSupportAddress) +
                                            "|Hello|Body text|0"}),
                  gate.calls);
        thread->detach();
        // the thread may still be leaving its procedure: freed by a reap once it has
        EXPECT_TRUE(orvtest::pumpUntil([] {
            ThreadSendFeedback::reap();
            return ThreadSendFeedback::count() == 0;
        }));
    }
}

TEST_F(FeedbackThreadTest, ADetachedDeliveryPostsNothingAndIsFreedWhenItEnds)
{
    ThreadSendFeedback* thread = ThreadSendFeedback::start("user@example.test", "Hello", "Body", window);
    ASSERT_NE(nullptr, thread);
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gate.entered, 10000));
    thread->detach();
    ThreadSendFeedback::reap();
    EXPECT_EQ(1, ThreadSendFeedback::count()) << "still delivering: kept";
    ::SetEvent(gate.release);
    EXPECT_EQ(0, ThreadSendFeedback::joinAll(10000));
    MSG msg;
    EXPECT_FALSE(Finished(msg));
}

TEST_F(FeedbackThreadTest, TheWaitAtExitIsBounded)
{
    ASSERT_NE(nullptr, ThreadSendFeedback::start("user@example.test", "Hello", "Body", window));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(gate.entered, 10000));
    const DWORD start = ::GetTickCount();
    EXPECT_EQ(1, ThreadSendFeedback::joinAll(300)) << "a delivery that hangs is left running";
    const DWORD spent = ::GetTickCount() - start;
    EXPECT_GE(spent, 250u);
    EXPECT_LT(spent, 5000u);
    ::SetEvent(gate.release);
    EXPECT_EQ(0, ThreadSendFeedback::joinAll(10000));
    MSG msg;
    EXPECT_FALSE(Finished(msg)) << "the exit wait lets every window go";
}

}  // namespace
