// The docking tests' frame and bars: fixed bars of a given length and thickness, resizable bars
// that keep a size per docking state (as the UI library's panels do), a view that takes the
// rest, and readers of the dock bars' rows and of window rectangles.
#pragma once
#include <afxwin.h>
#include <afxext.h>
#include <string>
#include <vector>

namespace docktest {

CWinApp& App();

// A bar of a fixed length along its row and a fixed thickness across it; painted in a colour
// of its own for the pictures. Counts its idle command-state updates.
class CFixedBar : public CControlBar {
public:
    CFixedBar(int nLength, int nThickness, COLORREF color)
        : m_nLength(nLength), m_nThickness(nThickness), m_color(color) {}
    BOOL Create(CWnd* pParent, DWORD dwStyle, UINT nID);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void DoPaint(CDC* pDC) override;

    int m_nLength, m_nThickness;
    COLORREF m_color;
    int m_nUpdates = 0;
    CFrameWnd* m_pLastTarget = nullptr;
};

// A resizable bar (CBRS_SIZE_DYNAMIC): one size docked in a horizontal row, one in a vertical
// column and one floating; LM_COMMIT with a length sets the floating width or height.
class CSizingBar : public CFixedBar {
public:
    CSizingBar(CSize sizeHorz, CSize sizeVert, CSize sizeFloat, COLORREF color)
        : CFixedBar(0, 0, color), m_sizeHorz(sizeHorz), m_sizeVert(sizeVert), m_sizeFloat(sizeFloat) {}
    CSize CalcDynamicLayout(int nLength, DWORD nMode) override;
    CSize m_sizeHorz, m_sizeVert, m_sizeFloat;
};

// A frame with a view (AFX_IDW_PANE_FIRST) that fills what the bars leave.
class CDockFrame : public CFrameWnd {
public:
    BOOL CreateAt(const CRect& rect, LPCTSTR lpszTitle = "Docking");
    CWnd* m_pView = nullptr;
};

// The rows of a dock bar as text: bars by name (names[id]), placeholders as "(name)", row ends
// as "|". The leading NULL is left out: "A B | C |".
std::string Rows(CDockBar* pDockBar, CFrameWnd* pFrame);
// A child's rectangle in its parent's client area; a window's on the screen.
CRect ChildRect(CWnd* pWnd);
CRect ScreenRect(CWnd* pWnd);
// The dock state's stored form.
std::string StoredForm(CDockState& state);
std::string StoredForm(CFrameWnd* pFrame);
// Every bar of the frame with its parent window and rectangle, as text, for comparisons.
std::string Placement(CFrameWnd* pFrame);

}  // namespace docktest
