// The soft drop shadow of a popup: darkened bands along the popup's right and bottom edges,
// drawn onto whatever the DC holds there (the screen captured behind the popup), with rounded
// ends, trimmed where the popup joins its owner's area. Every popup holds two: one for its own
// body and one for the owner area it joins.
#pragma once
#include "afxwin.h"

class CExtPopupShadow {
public:
    enum : DWORD {
        FLAG_KEEP_BITS = 0x01,   // keep the rendered shadow for repaints
        FLAG_TINT = 0x02,        // tint with the painter's shadow colour
    };

    CExtPopupShadow();
    ~CExtPopupShadow();
    CExtPopupShadow(const CExtPopupShadow&) = delete;
    CExtPopupShadow& operator=(const CExtPopupShadow&) = delete;

    // Draws the shadow of rcWndArea (DC coordinates; the shadow lies outside it, right and
    // below, nShadowSize pixels wide) onto the DC's pixels. rcExcludeArea and rcExcludeArea2
    // are the owner areas the popup joins (the trims apply only when both are non-empty).
    // Percents run from nDarkest at the popup's edge to nLightest outwards. With bKeepBits the
    // first rendering is kept and later calls copy it back. bMemoryDC: the DC is an off-screen
    // one (its palette is not realised). False when nothing could be rendered (it is tried
    // again on the next call).
    bool Paint(CDC& dc, const CRect& rcWndArea, const CRect& rcExcludeArea = CRect(0, 0, 0, 0),
               const CRect& rcExcludeArea2 = CRect(0, 0, 0, 0), int nShadowSize = 4, int nDarkest = 75,
               int nLightest = 100, bool bKeepBits = true, bool bUseTint = true, bool bMemoryDC = false);
    // Forgets the kept bits and the region, empties the rectangle, clears the flags.
    void Destroy();

    bool HasKeptBits() const { return m_bmpRight.GetSafeHandle() != NULL && m_bmpBottom.GetSafeHandle() != NULL; }
    // The area the shadow covers (right strip plus bottom strip), NULL until built; in the DC
    // coordinates of the last Paint.
    CRgn& GetRegion() { return m_rgn; }

private:
    bool RenderDib(CDC& dc);
    bool RenderPattern(CDC& dc);
    bool RestoreBits(CDC& dc);
    void KeepBits(CDC& dc);

    CBitmap m_bmpRight;    // size x (height + size)
    CBitmap m_bmpBottom;   // (width + size) x size
    DWORD* m_pBits;        // the working DIB's pixels while rendering
    CRect m_rcWndArea;
    CRect m_rcExcludeArea;
    CRect m_rcExcludeArea2;
    int m_nShadowSize;
    int m_nDarkest;
    int m_nLightest;
    DWORD m_dwFlags;
    CRgn m_rgn;
};
