// The display's pointer parked on the bare desktop (see DesktopPointer.h).
#include <orv/DesktopPointer.h>
#include <orv/UiTest.h>
#include <orv/XInput.h>

namespace orvtest {

namespace {

// The low-level hook sees every pointer event the system takes, from any process.
POINT g_ptWanted = {-1, -1};
bool g_bArrived = false;

LRESULT CALLBACK LowLevelMouse(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HC_ACTION && wParam == WM_MOUSEMOVE) {
        const MSLLHOOKSTRUCT* p = reinterpret_cast<const MSLLHOOKSTRUCT*>(lParam);
        if (p->pt.x == g_ptWanted.x && p->pt.y == g_ptWanted.y)
            g_bArrived = true;
    }
    return ::CallNextHookEx(NULL, nCode, wParam, lParam);
}

}  // namespace

bool parkPointer(DWORD timeoutMs)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN), cy = ::GetSystemMetrics(SM_CYSCREEN);
    // a corner no window covers; the pointer goes to the pixel beside it first, so that the last
    // move is a change wherever the pointer was
    const POINT corners[] = {{cx - 1, cy - 1}, {0, cy - 1}, {cx - 1, 0}};
    const POINT* pCorner = NULL;
    for (const POINT& pt : corners)
        if (::WindowFromPoint(pt) == ::GetDesktopWindow()) {
            pCorner = &pt;
            break;
        }
    if (pCorner == NULL)
        return false;
    const POINT beside = {pCorner->x == 0 ? 1 : pCorner->x - 1, pCorner->y};
    HHOOK hHook = ::SetWindowsHookExA(WH_MOUSE_LL, LowLevelMouse, ::GetModuleHandleA(NULL), 0);
    if (hHook == NULL)
        return false;
    g_ptWanted = *pCorner;
    g_bArrived = false;
    bool bSent = XInput::Get().Move(beside.x, beside.y) && XInput::Get().Move(pCorner->x, pCorner->y);
    // the hook is called in this thread while it takes its messages
    const bool bArrived = bSent && pumpUntil([] { return g_bArrived; }, timeoutMs);
    ::UnhookWindowsHookEx(hHook);
    return bArrived;
}

}  // namespace orvtest
