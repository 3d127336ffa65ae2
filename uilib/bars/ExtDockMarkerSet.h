// The drop markers of a drag in the Studio 2005 look: the frame markers at the four sides of the
// area inside the frame's outer dock bars, and the bar markers over the bar, container bar or
// view under the pointer. The drag loop builds both sets when a drag starts, refreshes the bar
// markers at every pointer move, and destroys every marker and their shared owner window when
// the drag ends (each path of its end). It also answers the markers' questions (a drag under
// way, a target gone, a highlight wanted).
#pragma once
#include <afxwin.h>
#include "CExtDynDockMarkerWnd.h"

class CExtDynControlBar;

class ExtDockMarkerSet {
public:
    static void ShowFrameMarkers(CFrameWnd* pFrame, bool bShow);
    static void UpdateBarMarkers(CFrameWnd* pFrame, bool bShow);
    static void ShowAllMarkers(bool bShow);
    static void DestroyAllMarkers();
    static void HideAllHighlights(CExtDynDockMarkerWnd* pExcept, bool bPassPaint);
    static void ShowMarkers(CExtDynDockMarkerWnd::Array& arr, bool bShow);
    static void DestroyMarkers(CExtDynDockMarkerWnd::Array& arr);
    // The bar of a container (nested ones searched too) whose window holds the point, NULL when none.
    static HWND FindBarInContainer(CExtDynControlBar* pContainer, int x, int y);

    static CExtDynDockMarkerWnd::Array& FrameMarkers();
    static CExtDynDockMarkerWnd::Array& BarMarkers();
    // The window the bar markers are shown for (NULL when none).
    static HWND GetBarMarkersTarget();
    // The smallest highlight, wide and high.
    enum { kMinHighlight = 30 };
    // The marker site the core's markers ask (installed on first use of this class).
    static void InstallSite();
};
