// The shaded area a marker shows while the pointer rests on it: where a bar dropped there would
// go. It takes the screen's pixels under that area before it is shown (its own DC would read
// black on some systems) and shades them through the painter; afterwards it only copies the
// kept picture.
#pragma once
#include <afxwin.h>

class CExtDynDockMarkerWnd;

class CExtDynDockHighlightWnd : public CWnd {
    DECLARE_DYNAMIC(CExtDynDockHighlightWnd)
public:
    static const char kClassName[];   // "OrvelUI-DynDockHighlightWnd"
    // Makes the window over the marker's area (no window when no bar is dragged or the area is
    // unknown); the creator discards the object when it has no window.
    explicit CExtDynDockHighlightWnd(CExtDynDockMarkerWnd* pMarker);
    ~CExtDynDockHighlightWnd() override;

    // The area of a marker (screen), false when it has none. rcTarget: the target window's
    // rectangle, or (no target) the frame markers' rectangles; bTargetIsBar halves the bar;
    // otherwise the area is cut at the side to the dragged bar's docked extent (at least 30).
    static bool CalcArea(int nSide, bool bHasTarget, bool bTargetIsBar, const CRect& rcTarget,
                         const CRect* prcFrameMarkers, int nFrameMarkers, CSize sizeDockedExtent, CRect& rcArea);

    CExtDynDockMarkerWnd* GetMarker() const { return m_pMarker; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Capture(const CRect& rcScreen);
    CExtDynDockMarkerWnd* m_pMarker;
    CBitmap m_bmpCaptured;
};
