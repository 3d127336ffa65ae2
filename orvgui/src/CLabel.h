// The GUI's label: static text in a colour of its own that can act as a link. A click opens the
// link target through the shell; over the label the pointer can be a hand. It draws through the
// UI library's label (CExtLabel), replacing only the text drawing.
#pragma once

#include <afxwin.h>

#include "CExtLabel.h"

class CLabel : public CExtLabel {
public:
    CLabel();
    ~CLabel() override;

    // Stores the colour and repaints at once. Each setter returns the label, so they chain.
    CLabel& setTextColor(COLORREF color);
    // Adds or removes SS_NOTIFY, without which a static gets no clicks.
    CLabel& setLink(bool bLink);
    // The pointer over the label (null: the system's default).
    CLabel& setLinkCursor(HCURSOR hCursor);
    // What a click opens (an address or a file).
    CLabel& setLinkTarget(const CString& target);

    COLORREF textColor() const { return m_crText; }
    bool isLink() const { return m_bLink; }
    const CString& linkTarget() const { return m_strLinkTarget; }

    // How a click opens its target; tests record it (null: the shell's "open").
    typedef void (*OpenFunction)(HWND window, const char* target);
    static void setOpenFunction(OpenFunction open);

    void DrawLabelText(CDC& dc, const RECT& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool bEnabled) override;

protected:
    afx_msg HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    DECLARE_MESSAGE_MAP()

    // The font the text is drawn in: the label's own, its parent's, the GUI font, the system font.
    HFONT DrawingFont() const;

    COLORREF m_crText;
    HBRUSH m_hBackBrush;
    HBRUSH m_hHighlightBrush;   // a second brush of the background colour
    LOGFONTA m_lf;
    CFont m_font;
    CString m_strText;
    bool m_bLink;
    HCURSOR m_hLinkCursor;
    CString m_strLinkTarget;
    CString m_strLinkText;
};
