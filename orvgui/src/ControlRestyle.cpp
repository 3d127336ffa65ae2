#include "ControlRestyle.h"

namespace {

void RestyleOne(HWND window)
{
    char name[64] = "";
    GetClassNameA(window, name, sizeof name);
    LONG_PTR exStyle = GetWindowLongPtrA(window, GWL_EXSTYLE);
    bool edge = (lstrcmpiA(name, "EDIT") == 0 && (exStyle & WS_EX_STATICEDGE) != 0) ||
                lstrcmpiA(name, "SysListView32") == 0 || lstrcmpiA(name, "msctls_trackbar32") == 0;
    if (edge) {
        SetWindowLongPtrA(window, GWL_EXSTYLE, (exStyle & ~WS_EX_STATICEDGE) | WS_EX_CLIENTEDGE);
        SetWindowPos(window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    if (lstrcmpiA(name, "Button") == 0) {
        LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
        if (style & BS_FLAT)
            SetWindowLongPtrA(window, GWL_STYLE, style & ~BS_FLAT);
    }
}

void RestyleTree(HWND window)
{
    RestyleOne(window);
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        RestyleTree(child);
}

}  // namespace

void ControlRestyle::Apply(HWND window)
{
    if (window != nullptr)
        RestyleTree(window);
}
