// The menu bar's control area: while an MDI document window is maximised it stands at the far
// end of the bar's row, one bar button that draws and handles the window's small caption
// buttons (help, minimise, restore, maximise, close), as many as the window has. A release on
// one of them acts on the document window; each has its own tool tip. It keeps the document
// button's style rules (never disabled) and command target (the document window).
#pragma once
#include "CExtBarMdiDocButton.h"

class CExtMenuControlBar;

class CExtBarMdiRightButton : public CExtBarMdiDocButton {
    DECLARE_DYNCREATE(CExtBarMdiRightButton)
public:
    // The layout of the caption buttons, made afresh by each operation and filled by the menu
    // bar (CExtMenuControlBar::GetMdiButtonsInfo).
    struct MdiButtonsInfo {
        enum : BYTE { flagValid = 0x01, flagClose = 0x02, flagMaximize = 0x04, flagMinimize = 0x08, flagHelp = 0x10 };

        CWnd* m_pWndChild = NULL;
        CExtMenuControlBar* m_pBar = NULL;
        int m_cxButton = 0, m_cyButton = 0;   // one caption button
        int m_cxTotal = 0, m_cyTotal = 0;     // the whole area
        BYTE m_nFlags = 0;
        CRect m_rcClose, m_rcMaximizeOnly, m_rcRestore, m_rcMinimize, m_rcHelp;

        bool IsValid() const { return (m_nFlags & flagValid) != 0; }
        bool Has(BYTE nFlag) const { return (m_nFlags & nFlag) != 0; }
        // The caption buttons the flags give, in their order along the row: help, minimise and
        // restore (minimise box), maximise alone (maximise box without minimise box), close.
        int CountButtons() const;
        // The total size for the orientation (2 plus a step per button along, a step across).
        void CalcTotal(bool bHorz);
        // Places the caption buttons in rc (from its left edge plus 2, centred across; from its
        // top edge plus 2 when vertical); those the window has not stay empty.
        void LayoutButtons(const CRect& rc, bool bHorz);
        // The system command of the caption button under pt, 0 for none (tried in the order
        // help, restore, minimise, maximise alone, close).
        UINT HitTest(CPoint pt) const;
        // The rectangle of the caption button of a system command (empty when not placed).
        CRect RectOf(UINT nSysCmd) const;
    };

    explicit CExtBarMdiRightButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, DWORD dwStyle = 0);
    ~CExtBarMdiRightButton() override;

    // ---- the bar button's operations ----
    CSize MeasureButton(CDC* pDC, CSize sizePreCalc, bool bHorz) override;
    bool AppendToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    CExtCmdIcon* GetCommandIcon() const override { return NULL; }
    void Paint(CDC* pDC, bool bHorz) override;
    UINT TrackDropDownMenu(CPoint, bool) override { return (UINT)-1; }
    void HandleClick(CPoint point, bool bDown) override;
    INT_PTR FillToolTipInfo(CPoint point, TOOLINFOA* pTI) override;
    int GetHelpHitId(CPoint point) override { return (int)FillToolTipInfo(point, NULL); }

    // ---- own operations ----
    // The layout for the orientation, asked from the menu bar and placed in the button's
    // rectangle; false when it is not valid (no document window, or not on a menu bar).
    bool GetButtonsInfo(MdiButtonsInfo& info, bool bHorz) const;
    // The orientation of clicks, tips and popup entries: horizontal unless the bar is docked
    // vertically.
    bool IsHorzLayout() const;
    // The prompt's string id of a caption button's system command (0 for none).
    static UINT PromptIdOf(UINT nSysCmd);
};
