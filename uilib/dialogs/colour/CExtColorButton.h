// A push button that picks a colour: its face shows a swatch of the current colour, a press
// opens the library's colour popup menu with a default-colour and a custom-colour item, and the
// custom item opens a colour dialog (the system's or the library's). The button keeps the chosen
// colour and passes the popup's colour notifications on to its parent.
#pragma once
#include "CExtButton.h"
#include "CExtPopupColorMenuWnd.h"

class CExtColorButton : public CExtButton {
    DECLARE_DYNCREATE(CExtColorButton)
public:
    CExtColorButton();
    ~CExtColorButton() override;

    CString m_sBtnTextColorDefault;  // replaces the popup's default-item text when not empty
    CString m_sBtnTextColorCustom;   // replaces the popup's custom-item text when not empty
    bool m_bEnableBtnColorDefault;
    bool m_bEnableBtnColorCustom;
    bool m_bUseStdColorDlg;          // the custom item opens the system's dialog, else CExtColorDlg
    COLORREF m_clrDefault;           // what the popup reports for its default item (-1 by default)
    COLORREF m_clrSelected;          // the colour shown and reported
    LPARAM m_lParamCookie;           // handed to the popup, which returns it with every notification

    void DoClick(bool bSelectFirstItem, bool bOnArrowPart) override;
    bool TrackButtonMenu(bool bSelectFirstItem) override;
    bool HasMenu() const override { return true; }
    void PaintButton(CDC& dc, bool bTransparentBackground) override;
    // A new 16 x 16 icon filled with the current colour; bOwned: the caller destroys it.
    virtual void GetColorIcon(HICON& hIcon, bool& bOwned);

protected:
    // Runs the custom-colour dialog on the current colour; true and the colour on OK.
    virtual bool RunColorDialog(COLORREF& clr);

    afx_msg LRESULT OnColorChanged(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnColorChangedFinally(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCustColor(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
