// A tool-bar button that picks a colour. Its drop-down is the colour popup menu
// (CExtPopupColorMenuWnd), its icon is made from the current colour and stored as the command's
// icon in the bar's command profile whenever the colour changes, and a press sends the current
// colour to the command target as the colour menu's final-colour message (wParam the colour,
// lParam the notification value).
#pragma once
#include "CExtBarButton.h"

class CExtPopupColorMenuWnd;

class CExtBarColorButton : public CExtBarButton {
    DECLARE_DYNCREATE(CExtBarColorButton)
public:
    // Icon kinds: the colour filling the square, a colour swatch on a transparent square, the
    // letter 'A' over a colour bar.
    enum { iconFilled = 0, iconSwatch = 1, iconLetter = 2 };

    explicit CExtBarColorButton(CExtToolControlBar* pBar = NULL, UINT nCmdID = 0, DWORD dwStyle = 0,
                                COLORREF clrSelected = RGB(0, 0, 0), COLORREF clrDefault = RGB(0, 0, 0),
                                LPARAM lParamNotify = 0, int nIconKind = iconFilled);
    ~CExtBarColorButton() override;

    // ---- the bar button's operations ----
    // True when asked with false, false when asked with true.
    bool HasDropDownMenu(bool bAsked = false) const override { return !bAsked; }
    bool AppendToPopupMenu(CExtPopupMenuWnd* pPopup) override;
    UINT TrackDropDownMenu(CPoint point, bool bSelectAny) override;
    void DeliverCommand() override;
    int GetHelpHitId(CPoint point) override;
    bool IsCommandButton() const override { return true; }
    ButtonKind QueryButtonKind() const override { return kindColorButton; }

    // ---- own operations ----
    // Makes the icon of the current colour and stores it as the command's icon.
    virtual void RefreshColorIcon();
    // true: the selected colour; false: the default colour.
    virtual COLORREF GetColor(bool bSelected = true) const { return bSelected ? m_clrSelected : m_clrDefault; }
    // true: sets the default colour; false: sets the selected colour. A changed value remakes
    // the icon.
    virtual void SetColor(COLORREF clr, bool bSetDefault = false);
    virtual LPARAM GetNotifyValue() const { return m_lParamNotify; }
    virtual void SetNotifyValue(LPARAM lParam) { m_lParamNotify = lParam; }
    virtual bool IsDefaultColorItemShown() const { return (m_nPopupFlags & 0x01) != 0; }
    virtual void ShowDefaultColorItem(bool bShow = true) { SetPopupFlag(0x01, bShow); }
    virtual bool IsCustomColorItemShown() const { return (m_nPopupFlags & 0x02) != 0; }
    virtual void ShowCustomColorItem(bool bShow = true) { SetPopupFlag(0x02, bShow); }
    virtual CString GetDefaultColorText() const { return m_sDefaultColorText; }
    virtual void SetDefaultColorText(LPCTSTR lpszText) { m_sDefaultColorText = lpszText != NULL ? lpszText : ""; }
    virtual CString GetCustomColorText() const { return m_sCustomColorText; }
    virtual void SetCustomColorText(LPCTSTR lpszText) { m_sCustomColorText = lpszText != NULL ? lpszText : ""; }
    // A new 16 by 16 icon of the selected colour in the icon kind (the caller destroys it).
    virtual HICON GenerateColorIcon();

    int m_nIconKind;

protected:
    void SetPopupFlag(BYTE nBit, bool bOn) { m_nPopupFlags = (BYTE)(bOn ? (m_nPopupFlags | nBit) : (m_nPopupFlags & ~nBit)); }
    // A colour popup for the command target, set up from the button's fields; NULL when it
    // cannot be made.
    CExtPopupColorMenuWnd* NewColorPopup(bool bTopLevel);

    COLORREF m_clrSelected;
    COLORREF m_clrDefault;
    LPARAM m_lParamNotify;
    BYTE m_nPopupFlags;
    CString m_sDefaultColorText;
    CString m_sCustomColorText;
};
