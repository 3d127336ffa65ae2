// The UI library's group box: a frame with a caption painted flicker-free over the themed
// dialog background, in one of four frame styles (etched, rounded, flat, caption bar).
#pragma once
#include <afxcontrols.h>

class CExtGroupBox : public CButton {
    DECLARE_DYNCREATE(CExtGroupBox)
public:
    enum { ALIGN_LEFT = 0, ALIGN_RIGHT = 1, ALIGN_CENTER = 2 };
    enum { STYLE_ETCHED = 0, STYLE_ROUNDED = 1, STYLE_FLAT = 2, STYLE_CAPTION = 3 };

    CExtGroupBox();
    ~CExtGroupBox() override;

    int m_nCaptionAlignment;   // ALIGN_*
    int m_nFrameStyle;         // STYLE_*
    int m_nCaptionBarHeight;   // the bar of STYLE_CAPTION

    void SetStyle(int nFrameStyle);

    // Draws the caption placed in rcText by the alignment; rcText comes back as the caption's
    // rectangle widened by 2 pixels on each side (empty with the caption-bar style).
    virtual void DrawCaptionText(CDC& dc, CRect& rcText, LPCTSTR strText, UINT nDrawTextFlags, bool bEnabled);
    virtual void DrawFrame(CDC& dc, const CRect& rcFrame);
    // The face (background, caption and frame) painted into dc over the client rectangle.
    void PaintFace(CDC& dc);

protected:
    void PreSubclassWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    DECLARE_MESSAGE_MAP()

    HFONT CaptionFont() const;
};
