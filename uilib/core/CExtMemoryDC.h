// Off-screen device context: drawing goes into a bitmap over a rectangle of a target DC, and the
// finished picture is copied onto the target in one blit when the object goes (or on Flush), so
// a repaint never shows half-drawn states.
#pragma once
#include "afxwin.h"

class CExtMemoryDC : public CDC {
public:
    enum {
        MDCOPT_TO_MEMORY = 0x01,        // draw into a bitmap unless the target is printing
        MDCOPT_FILL_SURFACE = 0x02,     // fill with the target's background colour
        MDCOPT_FORCE_BLACK = 0x04,      // a monochrome bitmap
        MDCOPT_FORCE_DIB = 0x08,        // a 32-bit DIB section (pixels in GetDibSurface)
        MDCOPT_NO_COPY_OPT = 0x10,      // keep device units: no mapping mode, no origin
        MDCOPT_FILL_BITS = 0x20,        // copy the target's picture first (instead of filling)
        MDCOPT_DEFAULT = MDCOPT_TO_MEMORY | MDCOPT_FILL_SURFACE
    };

    explicit CExtMemoryDC(CDC* pDC = NULL, const RECT* pRect = NULL, DWORD dwOpt = MDCOPT_DEFAULT);
    ~CExtMemoryDC() override;
    CExtMemoryDC(const CExtMemoryDC&) = delete;
    CExtMemoryDC& operator=(const CExtMemoryDC&) = delete;

    void Init(CDC* pDC, const RECT* pRect = NULL, DWORD dwOpt = MDCOPT_DEFAULT);
    // Hands the picture to the target (copying it when bCopy) and returns the object to idle.
    // A second call does nothing.
    void Flush(bool bCopy = true);

    // Idle again without copying: the target has been let go.
    void ReleaseTarget() { Flush(false); }

    bool IsMemDC() const { return m_bMemDC; }
    CDC* GetTargetDC() const { return m_pDC; }
    const CRect& GetRect() const { return m_rect; }
    void* GetDibSurface() const { return m_pDibBits; }
    CBitmap& GetBitmap() { return m_bitmap; }

private:
    // The memory DC and its bitmap over the rectangle; false when either cannot be made.
    bool CreateBuffer(CDC* pDC, DWORD dwOpt);

    CBitmap m_bitmap;
    HGDIOBJ m_hOldBitmap;
    CDC* m_pDC;
    CRect m_rect;
    bool m_bMemDC;
    void* m_pDibBits;
};
