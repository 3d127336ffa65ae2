// The colour popup menu: a popup of 40 named colours in 8 columns and 5 rows, with an optional
// "Default Color" button above the grid and a "Custom Color ..." button below it. Moving over a
// colour (mouse or arrow keys) posts it to the notification target at once (live preview); a
// click or Enter posts the final choice and closes the menu. It is tracked like any popup menu
// but has no items: it measures, paints and handles input itself.
#pragma once
#include "CExtPopupMenuWnd.h"

class CExtPopupColorMenuWnd : public CExtPopupMenuWnd {
    DECLARE_DYNCREATE(CExtPopupColorMenuWnd)
public:
    enum : int {
        COLOR_COUNT = 40,
        COLOR_COLUMNS = 8,
        COLOR_ROWS = 5,
        // what stands for the two buttons wherever a palette index is expected
        IDX_NONE = -1,
        IDX_DEFAULT_BUTTON = -4,
        IDX_CUSTOM_BUTTON = -5,
    };
    // Written through the result pointer when the custom button is chosen.
    static const COLORREF CLR_CUSTOM = (COLORREF)-2;

    struct PaletteEntry {
        COLORREF m_clr;
        LPCTSTR m_lpszName;
    };
    // The palette, row by row.
    static const PaletteEntry g_Palette[COLOR_COUNT];
    // The palette index of a colour, -1 when it is not in the palette.
    static int FindPaletteIndex(COLORREF clr);

    CExtPopupColorMenuWnd();
    ~CExtPopupColorMenuWnd() override;

    // ---- what the caller sets before tracking ----
    HWND m_hWndNotifyColorChanged;   // receives the notifications; NULL: the menu's owner window
    LPARAM m_lParamCookie;           // lParam of every notification (the caller's command id)
    COLORREF* m_pClrValueFinal;      // the final colour is written here (CLR_CUSTOM for custom); may be NULL
    COLORREF m_clrDefaultColor;      // what the default button reports
    COLORREF m_clrInitial;           // shown as selected when the menu opens; -1 none
    bool m_bEnableBtnColorDefault;   // the "Default Color" button is shown
    bool m_bEnableBtnColorCustom;    // the "Custom Color ..." button is shown
    CString m_sBtnTextColorDefault;  // string 30011, else "Default Color"
    CString m_sBtnTextColorCustom;   // string 30010, else "Custom Color ..."

    // ---- state ----
    CRect m_rcDefaultColorBtn;       // client coordinates once laid out
    CRect m_rcCustomColorBtn;
    int m_nColorIdxCurr;             // hot: 0..39, IDX_DEFAULT_BUTTON, IDX_CUSTOM_BUTTON or IDX_NONE
    int m_nInitialColorIdx;          // palette index of the initial colour, -1 none

    // Posted to the target: wParam the colour under the mouse or keyboard, lParam the cookie.
    static const UINT g_nMsgNotifyColorChanged;
    // The chosen colour (the default colour for the default button), the cookie.
    static const UINT g_nMsgNotifyColorChangedFinally;
    // 0, the cookie: the custom button was chosen.
    static const UINT g_nMsgNotifyCustColor;

    // ---- geometry ----
    // Lays out the buttons (client coordinates) and the selected cell and answers the window
    // size, shadow included.
    CSize CalcColorMenuSize();
    // A cell's rectangle in client coordinates (valid after CalcColorMenuSize).
    CRect GetCellRect(int nIndex) const;
    // The cell, IDX_DEFAULT_BUTTON or IDX_CUSTOM_BUTTON at a client point, else IDX_NONE.
    int HitTestColor(CPoint ptClient) const;
    // The palette index an arrow key leads to from nIndex (wrapping in its row or column); a
    // negative index (none or a button) leads to 0. -1 for any other key.
    static int NextIndexForKey(int nIndex, UINT nVirtKey);

    // ---- what the popup menu asks ----
    // The colour menu's own size (CalcColorMenuSize).
    CSize CalcMenuSize() override;
    CRect CalcWindowRect() override;
    // The base's window, then the selected cell of the initial colour.
    bool CreatePopupWindow(CWnd* pWndParent) override;
    // The colour menu has no items: always nothing (HitTestColor answers for the cells).
    int HitTest(const CPoint& ptClient, bool* pbInEdit = NULL, bool* pbInArrow = NULL) override;
    // Unless tracked without the site or in help mode.
    bool CanOpenAsSubmenu() const override;

    // ---- what the site's hooks hand the menu ----
    bool HandleMouseMove(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleMouseClick(UINT nMsg, CPoint ptClient, bool& bPass) override;
    bool HandleKeyDown(UINT nVirtKey, UINT nRepCnt, UINT nFlags, bool& bPass) override;

    void PaintPopup(CDC& dc, bool bFinal) override;

protected:
    // The window that receives the notifications, NULL when it is gone.
    HWND GetNotifyTarget() const;
    // The live notification for the hot index (nothing for none and for the custom button).
    void NotifyHotColor();
    // The final choice of nIndex (a cell or a button): the result written, the notification
    // posted, the command sound played. False for anything else.
    bool NotifyFinalChoice(int nIndex);
    // Ends the menu after a choice or Esc (no command).
    void FinishTracking();
    void HideColorTip();
    bool IsAnimating() const;
    int GetSeparatorHeight() const;
    int GetMenuBorder() const;
    // Sets the hot index and repaints; true when it changed.
    bool SetHotIndex(int nIndex);

    afx_msg BOOL OnQueryNewPalette();
    afx_msg void OnPaletteChanged(CWnd* pFocusWnd);
    DECLARE_MESSAGE_MAP()

    // The cells' vertical shift (the default button above the grid).
    int m_nCellsShiftY;
};
