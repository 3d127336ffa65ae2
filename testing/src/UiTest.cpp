// Scripts on a thread timer, real input and the message recorder (see UiTest.h).
#include <orv/UiTest.h>
#include <algorithm>
#include <cstdio>
#include <map>

namespace orvtest {

CWinApp& uiApp(const char* name)
{
    static CWinApp app(name);
    return app;
}

std::string className(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return name;
}

namespace {

bool pumpOne()
{
    MSG msg;
    if (!::PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
        return false;
    if (!CWnd::WalkPreTranslateTree(NULL, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return true;
}

}  // namespace

bool pumpUntil(const std::function<bool()>& pred, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!pred()) {
        if (::GetTickCount() - start > timeoutMs)
            return pred();
        if (!pumpOne())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

void pumpWaiting()
{
    while (pumpOne()) {
    }
}

// ---- script ----

namespace {

Script* g_pScript = nullptr;

BOOL CALLBACK FindText(HWND hWnd, LPARAM lParam)
{
    char text[512] = "";
    if (className(hWnd) == "Static" && ::GetWindowTextA(hWnd, text, sizeof text) > 0) {
        *reinterpret_cast<std::string*>(lParam) = text;
        return FALSE;
    }
    return TRUE;
}

// A visible dialog-class window of the thread that no framework object owns: a message box.
BOOL CALLBACK CloseMessageBox(HWND hWnd, LPARAM lParam)
{
    if (className(hWnd) == "#32770" && ::IsWindowVisible(hWnd) && CWnd::FromHandlePermanent(hWnd) == NULL &&
        ::GetPropA(hWnd, "OrvTestSeen") == NULL) {
        std::string text;
        ::EnumChildWindows(hWnd, FindText, (LPARAM)&text);
        MessageBoxes* boxes = reinterpret_cast<MessageBoxes*>(lParam);
        boxes->texts.push_back(text);
        ::SetPropA(hWnd, "OrvTestSeen", (HANDLE)1);
        const size_t n = boxes->texts.size() - 1;
        ::PostMessageA(hWnd, WM_COMMAND, n < boxes->answers.size() ? boxes->answers[n] : IDOK, 0);
    }
    return TRUE;
}

}  // namespace

Script::Script(std::vector<std::pair<std::string, Step>> steps, DWORD timeoutMs)
    : m_steps(std::move(steps)), m_timeoutMs(timeoutMs), m_start(::GetTickCount()), m_pOuter(g_pScript)
{
    g_pScript = this;
    m_timer = ::SetTimer(NULL, 0, 30, OnTimer);
}

Script::~Script()
{
    ::KillTimer(NULL, m_timer);
    g_pScript = m_pOuter;
    if (!failure.empty()) {
        MSG msg;
        while (::PeekMessageA(&msg, NULL, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

bool Script::run()
{
    pumpUntil([this] { return finished() || !failure.empty(); }, 0x7FFFFFFF);
    return finished();
}

void CALLBACK Script::OnTimer(HWND, UINT, UINT_PTR, DWORD)
{
    AfxCallbackBarrier(0, [] {
        if (g_pScript != nullptr)
            g_pScript->Tick();
        return 0;
    });
}

void Script::Tick()
{
    ::EnumThreadWindows(::GetCurrentThreadId(), CloseMessageBox, (LPARAM)&boxes);
    if (finished() || !failure.empty())
        return;
    // The limit holds inside a step too: a step that opened a modal window is running that
    // window's loop, and the quit message ends the loop.
    if (::GetTickCount() - m_start > m_timeoutMs) {
        failure = "step '" + m_steps[m_next].first + "' timed out" +
                  (m_inStep ? " (in a window's loop it opened: send its input with queueClick)" : "");
        ::PostQuitMessage(99);
        return;
    }
    if (m_inStep)
        return;
    m_inStep = true;
    bool bDone = m_steps[m_next].second();
    m_inStep = false;
    if (bDone) {
        done.push_back(m_steps[m_next].first);
        m_next++;
        m_start = ::GetTickCount();
    }
}

// ---- keyboard ----

namespace {

void sendKey(WORD vk, bool down)
{
    INPUT in = {};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = (WORD)::MapVirtualKeyA(vk, 0 /* MAPVK_VK_TO_VSC */);
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &in, sizeof in);
}

const WORD kModifierKeys[] = {VK_SHIFT, VK_CONTROL, VK_MENU};

}  // namespace

void keyDown(WORD vk) { sendKey(vk, true); }
void keyUp(WORD vk) { sendKey(vk, false); }

void pressKey(WORD vk, unsigned modifiers)
{
    for (int i = 0; i < 3; i++)
        if (modifiers & (1u << i))
            sendKey(kModifierKeys[i], true);
    sendKey(vk, true);
    sendKey(vk, false);
    for (int i = 2; i >= 0; i--)
        if (modifiers & (1u << i))
            sendKey(kModifierKeys[i], false);
}

void typeText(const char* text)
{
    for (const char* p = text; *p != '\0'; ++p) {
        char c = *p;
        if (c >= 'a' && c <= 'z')
            pressKey((WORD)(c - 'a' + 'A'));
        else if (c >= 'A' && c <= 'Z')
            pressKey((WORD)c, kShift);
        else if (c == '-')
            pressKey(VK_OEM_MINUS);
        else
            pressKey((WORD)c);
    }
}

// ---- mouse ----

namespace {

HHOOK g_hMouseHook = NULL;
HWND g_hLastMouseTarget = NULL;
POINT g_ptLastMouse = {-1, -1};
DWORD g_nMouseMessages = 0;
// whether the window of the last mouse message held the capture when it took the message: a
// window that holds it only while the pointer is over it lets go as it handles the message
bool g_bLastTargetHeldCapture = false;
// the last mouse messages, for a test's failure message
struct SeenMouse {
    UINT message;
    HWND hwnd;
    POINT pt;
    UINT hitTest;
};
SeenMouse g_recentMouse[8];
// button messages seen (presses and releases apart): a wait for a click's press or release must
// not end on a late move of the pointer that was still queued before it
DWORD g_nPresses = 0;
DWORD g_nReleases = 0;
// the last button message: its window, whether that window held the capture then, its point (a
// window the press or release opens may take later messages before the waiting code looks)
HWND g_hLastButtonTarget = NULL;
bool g_bLastButtonTargetHeldCapture = false;
POINT g_ptLastButton = {-1, -1};

bool isPress(UINT m)
{
    switch (m) {
    case WM_LBUTTONDOWN: case WM_LBUTTONDBLCLK: case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: case WM_NCLBUTTONDOWN: case WM_NCLBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDOWN: case WM_NCMBUTTONDBLCLK:
        return true;
    }
    return false;
}

bool isRelease(UINT m)
{
    switch (m) {
    case WM_LBUTTONUP: case WM_RBUTTONUP: case WM_MBUTTONUP: case WM_NCLBUTTONUP: case WM_NCRBUTTONUP:
    case WM_NCMBUTTONUP:
        return true;
    }
    return false;
}

// Sees every mouse message the thread takes from its queue, with the window it goes to.
LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && lParam != 0) {
        const MOUSEHOOKSTRUCT* p = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
        g_hLastMouseTarget = p->hwnd;
        g_bLastTargetHeldCapture = p->hwnd != NULL && ::GetCapture() == p->hwnd;
        g_ptLastMouse = p->pt;
        g_recentMouse[g_nMouseMessages % 8] = SeenMouse{static_cast<UINT>(wParam), p->hwnd, p->pt, p->wHitTestCode};
        g_nMouseMessages++;
        const bool press = isPress(static_cast<UINT>(wParam)), release = isRelease(static_cast<UINT>(wParam));
        if (press || release) {
            g_hLastButtonTarget = p->hwnd;
            g_bLastButtonTargetHeldCapture = g_bLastTargetHeldCapture;
            g_ptLastButton = p->pt;
            (press ? g_nPresses : g_nReleases)++;
        }
    }
    return ::CallNextHookEx(g_hMouseHook, nCode, wParam, lParam);
}

void watchMouse()
{
    if (g_hMouseHook == NULL)
        g_hMouseHook = ::SetWindowsHookExA(WH_MOUSE, MouseHook, NULL, ::GetCurrentThreadId());
}

// The last point these helpers sent the pointer to (x -1: none yet).
POINT g_ptLastSent = {-1, -1};

void sendMouse(POINT pt, DWORD flags)
{
    g_ptLastSent = pt;
    INPUT in = {};
    in.type = INPUT_MOUSE;
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    // the middle of the pixel, so the rounding back to pixels lands on it
    in.mi.dx = (LONG)(((LONGLONG)pt.x * 65536 + 32768) / cx);
    in.mi.dy = (LONG)(((LONGLONG)pt.y * 65536 + 32768) / cy);
    in.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &in, sizeof in);
}

bool reached(HWND expect, HWND hTarget, bool heldCapture)
{
    return hTarget != NULL &&
           (hTarget == expect || ::IsChild(expect, hTarget) || heldCapture || hTarget == ::GetCapture());
}

bool reached(HWND expect)
{
    return reached(expect, g_hLastMouseTarget, g_bLastTargetHeldCapture);
}

// Sends the event, then waits until a mouse message of it reached the window; a move is sent
// again from time to time (the display may not have known the window yet).
bool sendAndWait(POINT pt, DWORD flags, HWND expect, DWORD timeoutMs)
{
    watchMouse();
    const DWORD seen = g_nMouseMessages;
    const bool press = (flags & (MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_MIDDLEDOWN)) != 0;
    const bool release = (flags & (MOUSEEVENTF_LEFTUP | MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MIDDLEUP)) != 0;
    const DWORD presses = g_nPresses, releases = g_nReleases;
    // A button event is there when its own message came, not a move still queued before it; it
    // is judged by that message (a window it opens may take the messages after it).
    auto arrived = [&] {
        return press ? g_nPresses != presses : release ? g_nReleases != releases : g_nMouseMessages != seen;
    };
    // The message must also carry the point sent: under Wine a late pointer event of an earlier
    // move can put the cursor back where it was, and the window then hears of the old point.
    auto there = [&] {
        if (press || release)
            return reached(expect, g_hLastButtonTarget, g_bLastButtonTargetHeldCapture) && g_ptLastButton.x == pt.x &&
                   g_ptLastButton.y == pt.y;
        return reached(expect) && g_ptLastMouse.x == pt.x && g_ptLastMouse.y == pt.y;
    };
    sendMouse(pt, flags);
    if (expect == NULL) {
        pumpUntil(arrived, 200);
        return true;
    }
    const DWORD start = ::GetTickCount();
    DWORD lastSend = start;
    while (!(arrived() && there())) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        if (::GetTickCount() - lastSend > 200) {
            sendMouse(pt, 0);
            lastSend = ::GetTickCount();
        }
        if (!pumpOne())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

}  // namespace

HWND lastMouseTarget() { return g_hLastMouseTarget; }

std::string recentMouseMessages()
{
    std::string text;
    const DWORD count = g_nMouseMessages;
    for (DWORD i = count > 8 ? count - 8 : 0; i < count; i++) {
        const SeenMouse& m = g_recentMouse[i % 8];
        char line[160];
        snprintf(line, sizeof line, "%s0x%04x to %s at (%ld,%ld) hit %u", text.empty() ? "" : "; ", m.message,
                 className(m.hwnd).c_str(), static_cast<long>(m.pt.x), static_cast<long>(m.pt.y), m.hitTest);
        text += line;
    }
    POINT pt;
    ::GetCursorPos(&pt);
    char line[64];
    snprintf(line, sizeof line, "; cursor at (%ld,%ld)", static_cast<long>(pt.x), static_cast<long>(pt.y));
    return text + line;
}

POINT screenPoint(HWND hWnd, POINT client)
{
    ::ClientToScreen(hWnd, &client);
    return client;
}

POINT centreOf(HWND hWnd)
{
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

bool moveTo(POINT screen, HWND expect, DWORD timeoutMs)
{
    POINT now;
    // already there, and the window has heard of it: a move to the same place brings no message
    if (expect != NULL && ::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y && reached(expect))
        return true;
    return sendAndWait(screen, 0, expect, timeoutMs);
}

bool moveUntil(POINT screen, const std::function<bool()>& done, DWORD timeoutMs)
{
    watchMouse();
    const DWORD start = ::GetTickCount();
    DWORD lastSend = start;
    sendMouse(screen, 0);
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        // the last message carried another point (ours not yet in, or the cursor was put back
        // after it): move again, no oftener than the display can answer
        if ((g_ptLastMouse.x != screen.x || g_ptLastMouse.y != screen.y) && ::GetTickCount() - lastSend > 200) {
            sendMouse(screen, 0);
            lastSend = ::GetTickCount();
        }
        if (!pumpOne())
            ::MsgWaitForMultipleObjects(0, NULL, FALSE, 20, QS_ALLINPUT);
    }
    return true;
}

// A press or release where the helpers last put the pointer: under Wine a late pointer event of
// an earlier move can put the cursor back for a moment, and a press at the cursor's position
// then lands on the wrong window.
namespace {
POINT buttonPoint()
{
    POINT pt = g_ptLastSent;
    if (pt.x < 0)
        ::GetCursorPos(&pt);
    return pt;
}
}  // namespace

void buttonDown(Button button)
{
    sendMouse(buttonPoint(), button == Button::Left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN);
}

void buttonUp(Button button)
{
    sendMouse(buttonPoint(), button == Button::Left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP);
}

bool click(POINT screen, HWND expect, Button button)
{
    if (!moveTo(screen, expect))
        return false;
    const bool left = button == Button::Left;
    return sendAndWait(screen, left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN, expect, 5000) &&
           sendAndWait(screen, left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP, expect, 5000);
}

bool queueClick(POINT screen, HWND expect)
{
    if (!moveTo(screen, expect))
        return false;
    sendMouse(screen, MOUSEEVENTF_LEFTDOWN);
    sendMouse(screen, MOUSEEVENTF_LEFTUP);
    return true;
}

bool doubleClick(POINT screen, HWND expect)
{
    if (!moveTo(screen, expect))
        return false;
    for (int i = 0; i < 2; i++)
        if (!sendAndWait(screen, MOUSEEVENTF_LEFTDOWN, expect, 5000) || !sendAndWait(screen, MOUSEEVENTF_LEFTUP, expect, 5000))
            return false;
    return true;
}

bool drag(POINT from, POINT to, HWND expect, int steps)
{
    // one event at a time, each taken from the queue before the next is sent: a window that
    // reads the pointer's position while it handles an event sees where that event happened
    if (!moveTo(from, expect) || !sendAndWait(from, MOUSEEVENTF_LEFTDOWN, expect, 5000))
        return false;
    for (int i = 1; i <= steps; i++)
        sendAndWait(POINT{from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps}, 0, NULL, 0);
    return sendAndWait(to, MOUSEEVENTF_LEFTUP, NULL, 0);
}

// ---- message recorder ----

namespace {

std::map<HWND, MessageRecorder*>& recorders()
{
    static std::map<HWND, MessageRecorder*> m;
    return m;
}

std::string hex(UINT_PTR value)
{
    char text[32];
    snprintf(text, sizeof text, "0x%llX", (unsigned long long)value);
    return text;
}

std::string row(const std::string& name, const std::string& w, const std::string& l)
{
    std::string s = "  " + name;
    s.resize(std::max<size_t>(s.size(), 26), ' ');
    s += " w=" + w;
    s.resize(std::max<size_t>(s.size(), 46), ' ');
    return s + " l=" + l + "\n";
}

}  // namespace

MessageRecorder::MessageRecorder(HWND hWnd, std::vector<UINT> messages) : m_hWnd(hWnd), m_messages(std::move(messages))
{
    recorders()[hWnd] = this;
    m_pfnOld = (WNDPROC)::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)Proc);
}

MessageRecorder::~MessageRecorder()
{
    if (m_hWnd != NULL && ::IsWindow(m_hWnd)) {
        if ((WNDPROC)::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC) == Proc)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, (LONG_PTR)m_pfnOld);
    }
    if (m_hWnd != NULL)
        recorders().erase(m_hWnd);
}

LRESULT CALLBACK MessageRecorder::Proc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    auto it = recorders().find(hWnd);
    if (it == recorders().end())
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    MessageRecorder* p = it->second;
    const auto& only = p->m_messages;
    if (only.empty() || std::find(only.begin(), only.end(), nMsg) != only.end())
        p->m_received.push_back({nMsg, wParam, lParam});
    WNDPROC pfnOld = p->m_pfnOld;
    if (nMsg == WM_NCDESTROY) {
        // the window goes: hand its procedure back before it runs its last message
        if ((WNDPROC)::GetWindowLongPtrA(hWnd, GWLP_WNDPROC) == Proc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, (LONG_PTR)pfnOld);
        recorders().erase(hWnd);
        p->m_hWnd = NULL;
    }
    return ::CallWindowProcA(pfnOld, hWnd, nMsg, wParam, lParam);
}

bool MessageRecorder::waitFor(size_t count, DWORD timeoutMs)
{
    return pumpUntil([&] { return m_received.size() >= count; }, timeoutMs);
}

::testing::AssertionResult MessageRecorder::matches(const std::vector<Expected>& expected) const
{
    bool same = expected.size() == m_received.size();
    for (size_t i = 0; same && i < expected.size(); i++) {
        const Expected& e = expected[i];
        const Message& m = m_received[i];
        same = e.message == m.message && (!e.wParam || *e.wParam == m.wParam) && (!e.lParam || *e.lParam == m.lParam);
    }
    if (same)
        return ::testing::AssertionSuccess();
    std::string text = "expected " + std::to_string(expected.size()) + " message(s):\n";
    for (const Expected& e : expected)
        text += row(messageName(e.message), e.wParam ? hex(*e.wParam) : "any", e.lParam ? hex((UINT_PTR)*e.lParam) : "any");
    text += "received " + std::to_string(m_received.size()) + ":\n";
    for (const Message& m : m_received)
        text += row(messageName(m.message), hex(m.wParam), hex((UINT_PTR)m.lParam));
    return ::testing::AssertionFailure() << text;
}

std::string MessageRecorder::messageName(UINT message)
{
    static const std::map<UINT, const char*> names = {
        {WM_COMMAND, "WM_COMMAND"},         {WM_NOTIFY, "WM_NOTIFY"},
        {WM_SYSCOMMAND, "WM_SYSCOMMAND"},   {WM_PAINT, "WM_PAINT"},
        {WM_ERASEBKGND, "WM_ERASEBKGND"},   {WM_SIZE, "WM_SIZE"},
        {WM_MOVE, "WM_MOVE"},               {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"},
        {WM_MOUSEMOVE, "WM_MOUSEMOVE"},     {WM_LBUTTONDOWN, "WM_LBUTTONDOWN"},
        {WM_LBUTTONUP, "WM_LBUTTONUP"},     {WM_LBUTTONDBLCLK, "WM_LBUTTONDBLCLK"},
        {WM_RBUTTONDOWN, "WM_RBUTTONDOWN"}, {WM_RBUTTONUP, "WM_RBUTTONUP"},
        {WM_KEYDOWN, "WM_KEYDOWN"},         {WM_KEYUP, "WM_KEYUP"},
        {WM_CHAR, "WM_CHAR"},               {WM_SYSKEYDOWN, "WM_SYSKEYDOWN"},
        {WM_SYSKEYUP, "WM_SYSKEYUP"},       {WM_SETFOCUS, "WM_SETFOCUS"},
        {WM_KILLFOCUS, "WM_KILLFOCUS"},     {WM_CAPTURECHANGED, "WM_CAPTURECHANGED"},
        {WM_SETCURSOR, "WM_SETCURSOR"},     {WM_NCHITTEST, "WM_NCHITTEST"},
        {WM_TIMER, "WM_TIMER"},             {WM_ENABLE, "WM_ENABLE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"},   {WM_DRAWITEM, "WM_DRAWITEM"},
        {WM_INITDIALOG, "WM_INITDIALOG"},   {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_CONTEXTMENU, "WM_CONTEXTMENU"}, {WM_DESTROY, "WM_DESTROY"},
        {WM_NCDESTROY, "WM_NCDESTROY"},     {WM_CLOSE, "WM_CLOSE"},
        {BM_SETSTYLE, "BM_SETSTYLE"},       {BM_SETCHECK, "BM_SETCHECK"},
        {BM_GETCHECK, "BM_GETCHECK"},       {BM_CLICK, "BM_CLICK"},
    };
    auto it = names.find(message);
    if (it != names.end())
        return it->second;
    if (message >= 0xC000 && message <= 0xFFFF) {
        char name[128] = "";
        if (::GetClipboardFormatNameA(message, name, sizeof name) > 0)
            return std::string("\"") + name + "\"";
    }
    return hex(message);
}

}  // namespace orvtest
