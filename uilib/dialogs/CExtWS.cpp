// The window-state layer's shared helpers (see CExtWS.h).
#include "CExtWS.h"
#include <cstring>

CRect CExtWSHelpers::KeepOnAMonitor(const RECT& rc)
{
    if (::MonitorFromRect(&rc, MONITOR_DEFAULTTONULL) != NULL)
        return CRect(rc);
    return CExtPaintManager::FitRectToMonitor(rc, true, true);
}

bool CExtWSHelpers::IsDialogClass(HWND hWnd)
{
    char name[64] = "";
    ::GetClassNameA(hWnd, name, sizeof name);
    return strchr(name, '#') != NULL;
}

bool CExtWSHelpers::IsTransparentChild(CDC*, HWND, HWND hWndChild, LPVOID)
{
    return CExtPaintManager::IsTransparentChildControl(hWndChild);
}
