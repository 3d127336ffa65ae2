// The bar tests' frame and bars: a frame with a view and a status bar whose show/hide-bar
// commands go through the control bar's helpers and which records the prompts and popup-menu
// notifications it gets; resizable bars that show one coloured child window; and tool-bar
// stand-ins of a set size.
#pragma once
#include <afxwin.h>
#include <afxdocking.h>
#include "CExtControlBar.h"
#include "CExtDockBar.h"
#include "CExtDockOuterBar.h"
#include "ExtToolBarStandIns.h"
#include <memory>
#include <string>
#include <vector>

namespace barstest {

CWinApp& App();

enum : UINT {
    ID_PANEL_FIRST = 0x6001,   // resizable bars 0x6001...
    ID_TOOL_FIRST = 0x6101,    // tool-bar stand-ins 0x6101...
    ID_MENU_BAR = 0x6201,
    ID_BAR_LAST = 0x62FF,
};

// A resizable bar whose client area is one coloured child window; counts its idle updates.
class ColourPanel : public CExtControlBar {
public:
    explicit ColourPanel(COLORREF clr = RGB(120, 160, 220)) : m_clr(clr) {}
    bool CreateIn(CFrameWnd* pFrame, UINT nID, LPCTSTR lpszName);
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    int HitTestItem(CPoint) const override { return m_nHit; }

    COLORREF m_clr;
    CWnd m_child;
    int m_nUpdates = 0;
    int m_nHit = -1;   // what HitTestItem answers
};

// A frame whose view is a plain white window.
class BarsFrame : public CFrameWnd {
public:
    BOOL CreateAt(const CRect& rect, LPCTSTR lpszTitle = "Bars");
    bool CreateStatusBar();

    CWnd* m_pView = nullptr;
    CStatusBar m_status;
    std::vector<UINT> m_messageStrings;   // WM_SETMESSAGESTRING ids
    std::vector<WORD> m_menuEvents;       // popup-menu notifications (event ids)
    bool m_bBuildMenuItself = false;      // answer the pre-notification

protected:
    afx_msg void OnBarCommand(UINT nID);
    afx_msg void OnUpdateBarCommand(CCmdUI* pCmdUI);
    afx_msg LRESULT OnSetMessageString(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnConstructPopupMenu(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};

// A test's frame with docking enabled, and its bars (owned here; they outlive the frame).
struct Docking {
    BarsFrame* pFrame = nullptr;
    HWND hWndFrame = NULL;
    std::vector<std::unique_ptr<CExtControlBar>> bars;

    explicit Docking(const CRect& rect = CRect(20, 20, 620, 470));
    ~Docking();
    ColourPanel* AddPanel(UINT nID, LPCTSTR lpszName, COLORREF clr = RGB(120, 160, 220));
    CExtToolControlBar* AddTool(UINT nID, LPCTSTR lpszName, CSize size, CExtToolControlBar* pBar = nullptr);
    CExtDockBar* Dock(UINT nSide, UINT nCircle);
};

// The rows of a dock bar as text: bars by window text, placeholders as "(id)", row ends "|".
std::string Rows(const CDockBar* pDockBar);
CRect ChildRect(CWnd* pWnd);
void Repaint(CWnd* pWnd);
// Runs the application's idle processing until it asks for no more.
void Idle();

}  // namespace barstest
