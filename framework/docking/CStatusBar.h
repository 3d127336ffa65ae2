// A status bar: the system's status-bar control as a control bar along the bottom of a frame,
// with panes named by command ids (SetIndicators). A pane with the id 0 shows the frame's
// prompts (its window text); the others are updated at idle through their commands' update
// handlers (Enable: shown or greyed, SetCheck: raised, SetText: the text).
#pragma once
#include "CControlBar.h"

// Pane styles
#define SBPS_NORMAL     0x0000
#define SBPS_NOBORDERS  SBT_NOBORDERS
#define SBPS_POPOUT     SBT_POPOUT
#define SBPS_OWNERDRAW  SBT_OWNERDRAW
#define SBPS_DISABLED   0x04000000
#define SBPS_STRETCH    0x08000000  // takes what the other panes leave

struct AFX_STATUSPANE {
    UINT nID;         // command id, 0 for the prompt pane
    int cxText;       // width of the text
    UINT nStyle;      // SBPS_...
    UINT nFlags;      // SBPF_...
    CString strText;
};
#define SBPF_UPDATE 0x0001  // the control has not been given the pane's text yet

class CStatusBar : public CControlBar {
    DECLARE_DYNAMIC(CStatusBar)
public:
    CStatusBar();

    // The control with the size grip when pParentWnd can be sized; dwStyle carries the CBRS_
    // side and border bits.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
                        UINT nID = AFX_IDW_STATUS_BAR);
    // One pane per id; an id's text is its string resource (empty when none). A pane with id 0
    // is a quarter of the screen wide; when it comes first it stretches and has no border.
    // lpIDArray NULL: nIDCount empty panes.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int GetCount() const { return (int)m_arrPanes.GetSize(); }
    int CommandToIndex(UINT nIDFind) const;
    UINT GetItemID(int nIndex) const;
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    void GetPaneText(int nIndex, CString& rString) const;
    CString GetPaneText(int nIndex) const;
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    void GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const;
    void SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth);
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    // Gives the control the panes' widths (bUpdateRects) and their texts (bUpdateText).
    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;

protected:
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CArray<AFX_STATUSPANE, const AFX_STATUSPANE&> m_arrPanes;

private:
    BOOL IsIndex(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    // The pane that shows the frame's prompts (id 0), -1 when none.
    int PromptIndex() const { return CommandToIndex(0); }
};
