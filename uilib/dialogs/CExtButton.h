// The UI library's skinned push button: it subclasses an ordinary button, makes it owner-drawn
// and from then on keeps the button's type and check state itself, tracks hover and press
// through the mouse capture, handles Enter and Space itself and paints every face through the
// current painter. A button may carry a drop-down menu (shown as a library popup), as a
// separate arrow part at its right edge, and in selector mode the chosen command becomes the
// button's own.
#pragma once
#include <afxcontrols.h>
#include "CToolTipCtrl.h"
#include "CExtMouseCaptureSink.h"
#include "ExtBarStandIns.h"
#include "CExtPopupMenuWnd.h"

class CExtButton : public CButton, public CExtMouseCaptureSink {
    DECLARE_DYNCREATE(CExtButton)
public:
    // State flag bits.
    enum : BYTE {
        STATE_FOCUS_RECT = 0x01,
        STATE_BORDER = 0x02,
        STATE_HOVER = 0x04,
        STATE_PUSHED = 0x08,
        STATE_TRACKING = 0x10,
        STATE_KEY_PRESS = 0x20,
        STATE_SPLIT = 0x40,
        STATE_SELECTOR = 0x80,
    };
    // Width of the separate arrow part: the drop-down arrow glyph (5) and its margins (6).
    enum { ARROW_PART_WIDTH = 11 };

    CExtButton();
    ~CExtButton() override;

    CMenu m_menu;
    UINT m_dwMenuOpt;        // TrackPopupMenu flags; the low four bits are the alignment code
    int m_nMenuOwnerValue;
    UINT m_nAlign;           // 1 centre, 2 right, 4 vertically centred
    UINT m_nButtonType;      // the style's type as it was before the button was made owner-drawn
    UINT m_nCheck;           // 0, 1 or 2 (indeterminate)
    BYTE m_nStateFlags;
    BYTE m_nOptFlags;        // bit 0: selector mode takes the chosen command's text and icon
    int m_nPressedPart;      // 0 none, 1 main part, 2 arrow part
    COLORREF m_clrTextDisabled, m_clrTextNormal, m_clrTextHover, m_clrTextPressed;

    // The icons become the button's (the normal one may be NULL: the hover one serves both).
    void SetIcon(HICON hIconHover, HICON hIconNormal = NULL);
    HICON GetHoverIcon() const { return m_hIconHover; }
    // -1: no cursor of its own. A cursor of the program's resources is the button's own; a
    // system cursor is shared and never destroyed by the button.
    bool SetBtnCursor(int nCursorID = -1);
    HCURSOR GetBtnCursor() const { return m_hCursor; }

    virtual bool IsButtonEnabled() const;
    virtual void DoClick(bool bSelectFirstItem, bool bOnArrowPart);
    virtual bool TrackButtonMenu(bool bSelectFirstItem);
    virtual bool HasMenu() const { return m_menu.GetSafeHmenu() != NULL; }
    virtual bool PutToPopupMenu(CExtPopupMenuWnd* pPopup);
    virtual void PaintButton(CDC& dc, bool bTransparentBackground);
    virtual HFONT GetParentFont() const;

    UINT GetButtonType() const { return m_nButtonType; }
    bool IsDefaultButton() const { return m_nButtonType == BS_DEFPUSHBUTTON; }
    bool IsPushButtonType() const;
    bool IsCheckButtonType() const;
    bool IsTriStateType() const { return m_nButtonType == BS_3STATE || m_nButtonType == BS_AUTO3STATE; }
    bool IsFlat() const { return (GetStyle() & BS_FLAT) != 0; }

    void GetButtonRects(CRect& rcMain, CRect& rcArrow) const;
    int HitTestParts(CPoint ptClient) const;
    int HitTestCursor() const;
    // The same for a point of a mouse message (client coordinates): a press or a release is
    // judged where it happened, not where the cursor is by the time its message is handled.
    int HitTestPoint(CPoint ptClient) const;

    // The button's tool tip: made (inactive, with no tools) on the first message the button
    // pre-translates while no popup menu is tracked, and fed every such message; its owner adds
    // tools and activates it.
    CToolTipCtrl& GetToolTip() { return m_wndToolTip; }

    BOOL PreTranslateMessage(MSG* pMsg) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    // Paints the button's face where its popup touches it (the popup's combined-area painter).
    static bool PaintCombinedArea(LPVOID pCookie, CDC& dc, const CWnd& wndPopup, const CRect& rcArea);
    // A button on a control bar: the dock bar gives the menu's alignment (the flags' low bits
    // cleared), and the first window above the bars (a mini frame's parent frame) becomes pOwner.
    // False, pOwner untouched, when the button is not on a bar.
    bool MenuOwnerOnBars(UINT& nFlags, UINT& nAlign, CWnd*& pOwner) const;
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    afx_msg void OnCaptureChanged(CWnd* pWnd);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    afx_msg void OnKillFocus(CWnd* pNewWnd);
    afx_msg void OnMouseMove(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnEnable(BOOL bEnable);
    afx_msg LRESULT OnPutToPopupMenu(WPARAM wParam, LPARAM lParam);
    afx_msg void OnSysColorChange();
    afx_msg LRESULT OnSettingChangeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnDisplayChangeMessage(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnThemeChangedMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    void TakeCapture();
    void GiveUpCapture();
    // Clears hover, press and tracking and gives the capture up (disabled, hidden or going).
    void DropMouseState();
    void Repaint();
    void PaintBuffered(CDC& dc);

    CToolTipCtrl m_wndToolTip;
    HCURSOR m_hCursor;
    bool m_bOwnCursor;
    HICON m_hIconHover;
    HICON m_hIconNormal;
};
