#include "controls_input.h"
#include <stdlib.h>
#include <string.h>
#include <stdio.h>
#include <orv/UiTest.h>
#include <orv/XInput.h>
#include <vector>

namespace ctltest {

using orvtest::XInput;

namespace {

struct Seen {
    UINT message;
    HWND hWnd;
    HWND hRoot;   // its top-level window, taken when it came (the window may go in its handler)
};
std::vector<Seen> g_log;   // every mouse message of the thread, in order
HHOOK g_hHook = NULL;
DWORD g_nMessages = 0;
UINT g_nLastMessage = 0;
HWND g_hLastTarget = NULL;
POINT g_ptLast = {};

LRESULT CALLBACK MouseHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode >= 0 && lParam != 0) {
        const MOUSEHOOKSTRUCT* p = reinterpret_cast<const MOUSEHOOKSTRUCT*>(lParam);
        g_hLastTarget = p->hwnd;
        g_ptLast = p->pt;
        g_nLastMessage = (UINT)wParam;
        g_nMessages++;
        g_log.push_back({(UINT)wParam, p->hwnd, ::GetAncestor(p->hwnd, GA_ROOT)});
    }
    return ::CallNextHookEx(g_hHook, nCode, wParam, lParam);
}

void Watch()
{
    if (g_hHook == NULL)
        g_hHook = ::SetWindowsHookExA(WH_MOUSE, MouseHook, NULL, ::GetCurrentThreadId());
}

bool Reached(HWND expect)
{
    if (expect == NULL)
        return true;
    HWND h = g_hLastTarget;
    return h != NULL && (h == expect || ::IsChild(expect, h) || h == ::GetCapture());
}

}  // namespace

bool pointerAvailable()
{
    return XInput::Get().Available();
}

std::string recentPointerMessages()
{
    std::string text;
    for (size_t i = g_log.size() > 8 ? g_log.size() - 8 : 0; i < g_log.size(); i++) {
        char cls[64] = "";
        if (g_log[i].hWnd == NULL || !::GetClassNameA(g_log[i].hWnd, cls, sizeof cls))
            strcpy(cls, "gone");
        char item[128];
        snprintf(item, sizeof item, "%s0x%04x to %s", text.empty() ? "" : "; ", g_log[i].message, cls);
        text += item;
    }
    POINT pt = {};
    ::GetCursorPos(&pt);
    // where input would go now: the window under the cursor (and whose thread it is), the
    // capture, the active and foreground windows and the thread's modes
    HWND hUnder = ::WindowFromPoint(pt);
    GUITHREADINFO gti = {};
    gti.cbSize = sizeof gti;
    ::GetGUIThreadInfo(0, &gti);
    char under[64] = "none", capture[64] = "none";
    if (hUnder != NULL)
        ::GetClassNameA(hUnder, under, sizeof under);
    if (gti.hwndCapture != NULL)
        ::GetClassNameA(gti.hwndCapture, capture, sizeof capture);
    char tail[512];
    snprintf(tail, sizeof tail,
             "; last point (%ld,%ld), cursor at (%ld,%ld); under it %s of %s thread; capture %s; active %p, "
             "foreground %p; thread flags 0x%lx",
             (long)g_ptLast.x, (long)g_ptLast.y, (long)pt.x, (long)pt.y, under,
             hUnder != NULL && ::GetWindowThreadProcessId(hUnder, NULL) == ::GetCurrentThreadId() ? "this" : "another",
             capture, (void*)::GetActiveWindow(), (void*)::GetForegroundWindow(), (unsigned long)gti.flags);
    return text + tail;
}

bool pointerTo(POINT screen, HWND expect, DWORD timeoutMs)
{
    Watch();
    POINT now;
    if (::GetCursorPos(&now) && now.x == screen.x && now.y == screen.y && g_ptLast.x == screen.x &&
        g_ptLast.y == screen.y && Reached(expect))
        return true;
    const DWORD seen = g_nMessages;
    if (!XInput::Get().Move(screen.x, screen.y))
        return false;
    const DWORD start = ::GetTickCount();
    DWORD lastSend = start;
    while (!(g_nMessages != seen && g_ptLast.x == screen.x && g_ptLast.y == screen.y && Reached(expect))) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        if (::GetTickCount() - lastSend > 200) {
            // the display may not have known the window yet: a small move away and back
            XInput::Get().Move(screen.x + 1, screen.y);
            XInput::Get().Move(screen.x, screen.y);
            lastSend = ::GetTickCount();
        }
        orvtest::pumpUntil([&] { return g_nMessages != seen && g_ptLast.x == screen.x && g_ptLast.y == screen.y; }, 20);
    }
    return true;
}

bool pointerButton(bool bLeft, bool bDown, HWND expect, DWORD timeoutMs)
{
    Watch();
    const DWORD seen = g_nMessages;
    if (!XInput::Get().Button(bLeft ? 1 : 3, bDown))
        return false;
    const UINT nDown[] = {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_NCLBUTTONDOWN, WM_NCLBUTTONDBLCLK};
    const UINT nRDown[] = {WM_RBUTTONDOWN, WM_RBUTTONDBLCLK, WM_NCRBUTTONDOWN, WM_NCRBUTTONDBLCLK};
    const UINT nUp[] = {WM_LBUTTONUP, WM_NCLBUTTONUP};
    const UINT nRUp[] = {WM_RBUTTONUP, WM_NCRBUTTONUP};
    auto isIt = [&](UINT m) {
        if (bDown) {
            for (UINT k : bLeft ? nDown : nRDown)
                if (k == m)
                    return true;
        } else {
            for (UINT k : bLeft ? nUp : nRUp)
                if (k == m)
                    return true;
        }
        return false;
    };
    (void)seen;
    const size_t nFirst = g_log.size();
    return orvtest::pumpUntil(
        [&] {
            for (size_t i = nFirst; i < g_log.size(); i++) {
                HWND h = g_log[i].hWnd;
                const bool bThere = expect == NULL || h == expect || g_log[i].hRoot == expect || ::IsChild(expect, h) ||
                                    h == ::GetCapture();
                if (isIt(g_log[i].message) && bThere)
                    return true;
            }
            return false;
        },
        timeoutMs);
}

bool pointerClick(POINT screen, HWND expect, bool bLeft)
{
    return pointerTo(screen, expect) && pointerButton(bLeft, true, expect) && pointerButton(bLeft, false, expect);
}

}  // namespace ctltest
