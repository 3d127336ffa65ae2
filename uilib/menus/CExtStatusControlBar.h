// The frame's status bar in the library's looks: the system's status-bar control (through the
// framework's CStatusBar) whose panes, pane frames or separators, outer border and size grip are
// painted by the current painter into an off-screen buffer. Pane texts come through the
// library's resource manager; panes may carry their own DrawText flags and tip texts; a right
// click offers the frame's bars context menu; child controls may be laid over panes.
#pragma once
#include "afxwin.h"
#include <afxdocking.h>
#include "ExtStatusBarPaintQuery.h"

class CExtStatusControlBar : public CStatusBar, public IExtStatusBarPaintQuery {
    DECLARE_DYNCREATE(CExtStatusControlBar)
public:
    // Extra data of one pane, keyed by the pane's command id.
    struct _ED_ {
        UINT m_nDrawTextFlags = 0;
        CString m_strTipText;
    };
    // A child control laid over a pane.
    struct _STATUSBAR_PANE_CTRL_ {
        HWND m_hWnd = NULL;
        UINT m_nID = 0;               // command id of the pane it covers
        bool m_bDestroyOnRemove = false;
    };

    enum : BYTE {   // m_nStatusFlags
        STATUS_UPDATING_CONTROL = 0x01,   // a text or icon update of the control runs: no painting
    };
    enum : BYTE {   // m_nPaintFlags
        PAINT_FIRST_PANE_FRAME = 0x01,    // the first pane is framed too
        PAINT_OWN_PANES = 0x02,           // the bar paints its panes itself
        PAINT_SEPARATORS = 0x04,          // separators between panes instead of pane frames
        PAINT_HIDE_DISABLED_TEXT = 0x08,  // a disabled pane shows no text
        PAINT_NO_CONTROL_ICONS = 0x10,    // do not ask the control for pane icons
    };

    CExtStatusControlBar();
    ~CExtStatusControlBar() override;

    // One pane per id (an id's text is its string resource through the resource manager, empty
    // when missing; id 0 is a quarter of the screen wide, stretching and borderless when first).
    // A NULL array only updates the panes. False when a pane cannot be set (the rest stay unset).
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    // ---- operations a status bar may replace ----
    // The pane under a client point, -1 without a window, without panes, or when the window at
    // that point is neither the bar nor a child of it.
    virtual int HitTestPane(CPoint ptClient) const;
    virtual void PaintBackground(CDC& dc, const CRect& rcClient);
    virtual void OnPaintPanePre(CDC& dc, int nPane, const CRect& rcPane);
    virtual void DrawPaneItem(CDC& dc, int nPane, const CRect& rcPane, UINT nStyle, HICON hIcon,
                              const CString& strText, UINT nDrawTextFlags);
    // -1: the default colours.
    virtual COLORREF GetPaneTextColor(int nPane) const;
    // True unless the library's fixed-frame switch is on.
    virtual bool IsSizeGripShown() const;
    virtual void PaintSizeGrip(CDC& dc, const CRect& rcGrip);
    virtual void DrawPaneSeparator(CDC& dc, int nPane, const CRect& rcPanePrev, const CRect& rcPane);

    // ---- pane data ----
    // The pane's DrawText flags: its extra data's, else the default ones.
    UINT GetPaneDrawTextFlags(int nPane) const;
    // The pane's tip text, empty without extra data.
    CString GetPaneTipText(int nPane) const;
    // Sets a pane's extra data (command id of the pane).
    void SetPaneData(UINT nID, UINT nDrawTextFlags, LPCTSTR lpszTipText);
    // Lays a child control over the pane with the id; the bar destroys it when bDestroyOnRemove.
    bool AddPaneControl(HWND hWnd, UINT nID, bool bDestroyOnRemove);
    // The pane's rectangle as painted: the last pane ends after its text (or before the size
    // grip when it stretches).
    CRect GetPaintedPaneRect(int nPane) const;

    // The whole bar (background, panes, size grip) into pDC, in client coordinates.
    void DoPaint(CDC* pDC) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFOA* pTI) const override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    bool QueryIsStatusBar() const override { return true; }

    BYTE m_nStatusFlags;
    CMap<UINT, UINT, _ED_, _ED_&> m_mapPaneData;
    BYTE m_nPaintFlags;
    UINT m_nDefaultDrawTextFlags;
    COLORREF m_clrBackground;
    COLORREF m_clrGrip;
    COLORREF m_clrSeparator;
    COLORREF m_clrText;
    COLORREF m_clrTextDisabled;
    CArray<_STATUSBAR_PANE_CTRL_*, _STATUSBAR_PANE_CTRL_*> m_arrPaneCtrls;

protected:
    // Background, grip, text and separator colours from the painter and the system.
    void SyncColors();
    void RepositionPaneControls();

    afx_msg void OnPaint();
    afx_msg void OnNcPaint();
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnContextMenu(CWnd* pWnd, CPoint point);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnSysColorChange();
    afx_msg void OnSettingChange(UINT uFlags, LPCTSTR lpszSection);
    afx_msg LRESULT OnDisplayChange(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChanged(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
