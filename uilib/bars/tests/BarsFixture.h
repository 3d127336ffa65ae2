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

// A real tool bar (or menu bar) of a size the test sets: the rows' arithmetic is tested on bars
// whose size is given, not measured from buttons. It shrinks to m_sizeMinBar when that is set
// (otherwise its minimum is its own size), takes a row of its own with m_bOwnRow and keeps its
// thickness with m_bNoStretch.
template <class TBar>
class SizedBar : public TBar {
public:
    using TBar::m_dockPos;
    CSize m_sizeBar = CSize(100, 24);
    CSize m_sizeMinBar = CSize(0, 0);
    bool m_bOwnRow = false;
    bool m_bNoStretch = false;

    bool IsWholeRowBar() const override { return m_bOwnRow || TBar::IsWholeRowBar(); }
    bool CanStretchAcrossRow() const override { return !m_bNoStretch; }
    CSize CalcFixedLayout(BOOL, BOOL bHorz) override { return bHorz ? m_sizeBar : CSize(m_sizeBar.cy, m_sizeBar.cx); }
    CSize CalcDynamicLayout(int, DWORD nMode) override {
        return CalcFixedLayout(FALSE, (nMode & (LM_HORZ | LM_HORZDOCK)) != 0);
    }
    CSize GetMinSize() const override {
        const CSize size = (m_sizeMinBar.cx > 0 || m_sizeMinBar.cy > 0) ? m_sizeMinBar : m_sizeBar;
        return (this->m_dwStyle & CBRS_ORIENT_VERT) != 0 ? CSize(size.cy, size.cx) : size;
    }
};
typedef SizedBar<CExtToolControlBar> SizedToolBar;
typedef SizedBar<CExtMenuControlBar> SizedMenuBar;

// A test's frame with docking enabled, and its bars (owned here; they outlive the frame).
struct Docking {
    BarsFrame* pFrame = nullptr;
    HWND hWndFrame = NULL;
    std::vector<std::unique_ptr<CExtControlBar>> bars;

    explicit Docking(const CRect& rect = CRect(20, 20, 620, 470));
    ~Docking();
    ColourPanel* AddPanel(UINT nID, LPCTSTR lpszName, COLORREF clr = RGB(120, 160, 220));
    // A sized tool bar (a new one, or pBar) created docked at the top.
    template <class TBar = SizedToolBar>
    TBar* AddTool(UINT nID, LPCTSTR lpszName, CSize size, TBar* pBar = nullptr) {
        if (pBar == nullptr)
            pBar = new TBar;
        pBar->m_sizeBar = size;
        CreateTool(pBar, nID, lpszName);
        return pBar;
    }
    void CreateTool(CExtToolControlBar* pBar, UINT nID, LPCTSTR lpszName);
    CExtDockBar* Dock(UINT nSide, UINT nCircle);
};

// The rows of a dock bar as text: bars by window text, placeholders as "(id)", row ends "|".
std::string Rows(const CDockBar* pDockBar);
CRect ChildRect(CWnd* pWnd);
void Repaint(CWnd* pWnd);
// Runs the application's idle processing until it asks for no more.
void Idle();

}  // namespace barstest
