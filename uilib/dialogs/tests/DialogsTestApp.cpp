#include "DialogsTestApp.h"

namespace dlgtest {

namespace {

void RemoveKey()
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Orvane tests");
}

}  // namespace

CWinApp& App()
{
    static CWinApp* pApp = [] {
        CWinApp& app = orvtest::uiApp("uilib dialogs test");
        app.SetRegistryKey("Orvane tests");
        atexit(RemoveKey);
        return &app;
    }();
    return *pApp;
}

std::string FontFace(HWND hWnd)
{
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    LOGFONTA lf = {};
    if (hFont == NULL || ::GetObjectA(hFont, sizeof lf, &lf) == 0)
        return "";
    return lf.lfFaceName;
}

int FontHeight(HWND hWnd)
{
    HFONT hFont = (HFONT)::SendMessageA(hWnd, WM_GETFONT, 0, 0);
    LOGFONTA lf = {};
    if (hFont == NULL || ::GetObjectA(hFont, sizeof lf, &lf) == 0)
        return 0;
    return lf.lfHeight;
}

CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(NULL, ::GetParent(hWnd), (POINT*)&rc, 2);
    return rc;
}

}  // namespace dlgtest

namespace dlgtest {

std::string Text(const RECT& rc)
{
    return std::to_string(rc.left) + "," + std::to_string(rc.top) + "," + std::to_string(rc.right) + "," +
           std::to_string(rc.bottom);
}

}  // namespace dlgtest
