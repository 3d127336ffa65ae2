// A menu still open when the program ends: the site's end deletes the popup and lets go of the
// hooks, and the program ends cleanly. (The windows and hooks go with the process: under Wine,
// destroying a window or removing a hook from an exit-time destructor ends the process on the
// spot, before any later destructor runs.)
//
// A plain program run by ctest: the verdict is taken in the destructor of an object made before
// the site (init_priority), which therefore ends after it, and written as a line on standard
// output (under Wine a crash in the exit-time destructors ends the process with code 0, so the
// exit code cannot tell it from a pass).
#include <afxwin.h>
#include <unistd.h>
#include "CExtPopupMenuSite.h"

namespace {

bool g_bPopupDeleted = false;
HWND g_hWndPopup = NULL;
HWND g_hWndOwner = NULL;

class ProbePopup : public IExtPopupSiteMenu {
public:
    explicit ProbePopup(HWND hWnd) : m_hWnd(hWnd) {}
    ~ProbePopup() override { g_bPopupDeleted = true; }
    HWND GetSiteHwnd() const override { return m_hWnd; }
    bool HandleMouseWheel(UINT, MOUSEHOOKSTRUCT*, bool&) override { return true; }
    bool HandleMouseMove(UINT, CPoint, bool&) override { return true; }
    bool HandleMouseClick(UINT, CPoint, bool&) override { return true; }
    bool HandleKeyDown(UINT, UINT, UINT, bool&) override { return true; }
    bool IsPointInMenu(CPoint) override { return true; }
    void CloseMenuTree(bool) override {}
    void ClearItems() override {}
    IExtPopupSiteMenu* GetParentSiteMenu() const override { return NULL; }
    HWND GetTipHwnd() const override { return NULL; }
    HWND GetOwnerHwnd() const override { return g_hWndOwner; }

private:
    HWND m_hWnd;
};

class ExitVerdict {
public:
    ~ExitVerdict()
    {
        const bool bClean = g_bPopupDeleted && !CExtPopupMenuSite::g_DefPopupMenuSite.AreHooksInstalled();
        static const char szClean[] = "the open menu was deleted at exit and the program ended cleanly\n";
        static const char szDirty[] = "the open menu outlived the site\n";
        if (write(1, bClean ? szClean : szDirty, bClean ? sizeof szClean - 1 : sizeof szDirty - 1) < 0)
            _exit(5);
        _exit(bClean ? 0 : 3);
    }
};

__attribute__((init_priority(101))) ExitVerdict g_verdict;

}  // namespace

int main()
{
    g_hWndOwner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP, 0, 0, 200, 200, NULL, NULL, NULL, NULL);
    g_hWndPopup = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "", WS_POPUP | WS_VISIBLE, 20, 20, 100, 100, g_hWndOwner, NULL,
                                    NULL, NULL);
    if (g_hWndOwner == NULL || g_hWndPopup == NULL)
        return 4;
    ProbePopup* pPopup = new ProbePopup(g_hWndPopup);
    CExtPopupMenuSite::g_DefPopupMenuSite.SetInstance(pPopup);
    CExtPopupMenuSite::g_DefPopupMenuSite.SetCapturedMenu(pPopup);
    return CExtPopupMenuSite::g_DefPopupMenuSite.AreHooksInstalled() ? 0 : 4;
}
