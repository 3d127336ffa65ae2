// The GUI's small windows under Xvfb, driven by real input: the label (colour, link, pointer) and
// the feedback delivery thread (told only once the mail went; failures reported; a bounded wait
// at exit). Pictures per look are kept in build/screenshots.
#include "orv/gtest.h"

#include <afxwin.h>

#include <memory>
#include <string>
#include <vector>

#include "CAboutBox.h"
#include "CColumnsChooserDlg.h"
#include "CDialogSendFeedback.h"
#include "CLabel.h"
#include "CWaitDlg.h"
#include "ContextHelpMap.h"
#include "ThreadSendFeedback.h"
#include "resource.h"
#include "orv/TestEnv.h"
#include "orv/UiTest.h"
#include "WindowTestSupport.h"

namespace {

CWinApp& App()
{
    return orvtest::uiApp("orvgui dialogs test");
}

using wintest::kLooks;
using wintest::ListTexts;
using wintest::Look;
using wintest::Picture;
using wintest::TextOf;
using wintest::TypeChars;

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
    const long long start = orvtest::nowMs();
    EXPECT_EQ(1, ThreadSendFeedback::joinAll(300)) << "a delivery that hangs is left running";
    const long long spent = orvtest::nowMs() - start;
    EXPECT_GE(spent, 250);
    EXPECT_LT(spent, 5000);
    ::SetEvent(gate.release);
    EXPECT_EQ(0, ThreadSendFeedback::joinAll(10000));
    MSG msg;
    EXPECT_FALSE(Finished(msg)) << "the exit wait lets every window go";
}

// ---- the wait box, the about box, the feedback form, the columns chooser ----

// Help requests the windows make (the engine is recorded; the help file "exists").
std::vector<std::pair<UINT, ULONG_PTR>> g_help;
BOOL RecordHelp(HWND, const char*, UINT command, ULONG_PTR data)
{
    g_help.push_back({command, data});
    return TRUE;
}
void NoMessage(HWND, const char*) {}
bool FileExists(const std::string&) { return true; }
const ContextHelpMap::Engine kRecordingEngine = {&RecordHelp, &NoMessage, &FileExists};

// Clicks a control of a dialog with real input (each click a little aside from the last, so that
// two are never one double click).
bool ClickItem(HWND dialog, int id)
{
    static int nudge = 0;
    HWND control = ::GetDlgItem(dialog, id);
    POINT p = orvtest::centreOf(control);
    p.x += (nudge++ % 3) * 3 - 3;
    return orvtest::click(p, control);
}

class WindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        App();
        g_help.clear();
        ContextHelpMap::setEngine(&kRecordingEngine);
    }
    void TearDown() override
    {
        ContextHelpMap::setEngine(nullptr);
        g_PaintManager.InstallPaintManager(new CExtPaintManager);
    }
    // A step: F1 once to the dialog's focused control, done when its help request came.
    static orvtest::Script::Step PressF1()
    {
        auto pressed = std::make_shared<bool>(false);
        return [pressed] {
            if (!*pressed) {
                orvtest::pressKey(VK_F1);
                *pressed = true;
            }
            return !g_help.empty();
        };
    }
};

TEST_F(WindowsTest, WaitBoxShowsItsTextAndEnds)
{
    CWaitDlg wait;
    ASSERT_TRUE(wait.Show("Stopping the watches, please wait...", NULL));
    EXPECT_TRUE(wait.IsWindowVisible());
    EXPECT_EQ("Stopping the watches, please wait...", TextOf(::GetDlgItem(wait.m_hWnd, CWaitDlg::IDC_TEXT)));
    EXPECT_EQ(0u, wait.GetStyle() & WS_DLGFRAME) << "no caption";
    orvtest::pumpWaiting();
    Picture("wait_box");
    wait.Close();
    EXPECT_FALSE(::IsWindow(wait.m_hWnd));
}

TEST_F(WindowsTest, AboutBoxShowsTheBuildNumberInEachLookAndF1AsksForTheContents)
{
    for (const Look& look : kLooks) {
        SCOPED_TRACE(look.name);
        g_PaintManager.InstallPaintManager(look.make());
        g_help.clear();
        CAboutBox about;
        HWND box = NULL;
        orvtest::Script script({
            {"shown", [&] { return (box = about.m_hWnd) != NULL && ::IsWindowVisible(box); }},
            {"F1", PressF1()},
            {"picture", [&] {
                 ::RedrawWindow(box, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                 Picture(std::string("about_") + look.name);
                 return true;
             }},
            {"OK", [&] { return ClickItem(box, IDOK); }},
        });
        EXPECT_EQ(IDOK, about.DoModal());
        EXPECT_TRUE(script.finished()) << script.failure;
        EXPECT_EQ(std::string("Build number: ") + ORV_BUILD_STRING, std::string((LPCTSTR)about.m_strBuild));
        EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_FINDER, 0}}), g_help) << "not in the map: the contents";
    }
    EXPECT_EQ(std::string(ORV_BUILD_STRING), CAboutBox::BuildString());
}

// A mail call for the form: answers what the test sets, records what it was given.
long g_mailResult = 0;
std::vector<std::string> g_mails;
long FormSendMail(const std::string& from, std::string to, const std::string& subject, const std::string& body,
                  const std::vector<std::string>&)
{
    g_mails.push_back(from + "|" + to + "|" + subject + "|" + body);
    return g_mailResult;
}
std::string FormLastError() { return "550 mailbox unavailable"; }

TEST_F(WindowsTest, FeedbackFormChecksWhatWasTypedAndSaysSentOnlyOnceTheMailWent)
{
    ThreadSendFeedback::setMailFunctions(&FormSendMail, &FormLastError);
    g_mails.clear();
    CDialogSendFeedback form;
    HWND box = NULL;
    auto edit = [&](int id) { return ::GetDlgItem(box, id); };
    std::string stuck;   // which wait of the last try did not end, with what the thread held then
    auto note = [&](const char* what) {
        stuck = std::string(what) + " (active " + orvtest::className(::GetActiveWindow()) + ", capture " +
                orvtest::className(::GetCapture()) + ", focus " + orvtest::className(::GetFocus()) +
                ", mouse: " + orvtest::recentMouseMessages() + ")";
        return false;
    };
    auto typeInto = [&](int id, const char* text) {
        // the form is active again once the last message box has gone, and the click has put
        // the focus into the field: only then do the keys go there
        if (!orvtest::pumpUntil([&] { return ::IsWindowEnabled(box) && ::GetActiveWindow() == box; }))
            return note("form active again");
        // the skinned Send button holds the mouse while the pointer is over it: the pointer
        // moves onto the field first and the button lets go before the click
        if (!orvtest::moveTo(orvtest::centreOf(edit(id)), edit(id)))
            return note(("move onto the field at " + std::to_string(orvtest::centreOf(edit(id)).x) + "," +
                         std::to_string(orvtest::centreOf(edit(id)).y)).c_str());
        if (!orvtest::pumpUntil([] { return ::GetCapture() == NULL; }))
            return note("capture let go");
        if (!orvtest::click(orvtest::centreOf(edit(id)), edit(id)))
            return note("click into the field");
        if (!orvtest::pumpUntil([&] { return ::GetFocus() == edit(id); }))
            return note("focus in the field");
        ::SendMessageA(edit(id), EM_SETSEL, 0, -1);   // what was there is replaced
        TypeChars(text);
        return orvtest::pumpUntil([&] { return TextOf(edit(id)) == text; });
    };
    orvtest::Script* running = nullptr;
    // presses Send once, done when the form's message box came and was closed
    auto sendSays = [&](size_t index) {
        auto pressed = std::make_shared<bool>(false);
        return [&, pressed, index] {
            if (!*pressed) {
                *pressed = true;
                ClickItem(box, CDialogSendFeedback::IDC_SEND_BUTTON);
            }
            return running->boxes.texts.size() > index;
        };
    };
    orvtest::Script script({
        {"shown", [&] { return (box = form.m_hWnd) != NULL && ::IsWindowVisible(box); }},
        {"send empty", sendSays(0)},
        {"type a bad address", [&] { return typeInto(CDialogSendFeedback::IDC_ADDRESS, "me.x@host"); }},
        {"send without a subject", sendSays(1)},
        {"type a subject", [&] { return typeInto(CDialogSendFeedback::IDC_SUBJECT, "Hello"); }},
        {"send without a body", sendSays(2)},
        {"type a body", [&] { return typeInto(CDialogSendFeedback::IDC_BODY, "Great tool"); }},
        {"send with a bad address", sendSays(3)},
        {"F1", PressF1()},
        {"fix the address", [&] { return typeInto(CDialogSendFeedback::IDC_ADDRESS, "me@host.example"); }},
        {"picture", [&] {
             Picture("feedback_form");
             g_mailResult = E_FAIL;
             return true;
         }},
        {"send, refused", sendSays(4)},
        {"the texts are kept", [&] {
             EXPECT_EQ("me@host.example", TextOf(edit(CDialogSendFeedback::IDC_ADDRESS)));
             EXPECT_EQ("Great tool", TextOf(edit(CDialogSendFeedback::IDC_BODY)));
             EXPECT_TRUE(::IsWindowEnabled(edit(CDialogSendFeedback::IDC_SEND_BUTTON)));
             g_mailResult = 0;
             return true;
         }},
        {"send, accepted", sendSays(5)},
    });
    running = &script;
    EXPECT_EQ(IDOK, form.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure << ": " << stuck;
    EXPECT_EQ((std::vector<std::string>{"Please enter an email address", "Please enter a subject", "Please enter a body",
                                        "Please enter a valid email address! ",
                                        "Your feedback could not be sent: 550 mailbox unavailable",
                                        CDialogSendFeedback::kSent}),
              script.boxes.texts);
    const std::string to = ThreadSendFeedback::kSupportAddress;
    EXPECT_EQ((std::vector<std::string>{"me@host.example|" + to + "|Hello|Great tool",
                                        "me@host.example|" + to + "|Hello|Great tool"}),
              g_mails);
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 40}}), g_help);
    EXPECT_EQ(0, ThreadSendFeedback::joinAll(10000));
    ThreadSendFeedback::setMailFunctions(nullptr, nullptr);
}

TEST_F(WindowsTest, FeedbackFormClearEmptiesEveryField)
{
    CDialogSendFeedback form;
    form.m_strAddress = "me@host.example";
    form.m_strSubject = "Hello";
    form.m_strBody = "Text";
    HWND box = NULL;
    orvtest::Script script({
        {"shown", [&] { return (box = form.m_hWnd) != NULL && ::IsWindowVisible(box); }},
        {"filled", [&] { return TextOf(::GetDlgItem(box, CDialogSendFeedback::IDC_SUBJECT)) == "Hello"; }},
        {"clear", [&] { return ClickItem(box, CDialogSendFeedback::IDC_CLEAR); }},
        {"cleared", [&] {
             for (int id : {CDialogSendFeedback::IDC_ADDRESS, CDialogSendFeedback::IDC_SUBJECT, CDialogSendFeedback::IDC_BODY})
                 if (!TextOf(::GetDlgItem(box, id)).empty())
                     return false;
             return true;
         }},
        {"cancel", [&] { return ClickItem(box, IDCANCEL); }},
    });
    EXPECT_EQ(IDCANCEL, form.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
}

// ---- the columns chooser ----

// Clicks the caption in a list box with real input.
bool ClickCaption(HWND list, const std::string& caption)
{
    const int index = static_cast<int>(::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                      reinterpret_cast<LPARAM>(caption.c_str())));
    if (index < 0)
        return false;
    RECT item = {};
    ::SendMessageA(list, LB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&item));
    static int nudge = 0;
    POINT p = orvtest::screenPoint(list, POINT{(item.left + item.right) / 2 + (nudge++ % 3) * 4 - 4, (item.top + item.bottom) / 2});
    return orvtest::click(p, list) &&
           orvtest::pumpUntil([&] { return ::SendMessageA(list, LB_GETCURSEL, 0, 0) == index; });
}

using Captions = std::vector<std::string>;

struct Chooser {
    CColumnsChooserDlg dlg;
    HWND box = NULL;
    Chooser(bool defaults)
    {
        for (const char* c : {"Status", "Name", "URL/IP"})
            dlg.addActive(c);
        for (const char* c : {"Response time", "Checks"})
            dlg.addAvailable(c);
        if (defaults)
            dlg.setDefaults({"Name", "Status"}, {"Checks", "Response time", "URL/IP"});
    }
    HWND list(int id) { return ::GetDlgItem(box, id); }
    Captions active() { return ListTexts(list(CColumnsChooserDlg::IDC_ACTIVE)); }
    Captions available() { return ListTexts(list(CColumnsChooserDlg::IDC_AVAILABLE)); }
    orvtest::Script::Step shown()
    {
        return [this] { return (box = dlg.m_hWnd) != NULL && ::IsWindowVisible(box); };
    }
    orvtest::Script::Step pick(int id, const char* caption)
    {
        return [this, id, caption] { return ClickCaption(list(id), caption); };
    }
    orvtest::Script::Step press(int id)
    {
        return [this, id] { return ClickItem(box, id); };
    }
    // The lists hold these now.
    orvtest::Script::Step expect(Captions act, Captions avail)
    {
        return [this, act, avail] {
            EXPECT_EQ(act, active());
            EXPECT_EQ(avail, available());
            return true;
        };
    }
};

TEST_F(WindowsTest, ColumnsChooserMovesCaptionsByRealClicksAndOkGivesTheLists)
{
    Chooser c(true);
    using C = CColumnsChooserDlg;
    orvtest::Script script({
        {"shown", c.shown()},
        {"start", c.expect({"Status", "Name", "URL/IP"}, {"Checks", "Response time"})},
        {"pick Checks", c.pick(C::IDC_AVAILABLE, "Checks")},
        {"add", c.press(C::IDC_ADD)},
        {"added at the end", c.expect({"Status", "Name", "URL/IP", "Checks"}, {"Response time"})},
        {"pick Name", c.pick(C::IDC_ACTIVE, "Name")},
        {"up", c.press(C::IDC_UP)},
        {"moved up", c.expect({"Name", "Status", "URL/IP", "Checks"}, {"Response time"})},
        {"up on the first", c.press(C::IDC_UP)},
        {"nothing changed", c.expect({"Name", "Status", "URL/IP", "Checks"}, {"Response time"})},
        {"pick URL/IP", c.pick(C::IDC_ACTIVE, "URL/IP")},
        {"down", c.press(C::IDC_DOWN)},
        {"moved down", c.expect({"Name", "Status", "Checks", "URL/IP"}, {"Response time"})},
        {"down on the last", c.press(C::IDC_DOWN)},
        {"still last", c.expect({"Name", "Status", "Checks", "URL/IP"}, {"Response time"})},
        {"remove", c.press(C::IDC_REMOVE)},
        {"removed into its sorted place", c.expect({"Name", "Status", "Checks"}, {"Response time", "URL/IP"})},
        {"buttons after remove", [&] {
             EXPECT_FALSE(::IsWindowEnabled(c.list(C::IDC_REMOVE)));
             EXPECT_FALSE(::IsWindowEnabled(c.list(C::IDC_UP)));
             EXPECT_FALSE(::IsWindowEnabled(c.list(C::IDC_DOWN)));
             return true;
         }},
        // the clicked button is disabled now: F1 goes to the list that has the focus
        {"pick Name", c.pick(C::IDC_ACTIVE, "Name")},
        {"F1", PressF1()},
        {"pictures", [&] {
             for (const Look& look : kLooks) {
                 g_PaintManager.InstallPaintManager(look.make());
                 ::RedrawWindow(c.box, NULL, NULL, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
                 Picture(std::string("chooser_") + look.name);
             }
             return true;
         }},
        {"reset", c.press(C::IDC_RESET)},
        {"the defaults", c.expect({"Name", "Status"}, {"Checks", "Response time", "URL/IP"})},
        {"pick Checks again", c.pick(C::IDC_AVAILABLE, "Checks")},
        {"add by double click", [&] {
             HWND list = c.list(C::IDC_AVAILABLE);
             RECT item = {};
             ::SendMessageA(list, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
             return orvtest::doubleClick(orvtest::screenPoint(list, POINT{item.left + 20, (item.top + item.bottom) / 2}), list);
         }},
        {"added", c.expect({"Name", "Status", "Checks"}, {"Response time", "URL/IP"})},
        {"OK", c.press(IDOK)},
    });
    EXPECT_EQ(IDOK, c.dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((Captions{"Name", "Status", "Checks"}), c.dlg.active());
    EXPECT_EQ((Captions{"Response time", "URL/IP"}), c.dlg.available());
    EXPECT_EQ((std::vector<std::pair<UINT, ULONG_PTR>>{{HELP_CONTEXT, 23}}), g_help);
}

TEST_F(WindowsTest, ColumnsChooserCancelKeepsTheVectorsAndHasNoResetWithoutDefaults)
{
    Chooser c(false);
    using C = CColumnsChooserDlg;
    orvtest::Script script({
        {"shown", c.shown()},
        {"no reset", [&] {
             EXPECT_FALSE(::IsWindowVisible(c.list(C::IDC_RESET)));
             EXPECT_TRUE(::IsWindowVisible(c.list(IDOK)));
             return true;
         }},
        {"pick Status", c.pick(C::IDC_ACTIVE, "Status")},
        {"remove", c.press(C::IDC_REMOVE)},
        {"removed", c.expect({"Name", "URL/IP"}, {"Checks", "Response time", "Status"})},
        {"cancel", c.press(IDCANCEL)},
    });
    EXPECT_EQ(IDCANCEL, c.dlg.DoModal());
    EXPECT_TRUE(script.finished()) << script.failure;
    EXPECT_EQ((Captions{"Status", "Name", "URL/IP"}), c.dlg.active());
    EXPECT_EQ((Captions{"Response time", "Checks"}), c.dlg.available());
}

}  // namespace
