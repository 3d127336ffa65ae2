// A control bar: a child window along a side of a frame (tool bars, status bars, panels) that
// takes part in the frame's layout. Docked bars live in the frame's dock bars (CDockBar), in
// rows; a floating bar lives in the dock bar of a small frame of its own (CMiniDockFrameWnd).
//
// Sizes: CalcFixedLayout answers a bar's size docked in a row (horizontal or vertical), and
// CalcDynamicLayout the size of a bar that can change shape (CBRS_SIZE_DYNAMIC); the base gives
// the borders only (a stretched bar takes the whole side). Showing and hiding may be delayed to
// the next layout (DelayShow), which is how ShowControlBar(bar, show, TRUE) works. At idle the
// bar updates its items' command states (OnUpdateCmdUI) against its owner frame. With
// CBRS_FLYBY the prompt of the item under the mouse (OnToolHitTest) shows in the frame's status
// line after a short rest and goes when the mouse has left the bar.
#pragma once
#include <afxwin.h>
#include <afxpriv.h>

class CDockBar;
class CDockContext;
class CControlBarInfo;

// Bar styles (m_dwStyle): where the bar sits and how it looks
#define CBRS_ALIGN_LEFT     0x1000L
#define CBRS_ALIGN_TOP      0x2000L
#define CBRS_ALIGN_RIGHT    0x4000L
#define CBRS_ALIGN_BOTTOM   0x8000L
#define CBRS_ALIGN_ANY      0xF000L
#define CBRS_BORDER_LEFT    0x0100L
#define CBRS_BORDER_TOP     0x0200L
#define CBRS_BORDER_RIGHT   0x0400L
#define CBRS_BORDER_BOTTOM  0x0800L
#define CBRS_BORDER_ANY     0x0F00L
#define CBRS_TOOLTIPS       0x0010L
#define CBRS_FLYBY          0x0020L
#define CBRS_FLOAT_MULTI    0x0040L
#define CBRS_BORDER_3D      0x0080L
#define CBRS_HIDE_INPLACE   0x0008L
#define CBRS_SIZE_DYNAMIC   0x0004L
#define CBRS_SIZE_FIXED     0x0002L
#define CBRS_FLOATING       0x0001L
#define CBRS_GRIPPER        0x00400000L
#define CBRS_ORIENT_HORZ    (CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM)
#define CBRS_ORIENT_VERT    (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)
#define CBRS_ORIENT_ANY     (CBRS_ORIENT_HORZ | CBRS_ORIENT_VERT)
#define CBRS_ALL            0x0040FFFFL
#define CBRS_NOALIGN        0x00000000L
#define CBRS_LEFT           (CBRS_ALIGN_LEFT | CBRS_BORDER_RIGHT)
#define CBRS_TOP            (CBRS_ALIGN_TOP | CBRS_BORDER_BOTTOM)
#define CBRS_RIGHT          (CBRS_ALIGN_RIGHT | CBRS_BORDER_LEFT)
#define CBRS_BOTTOM         (CBRS_ALIGN_BOTTOM | CBRS_BORDER_TOP)

// CalcDynamicLayout modes
#define LM_STRETCH   0x01  // stretch across the whole side
#define LM_HORZ      0x02  // horizontal (else vertical)
#define LM_MRUWIDTH  0x04  // the most recently used floating width
#define LM_HORZDOCK  0x08  // docked in a horizontal row
#define LM_VERTDOCK  0x10  // docked in a vertical column
#define LM_LENGTHY   0x20  // nLength is a height (else a width)
#define LM_COMMIT    0x40  // keep the answer as the bar's new floating size

// Help ids of control windows (WM_HELPHITTEST)
#define HID_BASE_CONTROL 0x00050000UL

class CControlBar : public CWnd {
    DECLARE_DYNAMIC(CControlBar)
public:
    CControlBar();
    ~CControlBar() override;

    enum StateFlags { delayHide = 1, delayShow = 2, tempHide = 4, statusSet = 8 };
    // Fly-by prompts: shown after the mouse rested on an item, taken back when it left the bar.
    enum FlyByTimers : UINT_PTR { timerShowStatus = 0xE000, timerClearStatus = 0xE001 };

    // ---- Layout ----
    virtual CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz);
    virtual CSize CalcDynamicLayout(int nLength, DWORD nMode);
    // The client rectangle less the borders the style asks for.
    virtual void CalcInsideRect(CRect& rect, BOOL bHorz) const;

    // ---- Showing ----
    // Visible, counting a pending delayed show or hide.
    virtual BOOL IsVisible() const;
    // Shows or hides the bar at the next layout.
    virtual void DelayShow(BOOL bShow);
    // Carries out a pending delayed show or hide when the layout moves windows (lpLayout->hDWP).
    virtual void RecalcDelayShow(AFX_SIZEPARENTPARAMS* lpLayout);

    // ---- Command states and painting ----
    virtual void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) = 0;
    virtual void DoPaint(CDC* pDC);

    // ---- Docking ----
    // Lets the bar dock on the sides in dwDockStyle (CBRS_ALIGN_...) and float (0: neither).
    void EnableDocking(DWORD dwDockStyle);
    virtual BOOL IsDockBar() const { return FALSE; }
    BOOL IsFloating() const;
    // The frame the bar lives in: its mini frame when floating, else its dock site.
    CFrameWnd* GetDockingFrame() const;
    // Where the bar is (for CDockState) and back.
    void GetBarInfo(CControlBarInfo* pInfo);
    void SetBarInfo(CControlBarInfo* pInfo, CFrameWnd* pFrameWnd);

    void SetBarStyle(DWORD dwStyle);
    DWORD GetBarStyle() const { return m_dwStyle; }
    void SetBorders(int cxLeft = 0, int cyTop = 0, int cxRight = 0, int cyBottom = 0);
    // Shows the prompt of command nHit in the owner frame's status line (-1: back to the idle
    // prompt, if this bar had put one there).
    BOOL SetStatusText(INT_PTR nHit);

    BOOL m_bAutoDelete;   // delete the object when its window goes
    int m_cxLeftBorder, m_cxRightBorder;
    int m_cyTopBorder, m_cyBottomBorder;
    int m_nMRUWidth;      // the most recently used floating width of a dynamic bar
    UINT m_nStateFlags;   // StateFlags
    DWORD m_dwStyle;      // CBRS_...
    DWORD m_dwDockStyle;  // the sides it may dock on
    CFrameWnd* m_pDockSite;  // the frame that docks it
    CDockBar* m_pDockBar;    // the dock bar holding it, NULL when none
    CDockContext* m_pDockContext;  // made by EnableDocking

    // The layout mode (LM_...) a bar with dwStyle is asked for where it is docked or floats.
    static DWORD DockedLayoutMode(DWORD dwStyle, BOOL bStretch);

    LRESULT WindowProc(UINT nMsg, WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void PostNcDestroy() override;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHelpHitTest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnIdleUpdateCmdUI(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // The command at point (screen) when that is over this bar, else -1.
    INT_PTR HitAt(CPoint point) const;
    INT_PTR m_nStatusHit;  // the command whose prompt this bar shows, -1 none
    INT_PTR m_nFlyByHit;   // the command under the mouse's last move over this bar, -1 none
};
