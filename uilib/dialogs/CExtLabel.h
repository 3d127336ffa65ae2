// The UI library's label: static text painted flicker-free over the themed dialog background,
// with font style bits and enabled and disabled text colours of its own. The GUI's own label
// derives from it and replaces the text drawing (DrawLabelText).
#pragma once
#include <afxcontrols.h>

class CExtLabel : public CStatic {
    DECLARE_DYNCREATE(CExtLabel)
public:
    // Style bits; the upper four are the deriving class's.
    enum : BYTE { STYLE_BOLD = 0x01, STYLE_ITALIC = 0x02, STYLE_UNDERLINE = 0x04, STYLE_STRIKEOUT = 0x08 };

    CExtLabel();
    ~CExtLabel() override;

    BYTE m_nStyleBits;
    COLORREF m_clrTextEnabled;    // -1: the painter's button text colour
    COLORREF m_clrTextDisabled;   // -1: the painter's button shadow colour

    virtual void DrawLabelText(CDC& dc, const RECT& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool bEnabled);
    virtual COLORREF GetTextColor(bool bEnabled);

    // The DrawText flags the window style and the text ask for.
    static UINT DrawTextFlagsFor(DWORD dwStyle, const CString& strText);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()
};
