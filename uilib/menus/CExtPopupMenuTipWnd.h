// The balloon tip a popup menu shows for the item under the mouse (and the colour menu for a
// colour's name): a top-most, never-activated popup shaped as a rounded balloon with a pointed
// tail, an information icon and a text, appearing one second after it was placed. It never
// animates. Near the left or top edge of the work area it flips so that it stays on screen.
#pragma once
#include "CExtPopupBaseWnd.h"

class CExtPopupMenuTipWnd : public CExtPopupBaseWnd {
    DECLARE_DYNAMIC(CExtPopupMenuTipWnd)
public:
    enum : BYTE {
        FLIP_HORIZONTAL = 0x01,   // balloon right of its target, tail on the left
        FLIP_VERTICAL = 0x02,     // balloon below its target, tail on top
    };
    enum : UINT { ID_PERIOD_DELAY_SHOW = 1000 };

    CExtPopupMenuTipWnd();
    ~CExtPopupMenuTipWnd() override;

    // Stores the text without leading and trailing white space (NULL: empty).
    void SetText(LPCTSTR lpszText);
    const CString& GetText() const { return m_sText; }
    // Creates the window on first use, shapes and places the balloon for the target rectangle
    // (screen coordinates) and shows it one second later, without activation. False when the
    // window cannot be created.
    bool Show(CWnd* pWndParent, const CRect& rcTarget);
    // Cancels a pending show, hides the window, forgets the target.
    void Hide();

    BYTE GetPlacementFlags() const { return m_nPlacementFlags; }
    void PaintPopup(CDC& dc, bool bFinal) override;

protected:
    // The balloon's window size, body (window coordinates) and region for the current text and
    // placement flags.
    CSize CalcBalloonSize();
    CRect GetBodyRect(const CSize& sizeBalloon) const;
    HRGN CreateBalloonRgn(const CSize& sizeBalloon) const;

    int m_cxIcon;
    int m_cyIcon;
    HICON m_hIcon;
    CString m_sText;
    BYTE m_nPlacementFlags;
};
